#include "IcoWriter.h"

#include "FileBytes.h"
#include "PngWriter.h"

#include <cstdint>

namespace {

constexpr int ICON_TYPE = 1;
constexpr int DIRECTORY_SIZE = 6;
constexpr int ENTRY_SIZE = 16;
constexpr int BITMAP_HEADER_SIZE = 40;
constexpr int BITS_PER_PIXEL = 32;
// Mask rows are padded to whole 32-bit words.
constexpr int MASK_ROW_ALIGNMENT = 4;

void putLittleEndian(std::vector<unsigned char> &bytes, std::uint32_t value, int byteCount) {
  for (int i = 0; i < byteCount; ++i) {
    bytes.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xff));
  }
}

int maskRowBytes(int width) {
  const int bytes = (width + 7) / 8;
  return (bytes + MASK_ROW_ALIGNMENT - 1) / MASK_ROW_ALIGNMENT * MASK_ROW_ALIGNMENT;
}

// A device-independent bitmap as icons hold it: the header gives twice the
// height (colour rows, then the mask rows), both stored bottom row first.
std::vector<unsigned char> bitmapEntry(const Image &image) {
  const int width = image.getWidth();
  const int height = image.getHeight();
  const int colourBytes = width * height * BITS_PER_PIXEL / 8;
  const int maskBytes = maskRowBytes(width) * height;
  std::vector<unsigned char> bytes;
  putLittleEndian(bytes, BITMAP_HEADER_SIZE, 4);
  putLittleEndian(bytes, static_cast<std::uint32_t>(width), 4);
  putLittleEndian(bytes, static_cast<std::uint32_t>(2 * height), 4);
  putLittleEndian(bytes, 1, 2); // planes
  putLittleEndian(bytes, BITS_PER_PIXEL, 2);
  putLittleEndian(bytes, 0, 4); // uncompressed
  putLittleEndian(bytes, static_cast<std::uint32_t>(colourBytes + maskBytes), 4);
  // No resolution and no palette: four zero words.
  bytes.insert(bytes.end(), 16, 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Colour pixel = image.getPixel(x, y);
      bytes.insert(bytes.end(), {pixel.b, pixel.g, pixel.r, pixel.a});
    }
  }
  // A set bit leaves the screen showing through: the fully transparent pixels.
  for (int y = height - 1; y >= 0; --y) {
    std::vector<unsigned char> row(static_cast<std::size_t>(maskRowBytes(width)), 0);
    for (int x = 0; x < width; ++x) {
      if (image.getPixel(x, y).a == 0) {
        row[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
      }
    }
    bytes.insert(bytes.end(), row.begin(), row.end());
  }
  return bytes;
}

bool fitsAnIcon(const Image &image) {
  return image.getWidth() == image.getHeight() && image.getWidth() > 0 &&
         image.getWidth() <= IcoWriter::LARGEST_SIZE;
}

// The directory stores sizes in one byte each, 0 standing for 256.
unsigned char sizeByte(int size) {
  return static_cast<unsigned char>(size % 256);
}

} // namespace

std::vector<unsigned char> IcoWriter::encode(const std::vector<Image> &images) {
  std::vector<std::vector<unsigned char>> entries;
  for (const Image &image : images) {
    if (!fitsAnIcon(image)) {
      return {};
    }
    entries.push_back(image.getWidth() == LARGEST_SIZE ? PngWriter::encode(image)
                                                       : bitmapEntry(image));
    if (entries.back().empty()) {
      return {};
    }
  }
  std::vector<unsigned char> icon;
  putLittleEndian(icon, 0, 2); // reserved
  putLittleEndian(icon, ICON_TYPE, 2);
  putLittleEndian(icon, static_cast<std::uint32_t>(images.size()), 2);
  std::uint32_t offset = DIRECTORY_SIZE + ENTRY_SIZE * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const unsigned char size = sizeByte(images[i].getWidth());
    // Width, height, no palette, reserved, one plane, bits per pixel.
    icon.insert(icon.end(), {size, size, 0, 0});
    putLittleEndian(icon, 1, 2);
    putLittleEndian(icon, BITS_PER_PIXEL, 2);
    putLittleEndian(icon, static_cast<std::uint32_t>(entries[i].size()), 4);
    putLittleEndian(icon, offset, 4);
    offset += static_cast<std::uint32_t>(entries[i].size());
  }
  for (const std::vector<unsigned char> &entry : entries) {
    icon.insert(icon.end(), entry.begin(), entry.end());
  }
  return icon;
}

bool IcoWriter::write(const std::vector<Image> &images, const std::string &path) {
  const std::vector<unsigned char> bytes = encode(images);
  return !bytes.empty() && FileBytes::write(bytes, path);
}
