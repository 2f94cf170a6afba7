#pragma once
// A person on the map: the player (kind 1) or someone else (kind 3), with
// five equipment slots, a carried inventory, statistics and an action mode.

#include "objects/Equipment.h"
#include "objects/Inventory.h"
#include "objects/Item.h"
#include "objects/Stats.h"
#include "objects/WorldObject.h"

#include <cstdint>

// What a being is doing or about to do. The movement rules move only a
// being whose mode is None.
enum ActionMode : std::int32_t {
  None = 0,
  Walking = 1,
  Get = 2,
  Move = 3,
  Look = 4,
  Use = 5,
  Attack = 6,
};

class Being : public WorldObject {
public:
  // The player is made wearing a helm, an armor, boots and two swords, all
  // made through ObjectStore; its carried weight still starts at 0.
  explicit Being(std::int32_t newKind);

  void draw(float theX, float theY) override;
  // "Talking to <name>."
  void onUse() override;
  // Prints the hit, lowers the hit points and, below 1, prints the death
  // line; nothing else happens to a dead being.
  void onHit(std::int32_t damage) override;
  // Slides back to rest while Walking and ends the walk when it gets there.
  void update(float milliseconds) override;
  void load() override;

  // The portrait with the name above it, in window pixels; picked as 9003.
  void drawFace(float theX, float theY, float width, float height) const;
  // The nine statistics lines, 15 pixels apart, the first 30 pixels below
  // theY. width is not used.
  void drawStat(float theX, float theY, float width) const;

  Inventory &getInventory() { return inventory; }
  const Inventory &getInventory() const { return inventory; }
  Equipment &getEquipment() { return equipment; }
  const Equipment &getEquipment() const { return equipment; }
  ActionMode getActionMode() const { return actionMode; }
  void setAction(ActionMode newAction) { actionMode = newAction; }
  // The item in the slot with that pick name (9004 to 9008), or null.
  Item *getEquipped(std::int32_t slot) const { return equipment.get(slot); }
  const Stats &getStats() const { return stats; }

private:
  static constexpr std::int32_t BlueFacePortrait = 0;

  void resetState();

  Equipment equipment;
  Inventory inventory;
  Stats stats;
  ActionMode actionMode = None;
  std::int32_t portraitTexture = BlueFacePortrait;
};
