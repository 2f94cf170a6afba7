#pragma once
// What the interface tests share: a fixture in which text produces
// geometry, and the rectangles a drawing covers.

#include "ObjectGlTest.h"
#include "ScreenQuads.h"

#include <array>

// Left, bottom, right, top in window pixels.
using Rect = std::array<long, 4>;

using UiTest = ObjectGlTest;

// The rectangles of the quads draw produces, in drawing order.
inline std::vector<Rect> rectsDrawn(const std::function<void()> &draw) {
  std::vector<Rect> rects;
  for (const ScreenQuad &q : quadsDrawnBy(draw)) {
    rects.push_back(q.pixelBounds());
  }
  return rects;
}
