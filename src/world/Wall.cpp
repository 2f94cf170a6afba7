#include "world/Wall.h"

#include "gfx/Gl.h"
#include "gfx/Texture.h"
#include "ui/MessageOutput.h"
#include "world/View.h"

namespace {

constexpr float TOP_HEIGHT = 2.5f;
// The nine corners of the quarters on the ground; the same nine on the top
// follow at index + 9.
constexpr int GROUND_POINTS = 9;
constexpr float GROUND_CORNERS[GROUND_POINTS][2] = {{0.0f, 0.0f}, {0.5f, 0.0f}, {1.0f, 0.0f},
                                                    {1.0f, 0.5f}, {1.0f, 1.0f}, {0.5f, 1.0f},
                                                    {0.0f, 1.0f}, {0.0f, 0.5f}, {0.5f, 0.5f}};

enum Quarter { NO_QUARTER = -1, UL, UR, LL, LR, QUARTER_COUNT };

struct Face {
  Quarter quarter;   // the quarter the face belongs to
  Quarter neighbour; // inner faces: the quarter whose emptiness shows the face
  int points[4];
  float s1, s2;
};

// Quarter by quarter: the two outer faces on the space's edges, then the
// inner faces on the centre lines.
constexpr Face SIDE_FACES[] = {
    {UL, NO_QUARTER, {6, 7, 16, 15}, 0.0f, 0.5f}, {UL, NO_QUARTER, {5, 6, 15, 14}, 0.5f, 1.0f},
    {UL, UR, {8, 5, 14, 17}, 0.5f, 1.0f},         {UL, LL, {7, 8, 17, 16}, 0.0f, 0.5f},
    {UR, NO_QUARTER, {4, 5, 14, 13}, 0.0f, 0.5f}, {UR, NO_QUARTER, {3, 4, 13, 12}, 0.5f, 1.0f},
    {UR, UL, {5, 8, 17, 14}, 0.0f, 0.5f},         {UR, LR, {8, 3, 12, 17}, 0.5f, 1.0f},
    {LL, NO_QUARTER, {7, 0, 9, 16}, 0.5f, 1.0f},  {LL, NO_QUARTER, {0, 1, 10, 9}, 0.0f, 0.5f},
    {LL, UL, {8, 7, 16, 17}, 0.5f, 1.0f},         {LL, LR, {1, 8, 17, 10}, 0.0f, 0.5f},
    {LR, NO_QUARTER, {1, 2, 11, 10}, 0.5f, 1.0f}, {LR, NO_QUARTER, {2, 3, 12, 11}, 0.0f, 0.5f},
    {LR, UR, {3, 8, 17, 12}, 0.0f, 0.5f},         {LR, LL, {8, 1, 10, 17}, 0.5f, 1.0f},
};

constexpr int WHOLE_TOP[4] = {9, 11, 13, 15};
// Indexed by Quarter.
constexpr int QUARTER_TOPS[QUARTER_COUNT][4] = {
    {16, 17, 14, 15}, {17, 12, 13, 14}, {9, 10, 17, 16}, {10, 11, 12, 17}};

struct HalfTop {
  Quarter first, second; // the two quarters the half covers
  int points[4];
};

// Tried in this order; the first half whose quarters are both filled is
// drawn as one piece and the other filled quarters by themselves.
constexpr HalfTop HALF_TOPS[] = {
    {UL, UR, {16, 12, 13, 15}},
    {LL, LR, {9, 11, 12, 16}},
    {UL, LL, {9, 10, 14, 15}},
    {UR, LR, {10, 11, 13, 14}},
};

} // namespace

Wall::Wall(std::int32_t theId, bool theA, bool theB, bool theC, bool theD,
           std::int32_t theWallTexture) {
  loadPointArray();
  setKind(theId);
  wallTexture = theWallTexture;
  buildWall(theA, theB, theC, theD);
  Wall::load();
}

void Wall::load() {
  if (kind == WallKind) {
    setAll("building wall", WallKind, 0, 0, true, true, true, true, true);
  }
}

void Wall::buildWall(bool newA, bool newB, bool newC, bool newD) {
  quarterA = newA;
  quarterB = newB;
  quarterC = newC;
  quarterD = newD;
}

void Wall::loadPointArray() {
  for (int i = 0; i < GROUND_POINTS; ++i) {
    points[i][0] = points[i + GROUND_POINTS][0] = GROUND_CORNERS[i][0];
    points[i][1] = points[i + GROUND_POINTS][1] = GROUND_CORNERS[i][1];
    points[i][2] = GROUND_HEIGHT;
    points[i + GROUND_POINTS][2] = TOP_HEIGHT;
  }
}

void Wall::onLook() {
  printMessage("You see a part of " + name + ".");
}

void Wall::onUse() {
  printMessage("You can't use a wall.");
}

bool Wall::isFilled(int quarter) const {
  switch (quarter) {
  case UL:
    return quarterA;
  case UR:
    return quarterB;
  case LL:
    return quarterC;
  case LR:
    return quarterD;
  default:
    return false;
  }
}

void Wall::quad(int p1, int p2, int p3, int p4, float theX, float theY, float s1, float s2) const {
  const int corners[4] = {p1, p2, p3, p4};
  const float s[4] = {s1, s2, s2, s1};
  const float t[4] = {0.0f, 0.0f, 1.0f, 1.0f};
  for (int i = 0; i < 4; ++i) {
    const float *point = points[corners[i]];
    const float x = theX + point[0];
    const float y = theY + point[1];
    glNormal3f(x, y, point[2]);
    glTexCoord2f(s[i], t[i]);
    glVertex3f(x, y, point[2]);
  }
}

void Wall::draw(float theX, float theY) {
  bindTexture(wallTexture);
  glBegin(GL_QUADS);
  drawSides(theX, theY);
  glColor3f(0.0f, 0.0f, 0.0f);
  drawTops(theX, theY);
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnd();
}

void Wall::drawSides(float theX, float theY) const {
  for (const Face &face : SIDE_FACES) {
    const bool shown =
        isFilled(face.quarter) && (face.neighbour == NO_QUARTER || !isFilled(face.neighbour));
    if (shown) {
      quad(face.points[0], face.points[1], face.points[2], face.points[3], theX, theY, face.s1,
           face.s2);
    }
  }
}

void Wall::drawTops(float theX, float theY) const {
  auto topQuad = [&](const int(&p)[4]) { quad(p[0], p[1], p[2], p[3], theX, theY, 0.0f, 1.0f); };
  if (quarterA && quarterB && quarterC && quarterD) {
    topQuad(WHOLE_TOP);
    return;
  }
  Quarter firstHalf = NO_QUARTER;
  Quarter secondHalf = NO_QUARTER;
  for (const HalfTop &half : HALF_TOPS) {
    if (isFilled(half.first) && isFilled(half.second)) {
      topQuad(half.points);
      firstHalf = half.first;
      secondHalf = half.second;
      break;
    }
  }
  for (int quarter = 0; quarter < QUARTER_COUNT; ++quarter) {
    if (isFilled(quarter) && quarter != firstHalf && quarter != secondHalf) {
      topQuad(QUARTER_TOPS[quarter]);
    }
  }
}
