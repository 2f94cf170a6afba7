#pragma once
// Reassembles the quads of a feedback capture: the GL may hand a quad back
// as one four-vertex polygon or as two triangles, and the interface tests
// reason about whole quads (rectangle, corner texture coordinates, colour,
// winding).

#include "GlContext.h"
#include "gfx/Font.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

struct FeedbackQuad {
  std::vector<FeedbackVertex> vertices; // every vertex of its polygons
  bool counterClockwise = true;         // every polygon faces the viewer
  float left = 0, bottom = 0, right = 0, top = 0;

  float alpha() const { return vertices.front().a; }

  // Texture coordinates (s, t) of the vertex at window position (x, y), or
  // (-1, -1) when no vertex lies there.
  std::pair<float, float> texCoordAt(float x, float y) const {
    for (const FeedbackVertex &v : vertices) {
      if (std::fabs(v.x - x) < 0.01f && std::fabs(v.y - y) < 0.01f) {
        return {v.s, v.t};
      }
    }
    return {-1.0f, -1.0f};
  }

  void takeBounds() {
    left = right = vertices.front().x;
    bottom = top = vertices.front().y;
    for (const FeedbackVertex &v : vertices) {
      left = std::min(left, v.x);
      right = std::max(right, v.x);
      bottom = std::min(bottom, v.y);
      top = std::max(top, v.y);
    }
  }
};

inline bool isCounterClockwise(const FeedbackPolygon &polygon) {
  float twiceArea = 0;
  const std::size_t count = polygon.vertices.size();
  for (std::size_t i = 0; i < count; ++i) {
    const FeedbackVertex &a = polygon.vertices[i];
    const FeedbackVertex &b = polygon.vertices[(i + 1) % count];
    twiceArea += a.x * b.y - b.x * a.y;
  }
  return twiceArea > 0;
}

inline std::vector<FeedbackQuad> quadsOf(const std::vector<FeedbackPolygon> &polygons) {
  std::vector<FeedbackQuad> quads;
  for (std::size_t i = 0; i < polygons.size(); ++i) {
    FeedbackQuad quad;
    quad.vertices = polygons[i].vertices;
    quad.counterClockwise = isCounterClockwise(polygons[i]);
    if (polygons[i].vertices.size() == 3 && i + 1 < polygons.size()) {
      ++i;
      quad.vertices.insert(quad.vertices.end(), polygons[i].vertices.begin(),
                           polygons[i].vertices.end());
      quad.counterClockwise = quad.counterClockwise && isCounterClockwise(polygons[i]);
    }
    quad.takeBounds();
    quads.push_back(quad);
  }
  return quads;
}

// The font's display lists, which text drawing needs in order to produce
// any geometry; the Font texture itself need not be loaded.
inline void ensureFontLists() {
  if (fontListBase == 0) {
    buildFontLists();
  }
}
