#include "UiTest.h"

#include "gfx/Picking.h"
#include "objects/Being.h"
#include "ui/StatWindow.h"

#include <algorithm>
#include <set>

// The stats window on a 1024 x 768 client area and its close square; the
// portrait at x + (512 / 2) / 6, y + ((316 / 2) * 2) / 6, 512 / 3 across;
// the first glyph of the being's lines 30 below the anchor (x + 512 / 2,
// y + 316).
const Rect FRAME = {512, 136, 1024, 452}, CLOSE = {994, 422, 1024, 452};
const Rect PORTRAIT = {554, 188, 724, 358}, FIRST_LINE = {768, 422, 784, 438};

TEST_F(UiTest, TheStatWindowDrawsTheBeingsLiveLinesAndNamesOnlyItsCloseSquare) {
  Being *player = ObjectStore::make<Being>(PlayerKind);
  StatWindow stats(512, 136, 512, 316, player);
  const auto drawn = [&](bool background) { return rectsDrawn([&] { stats.draw(background); }); };
  // Frame and portrait, then the lines, then the close square.
  const std::vector<Rect> rects = drawn(true);
  EXPECT_EQ(rects.front(), FRAME);
  EXPECT_LT(std::find(rects.begin(), rects.end(), PORTRAIT),
            std::find(rects.begin(), rects.end(), FIRST_LINE));
  EXPECT_EQ(rects.back(), CLOSE);
  player->onHit(30);
  EXPECT_EQ(drawn(true).size(), rects.size() + 1) << "Hit points: -10/20";
  // Nine lines 15 apart, the first one's bottom level with the close square's.
  std::set<long> bottoms;
  for (const Rect &drawnRect : drawn(false)) {
    bottoms.insert(drawnRect[1]);
  }
  EXPECT_EQ(bottoms, (std::set<long>{302, 317, 332, 347, 362, 377, 392, 407, 422}));
  // Neither the portrait nor the name above it comes before the lines.
  EXPECT_EQ(drawn(false).front(), FIRST_LINE);
  // The glyphs of the lines carry no name of their own.
  stats.setOpen(true);
  const auto draw = [&] { stats.draw(false); };
  EXPECT_EQ(firstHitAt(draw, 772, 430), Names{0});
  for (std::int32_t name : {0, 1, int{PickScrollUp}, int{PickScrollDown}, int{PickPortrait}}) {
    stats.clickIn(name);
  }
  EXPECT_TRUE(stats.isOpen());
  stats.clickIn(static_cast<std::int32_t>(firstHitAt(draw, 1009, 437).at(0)));
  EXPECT_FALSE(stats.isOpen());
  // Without a being: the frame, the five glyphs of "Stats", the close square.
  stats = StatWindow(512, 136, 512, 316, nullptr);
  EXPECT_EQ(drawn(true).size(), 7u);
}
