#pragma once
// The bitmap font: 95 display lists, one textured quad per printable ASCII
// character, cut from the Font texture's 16 x 8 glyph grid.

#include <cstdint>
#include <string>

constexpr int FONT_GLYPHS = 95; // character codes 32 to 126
constexpr int FONT_FIRST_CHAR = 32;
constexpr int FONT_GLYPH_SIZE = 16;   // quad edge in units
constexpr int FONT_ADVANCE = 10;      // pen advance per glyph
constexpr int PRINT_TEXT_CHARS = 255; // longest formatted text
constexpr int PRINT_STRING_CHARS = 99;

// First of the 95 display lists; 0 until buildFontLists ran.
extern std::uint32_t fontListBase;

void buildFontLists();
void deleteFontLists();

// Draws printf-formatted text with its first glyph's lower-left corner at
// (x, y) of the current projection; the modelview is ignored. A null format
// draws nothing.
void printText(std::int32_t x, std::int32_t y, const char *format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// Draws the characters as they stand (no formatting), at most the first 99.
void printString(std::int32_t x, std::int32_t y, std::string text);
