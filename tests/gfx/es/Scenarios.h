#pragma once
// Scenes and picking runs built from the same source twice: once against the
// real OpenGL 1.1 (the gl_reference program) and once against the ES layer
// or the desktop's software selection (the proof tests), so that the two
// can be compared pixel for pixel and record for record. The reference
// hands its results over in files of raw words.

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The 1024 x 768 test surface as glReadPixels gives it: RGBA, rows bottom-up.
using Frame = std::vector<unsigned char>;
// The game's states, then the feature scenes, or only those picked; the
// reference draws them with this seed for the other person's walk.
std::vector<std::string> sceneNames(bool pickedOnly = false);
constexpr unsigned SCENE_SEED = 1;
// Starts the game and draws the named scene, or reaches the game state; the
// caller ends it with stopScene(). Or all that, with the frame read.
bool startNamedScene(const std::string &name, unsigned seed);
bool drawScene(const std::string &name, unsigned seed, Frame &frame);
void readFrame(Frame &frame);
// A binary P6 picture, rows top-down, as the browser test reads it.
bool writePpm(const std::string &path, const Frame &frame);

// Every pick at every step-th pixel, each as its length and then the pixel,
// the pass, the hit count (-1: the records overflowed) and the buffer's
// words.
bool pickScene(const std::string &name, int step, std::vector<std::uint32_t> &picks);

template <typename T> bool writeWords(const std::string &path, const std::vector<T> &words) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char *>(words.data()),
            static_cast<std::streamsize>(words.size() * sizeof(T)));
  return static_cast<bool>(out);
}

template <typename T> bool readWords(const std::string &path, std::vector<T> &words) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  words.resize(bytes.size() / sizeof(T));
  std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(words.size() * sizeof(T)),
            reinterpret_cast<char *>(words.data()));
  return !words.empty();
}
