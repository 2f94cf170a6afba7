#pragma once
// TGA images loaded as GL textures, and the table of the game's 26 images.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

// The folder the images are read from unless the shell found them elsewhere.
constexpr const char *DATA_FOLDER_NAME = "Data";

struct Texture {
  std::vector<unsigned char> imageData; // red-green-blue(-alpha), rows in file order
  std::uint32_t bitsPerPixel = 0;       // 24 or 32
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t textureId = 0; // GL texture name; 0 until loaded
};

enum TextureIndex {
  BlueFaceTexture = 0,
  BucketTexture,
  TargetTexture,
  CokeTexture,
  VaseTexture,
  ExplodeTexture,
  GroundTexture,
  SkyTexture,
  CrosshairTexture,
  FontTexture,
  CrateTexture,
  MenuTexture,
  SelectTempTexture,
  SelectPermTexture,
  GetButtonTexture,
  MoveButtonTexture,
  UseButtonTexture,
  LookButtonTexture,
  AttackButtonTexture,
  InventoryButtonTexture,
  PileTexture,
  StatsButtonTexture,
  CloseCaseTexture,
  UpCaseTexture,
  DownCaseTexture,
  EquipmentSlotTexture,
  TEXTURE_COUNT
};

struct TextureFile {
  const char *fileName; // as Data/ under the working directory holds it
  bool linearOnly;      // one level with linear filtering, else a mipmap chain
};

extern Texture textures[TEXTURE_COUNT];
extern const TextureFile textureFiles[TEXTURE_COUNT];

// Parses an uncompressed 24- or 32-bit true-colour TGA held in memory into
// texture (size, depth and pixels, blue and red swapped). Never reads or
// allocates past what the buffer holds. Needs no GL context.
bool decodeTga(Texture &texture, const unsigned char *data, std::size_t size);

// Reads and decodes the file, then uploads it to the current GL context.
bool loadTgaTexture(Texture &texture, const std::filesystem::path &file, bool linearOnly);

// Loads the whole table in order from dataFolder, which stands for the
// "Data/" of the table's file names, and stops at the first failure,
// returning the index that failed, or -1 when all loaded.
int loadTextureTable(const std::filesystem::path &dataFolder = DATA_FOLDER_NAME);

// Binds entry index of the table.
void bindTexture(int index);
