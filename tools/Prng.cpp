#include "Prng.h"

namespace {

// xorshift never leaves 0, so a zero seed is replaced.
constexpr std::uint32_t NONZERO_SEED = 0x9E3779B9u;
constexpr float UNIT = 1.0f / 16777216.0f; // 2^-24: keeps the fraction exact in a float

} // namespace

Prng::Prng(std::uint32_t seed) : state(seed == 0 ? NONZERO_SEED : seed) {}

std::uint32_t Prng::next() {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

float Prng::between(float low, float high) {
  return low + (high - low) * static_cast<float>(next() >> 8) * UNIT;
}
