#include "UiTest.h"

#include "gfx/Picking.h"
#include "ui/TextWindow.h"

#include <string>

// The log's rectangle on a 1024 x 768 client area; line i holds i + 1 glyphs.
static TextWindow logWithLines(int count) {
  TextWindow log(356, 0, 326, 136);
  for (int i = 0; i < count; ++i) {
    log.appendLine(std::string(static_cast<std::size_t>(i + 1), 'X'));
  }
  return log;
}

TEST(TextWindow, WrapsTextAtBlanksIntoLinesOf29Characters) {
  // 26 + 14 characters, so that a split shows where it fell.
  const std::string forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
  const std::string head = forty.substr(0, 29), tail = "defghijklmn", thirtyOne(31, '3');
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      // The blank between two words counts towards the limit.
      {"ABCDEFGHIJKLMNO abcdefghijklmno", {"ABCDEFGHIJKLMNO", "abcdefghijklmno"}},
      {"ABCDEFGHIJKLMN abcdefghijklmn", {"ABCDEFGHIJKLMN abcdefghijklmn"}},
      {head, {head}},
      // An over-long word fills the line and carries its rest, which is never
      // split again; its head joins a pending line without a blank, but a
      // pending line already too long takes nothing from it.
      {forty + forty, {head, tail + forty}},
      {"abc " + forty, {"abc" + forty.substr(0, 26), "abcdefghijklmn"}},
      {forty + forty + " " + thirtyOne, {head, tail + forty, thirtyOne}},
      // Each blank ends a word: blanks in a row keep the empty words between.
      {"a  b", {"a  b"}},
      {" a ", {"a"}},
      {"", {""}}};
  for (const auto &[text, lines] : cases) {
    SCOPED_TRACE(text);
    TextWindow log;
    log.addText(text);
    EXPECT_EQ(log.getLines(), lines);
  }
}

TEST_F(UiTest,
       TheLogShowsNineLinesFromTheTopNamedInTurnScrolledByTheSquaresAndHoldsTheCursorInside) {
  TextWindow log = logWithLines(12);
  EXPECT_EQ(log.getFirstVisible(), 3);
  log.clickScrollUp();
  // Lines 2 to 10 (3 to 11 glyphs), the oldest on top, 15 apart from the
  // top edge down to the bottom one.
  const std::vector<Rect> glyphs = rectsDrawn([&] { log.drawContent(); });
  EXPECT_EQ(glyphs.size(), 3u + 4 + 5 + 6 + 7 + 8 + 9 + 10 + 11);
  EXPECT_EQ(glyphs.front(), (Rect{356, 136 - 15, 356 + 16, 136 + 1}));
  EXPECT_EQ(glyphs.back()[1], 136 - 15 * TextWindow::VISIBLE_LINES);
  const auto draw = [&] { log.draw(false); };
  EXPECT_EQ(firstHitAt(draw, 360, 136 - 45 + 4), Names{2}) << "the third line shown";
  // The picked squares scroll; other names change nothing.
  log.clickIn(static_cast<std::int32_t>(firstHitAt(draw, 356 + 326 - 15, 136 - 15).at(0)));
  for (std::int32_t name : {0, 8, int{PickClose}, int{PickPortrait}}) {
    log.clickIn(name);
  }
  EXPECT_EQ(log.getFirstVisible(), 1);
  log.clickIn(static_cast<std::int32_t>(firstHitAt(draw, 356 + 326 - 15, 15).at(0)));
  EXPECT_EQ(log.getFirstVisible(), 2);
  // Within the lines only; a scrolled-back view keeps its distance from the
  // newest line, and six ten-letter words arrive as three lines.
  log.clickScrollDown();
  log.clickScrollDown();
  EXPECT_EQ(log.getFirstVisible(), 3);
  for (int click = 0; click < 4; ++click) {
    log.clickScrollUp();
  }
  log.appendLine("new");
  EXPECT_EQ(log.getFirstVisible(), 1);
  log.addText("aaaaaaaaaa bbbbbbbbbb cccccccccc dddddddddd eeeeeeeeee ffffffffff");
  EXPECT_EQ(log.getFirstVisible(), 4);
  // Its rectangle holds the cursor strictly inside all borders, y from the
  // top of the logical screen.
  const int cursors[][3] = {{500, 633, 1}, {500, 767, 1}, {500, 632, 0}, {500, 768, 0},
                            {356, 700, 0}, {357, 700, 1}, {681, 700, 1}, {682, 700, 0}};
  for (const auto &[x, y, inside] : cursors) {
    EXPECT_EQ(log.contains(x, y), inside == 1) << x << ", " << y;
  }
  // Nine lines fit: they neither scroll nor move the view.
  log = logWithLines(9);
  log.clickScrollDown();
  log.clickScrollUp();
  EXPECT_EQ(log.getFirstVisible(), 0);
}
