#include "ObjectGlTest.h"
#include "ScreenQuads.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"

#include <string>
#include <vector>

namespace {

// What the text drawn by print covers.
std::vector<ScreenQuad> printed(const std::function<void()> &print) {
  return screenQuadsOf(GlTest::captureFeedback(print));
}

// Text needs the font's display lists to produce any geometry.
using FontPrinting = ObjectGlTest;

} // namespace

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
