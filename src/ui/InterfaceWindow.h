#pragma once
// The abstract interface window: a translucent textured frame with a title,
// an optional close square and optional scroll squares, and content drawn by
// the concrete window. Windows never move once configured.

#include "ui/Widget.h"

#include <cstdint>
#include <string>
#include <utility>

class InterfaceWindow : public Widget {
public:
  // Draws the frame (only when background is true), then the squares, then
  // the content. The selection pass draws without background, so only the
  // squares and the content's named elements can be hit.
  virtual void draw(bool background);
  virtual void clickClose() = 0;
  virtual void clickScrollUp() = 0;
  virtual void clickScrollDown() = 0;
  virtual void clickContent(std::int32_t itemNumber) = 0;
  virtual void drawContent() = 0;

  // The pieces of draw, for subclasses that draw in another order.
  void drawFrame();
  // 30 x 30 in the top-right corner; named PickClose in a selection pass.
  void drawCloseButton();
  // Up square below the close square (or in the top-right corner without
  // one), down square in the bottom-right corner; named PickScrollUp and
  // PickScrollDown in a selection pass.
  void drawScrollButtons();

  std::string getTitle() const { return title; }
  bool isOpen() const { return open; }
  bool isClosable() const { return closable; }
  bool isScrolling() const { return scrolling; }
  void setTitle(std::string newTitle) { title = std::move(newTitle); }
  void setOpen(bool newOpen) { open = newOpen; }
  void setClosable(bool newClosable) { closable = newClosable; }
  void setScrolling(bool newScrolling) { scrolling = newScrolling; }

protected:
  // Empty title, closed, neither closable nor scrolling.
  InterfaceWindow() = default;
  InterfaceWindow(std::int32_t theX, std::int32_t theY, std::int32_t theWidth,
                  std::int32_t theHeight);
  InterfaceWindow(const InterfaceWindow &) = default;
  InterfaceWindow &operator=(const InterfaceWindow &) = default;

  std::string title;
  bool open = false;
  bool closable = false;
  bool scrolling = false;
};
