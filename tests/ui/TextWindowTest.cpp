#include "FeedbackQuads.h"
#include "GlContext.h"

#include "gfx/Picking.h"
#include "ui/TextWindow.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines wrap(const std::string &text) {
  TextWindow log;
  log.addText(text);
  return log.getLines();
}

TextWindow logWithLines(int count) {
  TextWindow log(356, 0, 326, 136);
  for (int i = 0; i < count; ++i) {
    log.appendLine(std::string(static_cast<std::size_t>(i + 1), 'X'));
  }
  return log;
}

// 26 + 14 characters, so that a split shows where it fell.
const std::string FORTY = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";

} // namespace

TEST(TextWindowWrap, ShortSentenceIsOneLine) {
  EXPECT_EQ(wrap("You see a pile of items."), Lines{"You see a pile of items."});
}

TEST(TextWindowWrap, BlankCountsTowardsTheLimit) {
  EXPECT_EQ(wrap("ABCDEFGHIJKLMNO abcdefghijklmno"), (Lines{"ABCDEFGHIJKLMNO", "abcdefghijklmno"}));
  EXPECT_EQ(wrap("ABCDEFGHIJKLMN abcdefghijklmn"), Lines{"ABCDEFGHIJKLMN abcdefghijklmn"});
}

TEST(TextWindowWrap, WordOfExactlyALineGivesOneLine) {
  EXPECT_EQ(wrap("ABCDEFGHIJKLMNOPQRSTUVWXYZabc"), Lines{"ABCDEFGHIJKLMNOPQRSTUVWXYZabc"});
}

TEST(TextWindowWrap, OverlongWordFillsTheLineAndCarriesItsRest) {
  EXPECT_EQ(wrap("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijkl"),
            (Lines{"ABCDEFGHIJKLMNOPQRSTUVWXYZabc", "defghijkl"}));
  // The head joins a pending line directly, without a blank.
  EXPECT_EQ(wrap("abc " + FORTY), (Lines{"abcABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmn"}));
}

TEST(TextWindowWrap, RestOfAnOverlongWordIsNotSplitAgain) {
  const std::string seventy = FORTY + "opqrstuvwxyz0123456789ABCDEFGH";
  EXPECT_EQ(wrap(seventy),
            (Lines{"ABCDEFGHIJKLMNOPQRSTUVWXYZabc", "defghijklmnopqrstuvwxyz0123456789ABCDEFGH"}));
}

TEST(TextWindowWrap, OverlongPendingLineTakesNothingFromTheNextOverlongWord) {
  // The first word leaves a 31-character rest pending; the second word is
  // too long as well, so the rest goes out unchanged and the word follows.
  const std::string sixty = FORTY + "opqrstuvwxyz01234567";
  const std::string thirtyOne = "0123456789012345678901234567890";
  EXPECT_EQ(wrap(sixty + " " + thirtyOne),
            (Lines{"ABCDEFGHIJKLMNOPQRSTUVWXYZabc", "defghijklmnopqrstuvwxyz01234567", thirtyOne}));
}

TEST(TextWindowWrap, BlanksInARowAreKeptBetweenWords) {
  EXPECT_EQ(wrap("a  b"), Lines{"a  b"});
  // A leading blank gives an empty first word, a trailing one no word.
  EXPECT_EQ(wrap(" a"), Lines{"a"});
  EXPECT_EQ(wrap("a "), Lines{"a"});
}

TEST(TextWindowWrap, EmptyTextGivesOneEmptyLine) {
  EXPECT_EQ(wrap(""), Lines{""});
}

TEST(TextWindowScroll, TwelveLinesScrollBetweenZeroAndThree) {
  TextWindow log = logWithLines(12);
  EXPECT_EQ(log.getFirstVisible(), 3);
  log.clickScrollDown();
  EXPECT_EQ(log.getFirstVisible(), 3);
  log.clickScrollUp();
  log.clickScrollUp();
  log.clickScrollUp();
  EXPECT_EQ(log.getFirstVisible(), 0);
  log.clickScrollUp();
  EXPECT_EQ(log.getFirstVisible(), 0);
  // A scrolled-back view keeps its distance from the newest line.
  log.appendLine("new");
  EXPECT_EQ(log.getFirstVisible(), 1);
  EXPECT_EQ(log.getLines().size(), 13u);
}

TEST(TextWindowScroll, NineLinesOrFewerNeverScroll) {
  TextWindow log = logWithLines(8);
  log.appendLine("ninth");
  EXPECT_EQ(log.getFirstVisible(), 0);
  log.clickScrollDown();
  EXPECT_EQ(log.getFirstVisible(), 0);
  log.clickScrollUp();
  EXPECT_EQ(log.getFirstVisible(), 0);
  log.appendLine("tenth");
  EXPECT_EQ(log.getFirstVisible(), 1);
}

