#pragma once
// The one way world and object code tells the player something: a finished
// sentence appended to the message log.

#include <cstdint>
#include <string>

// Appends the text to the message log (word-wrapped there).
void printMessage(std::string text);

// Decimal form of value, as "%i" prints it.
std::string intToString(std::int32_t value);

// Where printMessage delivers; the game connects its log at start-up.
using MessageSink = void (*)(std::string text);
void setMessageSink(MessageSink sink);
