#include "PngFixture.h"

#include <cstdlib>

#include <zlib.h>

namespace pngfix {

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += char(uint8_t(b));
  return s;
}

std::string BigEndian(uint32_t value) {
  return Bytes(
      {int(value >> 24), int(value >> 16 & 0xFF), int(value >> 8 & 0xFF), int(value & 0xFF)});
}

std::string Chunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()));
  return BigEndian(uint32_t(data.size())) + body + BigEndian(uint32_t(crc));
}

std::string RawChunk(uint32_t length, const std::string& type, const std::string& data) {
  return BigEndian(length) + type + data;
}

std::string Ihdr(int32_t width, int32_t height, uint8_t bitDepth, uint8_t colourType) {
  return Chunk("IHDR", BigEndian(uint32_t(width)) + BigEndian(uint32_t(height)) +
                           Bytes({bitDepth, colourType, 0, 0, 0}));
}

std::string Plte(int entries) {
  std::string data;
  for (int i = 0; i < entries; ++i) data += Bytes({i & 0xFF, (2 * i) & 0xFF, (255 - i) & 0xFF});
  return Chunk("PLTE", data);
}

std::string Iend() {
  return Chunk("IEND", "");
}

std::string Png(std::initializer_list<std::string> chunks) {
  std::string file = Bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
  for (const std::string& c : chunks) file += c;
  return file;
}

namespace {
int Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}
} // namespace

std::string FilterRow(uint8_t filterType, const std::string& row, const std::string& above) {
  std::string out(1, char(filterType));
  for (size_t x = 0; x < row.size(); ++x) {
    const int raw = uint8_t(row[x]);
    const int a = x ? uint8_t(row[x - 1]) : 0;
    const int b = uint8_t(above[x]);
    const int c = x ? uint8_t(above[x - 1]) : 0;
    const int predictor = filterType == 1   ? a
                          : filterType == 2 ? b
                          : filterType == 3 ? (a + b) / 2
                          : filterType == 4 ? Paeth(a, b, c)
                                            : 0;
    out += char(uint8_t(raw - predictor));
  }
  return out;
}

std::string ImageData(const std::vector<std::string>& rows, const std::vector<uint8_t>& filters) {
  std::string raw;
  std::string above(rows.empty() ? 0 : rows[0].size(), '\0');
  for (size_t y = 0; y < rows.size(); ++y) {
    raw += FilterRow(filters[y % filters.size()], rows[y], above);
    above = rows[y];
  }
  return Deflate(raw);
}

std::string SimplePng(int32_t width, uint8_t bitDepth, const std::vector<std::string>& rows,
                      int paletteEntries) {
  return Png({Ihdr(width, int32_t(rows.size()), bitDepth), Plte(paletteEntries),
              Chunk("IDAT", ImageData(rows, {0})), Iend()});
}

void LoadPng(TPNGImage& image, const std::string& file) {
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), int32_t(file.size()));
  stream.SetPosition(0);
  image.LoadFromStream(stream);
}

std::string Row(const TBitmap& bitmap, int y, int count) {
  return std::string(reinterpret_cast<const char*>(bitmap.ScanLine(y)), size_t(count));
}

} // namespace pngfix
