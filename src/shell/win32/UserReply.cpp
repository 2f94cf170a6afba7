#include "shell/win32/UserReply.h"

#include "shell/CommandLine.h"
#include "shell/win32/WideText.h"

#include <windows.h>

namespace {

bool isUsable(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

void writeTo(HANDLE handle, const std::string &text) {
  DWORD written = 0;
  DWORD consoleMode = 0;
  if (GetConsoleMode(handle, &consoleMode)) {
    // A console shows UTF-16 whatever its code page.
    const std::wstring wide = wideFromUtf8(text);
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  } else {
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
}

// A redirected stream is handed to the process; a console it has to join.
void writeToStream(const std::string &text, DWORD stream) {
  const HANDLE inherited = GetStdHandle(stream);
  if (isUsable(inherited)) {
    writeTo(inherited, text);
    return;
  }
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
    return;
  }
  const HANDLE console =
      CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (isUsable(console)) {
    writeTo(console, text);
    CloseHandle(console);
  }
  FreeConsole();
}

} // namespace

void writeToStandardStream(const std::string &text, bool toErrorStream) {
  writeToStream(text, toErrorStream ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
}

void showReply(const std::string &text, bool isMistake) {
  writeToStandardStream(text, isMistake);
  MessageBoxW(nullptr, wideFromUtf8(text).c_str(), wideFromUtf8(CommandLine::PROGRAM_NAME).c_str(),
              MB_OK | (isMistake ? MB_ICONERROR : MB_ICONINFORMATION));
}
