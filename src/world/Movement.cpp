#include "world/Movement.h"

#include "objects/Being.h"
#include "world/Direction.h"
#include "world/LoadedArea.h"

#include <cstdlib>

float originLocalX = 0.0f;
float originLocalY = 0.0f;
float originWorldX = 0.0f;
float originWorldY = 0.0f;

namespace {

// One step in each Direction, in world units.
constexpr std::int32_t STEP_X[DIRECTION_COUNT] = {0, -1, 1, 0};
constexpr std::int32_t STEP_Y[DIRECTION_COUNT] = {1, 0, 0, -1};

// A step is tried on one call of wander out of this many.
constexpr int WANDER_CHANCE = 5;

Space &originSpace(LoadedArea &area) {
  return area.getCell(LoadedArea::CENTRE, LoadedArea::CENTRE)
      .getSpace(static_cast<std::int32_t>(originLocalX), static_cast<std::int32_t>(originLocalY));
}

// Only the coordinate along the step wraps; the other stays the origin's.
Space &destinationSpace(LoadedArea &area, std::int32_t direction) {
  const float x =
      STEP_X[direction] != 0 ? wrapToCell(originWorldX + STEP_X[direction]) : originLocalX;
  const float y =
      STEP_Y[direction] != 0 ? wrapToCell(originWorldY + STEP_Y[direction]) : originLocalY;
  return area.getCell(LoadedArea::CENTRE, LoadedArea::CENTRE)
      .getSpace(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
}

// The moved object is put on its new space at once and drawn one space
// back, from where its update slides it home.
void startSlide(WorldObject *object, std::int32_t direction) {
  if (STEP_X[direction] != 0) {
    object->setOffsetX(static_cast<float>(-STEP_X[direction]));
  } else {
    object->setOffsetY(static_cast<float>(-STEP_Y[direction]));
  }
}

} // namespace

void setMoveOrigin(float localX, float localY, float worldX, float worldY) {
  originLocalX = localX;
  originLocalY = localY;
  originWorldX = worldX;
  originWorldY = worldY;
}

float wrapToCell(float value) {
  const std::int32_t wrapped = static_cast<std::int32_t>(value) % Cell::SIZE;
  return static_cast<float>(wrapped < 0 ? wrapped + Cell::SIZE : wrapped);
}

bool moveBeing(LoadedArea &area, Being *being, std::int32_t direction) {
  if (being->getActionMode() != None || !isDirection(direction)) {
    return false;
  }
  Space &destination = destinationSpace(area, direction);
  // The flags date from the last update, so a being that entered this frame
  // is seen only through the space itself; stepping onto it would lose it.
  if (destination.isBlocked(oppositeSide(direction)) || destination.hasBeing()) {
    return false;
  }
  originSpace(area).removeBeing();
  startSlide(being, direction);
  being->setAction(Walking);
  destination.setBeing(being);
  return true;
}

void pushItem(LoadedArea &area, WorldObject *item, std::int32_t direction) {
  if (!isDirection(direction)) {
    return;
  }
  Space &destination = destinationSpace(area, direction);
  Space &origin = originSpace(area);
  if (destination.isOccupied() || item == nullptr || origin.getItemPile().at(0) != item) {
    return;
  }
  origin.removeTop();
  startSlide(item, direction);
  destination.addItem(item);
}

void wander(LoadedArea &area, Being *being) {
  if (being->getKind() == PlayerKind) {
    return;
  }
  if (std::rand() % WANDER_CHANCE != 0) {
    return;
  }
  moveBeing(area, being, std::rand() % DIRECTION_COUNT);
}
