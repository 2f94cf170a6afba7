#include "WorldTestSupport.h"

#include "gfx/Picking.h"
#include "world/View.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <utility>

using WorldGrid = WorldGlTest;

// In a picking pass name n belongs to the n-th ground quad drawn, which tells
// where each space was drawn. Each cell that fills part of the 29 x 29 window
// is listed as {i, j, shift x, shift y}: its space (x, y) is drawn when it
// lands within 14 of the player, at (x + shift x, y + shift y) less the view
// offset.
TEST_F(WorldGrid, ViewWrapsAcrossTheCentreCellsEdges) {
  // The player's square, then the cells.
  const std::pair<std::array<int, 2>, std::vector<std::array<int, 4>>> rows[] = {
      {{14, 14}, {{1, 1, -14, -14}}},
      {{0, 14}, {{1, 1, 0, -14}, {2, 1, -30, -14}}},
      {{29, 14}, {{1, 1, -29, -14}, {0, 1, 1, -14}}},
      {{0, 29}, {{1, 1, 0, -29}, {1, 0, 0, 1}, {2, 1, -30, -29}, {2, 0, -30, 1}}},
  };
  viewOffsetX = 0.25f, viewOffsetY = -0.5f; // the player still sliding
  for (const auto &[player, cells] : rows) {
    SCOPED_TRACE(testing::Message() << "player at " << player[0] << ", " << player[1]);
    forEverySpace(*area, [](int, int, int, int, Space &space) { space.setSelectId(0); });
    pickingPass = 1;
    const auto quads = quadsDrawnBy([&] { area->drawGrid(player[0], player[1]); });
    EXPECT_EQ(pickingPass, 842);
    pickingPass = 0;
    ASSERT_EQ(quads.size(), 841u);
    EXPECT_NEAR(worldZ(quads[0].corners[0]), 1.0f, 1e-4) << "on the ground";
    forEverySpace(*area, [&](int i, int j, int x, int y, Space &space) {
      for (const auto &[ci, cj, shiftX, shiftY] : cells) {
        if (ci == i && cj == j && std::abs(x + shiftX) <= 14 && std::abs(y + shiftY) <= 14) {
          ASSERT_GT(space.getSelectId(), 0) << x << ", " << y << " of cell " << i << ", " << j;
          const float px = x + shiftX - 0.25f, py = y + shiftY + 0.5f;
          EXPECT_EQ(worldBounds(quads[space.getSelectId() - 1]),
                    (std::vector<float>{px, py, px + 1, py + 1}));
        }
      }
    });
  }
  viewOffsetX = viewOffsetY = 0.0f;
}

// A click chooses one space. A temporary mark shows once, a chosen one
// every time, see-through cyan above the ground; an unknown name clears
// every cell. A being with a wall and a pile draws the pile marker and the
// being, not the wall; the marked block at (29, 29) is out of view.
TEST_F(WorldGrid, AClickChoosesOneSpaceAndMarksAndObjectsDrawOnlyInsideTheWindow) {
  Space &target = area->getCell(1, 1).getSpace(10, 12); // drawn at (-4, -2)
  auto click = [&] {
    const auto hits = captureSelection([&] { area->drawGrid(14, 14); }, int(MIDDLE_X - 3.5f * UNIT),
                                       int(MIDDLE_Y - 1.5f * UNIT));
    return hits.size() == 1 ? int(hits[0].at(0)) : -1;
  };
  area->getCell(1, 1).getSpace(3, 3).setSelected(Space::ChosenMark);
  area->getCell(0, 0).getSpace(5, 5).setSelected(Space::TemporaryMark);
  const int hit = click();
  EXPECT_EQ(hit, target.getSelectId());
  area->selectSpace(14, 14, hit, Space::ChosenMark);
  area->selectSpace(14, 14, click(), Space::TemporaryMark); // leaves the choice as it is
  EXPECT_EQ(total([](Space &space) { return space.isSelected(); }), 1);
  EXPECT_EQ(target.getSelected(), Space::ChosenMark);
  // Matching forgets the names.
  EXPECT_EQ(total([](Space &space) { return space.getSelectId(); }), 0);
  Space &near = area->getCell(1, 1).getSpace(14, 15), &far = area->getCell(1, 1).getSpace(29, 29);
  near.addItem(ObjectStore::make<Item>(VaseKind));
  near.addItem(ObjectStore::make<Item>(VaseKind));
  near.setBeing(ObjectStore::make<Being>(PersonKind));
  near.getBeing()->setOffsetY(-0.5f);
  near.setWall(makeWall(true, true, true, true));
  far.setWall(makeWall(true, true, true, true));
  far.setSelected(Space::ChosenMark);
  area->getCell(1, 1).getSpace(13, 14).setSelected(Space::TemporaryMark);
  const auto objects = quadsDrawnBy([&] { area->draw(14, 14); });
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(worldBounds(objects[0]), (std::vector<float>{0.2f, 1.2f, 0.8f, 1.8f}));
  // The person, tinted red, is drawn with its own offset.
  const FeedbackVertex &person = objects[1].corners[0];
  EXPECT_EQ(worldBounds(objects[1]), (std::vector<float>{0.2f, 0.7f, 0.8f, 1.3f}));
  EXPECT_EQ((std::vector<float>{person.r, person.g, person.b}), (std::vector<float>{1, 0, 0}));
  EXPECT_EQ(currentColour(), (std::vector<float>{1, 1, 1, 1}));
  EXPECT_EQ(quadsDrawnBy([&] { area->drawSelected(14, 14); }).size(), 2u);
  const auto marks = quadsDrawnBy([&] { area->drawSelected(14, 14); });
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(worldBounds(marks[0]), (std::vector<float>{-4, -2, -3, -1}));
  const FeedbackVertex &corner = marks[0].corners[0];
  EXPECT_EQ((std::vector<float>{corner.r, corner.g, corner.b, corner.a}),
            (std::vector<float>{0, 1, 1, 0.3f}));
  EXPECT_NEAR(worldZ(corner), 1.1f, 1e-4);
  EXPECT_EQ(currentColour(), (std::vector<float>{1, 1, 1, 1}));
  click();
  area->selectSpace(14, 14, 5000, Space::ChosenMark);
  EXPECT_EQ(total([](Space &space) { return space.isSelected(); }), 0);
}

