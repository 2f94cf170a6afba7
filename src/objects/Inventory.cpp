#include "objects/Inventory.h"

#include "gfx/Picking.h"
#include "objects/Item.h"

#include <algorithm>

namespace {

constexpr std::int32_t GRID_COLUMNS = 6;
constexpr std::int32_t GRID_ROWS = 7;

// Only items are ever listed; anything else would weigh nothing.
double weightOf(const WorldObject *object) {
  const auto *item = dynamic_cast<const Item *>(object);
  return item != nullptr ? item->getWeight() : 0.0;
}

} // namespace

void Inventory::add(WorldObject *object) {
  if (object == nullptr) {
    return;
  }
  totalWeight += weightOf(object);
  entries.push_back(object);
}

WorldObject *Inventory::removeAt(std::int32_t i) {
  WorldObject *entry = at(i);
  if (entry == nullptr) {
    return nullptr;
  }
  entries.erase(entries.begin() + i);
  totalWeight -= weightOf(entry);
  return entry;
}

void Inventory::drawGrid(float x, float y, float width, float height, std::int32_t firstRow) const {
  if (firstRow < 0) {
    return;
  }
  const float cell = width / GRID_COLUMNS;
  float col = 0.0f;
  float row = 0.0f;
  // In 64 bits, so that no row number can overflow the bounds.
  const std::int64_t first = std::int64_t{firstRow} * GRID_COLUMNS;
  const std::int64_t end = std::min<std::int64_t>(first + GRID_ROWS * GRID_COLUMNS, size());
  for (std::int64_t i = first; i < end; ++i) {
    loadNextListName();
    const float px = x + col * cell - cell * 0.5f;
    const float py = (y + height) - row * cell - cell * 1.5f;
    if (const auto *item = dynamic_cast<const Item *>(at(static_cast<std::int32_t>(i)))) {
      item->drawIcon(px, py, cell);
    }
    col = col + 1;
    if (col > GRID_COLUMNS - 1) {
      row = row + 1;
      col = 0;
    }
  }
}
