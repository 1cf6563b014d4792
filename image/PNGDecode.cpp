// The pixel side of PNG: the palette, the image data inflated row by row, the row filters and
// the conversion of each row to the bitmap's pixel format.
#include "image/PNG.h"

#include "compress/Zlib.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// Larger headers ask for an absurd bitmap and are refused before anything is allocated.
constexpr int64_t MaxPixels = int64_t(64) * 1024 * 1024;
// The row of the widest 16-bit image allowed; other bit depths get no wider rows.
constexpr int64_t MaxRowBytes = 2 * MaxPixels;

// The 13 header bytes; a header chunk always has them (its Data starts at 13 bytes).
const uint8_t* HeaderBytes(TChunk& header) {
  if (header.Data.Size() < 13) Abort();
  return header.Data.Memory();
}

int32_t HeaderInt(TChunk& header, int offset) {
  const uint8_t* p = HeaderBytes(header) + offset;
  return int32_t(uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]);
}

int64_t RowBytesOf(int32_t width, uint8_t bitDepth) {
  return (int64_t(width) * bitDepth + 7) / 8;
}

} // namespace

uint8_t PaethPredictor(uint8_t left, uint8_t above, uint8_t upperLeft) {
  const int p = int(left) + above - upperLeft;
  const int pa = std::abs(p - left), pb = std::abs(p - above), pc = std::abs(p - upperLeft);
  if (pa <= pb && pa <= pc) return left;
  return pb <= pc ? above : upperLeft;
}

TChunkPLTE::~TChunkPLTE() {
  if (Palette && Owner.Image.Palette() != Palette) Sys().DeleteObject(Palette);
}

Handle TChunkPLTE::BuildPalette() {
  if (Palette) Sys().DeleteObject(std::exchange(Palette, 0));
  TLogPalette log{};
  log.Version = 0x300;
  // A palette record has room for 256 entries; PNG allows no more, so a surplus is ignored.
  log.NumEntries = uint16_t(std::min<int32_t>(Data.Size() / 3, 256));
  const uint8_t* rgb = Data.Memory();
  for (int i = 0; i < log.NumEntries; ++i)
    log.PalPalEntry[i] = TPaletteEntry{rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], 0};
  Palette = Sys().CreatePalette(log);
  return Palette;
}

int32_t TChunkIDAT::Width() const {
  return HeaderInt(Header(), 0);
}
int32_t TChunkIDAT::Height() const {
  return HeaderInt(Header(), 4);
}
uint8_t TChunkIDAT::BitDepth() const {
  return HeaderBytes(Header())[8];
}

int32_t TChunkIDAT::RowBytes() const {
  return int32_t(RowBytesOf(Width(), BitDepth()));
}

void TChunkIDAT::Unfilter(uint8_t filterType, uint8_t* row, const uint8_t* previousRow,
                          int32_t bytesPerPixel, int32_t rowBytes) {
  const int32_t d = bytesPerPixel;
  switch (filterType) {
  case 0: break;
  case 1:
    for (int32_t x = d; x < rowBytes; ++x) row[x] = uint8_t(row[x] + row[x - d]);
    break;
  case 2:
    for (int32_t x = 0; x < rowBytes; ++x) row[x] = uint8_t(row[x] + previousRow[x]);
    break;
  case 3:
    for (int32_t x = 0; x < rowBytes; ++x) {
      const int left = x >= d ? row[x - d] : 0;
      row[x] = uint8_t(row[x] + (left + previousRow[x]) / 2);
    }
    break;
  case 4:
    for (int32_t x = 0; x < rowBytes; ++x) {
      const uint8_t left = x >= d ? row[x - d] : 0;
      const uint8_t upperLeft = x >= d ? previousRow[x - d] : 0;
      row[x] = uint8_t(row[x] + PaethPredictor(left, previousRow[x], upperLeft));
    }
    break;
  default: Abort();
  }
}

void TChunkIDAT::StoreRow(uint8_t* destination, const uint8_t* row, int32_t rowBytes) const {
  const int32_t width = Width();
  switch (BitDepth()) {
  case 1:
  case 4:
  case 8: std::memcpy(destination, row, size_t(rowBytes)); break;
  case 2:
    // Each 2-bit index becomes a 4-bit pixel; the half byte after an odd last pixel stays.
    for (int32_t i = 0; i < width; ++i) {
      const uint8_t index = uint8_t(row[i / 4] >> (6 - 2 * (i % 4)) & 3);
      uint8_t& target = destination[i / 2];
      target =
          i % 2 == 0 ? uint8_t((target & 0x0F) | index << 4) : uint8_t((target & 0xF0) | index);
    }
    break;
  case 16:
    for (int32_t i = 0; i < width; ++i) destination[i] = row[2 * i];
    break;
  default: break;
  }
}

void TChunkIDAT::Process() {
  const int32_t width = Width(), height = Height();
  const uint8_t bitDepth = BitDepth();
  // Everything that can be refused is refused before the image or memory is touched.
  if (width <= 0 || height <= 0 || int64_t(width) * height > MaxPixels) Abort();
  const int64_t rowBytes = RowBytesOf(width, bitDepth);
  if (rowBytes > MaxRowBytes) Abort();
  const int paletteIndex = Owner.IndexOfClass(&TChunkPLTE::Class);
  if (paletteIndex < 0) Abort(); // the pixels are palette indices
  auto& paletteChunk = static_cast<TChunkPLTE&>(*Owner.Items[size_t(paletteIndex)]);
  if (paletteChunk.Data.Size() < 3) Abort(); // not one colour

  // The stream starts where Data's last copy left it, at the end; the rewind goes to Data's
  // start, where the zlib stream begins.
  auto rows = std::make_unique<TZDecompressionStream>(Data);
  rows->SetPosition(0);
  const int32_t rowSize = int32_t(rowBytes) + 1;
  const size_t rowBufferSize = static_cast<size_t>(rowSize);
  std::vector<uint8_t> previous(rowBufferSize, 0);
  std::vector<uint8_t> current(rowBufferSize);

  TPNGImage& image = Owner.Image;
  image.SetSize(width, height);
  switch (bitDepth) {
  case 1: image.SetPixelFormat(TPixelFormat::pf1bit); break;
  case 2:
  case 4: image.SetPixelFormat(TPixelFormat::pf4bit); break;
  case 8:
  case 16: image.SetPixelFormat(TPixelFormat::pf8bit); break;
  default: break;
  }
  const Handle palette = paletteChunk.BuildPalette();
  if (!palette) Abort();
  image.SetPalette(palette);

  for (int32_t y = 0; y < image.Height(); ++y) {
    const int32_t got = std::max(rows->Read(current.data(), rowSize), 0);
    // Missing bytes read as zeros, like the row above the first.
    std::fill(current.begin() + got, current.end(), uint8_t(0));
    Unfilter(current[0], current.data() + 1, previous.data() + 1, BytesPerPixel(),
             int32_t(rowBytes));
    StoreRow(image.ScanLine(y), current.data() + 1, int32_t(rowBytes));
    // Past the end every row is zeros with filter None, and the resized bitmap's rows are
    // already zero.
    if (got < rowSize) break;
    std::swap(current, previous);
  }
}
