#include "shell/ShellWindow.h"

ShellWindow *currentWindow = nullptr;
std::int32_t mouseX = 0;
std::int32_t mouseY = 0;

bool ShellWindow::isInClientArea(std::int32_t x, std::int32_t y) const {
  return x >= 0 && y >= 0 && x < getClientWidth() && y < getClientHeight();
}

void KeyTable::clear() {
  for (bool &key : down) {
    key = false;
  }
}

std::uint32_t elapsedMilliseconds(std::uint32_t previousTicks, std::uint32_t nowTicks) {
  // Unsigned subtraction stays right across a wrap of the counter.
  return nowTicks - previousTicks;
}
