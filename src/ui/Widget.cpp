#include "ui/Widget.h"

#include "shell/ShellWindow.h"

Widget::Widget(std::int32_t theX, std::int32_t theY, std::int32_t theWidth, std::int32_t theHeight)
    : x(theX), y(theY), width(theWidth), height(theHeight) {}

bool Widget::contains(std::int32_t pointX, std::int32_t pointY) const {
  // The cursor counts from the top edge; the client height can change
  // between frames, so it is read afresh for every test.
  const std::int32_t clientHeight = currentWindow->getClientHeight();
  const bool insideHorizontally = x < pointX && pointX < x + width;
  const bool insideVertically = clientHeight - (y + height) < pointY && pointY < clientHeight - y;
  return insideHorizontally && insideVertically;
}
