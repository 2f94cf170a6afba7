#pragma once
// A picture being painted: 8-bit RGBA pixels, row 0 at the top. Whether it
// keeps its alpha decides how it is stored (32 or 24 bits per pixel).

#include "Colour.h"
#include "Shape.h"

#include <functional>
#include <vector>

class Image {
public:
  using Paint = std::function<Colour(float x, float y)>;

  Image(int width, int height, bool keepsAlpha, Colour background);

  int getWidth() const { return width; }
  int getHeight() const { return height; }
  bool keepsAlpha() const { return withAlpha; }

  // Pixels outside the picture read as transparent and ignore writes.
  Colour getPixel(int x, int y) const;
  void setPixel(int x, int y, Colour colour);
  // Paints colour over the pixel with the given share of the pixel covered.
  void blendPixel(int x, int y, Colour colour, float coverage);

  // Paints the shape, anti-aliased by sampling every pixel 4 x 4 times.
  void fill(const Shape &shape, Colour colour);
  void fill(const Shape &shape, const Paint &paint);
  // Paints the shape and its copies one picture width or height away, so
  // what crosses an edge comes back on the opposite edge (tiling textures).
  void fillWrapped(const Shape &shape, Colour colour);

  // Copies the left half mirrored onto the right half.
  void mirrorLeftHalf();
  // Gives fully transparent pixels the colour of their visible neighbours,
  // so linear filtering at an outline does not fade towards black.
  void spreadColourUnderTransparency();

private:
  // Averages the colours of the neighbours known before this pass.
  void spreadInto(int x, int y, const std::vector<bool> &knownBefore, std::vector<bool> &known);

  int width;
  int height;
  bool withAlpha;
  std::vector<Colour> pixels;
};
