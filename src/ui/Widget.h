#pragma once
// An axis-aligned rectangle of the interface layer (origin at the bottom-left
// corner of the client area, y upwards) that can answer a pick name found
// inside it.

#include <cstdint>

class Widget {
public:
  virtual ~Widget() = default;

  // Handles a pick name that the selection pass found inside this element.
  virtual void clickIn(std::int32_t itemNumber) = 0;

  // Whether the cursor point (client pixels, origin at the top-left corner)
  // lies strictly inside the rectangle; points on the border are outside.
  // Reads the current client height of currentWindow, which must be set.
  bool contains(std::int32_t pointX, std::int32_t pointY) const;

  std::int32_t getX() const { return x; }
  std::int32_t getY() const { return y; }
  std::int32_t getWidth() const { return width; }
  std::int32_t getHeight() const { return height; }
  void setX(std::int32_t theX) { x = theX; }
  void setY(std::int32_t theY) { y = theY; }
  void setWidth(std::int32_t theWidth) { width = theWidth; }
  void setHeight(std::int32_t theHeight) { height = theHeight; }

protected:
  Widget() = default;
  Widget(std::int32_t theX, std::int32_t theY, std::int32_t theWidth, std::int32_t theHeight);
  // Copying is for the concrete widgets, which are configured by assignment;
  // kept here so that a widget cannot be sliced through a base reference.
  Widget(const Widget &) = default;
  Widget &operator=(const Widget &) = default;

  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};
