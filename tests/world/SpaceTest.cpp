#include "WorldTestSupport.h"

#include "gfx/Picking.h"
#include "gfx/Texture.h"
#include "objects/Being.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"
#include "world/Space.h"
#include "world/Wall.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using Messages = std::vector<std::string>;

Wall *makeFullWall() {
  return ObjectStore::make<Wall>(WallKind, true, true, true, true, 10);
}

bool allSidesBlocked(const Space &space) {
  for (int side = 0; side < 4; ++side) {
    if (!space.isBlocked(side)) {
      return false;
    }
  }
  return true;
}

bool noSideBlocked(const Space &space) {
  for (int side = 0; side < 4; ++side) {
    if (space.isBlocked(side)) {
      return false;
    }
  }
  return true;
}

// The three verbs in turn, each with its own messages.
struct VerbAnswers {
  Messages look, use, hit;
};

VerbAnswers askAllVerbs(Space &space, MessageRecorder &recorder, int damage) {
  VerbAnswers answers;
  space.look();
  answers.look = recorder.take();
  space.use();
  answers.use = recorder.take();
  space.hit(damage);
  answers.hit = recorder.take();
  return answers;
}

} // namespace

TEST(SpaceFlags, AreDerivedOnlyByUpdate) {
  Space space(GroundTexture);
  space.addItem(ObjectStore::make<Item>(VaseKind));
  space.addItem(ObjectStore::make<Item>(AppleKind));
  space.update(16.0f);
  EXPECT_TRUE(noSideBlocked(space));
  EXPECT_FALSE(space.isOccupied());

  space.setWall(ObjectStore::make<Wall>(WallKind, false, true, false, false, 10));
  EXPECT_TRUE(noSideBlocked(space)) << "flags change before the next update";
  EXPECT_FALSE(space.isOccupied());
  space.update(16.0f);
  EXPECT_TRUE(allSidesBlocked(space)) << "a wall of any shape blocks all sides";
  EXPECT_TRUE(space.isOccupied());

  space.setWall(nullptr);
  EXPECT_TRUE(space.isOccupied());
  space.update(16.0f);
  EXPECT_TRUE(noSideBlocked(space));
  EXPECT_FALSE(space.isOccupied());
}

TEST(SpaceFlags, BeingBlocksAndOccupiesAfterUpdate) {
  Space space(GroundTexture);
  space.setBeing(ObjectStore::make<Being>(PersonKind));
  EXPECT_FALSE(space.isOccupied());
  space.update(0.0f);
  EXPECT_TRUE(allSidesBlocked(space));
  EXPECT_TRUE(space.isOccupied());
  space.removeBeing();
  space.update(0.0f);
  EXPECT_TRUE(noSideBlocked(space));
  EXPECT_FALSE(space.isOccupied());
}

TEST(SpaceFlags, WallDecidesOverBeingStandingWithIt) {
  // A wall made with a kind other than WallKind loads no attributes, so it
  // blocks nothing: with a being beside it, the space takes the wall's
  // (empty) flags and not the being's.
  Space space(GroundTexture);
  space.setBeing(ObjectStore::make<Being>(PersonKind));
  space.setWall(ObjectStore::make<Wall>(0, true, true, true, true, 10));
  space.update(0.0f);
  EXPECT_TRUE(noSideBlocked(space));
  EXPECT_FALSE(space.isOccupied());

  space.setWall(makeFullWall());
  space.update(0.0f);
  EXPECT_TRUE(allSidesBlocked(space));
  EXPECT_TRUE(space.isOccupied());
}

TEST(SpaceVerbs, BeingAnswersBeforeWallAndItems) {
  MessageRecorder recorder;
  Space space(GroundTexture);
  space.setBeing(ObjectStore::make<Being>(PersonKind));
  space.setWall(makeFullWall());
  space.addItem(ObjectStore::make<Item>(VaseKind));
  space.addItem(ObjectStore::make<Item>(VaseKind));
  const VerbAnswers answers = askAllVerbs(space, recorder, 3);
  EXPECT_EQ(answers.look, Messages{"You see someone."});
  EXPECT_EQ(answers.use, Messages{"Talking to someone."});
  EXPECT_EQ(answers.hit, Messages{"someone has been hit for 3 health points."});
}

