#pragma once
// What the world tests share: a projection that shows world units plainly in
// the feedback buffer, and the recorder of the message log.

#include "GlContext.h"
#include "MessageRecorder.h"

#include "gfx/Gl.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// World units per pixel and where the origin of the view lands on screen.
constexpr float PIXELS_PER_UNIT = 20.0f;
constexpr float ORIGIN_X = TEST_WIDTH / 2.0f;
constexpr float ORIGIN_Y = TEST_HEIGHT / 2.0f;
// Depth range of the projection, wide enough for ground, items and walls.
constexpr float DEPTH_RANGE = 10.0f;

// An orthographic view straight down: x and y scaled by PIXELS_PER_UNIT
// around the middle of the buffer, heights kept between -10 and 10.
inline void setWorldProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, TEST_WIDTH, 0, TEST_HEIGHT, -DEPTH_RANGE, DEPTH_RANGE);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(ORIGIN_X, ORIGIN_Y, 0.0f);
  glScalef(PIXELS_PER_UNIT, PIXELS_PER_UNIT, 1.0f);
}

struct WorldPoint {
  float x, y, z;
};

// Back from feedback window coordinates to world units.
inline WorldPoint toWorld(const FeedbackVertex &vertex) {
  return {(vertex.x - ORIGIN_X) / PIXELS_PER_UNIT, (vertex.y - ORIGIN_Y) / PIXELS_PER_UNIT,
          (0.5f - vertex.z) * 2.0f * DEPTH_RANGE};
}

// The feedback buffer of this GL splits every quad into two triangles that
// share an edge; this joins them again into quads of four distinct corners
// (their order is lost). Polygons that arrive whole are kept as they are.
inline std::vector<FeedbackPolygon> joinQuads(const std::vector<FeedbackPolygon> &polygons) {
  std::vector<FeedbackPolygon> quads;
  for (std::size_t i = 0; i < polygons.size(); ++i) {
    FeedbackPolygon quad = polygons[i];
    if (quad.vertices.size() == 3 && i + 1 < polygons.size()) {
      for (const FeedbackVertex &vertex : polygons[++i].vertices) {
        const bool known = std::any_of(
            quad.vertices.begin(), quad.vertices.end(), [&](const FeedbackVertex &corner) {
              return corner.x == vertex.x && corner.y == vertex.y && corner.z == vertex.z;
            });
        if (!known) {
          quad.vertices.push_back(vertex);
        }
      }
    }
    quads.push_back(quad);
  }
  return quads;
}

// The corner of a polygon with the smallest world x and y.
inline WorldPoint lowerCorner(const FeedbackPolygon &polygon) {
  WorldPoint corner = toWorld(polygon.vertices.front());
  for (const FeedbackVertex &vertex : polygon.vertices) {
    const WorldPoint point = toWorld(vertex);
    corner.x = std::min(corner.x, point.x);
    corner.y = std::min(corner.y, point.y);
  }
  return corner;
}

// The corner with the largest world x and y.
inline WorldPoint upperCorner(const FeedbackPolygon &polygon) {
  WorldPoint corner = toWorld(polygon.vertices.front());
  for (const FeedbackVertex &vertex : polygon.vertices) {
    const WorldPoint point = toWorld(vertex);
    corner.x = std::max(corner.x, point.x);
    corner.y = std::max(corner.y, point.y);
  }
  return corner;
}

// Quads drawn in the world, joined again from the feedback triangles.
inline std::vector<FeedbackPolygon> captureWorldQuads(const std::function<void()> &draw) {
  return joinQuads(GlTest::captureFeedback(draw));
}
