// The Windows entry point: the command line, read in UTF-16 so that a data
// folder named in any script arrives whole, the search for the data, then
// the shell's loop.
#include "shell/CommandLine.h"
#include "shell/Scene.h"
#include "shell/win32/UserReply.h"
#include "shell/win32/WideText.h"
#include "shell/win32/Win32Shell.h"

#include <shellapi.h>

namespace {

std::vector<std::string> argumentsAfterProgramName() {
  int count = 0;
  LPWSTR *arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> utf8;
  if (arguments == nullptr) {
    return utf8;
  }
  for (int i = 1; i < count; ++i) {
    utf8.push_back(utf8FromWide(arguments[i]));
  }
  LocalFree(arguments);
  return utf8;
}

// The full path of the running executable; empty if Windows cannot say.
std::filesystem::path executablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) {
      return {};
    }
    // A path that filled the buffer may have been cut short.
    if (length < size) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const CommandLine options = CommandLine::parse(argumentsAfterProgramName());
  // The installer puts Data/ beside the executable: there is no separate
  // installed data folder to look in.
  const DataFolders folders(
      {workingDirectory(), std::filesystem::u8path(options.dataFolder()), executablePath(), {}});
  if (options.request() != CommandLine::Request::Play) {
    showReply(options.reply(folders), options.request() == CommandLine::Request::Refuse);
    return options.exitCode();
  }
  setSceneDataFolder(folders.chosen());
  Win32Shell shell(instance);
  shell.setStartMode(options.startMode());
  shell.setDataFolders(folders);
  return shell.run();
}
