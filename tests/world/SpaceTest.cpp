#include "WorldTestSupport.h"

#include "world/Space.h"

#include <gtest/gtest.h>

#include <cstring>

// What stands on the space: B a being, W a wall (of one quarter), w a wall
// of another kind, then a an apple, v a vase. After an update a wall of any
// shape or a being blocks every side and occupies the space; a wall of
// another kind loads no attributes and so blocks nothing, and decides before
// the being.
TEST(SpaceVerbs, BeingThenWallThenTheItemsAnswerAndTheWallThenTheBeingBlock) {
  struct Row {
    const char *contents;
    int pileAfter;
    bool blocks;
    std::vector<std::string> answers; // to look, use and hit
  };
  const std::vector<std::string> someone = {"You see someone.", "Talking to someone.",
                                            "someone has been hit for 3 health points."};
  // clang-format off
  const Row rows[] = {
      {"BWvv", 2, true, someone}, {"Bw", 0, false, someone}, {"B", 0, true, someone},
      {"Wa", 1, true,
       {"You see a part of building wall.", "You can't use a wall.", "You can't attack a wall."}},
      {"v", 1, false,
       {"You see one vase. It weights 1.", "This item can't be used.", "You can't attack items."}},
      {"a", 0, false,
       {"You see one apple. It weights 1.", "You ate one apple.", "Nothing to attack."}},
      {"av", 2, false,
       {"You see a pile of items.", "You can't use a pile of items.", "You can't attack items."}},
      {"", 0, false, {"You see nothing interesting.", "Nothing to use.", "Nothing to attack."}}};
  // clang-format on
  // The four blocked sides, then the occupied flag.
  const auto flagsOf = [](const Space &s) {
    return std::vector<bool>{s.isBlocked(0), s.isBlocked(1), s.isBlocked(2), s.isBlocked(3),
                             s.isOccupied()};
  };
  MessageRecorder said;
  for (const Row &row : rows) {
    SCOPED_TRACE(row.contents);
    Space space(GroundTexture);
    space.setBeing(row.contents[0] == 'B' ? ObjectStore::make<Being>(PersonKind) : nullptr);
    space.setWall(std::strchr(row.contents, 'W')   ? makeWall(false, true, false, false)
                  : std::strchr(row.contents, 'w') ? makeWall(true, true, true, true, 0)
                                                   : nullptr);
    for (const char *item = row.contents + std::strspn(row.contents, "BWw"); *item; ++item) {
      space.addItem(ObjectStore::make<Item>(*item == 'a' ? AppleKind : VaseKind));
    }
    EXPECT_EQ(flagsOf(space), std::vector<bool>(5, false)) << "not before the next update";
    space.update(0.0f);
    EXPECT_EQ(flagsOf(space), std::vector<bool>(5, row.blocks));
    space.look();
    space.use();
    space.hit(3);
    EXPECT_EQ(said.take(), row.answers);
    EXPECT_EQ(space.getItemPile().size(), row.pileAfter);
  }
  EXPECT_EQ(Space().removeTop(), nullptr) << "an empty pile hands out nothing";
}

using SpaceDrawing = WorldGlTest;

// Seen from above a side face is a line: outer on an edge of the space,
// inner on a centre line. The tops are the black quads.
TEST_F(SpaceDrawing, WallInnerFacesOnlyTowardsEmptyQuartersAndTopsByTheFirstRule) {
  for (int shape = 0; shape < 16; ++shape) {
    const bool a = shape & 1, b = shape & 2, c = shape & 4, d = shape & 8;
    SCOPED_TRACE(testing::Message() << "UL " << a << " UR " << b << " LL " << c << " LR " << d);
    int outer = 0, inner = 0, tops = 0;
    float topArea = 0.0f;
    for (const ScreenQuad &quad : quadsDrawnBy([&] { makeWall(a, b, c, d)->draw(0.0f, 0.0f); })) {
      const std::vector<float> box = worldBounds(quad);
      if (quad.corners[0].r == 0.0f) {
        ++tops;
        topArea += (box[2] - box[0]) * (box[3] - box[1]);
        EXPECT_NEAR(worldZ(quad.corners[0]), 2.5f, 1e-4);
      } else {
        ++((box[0] == box[2] ? box[0] : box[1]) == 0.5f ? inner : outer);
      }
    }
    const int filled = a + b + c + d;
    EXPECT_EQ(outer, 2 * filled);
    EXPECT_EQ(inner, (a && !b) + (a && !c) + (b && !a) + (b && !d) + (c && !a) + (c && !d) +
                         (d && !b) + (d && !c));
    // A whole block is one top; a filled half is one top plus the quarters
    // left over; otherwise each quarter has its own.
    const bool half = (a && b) || (c && d) || (a && c) || (b && d);
    EXPECT_EQ(tops, filled == 4 ? 1 : half ? filled - 1 : filled);
    EXPECT_NEAR(topArea, 0.25f * filled, 1e-3);
    EXPECT_EQ(currentColour(), (std::vector<float>{1, 1, 1, 1}));
  }
}
