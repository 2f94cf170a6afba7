#pragma once
// The game keeps its texts in UTF-8; Windows speaks UTF-16 wherever a name
// may hold characters outside the code page (command line, file names,
// message boxes).

#include <string>

std::wstring wideFromUtf8(const std::string &text);
std::string utf8FromWide(const std::wstring &text);
