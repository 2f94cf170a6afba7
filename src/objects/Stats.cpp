#include "objects/Stats.h"

#include <cstdio>

namespace {

// Whole numbers as the window shows them: truncated, and pinned to the
// int range so that no weight can make the conversion undefined.
std::int32_t truncated(double value) {
  if (!(value > INT32_MIN)) {
    return INT32_MIN;
  }
  if (!(value < INT32_MAX)) {
    return INT32_MAX;
  }
  return static_cast<std::int32_t>(value);
}

template <typename... Values> std::string format(const char *pattern, Values... values) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, pattern, values...);
  return buffer;
}

} // namespace

std::vector<std::string> formatStatLines(const Stats &stats, double carriedWeight) {
  return {
      format("Experience: %d/%d", stats.experience, NEXT_LEVEL_EXPERIENCE),
      format("Level: %d", stats.level),
      format("Hit points: %d/%d", stats.hitPoints, stats.maxHitPoints),
      format("Magic points: %d/%d", stats.magicPoints, stats.maxMagicPoints),
      format("Strength: %d", stats.strength),
      format("Intelligence: %d", stats.intelligence),
      format("Agility: %d", stats.agility),
      format("Endurance: %d", stats.endurance),
      format("Encumbrance: %d/%d", truncated(carriedWeight), truncated(stats.maxEncumbrance)),
  };
}
