#pragma once
// The key table as the shell fills it from key-down and key-up messages.
// A key-down stays in the table until a scene update has read it, even when
// its key-up arrives first, so that a tap between two frames still counts
// once. The game clears the entries it acts on; the ones it only reads
// (Escape, F1) go back up with their key-up once an update has seen them.

#include "shell/ShellWindow.h"

class KeyLatch {
public:
  KeyTable &table() { return keys; }

  // Codes outside the table are ignored.
  void press(int virtualKey);
  void release(int virtualKey);
  // After every scene update: the releases that waited for it take effect.
  void updateDone();
  // Lets go of every held key as its key-up would: when the window loses
  // the keyboard, no key-up will come for the keys held then.
  void releaseAll();
  // Forgets every key, also one that is held or waits for its release.
  void clear();

private:
  KeyTable keys;
  bool unread[KeyTable::SIZE] = {};
  bool releaseWaiting[KeyTable::SIZE] = {};

  static bool inTable(int virtualKey);
};
