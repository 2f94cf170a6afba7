#include "DataImage.h"
#include "GlContext.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"

#include <algorithm>
#include <string>

namespace {

constexpr int CELL = 16;
constexpr int COLUMNS = 16;
constexpr int CELLS = 16 * 8;
// Each glyph quad shows only the top 0.12 of its cell's 0.125 of the
// texture height: rows 0 to 14 fully, row 15 never fully.
constexpr int SHOWN_ROWS = 15;

struct Ink {
  int left = CELL, right = -1, top = CELL, bottom = -1; // inclusive, cell pixels
  bool any() const { return right >= 0; }
};

class FontImage : public ::testing::Test {
protected:
  static Texture font;

  static void SetUpTestSuite() { ASSERT_TRUE(decodeDataImage("Data/Font.tga", font)); }

  static int glyphOf(char character) { return static_cast<unsigned char>(character) - 32; }

  static int alpha(int glyph, int x, int y) {
    return channelAt(font, (glyph % COLUMNS) * CELL + x, (glyph / COLUMNS) * CELL + y, 3);
  }

  static Ink inkOf(int glyph) {
    Ink ink;
    for (int y = 0; y < CELL; ++y) {
      for (int x = 0; x < CELL; ++x) {
        if (alpha(glyph, x, y) != 0) {
          ink.left = std::min(ink.left, x);
          ink.right = std::max(ink.right, x);
          ink.top = std::min(ink.top, y);
          ink.bottom = std::max(ink.bottom, y);
        }
      }
    }
    return ink;
  }
  static Ink inkOf(char character) { return inkOf(glyphOf(character)); }
};

Texture FontImage::font;

} // namespace

TEST_F(FontImage, IsA256By128GridWithAlpha) {
  EXPECT_EQ(font.width, 256u);
  EXPECT_EQ(font.height, 128u);
  EXPECT_EQ(font.bitsPerPixel, 32u);
}

TEST_F(FontImage, TheBlankAndTheUnusedCellsAreEmpty) {
  EXPECT_FALSE(inkOf(' ').any());
  for (int glyph = FONT_GLYPHS; glyph < CELLS; ++glyph) {
    EXPECT_FALSE(inkOf(glyph).any()) << "cell " << glyph;
  }
}

TEST_F(FontImage, EveryPrintableGlyphHasInkInsideTheShownBandAndItsAdvance) {
  for (int glyph = 1; glyph < FONT_GLYPHS; ++glyph) {
    const char character = static_cast<char>(32 + glyph);
    SCOPED_TRACE(std::string("glyph '") + character + "'");
    const Ink ink = inkOf(glyph);
    ASSERT_TRUE(ink.any());
    EXPECT_LT(ink.bottom, SHOWN_ROWS);
    // Column 0 would blend with the neighbouring cell under linear filtering;
    // past the advance the ink would run into the next glyph.
    EXPECT_GE(ink.left, 1);
    EXPECT_LT(ink.right, FONT_ADVANCE);
  }
}

TEST_F(FontImage, GlyphsShareABaselineAndDescendersHangBelowIt) {
  const int baseline = inkOf('H').bottom;
  for (char flat : std::string("xzELT1")) {
    EXPECT_EQ(inkOf(flat).bottom, baseline) << flat;
  }
  for (char descender : std::string("gjpqy")) {
    const Ink ink = inkOf(descender);
    EXPECT_GT(ink.bottom, baseline + 1) << descender;
    EXPECT_LT(ink.bottom, SHOWN_ROWS) << descender;
  }
  for (char ascender : std::string("bdhkl")) {
    EXPECT_LT(inkOf(ascender).top, inkOf('x').top) << ascender;
  }
}

TEST_F(FontImage, GlyphsAreWhiteSoTheyTakeTheCurrentColour) {
  for (int y = 0; y < static_cast<int>(font.height); ++y) {
    for (int x = 0; x < static_cast<int>(font.width); ++x) {
      for (int channel = 0; channel < 3; ++channel) {
        ASSERT_EQ(channelAt(font, x, y, channel), 255) << "pixel " << x << ", " << y;
      }
    }
  }
}

namespace {

class FontRendering : public GlTest {
protected:
  static constexpr int X = 100;
  static constexpr int Y = 50;
  static constexpr int AREA_WIDTH = 200;
  static constexpr int AREA_HEIGHT = 40;
  static constexpr int AREA_BOTTOM = Y - 12;
  std::vector<unsigned char> pixels;

  void SetUp() override {
    GlTest::SetUp();
    loadGameTextures();
    buildFontLists();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  void TearDown() override {
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    deleteFontLists();
    GlTest::TearDown();
  }

  void draw(const char *text) {
    glClear(GL_COLOR_BUFFER_BIT);
    printText(X, Y, "%s", text);
    pixels.assign(AREA_WIDTH * AREA_HEIGHT * 4, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(X - 50, AREA_BOTTOM, AREA_WIDTH, AREA_HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
  }
  // Window pixel (x, y), y upwards.
  bool lit(int x, int y) const {
    const int column = x - (X - 50);
    const int row = y - AREA_BOTTOM;
    return pixels[(static_cast<std::size_t>(row) * AREA_WIDTH + column) * 4] > 64;
  }
  // Lit pixels in the window rectangle [left, right) x [bottom, top).
  int litIn(int left, int right, int bottom, int top) const {
    int count = 0;
    for (int y = bottom; y < top; ++y) {
      for (int x = left; x < right; ++x) {
        count += lit(x, y);
      }
    }
    return count;
  }
};

} // namespace

TEST_F(FontRendering, EachGlyphLandsInItsOwnAdvanceWithDescendersInsideTheQuad) {
  draw("Hgy|");
  const int all = litIn(X - 50, X + 150, AREA_BOTTOM, AREA_BOTTOM + AREA_HEIGHT);
  // Everything within the four quads' rows: nothing clipped into a line below.
  EXPECT_EQ(litIn(X, X + 3 * FONT_ADVANCE + FONT_GLYPH_SIZE, Y, Y + FONT_GLYPH_SIZE), all);
  for (int glyph = 0; glyph < 4; ++glyph) {
    const int left = X + glyph * FONT_ADVANCE;
    EXPECT_GT(litIn(left, left + FONT_ADVANCE, Y, Y + FONT_GLYPH_SIZE), 8) << "glyph " << glyph;
  }
  // The g and y descend below the H's lowest row.
  int baseline = Y + FONT_GLYPH_SIZE;
  for (int y = Y; y < Y + FONT_GLYPH_SIZE && baseline == Y + FONT_GLYPH_SIZE; ++y) {
    if (litIn(X, X + FONT_ADVANCE, y, y + 1) > 0) {
      baseline = y;
    }
  }
  EXPECT_GT(litIn(X + FONT_ADVANCE, X + 3 * FONT_ADVANCE, Y, baseline), 0);
}

TEST_F(FontRendering, BlanksDrawNothing) {
  draw("    ");
  EXPECT_EQ(litIn(X - 50, X + 150, AREA_BOTTOM, AREA_BOTTOM + AREA_HEIGHT), 0);
}
