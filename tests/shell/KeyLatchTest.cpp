// The key latch between the shell's key messages and the game's update: a
// key that went down since the last update is seen by the next one, whatever
// came after it; the keys the game acts on it clears (GameTest shows it
// does), the ones it only reads (Escape, F1) stay down while they are held.

#include "shell/KeyLatch.h"
#include "shell/KeyCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(KeyLatch, EveryKeyDownActsOnceAndHeldShellKeysStayDown) {
  struct Row {
    const char *what;
    int key;
    // The key's messages before each update: 'v' a key-down (a press or an
    // auto-repeat), '^' a key-up, '~' the window losing the keyboard, 'c' a
    // new window, which starts with every key up.
    std::vector<std::string> messagesBeforeEachUpdate;
    std::vector<bool> seenByEachUpdate;
  } rows[] = {
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
  for (const Row &row : rows) {
    SCOPED_TRACE(row.what + std::string(", key ") + std::to_string(row.key));
    KeyLatch latch;
    KeyTable &table = latch.table();
    std::vector<bool> seen;
    for (const std::string &messages : row.messagesBeforeEachUpdate) {
      for (char message : messages) {
        message == 'v'   ? latch.press(row.key)
        : message == '^' ? latch.release(row.key)
        : message == '~' ? latch.releaseAll()
                         : latch.clear();
      }
      // The update: the game reads the key and clears it if it acts on it.
      const bool inTable = row.key >= 0 && row.key < KeyTable::SIZE;
      inTable ? seen.push_back(table.down[row.key]) : void();
      inTable &&row.key != KeyEscape &&row.key != KeyF1 ? void(table.down[row.key] = false)
                                                        : void();
      latch.updateDone();
    }
    EXPECT_EQ(seen, row.seenByEachUpdate);
    EXPECT_EQ(std::count(table.down, table.down + KeyTable::SIZE, true), 0) << "all up at the end";
  }
}
