#pragma once
// A small fixed-seed random sequence (xorshift32), so the pictures come out
// the same on every run and every machine.

#include <cstdint>

class Prng {
public:
  explicit Prng(std::uint32_t seed);

  std::uint32_t next();
  // From low to high.
  float between(float low, float high);

private:
  std::uint32_t state;
};
