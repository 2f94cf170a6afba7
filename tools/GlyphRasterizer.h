#pragma once
// One TrueType face opened with FreeType, rendering characters as 8-bit
// coverage bitmaps at a chosen pixel size and drawing text into pictures.

#include "Image.h"

#include <string>
#include <vector>

struct Glyph {
  int width = 0;                       // bitmap columns
  int rows = 0;                        // bitmap rows
  int left = 0;                        // from the pen to the bitmap's left edge
  int top = 0;                         // from the baseline up to the bitmap's top row
  int advance = 0;                     // whole pixels the pen moves on
  std::vector<unsigned char> coverage; // rows top to bottom, 0 to 255
};

class GlyphRasterizer {
public:
  GlyphRasterizer() = default;
  ~GlyphRasterizer();
  GlyphRasterizer(const GlyphRasterizer &) = delete;
  GlyphRasterizer &operator=(const GlyphRasterizer &) = delete;

  // The full path of a font file among the usual system font folders, or an
  // empty string when none holds it.
  static std::string locateFont(const std::string &fileName);

  // False, with a reason in error, when FreeType or the face cannot be opened.
  bool open(const std::string &path, std::string &error);
  bool setPixelSize(int pixels);

  // False when the character has no glyph that renders.
  bool render(char character, Glyph &glyph) const;
  // Sum of the advances of the characters.
  int measure(const std::string &text) const;
  // Draws text with its pen starting at penX on the baseline (pixel rows
  // above it hold the glyphs, counted from the top of the picture).
  void draw(Image &image, int penX, int baseline, const std::string &text, Colour colour) const;

private:
  struct FT_LibraryRec_ *library = nullptr;
  struct FT_FaceRec_ *face = nullptr;
};
