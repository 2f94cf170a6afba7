#include "ui/MessageOutput.h"
#include "ui/TextWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> received;
TextWindow *gameLog = nullptr;

void recordMessage(std::string text) {
  received.push_back(text);
}
void addToLog(std::string text) {
  gameLog->addText(text);
}

class MessageOutputTest : public ::testing::Test {
protected:
  void SetUp() override { received.clear(); }
  void TearDown() override {
    setMessageSink(nullptr);
    gameLog = nullptr;
  }
};

} // namespace

TEST(IntToString, FormatsLikePercentI) {
  EXPECT_EQ(intToString(0), "0");
  EXPECT_EQ(intToString(-5), "-5");
  EXPECT_EQ(intToString(2147483647), "2147483647");
  EXPECT_EQ(intToString(-2147483647 - 1), "-2147483648");
}

TEST_F(MessageOutputTest, SinkReceivesExactlyTheText) {
  setMessageSink(recordMessage);
  printMessage("You see a pile of items.");
  printMessage("");
  printMessage("d\xE9"
               "chets  x ");
  EXPECT_EQ(received, (std::vector<std::string>{"You see a pile of items.", "",
                                                "d\xE9"
                                                "chets  x "}));
}

TEST_F(MessageOutputTest, WithoutSinkMessagesAreDropped) {
  printMessage("nobody listens");
  setMessageSink(recordMessage);
  printMessage("heard");
  EXPECT_EQ(received, std::vector<std::string>{"heard"});
}

TEST_F(MessageOutputTest, SentenceIsInTheLogWhenPrintMessageReturns) {
  TextWindow textWindow(356, 0, 326, 136);
  gameLog = &textWindow;
  setMessageSink(addToLog);
  for (int i = 0; i < 10; ++i) {
    textWindow.appendLine("earlier");
  }
  ASSERT_EQ(textWindow.getFirstVisible(), 1);
  printMessage("aaaaaaaaaa bbbbbbbbbb cccccccccc dddddddddd eeeeeeeeee ffffffffff");
  const std::vector<std::string> &lines = textWindow.getLines();
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[10], "aaaaaaaaaa bbbbbbbbbb");
  EXPECT_EQ(lines[11], "cccccccccc dddddddddd");
  EXPECT_EQ(lines[12], "eeeeeeeeee ffffffffff");
  EXPECT_EQ(textWindow.getFirstVisible(), 4);
  printMessage("");
  EXPECT_EQ(textWindow.getLines().back(), "");
  EXPECT_EQ(textWindow.getLines().size(), 14u);
}
