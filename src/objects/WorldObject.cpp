#include "objects/WorldObject.h"

#include "ui/MessageOutput.h"

namespace {
// Space widths per elapsed millisecond: a step slides back in 200 ms.
constexpr float SLIDE_SPEED = 0.005f;
constexpr std::int32_t SIDE_COUNT = 4;

// Moves offset towards 0 by step without passing it; true when clamped.
bool approachZero(float &offset, float step) {
  if (offset > 0.0f) {
    offset = offset - step;
    if (offset < 0.0f) {
      offset = 0.0f;
      return true;
    }
    return false;
  }
  offset = offset + step;
  if (offset > 0.0f) {
    offset = 0.0f;
    return true;
  }
  return false;
}
} // namespace

void WorldObject::onLook() {
  printMessage("You see " + name + ".");
}

void WorldObject::setAll(const std::string &newName, std::int32_t newKind, std::int32_t x,
                         std::int32_t y, bool block0, bool block1, bool block2, bool block3,
                         bool newSolid) {
  name = newName;
  kind = newKind;
  offsetX = static_cast<float>(x);
  offsetY = static_cast<float>(y);
  blocks[0] = block0;
  blocks[1] = block1;
  blocks[2] = block2;
  blocks[3] = block3;
  solid = newSolid;
}

bool WorldObject::blocksSide(std::int32_t side) const {
  return side >= 0 && side < SIDE_COUNT && blocks[side];
}

bool WorldObject::slideTowardsRest(float milliseconds) {
  const float step = milliseconds * SLIDE_SPEED;
  if (offsetX != 0.0f) {
    return approachZero(offsetX, step);
  }
  // With offsetY at 0 the step is added and clamped straight back, so an
  // object at rest stays put (and reports coming to rest).
  return approachZero(offsetY, step);
}
