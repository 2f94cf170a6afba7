#include "shell/web/PagePointer.h"

namespace {

constexpr int PRIMARY_BUTTON = 0;

// CSS pixels to buffer pixels along one axis; an element not laid out yet
// shows nothing to point at.
double bufferCoordinate(double css, double cssSize, int bufferSize) {
  return cssSize > 0.0 ? css * bufferSize / cssSize : 0.0;
}

} // namespace

PointerAction pointerAction(const PagePointerEvent &event, const CanvasSize &canvas) {
  if (!event.primary) {
    return {false, false, 0.0, 0.0};
  }
  const bool clicks = event.kind == PointerKind::Down && event.button == PRIMARY_BUTTON;
  return {true, clicks, bufferCoordinate(event.cssX, canvas.cssWidth, canvas.bufferWidth),
          bufferCoordinate(event.cssY, canvas.cssHeight, canvas.bufferHeight)};
}
