// The Linux entry point: the whole run is the shell's loop.
#define SDL_MAIN_HANDLED
#include "shell/sdl/SdlShell.h"

int main() {
  SdlShell shell;
  return shell.run();
}
