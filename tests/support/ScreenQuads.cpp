#include "ScreenQuads.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float SAME_PIXEL = 0.01f;

float twiceSignedArea(const ScreenQuad &quad) {
  float area = 0;
  for (int i = 0; i < 4; ++i) {
    const FeedbackVertex &a = quad.corners[i];
    const FeedbackVertex &b = quad.corners[(i + 1) % 4];
    area += a.x * b.y - b.x * a.y;
  }
  return area;
}

ScreenQuad withBounds(ScreenQuad quad) {
  quad.left = quad.right = quad.corners[0].x;
  quad.bottom = quad.top = quad.corners[0].y;
  for (const FeedbackVertex &v : quad.corners) {
    quad.left = std::min(quad.left, v.x);
    quad.right = std::max(quad.right, v.x);
    quad.bottom = std::min(quad.bottom, v.y);
    quad.top = std::max(quad.top, v.y);
  }
  quad.counterClockwise = twiceSignedArea(quad) > 0;
  return quad;
}

} // namespace

std::pair<float, float> ScreenQuad::texCoordAt(float x, float y) const {
  for (const FeedbackVertex &v : corners) {
    if (std::fabs(v.x - x) < SAME_PIXEL && std::fabs(v.y - y) < SAME_PIXEL) {
      return {v.s, v.t};
    }
  }
  return {-1.0f, -1.0f};
}

std::vector<ScreenQuad> screenQuadsOf(const std::vector<FeedbackPolygon> &polygons) {
  std::vector<ScreenQuad> quads;
  for (std::size_t i = 0; i < polygons.size(); ++i) {
    const auto &vertices = polygons[i].vertices;
    if (vertices.size() == 4) {
      quads.push_back(withBounds({{vertices[0], vertices[1], vertices[2], vertices[3]}}));
      continue;
    }
    if (vertices.size() != 3 || i + 1 >= polygons.size() || polygons[i + 1].vertices.size() != 3) {
      ADD_FAILURE() << "feedback polygon " << i << " is not part of a quad";
      return quads;
    }
    const auto &second = polygons[++i].vertices;
    quads.push_back(withBounds({{vertices[0], vertices[1], second[1], vertices[2]}}));
  }
  return quads;
}
