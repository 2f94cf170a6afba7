// The 26 images of Data/ and the icon files of dist/icons/ as the asset tool
// makes them, and the images as the game loads them.

#include "GlContext.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Texture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> readBytes(const fs::path &path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

const fs::path SOURCE = PICKRPG_SOURCE_DIR;

class DataImages : public GlTest {};

} // namespace

TEST(AssetTool, RegeneratesEveryCommittedImageAndIconByteForByteAndNothingElse) {
  const fs::path output =
      fs::path(::testing::TempDir()) / ("pickrpg_assets_" + std::to_string(getpid()));
  ASSERT_EQ(std::system(("\"" PICKRPG_ASSETS_TOOL "\" \"" + (output / "Data").string() + "\" \"" +
                         (output / "icons").string() + "\"")
                            .c_str()),
            0);
  for (const TextureFile &entry : textureFiles) {
    const fs::path name = fs::path(entry.fileName).filename();
    EXPECT_TRUE(readBytes(output / "Data" / name) == readBytes(SOURCE / "Data" / name))
        << entry.fileName << " is not what the tool makes: rerun it into Data/";
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(output / "Data"), fs::directory_iterator()),
            TEXTURE_COUNT);
  // The icons the tool makes are exactly the committed ones.
  const fs::path icons = SOURCE / "dist/icons";
  std::size_t made = 0;
  for (const fs::directory_entry &icon : fs::directory_iterator(output / "icons")) {
    ++made;
    EXPECT_TRUE(readBytes(icon.path()) == readBytes(icons / icon.path().filename()))
        << icon.path().filename() << " is not what the tool makes: rerun it into dist/icons/";
  }
  EXPECT_EQ(made, static_cast<std::size_t>(
                      std::distance(fs::directory_iterator(icons), fs::directory_iterator())));
  fs::remove_all(output);
}

TEST_F(DataImages, EveryEntryLoadsThroughTheGameLoaderInTheFormatItsUseNeeds) {
  // Loaded but never drawn: their pictures are free.
  const std::string unused = "Data/Bucket.tga Data/Target.tga Data/Explode.tga";
  for (const TextureFile &entry : textureFiles) {
    SCOPED_TRACE(entry.fileName);
    Texture texture;
    ASSERT_TRUE(loadTgaTexture(texture, (SOURCE / entry.fileName).c_str(), entry.linearOnly));
    EXPECT_EQ((texture.width & (texture.width - 1)) | (texture.height & (texture.height - 1)), 0u)
        << "power-of-two sizes";
    // A mipmap chain keeps three components, so it gets no alpha to lose;
    // the sprites drawn over the scene need theirs.
    GLint format = 0, filter = 0;
    glBindTexture(GL_TEXTURE_2D, texture.textureId);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, entry.linearOnly ? GL_LINEAR : GL_LINEAR_MIPMAP_NEAREST);
    if (!entry.linearOnly) {
      EXPECT_TRUE(texture.bitsPerPixel == 24 && format == 3);
    } else if (unused.find(entry.fileName) == std::string::npos) {
      EXPECT_TRUE(texture.bitsPerPixel == 32 && format == GL_RGBA);
    }
    glDeleteTextures(1, &texture.textureId);
  }
}

TEST(FontImage, EveryGlyphLiesWhiteInsideTheBandItsQuadShowsAndItsAdvance) {
  const std::vector<unsigned char> bytes = readBytes(SOURCE / "Data/Font.tga");
  Texture font;
  ASSERT_TRUE(decodeTga(font, bytes.data(), bytes.size()) && font.width == 256 &&
              font.height == 128 && font.bitsPerPixel == 32);
  int inked[128] = {};
  for (std::size_t i = 0; i < font.imageData.size(); i += 4) {
    // y from the top: the file holds the bottom row first.
    const int x = static_cast<int>(i / 4 % 256), y = 127 - static_cast<int>(i / 4 / 256);
    const int cell = y / 16 * 16 + x / 16, column = x % 16;
    ASSERT_EQ(font.imageData[i] + font.imageData[i + 1] + font.imageData[i + 2], 3 * 255)
        << "white, to take the current colour";
    inked[cell] += font.imageData[i + 3] != 0;
    // A quad shows rows 0 to 14 of its cell whole; column 0 blends with the
    // cell before, and the next glyph starts at the advance.
    EXPECT_TRUE(font.imageData[i + 3] == 0 || (y % 16 < 15 && column > 0 && column < FONT_ADVANCE))
        << "cell " << cell << " inks column " << column << " row " << y % 16;
  }
  for (int cell = 0; cell < 128; ++cell) {
    EXPECT_EQ(inked[cell] > 0, cell > 0 && cell < FONT_GLYPHS) << "cell " << cell;
  }
}
