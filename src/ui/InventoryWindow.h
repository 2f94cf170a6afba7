#pragma once
// Shows a list of world objects as a grid of icons (right half) and lets the
// player move items with the mouse: take one onto the cursor, drop the held
// one into the list, look at or use one, and fill or empty the five
// equipment slots of the being shown (figure in the left half). The same
// window, showing a space instead of a being, is the item pile window.

#include "ui/InterfaceWindow.h"

#include <cstdint>

class Being;
class Equipment;
class Inventory;
class Space;
class WorldObject;

class InventoryWindow : public InterfaceWindow {
public:
  static constexpr std::int32_t ITEMS_PER_ROW = 6;
  static constexpr std::int32_t VISIBLE_ROWS = 7;

  // Titled "Inventory", closable, scrolling, closed, first row 0, showing
  // nothing.
  InventoryWindow();
  InventoryWindow(std::int32_t theX, std::int32_t theY, std::int32_t theWidth,
                  std::int32_t theHeight);

  // Shows the being's carried inventory and its equipment (not owned).
  void setBeing(Being *newBeing);
  // Shows the space's item pile and the space's picture (not owned).
  void setSpace(Space *newSpace);
  bool hasBeing() const { return being != nullptr; }
  bool hasSpace() const { return space != nullptr; }
  std::int32_t getFirstRow() const { return firstRow; }

  // Applies a click, given the result of the selection pass over the window
  // (hit count and the name taken), and returns the new object on the
  // cursor. player is the one acting and must not be null. The held object
  // goes into the list wherever the click falls, except on a window square
  // or an equipment slot; list name k stands for position firstRow * 6 + k,
  // and a name that stands for no entry acts on no item.
  WorldObject *selectItemInInvent(std::int32_t hits, std::int32_t itemNumber,
                                  WorldObject *cursorItem, Being *player);
  // The click on the equipment slot named checkType (9004 to 9008), which
  // accepts items of category itemType. Equipped items count in the weight
  // of the shown list; the item on the cursor never does.
  WorldObject *clickOnEquipment(std::int32_t itemType, std::int32_t checkType,
                                WorldObject *cursorItem, Being *player);

  // The close and scroll squares; every other name is ignored.
  void clickIn(std::int32_t itemNumber) override;
  // Frame and source picture (only with the background), the squares, then
  // the grid and figure only while the list holds something.
  void draw(bool background) override;
  void clickClose() override;
  void clickScrollUp() override;
  // Moves down a row only while rows below the visible ones hold items.
  void clickScrollDown() override;
  void clickContent(std::int32_t itemNumber) override;
  void drawContent() override;

  // The space's picture in the left half; names itself 9003 in a pass.
  void drawSource();

private:
  // The list position that list name itemNumber stands for, or -1 when it
  // stands for no entry.
  std::int32_t positionOf(std::int32_t itemNumber) const;
  // The player's action on the entry at position (none when -1); returns
  // the new object on the cursor.
  WorldObject *actOnItem(std::int32_t position, Being *player);

  std::int32_t firstRow = 0;
  Being *being = nullptr;
  Space *space = nullptr;
  Inventory *inventory = nullptr;
  Equipment *equipment = nullptr;
};
