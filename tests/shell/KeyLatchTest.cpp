// The key latch between the shell's key messages and the real game's
// update, on the headless context: a key that went down since the last
// update acts once in the next one, whatever came after it; the keys the
// game only reads (Escape, F1) stay down while they are held.

#include "../game/GameFixture.h"

#include "shell/KeyLatch.h"

#include <string>
#include <vector>

namespace {

class KeyLatchTest : public GameTest {
protected:
  KeyLatch latch;

  void SetUp() override { GameTest::SetUp(), game.setKeyTable(&latch.table()); }
  void TearDown() override { game.setKeyTable(&keys), GameTest::TearDown(); }
  // The key's messages between two updates: 'v' a key-down (a press or an
  // auto-repeat), '^' a key-up, '~' the window losing the keyboard, 'c' a
  // new window, which starts with every key up.
  void deliver(int key, const std::string &messages) {
    for (char message : messages) {
      message == 'v'   ? latch.press(key)
      : message == '^' ? latch.release(key)
      : message == '~' ? latch.releaseAll()
                       : latch.clear();
    }
  }
  // Space and I toggle a state; Escape and F1 ask the shell.
  int effectsSoFar(int key) {
    return key == KeySpace ? game.isPaused()
           : key == KeyI   ? game.getInventoryWindow().isOpen()
           : key == KeyF1  ? window.modeToggleRequests
                           : window.quitRequests;
  }
};

} // namespace

TEST_F(KeyLatchTest, EveryKeyDownActsOnceAndHeldShellKeysStayDown) {
  struct Row {
    const char *what;
    int key;
    std::vector<std::string> messagesBeforeEachUpdate;
    std::vector<int> actedInEachUpdate; // a toggle shows as a change either way
  } rows[] = {
      {"a tap between two updates", KeySpace, {"v^", ""}, {1, 0}},
      {"a tap between two updates", KeyI, {"v^", ""}, {1, 0}},
      {"a key held over several updates", KeyI, {"v", "", "", "^"}, {1, 0, 0, 0}},
      {"auto-repeats, the last one released early", KeySpace, {"v", "v", "v^", ""}, {1, 1, 1, 0}},
      // The table holds one press per key between two updates.
      {"two taps between two updates", KeySpace, {"v^v^", ""}, {1, 0}},
      {"Escape tapped", KeyEscape, {"v^", ""}, {1, 0}},
      {"Escape held, then released", KeyEscape, {"v", "", "^", ""}, {1, 1, 0, 0}},
      {"Escape released and pressed again", KeyEscape, {"v", "^v", "", "^"}, {1, 1, 1, 0}},
      {"F1 tapped", KeyF1, {"v^", ""}, {1, 0}},
      {"F1 held, then released", KeyF1, {"v", "", "^"}, {1, 1, 0}},
      // Its key-up goes to the window that took the keyboard.
      {"Escape held when the focus goes", KeyEscape, {"v", "~", ""}, {1, 0, 0}},
      {"a tap just before the focus goes", KeySpace, {"v~", ""}, {1, 0}},
      // A release that still waited for its update must not take back a
      // press made in the new window.
      {"F1 held in a new window", KeyF1, {"v^cv", "", "^"}, {1, 1, 0}},
      {"a press forgotten by a new window", KeyEscape, {"vc", ""}, {0, 0}},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.what + std::string(", key ") + std::to_string(row.key));
    std::vector<int> acted;
    for (const std::string &messages : row.messagesBeforeEachUpdate) {
      deliver(row.key, messages);
      const int before = effectsSoFar(row.key);
      advanceScene(16), latch.updateDone();
      acted.push_back(effectsSoFar(row.key) != before ? 1 : 0);
    }
    EXPECT_EQ(acted, row.actedInEachUpdate);
    EXPECT_FALSE(latch.table().down[row.key]) << "released at the end";
  }
}
