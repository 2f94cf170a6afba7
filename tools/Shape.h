#pragma once
// A filled region of the plane in pixel units (x to the right, y downwards,
// pixel (i, j) covering [i, i + 1) x [j, j + 1)), with a bounding box so that
// painting only visits the pixels it may touch.

#include <functional>
#include <vector>

struct Point {
  float x;
  float y;
};

class Shape {
public:
  static Shape rectangle(float left, float top, float right, float bottom);
  static Shape roundedRectangle(float left, float top, float right, float bottom, float radius);
  static Shape circle(float centreX, float centreY, float radius);
  static Shape ellipse(float centreX, float centreY, float radiusX, float radiusY);
  static Shape ring(float centreX, float centreY, float outerRadius, float innerRadius);
  // A stroke of the given width with round ends.
  static Shape segment(Point from, Point to, float width);
  // Even-odd rule, so a self-crossing outline leaves holes.
  static Shape polygon(std::vector<Point> corners);
  // A polygon mirrored about the vertical line x = axis: leftSide runs from
  // the top down on the left of the axis; its mirror image closes the outline.
  static Shape symmetricPolygon(const std::vector<Point> &leftSide, float axis);

  Shape without(const Shape &hole) const;
  Shape intersectedWith(const Shape &other) const;
  Shape translated(float dx, float dy) const;
  // The same shape with every coordinate multiplied by factor.
  Shape scaled(float factor) const;

  bool contains(float x, float y) const { return inside(x, y); }
  float getLeft() const { return left; }
  float getTop() const { return top; }
  float getRight() const { return right; }
  float getBottom() const { return bottom; }

private:
  using Test = std::function<bool(float, float)>;
  Shape(float left, float top, float right, float bottom, Test inside);

  float left;
  float top;
  float right;
  float bottom;
  Test inside;
};
