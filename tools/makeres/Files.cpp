#include "Files.h"

#include <stdexcept>
#include <zlib.h>

namespace {

void Put16(TBytes& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void Put32(TBytes& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Put32BE(TBytes& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

void Chunk(TBytes& out, const char* type, const TBytes& data) {
  Put32BE(out, uint32_t(data.size()));
  TBytes typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  Put32BE(out, uint32_t(crc32(0, typed.data(), uInt(typed.size()))));
}

} // namespace

TBytes EncodePng(const TRaster& image) {
  const TBytes rgba = image.Rgba8();
  const size_t stride = size_t(image.Width()) * 4;
  TBytes raw;
  for (int y = 0; y < image.Height(); ++y) {
    raw.push_back(0); // filter: none
    raw.insert(raw.end(), rgba.begin() + long(stride * size_t(y)),
               rgba.begin() + long(stride * size_t(y + 1)));
  }
  uLongf packedSize = compressBound(uLong(raw.size()));
  TBytes packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK)
    throw std::runtime_error("compress2 failed");
  packed.resize(packedSize);

  TBytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  TBytes header;
  Put32BE(header, uint32_t(image.Width()));
  Put32BE(header, uint32_t(image.Height()));
  header.insert(header.end(),
                {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter set, no interlace
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", packed);
  Chunk(png, "IEND", {});
  return png;
}

namespace {

// BITMAPINFOHEADER, BGRA rows bottom-up, then the AND mask (1 where fully transparent).
TBytes IconImage(const TRaster& image) {
  const int w = image.Width(), h = image.Height();
  const TBytes rgba = image.Rgba8();
  TBytes out;
  Put32(out, 40);
  Put32(out, uint32_t(w));
  Put32(out, uint32_t(h * 2));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  const uint32_t maskStride = uint32_t(((w + 31) / 32) * 4);
  Put32(out, uint32_t(w * h * 4) + maskStride * uint32_t(h));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = &rgba[(size_t(y) * size_t(w) + size_t(x)) * 4];
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  for (int y = h - 1; y >= 0; --y) {
    TBytes row(maskStride, 0);
    for (int x = 0; x < w; ++x)
      if (rgba[(size_t(y) * size_t(w) + size_t(x)) * 4 + 3] == 0)
        row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

} // namespace

// The system reads PNG images in icons since Windows Vista, and in a quarter of the space. The
// sizes the classic paths pick (a window's caption, LoadIcon) stay uncompressed.
constexpr int PngIconSize = 48;

TBytes EncodeIcon(const std::vector<TRaster>& images) {
  std::vector<TBytes> data;
  for (const TRaster& image : images)
    data.push_back(image.Width() >= PngIconSize ? EncodePng(image) : IconImage(image));
  TBytes out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, uint32_t(images.size()));
  uint32_t offset = 6 + 16 * uint32_t(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int w = images[i].Width(), h = images[i].Height();
    out.push_back(uint8_t(w >= 256 ? 0 : w));
    out.push_back(uint8_t(h >= 256 ? 0 : h));
    out.push_back(0); // no palette
    out.push_back(0);
    Put16(out, 1);  // planes
    Put16(out, 32); // bits per pixel
    Put32(out, uint32_t(data[i].size()));
    Put32(out, offset);
    offset += uint32_t(data[i].size());
  }
  for (const TBytes& d : data) out.insert(out.end(), d.begin(), d.end());
  return out;
}

TBytes EncodeBitmap16(const std::vector<std::string>& rows, const uint32_t palette[16],
                      const std::string& letters) {
  const int h = int(rows.size()), w = int(rows.at(0).size());
  const uint32_t stride = uint32_t(((w * 4 + 31) / 32) * 4);
  const uint32_t bitsOffset = 14 + 40 + 16 * 4;
  TBytes out = {'B', 'M'};
  Put32(out, bitsOffset + stride * uint32_t(h));
  Put32(out, 0);
  Put32(out, bitsOffset);
  Put32(out, 40);
  Put32(out, uint32_t(w));
  Put32(out, uint32_t(h));
  Put16(out, 1);
  Put16(out, 4);
  Put32(out, 0);
  Put32(out, stride * uint32_t(h));
  Put32(out, 2835); // 72 dots per inch
  Put32(out, 2835);
  Put32(out, 16);
  Put32(out, 16);
  for (int i = 0; i < 16; ++i)
    out.insert(out.end(),
               {uint8_t(palette[i]), uint8_t(palette[i] >> 8), uint8_t(palette[i] >> 16), 0});
  for (int y = h - 1; y >= 0; --y) {
    if (int(rows[size_t(y)].size()) != w) throw std::runtime_error("ragged bitmap rows");
    TBytes row(stride, 0);
    for (int x = 0; x < w; ++x) {
      const size_t index = letters.find(rows[size_t(y)][size_t(x)]);
      if (index == std::string::npos) throw std::runtime_error("unknown colour letter");
      row[size_t(x / 2)] |= uint8_t(x % 2 ? index : index << 4);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}
