#pragma once
// Smooth value noise that repeats: sampled at texture fractions u and v
// (0 to 1), it joins up across the edges, so a texture built from it tiles
// without seams.

#include <cstdint>
#include <vector>

class TileableNoise {
public:
  // A lattice of periodX by periodY random values, seeded deterministically.
  TileableNoise(int periodX, int periodY, std::uint32_t seed);

  // 0 to 1, smoothly interpolated between the lattice values.
  float at(float u, float v) const;
  // Sum of octaves, each with twice the lattice frequency and half the
  // weight of the one before; still 0 to 1 and still tiling.
  float fractal(float u, float v, int octaves) const;

private:
  float lattice(int x, int y) const;

  int periodX;
  int periodY;
  std::uint32_t seed;
};
