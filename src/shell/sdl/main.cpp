// The Linux entry point: the command line, the search for the data, then
// the shell's loop.
#define SDL_MAIN_HANDLED
#include "shell/CommandLine.h"
#include "shell/Scene.h"
#include "shell/sdl/SdlShell.h"

#include <cstdio>

namespace {

// The kernel's link to the running executable leads to the real file,
// however the program was started.
const char *const SELF_EXECUTABLE = "/proc/self/exe";

} // namespace

int main(int argc, char *argv[]) {
  const CommandLine options = CommandLine::parse({argv + 1, argv + argc});
  const DataFolders folders({workingDirectory(), std::filesystem::u8path(options.dataFolder()),
                             SELF_EXECUTABLE, PICKRPG_DATA_FROM_BINDIR});
  if (options.request() != CommandLine::Request::Play) {
    const bool mistake = options.request() == CommandLine::Request::Refuse;
    std::fputs(options.reply(folders).c_str(), mistake ? stderr : stdout);
    return options.exitCode();
  }
  setSceneDataFolder(folders.chosen());
  SdlShell shell;
  shell.setStartMode(options.startMode());
  shell.setDataFolders(folders);
  return shell.run();
}
