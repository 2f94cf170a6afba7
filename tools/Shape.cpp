#include "Shape.h"

#include <algorithm>
#include <utility>

Shape::Shape(float left, float top, float right, float bottom, Test inside)
    : left(left), top(top), right(right), bottom(bottom), inside(std::move(inside)) {}

Shape Shape::rectangle(float left, float top, float right, float bottom) {
  return Shape(left, top, right, bottom,
               [=](float x, float y) { return x >= left && x < right && y >= top && y < bottom; });
}

Shape Shape::roundedRectangle(float left, float top, float right, float bottom, float radius) {
  return Shape(left, top, right, bottom, [=](float x, float y) {
    if (x < left || x >= right || y < top || y >= bottom) {
      return false;
    }
    // Distance from the rectangle shrunk by the radius decides the corners.
    const float dx = std::max({left + radius - x, 0.0f, x - (right - radius)});
    const float dy = std::max({top + radius - y, 0.0f, y - (bottom - radius)});
    return dx * dx + dy * dy <= radius * radius;
  });
}

Shape Shape::circle(float centreX, float centreY, float radius) {
  return ellipse(centreX, centreY, radius, radius);
}

Shape Shape::ellipse(float centreX, float centreY, float radiusX, float radiusY) {
  return Shape(centreX - radiusX, centreY - radiusY, centreX + radiusX, centreY + radiusY,
               [=](float x, float y) {
                 const float u = (x - centreX) / radiusX;
                 const float v = (y - centreY) / radiusY;
                 return u * u + v * v <= 1.0f;
               });
}

Shape Shape::ring(float centreX, float centreY, float outerRadius, float innerRadius) {
  return circle(centreX, centreY, outerRadius).without(circle(centreX, centreY, innerRadius));
}

Shape Shape::segment(Point from, Point to, float width) {
  const float half = width / 2;
  const float dx = to.x - from.x;
  const float dy = to.y - from.y;
  const float lengthSquared = dx * dx + dy * dy;
  return Shape(std::min(from.x, to.x) - half, std::min(from.y, to.y) - half,
               std::max(from.x, to.x) + half, std::max(from.y, to.y) + half, [=](float x, float y) {
                 float t = 0;
                 if (lengthSquared > 0) {
                   t = std::clamp(((x - from.x) * dx + (y - from.y) * dy) / lengthSquared, 0.0f,
                                  1.0f);
                 }
                 const float ex = from.x + t * dx - x;
                 const float ey = from.y + t * dy - y;
                 return ex * ex + ey * ey <= half * half;
               });
}

Shape Shape::polygon(std::vector<Point> corners) {
  float left = corners.front().x;
  float right = left;
  float top = corners.front().y;
  float bottom = top;
  for (const Point &corner : corners) {
    left = std::min(left, corner.x);
    right = std::max(right, corner.x);
    top = std::min(top, corner.y);
    bottom = std::max(bottom, corner.y);
  }
  return Shape(left, top, right, bottom, [corners = std::move(corners)](float x, float y) {
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      const Point &a = corners[i];
      const Point &b = corners[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
        inside = !inside;
      }
    }
    return inside;
  });
}

Shape Shape::symmetricPolygon(const std::vector<Point> &leftSide, float axis) {
  std::vector<Point> corners(leftSide);
  for (auto corner = leftSide.rbegin(); corner != leftSide.rend(); ++corner) {
    corners.push_back({2 * axis - corner->x, corner->y});
  }
  return polygon(std::move(corners));
}

Shape Shape::without(const Shape &hole) const {
  return Shape(left, top, right, bottom, [outer = inside, inner = hole.inside](float x, float y) {
    return outer(x, y) && !inner(x, y);
  });
}

Shape Shape::intersectedWith(const Shape &other) const {
  return Shape(std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
               std::min(bottom, other.bottom),
               [first = inside, second = other.inside](float x, float y) {
                 return first(x, y) && second(x, y);
               });
}

Shape Shape::translated(float dx, float dy) const {
  return Shape(left + dx, top + dy, right + dx, bottom + dy,
               [original = inside, dx, dy](float x, float y) { return original(x - dx, y - dy); });
}

Shape Shape::scaled(float factor) const {
  return Shape(
      left * factor, top * factor, right * factor, bottom * factor,
      [original = inside, factor](float x, float y) { return original(x / factor, y / factor); });
}
