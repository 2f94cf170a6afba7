#pragma once
// The message log: keeps every line it was given, shows nine at a time, and
// word-wraps incoming texts into lines of at most LINE_CHARS characters.

#include "ui/InterfaceWindow.h"

#include <cstdint>
#include <string>
#include <vector>

class TextWindow : public InterfaceWindow {
public:
  static constexpr std::int32_t LINE_CHARS = 29;
  static constexpr std::int32_t VISIBLE_LINES = 9;
  static constexpr std::int32_t LINE_SPACING = 15;

  // Open, scrolling, not closable, empty title, no lines.
  TextWindow();
  TextWindow(std::int32_t theX, std::int32_t theY, std::int32_t theWidth, std::int32_t theHeight);

  // Word-wraps the text at blanks and appends the lines; an empty text gives
  // one empty line. A word longer than a line is split once, so a line can
  // still end up longer than LINE_CHARS.
  void addText(std::string text);
  // Appends one line. Once more than VISIBLE_LINES are held, the view moves
  // down by one with every line, wherever it stands.
  void appendLine(std::string line);

  // Every line so far, oldest first.
  const std::vector<std::string> &getLines() const { return lines; }
  // Index in getLines of the topmost line shown.
  std::int32_t getFirstVisible() const { return firstVisible; }

  // PickScrollUp and PickScrollDown scroll; the names of lines are ignored.
  void clickIn(std::int32_t itemNumber) override;
  void clickClose() override;
  void clickScrollUp() override;
  void clickScrollDown() override;
  void clickContent(std::int32_t itemNumber) override;
  // The visible lines from the top edge down; each takes the next list name
  // in a selection pass.
  void drawContent() override;

private:
  std::int32_t lineCount() const { return static_cast<std::int32_t>(lines.size()); }

  std::vector<std::string> lines;
  std::int32_t firstVisible = 0;
};
