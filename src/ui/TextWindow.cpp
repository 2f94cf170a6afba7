#include "ui/TextWindow.h"

#include "gfx/Font.h"
#include "gfx/Picking.h"

#include <algorithm>
#include <utility>

namespace {

constexpr char BLANK = ' ';

// Each blank ends a word: two blanks in a row give an empty word between
// them, a leading blank an empty first word, and a trailing blank no word.
std::vector<std::string> splitWords(const std::string &text) {
  std::vector<std::string> words;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t blank = text.find(BLANK, start);
    if (blank == std::string::npos) {
      words.push_back(text.substr(start));
      break;
    }
    words.push_back(text.substr(start, blank - start));
    start = blank + 1;
  }
  return words;
}

bool fitsOnLine(const std::string &pending, const std::string &word) {
  const std::size_t separator = pending.empty() ? 0 : 1;
  return pending.size() + separator + word.size() <=
         static_cast<std::size_t>(TextWindow::LINE_CHARS);
}

} // namespace

TextWindow::TextWindow() {
  scrolling = true;
  open = true;
}

TextWindow::TextWindow(std::int32_t theX, std::int32_t theY, std::int32_t theWidth,
                       std::int32_t theHeight)
    : InterfaceWindow(theX, theY, theWidth, theHeight) {
  scrolling = true;
  open = true;
}

void TextWindow::addText(std::string text) {
  if (text.empty()) {
    appendLine(std::string());
    return;
  }
  std::string pending;
  for (const std::string &word : splitWords(text)) {
    if (fitsOnLine(pending, word)) {
      if (!pending.empty()) {
        pending += BLANK;
      }
      pending += word;
    } else if (word.size() > static_cast<std::size_t>(LINE_CHARS)) {
      // Fill the line with the word's head; its tail is not split again.
      const std::int32_t room = LINE_CHARS - static_cast<std::int32_t>(pending.size());
      const std::size_t head = static_cast<std::size_t>(std::max<std::int32_t>(0, room));
      appendLine(pending + word.substr(0, head));
      pending = word.substr(head);
    } else {
      appendLine(pending);
      pending = word;
    }
  }
  appendLine(pending);
}

void TextWindow::appendLine(std::string line) {
  lines.push_back(std::move(line));
  if (lineCount() > VISIBLE_LINES) {
    ++firstVisible;
  }
}

void TextWindow::clickIn(std::int32_t itemNumber) {
  if (itemNumber == PickScrollUp) {
    clickScrollUp();
  } else if (itemNumber == PickScrollDown) {
    clickScrollDown();
  }
}

void TextWindow::clickClose() {
  // The log is always open.
}

void TextWindow::clickScrollUp() {
  if (firstVisible >= 1) {
    --firstVisible;
  }
}

void TextWindow::clickScrollDown() {
  if (firstVisible + VISIBLE_LINES < lineCount()) {
    ++firstVisible;
  }
}

void TextWindow::clickContent(std::int32_t itemNumber) {
  (void)itemNumber;
}

void TextWindow::drawContent() {
  const std::int32_t end = std::min(lineCount(), firstVisible + VISIBLE_LINES);
  for (std::int32_t i = firstVisible; i < end; ++i) {
    loadNextListName();
    const std::int32_t row = i - firstVisible + 1;
    printString(x, y + height - LINE_SPACING * row, lines[static_cast<std::size_t>(i)]);
  }
}
