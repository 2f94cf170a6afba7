// libFuzzer entry over the TGA decoder. Beyond the sanitizers' checks (no
// read past the input, no leak, no undefined behaviour) every input is held
// against the file layout: the decoder accepts exactly the files whose
// header is valid and whose size holds all the pixels it claims, and what it
// accepts is exactly those pixels with blue and red swapped.

#include "gfx/Texture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t HEADER_BYTES = 12;
constexpr std::size_t PIXELS_OFFSET = 18;
constexpr unsigned char UNCOMPRESSED_HEADER[HEADER_BYTES] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

struct Layout {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bitsPerPixel = 0;
  std::size_t imageSize = 0;
  bool valid = false;
};

// The file layout read independently of the decoder.
Layout layoutOf(const std::uint8_t *data, std::size_t size) {
  Layout layout;
  if (size < PIXELS_OFFSET || std::memcmp(data, UNCOMPRESSED_HEADER, HEADER_BYTES) != 0) {
    return layout;
  }
  layout.width = data[12] + 256u * data[13];
  layout.height = data[14] + 256u * data[15];
  layout.bitsPerPixel = data[16];
  layout.imageSize = std::size_t{layout.width} * layout.height * (layout.bitsPerPixel / 8);
  layout.valid = layout.width != 0 && layout.height != 0 &&
                 (layout.bitsPerPixel == 24 || layout.bitsPerPixel == 32) &&
                 size - PIXELS_OFFSET >= layout.imageSize;
  return layout;
}

void require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

void checkPixels(const Texture &texture, const Layout &layout, const std::uint8_t *data) {
  require(texture.width == layout.width && texture.height == layout.height);
  require(texture.bitsPerPixel == layout.bitsPerPixel);
  require(texture.imageData.size() == layout.imageSize);
  const std::size_t bytesPerPixel = layout.bitsPerPixel / 8;
  const std::uint8_t *pixels = data + PIXELS_OFFSET;
  for (std::size_t i = 0; i < layout.imageSize; i += bytesPerPixel) {
    require(texture.imageData[i] == pixels[i + 2]);
    require(texture.imageData[i + 1] == pixels[i + 1]);
    require(texture.imageData[i + 2] == pixels[i]);
    require(bytesPerPixel == 3 || texture.imageData[i + 3] == pixels[i + 3]);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  Texture texture;
  const bool accepted = decodeTga(texture, data, size);
  const Layout layout = layoutOf(data, size);
  require(accepted == layout.valid);
  if (accepted) {
    checkPixels(texture, layout, data);
  }
  return 0;
}
