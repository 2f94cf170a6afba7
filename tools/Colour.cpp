#include "Colour.h"

#include <algorithm>

namespace {

std::uint8_t toChannel(float value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 255.0f) + 0.5f);
}

std::uint8_t mixChannel(std::uint8_t from, std::uint8_t to, float t) {
  return toChannel(from + (to - from) * t);
}

} // namespace

Colour mixColours(Colour from, Colour to, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return {mixChannel(from.r, to.r, t), mixChannel(from.g, to.g, t), mixChannel(from.b, to.b, t),
          mixChannel(from.a, to.a, t)};
}

Colour shadeColour(Colour colour, float factor) {
  return {toChannel(colour.r * factor), toChannel(colour.g * factor), toChannel(colour.b * factor),
          colour.a};
}
