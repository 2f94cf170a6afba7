#include "WorldTestSupport.h"

#include "objects/Being.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"
#include "world/LoadedArea.h"
#include "world/Movement.h"
#include "world/Wall.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

class Movement : public ::testing::Test {
protected:
  std::unique_ptr<LoadedArea> area = std::make_unique<LoadedArea>();

  Space &at(int x, int y) { return area->getCell(1, 1).getSpace(x, y); }

  // Puts someone on (x, y) of the centre cell, at rest, and makes that the
  // move origin for world position (worldX, worldY).
  Being *placeBeing(int x, int y, int worldX, int worldY) {
    Being *being = ObjectStore::make<Being>(PersonKind);
    at(x, y).setBeing(being);
    setMoveOrigin(static_cast<float>(x), static_cast<float>(y), static_cast<float>(worldX),
                  static_cast<float>(worldY));
    return being;
  }

  Being *placeBeing(int x, int y) { return placeBeing(x, y, 30 + x, 30 + y); }

  void originAt(int x, int y) {
    setMoveOrigin(static_cast<float>(x), static_cast<float>(y), static_cast<float>(30 + x),
                  static_cast<float>(30 + y));
  }

  // Lets every slide run to its end.
  void settle() {
    for (int frame = 0; frame < 4; ++frame) {
      area->update(150.0f);
    }
  }
};

struct EdgeStep {
  int fromX, fromY, worldX, worldY, direction, toX, toY;
  float offsetX, offsetY;
};

} // namespace

TEST(MoveOrigin, IsStoredInTheFourGlobals) {
  setMoveOrigin(1.0f, 2.0f, 31.0f, 62.0f);
  EXPECT_EQ(originLocalX, 1.0f);
  EXPECT_EQ(originLocalY, 2.0f);
  EXPECT_EQ(originWorldX, 31.0f);
  EXPECT_EQ(originWorldY, 62.0f);
}

TEST(WrapToCell, TruncatesThenWrapsIntoTheCell) {
  EXPECT_EQ(wrapToCell(-1.0f), 29.0f);
  EXPECT_EQ(wrapToCell(0.0f), 0.0f);
  EXPECT_EQ(wrapToCell(29.0f), 29.0f);
  EXPECT_EQ(wrapToCell(30.0f), 0.0f);
  EXPECT_EQ(wrapToCell(60.0f), 0.0f);
  EXPECT_EQ(wrapToCell(45.0f), 15.0f);
  EXPECT_EQ(wrapToCell(44.9f), 14.0f);
  EXPECT_EQ(wrapToCell(-0.5f), 0.0f) << "truncated towards zero first";
  EXPECT_EQ(wrapToCell(-31.0f), 29.0f);
}

TEST_F(Movement, StepsAcrossEachEdgeOfTheCentreCellComeBackOpposite) {
  const EdgeStep steps[] = {
      {0, 14, 30, 44, Left, 29, 14, 1.0f, 0.0f},   {0, 14, 0, 44, Left, 29, 14, 1.0f, 0.0f},
      {29, 14, 59, 44, Right, 0, 14, -1.0f, 0.0f}, {14, 29, 44, 59, Up, 14, 0, 0.0f, -1.0f},
      {14, 0, 44, 30, Down, 14, 29, 0.0f, 1.0f},   {14, 14, 44, 44, Up, 14, 15, 0.0f, -1.0f},
  };
  for (const EdgeStep &step : steps) {
    SCOPED_TRACE(testing::Message()
                 << "from " << step.fromX << ", " << step.fromY << " direction " << step.direction);
    area = std::make_unique<LoadedArea>();
    Being *being = placeBeing(step.fromX, step.fromY, step.worldX, step.worldY);
    ASSERT_TRUE(moveBeing(*area, being, step.direction));
    EXPECT_FALSE(at(step.fromX, step.fromY).hasBeing());
    EXPECT_EQ(at(step.toX, step.toY).getBeing(), being);
    EXPECT_EQ(being->getOffsetX(), step.offsetX);
    EXPECT_EQ(being->getOffsetY(), step.offsetY);
    EXPECT_EQ(being->getActionMode(), Walking);
  }
}

