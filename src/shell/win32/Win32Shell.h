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

  int getClientWidth() const override;
  int getClientHeight() const override;

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
  bool fullScreen = false;
  bool visible = false;

  bool registerShellClass();
  HICON loadIcon(int widthMetric, int heightMetric) const;
  bool createGlContext();
  RECT clientRectangle() const;
  static LRESULT CALLBACK shellWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
};
