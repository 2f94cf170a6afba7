// The icon writers checked through independent readers (ImageMagick's PNG and
// ICO decoders, icoutils' directory listing), and the committed icon against
// the player's portrait.

#include "FileBytes.h"
#include "IcoWriter.h"
#include "ItemPictures.h"
#include "PngWriter.h"
#include "gfx/Texture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const fs::path SOURCE = PICKRPG_SOURCE_DIR;

std::string runAndRead(const std::string &command) {
  std::string output;
  FILE *pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return output;
  }
  char buffer[4096];
  std::size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
    output.append(buffer, count);
  }
  pclose(pipe);
  return output;
}

bool haveTool(const char *tool) {
  return std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) == 0;
}

// The readers come with the test packages; only CI must have them.
#define REQUIRE_TOOL(tool)                                                                         \
  do {                                                                                             \
    if (!haveTool(tool)) {                                                                         \
      const char *ci = std::getenv("CI");                                                          \
      ASSERT_FALSE(ci != nullptr && std::string(ci) == "true") << tool << " is missing on CI";     \
      GTEST_SKIP() << tool << " is not installed";                                                 \
    }                                                                                              \
  } while (false)

// 8-bit RGBA, top row first, as ImageMagick reads the file (or one picture
// of it, with "file[index]").
std::string decode(const std::string &file) {
  return runAndRead("convert '" + file + "' -depth 8 rgba:- 2>/dev/null");
}

std::string rgbaOf(const Image &image) {
  std::string bytes;
  for (int y = 0; y < image.getHeight(); ++y) {
    for (int x = 0; x < image.getWidth(); ++x) {
      const Colour pixel = image.getPixel(x, y);
      bytes += {static_cast<char>(pixel.r), static_cast<char>(pixel.g), static_cast<char>(pixel.b),
                static_cast<char>(pixel.a)};
    }
  }
  return bytes;
}

fs::path temporaryFile(const std::string &name) {
  return fs::path(::testing::TempDir()) / (std::to_string(getpid()) + "_" + name);
}

Image paintedBy(int width, int height, const std::function<Colour(int, int)> &colourAt) {
  Image image(width, height, true, {});
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(x, y, colourAt(x, y));
    }
  }
  return image;
}

Image noise() {
  std::mt19937 random(7);
  return paintedBy(37, 23, [&](int, int) {
    return Colour{static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                  static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random())};
  });
}

struct Picture {
  const char *name;
  std::function<Image()> paint;
};

// Ramps along each axis and both diagonals give each row filter a row where
// it wins; noise keeps rows unfiltered; the face has edges and transparency.
const Picture PICTURES[] = {
    {"noise", noise},
    {"across",
     [] {
       return paintedBy(40, 9, [](int x, int) { return Colour{uint8_t(x * 6), 10, 200, 255}; });
     }},
    {"down",
     [] {
       return paintedBy(9, 40, [](int, int y) { return Colour{50, uint8_t(y * 6), 0, 128}; });
     }},
    {"diagonal",
     [] {
       return paintedBy(30, 30, [](int x, int y) {
         return Colour{uint8_t(x * 3 + y * 5), uint8_t(x * y), uint8_t(255 - x - y),
                       uint8_t(x * 8)};
       });
     }},
    {"face", [] { return ItemPictures::blueFaceScaledTo(20); }},
};

std::uint32_t littleEndian(const std::vector<unsigned char> &bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    value = value << 8 | bytes[at + i];
  }
  return value;
}

} // namespace

TEST(PngWriter, EveryPictureReadsBackExactlyThroughAnIndependentDecoder) {
  REQUIRE_TOOL("convert");
  for (const Picture &picture : PICTURES) {
    SCOPED_TRACE(picture.name);
    const Image image = picture.paint();
    const fs::path file = temporaryFile(std::string(picture.name) + ".png");
    ASSERT_TRUE(PngWriter::write(image, file.string()));
    EXPECT_TRUE(decode("png:" + file.string()) == rgbaOf(image));
    fs::remove(file);
  }
}

