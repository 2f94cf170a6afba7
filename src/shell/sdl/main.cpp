// The Linux entry point: the command line, the search for the data, then
// the shell's loop.
#define SDL_MAIN_HANDLED
#include "shell/CommandLine.h"
#include "shell/Scene.h"
#include "shell/sdl/SdlShell.h"

#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The kernel's link to the running executable leads to the real file,
// however the program was started.
const char *const SELF_EXECUTABLE = "/proc/self/exe";

// glibc's starting threshold for serving a block by its own mapping.
const int LARGE_BLOCK_BYTES = 128 * 1024;

// The OpenGL driver allocates and frees large blocks as it draws. Once one
// such mapped block is freed, glibc raises its threshold and serves the next
// ones from the heap, where they fragment it: the resident size then creeps
// up by megabytes over thousands of clicks while the memory in use stays
// flat. A fixed threshold hands every large block back when it is freed.
void keepLargeBlocksMapped() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, LARGE_BLOCK_BYTES);
#endif
}

} // namespace

int main(int argc, char *argv[]) {
  keepLargeBlocksMapped();
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
