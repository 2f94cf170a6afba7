#include "objects/Equipment.h"

#include "gfx/Picking.h"
#include "gfx/Texture.h"

#include <cmath>

namespace {

// Index into the slot array, or -1 for a number that names no slot.
int slotIndex(std::int32_t itemType) {
  if (itemType < PickHeadSlot || itemType > PickFeetSlot) {
    return -1;
  }
  return itemType - PickHeadSlot;
}

struct SlotPlace {
  float px;
  float py;
};

// Head on top, hands at the sides, body in the middle, feet below.
SlotPlace placeOf(std::int32_t slot, float x, float y, float width, float height, float cell) {
  const float centreX = x + width * 0.5f - cell * 0.5f;
  const float middleY = y + height * 0.5f - cell * 0.5f;
  switch (slot) {
  case PickHeadSlot:
    return {centreX, y + height - 2 * cell};
  case PickLeftHandSlot:
    return {x + cell, middleY};
  case PickRightHandSlot:
    return {x + width - 2 * cell, middleY};
  case PickBodySlot:
    return {centreX, middleY};
  default:
    return {centreX, y + cell};
  }
}

} // namespace

Equipment::Equipment(Item *head, Item *leftHand, Item *rightHand, Item *body, Item *feet)
    : slots{head, leftHand, rightHand, body, feet} {}

Item *Equipment::get(std::int32_t itemType) const {
  const int index = slotIndex(itemType);
  return index < 0 ? nullptr : slots[static_cast<std::size_t>(index)];
}

void Equipment::set(Item *item, std::int32_t itemType) {
  const int index = slotIndex(itemType);
  if (index >= 0) {
    slots[static_cast<std::size_t>(index)] = item;
  }
}

Item *Equipment::take(std::int32_t itemType) {
  Item *item = get(itemType);
  set(nullptr, itemType);
  return item;
}

void Equipment::draw(float x, float y, float width, float height) const {
  const float cell = width / 6;
  for (std::int32_t slot = PickHeadSlot; slot <= PickFeetSlot; ++slot) {
    loadPickName(slot);
    const SlotPlace place = placeOf(slot, x, y, width, height, cell);
    const float px = std::trunc(place.px);
    const float py = std::trunc(place.py);
    if (const Item *item = get(slot)) {
      item->drawIcon(px, py, cell);
    } else {
      drawEmptySlot(px, py, cell);
    }
  }
}

void Equipment::drawEmptySlot(float x, float y, float size) {
  bindTexture(EquipmentSlotTexture);
  drawIconSquare(x, y, size);
}
