#pragma once
// The four sides of a space and the four directions of a step.

#include <cstdint>

enum Direction : std::int32_t {
  Up = 0,    // towards +y
  Left = 1,  // towards -x
  Right = 2, // towards +x
  Down = 3,  // towards -y
};

constexpr std::int32_t DIRECTION_COUNT = 4;

inline bool isDirection(std::int32_t direction) {
  return direction >= 0 && direction < DIRECTION_COUNT;
}

// The side facing the other way: Up and Down, Left and Right.
inline std::int32_t oppositeSide(std::int32_t side) {
  return DIRECTION_COUNT - 1 - side;
}
