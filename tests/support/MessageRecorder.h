#pragma once
// Catches what the game prints to its message log, for tests that check the
// sentences an action produces.

#include "ui/MessageOutput.h"

#include <string>
#include <utility>
#include <vector>

// Sends every printed message here for the lifetime of the object.
class MessageRecorder {
public:
  MessageRecorder() {
    recorded.clear();
    setMessageSink([](std::string text) { recorded.push_back(std::move(text)); });
  }
  ~MessageRecorder() { setMessageSink(nullptr); }

  // The messages so far, which are then forgotten.
  std::vector<std::string> take() { return std::exchange(recorded, {}); }

private:
  // The log's sink is a plain function, so the messages live here.
  static inline std::vector<std::string> recorded;
};
