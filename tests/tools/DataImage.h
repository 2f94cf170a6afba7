#pragma once
// Reading the committed images of Data/ without a GL context, to look at
// their pixels the way the game's loader sees them.

#include "gfx/Texture.h"

#include <cstdio>
#include <string>
#include <vector>

inline std::string sourcePath(const std::string &relative) {
  return std::string(PICKRPG_SOURCE_DIR) + "/" + relative;
}

inline std::vector<unsigned char> readBytes(const std::string &path) {
  std::vector<unsigned char> bytes;
  std::FILE *file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return bytes;
  }
  unsigned char chunk[4096];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  std::fclose(file);
  return bytes;
}

// fileName as in the texture table ("Data/...").
inline bool decodeDataImage(const std::string &fileName, Texture &texture) {
  const std::vector<unsigned char> bytes = readBytes(sourcePath(fileName));
  return decodeTga(texture, bytes.data(), bytes.size());
}

// One channel of the pixel in column x and row y counted from the TOP of the
// picture (the file stores the bottom row first).
inline int channelAt(const Texture &texture, int x, int y, int channel) {
  const int bytesPerPixel = static_cast<int>(texture.bitsPerPixel / 8);
  const int row = static_cast<int>(texture.height) - 1 - y;
  return texture
      .imageData[(static_cast<std::size_t>(row) * texture.width + x) * bytesPerPixel + channel];
}
