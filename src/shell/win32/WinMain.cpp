// The Windows entry point: the whole run is the shell's loop.
#include "shell/win32/Win32Shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Win32Shell shell(instance);
  return shell.run();
}
