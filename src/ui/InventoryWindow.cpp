#include "ui/InventoryWindow.h"

#include "gfx/Picking.h"
#include "objects/Being.h"
#include "objects/Equipment.h"
#include "objects/Inventory.h"
#include "objects/Item.h"
#include "world/Space.h"

namespace {

const char *const INVENTORY_TITLE = "Inventory";

// The item category each equipment slot accepts; both hands take swords.
std::int32_t slotCategory(std::int32_t slot) {
  switch (slot) {
  case PickHeadSlot:
    return HeadCategory;
  case PickLeftHandSlot:
  case PickRightHandSlot:
    return HandCategory;
  case PickBodySlot:
    return BodyCategory;
  default:
    return FeetCategory;
  }
}

bool isWindowSquare(std::int32_t itemNumber) {
  return itemNumber == PickClose || itemNumber == PickScrollUp || itemNumber == PickScrollDown;
}

bool isEquipmentSlot(std::int32_t itemNumber) {
  return itemNumber >= PickHeadSlot && itemNumber <= PickFeetSlot;
}

double weightOf(const Item *item) {
  return item == nullptr ? 0.0 : item->getWeight();
}

} // namespace

InventoryWindow::InventoryWindow() {
  title = INVENTORY_TITLE;
  closable = true;
  scrolling = true;
}

InventoryWindow::InventoryWindow(std::int32_t theX, std::int32_t theY, std::int32_t theWidth,
                                 std::int32_t theHeight)
    : InterfaceWindow(theX, theY, theWidth, theHeight) {
  title = INVENTORY_TITLE;
  closable = true;
  scrolling = true;
}

void InventoryWindow::setBeing(Being *newBeing) {
  being = newBeing;
  space = nullptr;
  firstRow = 0;
  inventory = newBeing == nullptr ? nullptr : &newBeing->getInventory();
  equipment = newBeing == nullptr ? nullptr : &newBeing->getEquipment();
}

void InventoryWindow::setSpace(Space *newSpace) {
  space = newSpace;
  being = nullptr;
  equipment = nullptr;
  firstRow = 0;
  inventory = newSpace == nullptr ? nullptr : &newSpace->getItemPile();
}

WorldObject *InventoryWindow::selectItemInInvent(std::int32_t hits, std::int32_t itemNumber,
                                                 WorldObject *cursorItem, Being *player) {
  if (isWindowSquare(itemNumber)) {
    clickIn(itemNumber);
    return cursorItem;
  }
  if (hits > 0 && isEquipmentSlot(itemNumber)) {
    return clickOnEquipment(slotCategory(itemNumber), itemNumber, cursorItem, player);
  }
  if (cursorItem != nullptr) {
    // A window that shows no list yet cannot take the item: it stays held
    // rather than being lost.
    if (inventory == nullptr) {
      return cursorItem;
    }
    inventory->add(cursorItem);
    return nullptr;
  }
  // Whether there is anything to act on is a question about this window's
  // own list. Asking the player's pack instead made every item of a pile
  // untouchable while the player carried nothing.
  if (hits > 0 && inventory != nullptr && !inventory->isEmpty()) {
    WorldObject *taken = actOnItem(positionOf(itemNumber), player);
    player->setAction(None);
    return taken;
  }
  return cursorItem;
}

WorldObject *InventoryWindow::clickOnEquipment(std::int32_t itemType, std::int32_t checkType,
                                               WorldObject *cursorItem, Being *player) {
  if (equipment == nullptr) {
    return cursorItem;
  }
  Item *slotItem = equipment->get(checkType);
  const ActionMode action = player->getActionMode();
  if (action == Look && slotItem != nullptr) {
    slotItem->onLook();
    player->setAction(None);
    return cursorItem;
  }
  if (action == Use && slotItem != nullptr) {
    slotItem->onUse();
    player->setAction(None);
    return cursorItem;
  }
  if (action != None && action != Get) {
    return cursorItem;
  }
  auto *heldItem = dynamic_cast<Item *>(cursorItem);
  if (heldItem != nullptr && heldItem->getCategory() == itemType) {
    inventory->addWeight(-weightOf(slotItem));
    inventory->addWeight(weightOf(heldItem));
    equipment->set(heldItem, checkType);
    player->setAction(None);
    return slotItem;
  }
  if (cursorItem == nullptr && slotItem != nullptr) {
    inventory->addWeight(-weightOf(slotItem));
    equipment->take(checkType);
    player->setAction(None);
    return slotItem;
  }
  player->setAction(None);
  return cursorItem;
}

void InventoryWindow::clickIn(std::int32_t itemNumber) {
  switch (itemNumber) {
  case PickClose:
    clickClose();
    break;
  case PickScrollUp:
    clickScrollUp();
    break;
  case PickScrollDown:
    clickScrollDown();
    break;
  default:
    break;
  }
}

void InventoryWindow::draw(bool background) {
  if (background) {
    drawFrame();
    drawSource();
  }
  if (closable) {
    drawCloseButton();
  }
  if (scrolling) {
    drawScrollButtons();
  }
  if (inventory != nullptr && !inventory->isEmpty()) {
    drawContent();
  }
}

void InventoryWindow::clickClose() {
  setOpen(false);
}

void InventoryWindow::clickScrollUp() {
  if (firstRow >= 1) {
    --firstRow;
  }
}

void InventoryWindow::clickScrollDown() {
  if (inventory != nullptr && (firstRow + VISIBLE_ROWS) * ITEMS_PER_ROW < inventory->size()) {
    ++firstRow;
  }
}

void InventoryWindow::clickContent(std::int32_t itemNumber) {
  (void)itemNumber;
}

void InventoryWindow::drawContent() {
  if (inventory == nullptr) {
    return;
  }
  const auto half = static_cast<float>(width / 2);
  inventory->drawGrid(static_cast<float>(x + width / 2), static_cast<float>(y), half,
                      static_cast<float>(height), firstRow);
  if (being != nullptr && equipment != nullptr) {
    equipment->draw(static_cast<float>(x), static_cast<float>(y), half, static_cast<float>(height));
  }
}

void InventoryWindow::drawSource() {
  loadPickName(PickPortrait);
  if (being != nullptr || space == nullptr) {
    return;
  }
  const auto size = static_cast<float>(width / 3);
  space->drawIcon(static_cast<float>(x + (width / 2) / 6),
                  static_cast<float>(y + ((height / 2) * 2) / 6), size);
}

std::int32_t InventoryWindow::positionOf(std::int32_t itemNumber) const {
  if (itemNumber < 0) {
    return -1;
  }
  // In 64 bits: a stray name far beyond the list must not wrap into it.
  const std::int64_t position = std::int64_t{firstRow} * ITEMS_PER_ROW + std::int64_t{itemNumber};
  return position < inventory->size() ? static_cast<std::int32_t>(position) : -1;
}

WorldObject *InventoryWindow::actOnItem(std::int32_t position, Being *player) {
  WorldObject *entry = inventory->at(position);
  if (entry == nullptr) {
    return nullptr;
  }
  switch (player->getActionMode()) {
  case None:
  case Get:
    return inventory->removeAt(position);
  case Look:
    entry->onLook();
    return nullptr;
  case Use: {
    entry->onUse();
    const auto *item = dynamic_cast<const Item *>(entry);
    if (item != nullptr && item->getCategory() == FoodCategory) {
      // Eaten, not held: it leaves the list and goes nowhere.
      inventory->removeAt(position);
    }
    return nullptr;
  }
  default:
    return nullptr;
  }
}
