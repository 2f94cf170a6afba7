#include "ui/InterfaceWindow.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Picking.h"
#include "gfx/Texture.h"

namespace {

constexpr std::int32_t SQUARE_SIZE = 30;
constexpr std::int32_t TITLE_DROP = 15;
// Far above 1: the GL clamps it, which leaves the texture's own colours.
constexpr float FULL_COLOUR = 100.0f;
constexpr float FRAME_ALPHA = 0.5f;

// A quad from (left, bottom) to (right, top) with the picture mirrored left
// to right, as every part of a window is drawn.
void drawMirroredQuad(std::int32_t left, std::int32_t bottom, std::int32_t right,
                      std::int32_t top) {
  glBegin(GL_QUADS);
  glTexCoord2f(1, 0);
  glVertex2i(left, bottom);
  glTexCoord2f(0, 0);
  glVertex2i(right, bottom);
  glTexCoord2f(0, 1);
  glVertex2i(right, top);
  glTexCoord2f(1, 1);
  glVertex2i(left, top);
  glEnd();
}

} // namespace

InterfaceWindow::InterfaceWindow(std::int32_t theX, std::int32_t theY, std::int32_t theWidth,
                                 std::int32_t theHeight)
    : Widget(theX, theY, theWidth, theHeight) {}

void InterfaceWindow::draw(bool background) {
  if (background) {
    drawFrame();
  }
  if (closable) {
    drawCloseButton();
  }
  if (scrolling) {
    drawScrollButtons();
  }
  drawContent();
}

void InterfaceWindow::drawFrame() {
  bindTexture(MenuTexture);
  glColor4f(FULL_COLOUR, FULL_COLOUR, FULL_COLOUR, FRAME_ALPHA);
  drawMirroredQuad(x, y, x + width, y + height);
  glColor4f(FULL_COLOUR, FULL_COLOUR, FULL_COLOUR, 1.0f);
  printString(x, y + height - TITLE_DROP, title);
}

void InterfaceWindow::drawCloseButton() {
  loadPickName(PickClose);
  bindTexture(CloseCaseTexture);
  drawMirroredQuad(x + width - SQUARE_SIZE, y + height - SQUARE_SIZE, x + width, y + height);
}

void InterfaceWindow::drawScrollButtons() {
  // Number of squares from the top edge down to the up square's bottom.
  const std::int32_t upSlot = closable ? 2 : 1;
  loadPickName(PickScrollUp);
  bindTexture(UpCaseTexture);
  drawMirroredQuad(x + width - SQUARE_SIZE, y + height - SQUARE_SIZE * upSlot, x + width,
                   y + height - SQUARE_SIZE * (upSlot - 1));
  loadPickName(PickScrollDown);
  bindTexture(DownCaseTexture);
  drawMirroredQuad(x + width - SQUARE_SIZE, y, x + width, y + SQUARE_SIZE);
}