TEST_F(Movement, WallAfterItsUpdateStopsTheStep) {
  at(14, 15).setWall(ObjectStore::make<Wall>(WallKind, false, true, false, false, 10));
  area->update(0.0f);
  Being *being = placeBeing(14, 14);
  EXPECT_FALSE(moveBeing(*area, being, Up));
  EXPECT_EQ(at(14, 14).getBeing(), being);
  EXPECT_FALSE(at(14, 15).hasBeing());
  EXPECT_EQ(being->getActionMode(), None);
  EXPECT_EQ(being->getOffsetY(), 0.0f);
}

TEST_F(Movement, NoStepWhileWalkingOrWithAnActionChosen) {
  Being *being = placeBeing(5, 5);
  ASSERT_TRUE(moveBeing(*area, being, Right));
  originAt(6, 5);
  EXPECT_FALSE(moveBeing(*area, being, Right)) << "the first slide still runs";
  EXPECT_EQ(at(6, 5).getBeing(), being);
  settle();
  EXPECT_EQ(being->getActionMode(), None);
  EXPECT_TRUE(moveBeing(*area, being, Right));
  settle();

  being->setAction(Look);
  originAt(7, 5);
  EXPECT_FALSE(moveBeing(*area, being, Right));
  EXPECT_EQ(at(7, 5).getBeing(), being);
  EXPECT_EQ(being->getOffsetX(), 0.0f);
}

TEST_F(Movement, UnknownDirectionsMoveNothing) {
  Being *being = placeBeing(5, 5);
  EXPECT_FALSE(moveBeing(*area, being, 4));
  EXPECT_FALSE(moveBeing(*area, being, -1));
  EXPECT_EQ(at(5, 5).getBeing(), being);
  EXPECT_EQ(being->getActionMode(), None);
}

TEST_F(Movement, BeingStepsOntoAPileAndAnswersForIt) {
  MessageRecorder recorder;
  for (int i = 0; i < 3; ++i) {
    at(6, 5).addItem(ObjectStore::make<Item>(VaseKind));
  }
  area->update(0.0f);
  Being *being = placeBeing(5, 5);
  ASSERT_TRUE(moveBeing(*area, being, Right));
  EXPECT_EQ(at(6, 5).getItemPile().size(), 3);
  at(6, 5).look();
  EXPECT_EQ(recorder.take(), std::vector<std::string>{"You see someone."});
}

TEST_F(Movement, TwoBeingsAimingAtOneSpaceInOneFrameKeepBoth) {
  Being *first = placeBeing(4, 5);
  Being *second = placeBeing(6, 5);
  area->update(0.0f);
  // (5, 5) was free at the last update, so its flags let both in.
  originAt(4, 5);
  ASSERT_TRUE(moveBeing(*area, first, Right));
  originAt(6, 5);
  EXPECT_FALSE(moveBeing(*area, second, Left));
  EXPECT_EQ(at(5, 5).getBeing(), first);
  EXPECT_EQ(at(6, 5).getBeing(), second);
  EXPECT_EQ(second->getActionMode(), None);
}

TEST_F(Movement, PushStopsAtWallsAndBeings) {
  Item *vase = ObjectStore::make<Item>(VaseKind);
  at(5, 5).addItem(vase);
  at(5, 6).setWall(ObjectStore::make<Wall>(WallKind, true, false, false, false, 10));
  at(4, 5).setBeing(ObjectStore::make<Being>(PersonKind));
  area->update(0.0f);
  originAt(5, 5);
  pushItem(*area, vase, Up);
  pushItem(*area, vase, Left);
  ASSERT_EQ(at(5, 5).getItemPile().size(), 1);
  EXPECT_EQ(at(5, 5).getItemPile().at(0), vase);
  EXPECT_TRUE(at(5, 6).getItemPile().isEmpty());
  EXPECT_TRUE(at(4, 5).getItemPile().isEmpty());
  EXPECT_EQ(vase->getOffsetX(), 0.0f);
  EXPECT_EQ(vase->getOffsetY(), 0.0f);
}

