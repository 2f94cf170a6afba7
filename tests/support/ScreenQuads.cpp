#include "ScreenQuads.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float SAME_PIXEL = 0.01f;

ScreenQuad withBounds(ScreenQuad quad) {
  const FeedbackVertex *c = quad.corners;
  quad.left = std::min({c[0].x, c[1].x, c[2].x, c[3].x});
  quad.right = std::max({c[0].x, c[1].x, c[2].x, c[3].x});
  quad.bottom = std::min({c[0].y, c[1].y, c[2].y, c[3].y});
  quad.top = std::max({c[0].y, c[1].y, c[2].y, c[3].y});
  // Twice the signed area: positive when the corners run anticlockwise.
  float area = 0;
  for (int i = 0; i < 4; ++i) {
    area += c[i].x * c[(i + 1) % 4].y - c[(i + 1) % 4].x * c[i].y;
  }
  quad.counterClockwise = area > 0;
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

bool ScreenQuad::showsPicture(bool mirrored) const {
  const float leftS = mirrored ? 1.0f : 0.0f;
  return counterClockwise && texCoordAt(left, bottom) == std::make_pair(leftS, 0.0f) &&
         texCoordAt(right, top) == std::make_pair(1.0f - leftS, 1.0f);
}

std::array<long, 4> ScreenQuad::pixelBounds() const {
  return {std::lround(left), std::lround(bottom), std::lround(right), std::lround(top)};
}

std::vector<ScreenQuad> screenQuadsOf(const std::vector<FeedbackPolygon> &polygons) {
  std::vector<ScreenQuad> quads;
  for (std::size_t i = 0; i < polygons.size(); ++i) {
    const auto &first = polygons[i];
    if (first.size() == 3 && i + 1 < polygons.size() && polygons[i + 1].size() == 3) {
      const auto &second = polygons[++i];
      quads.push_back(withBounds({{first[0], first[1], second[1], first[2]}}));
    } else {
      ADD_FAILURE() << "feedback polygon " << i << " is not part of a quad";
      break;
    }
  }
  return quads;
}

std::vector<ScreenQuad> quadsDrawnBy(const std::function<void()> &draw) {
  return screenQuadsOf(GlTest::captureFeedback(draw));
}
