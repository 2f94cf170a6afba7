#include "FeedbackQuads.h"
#include "GlContext.h"

#include "gfx/Gl.h"
#include "gfx/Picking.h"
#include "ui/InterfaceWindow.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The smallest concrete window: its content is one 10 x 10 quad 50 units in
// from the lower-left corner, so that tests can see where the content is drawn.
class ContentWindow : public InterfaceWindow {
public:
  ContentWindow(std::int32_t theX, std::int32_t theY, std::int32_t theWidth, std::int32_t theHeight)
      : InterfaceWindow(theX, theY, theWidth, theHeight) {}

  void clickIn(std::int32_t) override {}
  void clickClose() override {}
  void clickScrollUp() override {}
  void clickScrollDown() override {}
  void clickContent(std::int32_t) override {}
  void drawContent() override {
    glBegin(GL_QUADS);
    glVertex2i(x + 50, y + 50);
    glVertex2i(x + 60, y + 50);
    glVertex2i(x + 60, y + 60);
    glVertex2i(x + 50, y + 60);
    glEnd();
  }
};

// The log's rectangle on a 1024 x 768 client area.
constexpr int X = 356, Y = 0, W = 326, H = 136;

using TexCoord = std::pair<float, float>;

void expectRectangle(const FeedbackQuad &quad, float left, float bottom, float right, float top) {
  EXPECT_FLOAT_EQ(quad.left, left);
  EXPECT_FLOAT_EQ(quad.bottom, bottom);
  EXPECT_FLOAT_EQ(quad.right, right);
  EXPECT_FLOAT_EQ(quad.top, top);
  EXPECT_TRUE(quad.counterClockwise) << "a back-facing quad is culled in the game";
}

// Window pictures are mirrored left to right.
void expectMirrored(const FeedbackQuad &quad) {
  EXPECT_EQ(quad.texCoordAt(quad.left, quad.bottom), TexCoord(1, 0));
  EXPECT_EQ(quad.texCoordAt(quad.right, quad.bottom), TexCoord(0, 0));
  EXPECT_EQ(quad.texCoordAt(quad.right, quad.top), TexCoord(0, 1));
  EXPECT_EQ(quad.texCoordAt(quad.left, quad.top), TexCoord(1, 1));
}

} // namespace

using Names = std::vector<std::uint32_t>;

class WidgetTest : public GlTest {
protected:
  // Every name hit when the window is drawn in a selection pass at (x, y).
  static Names namesAt(InterfaceWindow &window, bool background, int x, int y) {
    Names names;
    for (const SelectionHit &hit : captureSelection([&] { window.draw(background); }, x, y)) {
      names.insert(names.end(), hit.names.begin(), hit.names.end());
    }
    return names;
  }
};

TEST_F(WidgetTest, ContainsIsStrictOnAllFourBordersWithTopDownCursor) {
  ContentWindow log(X, Y, W, H);
  // The cursor's y counts down from the top of the 768-pixel client area.
  EXPECT_TRUE(log.contains(500, 633));
  EXPECT_TRUE(log.contains(500, 767));
  EXPECT_FALSE(log.contains(500, 632));
  EXPECT_FALSE(log.contains(500, 768));
  EXPECT_FALSE(log.contains(X, 700));
  EXPECT_TRUE(log.contains(X + 1, 700));
  EXPECT_TRUE(log.contains(X + W - 1, 700));
  EXPECT_FALSE(log.contains(X + W, 700));
}

TEST_F(WidgetTest, ContainsReadsTheClientHeightAtEveryTest) {
  ContentWindow log(X, Y, W, H);
  window.height = 600;
  EXPECT_TRUE(log.contains(500, 465));
  EXPECT_FALSE(log.contains(500, 464));
  EXPECT_TRUE(log.contains(500, 599));
  EXPECT_FALSE(log.contains(500, 600));
  EXPECT_FALSE(log.contains(500, 700));
}

TEST_F(WidgetTest, NewWindowHasEmptyTitleAndIsClosedWithoutSquares) {
  ContentWindow plain(1, 2, 3, 4);
  EXPECT_EQ(plain.getTitle(), "");
  EXPECT_FALSE(plain.isOpen());
  EXPECT_FALSE(plain.isClosable());
  EXPECT_FALSE(plain.isScrolling());
  EXPECT_EQ(plain.getX(), 1);
  EXPECT_EQ(plain.getY(), 2);
  EXPECT_EQ(plain.getWidth(), 3);
  EXPECT_EQ(plain.getHeight(), 4);
}

TEST_F(WidgetTest, FrameIsHalfTransparentMirroredQuadAndLeavesColourOpaque) {
  ContentWindow stats(512, 136, 512, 316);
  const std::vector<FeedbackQuad> quads = quadsOf(captureFeedback([&] { stats.drawFrame(); }));
  ASSERT_EQ(quads.size(), 1u) << "an empty title draws no glyphs";
  expectRectangle(quads[0], 512, 136, 1024, 452);
  expectMirrored(quads[0]);
  // The colour of 100 reaches the vertices clamped to 1.
  EXPECT_FLOAT_EQ(quads[0].vertices[0].r, 1.0f);
  EXPECT_FLOAT_EQ(quads[0].alpha(), 0.5f);
  EXPECT_FLOAT_EQ(currentColour()[3], 1.0f);
}

