#pragma once
// Writing a finished file in one go, for the picture writers.

#include <string>
#include <vector>

namespace FileBytes {

// False when the file cannot be created or written completely.
bool write(const std::vector<unsigned char> &bytes, const std::string &path);

} // namespace FileBytes
