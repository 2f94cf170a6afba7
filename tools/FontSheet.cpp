#include "FontSheet.h"

#include <algorithm>

namespace {

char characterOf(int glyph) {
  return static_cast<char>(FontSheet::FIRST_CHARACTER + glyph);
}

} // namespace

bool FontSheet::paint(GlyphRasterizer &rasterizer, Image &sheet, std::string &error) {
  for (int size = PREFERRED_PIXEL_SIZE; size >= SMALLEST_PIXEL_SIZE; --size) {
    if (!rasterizer.setPixelSize(size)) {
      error = "the font cannot be scaled to " + std::to_string(size) + " pixels";
      return false;
    }
    const int baseline = fittingBaseline(rasterizer);
    if (baseline < 0) {
      continue;
    }
    // White everywhere, so linear filtering at a glyph's outline blends
    // only alpha and never darkens the letter.
    sheet = Image(WIDTH, HEIGHT, true, Colour{255, 255, 255, 0});
    for (int glyph = 0; glyph < GLYPHS; ++glyph) {
      const int cellLeft = (glyph % COLUMNS) * CELL;
      const int cellTop = (glyph / COLUMNS) * CELL;
      rasterizer.draw(sheet, cellLeft + PEN_LEFT, cellTop + baseline,
                      std::string(1, characterOf(glyph)), Colour{255, 255, 255, 255});
    }
    return true;
  }
  error = "the font's glyphs do not fit 16 x 15 pixel cells at any size";
  return false;
}

int FontSheet::fittingBaseline(const GlyphRasterizer &rasterizer) {
  int above = 0;
  int below = 0;
  Glyph glyph;
  for (int index = 0; index < GLYPHS; ++index) {
    if (!rasterizer.render(characterOf(index), glyph)) {
      return -1;
    }
    if (glyph.rows == 0) {
      continue; // the blank
    }
    const int left = PEN_LEFT + glyph.left;
    if (left < 1 || left + glyph.width > CELL - 1) {
      return -1;
    }
    above = std::max(above, glyph.top);
    below = std::max(below, glyph.rows - glyph.top);
  }
  if (above + below > VISIBLE_ROWS) {
    return -1;
  }
  // Spare rows go half above, half below.
  return (VISIBLE_ROWS - above - below) / 2 + above;
}
