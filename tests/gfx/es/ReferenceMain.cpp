// gl_reference: draws the proof's scenes and takes their picking grids with
// the real OpenGL 1.1 on the headless desktop context, for the test that
// runs the same scenes through the ES layer or the software selection:
//
//   gl_reference scene NAME STEP       the frame's and the picks' words, on
//                                      the standard output
//   gl_reference frame --out OUT.ppm --seed N
//                                      the game's first frame, for the browser

#include "Scenarios.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

// A binary P6 picture, rows top-down, as the browser test reads it.
bool writePpm(const std::string &path, const std::vector<std::uint32_t> &frame) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << TEST_WIDTH << " " << TEST_HEIGHT << "\n255\n";
  for (int row = TEST_HEIGHT - 1; row >= 0; --row) {
    for (int x = 0; x < TEST_WIDTH; ++x) {
      out.write(reinterpret_cast<const char *>(&frame[row * TEST_WIDTH + x]), 3);
    }
  }
  return static_cast<bool>(out);
}

} // namespace

int main(int argc, char **argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  std::vector<std::uint32_t> result;
  if (words.size() == 3 && words[0] == "scene") {
    if (!runScene(words[1], SCENE_SEED, std::atoi(words[2].c_str()), result)) {
      return 1;
    }
    std::fwrite(result.data(), sizeof(std::uint32_t), result.size(), stdout);
    return std::fclose(stdout) == 0 ? 0 : 1;
  }
  if (words.size() == 5 && words[0] == "frame" && words[1] == "--out" && words[3] == "--seed") {
    const auto seed = static_cast<unsigned>(std::strtoul(words[4].c_str(), nullptr, 10));
    return runScene("start-up", seed, 0, result) && writePpm(words[2], result) ? 0 : 1;
  }
  std::fprintf(stderr, "usage: gl_reference scene NAME STEP | frame --out OUT.ppm --seed N\n");
  return 2;
}
