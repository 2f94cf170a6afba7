#include "FileBytes.h"

#include <cstdio>

namespace FileBytes {

bool write(const std::vector<unsigned char> &bytes, const std::string &path) {
  std::FILE *file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

} // namespace FileBytes