TEST_F(Movement, PushAppendsToAPileAndFillsBareGround) {
  Item *first = ObjectStore::make<Item>(VaseKind);
  Item *second = ObjectStore::make<Item>(AppleKind);
  Item *waiting = ObjectStore::make<Item>(VaseKind);
  at(5, 5).addItem(first);
  at(5, 5).addItem(second);
  at(6, 5).addItem(waiting);
  area->update(0.0f);
  originAt(5, 5);

  pushItem(*area, first, Right);
  const Inventory &right = at(6, 5).getItemPile();
  ASSERT_EQ(right.size(), 2);
  EXPECT_EQ(right.at(0), waiting);
  EXPECT_EQ(right.at(1), first);
  EXPECT_EQ(first->getOffsetX(), -1.0f);
  EXPECT_DOUBLE_EQ(right.getTotalWeight(), 2.0);

  pushItem(*area, second, Down);
  EXPECT_TRUE(at(5, 5).getItemPile().isEmpty());
  const Inventory &below = at(5, 4).getItemPile();
  ASSERT_EQ(below.size(), 1);
  EXPECT_EQ(below.at(0), second);
  EXPECT_EQ(second->getOffsetY(), 1.0f);
  EXPECT_EQ(second->getOffsetX(), 0.0f) << "only the axis of the push is set";
}

TEST_F(Movement, PushWrapsAcrossTheEdgeAndIgnoresWhatIsNotFirst) {
  Item *vase = ObjectStore::make<Item>(VaseKind);
  Item *other = ObjectStore::make<Item>(VaseKind);
  at(0, 9).addItem(vase);
  area->update(0.0f);
  originAt(0, 9);
  pushItem(*area, other, Left);
  pushItem(*area, vase, 4);
  ASSERT_EQ(at(0, 9).getItemPile().size(), 1);
  pushItem(*area, vase, Left);
  EXPECT_TRUE(at(0, 9).getItemPile().isEmpty());
  ASSERT_EQ(at(29, 9).getItemPile().size(), 1);
  EXPECT_EQ(at(29, 9).getItemPile().at(0), vase);

  // Nothing left to push: no change and no fault.
  pushItem(*area, vase, Left);
  EXPECT_EQ(at(29, 9).getItemPile().size(), 1);
}

TEST_F(Movement, WanderNeverMovesThePlayer) {
  Being *player = ObjectStore::make<Being>(PlayerKind);
  at(14, 14).setBeing(player);
  for (unsigned seed = 1; seed <= 50; ++seed) {
    originAt(14, 14);
    std::srand(seed);
    const int expectedNext = std::rand();
    std::srand(seed);
    wander(*area, player);
    EXPECT_EQ(std::rand(), expectedNext) << "no draw for the player";
    EXPECT_EQ(at(14, 14).getBeing(), player);
  }
}

TEST_F(Movement, WanderDrawsOnceOrTwiceAndStepsOnTheSecondDraw) {
  bool sawStay = false;
  bool sawStep = false;
  for (unsigned seed = 1; seed <= 200 && !(sawStay && sawStep); ++seed) {
    area = std::make_unique<LoadedArea>();
    Being *person = placeBeing(10, 10);
    std::srand(seed);
    const int first = std::rand();
    const int second = std::rand();
    const int third = std::rand();
    std::srand(seed);
    wander(*area, person);
    const int next = std::rand();
    if (first % 5 != 0) {
      sawStay = true;
      EXPECT_EQ(next, second) << "one draw when no step is tried";
      EXPECT_EQ(at(10, 10).getBeing(), person);
    } else {
      sawStep = true;
      EXPECT_EQ(next, third) << "a second draw for the direction";
      const int direction = second % 4;
      const int toX[] = {10, 9, 11, 10};
      const int toY[] = {11, 10, 10, 9};
      EXPECT_EQ(at(toX[direction], toY[direction]).getBeing(), person);
      EXPECT_FALSE(at(10, 10).hasBeing());
    }
  }
  EXPECT_TRUE(sawStay);
  EXPECT_TRUE(sawStep);
}
