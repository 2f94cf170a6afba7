// The ES layer's mipmaps against GLU's on the desktop context. The layer's
// other arithmetic (matrices, lighting, selection) is proven by the scenes
// and picks the proof test compares with the real OpenGL.

#include "GlContext.h"

#include "gfx/Gl.h"
#include "gfx/es/Mipmaps.h"

#include <random>

// GLU's levels as the GL holds them, against the layer's, texel for texel:
// square and oblong noise images, three and four components (three widened
// to four are opaque, four kept as three as the game loads its 32-bit
// images).
TEST_F(GlTest, MipmapsEqualGlusTexelForTexel) {
  const int cases[][4] = {{64, 64, 3, 3}, {32, 32, 4, 3}, {16, 4, 4, 4},
                          {2, 32, 3, 3},  {1, 8, 3, 3},   {8, 4, 3, 4}};
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  // Rows as tight as the images hold them, both ways.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  for (const auto &[width, height, components, kept] : cases) {
    std::mt19937 random(static_cast<unsigned>(width * height * components));
    PixelImage image{width, height, components, {}};
    for (int i = 0; i < width * height * components; ++i) {
      image.pixels.push_back(static_cast<unsigned char>(random() & 0xFF));
    }
    ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, kept, width, height,
                                components == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE,
                                image.pixels.data()),
              0);
    const std::vector<PixelImage> levels = buildMipmaps(keepComponents(image, kept));
    EXPECT_EQ(levels.back().width * levels.back().height, 1) << "the chain ends at 1 x 1";
    for (int level = 0; level < static_cast<int>(levels.size()); ++level) {
      GLint size[2] = {0, 0};
      glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &size[0]);
      glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &size[1]);
      std::vector<unsigned char> real(static_cast<std::size_t>(size[0] * size[1] * kept));
      glGetTexImage(GL_TEXTURE_2D, level, kept == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE,
                    real.data());
      const PixelImage &ours = levels[static_cast<std::size_t>(level)];
      EXPECT_TRUE(ours.width == size[0] && ours.height == size[1] && ours.pixels == real)
          << width << "x" << height << " level " << level;
    }
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glDeleteTextures(1, &name);
}
