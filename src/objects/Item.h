#pragma once
// A portable world object: vase, helm, sword, armor, pair of boots, apple or
// gold. Everything about an item follows from its kind code.

#include "objects/WorldObject.h"

#include <cstdint>

// Which equipment slot an item fits, or what else it is good for.
enum ItemCategory : std::int32_t {
  HeadCategory = 0,
  HandCategory = 1,
  BodyCategory = 3,
  FeetCategory = 4,
  FoodCategory = 5,
  VesselCategory = 6,
  ValuableCategory = 7,
};

class Item : public WorldObject {
public:
  // Kinds 4 to 10 get their row of the kind table; any other kind stays a
  // nameless, weightless item that draws nothing in the 3D view.
  explicit Item(std::int32_t newKind);

  void draw(float theX, float theY) override;
  // "You see one <name>. It weights <whole weight>."
  void onLook() override;
  // Food is eaten (a message only: the caller removes the item); anything
  // else cannot be used.
  void onUse() override;
  void update(float milliseconds) override;
  void load() override;

  // The item's square icon in window pixels, mirrored left to right, with
  // its corners truncated to whole pixels.
  void drawIcon(float x, float y, float size) const;

  double getWeight() const { return weight; }
  bool isPortable() const { return portable; }
  std::int32_t getTexture() const { return texture; }
  std::int32_t getCategory() const { return category; }
  std::int32_t getDamage() const { return damage; }

private:
  double weight = 0.0;
  bool portable = false;
  std::int32_t texture = 0;
  std::int32_t category = 0;
  std::int32_t damage = 0;
};

// One square of an icon with corners truncated to whole pixels, its bound
// texture mirrored left to right; items and empty equipment slots share it.
void drawIconSquare(float x, float y, float size);
