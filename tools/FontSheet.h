#pragma once
// The game's bitmap font: 95 glyphs (character codes 32 to 126) in a 16 x 8
// grid of 16 x 16 pixel cells over a 256 x 128 picture, glyph i in column
// i mod 16 and row i div 16 counted from the top. White, with the glyph's
// coverage in alpha on a fully transparent background.
//
// The game shows only the top 15.36 pixel rows of a cell and moves its pen
// 10 pixels per glyph, so every glyph is kept inside the top 15 rows and away
// from the cell's side columns, on one baseline, starting near the left edge.

#include "GlyphRasterizer.h"
#include "Image.h"

#include <string>

class FontSheet {
public:
  static constexpr int WIDTH = 256;
  static constexpr int HEIGHT = 128;
  static constexpr int CELL = 16;
  static constexpr int COLUMNS = WIDTH / CELL;
  static constexpr int FIRST_CHARACTER = 32;
  static constexpr int GLYPHS = 95;
  static constexpr int VISIBLE_ROWS = 15; // of each cell's 16

  // Renders the glyphs at the largest pixel size, up to the preferred one,
  // at which all of them fit their cells. False, with a reason in error,
  // when a glyph fails to render or no size fits.
  static bool paint(GlyphRasterizer &rasterizer, Image &sheet, std::string &error);

private:
  static constexpr int PREFERRED_PIXEL_SIZE = 14;
  static constexpr int SMALLEST_PIXEL_SIZE = 9;
  static constexpr int PEN_LEFT = 1; // first column the pen starts at

  // The baseline row for the current size, or -1 when some glyph does not fit.
  static int fittingBaseline(const GlyphRasterizer &rasterizer);
};
