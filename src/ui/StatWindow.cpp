#include "ui/StatWindow.h"

#include "gfx/Picking.h"
#include "objects/Being.h"

namespace {
const char *const STATS_TITLE = "Stats";
} // namespace

StatWindow::StatWindow() {
  title = STATS_TITLE;
  closable = true;
}

StatWindow::StatWindow(std::int32_t theX, std::int32_t theY, std::int32_t theWidth,
                       std::int32_t theHeight, Being *theBeing)
    : InterfaceWindow(theX, theY, theWidth, theHeight), being(theBeing) {
  title = STATS_TITLE;
  closable = true;
}

void StatWindow::clickIn(std::int32_t itemNumber) {
  if (itemNumber == PickClose) {
    clickClose();
  }
}

void StatWindow::draw(bool background) {
  // The portrait goes with the frame only: drawn in the selection pass it
  // would name itself and hide nothing useful behind it.
  if (background) {
    drawFrame();
    drawFace();
  }
  drawContent();
  if (closable) {
    drawCloseButton();
  }
  if (scrolling) {
    drawScrollButtons();
  }
}

void StatWindow::clickClose() {
  setOpen(false);
}

void StatWindow::clickScrollUp() {}

void StatWindow::clickScrollDown() {}

void StatWindow::clickContent(std::int32_t itemNumber) {
  (void)itemNumber;
}

void StatWindow::drawContent() {
  if (being == nullptr) {
    return;
  }
  being->drawStat(static_cast<float>(x + width / 2), static_cast<float>(y + height),
                  static_cast<float>(width / 2));
}

void StatWindow::drawFace() {
  if (being == nullptr) {
    return;
  }
  // Integer divisions first, so that an odd height lands on the same pixel.
  const auto left = static_cast<float>(x + (width / 2) / 6);
  const auto bottom = static_cast<float>(y + ((height / 2) * 2) / 6);
  const auto size = static_cast<float>(width / 3);
  being->drawFace(left, bottom, size, size);
}
