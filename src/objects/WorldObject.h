#pragma once
// Everything that can stand on a map square: items, beings and wall pieces.
// World objects are made only through ObjectStore, which owns them; spaces,
// inventories, equipment slots and the held object refer to them by pointer.

#include <cstdint>
#include <string>

enum ObjectKind : std::int32_t {
  PlayerKind = 1,
  WallKind = 2,
  PersonKind = 3,
  VaseKind = 4,
  HelmKind = 5,
  SwordKind = 6,
  ArmorKind = 7,
  BootsKind = 8,
  AppleKind = 9,
  GoldKind = 10,
};

class WorldObject {
public:
  virtual ~WorldObject() = default;
  WorldObject(const WorldObject &) = delete;
  WorldObject &operator=(const WorldObject &) = delete;

  // Draws the object in the 3D view; (theX, theY) is the lower corner of its
  // space in view coordinates, to which the object adds its own offset.
  virtual void draw(float theX, float theY) = 0;
  // Prints "You see <name>." unless the class says more.
  virtual void onLook();
  virtual void onUse() {}
  virtual void onHit(std::int32_t damage) { (void)damage; }
  // Advances the step animation by the elapsed milliseconds.
  virtual void update(float milliseconds) { (void)milliseconds; }
  // Sets the kind-specific state of a new object from its kind.
  virtual void load() {}

  // Sets every base field at once; the offsets take whole numbers.
  void setAll(const std::string &newName, std::int32_t newKind, std::int32_t x, std::int32_t y,
              bool block0, bool block1, bool block2, bool block3, bool newSolid);

  std::string getName() const { return name; }
  std::int32_t getKind() const { return kind; }
  void setKind(std::int32_t newKind) { kind = newKind; }
  float getOffsetX() const { return offsetX; }
  float getOffsetY() const { return offsetY; }
  void setOffsetX(float value) { offsetX = value; }
  void setOffsetY(float value) { offsetY = value; }
  // Whether the object stops movement across its space's side facing side
  // (0 to 3); any other side is never blocked.
  bool blocksSide(std::int32_t side) const;
  bool isSolid() const { return solid; }

protected:
  WorldObject() = default;

  // One frame of the step slide back to the object's own space: one axis
  // per call, x before y, never past 0. Returns true when an offset was
  // clamped to 0, that is when the slide came to rest in this call.
  bool slideTowardsRest(float milliseconds);

  std::string name;
  std::int32_t kind = 0;
  float offsetX = 0.0f;
  float offsetY = 0.0f;
  bool blocks[4] = {};
  bool solid = false;
};
