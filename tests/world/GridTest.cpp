#include "WorldTestSupport.h"

#include "gfx/Picking.h"
#include "objects/Being.h"
#include "objects/ObjectStore.h"
#include "world/LoadedArea.h"
#include "world/View.h"
#include "world/Wall.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct DrawnSpace {
  int i, j, x, y;
  float px, py;
};

// What one cell drew in a pass.
struct CellView {
  int count = 0;
  int minX = 99, maxX = -99, minY = 99, maxY = -99;
  float minPx = 99, maxPx = -99, minPy = 99, maxPy = -99;
  bool shiftedAlike = true; // px - x and py - y the same for every space
};

template <typename Visit> void forEverySpace(LoadedArea &area, Visit visit) {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      for (int x = 0; x < 30; ++x) {
        for (int y = 0; y < 30; ++y) {
          visit(i, j, x, y, area.getCell(i, j).getSpace(x, y));
        }
      }
    }
  }
}

class WorldGrid : public GlTest {
protected:
  std::unique_ptr<LoadedArea> area = std::make_unique<LoadedArea>();

  void SetUp() override {
    GlTest::SetUp();
    setWorldProjection();
  }
  void TearDown() override {
    viewOffsetX = 0.0f;
    viewOffsetY = 0.0f;
    GlTest::TearDown();
  }

  // Draws the ground around (cx, cy) with the names running, as a picking
  // pass would, and matches each name to the quad drawn under it.
  std::vector<DrawnSpace> drawGround(int cx, int cy, int *counterAfter = nullptr) {
    forEverySpace(*area, [](int, int, int, int, Space &space) { space.setSelectId(0); });
    pickingPass = 1;
    const auto quads = captureWorldQuads([&] { area->drawGrid(cx, cy); });
    if (counterAfter != nullptr) {
      *counterAfter = pickingPass;
    }
    pickingPass = 0;
    std::vector<DrawnSpace> drawn;
    forEverySpace(*area, [&](int i, int j, int x, int y, Space &space) {
      const int name = space.getSelectId();
      if (name != 0 && name <= static_cast<int>(quads.size())) {
        const WorldPoint corner = lowerCorner(quads[static_cast<std::size_t>(name - 1)]);
        drawn.push_back({i, j, x, y, corner.x, corner.y});
      }
    });
    EXPECT_EQ(drawn.size(), quads.size()) << "every quad belongs to one named space";
    return drawn;
  }

  static std::map<std::pair<int, int>, CellView> byCell(const std::vector<DrawnSpace> &drawn) {
    std::map<std::pair<int, int>, CellView> views;
    std::map<std::pair<int, int>, std::pair<float, float>> shifts;
    for (const DrawnSpace &space : drawn) {
      CellView &view = views[{space.i, space.j}];
      ++view.count;
      view.minX = std::min(view.minX, space.x);
      view.maxX = std::max(view.maxX, space.x);
      view.minY = std::min(view.minY, space.y);
      view.maxY = std::max(view.maxY, space.y);
      view.minPx = std::min(view.minPx, space.px);
      view.maxPx = std::max(view.maxPx, space.px);
      view.minPy = std::min(view.minPy, space.py);
      view.maxPy = std::max(view.maxPy, space.py);
      const std::pair<float, float> shift{space.px - space.x, space.py - space.y};
      const auto known = shifts.emplace(std::make_pair(space.i, space.j), shift);
      view.shiftedAlike = view.shiftedAlike && known.first->second == shift;
    }
    return views;
  }

  // Each of the 29 x 29 positions around the player is filled exactly once.
  static void expectWholeWindowOnce(const std::vector<DrawnSpace> &drawn) {
    std::set<std::pair<float, float>> positions;
    for (const DrawnSpace &space : drawn) {
      EXPECT_TRUE(positions.emplace(space.px, space.py).second);
      EXPECT_GE(space.px, -14.0f);
      EXPECT_LE(space.px, 14.0f);
      EXPECT_GE(space.py, -14.0f);
      EXPECT_LE(space.py, 14.0f);
    }
    EXPECT_EQ(positions.size(), 841u);
  }
};

} // namespace

