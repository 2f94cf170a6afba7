#pragma once
// Everything that can stand on a map square: items, beings and wall pieces.

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

  // Draws the object in the 3D view; (theX, theY) is the lower corner of its
  // space in view coordinates, to which the object adds its own offset.
  virtual void draw(float theX, float theY) = 0;
  virtual void onLook();
  virtual void onUse() {}
  virtual void onHit(std::int32_t damage) { (void)damage; }
  // Advances the step animation by the elapsed milliseconds.
  virtual void update(float milliseconds) { (void)milliseconds; }
  // Sets the kind-specific state of a new object.
  virtual void load() {}

  void setAll(const std::string &newName, std::int32_t newKind, std::int32_t x, std::int32_t y,
              bool block0, bool block1, bool block2, bool block3, bool newSolid);

  std::string getName() const { return name; }
  std::int32_t getKind() const { return kind; }
  void setKind(std::int32_t newKind) { kind = newKind; }
  float getOffsetX() const { return offsetX; }
  float getOffsetY() const { return offsetY; }
  void setOffsetX(float value) { offsetX = value; }
  void setOffsetY(float value) { offsetY = value; }
  // Whether the object stops movement across its space's side facing side (0 to 3).
  bool blocksSide(std::int32_t side) const { return blocks[side]; }
  bool isSolid() const { return solid; }

protected:
  WorldObject() = default;
  // World objects are referred to by pointer everywhere and never copied.
  WorldObject(const WorldObject &) = delete;
  WorldObject &operator=(const WorldObject &) = delete;

  std::string name;
  std::int32_t kind = 0;
  float offsetX = 0.0f;
  float offsetY = 0.0f;
  bool blocks[4] = {};
  bool solid = false;
};