TEST(SpaceVerbs, WallAnswersBeforeItems) {
  MessageRecorder recorder;
  Space space(GroundTexture);
  space.setWall(makeFullWall());
  space.addItem(ObjectStore::make<Item>(AppleKind));
  const VerbAnswers answers = askAllVerbs(space, recorder, 10);
  EXPECT_EQ(answers.look, Messages{"You see a part of building wall."});
  EXPECT_EQ(answers.use, Messages{"You can't use a wall."});
  EXPECT_EQ(answers.hit, Messages{"You can't attack a wall."});
  EXPECT_EQ(space.getItemPile().size(), 1) << "the apple under the wall is not eaten";
}

TEST(SpaceVerbs, SingleItemAnswersForItself) {
  MessageRecorder recorder;
  Space space(GroundTexture);
  Item *vase = ObjectStore::make<Item>(VaseKind);
  space.addItem(vase);
  const VerbAnswers answers = askAllVerbs(space, recorder, 10);
  EXPECT_EQ(answers.look, Messages{"You see one vase. It weights 1."});
  EXPECT_EQ(answers.use, Messages{"This item can't be used."});
  EXPECT_EQ(answers.hit, Messages{"You can't attack items."});
  ASSERT_EQ(space.getItemPile().size(), 1);
  EXPECT_EQ(space.getItemPile().at(0), vase);
}

TEST(SpaceVerbs, PileAnswersAsAPile) {
  MessageRecorder recorder;
  Space space(GroundTexture);
  space.addItem(ObjectStore::make<Item>(AppleKind));
  space.addItem(ObjectStore::make<Item>(VaseKind));
  const VerbAnswers answers = askAllVerbs(space, recorder, 10);
  EXPECT_EQ(answers.look, Messages{"You see a pile of items."});
  EXPECT_EQ(answers.use, Messages{"You can't use a pile of items."});
  EXPECT_EQ(answers.hit, Messages{"You can't attack items."});
  EXPECT_EQ(space.getItemPile().size(), 2) << "no apple is eaten out of a pile";
}

TEST(SpaceVerbs, EmptySpaceHasNothingToOffer) {
  MessageRecorder recorder;
  Space space(GroundTexture);
  const VerbAnswers answers = askAllVerbs(space, recorder, 10);
  EXPECT_EQ(answers.look, Messages{"You see nothing interesting."});
  EXPECT_EQ(answers.use, Messages{"Nothing to use."});
  EXPECT_EQ(answers.hit, Messages{"Nothing to attack."});
}

TEST(SpaceVerbs, AppleOnTheGroundIsEatenAndLeavesThePile) {
  MessageRecorder recorder;
  Space space(GroundTexture);
  Item *apple = ObjectStore::make<Item>(AppleKind);
  space.addItem(apple);
  space.use();
  EXPECT_EQ(recorder.take(), Messages{"You ate one apple."});
  EXPECT_TRUE(space.getItemPile().isEmpty());
  EXPECT_DOUBLE_EQ(space.getItemPile().getTotalWeight(), 0.0);
  EXPECT_EQ(apple->getName(), "apple") << "eating only unlinks the object";
  space.use();
  EXPECT_EQ(recorder.take(), Messages{"Nothing to use."});
}

TEST(SpacePile, KeepsOrderAndWeightAndRefusesToUnderflow) {
  Space space(GroundTexture);
  Item *first = ObjectStore::make<Item>(VaseKind);
  Item *second = ObjectStore::make<Item>(GoldKind);
  space.addItem(first);
  space.addItem(second);
  EXPECT_DOUBLE_EQ(space.getItemPile().getTotalWeight(), 1.1);
  EXPECT_EQ(space.removeTop(), first);
  EXPECT_EQ(space.removeTop(), second);
  EXPECT_NEAR(space.getItemPile().getTotalWeight(), 0.0, 1e-12);
  EXPECT_EQ(space.removeTop(), nullptr) << "an empty pile hands out nothing";
  EXPECT_TRUE(space.getItemPile().isEmpty());
  EXPECT_NEAR(space.getItemPile().getTotalWeight(), 0.0, 1e-12);
}