TEST(CellIndexing, SpacesAndCellsAreAddressedByTheirCoordinates) {
  auto area = std::make_unique<LoadedArea>();
  Cell &cell = area->getCell(0, 1);
  cell.setSpace(2, 5, Space(13));
  EXPECT_EQ(cell.getSpace(2, 5).getGroundTexture(), 13);
  EXPECT_EQ(cell.getSpace(5, 2).getGroundTexture(), 6);
  EXPECT_EQ(area->getCell(1, 0).getSpace(2, 5).getGroundTexture(), 6);

  auto replacement = std::make_unique<Cell>();
  replacement->getSpace(29, 0).setSelected(Space::ChosenMark);
  area->setCell(2, 1, *replacement);
  EXPECT_EQ(area->getCell(2, 1).getSpace(29, 0).getSelected(), Space::ChosenMark);
  EXPECT_FALSE(area->getCell(1, 2).getSpace(29, 0).isSelected());
  EXPECT_EQ(area->getCell(2, 1).getSpace(2, 5).getGroundTexture(), 6);
}

TEST(CellIndexing, DrawnWithinFourteenSpacesOfTheCentre) {
  const auto cell = std::make_unique<Cell>();
  EXPECT_TRUE(cell->canBeDrawn(28, 0, 14, 14));
  EXPECT_TRUE(cell->canBeDrawn(0, 28, 14, 14));
  EXPECT_FALSE(cell->canBeDrawn(29, 14, 14, 14));
  EXPECT_FALSE(cell->canBeDrawn(14, 29, 14, 14));
  EXPECT_FALSE(cell->canBeDrawn(0, 14, 15, 14));
  EXPECT_FALSE(cell->canBeDrawn(14, 0, 14, 15));
  EXPECT_TRUE(cell->canBeDrawn(0, 0, -14, -14));
  EXPECT_FALSE(cell->canBeDrawn(0, 0, -15, 0));
}

TEST(AreaUpdate, ReachesEverySpaceOfEveryCell) {
  auto area = std::make_unique<LoadedArea>();
  Space &walled = area->getCell(2, 0).getSpace(0, 29);
  Space &inhabited = area->getCell(0, 2).getSpace(29, 0);
  walled.setWall(ObjectStore::make<Wall>(WallKind, true, false, false, false, 10));
  inhabited.setBeing(ObjectStore::make<Being>(PersonKind));
  area->update(10.0f);
  EXPECT_TRUE(walled.isOccupied());
  EXPECT_TRUE(walled.isBlocked(Up));
  EXPECT_TRUE(inhabited.isOccupied());
  EXPECT_TRUE(inhabited.isBlocked(Down));
}

TEST_F(WorldGrid, PlayerInTheMiddleSeesOnlyTheCentreCell) {
  const auto drawn = drawGround(14, 14);
  expectWholeWindowOnce(drawn);
  const auto views = byCell(drawn);
  ASSERT_EQ(views.size(), 1u);
  const CellView &centre = views.at({1, 1});
  EXPECT_EQ(centre.count, 841);
  EXPECT_EQ(centre.minX, 0);
  EXPECT_EQ(centre.maxX, 28);
  EXPECT_EQ(centre.minY, 0);
  EXPECT_EQ(centre.maxY, 28);
  EXPECT_EQ(centre.minPx, -14.0f);
  EXPECT_EQ(centre.maxPx, 14.0f);
  EXPECT_EQ(centre.minPy, -14.0f);
  EXPECT_EQ(centre.maxPy, 14.0f);
  EXPECT_TRUE(centre.shiftedAlike);
}

