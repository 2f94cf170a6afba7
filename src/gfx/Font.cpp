#include "gfx/Font.h"

#include "gfx/Gl.h"
#include "gfx/Texture.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

std::uint32_t fontListBase = 0;

namespace {

constexpr int GRID_COLUMNS = 16;
constexpr int GRID_ROWS = 8;
constexpr float CELL_WIDTH = 1.0f / GRID_COLUMNS;
// Each glyph samples a band slightly lower than its cell, so the bottom
// edge of a cell never bleeds into the line below.
constexpr float GLYPH_BAND = 0.12f;

void compileGlyph(int glyph) {
  const float u = static_cast<float>(glyph % GRID_COLUMNS) / GRID_COLUMNS;
  const float v = static_cast<float>(glyph / GRID_COLUMNS) / GRID_ROWS;
  const float size = FONT_GLYPH_SIZE;
  glNewList(fontListBase + glyph, GL_COMPILE);
  glBegin(GL_QUADS);
  glTexCoord2f(u, 1 - v - GLYPH_BAND);
  glVertex2f(0, 0);
  glTexCoord2f(u + CELL_WIDTH, 1 - v - GLYPH_BAND);
  glVertex2f(size, 0);
  glTexCoord2f(u + CELL_WIDTH, 1 - v);
  glVertex2f(size, size);
  glTexCoord2f(u, 1 - v);
  glVertex2f(0, size);
  glEnd();
  glTranslated(FONT_ADVANCE, 0, 0);
  glEndList();
}

void drawCharacters(std::int32_t x, std::int32_t y, const char *text, std::size_t length) {
  if (fontListBase == 0) {
    return;
  }
  bindTexture(FontTexture);
  glPushMatrix();
  glLoadIdentity();
  glTranslated(x, y, 0);
  // Character code n calls list fontListBase - 32 + n; codes without a
  // list draw nothing and leave the pen where it is.
  glListBase(fontListBase - FONT_FIRST_CHAR);
  glCallLists(static_cast<GLsizei>(length), GL_UNSIGNED_BYTE, text);
  glPopMatrix();
}

} // namespace

void buildFontLists() {
  fontListBase = glGenLists(FONT_GLYPHS);
  bindTexture(FontTexture);
  for (int glyph = 0; glyph < FONT_GLYPHS; ++glyph) {
    compileGlyph(glyph);
  }
}

void deleteFontLists() {
  if (fontListBase != 0) {
    glDeleteLists(fontListBase, FONT_GLYPHS);
    fontListBase = 0;
  }
}

void printText(std::int32_t x, std::int32_t y, const char *format, ...) {
  if (format == nullptr) {
    return;
  }
  char buffer[PRINT_TEXT_CHARS + 1];
  va_list arguments;
  va_start(arguments, format);
  const int written = std::vsnprintf(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
  if (written <= 0) {
    return;
  }
  drawCharacters(x, y, buffer, std::strlen(buffer));
}

void printString(std::int32_t x, std::int32_t y, std::string text) {
  // An embedded NUL ends the text, as it would in a C buffer.
  const std::size_t length = std::min<std::size_t>(std::strlen(text.c_str()), PRINT_STRING_CHARS);
  drawCharacters(x, y, text.c_str(), length);
}
