#include "IconSet.h"

#include "IcoWriter.h"
#include "ItemPictures.h"
#include "PngWriter.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace {

constexpr int PNG_SIZES[] = {48, 128, 256};
constexpr int ICO_SIZES[] = {16, 32, 48, 256};
constexpr const char *ICO_NAME = "pickrpg.ico";

std::string pngName(int size) {
  return "pickrpg-" + std::to_string(size) + ".png";
}

} // namespace

bool IconSet::writeAll(const std::string &folder, std::string &error) {
  std::error_code failure;
  std::filesystem::create_directories(folder, failure);
  if (failure) {
    error = "cannot create the folder " + folder + ": " + failure.message();
    return false;
  }
  for (const int size : PNG_SIZES) {
    const std::string path = (std::filesystem::path(folder) / pngName(size)).string();
    if (!PngWriter::write(ItemPictures::blueFaceScaledTo(size), path)) {
      error = "cannot write " + path;
      return false;
    }
  }
  std::vector<Image> faces;
  for (const int size : ICO_SIZES) {
    faces.push_back(ItemPictures::blueFaceScaledTo(size));
  }
  const std::string path = (std::filesystem::path(folder) / ICO_NAME).string();
  if (!IcoWriter::write(faces, path)) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
