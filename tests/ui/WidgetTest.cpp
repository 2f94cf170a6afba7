#include "UiTest.h"

#include "gfx/Picking.h"
#include "ui/Button.h"
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

TEST_F(UiTest, AButtonIsFaintUnlessActiveUnmirroredAndUnnamed) {
  Button stats(758, 10, 68, 68, 0);
  for (const bool active : {false, true}) {
    stats.setActive(active);
    const ScreenQuad picture = quadsDrawnBy([&] { stats.draw(); }).at(0);
    EXPECT_TRUE(picture.showsPicture(false) && (picture.pixelBounds() == Rect{758, 10, 826, 78}));
    EXPECT_FLOAT_EQ(picture.corners[0].a, active ? 1.0f : 0.3f);
    // What is drawn next must not come out faint. This GL keeps the current
    // colour unclamped; only the vertices it produces are clamped to 1.
    EXPECT_EQ(currentColour(), (std::vector<float>{100.0f, 100.0f, 100.0f, 1.0f}));
  }
  // Clicks on buttons go by their rectangle: the button names nothing.
  EXPECT_EQ(firstHitAt([&] { stats.draw(); }, 790, 40), Names{0});
}
