#pragma once
// Shows one being (in practice the player): its portrait in the left part
// and its statistics lines in the right half, asked of the being anew every
// frame so the values shown are never stale.

#include "ui/InterfaceWindow.h"

#include <cstdint>

class Being;

class StatWindow : public InterfaceWindow {
public:
  // Titled "Stats", closable, not scrolling, closed; no being.
  StatWindow();
  // The being is not owned and may be null (then nothing of it is drawn).
  StatWindow(std::int32_t theX, std::int32_t theY, std::int32_t theWidth, std::int32_t theHeight,
             Being *theBeing);

  // PickClose closes the window; every other name is ignored.
  void clickIn(std::int32_t itemNumber) override;
  // Frame and portrait (only with the background), then the lines, then the
  // close square. In a selection pass only the close square carries a name.
  void draw(bool background) override;
  void clickClose() override;
  void clickScrollUp() override;
  void clickScrollDown() override;
  void clickContent(std::int32_t itemNumber) override;
  // The statistics lines, anchored at the middle of the top edge.
  void drawContent() override;

  // The portrait, a third of the width square, in the left half.
  void drawFace();

private:
  Being *being = nullptr;
};
