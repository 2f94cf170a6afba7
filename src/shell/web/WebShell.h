#pragma once
// The browser backend: one WebGL 1 context on the page's canvas for the
// page's whole life, the browser's input events queued as the message queue,
// the page's own text in place of message boxes, and the Fullscreen API in
// place of a display mode. The page asks the start-up question and the
// browser calls each frame, so the run goes by begin, step and finish.
//
// The page sizes the canvas's drawing buffer to the canvas's size in device
// pixels; the scene fits the 1024 x 768 picture into whatever that is.

#include "shell/MainLoop.h"
#include "shell/web/ControlPad.h"
#include "shell/web/PagePointer.h"

#include <emscripten/html5.h>

#include <cstdint>
#include <deque>
#include <vector>

class WebShell : public MainLoop {
public:
  explicit WebShell(const SceneHooks &hooks) : MainLoop(hooks) {}

  // The canvas's drawing buffer.
  int getDrawableWidth() const override;
  int getDrawableHeight() const override;

  // Input the page hands over from its own listeners: a pointer on the
  // canvas, an on-screen control going down or up, and the page losing the
  // player's attention (blur, hidden), which lets go of every key and
  // control held.
  void pointerEvent(const PagePointerEvent &event);
  void controlChanged(int control, bool down);
  void releaseEverything();

  // The WebGL context went away (no frames until it is back) and came back
  // (false when the game's GPU objects cannot be made again).
  void contextLost();
  bool contextRestored();

  // Frames drawn since the page was loaded.
  int framesDrawn() const { return frameCount; }
  // Keeps a copy of the next frame drawn: RGBA rows from the bottom up, the
  // buffer's size then. keptFrame is null until that frame is drawn.
  void keepNextFrame();
  const std::uint8_t *keptFrame() const;
  int keptFrameWidth() const { return keptWidth; }
  int keptFrameHeight() const { return keptHeight; }

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
    enum class Kind { KeyDown, KeyUp, ReleaseAll, MouseMove, LeftButtonDown, Quit, ModeToggle };
    Kind kind;
    int key;
    double x;
    double y;
  };

  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
  bool contextGone = false;
  bool shaderFailureShown = false;
  std::deque<PageEvent> events;
  ControlPad controls;
  int frameCount = 0;
  bool keepingNextFrame = false;
  std::vector<std::uint8_t> frame;
  int keptWidth = 0;
  int keptHeight = 0;

  bool makeContextCurrent();
  void pressKey(int key);
  void queueKey(PageEvent::Kind kind, int key);
  void queueRepeats();

  static EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent *event, void *shell);
};
