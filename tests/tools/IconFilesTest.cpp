// The committed icons read through independent readers (ImageMagick's PNG
// and ICO decoders, icoutils' directory listing) as the pictures the asset
// tool paints, and held against the player's portrait. That the tool still
// writes exactly these files, masks included, is DataImagesTest's; between
// them the PNGs use all five row filters.

#include "ItemPictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string ICONS = PICKRPG_SOURCE_DIR "/dist/icons/";

// What the command prints on its standard output.
std::string outputOf(const std::string &command) {
  std::string output;
  if (FILE *pipe = popen(command.c_str(), "r")) {
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
      output += static_cast<char>(c);
    }
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

// The face the tool paints at that size: 8-bit RGBA, top row first.
std::string face(int size) {
  const Image image = ItemPictures::blueFaceScaledTo(size);
  std::string bytes;
  for (int i = 0; i < size * size; ++i) {
    const Colour p = image.getPixel(i % size, i / size);
    bytes += {char(p.r), char(p.g), char(p.b), char(p.a)};
  }
  return bytes;
}

} // namespace

TEST(IconFiles, ReadBackThroughIndependentReadersAsThePaintedFace) {
  if (missing("convert") || missing("icotool")) {
    GTEST_SKIP() << "ImageMagick or icoutils is not installed";
  }
  // Each picture as ImageMagick reads it ("file[index]" for one in an ICO).
  const std::pair<const char *, int> pictures[] = {
      {"pickrpg-48.png", 48}, {"pickrpg-128.png", 128}, {"pickrpg-256.png", 256},
      {"pickrpg.ico[0]", 16}, {"pickrpg.ico[1]", 32},   {"pickrpg.ico[2]", 48},
      {"pickrpg.ico[3]", 256}};
  for (const auto &[file, size] : pictures) {
    EXPECT_TRUE(outputOf("convert '" + ICONS + file + "' -depth 8 rgba:- 2>/dev/null") ==
                face(size))
        << file;
  }
  EXPECT_EQ(outputOf("icotool -l '" + ICONS + "pickrpg.ico'"),
            "--icon --index=1 --width=16 --height=16 --bit-depth=32 --palette-size=0\n"
            "--icon --index=2 --width=32 --height=32 --bit-depth=32 --palette-size=0\n"
            "--icon --index=3 --width=48 --height=48 --bit-depth=32 --palette-size=0\n"
            "--icon --index=4 --width=256 --height=256 --bit-depth=32 --palette-size=0\n");
  // The largest icon box-filtered to the portrait's size, against the
  // portrait (whose rows the game's files hold bottom first): 0.002 apart,
  // where the portrait moved by one pixel is 0.04 apart.
  const std::string distance =
      outputOf("convert '" + ICONS +
               "pickrpg-256.png' -scale 64x64 \\( '" PICKRPG_SOURCE_DIR
               "/Data/BlueFace.tga' -flip \\) -metric MAE -compare -format '%[distortion]' info:");
  EXPECT_LT(std::atof(distance.c_str()), 0.01) << "'" << distance << "'";
}