TEST_F(WorldGrid, PlayerOnTheLeftEdgeSeesCellTwoBeyondIt) {
  const auto drawn = drawGround(0, 14);
  expectWholeWindowOnce(drawn);
  const auto views = byCell(drawn);
  ASSERT_EQ(views.size(), 2u);
  const CellView &centre = views.at({1, 1});
  EXPECT_EQ(centre.count, 15 * 29);
  EXPECT_EQ(centre.minX, 0);
  EXPECT_EQ(centre.maxX, 14);
  EXPECT_EQ(centre.minPx, 0.0f);
  EXPECT_EQ(centre.maxPx, 14.0f);
  EXPECT_TRUE(centre.shiftedAlike);
  const CellView &beyond = views.at({2, 1});
  EXPECT_EQ(beyond.count, 14 * 29);
  EXPECT_EQ(beyond.minX, 16);
  EXPECT_EQ(beyond.maxX, 29);
  EXPECT_EQ(beyond.minPx, -14.0f);
  EXPECT_EQ(beyond.maxPx, -1.0f);
  EXPECT_EQ(beyond.minY, 0);
  EXPECT_EQ(beyond.maxY, 28);
  EXPECT_TRUE(beyond.shiftedAlike);
}

TEST_F(WorldGrid, PlayerOnTheRightEdgeSeesCellZeroBeyondIt) {
  const auto drawn = drawGround(29, 14);
  expectWholeWindowOnce(drawn);
  const auto views = byCell(drawn);
  ASSERT_EQ(views.size(), 2u);
  const CellView &centre = views.at({1, 1});
  EXPECT_EQ(centre.minX, 15);
  EXPECT_EQ(centre.maxX, 29);
  EXPECT_EQ(centre.minPx, -14.0f);
  EXPECT_EQ(centre.maxPx, 0.0f);
  const CellView &beyond = views.at({0, 1});
  EXPECT_EQ(beyond.count, 14 * 29);
  EXPECT_EQ(beyond.minX, 0);
  EXPECT_EQ(beyond.maxX, 13);
  EXPECT_EQ(beyond.minPx, 1.0f);
  EXPECT_EQ(beyond.maxPx, 14.0f);
  EXPECT_TRUE(beyond.shiftedAlike);
}

TEST_F(WorldGrid, ViewOffsetShiftsEverySpaceBack) {
  viewOffsetX = 0.25f;
  viewOffsetY = -0.5f;
  const auto drawn = drawGround(14, 14);
  ASSERT_EQ(drawn.size(), 841u);
  for (const DrawnSpace &space : drawn) {
    if (space.x == 14 && space.y == 14) {
      EXPECT_FLOAT_EQ(space.px, -0.25f);
      EXPECT_FLOAT_EQ(space.py, 0.5f);
    }
  }
  const auto views = byCell(drawn);
  EXPECT_FLOAT_EQ(views.at({1, 1}).minPx, -14.25f);
  EXPECT_FLOAT_EQ(views.at({1, 1}).maxPy, 14.5f);
}

TEST_F(WorldGrid, PickingPassNamesTheVisibleSpacesInDrawingOrder) {
  int counterAfter = 0;
  const auto drawn = drawGround(14, 14, &counterAfter);
  EXPECT_EQ(counterAfter, 842);
  std::set<int> names;
  forEverySpace(*area, [&](int, int, int, int, Space &space) {
    if (space.getSelectId() != 0) {
      names.insert(space.getSelectId());
    }
  });
  ASSERT_EQ(names.size(), 841u);
  EXPECT_EQ(*names.begin(), 1);
  EXPECT_EQ(*names.rbegin(), 841);
  // Within the cell x is the outer loop and y the inner one.
  EXPECT_EQ(area->getCell(1, 1).getSpace(0, 0).getSelectId(), 1);
  EXPECT_EQ(area->getCell(1, 1).getSpace(0, 1).getSelectId(), 2);
  EXPECT_EQ(area->getCell(1, 1).getSpace(1, 0).getSelectId(), 30);
}

TEST_F(WorldGrid, GroundOutsideAPickingPassNamesNothing) {
  area->getCell(1, 1).getSpace(14, 14).setSelectId(5);
  const auto quads = captureWorldQuads([&] { area->drawGrid(14, 14); });
  EXPECT_EQ(quads.size(), 841u);
  EXPECT_EQ(pickingPass, 0);
  int named = 0;
  forEverySpace(*area, [&](int, int, int, int, Space &space) { named += space.getSelectId(); });
  EXPECT_EQ(named, 5);
}

