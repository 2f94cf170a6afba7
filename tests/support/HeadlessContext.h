#pragma once
// A real OpenGL context without a display: Mesa's surfaceless EGL platform
// with a 2048 x 1536 pbuffer and the desktop compatibility profile (OpenGL
// ES 2 in an ES build). Used by the tests and the benchmarks.

#include "shell/ShellWindow.h"

constexpr int TEST_WIDTH = 1024;
constexpr int TEST_HEIGHT = 768;
// The pbuffer holds drawables up to twice that size, for the game drawn
// sharp in a larger window.
constexpr int SURFACE_WIDTH = 2 * TEST_WIDTH;
constexpr int SURFACE_HEIGHT = 2 * TEST_HEIGHT;

// Creates the process's context on first use and makes it current.
bool makeTestContextCurrent();

// A shell window with a settable drawable that records the requests.
class HeadlessWindow : public ShellWindow {
public:
  int width = TEST_WIDTH;
  int height = TEST_HEIGHT;
  int quitRequests = 0;
  int modeToggleRequests = 0;

  int getDrawableWidth() const override { return width; }
  int getDrawableHeight() const override { return height; }
  void requestQuit() override { ++quitRequests; }
  void requestModeToggle() override { ++modeToggleRequests; }
};
