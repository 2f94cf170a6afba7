#pragma once
// The whole world: 3 by 3 cells, held by value. The player lives in the
// centre cell (1, 1); the cells around it fill the view past its edges.

#include "world/Cell.h"

#include <array>
#include <cstdint>

class LoadedArea {
public:
  static constexpr std::int32_t CELLS = 3;
  static constexpr std::int32_t CENTRE = 1;

  // No range check: callers keep 0 <= i, j < CELLS.
  Cell &getCell(std::int32_t i, std::int32_t j) { return cells[i * CELLS + j]; }
  const Cell &getCell(std::int32_t i, std::int32_t j) const { return cells[i * CELLS + j]; }
  void setCell(std::int32_t i, std::int32_t j, const Cell &newCell);

  void update(float milliseconds);

  // The passes of every cell around the player's cell coordinates
  // (theX, theY). Cell i = 0 supplies the view past the centre cell's
  // edge at x = 29, cell i = 2 the view before its edge at x = 0, and
  // likewise j along y.
  void drawGrid(std::int32_t theX, std::int32_t theY);
  void draw(std::int32_t theX, std::int32_t theY);
  void drawSelected(std::int32_t theX, std::int32_t theY);
  void selectSpace(std::int32_t theX, std::int32_t theY, std::int32_t theId,
                   std::int32_t theSelectType);

  // Bare ground everywhere, then the fixed test arrangement in the centre
  // cell around the world position (spaceX, spaceY): sixteen wall pieces,
  // someone, and a pile of fifty vases. Requires spaceX mod 30 in 2 to 23
  // and spaceY mod 30 in 6 to 26.
  void loadAreaData(std::int32_t spaceX, std::int32_t spaceY);

private:
  template <typename Pass> void forEachCell(std::int32_t theX, std::int32_t theY, Pass pass);
  void clearToGround();

  std::array<Cell, CELLS * CELLS> cells;
};
