#pragma once
// The fixture of every drawing and picking test: the headless context, and
// drawing seen through the feedback buffer, names through the selection
// buffer and pixels through glReadPixels.

#include "HeadlessContext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

// A window position and depth, an RGBA colour and texture coordinates.
struct FeedbackVertex {
  float x, y, z, r, g, b, a, s, t;
};

using FeedbackPolygon = std::vector<FeedbackVertex>;

// The names of one hit record.
using Names = std::vector<std::uint32_t>;

// Fixture: a current context, a fresh GL state, an orthographic projection of
// one unit per pixel (origin bottom-left) and currentWindow set to a
// 1024 x 768 headless window.
class GlTest : public ::testing::Test {
protected:
  HeadlessWindow window;

  void SetUp() override;
  void TearDown() override;

public:
  // Runs draw in GL_FEEDBACK mode (3D, colour, texture) and returns the
  // polygons it produced, in window coordinates.
  static std::vector<FeedbackPolygon> captureFeedback(const std::function<void()> &draw);

  // Runs draw in GL_SELECT mode, with pickingPass set to 1 and one name
  // pushed, under a 1 x 1 pick matrix at window pixel (x, y) (bottom-up y)
  // over the current projection. Returns the hit records in buffer order.
  static std::vector<Names> captureSelection(const std::function<void()> &draw, int x, int y);
  // The names of the first of them; none without a hit.
  static Names firstHitAt(const std::function<void()> &draw, int x, int y);

  // The colour currently set, as glGetFloatv reports it.
  static std::vector<float> currentColour();
};
