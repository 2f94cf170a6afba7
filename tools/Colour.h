#pragma once
// An 8-bit straight-alpha colour as the pictures are painted in.

#include <cstdint>

struct Colour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 255;

  constexpr Colour withAlpha(std::uint8_t alpha) const { return {r, g, b, alpha}; }
};

// Linear mix: t = 0 gives from, t = 1 gives to (t is clamped).
Colour mixColours(Colour from, Colour to, float t);

// Every channel but alpha scaled by factor (clamped to 0..255).
Colour shadeColour(Colour colour, float factor);