TEST_F(WidgetTest, TitleStartsFifteenUnitsBelowTopEdge) {
  ensureFontLists();
  ContentWindow stats(512, 136, 512, 316);
  stats.setTitle("Stats");
  const std::vector<FeedbackQuad> quads = quadsOf(captureFeedback([&] { stats.drawFrame(); }));
  ASSERT_EQ(quads.size(), 1u + 5u);
  const FeedbackQuad &firstGlyph = quads[1];
  EXPECT_FLOAT_EQ(firstGlyph.left, 512);
  EXPECT_FLOAT_EQ(firstGlyph.bottom, 452 - 15);
  // Glyphs are 16 high, so the title reaches one unit above the frame.
  EXPECT_FLOAT_EQ(firstGlyph.top, 452 + 1);
  EXPECT_FLOAT_EQ(firstGlyph.alpha(), 1.0f) << "the title is drawn opaque";
}

TEST_F(WidgetTest, SquaresStackCloseUpThenDownAtBottomRight) {
  ContentWindow stats(512, 136, 512, 316);
  stats.setClosable(true);
  stats.setScrolling(true);
  const std::vector<FeedbackQuad> quads = quadsOf(captureFeedback([&] {
    stats.drawCloseButton();
    stats.drawScrollButtons();
  }));
  ASSERT_EQ(quads.size(), 3u);
  expectRectangle(quads[0], 994, 422, 1024, 452);
  expectRectangle(quads[1], 994, 392, 1024, 422);
  expectRectangle(quads[2], 994, 136, 1024, 166);
  for (const FeedbackQuad &square : quads) {
    expectMirrored(square);
  }
}

TEST_F(WidgetTest, UpSquareTakesTopRightCornerWithoutCloseSquare) {
  ContentWindow log(X, Y, W, H);
  log.setScrolling(true);
  const std::vector<FeedbackQuad> quads =
      quadsOf(captureFeedback([&] { log.drawScrollButtons(); }));
  ASSERT_EQ(quads.size(), 2u);
  expectRectangle(quads[0], X + W - 30, H - 30, X + W, H);
  expectRectangle(quads[1], X + W - 30, 0, X + W, 30);
}

TEST_F(WidgetTest, DrawGoesFrameSquaresContentAndSkipsFrameWithoutBackground) {
  ContentWindow stats(512, 136, 512, 316);
  stats.setClosable(true);
  stats.setScrolling(true);
  const std::vector<FeedbackQuad> full = quadsOf(captureFeedback([&] { stats.draw(true); }));
  ASSERT_EQ(full.size(), 5u);
  EXPECT_FLOAT_EQ(full[0].left, 512);   // frame
  EXPECT_FLOAT_EQ(full[1].bottom, 422); // close
  EXPECT_FLOAT_EQ(full[2].bottom, 392); // up
  EXPECT_FLOAT_EQ(full[3].bottom, 136); // down
  EXPECT_FLOAT_EQ(full[4].left, 562);   // content
  const std::vector<FeedbackQuad> bare = quadsOf(captureFeedback([&] { stats.draw(false); }));
  ASSERT_EQ(bare.size(), 4u);
  EXPECT_FLOAT_EQ(bare[0].bottom, 422);
  EXPECT_FLOAT_EQ(bare[3].left, 562);
}

TEST_F(WidgetTest, SelectionPassNamesCloseAndScrollSquaresWhereTheyAreDrawn) {
  ContentWindow stats(512, 136, 512, 316);
  stats.setClosable(true);
  stats.setScrolling(true);
  const int squareX = 1024 - 15;
  EXPECT_EQ(namesAt(stats, false, squareX, 452 - 15), Names{PickClose});
  EXPECT_EQ(namesAt(stats, false, squareX, 452 - 45), Names{PickScrollUp});
  EXPECT_EQ(namesAt(stats, false, squareX, 452 - 75), Names{}) << "gap below the up square";
  EXPECT_EQ(namesAt(stats, false, squareX, 136 + 15), Names{PickScrollDown});
}

TEST_F(WidgetTest, SelectionPassWithoutCloseSquareNamesUpSquareInTheCorner) {
  ContentWindow log(X, Y, W, H);
  log.setScrolling(true);
  EXPECT_EQ(namesAt(log, false, X + W - 15, H - 15), Names{PickScrollUp});
  EXPECT_EQ(namesAt(log, false, X + W - 15, H - 45), Names{});
}

TEST_F(WidgetTest, EmptyMiddleGivesNoHitWithoutTheFrame) {
  ContentWindow stats(512, 136, 512, 316);
  stats.setClosable(true);
  EXPECT_EQ(namesAt(stats, false, 800, 300), Names{});
  // The same point is inside: with the frame it is hit under the base name.
  EXPECT_EQ(namesAt(stats, true, 800, 300), Names{0});
}
