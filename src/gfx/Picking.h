#pragma once
// The selection-name counter shared by everything that names itself in a
// picking pass.

#include <cstdint>

// 0 outside a selection pass. A pass sets it to 1; ground squares take its
// running value as their name, lists in windows the value minus 1, and both
// increment it. Window squares and equipment slots load fixed names
// whenever it is not 0.
extern std::int32_t pickingPass;

// Fixed pick names of window elements.
enum PickName : std::int32_t {
  PickClose = 9000,
  PickScrollUp = 9001,
  PickScrollDown = 9002,
  PickPortrait = 9003,
  PickHeadSlot = 9004,
  PickLeftHandSlot = 9005,
  PickRightHandSlot = 9006,
  PickBodySlot = 9007,
  PickFeetSlot = 9008,
};

// Loads name as the current selection name when a pass is running.
void loadPickName(std::int32_t name);
// Loads pickingPass - 1 and advances the counter, for rows of a list.
void loadNextListName();
