#include "world/Cell.h"

#include "world/View.h"

#include <cstdlib>

void Cell::setSpace(std::int32_t x, std::int32_t y, const Space &newSpace) {
  spaces[index(x, y)] = newSpace;
}

void Cell::update(float milliseconds) {
  for (Space &space : spaces) {
    space.update(milliseconds);
  }
}

bool Cell::canBeDrawn(std::int32_t x, std::int32_t y, std::int32_t centreX,
                      std::int32_t centreY) const {
  return std::abs(x - centreX) <= VIEW_RADIUS && std::abs(y - centreY) <= VIEW_RADIUS &&
         isInPlayerView();
}

template <typename Pass> void Cell::forEachDrawn(std::int32_t theX, std::int32_t theY, Pass pass) {
  for (std::int32_t x = 0; x < SIZE; ++x) {
    for (std::int32_t y = 0; y < SIZE; ++y) {
      if (canBeDrawn(x, y, theX, theY)) {
        const float px = static_cast<float>(x - theX) - viewOffsetX;
        const float py = static_cast<float>(y - theY) - viewOffsetY;
        pass(getSpace(x, y), px, py);
      }
    }
  }
}

void Cell::drawGrid(std::int32_t theX, std::int32_t theY) {
  forEachDrawn(theX, theY, [](Space &space, float px, float py) { space.drawGrid(px, py); });
}

void Cell::draw(std::int32_t theX, std::int32_t theY) {
  forEachDrawn(theX, theY, [](Space &space, float px, float py) { space.draw(px, py); });
}

void Cell::drawSelected(std::int32_t theX, std::int32_t theY) {
  forEachDrawn(theX, theY, [](Space &space, float px, float py) { space.drawSelected(px, py); });
}

void Cell::selectSpace(std::int32_t theX, std::int32_t theY, std::int32_t theId,
                       std::int32_t theSelectType) {
  for (std::int32_t x = 0; x < SIZE; ++x) {
    for (std::int32_t y = 0; y < SIZE; ++y) {
      Space &space = getSpace(x, y);
      if (theSelectType == Space::ChosenMark) {
        space.setSelected(Space::NoMark);
      }
      if (canBeDrawn(x, y, theX, theY)) {
        if (space.getSelectId() == theId && !space.isSelected()) {
          space.setSelected(theSelectType);
        }
        space.setSelectId(0);
      }
    }
  }
}
