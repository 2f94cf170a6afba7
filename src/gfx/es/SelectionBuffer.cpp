#include "gfx/es/SelectionBuffer.h"

#include <algorithm>
#include <array>

namespace {

constexpr int PLANES = 6;
// A triangle gains at most one corner from each plane it is clipped against.
constexpr int MAXIMUM_CORNERS = 3 + PLANES;

struct Polygon {
  std::array<Vector4, MAXIMUM_CORNERS> corners;
  int count = 0;
};
constexpr double DEPTH_SCALE = 4294967295.0;

// Signed distance of a clip-space point inside plane p of the view volume
// (non-negative inside): -w <= x, x <= w, and the same for y and z.
float planeDistance(const Vector4 &v, int plane) {
  switch (plane) {
  case 0:
    return v.w + v.x;
  case 1:
    return v.w - v.x;
  case 2:
    return v.w + v.y;
  case 3:
    return v.w - v.y;
  case 4:
    return v.w + v.z;
  default:
    return v.w - v.z;
  }
}

Vector4 interpolate(const Vector4 &a, const Vector4 &b, float t) {
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t,
          a.w + (b.w - a.w) * t};
}

// Sutherland-Hodgman against one plane; points on the plane count as inside.
void clipAgainst(const Polygon &polygon, int plane, Polygon &clipped) {
  clipped.count = 0;
  for (int i = 0; i < polygon.count; ++i) {
    const Vector4 &from = polygon.corners[i];
    const Vector4 &to = polygon.corners[(i + 1) % polygon.count];
    const float dFrom = planeDistance(from, plane);
    const float dTo = planeDistance(to, plane);
    if (dFrom >= 0.0f) {
      clipped.corners[clipped.count++] = from;
    }
    if ((dFrom >= 0.0f) != (dTo >= 0.0f)) {
      clipped.corners[clipped.count++] = interpolate(from, to, dFrom / (dFrom - dTo));
    }
  }
}

bool outsideOnePlane(const Vector4 *corners, int count) {
  for (int plane = 0; plane < PLANES; ++plane) {
    bool allOutside = true;
    for (int i = 0; i < count && allOutside; ++i) {
      allOutside = planeDistance(corners[i], plane) < 0.0f;
    }
    if (allOutside) {
      return true;
    }
  }
  return false;
}

// Counter-clockwise in window coordinates is front-facing. The sign of the
// homogeneous determinant is the winding of the part in front of the eye,
// also when some corners lie behind it.
bool isFrontFacing(const Vector4 &a, const Vector4 &b, const Vector4 &c) {
  const float determinant =
      a.x * (b.y * c.w - b.w * c.y) - a.y * (b.x * c.w - b.w * c.x) + a.w * (b.x * c.y - b.y * c.x);
  return determinant > 0.0f;
}

bool isCulled(bool front, CullMode cull) {
  switch (cull) {
  case CullMode::None:
    return false;
  case CullMode::Back:
    return !front;
  case CullMode::Front:
    return front;
  default:
    return true;
  }
}

} // namespace

void SelectionBuffer::setBuffer(int newSize, std::uint32_t *newBuffer) {
  size = std::max(0, newSize);
  buffer = newBuffer;
}

void SelectionBuffer::begin() {
  count = 0;
  hits = 0;
  names.clear();
  hitFlag = false;
  minDepth = 1.0f;
  maxDepth = 0.0f;
}

int SelectionBuffer::end() {
  writePendingHit();
  const int result = count > size ? -1 : hits;
  begin();
  return result;
}

void SelectionBuffer::initNames() {
  writePendingHit();
  names.clear();
}

bool SelectionBuffer::pushName(std::uint32_t name) {
  writePendingHit();
  if (static_cast<int>(names.size()) >= NAME_STACK_DEPTH) {
    return false;
  }
  names.push_back(name);
  return true;
}

bool SelectionBuffer::loadName(std::uint32_t name) {
  writePendingHit();
  if (names.empty()) {
    return false;
  }
  names.back() = name;
  return true;
}

void SelectionBuffer::addQuad(const Vector4 corners[4], CullMode cull) {
  if (outsideOnePlane(corners, 4)) {
    return;
  }
  addTriangle(corners[0], corners[1], corners[3], cull);
  addTriangle(corners[1], corners[2], corners[3], cull);
}

void SelectionBuffer::addTriangle(const Vector4 &a, const Vector4 &b, const Vector4 &c,
                                  CullMode cull) {
  if (isCulled(isFrontFacing(a, b, c), cull)) {
    return;
  }
  // Two polygons in turn, the clipped one and the one clipped into.
  std::array<Polygon, 2> polygons;
  polygons[0].corners = {a, b, c};
  polygons[0].count = 3;
  int current = 0;
  for (int plane = 0; plane < PLANES && polygons[current].count > 0; ++plane) {
    clipAgainst(polygons[current], plane, polygons[1 - current]);
    current = 1 - current;
  }
  const Polygon &clipped = polygons[current];
  for (int i = 0; i < clipped.count; ++i) {
    const Vector4 &v = clipped.corners[i];
    recordHitDepth(v.z / v.w * 0.5f + 0.5f);
  }
}

void SelectionBuffer::recordHitDepth(float windowDepth) {
  hitFlag = true;
  minDepth = std::min(minDepth, windowDepth);
  maxDepth = std::max(maxDepth, windowDepth);
}

void SelectionBuffer::writePendingHit() {
  if (!hitFlag) {
    return;
  }
  write(static_cast<std::uint32_t>(names.size()));
  write(static_cast<std::uint32_t>(std::clamp(minDepth, 0.0f, 1.0f) * DEPTH_SCALE));
  write(static_cast<std::uint32_t>(std::clamp(maxDepth, 0.0f, 1.0f) * DEPTH_SCALE));
  for (std::uint32_t name : names) {
    write(name);
  }
  ++hits;
  hitFlag = false;
  minDepth = 1.0f;
  maxDepth = 0.0f;
}

// A record that does not fit is written as far as it goes; the count runs
// on so that the end of the mode can tell.
void SelectionBuffer::write(std::uint32_t value) {
  if (count < size) {
    buffer[count] = value;
  }
  ++count;
}
