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
#include <utility>
#include <vector>

namespace {

constexpr std::size_t PIXELS_OFFSET = 18;
constexpr unsigned char UNCOMPRESSED_HEADER[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

void require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  Texture texture;
  const bool accepted = decodeTga(texture, data, size);
  // The file layout read independently of the decoder.
  const bool header = size >= PIXELS_OFFSET && std::memcmp(data, UNCOMPRESSED_HEADER, 12) == 0;
  const std::uint32_t width = header ? data[12] + 256u * data[13] : 0,
                      height = header ? data[14] + 256u * data[15] : 0,
                      bits = header ? data[16] : 0;
  const std::size_t imageSize = std::size_t{width} * height * (bits / 8);
  require(accepted == (width != 0 && height != 0 && (bits == 24 || bits == 32) &&
                       size - PIXELS_OFFSET >= imageSize));
  if (accepted) {
    require(texture.width == width && texture.height == height && texture.bitsPerPixel == bits);
    std::vector<std::uint8_t> swapped(data + PIXELS_OFFSET, data + PIXELS_OFFSET + imageSize);
    for (std::size_t i = 0; i < imageSize; i += bits / 8) {
      std::swap(swapped[i], swapped[i + 2]);
    }
    require(texture.imageData == swapped);
  }
  return 0;
}
