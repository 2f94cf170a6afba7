#include "gfx/Texture.h"

#include "gfx/Gl.h"

#include <cstring>
#include <fstream>

Texture textures[TEXTURE_COUNT];

const TextureFile textureFiles[TEXTURE_COUNT] = {
    {"Data/BlueFace.tga", true},     {"Data/Bucket.tga", true},
    {"Data/Target.tga", true},       {"Data/Coke.tga", true},
    {"Data/Vase.tga", true},         {"Data/Explode.tga", true},
    {"Data/Ground.tga", false},      {"Data/Sky.tga", false},
    {"Data/Crosshair.tga", true},    {"Data/Font.tga", true},
    {"Data/Crate.tga", false},       {"Data/Menu.tga", false},
    {"Data/SelectTemp.tga", true},   {"Data/SelectPerm.tga", true},
    {"Data/GetButton.tga", true},    {"Data/MoveButton.tga", true},
    {"Data/UseButton.tga", true},    {"Data/LookButton.tga", true},
    {"Data/AttackButton.tga", true}, {"Data/InventoryButton.tga", true},
    {"Data/pile.tga", true},         {"Data/StatsButton.tga", true},
    {"Data/CloseCase.tga", false},   {"Data/UpCase.tga", false},
    {"Data/DownCase.tga", false},    {"Data/EquipmentSlot.tga", true},
};

namespace {

constexpr std::size_t HEADER_BYTES = 12;
constexpr std::size_t INFO_BYTES = 6;
// No identification field, no colour map, type 2 (uncompressed true-colour).
constexpr unsigned char UNCOMPRESSED_HEADER[HEADER_BYTES] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Through a path, so that a data folder whose name is not in the Windows
// code page still opens.
bool readWholeFile(const std::filesystem::path &fileName, std::vector<unsigned char> &bytes) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) {
    return false;
  }
  char chunk[4096];
  while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
    bytes.insert(bytes.end(), chunk, chunk + file.gcount());
  }
  return !file.bad();
}

void swapBlueAndRed(std::vector<unsigned char> &pixels, std::size_t bytesPerPixel) {
  for (std::size_t i = 0; i + 2 < pixels.size(); i += bytesPerPixel) {
    std::swap(pixels[i], pixels[i + 2]);
  }
}

void upload(Texture &texture, bool linearOnly) {
  glGenTextures(1, &texture.textureId);
  glBindTexture(GL_TEXTURE_2D, texture.textureId);
  const GLenum format = texture.bitsPerPixel == 24 ? GL_RGB : GL_RGBA;
  const GLsizei width = static_cast<GLsizei>(texture.width);
  const GLsizei height = static_cast<GLsizei>(texture.height);
  if (linearOnly) {
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format,
                 GL_UNSIGNED_BYTE, texture.imageData.data());
  } else {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Mipmapped images keep three components: a 32-bit file loses its alpha.
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, format, GL_UNSIGNED_BYTE,
                      texture.imageData.data());
  }
}

} // namespace

bool decodeTga(Texture &texture, const unsigned char *data, std::size_t size) {
  if (size < HEADER_BYTES || std::memcmp(data, UNCOMPRESSED_HEADER, HEADER_BYTES) != 0) {
    return false;
  }
  if (size < HEADER_BYTES + INFO_BYTES) {
    return false;
  }
  const unsigned char *info = data + HEADER_BYTES;
  texture.width = info[1] * 256u + info[0];
  texture.height = info[3] * 256u + info[2];
  if (texture.width == 0 || texture.height == 0) {
    return false;
  }
  if (info[4] != 24 && info[4] != 32) {
    return false;
  }
  texture.bitsPerPixel = info[4];
  const std::size_t bytesPerPixel = texture.bitsPerPixel / 8;
  const std::size_t imageSize = std::size_t{texture.width} * texture.height * bytesPerPixel;
  // A header that claims more pixels than the file holds fails before any allocation.
  if (size - HEADER_BYTES - INFO_BYTES < imageSize) {
    return false;
  }
  const unsigned char *pixels = info + INFO_BYTES;
  texture.imageData.assign(pixels, pixels + imageSize);
  swapBlueAndRed(texture.imageData, bytesPerPixel);
  return true;
}

bool loadTgaTexture(Texture &texture, const std::filesystem::path &file, bool linearOnly) {
  std::vector<unsigned char> bytes;
  if (!readWholeFile(file, bytes) || !decodeTga(texture, bytes.data(), bytes.size())) {
    texture.imageData.clear();
    return false;
  }
  upload(texture, linearOnly);
  // Nothing reads the pixels once the GL holds them.
  texture.imageData.clear();
  texture.imageData.shrink_to_fit();
  return true;
}

int loadTextureTable(const std::filesystem::path &dataFolder) {
  for (int i = 0; i < TEXTURE_COUNT; ++i) {
    const std::filesystem::path file =
        dataFolder / std::filesystem::path(textureFiles[i].fileName).filename();
    if (!loadTgaTexture(textures[i], file, textureFiles[i].linearOnly)) {
      return i;
    }
  }
  return -1;
}

void bindTexture(int index) {
  glBindTexture(GL_TEXTURE_2D, textures[index].textureId);
}
