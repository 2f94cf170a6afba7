#pragma once
// Scenes and picking runs built from the same source twice: once against the
// real OpenGL 1.1 (the gl_reference program) and once against the ES layer
// or the desktop's software selection (the proof tests), so that the two
// can be compared pixel for pixel and record for record. The reference
// hands its results over in files of raw words.

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// The 1024 x 768 test surface as glReadPixels gives it: RGBA, rows bottom-up.
using Frame = std::vector<unsigned char>;
// The game's frames, then the feature scenes; the reference draws them with
// this seed for the other person's walk.
std::vector<std::string> sceneNames();
constexpr unsigned SCENE_SEED = 1;
bool drawScene(const std::string &name, unsigned seed, Frame &frame);
void readFrame(Frame &frame);
// A binary P6 picture, rows top-down, as the browser test reads it.
bool writePpm(const std::string &path, const Frame &frame);

// Every pick at every step-th pixel, each as its length and then the pixel,
// the pass, the hit count (-1: the records overflowed) and the buffer's
// words.
std::vector<std::string> pickSceneNames();
bool pickScene(const std::string &name, int step, std::vector<std::uint32_t> &picks);

template <typename T> bool writeWords(const std::string &path, const std::vector<T> &words) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char *>(words.data()),
            static_cast<std::streamsize>(words.size() * sizeof(T)));
  return static_cast<bool>(out);
}

template <typename T> bool readWords(const std::string &path, std::vector<T> &words) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  words.resize(static_cast<std::size_t>(in.tellg()) / sizeof(T));
  in.seekg(0);
  return in.read(reinterpret_cast<char *>(words.data()),
                 static_cast<std::streamsize>(words.size() * sizeof(T))) &&
         !words.empty();
}
