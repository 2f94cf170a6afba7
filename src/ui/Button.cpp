#include "ui/Button.h"

#include "gfx/Gl.h"
#include "gfx/Texture.h"

namespace {

// Far above 1: the GL clamps it, which leaves the texture's own colours.
constexpr float FULL_COLOUR = 100.0f;
constexpr float INACTIVE_ALPHA = 0.3f;

} // namespace

Button::Button(std::int32_t theX, std::int32_t theY, std::int32_t theWidth, std::int32_t theHeight,
               std::int32_t theTextureIndex)
    : Widget(theX, theY, theWidth, theHeight), textureIndex(theTextureIndex) {}

void Button::clickIn(std::int32_t itemNumber) {
  // The button bar decides what a button does from the rectangle test alone.
  (void)itemNumber;
}

void Button::draw() {
  bindTexture(textureIndex);
  glColor4f(FULL_COLOUR, FULL_COLOUR, FULL_COLOUR, active ? 1.0f : INACTIVE_ALPHA);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2i(x, y);
  glTexCoord2f(1, 0);
  glVertex2i(x + width, y);
  glTexCoord2f(1, 1);
  glVertex2i(x + width, y + height);
  glTexCoord2f(0, 1);
  glVertex2i(x, y + height);
  glEnd();
  // Whatever is drawn next must not inherit the faint alpha.
  glColor4f(FULL_COLOUR, FULL_COLOUR, FULL_COLOUR, 1.0f);
}