// Generation at (74, 104) has the remainders of the start (44, 44), so it
// builds the same arrangement; both run over an area full of leftovers.
TEST_F(WorldGrid, GenerationBuildsTheTestArrangementFromThePositionsRemainders) {
  // x, y and the quarters UL, UR, LL, LR of the sixteen pieces.
  const int walls[16][3] = {{12, 16, 1100}, {12, 14, 11},   {12, 12, 1010}, {12, 10, 101},
                            {14, 17, 1000}, {14, 15, 100},  {14, 13, 10},   {14, 11, 1},
                            {16, 16, 1110}, {16, 14, 111},  {16, 12, 1011}, {16, 10, 1101},
                            {18, 15, 1111}, {18, 13, 1001}, {18, 11, 110},  {18, 17, 0}};
  for (const auto &start : {std::pair<int, int>{44, 44}, {74, 104}}) {
    SCOPED_TRACE(testing::Message() << "start " << start.first << ", " << start.second);
    area->getCell(2, 0).getSpace(3, 6).setSelected(Space::ChosenMark);
    area->getCell(1, 1).getSpace(14, 14).setWall(makeWall(true, true, true, true));
    area->loadAreaData(start.first, start.second);
    Cell &centre = area->getCell(1, 1);
    for (const auto &[x, y, quarters] : walls) {
      const Wall *wall = centre.getSpace(x, y).getWall();
      ASSERT_NE(wall, nullptr) << x << ", " << y;
      EXPECT_EQ(wall->getA() * 1000 + wall->getB() * 100 + wall->getC() * 10 + wall->getD(),
                quarters);
      EXPECT_EQ(wall->getWallTexture(), 10);
    }
    const Being *person = centre.getSpace(19, 9).getBeing();
    EXPECT_TRUE(person != nullptr && person->getKind() == PersonKind);
    const Inventory &pile = centre.getSpace(20, 8).getItemPile();
    ASSERT_EQ(pile.size(), 50);
    EXPECT_TRUE(pile.at(0)->getKind() == VaseKind && pile.at(49)->getKind() == VaseKind);
    // Nothing else anywhere: bare ground without marks.
    EXPECT_EQ(total([](Space &space) { return space.hasWall(); }), 16);
    EXPECT_EQ(total([](Space &space) { return space.hasBeing(); }), 1);
    EXPECT_EQ(total([](Space &space) { return !space.getItemPile().isEmpty(); }), 1);
    EXPECT_EQ(total([](Space &space) { return space.getGroundTexture() != GroundTexture; }), 0);
    EXPECT_EQ(total([](Space &space) { return space.isSelected(); }), 0);
  }
}
