#include "UiTest.h"

#include "gfx/Picking.h"
#include "ui/TextWindow.h"

// The window base is seen through the log, which draws in the base's order.
// It stands here on the stats window's rectangle, closable, with a title of
// one glyph and one line of one glyph in the same place.
TEST_F(UiTest, AWindowDrawsFrameTitleSquaresThenContent) {
  TextWindow base{512, 136, 512, 316};
  base.setClosable(true);
  base.setTitle("S");
  base.appendLine("X");
  // Close, up, a gap, down at the bottom of the right edge; the title's
  // glyph, 16 high, starts 15 below the top and pokes out by one.
  const Rect glyph = {512, 437, 528, 453}, close = {994, 422, 1024, 452};
  const Rect up = {994, 392, 1024, 422}, down = {994, 136, 1024, 166};
  EXPECT_EQ(rectsDrawn([&] { base.draw(true); }),
            (std::vector<Rect>{{512, 136, 1024, 452}, glyph, close, up, down, glyph}));
  EXPECT_EQ(rectsDrawn([&] { base.draw(false); }), (std::vector<Rect>{close, up, down, glyph}));
  // The frame is mirrored at half opacity; the title after it is opaque.
  const std::vector<ScreenQuad> quads = quadsDrawnBy([&] { base.draw(true); });
  EXPECT_TRUE(quads.at(0).showsPicture(true));
  EXPECT_EQ((std::vector<float>{quads[0].corners[0].a, quads[1].corners[0].a}),
            (std::vector<float>{0.5f, 1}));
}
