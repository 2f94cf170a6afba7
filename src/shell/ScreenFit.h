#pragma once
// The game's logical screen (1024 x 768 client pixels, which the game, the
// interface and picking think in) fitted whole into a drawable of any size:
// one scale for both axes, the picture centred, bars on the rest. The shells
// draw through the fitted viewport and map the pointer back through it.

#include <cstdint>

class ScreenFit {
public:
  // A drawable of width x height real pixels; an empty one fits nothing.
  ScreenFit(int drawableWidth, int drawableHeight);

  // The picture in drawable pixels, as glViewport takes it: left and bottom
  // edges, width and height.
  int left() const { return pictureLeft; }
  int bottom() const { return pictureBottom; }
  int width() const { return pictureWidth; }
  int height() const { return pictureHeight; }

  // The logical pixel under a drawable position (origin top-left, fractions
  // within a pixel allowed); false when the position lies on a bar or off
  // the drawable, which leaves x and y as they were.
  bool toLogical(double drawableX, double drawableY, std::int32_t &x, std::int32_t &y) const;

private:
  int drawableHeight;
  int pictureLeft = 0;
  int pictureBottom = 0;
  int pictureWidth = 0;
  int pictureHeight = 0;
};
