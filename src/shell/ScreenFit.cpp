#include "shell/ScreenFit.h"

#include "shell/ShellWindow.h"

#include <algorithm>
#include <cmath>

namespace {

// Whole pixels of the scaled picture along one axis, never more than the
// drawable has: a scale that rounds up would push the picture off the edge.
int scaledSize(double scale, int logicalSize, int drawableSize) {
  const int size = static_cast<int>(std::lround(scale * logicalSize));
  return std::clamp(size, 0, drawableSize);
}

// The logical pixel a drawable coordinate falls in along one axis, or -1 on
// a bar. The picture's far edge belongs to the bar beyond it.
std::int32_t logicalCoordinate(double drawable, int pictureStart, int pictureSize,
                               int logicalSize) {
  const double inPicture = (drawable - pictureStart) / pictureSize;
  if (!(inPicture >= 0.0 && inPicture < 1.0)) {
    return -1;
  }
  return std::min(static_cast<std::int32_t>(inPicture * logicalSize), logicalSize - 1);
}

} // namespace

ScreenFit::ScreenFit(int drawableWidth, int drawableHeight) : drawableHeight(drawableHeight) {
  if (drawableWidth <= 0 || drawableHeight <= 0) {
    return;
  }
  const double scale = std::min(static_cast<double>(drawableWidth) / LOGICAL_SCREEN_WIDTH,
                                static_cast<double>(drawableHeight) / LOGICAL_SCREEN_HEIGHT);
  pictureWidth = scaledSize(scale, LOGICAL_SCREEN_WIDTH, drawableWidth);
  pictureHeight = scaledSize(scale, LOGICAL_SCREEN_HEIGHT, drawableHeight);
  pictureLeft = (drawableWidth - pictureWidth) / 2;
  pictureBottom = (drawableHeight - pictureHeight) / 2;
}

bool ScreenFit::toLogical(double drawableX, double drawableY, std::int32_t &x,
                          std::int32_t &y) const {
  if (pictureWidth == 0 || pictureHeight == 0) {
    return false;
  }
  const int pictureTop = drawableHeight - pictureBottom - pictureHeight;
  const std::int32_t column =
      logicalCoordinate(drawableX, pictureLeft, pictureWidth, LOGICAL_SCREEN_WIDTH);
  const std::int32_t row =
      logicalCoordinate(drawableY, pictureTop, pictureHeight, LOGICAL_SCREEN_HEIGHT);
  if (column < 0 || row < 0) {
    return false;
  }
  x = column;
  y = row;
  return true;
}
