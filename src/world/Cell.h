#pragma once
// A 30 by 30 block of spaces, held by value. Space (x, y) has x growing
// towards Right and y towards Up.

#include "world/Space.h"

#include <array>
#include <cstdint>

class Cell {
public:
  static constexpr std::int32_t SIZE = 30;
  // How far from the view centre a space is still drawn, in either axis.
  static constexpr std::int32_t VIEW_RADIUS = 14;

  // No range check: callers keep 0 <= x, y < SIZE.
  Space &getSpace(std::int32_t x, std::int32_t y) { return spaces[index(x, y)]; }
  const Space &getSpace(std::int32_t x, std::int32_t y) const { return spaces[index(x, y)]; }
  void setSpace(std::int32_t x, std::int32_t y, const Space &newSpace);

  void update(float milliseconds);

  // The three drawing passes over the spaces within VIEW_RADIUS of the view
  // centre (theX, theY), in cell coordinates; each space is drawn at its
  // distance from the centre, shifted back by the view offset.
  void drawGrid(std::int32_t theX, std::int32_t theY);
  void draw(std::int32_t theX, std::int32_t theY);
  void drawSelected(std::int32_t theX, std::int32_t theY);

  bool canBeDrawn(std::int32_t x, std::int32_t y, std::int32_t centreX, std::int32_t centreY) const;
  // Where a line-of-sight test would go; everything is in view.
  bool isInPlayerView() const { return true; }

  // theSelectType 1 (a click) first clears every mark of the cell. Then the
  // drawn space that carries the name theId and no mark gets the mark
  // theSelectType, and every drawn space forgets its name.
  void selectSpace(std::int32_t theX, std::int32_t theY, std::int32_t theId,
                   std::int32_t theSelectType);

private:
  static std::int32_t index(std::int32_t x, std::int32_t y) { return x * SIZE + y; }

  template <typename Pass> void forEachDrawn(std::int32_t theX, std::int32_t theY, Pass pass);

  std::array<Space, SIZE * SIZE> spaces;
};
