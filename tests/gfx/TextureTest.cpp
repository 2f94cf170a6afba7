#include "GlContext.h"

#include "gfx/Gl.h"
#include "gfx/Texture.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> tgaHeader(int width, int height, int bits) {
  return {0,
          0,
          2,
          0,
          0,
          0,
          0,
          0,
          0,
          0,
          0,
          0,
          static_cast<unsigned char>(width & 0xff),
          static_cast<unsigned char>(width >> 8),
          static_cast<unsigned char>(height & 0xff),
          static_cast<unsigned char>(height >> 8),
          static_cast<unsigned char>(bits),
          0};
}

std::vector<unsigned char> tgaImage(int width, int height, int bits, unsigned char fill = 7) {
  std::vector<unsigned char> file = tgaHeader(width, height, bits);
  file.resize(file.size() + static_cast<std::size_t>(width * height * bits / 8), fill);
  return file;
}

bool decode(Texture &texture, const std::vector<unsigned char> &bytes) {
  return decodeTga(texture, bytes.data(), bytes.size());
}

} // namespace

TEST(TgaDecode, RejectsHeadersOtherThanUncompressedTrueColour) {
  Texture texture;
  std::vector<unsigned char> runLength = tgaImage(2, 2, 24);
  runLength[2] = 10;
  EXPECT_FALSE(decode(texture, runLength));
  std::vector<unsigned char> colourMapped = tgaImage(2, 2, 24);
  colourMapped[1] = 1;
  colourMapped[2] = 1;
  EXPECT_FALSE(decode(texture, colourMapped));
  std::vector<unsigned char> withIdField = tgaImage(2, 2, 24);
  withIdField[0] = 4;
  EXPECT_FALSE(decode(texture, withIdField));
  std::vector<unsigned char> shortHeader(11, 0);
  EXPECT_FALSE(decode(texture, shortHeader));
}

TEST(TgaDecode, RejectsDepthsOtherThan24And32AndZeroSizes) {
  Texture texture;
  EXPECT_FALSE(decode(texture, tgaImage(2, 2, 16)));
  EXPECT_FALSE(decode(texture, tgaImage(2, 2, 8)));
  EXPECT_FALSE(decode(texture, tgaImage(0, 2, 24)));
  EXPECT_FALSE(decode(texture, tgaImage(2, 0, 24)));
  std::vector<unsigned char> noInfo = tgaHeader(2, 2, 24);
  noInfo.resize(15);
  EXPECT_FALSE(decode(texture, noInfo));
}

TEST(TgaDecode, ReadsLittleEndianSizes) {
  Texture texture;
  ASSERT_TRUE(decode(texture, tgaImage(256, 2, 32)));
  EXPECT_EQ(texture.width, 256u);
  EXPECT_EQ(texture.height, 2u);
  EXPECT_EQ(texture.bitsPerPixel, 32u);
  EXPECT_EQ(texture.imageData.size(), 256u * 2u * 4u);
}

TEST(TgaDecode, FailsWhenPixelDataIsOneByteShort) {
  Texture texture;
  std::vector<unsigned char> file = tgaImage(4, 4, 24);
  file.pop_back();
  EXPECT_FALSE(decode(texture, file));
  EXPECT_TRUE(texture.imageData.empty());
}

TEST(TgaDecode, FailsBeforeAllocatingWhenHeaderClaimsMoreThanTheFileHolds) {
  Texture texture;
  EXPECT_FALSE(decode(texture, tgaHeader(65535, 65535, 32)));
  EXPECT_TRUE(texture.imageData.empty());
}

TEST(TgaDecode, SwapsBlueAndRedAndKeepsAlpha) {
  Texture texture;
  std::vector<unsigned char> rgb = tgaHeader(2, 1, 24);
  rgb.insert(rgb.end(), {10, 20, 30, 40, 50, 60});
  ASSERT_TRUE(decode(texture, rgb));
  EXPECT_EQ(texture.imageData, (std::vector<unsigned char>{30, 20, 10, 60, 50, 40}));

  std::vector<unsigned char> rgba = tgaHeader(1, 1, 32);
  rgba.insert(rgba.end(), {10, 20, 30, 99});
  ASSERT_TRUE(decode(texture, rgba));
  EXPECT_EQ(texture.imageData, (std::vector<unsigned char>{30, 20, 10, 99}));
}

class TextureUpload : public GlTest {
protected:
  std::string path = ::testing::TempDir() + "pickrpg_texture_test.tga";

  void write(const std::vector<unsigned char> &bytes) {
    std::FILE *file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }

  static GLint boundLevelValue(GLenum name) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
  }
  static GLint boundParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
  }
  void TearDown() override {
    std::remove(path.c_str());
    GlTest::TearDown();
  }
};

TEST_F(TextureUpload, SingleLevelKeepsAlphaAndFiltersLinearly) {
  write(tgaImage(4, 4, 32));
  Texture texture;
  ASSERT_TRUE(loadTgaTexture(texture, path.c_str(), true));
  ASSERT_NE(texture.textureId, 0u);
  glBindTexture(GL_TEXTURE_2D, texture.textureId);
  EXPECT_EQ(boundLevelValue(GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
  EXPECT_GT(boundLevelValue(GL_TEXTURE_ALPHA_SIZE), 0);
  EXPECT_EQ(boundParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
  EXPECT_EQ(boundParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  glDeleteTextures(1, &texture.textureId);
}

TEST_F(TextureUpload, MipmapChainDropsAlpha) {
  write(tgaImage(4, 4, 32));
  Texture texture;
  ASSERT_TRUE(loadTgaTexture(texture, path.c_str(), false));
  glBindTexture(GL_TEXTURE_2D, texture.textureId);
  EXPECT_EQ(boundLevelValue(GL_TEXTURE_INTERNAL_FORMAT), 3);
  EXPECT_EQ(boundLevelValue(GL_TEXTURE_ALPHA_SIZE), 0);
  EXPECT_EQ(boundParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
  GLint smallestWidth = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &smallestWidth);
  EXPECT_EQ(smallestWidth, 1);
  glDeleteTextures(1, &texture.textureId);
}

TEST_F(TextureUpload, UploadsSwappedPixels) {
  std::vector<unsigned char> file = tgaHeader(1, 1, 24);
  file.insert(file.end(), {10, 20, 30});
  write(file);
  Texture texture;
  ASSERT_TRUE(loadTgaTexture(texture, path.c_str(), true));
  glBindTexture(GL_TEXTURE_2D, texture.textureId);
  unsigned char pixel[3] = {};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(pixel[0], 30);
  EXPECT_EQ(pixel[1], 20);
  EXPECT_EQ(pixel[2], 10);
  glDeleteTextures(1, &texture.textureId);
}

TEST_F(TextureUpload, MissingOrBrokenFileMakesNoTexture) {
  Texture texture;
  EXPECT_FALSE(loadTgaTexture(texture, "Data/does-not-exist.tga", true));
  EXPECT_EQ(texture.textureId, 0u);
  std::vector<unsigned char> file = tgaImage(2, 2, 16);
  write(file);
  EXPECT_FALSE(loadTgaTexture(texture, path.c_str(), true));
  EXPECT_EQ(texture.textureId, 0u);
}
