#include "shell/ShellWindow.h"

ShellWindow *currentWindow = nullptr;
std::int32_t mouseX = 0;
std::int32_t mouseY = 0;

void KeyTable::clear() {
  for (bool &key : down) {
    key = false;
  }
}

std::uint32_t elapsedMilliseconds(std::uint32_t previousTicks, std::uint32_t nowTicks) {
  // Unsigned subtraction stays right across a wrap of the counter.
  return nowTicks - previousTicks;
}
