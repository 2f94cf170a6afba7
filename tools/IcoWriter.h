#pragma once
// Stores square pictures of several sizes as one Windows icon (.ico). Sizes
// below 256 are 32-bit BGRA bitmaps with their transparency mask, which
// every Windows version and resource compiler reads; the 256-pixel picture is
// a PNG, as Windows expects at that size.

#include "Image.h"

#include <string>
#include <vector>

class IcoWriter {
public:
  static constexpr int LARGEST_SIZE = 256;

  // Empty when a picture is not square, larger than LARGEST_SIZE, or its PNG
  // cannot be made.
  static std::vector<unsigned char> encode(const std::vector<Image> &images);
  // False when the icon cannot be encoded or the file written completely.
  static bool write(const std::vector<Image> &images, const std::string &path);
};
