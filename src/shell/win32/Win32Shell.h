#pragma once
// The Win32 + WGL backend: one window of the class "OpenGL" with a WGL
// rendering context, the thread's message queue filtered on that window.

#include "shell/MainLoop.h"

#include <windows.h>

struct AppInstance {
  HINSTANCE instance;
  const char *className;
};

class Win32Shell : public MainLoop {
public:
  explicit Win32Shell(HINSTANCE instance) : app{instance, CLASS_NAME} {}

  int getDrawableWidth() const override;
  int getDrawableHeight() const override;

protected:
  bool askFullScreen() override;
  bool registerShell() override { return registerShellClass(); }
  void unregisterShell() override;
  bool openShellWindow(bool fullScreen) override;
  void closeShellWindow() override;
  Message handleNextMessage() override;
  void waitForMessage() override { WaitMessage(); }
  bool isVisible() const override { return visible; }
  void swapBuffers() override { SwapBuffers(deviceContext); }
  std::uint32_t tickCount() override { return GetTickCount(); }
  void showError(const char *text) override;
  void postQuit() override;
  void postModeToggle() override;

private:
  static constexpr const char *CLASS_NAME = "OpenGL";

  AppInstance app;
  HWND window = nullptr;
  HDC deviceContext = nullptr;
  HGLRC renderingContext = nullptr;
  bool visible = false;
  // The monitor the last window was on: a mode toggle builds the new window
  // there, so full screen covers the monitor the game was on.
  HMONITOR monitor = nullptr;

  bool registerShellClass();
  HICON loadIcon(int widthMetric, int heightMetric) const;
  RECT windowRectangle(bool fullScreen) const;
  bool createGlContext();
  RECT clientRectangle() const;
  static LRESULT CALLBACK shellWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
};
