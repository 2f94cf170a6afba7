#include "TileableNoise.h"

#include <cmath>

namespace {

float smooth(float t) {
  return t * t * (3 - 2 * t);
}

int wrap(int value, int period) {
  return ((value % period) + period) % period;
}

// An integer hash of a lattice point, so the values need no table.
std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  std::uint32_t h = seed ^ (x * 0x8DA6B343u) ^ (y * 0xD8163841u);
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

} // namespace

TileableNoise::TileableNoise(int periodX, int periodY, std::uint32_t seed)
    : periodX(periodX), periodY(periodY), seed(seed) {}

float TileableNoise::lattice(int x, int y) const {
  const std::uint32_t h = hash(static_cast<std::uint32_t>(wrap(x, periodX)),
                               static_cast<std::uint32_t>(wrap(y, periodY)), seed);
  return static_cast<float>(h >> 8) / 16777215.0f;
}

float TileableNoise::at(float u, float v) const {
  const float x = u * periodX;
  const float y = v * periodY;
  const int x0 = static_cast<int>(std::floor(x));
  const int y0 = static_cast<int>(std::floor(y));
  const float tx = smooth(x - x0);
  const float ty = smooth(y - y0);
  const float top = lattice(x0, y0) + (lattice(x0 + 1, y0) - lattice(x0, y0)) * tx;
  const float bottom = lattice(x0, y0 + 1) + (lattice(x0 + 1, y0 + 1) - lattice(x0, y0 + 1)) * tx;
  return top + (bottom - top) * ty;
}

float TileableNoise::fractal(float u, float v, int octaves) const {
  float sum = 0;
  float weight = 0.5f;
  float total = 0;
  float scale = 1;
  for (int octave = 0; octave < octaves; ++octave) {
    // Integer scales keep every octave periodic over the same texture.
    const TileableNoise layer(periodX * static_cast<int>(scale), periodY * static_cast<int>(scale),
                              seed + 0x68E31DA4u * (octave + 1));
    sum += layer.at(u, v) * weight;
    total += weight;
    weight /= 2;
    scale *= 2;
  }
  return sum / total;
}
