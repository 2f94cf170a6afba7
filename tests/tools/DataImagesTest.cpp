// The 26 images of Data/ and the icon files of dist/icons/ as the asset tool
// makes them, and the images as the game loads them.

#include "GlContext.h"

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

const fs::path SOURCE = PICKRPG_SOURCE_DIR;

std::vector<unsigned char> readBytes(const fs::path &path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Every file in made is the same as the one of that name in committed, and
// both hold as many files.
void expectSameFiles(const fs::path &made, const fs::path &committed) {
  long count = 0;
  for (const fs::directory_entry &file : fs::directory_iterator(made)) {
    ++count;
    EXPECT_TRUE(readBytes(file.path()) == readBytes(committed / file.path().filename()))
        << file.path().filename() << " is not what the tool makes: rerun it into " << committed;
  }
  EXPECT_EQ(count, std::distance(fs::directory_iterator(committed), fs::directory_iterator()));
}

} // namespace

TEST(AssetTool, RegeneratesEveryCommittedImageAndIconByteForByteAndNothingElse) {
  const fs::path output =
      fs::path(::testing::TempDir()) / ("pickrpg_assets_" + std::to_string(getpid()));
  ASSERT_EQ(std::system(("\"" PICKRPG_ASSETS_TOOL "\" \"" + (output / "Data").string() + "\" \"" +
                         (output / "icons").string() + "\"")
                            .c_str()),
            0);
  expectSameFiles(output / "Data", SOURCE / "Data");
  expectSameFiles(output / "icons", SOURCE / "dist/icons");
  fs::remove_all(output);
}

TEST_F(GlTest, EveryDataImageLoadsThroughTheGameLoaderInTheFormatItsUseNeeds) {
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
    if (!entry.linearOnly || unused.find(entry.fileName) == std::string::npos) {
      EXPECT_EQ(std::make_pair(texture.bitsPerPixel, format),
                entry.linearOnly ? std::make_pair(32u, GL_RGBA) : std::make_pair(24u, 3));
    }
    glDeleteTextures(1, &texture.textureId);
  }
}