TEST(SpaceCopy, CopiesReferencesNotObjects) {
  Space original(GroundTexture);
  Being *person = ObjectStore::make<Being>(PersonKind);
  Wall *wall = makeFullWall();
  Item *vase = ObjectStore::make<Item>(VaseKind);
  original.setBeing(person);
  original.setWall(wall);
  original.addItem(vase);
  original.setSelected(Space::ChosenMark);
  original.setSelectId(77);
  original.update(0.0f);

  Space copy;
  copy = original;
  EXPECT_EQ(copy.getBeing(), person);
  EXPECT_EQ(copy.getWall(), wall);
  ASSERT_EQ(copy.getItemPile().size(), 1);
  EXPECT_EQ(copy.getItemPile().at(0), vase);
  EXPECT_DOUBLE_EQ(copy.getItemPile().getTotalWeight(), 1.0);
  EXPECT_EQ(copy.getGroundTexture(), GroundTexture);
  EXPECT_EQ(copy.getSelected(), Space::ChosenMark);
  EXPECT_EQ(copy.getSelectId(), 77);
  EXPECT_TRUE(allSidesBlocked(copy));
  EXPECT_TRUE(copy.isOccupied());

  copy.removeTop();
  EXPECT_EQ(original.getItemPile().size(), 1) << "the piles are separate lists";
}

class SpaceDrawing : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    setWorldProjection();
  }
};

TEST_F(SpaceDrawing, GroundIsOneSquareAtGroundHeight) {
  Space space(GroundTexture);
  const auto polygons = captureWorldQuads([&] { space.drawGrid(2.0f, -3.0f); });
  ASSERT_EQ(polygons.size(), 1u);
  const WorldPoint corner = lowerCorner(polygons[0]);
  EXPECT_FLOAT_EQ(corner.x, 2.0f);
  EXPECT_FLOAT_EQ(corner.y, -3.0f);
  EXPECT_NEAR(corner.z, 1.0f, 1e-4);
  const WorldPoint far = upperCorner(polygons[0]);
  EXPECT_FLOAT_EQ(far.x, 3.0f);
  EXPECT_FLOAT_EQ(far.y, -2.0f);
}

TEST_F(SpaceDrawing, GroundOutsidePickingPassKeepsNamesAlone) {
  Space space(GroundTexture);
  space.setSelectId(5);
  captureWorldQuads([&] { space.drawGrid(0.0f, 0.0f); });
  EXPECT_EQ(space.getSelectId(), 5);
  EXPECT_EQ(pickingPass, 0);
}

TEST_F(SpaceDrawing, GroundInPickingPassTakesTheRunningName) {
  Space first(GroundTexture);
  Space second(GroundTexture);
  std::int32_t counterAfter = 0;
  const auto hits = captureSelection(
      [&] {
        first.drawGrid(0.0f, 0.0f);
        second.drawGrid(1.0f, 0.0f);
        counterAfter = pickingPass;
      },
      static_cast<int>(ORIGIN_X + 1.5f * PIXELS_PER_UNIT),
      static_cast<int>(ORIGIN_Y + 0.5f * PIXELS_PER_UNIT));
  EXPECT_EQ(first.getSelectId(), 1);
  EXPECT_EQ(second.getSelectId(), 2);
  EXPECT_EQ(counterAfter, 3);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].names, std::vector<std::uint32_t>{2});
}

