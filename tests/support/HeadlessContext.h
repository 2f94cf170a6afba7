#pragma once
// A real OpenGL context without a display: Mesa's surfaceless EGL platform
// with a pbuffer for each drawable size asked for and the desktop
// compatibility profile (OpenGL ES 2 in an ES build). Used by the tests and
// the benchmarks.

#include "shell/ShellWindow.h"

constexpr int TEST_WIDTH = 1024;
constexpr int TEST_HEIGHT = 768;
// Creates the process's context on first use and makes it current on a
// pbuffer of that size, as a window of that size would be: the frame's clear
// covers exactly the drawable.
bool makeTestContextCurrent(int width = TEST_WIDTH, int height = TEST_HEIGHT);
// Destroys the context and makes a new one current on the current surface, as
// a browser takes a page's WebGL context away and gives another: nothing
// made in the old one is left.
bool recreateTestContext();

// A shell window with a settable drawable that records the requests.
class HeadlessWindow : public ShellWindow {
public:
  int width = TEST_WIDTH, height = TEST_HEIGHT;
  int quitRequests = 0, modeToggleRequests = 0;

  int getDrawableWidth() const override { return width; }
  int getDrawableHeight() const override { return height; }
  void requestQuit() override { ++quitRequests; }
  void requestModeToggle() override { ++modeToggleRequests; }
};
