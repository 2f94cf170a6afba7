#include "ui/MessageOutput.h"

#include <cstdio>
#include <utility>

namespace {
MessageSink messageSink = nullptr;
}

void setMessageSink(MessageSink sink) {
  messageSink = sink;
}

void printMessage(std::string text) {
  if (messageSink != nullptr) {
    messageSink(std::move(text));
  }
}

std::string intToString(std::int32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%i", static_cast<int>(value));
  return buffer;
}
