#pragma once
// A textured square of the button bar: opaque when active, faint otherwise.
// Clicks are found with contains, never by picking, so a button loads no
// pick names.

#include "ui/Widget.h"

#include <cstdint>

class Button : public Widget {
public:
  // Inactive; rectangle and picture left to be assigned.
  Button() = default;
  // Inactive, showing entry textureIndex of the texture table.
  Button(std::int32_t theX, std::int32_t theY, std::int32_t theWidth, std::int32_t theHeight,
         std::int32_t theTextureIndex);

  void clickIn(std::int32_t itemNumber) override;

  // Draws the picture, unmirrored, and leaves the current colour opaque white.
  void draw();

  bool isActive() const { return active; }
  void setActive(bool newActive) { active = newActive; }
  std::int32_t getTextureIndex() const { return textureIndex; }

private:
  bool active = false;
  std::int32_t textureIndex = 0;
};
