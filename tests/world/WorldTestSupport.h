#pragma once
// What the world tests share: a view straight down in which one world unit
// is 20 pixels around the middle of the buffer, so that feedback corners read
// back as world positions, and short ways to build a map.

#include "GlContext.h"
#include "MessageRecorder.h"
#include "ScreenQuads.h"

#include "gfx/Gl.h"
#include "objects/Being.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"
#include "world/LoadedArea.h"
#include "world/Wall.h"

#include <functional>
#include <memory>
#include <vector>

inline Wall *makeWall(bool a, bool b, bool c, bool d, int kind = WallKind) {
  return ObjectStore::make<Wall>(kind, a, b, c, d, 10);
}

// visit(i, j, x, y, space) for every space of the nine cells, in the order
// of cells (i, j) and then spaces (x, y), each with the last index inner.
template <typename Visit> void forEverySpace(LoadedArea &area, Visit visit) {
  for (int k = 0; k < 9 * 900; ++k) {
    visit(k / 2700, k / 900 % 3, k / 30 % 30, k % 30,
          area.getCell(k / 2700, k / 900 % 3).getSpace(k / 30 % 30, k % 30));
  }
}

class WorldGlTest : public GlTest {
protected:
  static constexpr float UNIT = 20.0f, MIDDLE_X = TEST_WIDTH / 2.0f, MIDDLE_Y = TEST_HEIGHT / 2.0f;
  std::unique_ptr<LoadedArea> area = std::make_unique<LoadedArea>();

  void SetUp() override {
    GlTest::SetUp();
    glTranslatef(MIDDLE_X, MIDDLE_Y, 0.0f);
    glScalef(UNIT, UNIT, 0.1f);
  }
  // The sum of a count over every space of the nine cells.
  int total(const std::function<int(Space &)> &count) {
    int sum = 0;
    forEverySpace(*area, [&](int, int, int, int, Space &space) { sum += count(space); });
    return sum;
  }
  // Heights from -10 to 10 lie at the depths 1 to 0.
  static float worldZ(const FeedbackVertex &corner) { return (0.5f - corner.z) * 20.0f; }
  // Left, bottom, right and top in world units.
  static std::vector<float> worldBounds(const ScreenQuad &quad) {
    return {(quad.left - MIDDLE_X) / UNIT, (quad.bottom - MIDDLE_Y) / UNIT,
            (quad.right - MIDDLE_X) / UNIT, (quad.top - MIDDLE_Y) / UNIT};
  }
};
