#include "DataImage.h"
#include "GlContext.h"

#include "gfx/Gl.h"

#include <cstdlib>
#include <set>
#include <string>

namespace {

// Sprites drawn over the world or the interface need their transparency.
const std::set<std::string> NEED_ALPHA = {
    "Data/BlueFace.tga",        "Data/Coke.tga",       "Data/Vase.tga",
    "Data/Crosshair.tga",       "Data/Font.tga",       "Data/SelectTemp.tga",
    "Data/SelectPerm.tga",      "Data/GetButton.tga",  "Data/MoveButton.tga",
    "Data/UseButton.tga",       "Data/LookButton.tga", "Data/AttackButton.tga",
    "Data/InventoryButton.tga", "Data/pile.tga",       "Data/StatsButton.tga",
    "Data/EquipmentSlot.tga",
};

// Drawn with s = 1 at the left, or turned: a picture with a left and a
// right would show the wrong way round.
const std::set<std::string> DRAWN_MIRRORED = {
    "Data/BlueFace.tga",   "Data/Coke.tga",       "Data/Vase.tga",          "Data/pile.tga",
    "Data/Menu.tga",       "Data/CloseCase.tga",  "Data/UpCase.tga",        "Data/DownCase.tga",
    "Data/SelectTemp.tga", "Data/SelectPerm.tga", "Data/EquipmentSlot.tga",
};

bool isPowerOfTwo(std::uint32_t value) {
  return value != 0 && (value & (value - 1)) == 0;
}

GLint levelValue(GLenum name) {
  GLint value = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
  return value;
}

// Mean absolute difference of all channels between two columns (wrapping).
double columnDifference(const Texture &texture, int a, int b) {
  double sum = 0;
  for (int y = 0; y < static_cast<int>(texture.height); ++y) {
    for (int channel = 0; channel < 3; ++channel) {
      sum += std::abs(channelAt(texture, a, y, channel) - channelAt(texture, b, y, channel));
    }
  }
  return sum / (texture.height * 3);
}

double rowDifference(const Texture &texture, int a, int b) {
  double sum = 0;
  for (int x = 0; x < static_cast<int>(texture.width); ++x) {
    for (int channel = 0; channel < 3; ++channel) {
      sum += std::abs(channelAt(texture, x, a, channel) - channelAt(texture, x, b, channel));
    }
  }
  return sum / (texture.width * 3);
}

class DataImages : public GlTest {};

} // namespace

TEST_F(DataImages, EveryTableEntryLoadsThroughTheGameLoader) {
  for (const TextureFile &entry : textureFiles) {
    SCOPED_TRACE(entry.fileName);
    Texture texture;
    ASSERT_TRUE(loadTgaTexture(texture, sourcePath(entry.fileName).c_str(), entry.linearOnly));
    EXPECT_TRUE(isPowerOfTwo(texture.width));
    EXPECT_TRUE(isPowerOfTwo(texture.height));
    glBindTexture(GL_TEXTURE_2D, texture.textureId);
    EXPECT_EQ(levelValue(GL_TEXTURE_WIDTH), static_cast<GLint>(texture.width));
    EXPECT_EQ(levelValue(GL_TEXTURE_HEIGHT), static_cast<GLint>(texture.height));
    if (NEED_ALPHA.count(entry.fileName) != 0) {
      EXPECT_EQ(texture.bitsPerPixel, 32u);
      EXPECT_GT(levelValue(GL_TEXTURE_ALPHA_SIZE), 0);
    }
    if (!entry.linearOnly) {
      // A mipmap chain keeps three components: alpha in the file would be lost.
      EXPECT_EQ(texture.bitsPerPixel, 24u);
    }
    glDeleteTextures(1, &texture.textureId);
  }
}

TEST(DataImagePixels, SpritesHaveBothTransparentAndOpaqueParts) {
  for (const std::string &fileName : NEED_ALPHA) {
    SCOPED_TRACE(fileName);
    Texture texture;
    ASSERT_TRUE(decodeDataImage(fileName, texture));
    bool transparent = false;
    bool opaque = false;
    for (int y = 0; y < static_cast<int>(texture.height); ++y) {
      for (int x = 0; x < static_cast<int>(texture.width); ++x) {
        const int alpha = channelAt(texture, x, y, 3);
        transparent = transparent || alpha == 0;
        opaque = opaque || alpha == 255;
      }
    }
    EXPECT_TRUE(transparent);
    EXPECT_TRUE(opaque);
  }
}

TEST(DataImagePixels, PicturesDrawnMirroredAreLeftRightSymmetric) {
  for (const std::string &fileName : DRAWN_MIRRORED) {
    SCOPED_TRACE(fileName);
    Texture texture;
    ASSERT_TRUE(decodeDataImage(fileName, texture));
    const int width = static_cast<int>(texture.width);
    const int channels = static_cast<int>(texture.bitsPerPixel / 8);
    int worst = 0;
    for (int y = 0; y < static_cast<int>(texture.height); ++y) {
      for (int x = 0; x < width / 2; ++x) {
        for (int channel = 0; channel < channels; ++channel) {
          worst = std::max(worst, std::abs(channelAt(texture, x, y, channel) -
                                           channelAt(texture, width - 1 - x, y, channel)));
        }
      }
    }
    EXPECT_EQ(worst, 0);
  }
}

TEST(DataImagePixels, GroundTilesWithoutVisibleSeams) {
  Texture ground;
  ASSERT_TRUE(decodeDataImage("Data/Ground.tga", ground));
  const int width = static_cast<int>(ground.width);
  const int height = static_cast<int>(ground.height);
  double inside = 0;
  for (int x = 0; x + 1 < width; ++x) {
    inside += columnDifference(ground, x, x + 1);
  }
  inside /= width - 1;
  // Across the seam neighbouring squares differ no more than neighbouring
  // pixel columns inside one square do.
  EXPECT_LE(columnDifference(ground, width - 1, 0), 1.5 * inside);
  double insideRows = 0;
  for (int y = 0; y + 1 < height; ++y) {
    insideRows += rowDifference(ground, y, y + 1);
  }
  insideRows /= height - 1;
  EXPECT_LE(rowDifference(ground, height - 1, 0), 1.5 * insideRows);
}
