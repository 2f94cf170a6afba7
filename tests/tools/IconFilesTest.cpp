// The committed icons read through independent readers (ImageMagick's PNG
// and ICO decoders, icoutils' directory listing) as the pictures the asset
// tool paints, and held against the player's portrait. That the tool still
// writes exactly these files, masks included, is DataImagesTest's; between
// them the PNGs use all five row filters.

#include "ItemPictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const std::filesystem::path SOURCE = PICKRPG_SOURCE_DIR;
const std::string ICONS = (SOURCE / "dist/icons/").string();
const int ICO_SIZES[] = {16, 32, 48, 256};

std::string runAndRead(const std::string &command) {
  std::string output;
  char buffer[4096];
  FILE *pipe = popen(command.c_str(), "r");
  for (std::size_t count; pipe != nullptr && (count = std::fread(buffer, 1, 4096, pipe)) > 0;) {
    output.append(buffer, count);
  }
  if (pipe != nullptr) {
    pclose(pipe);
  }
  return output;
}

// The readers come with the test packages: without one the test skips, but
// on CI it fails.
bool missing(const std::string &tool) {
  const bool absent = std::system(("command -v " + tool + " >/dev/null").c_str()) != 0;
  const char *ci = std::getenv("CI");
  EXPECT_FALSE(absent && ci != nullptr && std::string(ci) == "true") << tool << " is missing on CI";
  return absent;
}

// 8-bit RGBA, top row first, as ImageMagick reads the file (or one picture
// of it, with "file[index]").
std::string decode(const std::string &file) {
  return runAndRead("convert '" + file + "' -depth 8 rgba:- 2>/dev/null");
}

// The face the tool paints at that size, as decode gives it.
std::string face(int size) {
  const Image image = ItemPictures::blueFaceScaledTo(size);
  std::string bytes;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Colour p = image.getPixel(x, y);
      bytes += {char(p.r), char(p.g), char(p.b), char(p.a)};
    }
  }
  return bytes;
}

} // namespace

TEST(IconFiles, ReadBackThroughIndependentReadersAsThePaintedFace) {
  if (missing("convert") || missing("icotool")) {
    GTEST_SKIP() << "ImageMagick or icoutils is not installed";
  }
  for (const int size : {48, 128, 256}) {
    EXPECT_TRUE(decode(ICONS + "pickrpg-" + std::to_string(size) + ".png") == face(size)) << size;
  }
  std::string listing;
  for (int i = 0; i < 4; ++i) {
    const std::string size = std::to_string(ICO_SIZES[i]);
    listing += "--icon --index=" + std::to_string(i + 1) + " --width=" + size +
               " --height=" + size + " --bit-depth=32 --palette-size=0\n";
    EXPECT_TRUE(decode("ico:" + ICONS + "pickrpg.ico[" + std::to_string(i) + "]") ==
                face(ICO_SIZES[i]))
        << size;
  }
  EXPECT_EQ(runAndRead("icotool -l '" + ICONS + "pickrpg.ico'"), listing);
  // The largest icon box-filtered to the portrait's size, against the
  // portrait (whose rows the game's files hold bottom first): 0.002 apart,
  // where the portrait moved by one pixel is 0.04 apart.
  const std::string distance =
      runAndRead("convert '" + ICONS + "pickrpg-256.png' -scale 64x64 \\( '" +
                 (SOURCE / "Data/BlueFace.tga").string() +
                 "' -flip \\) -metric MAE -compare -format '%[distortion]' info:");
  EXPECT_LT(std::atof(distance.c_str()), 0.01) << "'" << distance << "'";
}
