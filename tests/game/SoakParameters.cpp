#include "SoakParameters.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

std::uint32_t soakParameter(const char *name, std::uint32_t ciValue) {
  const char *text = std::getenv(name);
  if (text == nullptr || *text < '0' || *text > '9') {
    return ciValue;
  }
  char *end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text, &end, 10);
  if (errno != 0 || *end != '\0' || value > std::numeric_limits<std::uint32_t>::max()) {
    return ciValue;
  }
  return static_cast<std::uint32_t>(value);
}
