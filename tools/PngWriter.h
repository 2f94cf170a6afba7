#pragma once
// Stores a picture as a PNG: 8-bit RGBA (colour type 6), not interlaced, each
// row with the filter that leaves the smallest sum of absolute differences,
// the rows deflated by zlib at its best compression. The same picture always
// gives the same bytes, so the committed icons can be checked against it.

#include "Image.h"

#include <string>
#include <vector>

class PngWriter {
public:
  // Empty when zlib fails.
  static std::vector<unsigned char> encode(const Image &image);
  // False when the picture cannot be encoded or the file written completely.
  static bool write(const Image &image, const std::string &path);
};
