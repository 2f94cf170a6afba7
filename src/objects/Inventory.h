#pragma once
// An ordered list of world objects (never owned) with a running total
// weight: a space's item pile or a being's carried items.

#include "objects/WorldObject.h"

#include <cstdint>
#include <vector>

class Inventory {
public:
  // Copying copies the references and the total weight, never the objects.
  std::int32_t size() const { return static_cast<std::int32_t>(entries.size()); }
  bool isEmpty() const { return entries.empty(); }
  // The entry at 0-based position i, or null when i is outside the list.
  WorldObject *at(std::int32_t i) const {
    return i < 0 || i >= size() ? nullptr : entries[static_cast<std::size_t>(i)];
  }
  // Adds the object's item weight to the total and appends it; a null
  // object is ignored.
  void add(WorldObject *object);
  // Takes out the entry at position i, subtracts its weight and returns it;
  // null (and no change) when i is outside the list.
  WorldObject *removeAt(std::int32_t i);
  // Changes the total without touching the entries (equipped items count in
  // the carried weight).
  void addWeight(double delta) { totalWeight += delta; }
  // The running total: never recomputed from the entries.
  double getTotalWeight() const { return totalWeight; }

  // Draws the icons of at most 7 rows of 6 entries, beginning with row
  // firstRow, in the area whose lower-left corner is (x, y). In a selection
  // pass each icon takes the next list name, so name k is the entry at
  // position firstRow * 6 + k.
  void drawGrid(float x, float y, float width, float height, std::int32_t firstRow) const;

private:
  std::vector<WorldObject *> entries;
  double totalWeight = 0.0;
};
