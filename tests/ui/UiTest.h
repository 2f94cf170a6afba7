#pragma once
// What the interface tests share: a fixture in which text produces
// geometry, and the rectangles a drawing covers.

#include "ObjectGlTest.h"
#include "ScreenQuads.h"

#include <array>
#include <cmath>

// Left, bottom, right, top in window pixels.
using Rect = std::array<long, 4>;

using UiTest = ObjectGlTest;

// The rectangles of the quads draw produces, in drawing order. Feedback
// coordinates carry rounding errors in their last bits, and everything in
// the interface lies on whole pixels.
inline std::vector<Rect> rectsDrawn(const std::function<void()> &draw) {
  std::vector<Rect> rects;
  for (const ScreenQuad &q : screenQuadsOf(GlTest::captureFeedback(draw))) {
    rects.push_back(
        {std::lround(q.left), std::lround(q.bottom), std::lround(q.right), std::lround(q.top)});
  }
  return rects;
}
