#pragma once
// A piece of building wall on a space: any combination of the space's four
// quarters filled with a block 1.5 units high. Whatever its shape it blocks
// the whole space.

#include "objects/WorldObject.h"

#include <cstdint>

class Wall : public WorldObject {
public:
  // theId is the object kind (always WallKind); theA to theD fill the
  // upper-left, upper-right, lower-left and lower-right quarters.
  Wall(std::int32_t theId, bool theA, bool theB, bool theC, bool theD, std::int32_t theWallTexture);

  void draw(float theX, float theY) override;
  void onLook() override;
  void onUse() override;
  // Sets the wall's name and flags when its kind is WallKind.
  void load() override;

  std::int32_t getWallTexture() const { return wallTexture; }
  bool getA() const { return quarterA; }
  bool getB() const { return quarterB; }
  bool getC() const { return quarterC; }
  bool getD() const { return quarterD; }
  void buildWall(bool newA, bool newB, bool newC, bool newD);

  void loadPointArray();
  // Emits one textured quadrilateral over four entries of the point table,
  // shifted by (theX, theY); the caller brackets it with glBegin(GL_QUADS)
  // and glEnd.
  void quad(int p1, int p2, int p3, int p4, float theX, float theY, float s1, float s2) const;

  static constexpr int POINT_COUNT = 18;

private:
  bool isFilled(int quarter) const;
  void drawSides(float theX, float theY) const;
  void drawTops(float theX, float theY) const;

  std::int32_t wallTexture = 0;
  bool quarterA = false;
  bool quarterB = false;
  bool quarterC = false;
  bool quarterD = false;
  float points[POINT_COUNT][3] = {};
};
