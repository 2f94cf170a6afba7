// The key latch between the shell's key messages and the game's update: a
// key that went down since the last update is seen by the next one, whatever
// came after it; the keys the game acts on it clears (GameTest shows it
// does), the ones it only reads (Escape, F1) stay down while they are held.

#include "shell/KeyLatch.h"
#include "shell/KeyCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

TEST(KeyLatch, EveryKeyDownActsOnceAndHeldShellKeysStayDown) {
  // What happens, to which key: the key's messages before each update ('v'
  // a key-down (a press or an auto-repeat), '^' a key-up, '~' the window
  // losing the keyboard, 'c' a new window, which starts with every key up),
  // and whether each update sees the key down.
  using Messages = std::vector<std::string>;
  const std::tuple<const char *, int, Messages, std::vector<bool>> rows[] = {
      {"a tap between two updates", KeySpace, {"v^", ""}, {1, 0}},
      {"a key held over several updates", KeyI, {"v", "", "", "^"}, {1, 0, 0, 0}},
      {"auto-repeats, the last one released early", KeySpace, {"v", "v", "v^", ""}, {1, 1, 1, 0}},
      // The table holds one press per key between two updates.
      {"two taps between two updates", KeySpace, {"v^v^", ""}, {1, 0}},
      {"Escape tapped", KeyEscape, {"v^", ""}, {1, 0}},
      {"Escape held, then released", KeyEscape, {"v", "", "^", ""}, {1, 1, 0, 0}},
      {"Escape released and pressed again", KeyEscape, {"v", "^v", "", "^"}, {1, 1, 1, 0}},
      {"F1 held, then released", KeyF1, {"v", "", "^"}, {1, 1, 0}},
      // Its key-up goes to the window that took the keyboard.
      {"Escape held when the focus goes", KeyEscape, {"v", "~", ""}, {1, 0, 0}},
      {"a tap just before the focus goes", KeySpace, {"v~", ""}, {1, 0}},
      // A release that still waited for its update must not take back a
      // press made in the new window.
      {"F1 held in a new window", KeyF1, {"v^cv", "", "^"}, {1, 1, 0}},
      {"a press forgotten by a new window", KeyEscape, {"vc", ""}, {0, 0}},
      // Codes outside the table are ignored.
      {"a code below the table", -1, {"v", ""}, {}},
      {"a code past the table", KeyTable::SIZE, {"v", ""}, {}},
  };
  for (const auto &[what, key, messagesBeforeEachUpdate, seenByEachUpdate] : rows) {
    SCOPED_TRACE(what + std::string(", key ") + std::to_string(key));
    KeyLatch latch;
    KeyTable &table = latch.table();
    std::vector<bool> seen;
    for (const std::string &messages : messagesBeforeEachUpdate) {
      for (char message : messages) {
        message == 'v'   ? latch.press(key)
        : message == '^' ? latch.release(key)
        : message == '~' ? latch.releaseAll()
                         : latch.clear();
      }
      // The update: the game reads the key and clears it if it acts on it.
      const bool inTable = key >= 0 && key < KeyTable::SIZE;
      inTable ? seen.push_back(table.down[key]) : void();
      inTable &&key != KeyEscape &&key != KeyF1 ? void(table.down[key] = false) : void();
      latch.updateDone();
    }
    EXPECT_EQ(seen, seenByEachUpdate);
    EXPECT_EQ(std::count(table.down, table.down + KeyTable::SIZE, true), 0) << "all up at the end";
  }
}
