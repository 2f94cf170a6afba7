// gl_reference: draws the proofs' scenes and takes their picking grids with
// the real OpenGL 1.1 on the headless desktop context, for the tests that
// run the same scenes through the ES layer or the software selection:
//
//   gl_reference scene NAME OUT        the frame's RGBA bytes
//   gl_reference picks NAME STEP OUT   the picks' words
//   gl_reference frame --out OUT.ppm --seed N
//                                      the game's first frame, for the browser

#include "Scenarios.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  Frame frame;
  std::vector<std::uint32_t> picks;
  if (words.size() == 3 && words[0] == "scene") {
    return drawScene(words[1], SCENE_SEED, frame) && writeWords(words[2], frame) ? 0 : 1;
  }
  if (words.size() == 4 && words[0] == "picks") {
    return pickScene(words[1], std::atoi(words[2].c_str()), picks) && writeWords(words[3], picks)
               ? 0
               : 1;
  }
  if (words.size() == 5 && words[0] == "frame" && words[1] == "--out" && words[3] == "--seed") {
    const auto seed = static_cast<unsigned>(std::strtoul(words[4].c_str(), nullptr, 10));
    return drawScene("start-up", seed, frame) && writePpm(words[2], frame) ? 0 : 1;
  }
  std::fprintf(stderr, "usage: gl_reference scene NAME OUT | picks NAME STEP OUT | "
                       "frame --out OUT.ppm --seed N\n");
  return 2;
}