TEST(IcoWriter, EverySizeIsListedAndReadsBackWithAMaskOfItsTransparentPixels) {
  REQUIRE_TOOL("convert");
  REQUIRE_TOOL("icotool");
  const std::vector<int> sizes = {16, 32, 48, 256};
  std::vector<Image> faces;
  for (const int size : sizes) {
    faces.push_back(ItemPictures::blueFaceScaledTo(size));
  }
  const std::vector<unsigned char> icon = IcoWriter::encode(faces);
  const fs::path file = temporaryFile("face.ico");
  ASSERT_TRUE(FileBytes::write(icon, file.string()));

  std::string expectedListing;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const std::string size = std::to_string(sizes[i]);
    expectedListing += "--icon --index=" + std::to_string(i + 1) + " --width=" + size +
                       " --height=" + size + " --bit-depth=32 --palette-size=0\n";
  }
  EXPECT_EQ(runAndRead("icotool -l '" + file.string() + "'"), expectedListing);

  for (std::size_t i = 0; i < sizes.size(); ++i) {
    SCOPED_TRACE(sizes[i]);
    EXPECT_TRUE(decode("ico:" + file.string() + "[" + std::to_string(i) + "]") == rgbaOf(faces[i]));
    // The transparency mask follows the colour rows of a bitmap entry
    // (the 256-pixel PNG has none), bottom row first, rows padded to 4 bytes.
    const std::size_t entry = 6 + 16 * i;
    const std::size_t offset = littleEndian(icon, entry + 12, 4);
    const int size = sizes[i];
    if (size == IcoWriter::LARGEST_SIZE) {
      EXPECT_EQ(icon[offset + 1], 'P');
      continue;
    }
    const std::size_t mask = offset + 40 + std::size_t(size) * size * 4;
    const std::size_t rowBytes = (size / 8 + 3) / 4 * 4;
    ASSERT_EQ(littleEndian(icon, entry + 8, 4), mask + rowBytes * size - offset);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const bool masked = icon[mask + (size - 1 - y) * rowBytes + x / 8] & (0x80 >> x % 8);
        ASSERT_EQ(masked, faces[i].getPixel(x, y).a == 0) << "pixel " << x << ", " << y;
      }
    }
  }
  fs::remove(file);
}

TEST(IcoWriter, RefusesPicturesNoIconEntryHolds) {
  const std::vector<std::vector<Image>> refused = {
      {Image(16, 32, true, {})},
      {ItemPictures::blueFaceScaledTo(16), Image(512, 512, true, {})},
  };
  for (const std::vector<Image> &images : refused) {
    EXPECT_TRUE(IcoWriter::encode(images).empty());
  }
}

TEST(GameIcon, IsThePlayersPortraitAtFourTimesItsSize) {
  REQUIRE_TOOL("convert");
  const std::string icon = decode((SOURCE / "dist/icons/pickrpg-256.png").string());
  // The portrait as the game reads it: bottom row first.
  std::ifstream file(SOURCE / "Data/BlueFace.tga", std::ios::binary);
  const std::vector<unsigned char> tga{std::istreambuf_iterator<char>(file),
                                       std::istreambuf_iterator<char>()};
  Texture portrait;
  ASSERT_TRUE(decodeTga(portrait, tga.data(), tga.size()));
  ASSERT_EQ(icon.size(), 256u * 256 * 4);
  ASSERT_TRUE(portrait.width == 64 && portrait.height == 64 && portrait.bitsPerPixel == 32);
  // Colours weighted by coverage, so the colour under transparent pixels
  // does not count; each portrait pixel against the mean of its 4 x 4 block.
  auto weighted = [](const auto &pixels, std::size_t at, int channel) {
    const double alpha = static_cast<unsigned char>(pixels[at + 3]) / 255.0;
    return channel == 3 ? alpha * 255 : static_cast<unsigned char>(pixels[at + channel]) * alpha;
  };
  double totalDifference = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      for (int channel = 0; channel < 4; ++channel) {
        double block = 0;
        for (int dy = 0; dy < 4; ++dy) {
          for (int dx = 0; dx < 4; ++dx) {
            block += weighted(icon, ((4 * y + dy) * 256 + 4 * x + dx) * 4, channel) / 16;
          }
        }
        totalDifference +=
            std::abs(block - weighted(portrait.imageData, ((63 - y) * 64 + x) * 4, channel));
      }
    }
  }
  // Both sample the same shapes; only the edges land a little differently.
  // A feature out of place by one portrait pixel would cost far more.
  EXPECT_LT(totalDifference / (64 * 64 * 4), 1.0);
}
