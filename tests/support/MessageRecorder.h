#pragma once
// Catches what the game prints to its message log, for tests that check the
// sentences an action produces.

#include <string>
#include <vector>

// Sends every printed message here for the lifetime of the object.
class MessageRecorder {
public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder &) = delete;
  MessageRecorder &operator=(const MessageRecorder &) = delete;

  const std::vector<std::string> &messages() const;
  // The messages so far, which are then forgotten.
  std::vector<std::string> take();
  void clear();
};
