#include "shell/KeyLatch.h"

void KeyLatch::press(int virtualKey) {
  if (!inTable(virtualKey)) {
    return;
  }
  keys.down[virtualKey] = true;
  unread[virtualKey] = true;
  // Pressed again before the update: it is held when the update comes.
  releaseWaiting[virtualKey] = false;
}

void KeyLatch::release(int virtualKey) {
  if (!inTable(virtualKey)) {
    return;
  }
  if (keys.down[virtualKey] && unread[virtualKey]) {
    releaseWaiting[virtualKey] = true;
  } else {
    keys.down[virtualKey] = false;
  }
}

void KeyLatch::updateDone() {
  for (int key = 0; key < KeyTable::SIZE; ++key) {
    unread[key] = false;
    if (releaseWaiting[key]) {
      keys.down[key] = false;
      releaseWaiting[key] = false;
    }
  }
}

void KeyLatch::releaseAll() {
  for (int key = 0; key < KeyTable::SIZE; ++key) {
    release(key);
  }
}

void KeyLatch::clear() {
  // A release still waiting can only let go of a key that is already up, and
  // the next press marks its key unread anyway.
  keys.clear();
}

bool KeyLatch::inTable(int virtualKey) {
  return virtualKey >= 0 && virtualKey < KeyTable::SIZE;
}
