#include "shell/web/CanvasPixels.h"

#include <algorithm>
#include <cmath>

namespace {

// One axis: the offset of the picture in the element, then whole buffer
// pixels, kept inside the buffer.
std::int32_t bufferCoordinate(double elementPosition, double elementSize, double scale,
                              int bufferSize) {
  const double barSize = (elementSize - bufferSize * scale) / 2.0;
  const double pixel = std::floor((elementPosition - barSize) / scale);
  return static_cast<std::int32_t>(std::clamp(pixel, 0.0, bufferSize - 1.0));
}

} // namespace

CanvasPixel canvasPixelAt(double elementX, double elementY, double elementWidth,
                          double elementHeight, int bufferWidth, int bufferHeight) {
  // An element not laid out yet, or an empty buffer, shows nothing to point at.
  if (!(elementWidth > 0.0 && elementHeight > 0.0) || bufferWidth <= 0 || bufferHeight <= 0) {
    return {0, 0};
  }
  const double scale = std::min(elementWidth / bufferWidth, elementHeight / bufferHeight);
  return {bufferCoordinate(elementX, elementWidth, scale, bufferWidth),
          bufferCoordinate(elementY, elementHeight, scale, bufferHeight)};
}
