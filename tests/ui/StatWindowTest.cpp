#include "FeedbackQuads.h"
#include "GlContext.h"

#include "gfx/Font.h"
#include "gfx/Picking.h"
#include "objects/Being.h"
#include "objects/ObjectStore.h"
#include "ui/StatWindow.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// The stats window's rectangle on a 1024 x 768 client area.
constexpr int X = 512, Y = 136, W = 512, H = 316;

// Feedback coordinates come back through the projection with rounding
// errors in the last bits.
bool near(float a, float b) {
  return std::fabs(a - b) < 0.01f;
}

bool isGlyph(const FeedbackQuad &quad) {
  return near(quad.right - quad.left, FONT_GLYPH_SIZE) &&
         near(quad.top - quad.bottom, FONT_GLYPH_SIZE);
}

bool hasRectangle(const std::vector<FeedbackQuad> &quads, float left, float bottom, float right,
                  float top) {
  for (const FeedbackQuad &quad : quads) {
    if (near(quad.left, left) && near(quad.bottom, bottom) && near(quad.right, right) &&
        near(quad.top, top)) {
      return true;
    }
  }
  return false;
}

// The glyphs whose lower edge lies on the text line at baseline y, in
// drawing order.
std::vector<FeedbackQuad> glyphsOnLine(const std::vector<FeedbackQuad> &quads, float y) {
  std::vector<FeedbackQuad> line;
  for (const FeedbackQuad &quad : quads) {
    if (isGlyph(quad) && near(quad.bottom, y)) {
      line.push_back(quad);
    }
  }
  return line;
}

} // namespace

class StatWindowTest : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    ensureFontLists();
    player = ObjectStore::make<Being>(PlayerKind);
  }
  void TearDown() override {
    ObjectStore::clear();
    GlTest::TearDown();
  }

  static std::vector<FeedbackQuad> quadsDrawn(StatWindow &stats, bool background) {
    return quadsOf(captureFeedback([&] { stats.draw(background); }));
  }

  // The names of the first hit record when the window is drawn for picking
  // at window pixel (x, y), or none.
  static std::vector<std::uint32_t> firstHitAt(StatWindow &stats, int x, int y) {
    const std::vector<SelectionHit> hits = captureSelection([&] { stats.draw(false); }, x, y);
    return hits.empty() ? std::vector<std::uint32_t>{} : hits.front().names;
  }

  Being *player = nullptr;
};

TEST_F(StatWindowTest, StartsClosedClosableAndNotScrollingEitherWayItIsMade) {
  const StatWindow configured(X, Y, W, H, player);
  StatWindow assigned;
  EXPECT_EQ(assigned.getTitle(), "Stats");
  assigned = configured;
  for (const StatWindow *stats : {&configured, static_cast<const StatWindow *>(&assigned)}) {
    EXPECT_EQ(stats->getTitle(), "Stats");
    EXPECT_TRUE(stats->isClosable());
    EXPECT_FALSE(stats->isScrolling());
    EXPECT_FALSE(stats->isOpen());
    EXPECT_EQ(stats->getX(), X);
    EXPECT_EQ(stats->getHeight(), H);
  }
}

TEST_F(StatWindowTest, OnlyTheCloseNameClosesTheWindow) {
  StatWindow stats(X, Y, W, H, player);
  stats.setOpen(true);
  for (std::int32_t name :
       std::vector<std::int32_t>{0, 1, PickScrollUp, PickScrollDown, PickPortrait, PickHeadSlot}) {
    stats.clickIn(name);
    EXPECT_TRUE(stats.isOpen()) << "name " << name;
  }
  stats.clickIn(PickClose);
  EXPECT_FALSE(stats.isOpen());
}

TEST_F(StatWindowTest, PortraitSitsAtIntegerDividedPlaceWithNameOnTop) {
  StatWindow stats(X, Y, W, H, player);
  const std::vector<FeedbackQuad> quads = quadsDrawn(stats, true);
  EXPECT_TRUE(hasRectangle(quads, 554, 188, 724, 358));
  // "Player" stands on the portrait's top edge, starting at its left edge.
  const std::vector<FeedbackQuad> name = glyphsOnLine(quads, 358);
  ASSERT_EQ(name.size(), 6u);
  EXPECT_NEAR(name.front().left, 554, 0.01);

  // (317 / 2) * 2 is 316 again, so the odd height keeps the same bottom.
  StatWindow oddHeight(X, Y, W, H + 1, player);
  EXPECT_TRUE(hasRectangle(quadsDrawn(oddHeight, true), 554, 188, 724, 358));
}