TEST_F(WorldGrid, ClickChoosesTheSpaceUnderTheCursor) {
  // Space (10, 12) is drawn at (-4, -2) around the player at (14, 14).
  const auto hits = captureSelection([&] { area->drawGrid(14, 14); },
                                     static_cast<int>(ORIGIN_X - 3.5f * PIXELS_PER_UNIT),
                                     static_cast<int>(ORIGIN_Y - 1.5f * PIXELS_PER_UNIT));
  ASSERT_EQ(hits.size(), 1u);
  ASSERT_EQ(hits[0].names.size(), 1u);
  const int name = static_cast<int>(hits[0].names[0]);
  EXPECT_EQ(name, area->getCell(1, 1).getSpace(10, 12).getSelectId());

  area->getCell(1, 1).getSpace(3, 3).setSelected(Space::ChosenMark);
  area->selectSpace(14, 14, name, Space::ChosenMark);
  int chosen = 0;
  forEverySpace(*area, [&](int i, int j, int x, int y, Space &space) {
    if (space.isSelected()) {
      ++chosen;
      EXPECT_EQ(std::make_tuple(i, j, x, y), std::make_tuple(1, 1, 10, 12));
    }
    EXPECT_EQ(space.getSelectId(), 0);
  });
  EXPECT_EQ(chosen, 1);
}

TEST_F(WorldGrid, ClickOnAnUnknownNameClearsEveryCell) {
  area->getCell(1, 1).getSpace(3, 3).setSelected(Space::ChosenMark);
  area->getCell(1, 1).getSpace(29, 29).setSelected(Space::ChosenMark);
  area->getCell(0, 0).getSpace(5, 5).setSelected(Space::ChosenMark);
  area->getCell(2, 2).getSpace(29, 0).setSelected(Space::TemporaryMark);
  drawGround(14, 14);
  area->selectSpace(14, 14, 5000, Space::ChosenMark);
  forEverySpace(*area, [&](int, int, int, int, Space &space) { EXPECT_FALSE(space.isSelected()); });
}

TEST_F(WorldGrid, TemporaryMarkLeavesChosenSpacesAlone) {
  Space &chosen = area->getCell(1, 1).getSpace(10, 12);
  Space &other = area->getCell(1, 1).getSpace(20, 5);
  chosen.setSelected(Space::ChosenMark);
  drawGround(14, 14);
  area->selectSpace(14, 14, chosen.getSelectId(), Space::TemporaryMark);
  EXPECT_EQ(chosen.getSelected(), Space::ChosenMark);

  drawGround(14, 14);
  area->selectSpace(14, 14, other.getSelectId(), Space::TemporaryMark);
  EXPECT_EQ(other.getSelected(), Space::TemporaryMark);
  EXPECT_EQ(chosen.getSelected(), Space::ChosenMark);

  // The temporary mark shows for one frame, the chosen one for every frame.
  EXPECT_EQ(captureWorldQuads([&] { area->drawSelected(14, 14); }).size(), 2u);
  EXPECT_EQ(captureWorldQuads([&] { area->drawSelected(14, 14); }).size(), 1u);
}

TEST_F(WorldGrid, ObjectsPassDrawsWhatStandsInTheWindow) {
  area->getCell(1, 1).getSpace(14, 15).setWall(
      ObjectStore::make<Wall>(WallKind, true, true, true, true, 10));
  // Outside the window around (14, 14): never drawn.
  area->getCell(1, 1).getSpace(29, 29).setWall(
      ObjectStore::make<Wall>(WallKind, true, true, true, true, 10));
  const auto quads = captureWorldQuads([&] { area->draw(14, 14); });
  ASSERT_EQ(quads.size(), 9u) << "eight outer faces and the top of one full block";
  const WorldPoint top = lowerCorner(quads.back());
  EXPECT_FLOAT_EQ(top.x, 0.0f);
  EXPECT_FLOAT_EQ(top.y, 1.0f);
}
