#pragma once
// The game's 26 images by file name, in the order the game loads them, and
// writing them all into one folder.

#include "GlyphRasterizer.h"

#include <string>

class AssetCatalogue {
public:
  static constexpr int IMAGE_COUNT = 26;

  // text renders the bitmap font, labels the button words.
  AssetCatalogue(GlyphRasterizer &text, GlyphRasterizer &labels) : text(text), labels(labels) {}

  // Paints every image and writes it into folder (created when missing).
  // Stops at the first failure, with a reason in error.
  bool writeAll(const std::string &folder, std::string &error);

private:
  bool write(const Image &image, const std::string &folder, const char *fileName,
             std::string &error);

  GlyphRasterizer &text;
  GlyphRasterizer &labels;
};
