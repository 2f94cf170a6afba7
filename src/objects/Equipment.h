#pragma once
// The five items a being wears or wields. Slots are known by their pick
// names PickHeadSlot (9004) to PickFeetSlot (9008); the items are not owned.

#include "objects/Item.h"

#include <array>
#include <cstdint>

class Equipment {
public:
  Equipment() = default;
  Equipment(Item *head, Item *leftHand, Item *rightHand, Item *body, Item *feet);

  // The item in the slot, or null for an empty slot or a number outside
  // 9004 to 9008.
  Item *get(std::int32_t itemType) const;
  bool isWearing(std::int32_t itemType) const { return get(itemType) != nullptr; }
  // Puts the item (or null) into the slot; other numbers change nothing.
  void set(Item *item, std::int32_t itemType);
  // Empties the slot and returns what it held (null as get says).
  Item *take(std::int32_t itemType);

  // The figure of five slots in the area whose lower-left corner is (x, y);
  // in a selection pass each slot loads its own number as name.
  void draw(float x, float y, float width, float height) const;
  // The empty-slot picture, shaped like an item icon.
  static void drawEmptySlot(float x, float y, float size);

private:
  static constexpr std::size_t SLOT_COUNT = 5;
  std::array<Item *, SLOT_COUNT> slots{};
};
