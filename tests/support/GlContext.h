#pragma once
// A real OpenGL context without a display: Mesa's surfaceless EGL platform
// with a 1024 x 768 pbuffer and the desktop compatibility profile. Tests look
// at drawing through the feedback buffer, at names through the selection
// buffer and at pixels through glReadPixels.

#include "shell/ShellWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

constexpr int TEST_WIDTH = 1024;
constexpr int TEST_HEIGHT = 768;

// Creates the process's context on first use and makes it current.
bool makeTestContextCurrent();

// A shell window with a settable client area that records the requests.
class HeadlessWindow : public ShellWindow {
public:
  int width = TEST_WIDTH;
  int height = TEST_HEIGHT;
  int quitRequests = 0;
  int modeToggleRequests = 0;

  int getClientWidth() const override { return width; }
  int getClientHeight() const override { return height; }
  void requestQuit() override { ++quitRequests; }
  void requestModeToggle() override { ++modeToggleRequests; }
};

struct FeedbackVertex {
  float x, y, z;
  float r, g, b, a;
  float s, t;
};

struct FeedbackPolygon {
  std::vector<FeedbackVertex> vertices;
};

struct SelectionHit {
  std::vector<std::uint32_t> names;
};

// Fixture: a current context, a fresh GL state, an orthographic projection of
// one unit per pixel (origin bottom-left) and currentWindow set to a
// 1024 x 768 headless window.
class GlTest : public ::testing::Test {
protected:
  HeadlessWindow window;

  void SetUp() override;
  void TearDown() override;

public:
  // Loads the 26 images of Data/ (the working directory is the source tree).
  static void loadGameTextures();

  // Runs draw in GL_FEEDBACK mode (3D, colour, texture) and returns the
  // polygons it produced, in window coordinates.
  static std::vector<FeedbackPolygon> captureFeedback(const std::function<void()> &draw);

  // Runs draw in GL_SELECT mode, with pickingPass set to 1 and one name
  // pushed, under a 1 x 1 pick matrix at window pixel (x, y) (bottom-up y)
  // over the current projection. Returns the hit records in buffer order.
  static std::vector<SelectionHit> captureSelection(const std::function<void()> &draw, int x,
                                                    int y);

  // The colour currently set, as glGetFloatv reports it.
  static std::vector<float> currentColour();
  static void setOrthoProjection();
};
