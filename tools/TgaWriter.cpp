#include "TgaWriter.h"

#include "FileBytes.h"

namespace {

// No identification field, no colour map, type 2 (uncompressed true-colour),
// origin (0, 0).
constexpr unsigned char HEADER[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
// Descriptor: the alpha bit count; bit 5 clear means bottom-left origin.
constexpr unsigned char ALPHA_BITS = 8;

void putLittleEndian16(std::vector<unsigned char> &bytes, int value) {
  bytes.push_back(static_cast<unsigned char>(value & 0xff));
  bytes.push_back(static_cast<unsigned char>((value >> 8) & 0xff));
}

} // namespace

std::vector<unsigned char> TgaWriter::encode(const Image &image) {
  const bool alpha = image.keepsAlpha();
  std::vector<unsigned char> bytes(HEADER, HEADER + sizeof HEADER);
  putLittleEndian16(bytes, image.getWidth());
  putLittleEndian16(bytes, image.getHeight());
  bytes.push_back(alpha ? 32 : 24);
  bytes.push_back(alpha ? ALPHA_BITS : 0);
  for (int y = image.getHeight() - 1; y >= 0; --y) {
    for (int x = 0; x < image.getWidth(); ++x) {
      const Colour pixel = image.getPixel(x, y);
      bytes.insert(bytes.end(), {pixel.b, pixel.g, pixel.r});
      if (alpha) {
        bytes.push_back(pixel.a);
      }
    }
  }
  return bytes;
}

bool TgaWriter::write(const Image &image, const std::string &path) {
  return FileBytes::write(encode(image), path);
}
