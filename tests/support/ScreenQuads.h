#pragma once
// Whole quads from a feedback capture. This GL hands a quad v0 v1 v2 v3 back
// as the triangles (v0 v1 v3) and (v1 v2 v3); tests reason about the quad.

#include "GlContext.h"

#include <array>
#include <functional>
#include <utility>
#include <vector>

struct ScreenQuad {
  FeedbackVertex corners[4]; // in the order they were sent
  bool counterClockwise = true;
  float left = 0, bottom = 0, right = 0, top = 0;

  // Texture coordinates (s, t) of the corner at window position (x, y), or
  // (-1, -1) when no corner lies there.
  std::pair<float, float> texCoordAt(float x, float y) const;
  // Whether it faces the viewer (anticlockwise) with the whole picture on
  // it, mirrored left to right or not.
  bool showsPicture(bool mirrored) const;
  // Left, bottom, right, top to the nearest pixel: feedback coordinates
  // carry rounding errors in their last bits.
  std::array<long, 4> pixelBounds() const;
};

// Fails the test when the polygons do not pair up into quads.
std::vector<ScreenQuad> screenQuadsOf(const std::vector<FeedbackPolygon> &polygons);
// The quads draw produces, in drawing order.
std::vector<ScreenQuad> quadsDrawnBy(const std::function<void()> &draw);
