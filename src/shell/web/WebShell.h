#pragma once
// The browser backend: one WebGL 1 context on the page's canvas for the
// page's whole life, the browser's input events queued as the message queue,
// the page's own text in place of message boxes, and the Fullscreen API in
// place of a display mode. The page asks the start-up question and the
// browser calls each frame, so the run goes by begin, step and finish.

#include "shell/MainLoop.h"

#include <emscripten/html5.h>

#include <cstdint>
#include <deque>
#include <vector>

class WebShell : public MainLoop {
public:
  explicit WebShell(const SceneHooks &hooks) : MainLoop(hooks) {}

  // The canvas's drawing buffer, whatever size the page shows it at.
  int getDrawableWidth() const override;
  int getDrawableHeight() const override;

  // Frames drawn since the page was loaded.
  int framesDrawn() const { return frameCount; }
  // Keeps a copy of the next frame drawn: RGBA rows from the bottom up, the
  // buffer's size. keptFrame is null until that frame is drawn.
  void keepNextFrame();
  const std::uint8_t *keptFrame() const;

protected:
  // Only run asks, and the browser never calls run: the page asks.
  bool askFullScreen() override { return false; }
  bool registerShell() override;
  void unregisterShell() override;
  bool openShellWindow(bool fullScreen) override;
  void closeShellWindow() override;
  Message handleNextMessage() override;
  // Only run sleeps: between two steps the browser idles by itself.
  void waitForMessage() override {}
  bool isVisible() const override;
  void swapBuffers() override;
  std::uint32_t tickCount() override;
  void showError(const char *text) override;
  void postQuit() override;
  void postModeToggle() override;

private:
  // What the browser's callbacks queue for handleNextMessage.
  struct PageEvent {
    enum class Kind { KeyDown, KeyUp, MouseMove, LeftButtonDown, Quit, ModeToggle };
    Kind kind;
    int key;
    std::int32_t x;
    std::int32_t y;
  };

  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
  std::deque<PageEvent> events;
  int frameCount = 0;
  bool keepingNextFrame = false;
  std::vector<std::uint8_t> frame;

  bool makeContextCurrent();
  void queuePointer(PageEvent::Kind kind, const EmscriptenMouseEvent &event);

  static EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent *event, void *shell);
  static EM_BOOL onMouse(int eventType, const EmscriptenMouseEvent *event, void *shell);
};
