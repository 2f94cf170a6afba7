// gl_reference: draws the layer's proof scenes and picking grids with the
// real OpenGL 1.1 on the headless desktop context, for the tests that run
// the same scenes through the ES layer to compare against.
//
//   gl_reference scene NAME OUT.ppm
//   gl_reference picks STATE STEP OUT.bin
//   gl_reference frame --out OUT.ppm [--seed N] [--mouse X Y] [--elapsed MS]

#include "Scenarios.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int EXIT_USAGE = 2;

int usage() {
  std::fprintf(stderr, "usage: gl_reference scene NAME OUT.ppm\n"
                       "       gl_reference picks STATE STEP OUT.bin\n"
                       "       gl_reference frame --out OUT.ppm [--seed N] [--mouse X Y] "
                       "[--elapsed MS]\n");
  return EXIT_USAGE;
}

int drawFrame(int argc, char **argv) {
  std::string out;
  unsigned seed = 1, elapsed = 16;
  int x = 0, y = 0;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    const bool hasOne = i + 1 < argc, hasTwo = i + 2 < argc;
    if (option == "--out" && hasOne) {
      out = argv[++i];
    } else if (option == "--seed" && hasOne) {
      seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    } else if (option == "--elapsed" && hasOne) {
      elapsed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    } else if (option == "--mouse" && hasTwo) {
      x = std::atoi(argv[++i]);
      y = std::atoi(argv[++i]);
    } else {
      return usage();
    }
  }
  Frame frame;
  if (out.empty()) {
    return usage();
  }
  return drawGameFrame(seed, x, y, elapsed, frame) && writePpm(out, frame) ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "scene" && argc == 4) {
    Frame frame;
    return drawNamedScene(argv[2], frame) && writePpm(argv[3], frame) ? 0 : 1;
  }
  if (command == "picks" && argc == 5) {
    PickGrid grid;
    return pickNamedState(argv[2], std::atoi(argv[3]), grid) && writePickGrid(argv[4], grid) ? 0
                                                                                             : 1;
  }
  if (command == "frame") {
    return drawFrame(argc, argv);
  }
  return usage();
}