TEST(TextWindowScroll, ClickInScrollsOnlyForTheScrollSquares) {
  TextWindow log = logWithLines(12);
  log.clickIn(PickScrollUp);
  EXPECT_EQ(log.getFirstVisible(), 2);
  log.clickIn(PickScrollDown);
  EXPECT_EQ(log.getFirstVisible(), 3);
  for (std::int32_t ignored :
       {0, 1, 8, static_cast<std::int32_t>(PickClose), static_cast<std::int32_t>(PickPortrait)}) {
    log.clickIn(ignored);
    EXPECT_EQ(log.getFirstVisible(), 3) << ignored;
  }
  log.clickClose();
  EXPECT_TRUE(log.isOpen()) << "the log cannot be closed";
}

TEST(TextWindowSetUp, ConstructedLogIsOpenAndScrollsButCannotClose) {
  const TextWindow configured(356, 0, 326, 136);
  const TextWindow unconfigured;
  for (const TextWindow *log : {&configured, &unconfigured}) {
    EXPECT_EQ(log->getTitle(), "");
    EXPECT_TRUE(log->isOpen());
    EXPECT_TRUE(log->isScrolling());
    EXPECT_FALSE(log->isClosable());
    EXPECT_EQ(log->getFirstVisible(), 0);
    EXPECT_TRUE(log->getLines().empty());
  }
  EXPECT_EQ(configured.getX(), 356);
  EXPECT_EQ(configured.getHeight(), 136);
}

TEST(TextWindowSetUp, AssignmentFromConfiguredTemporaryCarriesEveryField) {
  TextWindow member;
  TextWindow configured = logWithLines(12);
  configured.setTitle("Log");
  configured.setOpen(false);
  configured.setClosable(true);
  configured.clickScrollUp();
  member = configured;
  EXPECT_EQ(member.getX(), 356);
  EXPECT_EQ(member.getY(), 0);
  EXPECT_EQ(member.getWidth(), 326);
  EXPECT_EQ(member.getHeight(), 136);
  EXPECT_EQ(member.getTitle(), "Log");
  EXPECT_FALSE(member.isOpen());
  EXPECT_TRUE(member.isClosable());
  EXPECT_TRUE(member.isScrolling());
  EXPECT_EQ(member.getLines(), configured.getLines());
  EXPECT_EQ(member.getFirstVisible(), 2);
  // The copy is independent of its source.
  configured.appendLine("later");
  EXPECT_EQ(member.getLines().size(), 12u);
}

using TextWindowDraw = GlTest;

TEST_F(TextWindowDraw, NineVisibleLinesFifteenUnitsApartFromTheTop) {
  ensureFontLists();
  TextWindow log = logWithLines(12); // line i holds i + 1 glyphs
  std::map<float, int> glyphsPerBaseline;
  std::map<float, float> lineStarts;
  for (const FeedbackQuad &glyph : quadsOf(captureFeedback([&] { log.drawContent(); }))) {
    ++glyphsPerBaseline[glyph.bottom];
    const auto start = lineStarts.emplace(glyph.bottom, glyph.left).first;
    start->second = std::min(start->second, glyph.left);
  }
  for (const auto &[baseline, left] : lineStarts) {
    EXPECT_FLOAT_EQ(left, 356) << "line at " << baseline;
  }
  // Lines 3 to 11 are shown, the oldest of them at the top.
  std::map<float, int> expected;
  for (int row = 0; row < TextWindow::VISIBLE_LINES; ++row) {
    expected[136.0f - 15.0f * static_cast<float>(row + 1)] = 3 + row + 1;
  }
  EXPECT_EQ(glyphsPerBaseline, expected);
}

TEST_F(TextWindowDraw, SelectionPassNamesEachShownLineInTurn) {
  ensureFontLists();
  TextWindow log(356, 0, 326, 136);
  for (int i = 0; i < 12; ++i) {
    log.appendLine("XXXXXXXXXX");
  }
  std::int32_t counterAfterDraw = 0;
  const auto drawAndKeepCounter = [&] {
    log.draw(false);
    counterAfterDraw = pickingPass;
  };
  // Third shown line: glyphs from 136 - 45 = 91 to 107, clear of its neighbours.
  const std::vector<SelectionHit> hits = captureSelection(drawAndKeepCounter, 360, 95);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].names, std::vector<std::uint32_t>{2});
  EXPECT_EQ(counterAfterDraw, 1 + TextWindow::VISIBLE_LINES);
}

TEST_F(TextWindowDraw, PickedScrollSquaresScrollTheLog) {
  TextWindow log = logWithLines(12);
  const auto pick = [&](int x, int y) {
    const std::vector<SelectionHit> hits = captureSelection([&] { log.draw(false); }, x, y);
    EXPECT_EQ(hits.size(), 1u);
    log.clickIn(static_cast<std::int32_t>(hits.empty() ? 0 : hits[0].names[0]));
  };
  pick(356 + 326 - 15, 136 - 15);
  EXPECT_EQ(log.getFirstVisible(), 2);
  pick(356 + 326 - 15, 15);
  EXPECT_EQ(log.getFirstVisible(), 3);
}