TEST_F(SpaceDrawing, PileMarkerThenBeing) {
  Space space(GroundTexture);
  for (int i = 0; i < 3; ++i) {
    space.addItem(ObjectStore::make<Item>(VaseKind));
  }
  space.setBeing(ObjectStore::make<Being>(PersonKind));
  space.setWall(makeFullWall());
  const auto polygons = captureWorldQuads([&] { space.draw(0.0f, 0.0f); });
  ASSERT_EQ(polygons.size(), 2u) << "the pile marker and the being, not the wall";
  const WorldPoint marker = lowerCorner(polygons[0]);
  EXPECT_NEAR(marker.x, 0.2f, 1e-4);
  EXPECT_NEAR(marker.y, 0.2f, 1e-4);
  EXPECT_NEAR(marker.z, 1.1f, 1e-4);
  EXPECT_NEAR(lowerCorner(polygons[1]).z, 1.5f, 1e-4) << "the being's figure";
}

TEST_F(SpaceDrawing, SingleItemThenWall) {
  Space space(GroundTexture);
  Item *vase = ObjectStore::make<Item>(VaseKind);
  vase->setOffsetX(-0.5f);
  space.addItem(vase);
  space.setWall(ObjectStore::make<Wall>(WallKind, true, false, false, false, 10));
  const auto polygons = captureWorldQuads([&] { space.draw(4.0f, 0.0f); });
  // The vase, then the one-quarter wall: two outer faces, two inner faces
  // and a top.
  ASSERT_EQ(polygons.size(), 6u);
  EXPECT_NEAR(lowerCorner(polygons[0]).x, 3.7f, 1e-4) << "the item adds its own offset";
}

TEST_F(SpaceDrawing, TemporaryMarkIsDrawnOnceChosenMarkAlways) {
  Space space(GroundTexture);
  EXPECT_TRUE(captureWorldQuads([&] { space.drawSelected(0.0f, 0.0f); }).empty());

  space.setSelected(Space::TemporaryMark);
  const auto once = captureWorldQuads([&] { space.drawSelected(0.0f, 0.0f); });
  ASSERT_EQ(once.size(), 1u);
  EXPECT_EQ(space.getSelected(), Space::NoMark);
  EXPECT_TRUE(captureWorldQuads([&] { space.drawSelected(0.0f, 0.0f); }).empty());

  space.setSelected(Space::ChosenMark);
  for (int frame = 0; frame < 3; ++frame) {
    const auto polygons = captureWorldQuads([&] { space.drawSelected(-1.0f, 2.0f); });
    ASSERT_EQ(polygons.size(), 1u);
    const FeedbackVertex &vertex = polygons[0].vertices[0];
    EXPECT_FLOAT_EQ(vertex.r, 0.0f);
    EXPECT_FLOAT_EQ(vertex.g, 1.0f);
    EXPECT_FLOAT_EQ(vertex.b, 1.0f);
    EXPECT_NEAR(vertex.a, 0.3f, 1e-3);
    const WorldPoint corner = lowerCorner(polygons[0]);
    EXPECT_FLOAT_EQ(corner.x, -1.0f);
    EXPECT_FLOAT_EQ(corner.y, 2.0f);
    EXPECT_NEAR(corner.z, 1.1f, 1e-4);
  }
  EXPECT_EQ(space.getSelected(), Space::ChosenMark);
  EXPECT_EQ(currentColour(), (std::vector<float>{1.0f, 1.0f, 1.0f, 1.0f}));
}

TEST_F(SpaceDrawing, IconIsALabelledDiamond) {
  setOrthoProjection();
  Space space(GroundTexture);
  const auto polygons = captureWorldQuads([&] { space.drawIcon(100.5f, 200.0f, 41.0f); });
  ASSERT_FALSE(polygons.empty());
  // The label's glyphs come first; the diamond is the last quad.
  const FeedbackPolygon &diamond = polygons.back();
  std::vector<std::pair<float, float>> corners;
  for (const FeedbackVertex &vertex : diamond.vertices) {
    corners.emplace_back(vertex.x, vertex.y);
  }
  std::sort(corners.begin(), corners.end());
  const std::vector<std::pair<float, float>> expected = {
      {100.0f, 220.0f}, {121.0f, 200.0f}, {121.0f, 241.0f}, {141.0f, 220.0f}};
  EXPECT_EQ(corners, expected);
}
