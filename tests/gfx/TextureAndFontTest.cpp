#include "ObjectGlTest.h"
#include "ScreenQuads.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Texture.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// An uncompressed true-colour file: the 18 header bytes, then the pixels;
// byte at then changed to value.
Bytes tga(int width, int height, int bits, const Bytes &pixels, std::size_t at = 0, int value = 0) {
  Bytes file = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int field : {width & 0xff, width >> 8, height & 0xff, height >> 8, bits, 0}) {
    file.push_back(static_cast<unsigned char>(field));
  }
  file.insert(file.end(), pixels.begin(), pixels.end());
  file[at] = static_cast<unsigned char>(value);
  return file;
}

// What the text drawn by print covers.
std::vector<ScreenQuad> printed(const std::function<void()> &print) {
  return screenQuadsOf(GlTest::captureFeedback(print));
}

// Text needs the font's display lists to produce any geometry.
using FontPrinting = ObjectGlTest;

} // namespace

TEST(TgaDecode, AcceptsOnlyWholeUncompressedTrueColourFilesAndSwapsBlueAndRed) {
  const Bytes six = {10, 20, 30, 40, 50, 60}, swapped = {30, 20, 10, 60, 50, 40};
  // What, the file, how much of it the decoder is told it may read (0: all),
  // and the pixels it makes (none: refused).
  const std::tuple<const char *, Bytes, std::size_t, Bytes> cases[] = {
      {"24-bit", tga(2, 1, 24, six), 0, swapped},
      {"32-bit, alpha kept", tga(2, 1, 32, {1, 2, 3, 4, 5, 6, 7, 8}), 0, {3, 2, 1, 4, 7, 6, 5, 8}},
      {"width 256 (one row)", tga(256, 1, 24, Bytes(768, 7)), 0, Bytes(768, 7)},
      {"descriptor ignored", tga(2, 1, 24, six, 17, 0x20), 0, swapped},
      {"run-length encoded", tga(2, 1, 24, six, 2, 10), 0, {}},
      {"colour-mapped", tga(2, 1, 24, six, 2, 1), 0, {}},
      {"identification field", tga(2, 1, 24, six, 0, 4), 0, {}},
      {"16-bit", tga(2, 1, 16, Bytes(4, 7)), 0, {}},
      {"zero width", tga(0, 1, 24, {}), 0, {}},
      {"zero height", tga(2, 0, 24, {}), 0, {}},
      {"header cut short", tga(2, 1, 24, six), 11, {}},
      {"size bytes cut short", tga(2, 1, 24, six), 17, {}},
      {"pixels one byte short", tga(2, 1, 24, six), 23, {}},
      {"65535 x 65535 without pixels", tga(65535, 65535, 32, {}), 0, {}},
  };
  for (const auto &[what, file, size, pixels] : cases) {
    SCOPED_TRACE(what);
    Texture texture;
    EXPECT_EQ(decodeTga(texture, file.data(), size != 0 ? size : file.size()), !pixels.empty());
    EXPECT_EQ(texture.imageData, pixels);
  }
}

TEST_F(FontPrinting, GlyphsAreSixteenUnitQuadsTenApartShowingTheTopOfTheirCellsCutAt255And99) {
  glTranslatef(30, 40, 0); // ignored by the text, and kept
  const auto quads = printed([] { printText(100, 50, " %c~", 'A'); });
  GLfloat modelview[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  EXPECT_TRUE(modelview[12] == 30 && modelview[13] == 40);
  ASSERT_EQ(quads.size(), 3u);
  // The blank is cell 0, "A" cell 33 (column 1, row 2), "~" cell 94 (14, 5);
  // rows count from the top, and a glyph shows 0.12 of its 0.125 of height.
  const float cells[3][2] = {{0, 0}, {1, 2}, {14, 5}};
  for (int i = 0; i < 3; ++i) {
    const ScreenQuad &q = quads[i];
    EXPECT_EQ((std::vector<float>{q.left, q.bottom, q.right, q.top}),
              (std::vector<float>{100.0f + 10 * i, 50, 116.0f + 10 * i, 66}));
    const float s = cells[i][0] / 16, t = 1 - cells[i][1] / 8;
    EXPECT_EQ(q.texCoordAt(q.left, q.top), std::make_pair(s, t)) << i;
    EXPECT_EQ(q.texCoordAt(q.right, q.bottom), std::make_pair(s + 0.0625f, t - 0.12f)) << i;
  }
  // Nothing for a null format or outside 32 to 126, not even a pen step.
  EXPECT_TRUE(printed([] { printText(0, 0, nullptr); }).empty());
  const auto odd = printed([] {
    printText(100, 50, "\tA\nB\x7f");
    printString(300, 50, std::string("%\x01") + '\0' + "d"); // "%" as it stands; NUL ends
  });
  ASSERT_EQ(odd.size(), 3u);
  EXPECT_TRUE(odd[0].left == 100 && odd[1].left == 110 && odd[2].left == 300);
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION); // room for 300 glyphs
  glScalef(0.25f, 1, 1);
  glMatrixMode(GL_MODELVIEW);
  EXPECT_EQ(printed([] { printText(0, 0, "%s", std::string(300, 'x').c_str()); }).size(), 255u);
  EXPECT_EQ(printed([] { printString(0, 0, std::string(300, 'x')); }).size(), 99u);
}
