#include "world/LoadedArea.h"

#include "gfx/Texture.h"
#include "objects/Being.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"
#include "world/Wall.h"

namespace {

struct WallPlacement {
  std::int32_t dx, dy;
  bool upperLeft, upperRight, lowerLeft, lowerRight;
};

// One piece for each of the sixteen quarter combinations, around the start.
constexpr WallPlacement TEST_WALLS[] = {
    {-2, 2, true, true, false, false},  {-2, 0, false, false, true, true},
    {-2, -2, true, false, true, false}, {-2, -4, false, true, false, true},
    {0, 3, true, false, false, false},  {0, 1, false, true, false, false},
    {0, -1, false, false, true, false}, {0, -3, false, false, false, true},
    {2, 2, true, true, true, false},    {2, 0, false, true, true, true},
    {2, -2, true, false, true, true},   {2, -4, true, true, false, true},
    {4, 1, true, true, true, true},     {4, -1, true, false, false, true},
    {4, -3, false, true, true, false},  {4, 3, false, false, false, false},
};

constexpr std::int32_t PERSON_DX = 5;
constexpr std::int32_t PERSON_DY = -5;
constexpr std::int32_t PILE_DX = 6;
constexpr std::int32_t PILE_DY = -6;
constexpr int PILE_VASES = 50;

} // namespace

void LoadedArea::setCell(std::int32_t i, std::int32_t j, const Cell &newCell) {
  getCell(i, j) = newCell;
}

void LoadedArea::update(float milliseconds) {
  for (Cell &cell : cells) {
    cell.update(milliseconds);
  }
}

// Cell (i, j) sees the view centre one cell width further the other way,
// so its spaces fill the view beyond the centre cell's opposite edge.
template <typename Pass>
void LoadedArea::forEachCell(std::int32_t theX, std::int32_t theY, Pass pass) {
  for (std::int32_t i = 0; i < CELLS; ++i) {
    for (std::int32_t j = 0; j < CELLS; ++j) {
      pass(getCell(i, j), theX + (i - CENTRE) * Cell::SIZE, theY + (j - CENTRE) * Cell::SIZE);
    }
  }
}

void LoadedArea::drawGrid(std::int32_t theX, std::int32_t theY) {
  forEachCell(theX, theY, [](Cell &cell, std::int32_t x, std::int32_t y) { cell.drawGrid(x, y); });
}

void LoadedArea::draw(std::int32_t theX, std::int32_t theY) {
  forEachCell(theX, theY, [](Cell &cell, std::int32_t x, std::int32_t y) { cell.draw(x, y); });
}

void LoadedArea::drawSelected(std::int32_t theX, std::int32_t theY) {
  forEachCell(theX, theY,
              [](Cell &cell, std::int32_t x, std::int32_t y) { cell.drawSelected(x, y); });
}

void LoadedArea::selectSpace(std::int32_t theX, std::int32_t theY, std::int32_t theId,
                             std::int32_t theSelectType) {
  forEachCell(theX, theY, [&](Cell &cell, std::int32_t x, std::int32_t y) {
    cell.selectSpace(x, y, theId, theSelectType);
  });
}

void LoadedArea::loadAreaData(std::int32_t spaceX, std::int32_t spaceY) {
  clearToGround();
  const std::int32_t cx = spaceX % Cell::SIZE;
  const std::int32_t cy = spaceY % Cell::SIZE;
  Cell &centre = getCell(CENTRE, CENTRE);
  for (const WallPlacement &placement : TEST_WALLS) {
    centre.getSpace(cx + placement.dx, cy + placement.dy)
        .setWall(ObjectStore::make<Wall>(WallKind, placement.upperLeft, placement.upperRight,
                                         placement.lowerLeft, placement.lowerRight, CrateTexture));
  }
  centre.getSpace(cx + PERSON_DX, cy + PERSON_DY).setBeing(ObjectStore::make<Being>(PersonKind));
  Space &pile = centre.getSpace(cx + PILE_DX, cy + PILE_DY);
  for (int vase = 0; vase < PILE_VASES; ++vase) {
    pile.addItem(ObjectStore::make<Item>(VaseKind));
  }
}

void LoadedArea::clearToGround() {
  const Space ground(GroundTexture);
  for (Cell &cell : cells) {
    for (std::int32_t x = 0; x < Cell::SIZE; ++x) {
      for (std::int32_t y = 0; y < Cell::SIZE; ++y) {
        cell.setSpace(x, y, ground);
      }
    }
  }
}
