// The 26 images of Data/ and the icon files of dist/icons/ as the asset tool
// makes them, and the images as the game loads them.

#include "GlContext.h"

#include "gfx/Gl.h"
#include "gfx/Texture.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

TEST(AssetTool, RegeneratesEveryCommittedImageAndIconByteForByteAndNothingElse) {
  const std::string output = ::testing::TempDir() + "pickrpg_assets_" + std::to_string(getpid());
  const std::string data = " \"" + output + "/Data\" ", icons = " \"" + output + "/icons\" ";
  ASSERT_EQ(std::system(("\"" PICKRPG_ASSETS_TOOL "\"" + data + icons).c_str()), 0);
  // diff names each file that differs or is only on one side: rerun the
  // tool into the folder then.
  const std::string source = "\"" PICKRPG_SOURCE_DIR;
  EXPECT_EQ(std::system(("diff -r" + data + source + "/Data\"").c_str()), 0);
  EXPECT_EQ(std::system(("diff -r" + icons + source + "/dist/icons\"").c_str()), 0);
  std::filesystem::remove_all(output);
}

TEST_F(GlTest, EveryDataImageLoadsThroughTheGameLoaderInTheFormatItsUseNeeds) {
  // Loaded but never drawn: their pictures are free.
  const std::string unused = "Data/Bucket.tga Data/Target.tga Data/Explode.tga";
  for (const TextureFile &entry : textureFiles) {
    SCOPED_TRACE(entry.fileName);
    Texture texture;
    ASSERT_TRUE(loadTgaTexture(
        texture, (PICKRPG_SOURCE_DIR "/" + std::string(entry.fileName)).c_str(), entry.linearOnly));
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