TEST_F(StatWindowTest, StatisticsHangFromTheMiddleOfTheTopEdge) {
  StatWindow stats(X, Y, W, H, player);
  const std::vector<FeedbackQuad> quads = quadsDrawn(stats, true);
  // Nine lines 15 apart, the first 30 below the anchor (768, 452).
  for (int k = 2; k <= 10; ++k) {
    const std::vector<FeedbackQuad> line = glyphsOnLine(quads, 452.0f - 15.0f * k);
    ASSERT_FALSE(line.empty()) << "line " << k;
    EXPECT_NEAR(line.front().left, 768, 0.01) << "line " << k;
  }
  // Line 1 is left free: only the title's five glyphs sit that high.
  EXPECT_EQ(glyphsOnLine(quads, 452 - 15).size(), 5u);
  EXPECT_TRUE(glyphsOnLine(quads, 452 - 15 * 11).empty());
}

TEST_F(StatWindowTest, ShowsTheBeingsValuesOfTheFrameItIsDrawnIn) {
  StatWindow stats(X, Y, W, H, player);
  const float hitPointsLine = 452 - 15 * 4;
  // "Hit points: 20/20"
  EXPECT_EQ(glyphsOnLine(quadsDrawn(stats, true), hitPointsLine).size(), 17u);
  for (int hit = 0; hit < 3; ++hit) {
    player->onHit(10);
  }
  // "Hit points: -10/20"
  EXPECT_EQ(glyphsOnLine(quadsDrawn(stats, true), hitPointsLine).size(), 18u);
}

TEST_F(StatWindowTest, DrawsFrameAndPortraitFirstAndTheCloseSquareLast) {
  StatWindow stats(X, Y, W, H, player);
  const std::vector<FeedbackQuad> withFrame = quadsDrawn(stats, true);
  ASSERT_GE(withFrame.size(), 2u);
  EXPECT_TRUE(hasRectangle({withFrame.front()}, X, Y, X + W, Y + H));
  const FeedbackQuad &last = withFrame.back();
  EXPECT_TRUE(hasRectangle({last}, X + W - 30, Y + H - 30, X + W, Y + H));

  const std::vector<FeedbackQuad> withoutFrame = quadsDrawn(stats, false);
  EXPECT_FALSE(hasRectangle(withoutFrame, X, Y, X + W, Y + H));
  EXPECT_FALSE(hasRectangle(withoutFrame, 554, 188, 724, 358));
  EXPECT_TRUE(glyphsOnLine(withoutFrame, 358).empty()) << "the portrait's name went too";
  EXPECT_FALSE(glyphsOnLine(withoutFrame, 452 - 30).empty()) << "the lines stay";
  EXPECT_TRUE(hasRectangle({withoutFrame.back()}, X + W - 30, Y + H - 30, X + W, Y + H));
}

TEST_F(StatWindowTest, WithoutABeingOnlyFrameTitleAndCloseSquareAreDrawn) {
  StatWindow empty(X, Y, W, H, nullptr);
  const std::vector<FeedbackQuad> quads = quadsDrawn(empty, true);
  // Frame, the five glyphs of "Stats", the close square.
  ASSERT_EQ(quads.size(), 7u);
  EXPECT_EQ(glyphsOnLine(quads, Y + H - 15).size(), 5u);
  EXPECT_TRUE(glyphsOnLine(quads, 452 - 30).empty());
}

TEST_F(StatWindowTest, OnlyTheCloseSquareIsNamedInTheSelectionPass) {
  StatWindow stats(X, Y, W, H, player);
  stats.setOpen(true);

  // The middle of the portrait: not drawn when picking.
  EXPECT_TRUE(firstHitAt(stats, 639, 273).empty());
  // Bare background.
  EXPECT_TRUE(firstHitAt(stats, 600, 150).empty());
  // A glyph of the first statistics line carries no window name of its own.
  const std::vector<std::uint32_t> onText = firstHitAt(stats, 772, 430);
  ASSERT_EQ(onText.size(), 1u);
  EXPECT_LT(onText.front(), static_cast<std::uint32_t>(PickClose));
  stats.clickIn(static_cast<std::int32_t>(onText.front()));
  EXPECT_TRUE(stats.isOpen());

  const std::vector<std::uint32_t> onClose = firstHitAt(stats, X + W - 15, Y + H - 15);
  ASSERT_EQ(onClose, std::vector<std::uint32_t>{PickClose});
  stats.clickIn(static_cast<std::int32_t>(onClose.front()));
  EXPECT_FALSE(stats.isOpen());
}
