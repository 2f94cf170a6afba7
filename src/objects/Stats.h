#pragma once
// The role-playing values of a being. Only the hit points change during a
// run; nothing is clamped to its maximum.

#include <cstdint>
#include <string>
#include <vector>

constexpr std::int32_t NEXT_LEVEL_EXPERIENCE = 1000;

struct Stats {
  std::int32_t intelligence = 15;
  std::int32_t strength = 15;
  std::int32_t endurance = 15;
  std::int32_t agility = 15;
  std::int32_t hitPoints = 20;
  std::int32_t maxHitPoints = 20;
  std::int32_t magicPoints = 5;
  std::int32_t maxMagicPoints = 5;
  std::int32_t experience = 0;
  std::int32_t level = 1;
  double maxEncumbrance = 150.0;
};

// The nine lines of the statistics window, top to bottom; the carried weight
// and the maximum encumbrance are shown truncated toward zero.
std::vector<std::string> formatStatLines(const Stats &stats, double carriedWeight);
