#pragma once
// What the interface tests share: a fixture in which text produces
// geometry, the names a click finds and the rectangles a drawing covers.

#include "ObjectGlTest.h"
#include "ScreenQuads.h"

#include <array>
#include <cmath>

using Names = std::vector<std::uint32_t>;
// Left, bottom, right, top in window pixels.
using Rect = std::array<long, 4>;

using UiTest = ObjectGlTest;

// The names of the first hit when draw runs in a selection pass at window
// pixel (x, y), bottom-up; none without a hit.
inline Names firstHitAt(const std::function<void()> &draw, int x, int y) {
  const std::vector<SelectionHit> hits = GlTest::captureSelection(draw, x, y);
  return hits.empty() ? Names{} : hits.front().names;
}

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
