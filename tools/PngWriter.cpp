#include "PngWriter.h"

#include "FileBytes.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr unsigned char SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr int BYTES_PER_PIXEL = 4;
constexpr unsigned char BIT_DEPTH = 8;
constexpr unsigned char COLOUR_TYPE_RGBA = 6;
enum Filter : unsigned char { NONE, SUB, UP, AVERAGE, PAETH, FILTER_COUNT };

void putBigEndian32(std::vector<unsigned char> &bytes, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    bytes.push_back(static_cast<unsigned char>((value >> shift) & 0xff));
  }
}

// Length, type, data, then the CRC of type and data.
void putChunk(std::vector<unsigned char> &png, const char type[4],
              const std::vector<unsigned char> &data) {
  putBigEndian32(png, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeStart = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, png.data() + typeStart, static_cast<uInt>(png.size() - typeStart));
  putBigEndian32(png, static_cast<std::uint32_t>(crc));
}

std::vector<unsigned char> rowBytes(const Image &image, int y) {
  std::vector<unsigned char> row;
  row.reserve(static_cast<std::size_t>(image.getWidth()) * BYTES_PER_PIXEL);
  for (int x = 0; x < image.getWidth(); ++x) {
    const Colour pixel = image.getPixel(x, y);
    row.insert(row.end(), {pixel.r, pixel.g, pixel.b, pixel.a});
  }
  return row;
}

// The neighbour of a + b - c closest to that estimate, ties in the order a, b, c.
unsigned char paethPredictor(int a, int b, int c) {
  const int estimate = a + b - c;
  const int toA = std::abs(estimate - a);
  const int toB = std::abs(estimate - b);
  const int toC = std::abs(estimate - c);
  if (toA <= toB && toA <= toC) {
    return static_cast<unsigned char>(a);
  }
  return static_cast<unsigned char>(toB <= toC ? b : c);
}

// row and above are unfiltered; above is all zero for the first row.
std::vector<unsigned char> filterRow(Filter filter, const std::vector<unsigned char> &row,
                                     const std::vector<unsigned char> &above) {
  std::vector<unsigned char> filtered(row.size());
  for (std::size_t i = 0; i < row.size(); ++i) {
    const int left = i >= BYTES_PER_PIXEL ? row[i - BYTES_PER_PIXEL] : 0;
    const int up = above[i];
    const int upLeft = i >= BYTES_PER_PIXEL ? above[i - BYTES_PER_PIXEL] : 0;
    int predicted = 0;
    switch (filter) {
    case SUB:
      predicted = left;
      break;
    case UP:
      predicted = up;
      break;
    case AVERAGE:
      predicted = (left + up) / 2;
      break;
    case PAETH:
      predicted = paethPredictor(left, up, upLeft);
      break;
    default:
      break;
    }
    filtered[i] = static_cast<unsigned char>(row[i] - predicted);
  }
  return filtered;
}

// The filtered bytes read as signed differences: the smaller the sum, the
// better deflate tends to do.
long costOf(const std::vector<unsigned char> &filtered) {
  long sum = 0;
  for (const unsigned char value : filtered) {
    sum += value < 128 ? value : 256 - value;
  }
  return sum;
}

// Every row preceded by its filter type byte.
std::vector<unsigned char> filteredRows(const Image &image) {
  std::vector<unsigned char> stream;
  std::vector<unsigned char> above(static_cast<std::size_t>(image.getWidth()) * BYTES_PER_PIXEL);
  for (int y = 0; y < image.getHeight(); ++y) {
    const std::vector<unsigned char> row = rowBytes(image, y);
    Filter best = NONE;
    std::vector<unsigned char> bestBytes = row;
    long bestCost = costOf(row);
    for (int candidate = SUB; candidate < FILTER_COUNT; ++candidate) {
      std::vector<unsigned char> bytes = filterRow(static_cast<Filter>(candidate), row, above);
      const long cost = costOf(bytes);
      if (cost < bestCost) {
        best = static_cast<Filter>(candidate);
        bestBytes = std::move(bytes);
        bestCost = cost;
      }
    }
    stream.push_back(best);
    stream.insert(stream.end(), bestBytes.begin(), bestBytes.end());
    above = row;
  }
  return stream;
}

bool deflateInto(const std::vector<unsigned char> &raw, std::vector<unsigned char> &compressed) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  compressed.resize(size);
  if (compress2(compressed.data(), &size, raw.data(), static_cast<uLong>(raw.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    return false;
  }
  compressed.resize(size);
  return true;
}

} // namespace

std::vector<unsigned char> PngWriter::encode(const Image &image) {
  std::vector<unsigned char> pixels;
  if (!deflateInto(filteredRows(image), pixels)) {
    return {};
  }
  std::vector<unsigned char> header;
  putBigEndian32(header, static_cast<std::uint32_t>(image.getWidth()));
  putBigEndian32(header, static_cast<std::uint32_t>(image.getHeight()));
  // Bit depth, colour type, deflate, adaptive filtering, no interlace.
  header.insert(header.end(), {BIT_DEPTH, COLOUR_TYPE_RGBA, 0, 0, 0});
  std::vector<unsigned char> png(SIGNATURE, SIGNATURE + sizeof SIGNATURE);
  putChunk(png, "IHDR", header);
  putChunk(png, "IDAT", pixels);
  putChunk(png, "IEND", {});
  return png;
}

bool PngWriter::write(const Image &image, const std::string &path) {
  const std::vector<unsigned char> bytes = encode(image);
  return !bytes.empty() && FileBytes::write(bytes, path);
}
