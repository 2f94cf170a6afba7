#include "MessageRecorder.h"

#include "ui/MessageOutput.h"

#include <utility>

namespace {

// The log's sink is a plain function, so the messages live here.
std::vector<std::string> recorded;

void record(std::string text) {
  recorded.push_back(std::move(text));
}

} // namespace

MessageRecorder::MessageRecorder() {
  recorded.clear();
  setMessageSink(&record);
}

MessageRecorder::~MessageRecorder() {
  setMessageSink(nullptr);
}

const std::vector<std::string> &MessageRecorder::messages() const {
  return recorded;
}

std::vector<std::string> MessageRecorder::take() {
  std::vector<std::string> messages;
  messages.swap(recorded);
  return messages;
}

void MessageRecorder::clear() {
  recorded.clear();
}
