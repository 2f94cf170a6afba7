// The ES layer's mipmaps against GLU's on the desktop context. The layer's
// other arithmetic (matrices, lighting, selection) is proven by the scenes
// and picks the proof tests compare with the real OpenGL.

#include "GlContext.h"

#include "gfx/Gl.h"
#include "gfx/es/Mipmaps.h"

#include <algorithm>
#include <iterator>
#include <random>

namespace {

PixelImage realLevel(int level, int components) {
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
  PixelImage image{width, height, components, {}};
  image.pixels.resize(static_cast<std::size_t>(width) * height * components);
  glGetTexImage(GL_TEXTURE_2D, level, components == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE,
                image.pixels.data());
  return image;
}

PixelImage noiseImage(int width, int height, int components, unsigned seed) {
  std::mt19937 random(seed);
  PixelImage image{width, height, components, {}};
  std::generate_n(std::back_inserter(image.pixels), width * height * components,
                  [&random] { return static_cast<unsigned char>(random() & 0xFF); });
  return image;
}

// GLU's levels as the GL holds them, against the layer's, texel for texel:
// square and oblong images, three and four components (three widened to four
// are opaque, four kept as three as the game loads its 32-bit images).
TEST_F(GlTest, MipmapsEqualGlusTexelForTexel) {
  struct Case {
    PixelImage image;
    int keptComponents;
  };
  const Case cases[] = {{noiseImage(64, 64, 3, 1), 3}, {noiseImage(32, 32, 4, 2), 3},
                        {noiseImage(16, 4, 4, 3), 4},  {noiseImage(2, 32, 3, 4), 3},
                        {noiseImage(1, 8, 3, 5), 3},   {noiseImage(8, 4, 3, 6), 4}};
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  // Rows as tight as the images hold them, both ways.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  for (const Case &c : cases) {
    const GLenum format = c.image.components == 4 ? GL_RGBA : GL_RGB;
    ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, c.keptComponents, c.image.width, c.image.height,
                                format, GL_UNSIGNED_BYTE, c.image.pixels.data()),
              0);
    const std::vector<PixelImage> levels = buildMipmaps(keepComponents(c.image, c.keptComponents));
    EXPECT_EQ(levels.back().width * levels.back().height, 1) << "the chain ends at 1 x 1";
    for (std::size_t level = 0; level < levels.size(); ++level) {
      const PixelImage real = realLevel(static_cast<int>(level), c.keptComponents);
      EXPECT_EQ(levels[level].width, real.width);
      EXPECT_EQ(levels[level].height, real.height);
      EXPECT_EQ(levels[level].pixels, real.pixels)
          << c.image.width << "x" << c.image.height << " level " << level;
    }
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glDeleteTextures(1, &name);
}

} // namespace
