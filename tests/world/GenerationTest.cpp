#include "WorldTestSupport.h"

#include "objects/Being.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"
#include "world/LoadedArea.h"
#include "world/Wall.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct ExpectedWall {
  int x, y;
  bool a, b, c, d;
};

// The sixteen pieces around the start (44, 44): every quarter combination.
const ExpectedWall WALLS_AROUND_START[] = {
    {12, 16, true, true, false, false},  {12, 14, false, false, true, true},
    {12, 12, true, false, true, false},  {12, 10, false, true, false, true},
    {14, 17, true, false, false, false}, {14, 15, false, true, false, false},
    {14, 13, false, false, true, false}, {14, 11, false, false, false, true},
    {16, 16, true, true, true, false},   {16, 14, false, true, true, true},
    {16, 12, true, false, true, true},   {16, 10, true, true, false, true},
    {18, 15, true, true, true, true},    {18, 13, true, false, false, true},
    {18, 11, false, true, true, false},  {18, 17, false, false, false, false},
};

bool isBare(const Space &space) {
  return !space.hasWall() && !space.hasBeing() && space.getItemPile().isEmpty() &&
         !space.isSelected() && space.getGroundTexture() == 6;
}

// Checks the whole arrangement that generation around (44, 44), or any
// position with the same remainders, leaves in the area.
void expectTestArrangement(LoadedArea &area) {
  Cell &centre = area.getCell(1, 1);
  for (const ExpectedWall &expected : WALLS_AROUND_START) {
    SCOPED_TRACE(testing::Message() << "wall at " << expected.x << ", " << expected.y);
    const Wall *wall = centre.getSpace(expected.x, expected.y).getWall();
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(wall->getKind(), WallKind);
    EXPECT_EQ(wall->getWallTexture(), 10);
    EXPECT_EQ(wall->getA(), expected.a);
    EXPECT_EQ(wall->getB(), expected.b);
    EXPECT_EQ(wall->getC(), expected.c);
    EXPECT_EQ(wall->getD(), expected.d);
  }
  const Being *person = centre.getSpace(19, 9).getBeing();
  ASSERT_NE(person, nullptr);
  EXPECT_EQ(person->getKind(), PersonKind);
  EXPECT_EQ(person->getName(), "someone");

  const Inventory &pile = centre.getSpace(20, 8).getItemPile();
  ASSERT_EQ(pile.size(), 50);
  EXPECT_DOUBLE_EQ(pile.getTotalWeight(), 50.0);
  for (int i = 0; i < pile.size(); ++i) {
    EXPECT_EQ(pile.at(i)->getKind(), VaseKind);
  }

  int walls = 0;
  int beings = 0;
  int piles = 0;
  for (int x = 0; x < 30; ++x) {
    for (int y = 0; y < 30; ++y) {
      const Space &space = centre.getSpace(x, y);
      walls += space.hasWall();
      beings += space.hasBeing();
      piles += !space.getItemPile().isEmpty();
      EXPECT_EQ(space.getGroundTexture(), 6);
      EXPECT_FALSE(space.isSelected());
    }
  }
  EXPECT_EQ(walls, 16);
  EXPECT_EQ(beings, 1);
  EXPECT_EQ(piles, 1);

  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      if (i == 1 && j == 1) {
        continue;
      }
      for (int x = 0; x < 30; ++x) {
        for (int y = 0; y < 30; ++y) {
          EXPECT_TRUE(isBare(area.getCell(i, j).getSpace(x, y)))
              << "cell " << i << ", " << j << " space " << x << ", " << y;
        }
      }
    }
  }
}

class Generation : public GlTest {
protected:
  std::unique_ptr<LoadedArea> area = std::make_unique<LoadedArea>();

  void SetUp() override {
    GlTest::SetUp();
    setWorldProjection();
  }
};

} // namespace

TEST_F(Generation, BuildsTheTestArrangementAroundTheStart) {
  const std::size_t objectsBefore = ObjectStore::count();
  area->loadAreaData(44, 44);
  expectTestArrangement(*area);
  EXPECT_EQ(ObjectStore::count() - objectsBefore, 16u + 1u + 50u)
      << "every object is made through the store";

  Cell &centre = area->getCell(1, 1);
  EXPECT_TRUE(isBare(centre.getSpace(14, 14))) << "where the player goes next";
  EXPECT_TRUE(centre.getSpace(14, 15).hasWall());
  EXPECT_TRUE(centre.getSpace(14, 13).hasWall());
  EXPECT_TRUE(isBare(centre.getSpace(13, 14)));
  EXPECT_TRUE(isBare(centre.getSpace(15, 14)));
}

TEST_F(Generation, OnlyTheRemaindersOfThePositionMatter) {
  area->loadAreaData(74, 104);
  expectTestArrangement(*area);
}

TEST_F(Generation, ReplacesEverythingThatWasThere) {
  Cell &outer = area->getCell(0, 2);
  outer.getSpace(3, 4).setBeing(ObjectStore::make<Being>(PersonKind));
  outer.getSpace(3, 5).addItem(ObjectStore::make<Item>(AppleKind));
  outer.getSpace(3, 6).setSelected(Space::ChosenMark);
  outer.getSpace(3, 7).setSelectId(12);
  area->getCell(1, 1).getSpace(14, 14).setWall(
      ObjectStore::make<Wall>(WallKind, true, true, true, true, 10));
  area->loadAreaData(44, 44);
  expectTestArrangement(*area);
  EXPECT_EQ(outer.getSpace(3, 7).getSelectId(), 0);
  EXPECT_FALSE(area->getCell(1, 1).getSpace(14, 14).hasWall());
}

TEST_F(Generation, EmptyWallPieceIsInvisibleButBlocks) {
  area->loadAreaData(44, 44);
  Space &emptyPiece = area->getCell(1, 1).getSpace(18, 17);
  EXPECT_TRUE(captureWorldQuads([&] { emptyPiece.draw(0.0f, 0.0f); }).empty());
  EXPECT_FALSE(emptyPiece.isOccupied());
  area->update(16.0f);
  EXPECT_TRUE(emptyPiece.isOccupied());
  for (int side = 0; side < 4; ++side) {
    EXPECT_TRUE(emptyPiece.isBlocked(side));
  }
}

TEST_F(Generation, VasePileShowsItsMarkerAndAnswersAsAPile) {
  MessageRecorder recorder;
  area->loadAreaData(44, 44);
  Space &pile = area->getCell(1, 1).getSpace(20, 8);
  const auto quads = captureWorldQuads([&] { pile.draw(0.0f, 0.0f); });
  ASSERT_EQ(quads.size(), 1u) << "one marker for the whole pile";
  EXPECT_NEAR(lowerCorner(quads[0]).z, 1.1f, 1e-4);
  pile.look();
  EXPECT_EQ(recorder.take(), std::vector<std::string>{"You see a pile of items."});
}
