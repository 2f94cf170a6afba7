#pragma once
// Runs gl_reference, the real OpenGL 1.1 side of the proofs, in a process of
// its own; every word is quoted, since the checkout's path may hold spaces
// or quotes.

#include <cstdlib>
#include <initializer_list>
#include <string>

inline std::string shellQuoted(const std::string &word) {
  std::string quoted = "'";
  for (const char c : word) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

inline bool runReference(std::initializer_list<std::string> arguments) {
  std::string command = shellQuoted(GL_REFERENCE);
  for (const std::string &argument : arguments) {
    command += " " + shellQuoted(argument);
  }
  return std::system(command.c_str()) == 0;
}
