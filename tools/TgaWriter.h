#pragma once
// Stores a picture as an uncompressed true-colour TGA the way the game reads
// it: fixed 12-byte header, bottom-left origin (the first row in the file is
// the bottom row), blue-green-red(-alpha) pixels, 32 bits when the picture
// keeps alpha and 24 otherwise.

#include "Image.h"

#include <string>
#include <vector>

class TgaWriter {
public:
  static std::vector<unsigned char> encode(const Image &image);
  // False when the file cannot be written completely.
  static bool write(const Image &image, const std::string &path);
};
