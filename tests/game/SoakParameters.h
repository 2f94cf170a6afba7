#pragma once
// The sizes of the long-running tests: CI runs them with the built-in
// values; an environment variable turns a run longer, shorter or onto
// another seed without a rebuild.

#include <cstdint>

// The whole number in the environment variable name, or ciValue when the
// variable is unset or holds anything else.
std::uint32_t soakParameter(const char *name, std::uint32_t ciValue);
