#pragma once
// Where a pointer event lands in the canvas's drawing buffer. The page may
// show the canvas at any size, full screen too, with its picture contained:
// scaled evenly to fit and centred, bars filling the rest.

#include <cstdint>

struct CanvasPixel {
  std::int32_t x;
  std::int32_t y;
};

// The buffer pixel under a point given in CSS pixels from the element's
// top-left corner, for an element of the given CSS size showing a buffer of
// the given size. A point on a bar or outside the element goes to the
// nearest pixel of the picture.
CanvasPixel canvasPixelAt(double elementX, double elementY, double elementWidth,
                          double elementHeight, int bufferWidth, int bufferHeight);
