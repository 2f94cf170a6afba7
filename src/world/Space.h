#pragma once
// One square of the world map: a pile of items, at most one being and at
// most one wall piece, none of them owned. The space answers the player's
// verbs for whatever stands on it and draws its ground, its objects and its
// selection mark.

#include "gfx/Texture.h"
#include "objects/Inventory.h"
#include "world/Direction.h"

#include <cstdint>

class Being;
class Wall;

class Space {
public:
  // Values of the selection mark.
  enum Mark : std::int32_t {
    NoMark = 0,
    ChosenMark = 1,    // by a click; kept until cleared
    TemporaryMark = 2, // drawn once, then cleared
  };

  Space() = default;
  explicit Space(std::int32_t newGroundTexture);
  // Copying a space copies its references, never the objects.

  bool hasBeing() const { return being != nullptr; }
  Being *getBeing() const { return being; }
  // No check that the space is free: the movement rules decide that.
  void setBeing(Being *newBeing) { being = newBeing; }
  void removeBeing() { being = nullptr; }
  bool hasWall() const { return wall != nullptr; }
  Wall *getWall() const { return wall; }
  void setWall(Wall *newWall) { wall = newWall; }

  // Appends to the pile; the first item is the one added earliest.
  void addItem(WorldObject *newItem);
  // Takes the first item off the pile; null when the pile is empty.
  WorldObject *removeTop();
  Inventory &getItemPile() { return itemPile; }
  const Inventory &getItemPile() const { return itemPile; }

  // Derived flags, valid as of the last update: objects added or removed
  // since then are not reflected.
  bool isBlocked(std::int32_t side) const { return blocked[side]; }
  bool isOccupied() const { return occupied; }

  bool isSelected() const { return selected != NoMark; }
  std::int32_t getSelected() const { return selected; }
  void setSelected(std::int32_t newSelected) { selected = newSelected; }
  std::int32_t getSelectId() const { return selectId; }
  void setSelectId(std::int32_t newSelectId) { selectId = newSelectId; }
  std::int32_t getGroundTexture() const { return groundTexture; }

  // Advances every object on the space, then recomputes the derived flags.
  void update(float milliseconds);

  // (theX, theY) is the space's lower corner in view coordinates.
  // Ground square; during a picking pass it also takes the next name.
  void drawGrid(float theX, float theY);
  // The pile marker or the single item, then the being or else the wall.
  void draw(float theX, float theY);
  // The selection overlay; a temporary mark is cleared by drawing it.
  void drawSelected(float theX, float theY);
  // The ground as a labelled diamond in window pixels.
  void drawIcon(float theX, float theY, float width) const;

  // Each verb answers with one reaction of an object or one message.
  void look();
  void use();
  void hit(std::int32_t damage);

private:
  void updateBlocked();
  void updateOccupied();
  // The wall, else the being: what decides the derived flags.
  WorldObject *standingObject() const;
  // The being, else the wall: what answers a verb ahead of the pile.
  WorldObject *answeringObject() const;
  void drawPileMarker(float theX, float theY) const;
  void drawSquare(float theX, float theY, float height) const;

  Inventory itemPile;
  std::int32_t groundTexture = GroundTexture;
  bool blocked[DIRECTION_COUNT] = {};
  bool occupied = false;
  Being *being = nullptr;
  Wall *wall = nullptr;
  std::int32_t selected = NoMark;
  std::int32_t selectId = 0;
};
