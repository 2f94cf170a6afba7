#pragma once
// Runs gl_reference, the real OpenGL 1.1 side of the proofs, in a process of
// its own, and reads what it wrote. Every word is quoted, since the
// checkout's path may hold spaces or quotes; the output file is the
// process's own, since the proofs run side by side.

#include "Scenarios.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

inline std::string shellQuoted(const std::string &word) {
  std::string quoted = "'";
  for (const char c : word) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

template <typename T>
bool runReference(std::vector<std::string> arguments, std::vector<T> &output) {
  arguments.push_back(::testing::TempDir() + "gl_reference_" + std::to_string(getpid()));
  std::string command = shellQuoted(GL_REFERENCE);
  for (const std::string &argument : arguments) {
    command += " " + shellQuoted(argument);
  }
  return std::system(command.c_str()) == 0 && readWords(arguments.back(), output);
}
