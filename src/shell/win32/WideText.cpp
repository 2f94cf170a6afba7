#include "shell/win32/WideText.h"

#include <windows.h>

std::wstring wideFromUtf8(const std::string &text) {
  const int length = static_cast<int>(text.size());
  const int wideLength = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), wideLength);
  return wide;
}

std::string utf8FromWide(const std::wstring &text) {
  const int length = static_cast<int>(text.size());
  const int utf8Length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), utf8Length, nullptr, nullptr);
  return utf8;
}
