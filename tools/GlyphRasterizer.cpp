#include "GlyphRasterizer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <fstream>

namespace {

const char *const FONT_FOLDERS[] = {
    "/usr/share/fonts/truetype/dejavu/", // Debian, Ubuntu
    "/usr/share/fonts/dejavu/",          // Fedora
    "/usr/share/fonts/TTF/",             // Arch
    "/usr/local/share/fonts/",
};

constexpr int FIXED_POINT_SHIFT = 6; // FreeType's 26.6 fixed point

} // namespace

GlyphRasterizer::~GlyphRasterizer() {
  if (face != nullptr) {
    FT_Done_Face(face);
  }
  if (library != nullptr) {
    FT_Done_FreeType(library);
  }
}

std::string GlyphRasterizer::locateFont(const std::string &fileName) {
  for (const char *folder : FONT_FOLDERS) {
    const std::string path = folder + fileName;
    if (std::ifstream(path).good()) {
      return path;
    }
  }
  return {};
}

bool GlyphRasterizer::open(const std::string &path, std::string &error) {
  if (library == nullptr && FT_Init_FreeType(&library) != 0) {
    library = nullptr;
    error = "cannot start FreeType";
    return false;
  }
  if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
    face = nullptr;
    error = "cannot open the font " + path;
    return false;
  }
  return true;
}

bool GlyphRasterizer::setPixelSize(int pixels) {
  return face != nullptr && FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) == 0;
}

bool GlyphRasterizer::render(char character, Glyph &glyph) const {
  if (face == nullptr ||
      FT_Load_Char(face, static_cast<unsigned char>(character), FT_LOAD_RENDER) != 0) {
    return false;
  }
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap &bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows > 0) {
    return false;
  }
  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> FIXED_POINT_SHIFT);
  glyph.coverage.clear();
  for (int row = 0; row < glyph.rows; ++row) {
    const unsigned char *line = bitmap.buffer + row * bitmap.pitch;
    glyph.coverage.insert(glyph.coverage.end(), line, line + glyph.width);
  }
  return true;
}

int GlyphRasterizer::measure(const std::string &text) const {
  int width = 0;
  Glyph glyph;
  for (char character : text) {
    if (render(character, glyph)) {
      width += glyph.advance;
    }
  }
  return width;
}

void GlyphRasterizer::draw(Image &image, int penX, int baseline, const std::string &text,
                           Colour colour) const {
  Glyph glyph;
  for (char character : text) {
    if (!render(character, glyph)) {
      continue;
    }
    for (int row = 0; row < glyph.rows; ++row) {
      for (int column = 0; column < glyph.width; ++column) {
        const unsigned char covered = glyph.coverage[row * glyph.width + column];
        image.blendPixel(penX + glyph.left + column, baseline - glyph.top + row, colour,
                         covered / 255.0f);
      }
    }
    penX += glyph.advance;
  }
}
