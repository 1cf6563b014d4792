#include "PalettePng.h"

#include <stdexcept>

#include <zlib.h>

namespace {

std::string BigEndian(uint32_t v) {
  return {char(v >> 24), char(v >> 16 & 0xFF), char(v >> 8 & 0xFF), char(v & 0xFF)};
}

std::string Chunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()));
  return BigEndian(uint32_t(data.size())) + body + BigEndian(uint32_t(crc));
}

} // namespace

std::string EncodePalettePng(const TIndexedImage& image) {
  std::string header = BigEndian(uint32_t(image.Width)) + BigEndian(uint32_t(image.Height));
  header += std::string{8, 3, 0, 0, 0}; // bit depth 8, palette, deflate, filter set 0, no interlace

  std::string palette;
  for (const auto& entry : image.Palette)
    palette += std::string{char(entry[0]), char(entry[1]), char(entry[2])};

  std::string rows;
  for (int y = 0; y < image.Height; ++y) {
    rows += '\0'; // filter type None
    rows.append(reinterpret_cast<const char*>(image.Indices.data()) +
                    size_t(y) * size_t(image.Width),
                size_t(image.Width));
  }
  uLongf size = compressBound(uLong(rows.size()));
  std::string data(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(&data[0]), &size,
                reinterpret_cast<const Bytef*>(rows.data()), uLong(rows.size()),
                Z_BEST_COMPRESSION) != Z_OK)
    throw std::runtime_error("deflate failed");
  data.resize(size);

  const std::string signature = "\x89PNG\r\n\x1A\n";
  return signature + Chunk("IHDR", header) + Chunk("PLTE", palette) + Chunk("IDAT", data) +
         Chunk("IEND", "");
}
