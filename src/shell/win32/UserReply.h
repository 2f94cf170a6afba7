#pragma once
// What --help, --version and a mistake on the command line print. A program
// of the Windows subsystem starts without a console, so the text shows in a
// message box captioned "pickrpg"; it also goes to the standard stream when
// that leads somewhere (a pipe, a file, or the console of the program that
// started the game).

#include <string>

void showReply(const std::string &text, bool isMistake);
// Only the stream half: the text goes where a reply's would, to the error
// stream when toErrorStream is set.
void writeToStandardStream(const std::string &text, bool toErrorStream);
