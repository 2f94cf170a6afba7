#pragma once
// The SDL2 backend: one window with an OpenGL compatibility context, SDL's
// event queue as the message queue.

#include "shell/MainLoop.h"

#include <SDL.h>

class SdlShell : public MainLoop {
public:
  int getDrawableWidth() const override;
  int getDrawableHeight() const override;

protected:
  bool askFullScreen() override;
  bool registerShell() override;
  void unregisterShell() override;
  bool openShellWindow(bool fullScreen) override;
  void closeShellWindow() override;
  Message handleNextMessage() override;
  void waitForMessage() override;
  bool isVisible() const override { return visible; }
  void swapBuffers() override;
  std::uint32_t tickCount() override;
  void showError(const char *text) override;
  void postQuit() override;
  void postModeToggle() override;

private:
  SDL_Window *window = nullptr;
  SDL_GLContext context = nullptr;
  bool visible = false;
  Uint32 quitEvent = 0;
  Uint32 modeToggleEvent = 0;
  // The display the last window was on: a mode toggle builds the new window
  // there, so full screen covers the monitor the game was on.
  int displayIndex = 0;

  SDL_Window *createWindow(bool fullScreen);
  void releaseWindow();
  void handleWindowEvent(const SDL_WindowEvent &event);
  void handleKey(const SDL_KeyboardEvent &event);
  // SDL reports the pointer in window points, which a high-density screen
  // backs with more than one drawable pixel each.
  double drawablePixelsPerPoint() const;
  void pushEvent(Uint32 type);
};
