#include "platform/gui/Bitmap.h"

#include "platform/rtl/Exceptions.h"

#include <cstring>

namespace {
uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24);
}
uint16_t U16(const uint8_t* p) {
  return uint16_t(p[0] | p[1] << 8);
}
} // namespace

int BitsPerPixel(TPixelFormat format) {
  switch (format) {
  case TPixelFormat::pf1bit: return 1;
  case TPixelFormat::pf4bit: return 4;
  case TPixelFormat::pf8bit: return 8;
  default: return 24;
  }
}

TBitmap::~TBitmap() {
  if (PaletteHandle) Sys().DeleteObject(PaletteHandle);
}

void TBitmap::Allocate() {
  int64_t rowBits = int64_t(W) * BitsPerPixel(Format);
  Stride = int(((rowBits + 31) / 32) * 4);
  Pixels.assign(size_t(Stride) * size_t(H), 0);
}

void TBitmap::SetWidth(int width) {
  SetSize(width, H);
}
void TBitmap::SetHeight(int height) {
  SetSize(W, height);
}

void TBitmap::SetSize(int width, int height) {
  W = width < 0 ? 0 : width;
  H = height < 0 ? 0 : height;
  Allocate();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == Format) return;
  Format = format;
  Allocate();
}

void TBitmap::SetPalette(Handle palette) {
  if (palette == PaletteHandle) return;
  if (PaletteHandle) Sys().DeleteObject(PaletteHandle);
  PaletteHandle = palette;
}

std::vector<TPaletteEntry> TBitmap::PaletteEntries() const {
  std::vector<TPaletteEntry> entries;
  if (!PaletteHandle) return entries;
  uint32_t n = Sys().GetPaletteEntries(PaletteHandle, 0, 0, nullptr);
  entries.resize(n);
  if (n) entries.resize(Sys().GetPaletteEntries(PaletteHandle, 0, n, entries.data()));
  return entries;
}

uint8_t* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= H) throw Exception("Scan line index out of range");
  return Pixels.data() + size_t(y) * size_t(Stride);
}

const uint8_t* TBitmap::ScanLine(int y) const {
  return const_cast<TBitmap*>(this)->ScanLine(y);
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  W = source.W;
  H = source.H;
  Format = source.Format;
  Stride = source.Stride;
  Pixels = source.Pixels;
  std::vector<TPaletteEntry> entries = source.PaletteEntries();
  Handle copy = 0;
  if (!entries.empty()) {
    TLogPalette log{};
    log.Version = 0x300;
    log.NumEntries = uint16_t(entries.size() > 256 ? 256 : entries.size());
    std::memcpy(log.PalPalEntry, entries.data(), log.NumEntries * sizeof(TPaletteEntry));
    copy = Sys().CreatePalette(log);
  }
  SetPalette(copy);
}

void TBitmap::LoadFromDib(const uint8_t* data, size_t size) {
  if (size < 40 || U32(data) < 40 || U32(data) > size) Abort();
  const uint32_t headerSize = U32(data);
  const int32_t width = int32_t(U32(data + 4)), height = int32_t(U32(data + 8));
  const uint16_t bits = U16(data + 14);
  const uint32_t compression = U32(data + 16);
  uint32_t colours = U32(data + 32);
  TPixelFormat format = bits == 1    ? TPixelFormat::pf1bit
                        : bits == 4  ? TPixelFormat::pf4bit
                        : bits == 8  ? TPixelFormat::pf8bit
                        : bits == 24 ? TPixelFormat::pf24bit
                                     : TPixelFormat::pfDevice;
  if (compression != 0 || format == TPixelFormat::pfDevice || width <= 0 || height == 0 ||
      width > 16384 || height > 16384 || height < -16384)
    Abort();
  if (bits <= 8 && (colours == 0 || colours > (1u << bits))) colours = 1u << bits;
  if (bits > 8) colours = 0;
  const size_t tableSize = size_t(colours) * 4;
  const bool bottomUp = height > 0;
  const int rows = bottomUp ? height : -height;
  Format = format;
  W = width;
  H = rows;
  Allocate();
  if (headerSize + tableSize + size_t(Stride) * size_t(rows) > size) Abort();
  const uint8_t* bitsStart = data + headerSize + tableSize;
  for (int y = 0; y < rows; ++y)
    std::memcpy(ScanLine(y), bitsStart + size_t(bottomUp ? rows - 1 - y : y) * size_t(Stride),
                size_t(Stride));
  Handle palette = 0;
  if (colours) {
    TLogPalette log{};
    log.Version = 0x300;
    log.NumEntries = uint16_t(colours);
    const uint8_t* table = data + headerSize;
    for (uint32_t i = 0; i < colours; ++i)
      log.PalPalEntry[i] = TPaletteEntry{table[i * 4 + 2], table[i * 4 + 1], table[i * 4], 0};
    palette = Sys().CreatePalette(log);
  }
  SetPalette(palette);
}

void TBitmap::LoadFromStream(TStream& stream) {
  uint8_t header[14];
  stream.ReadBuffer(header, sizeof header);
  if (header[0] != 'B' || header[1] != 'M') Abort();
  int32_t rest = stream.Size() - stream.Position();
  if (rest <= 0) Abort();
  std::vector<uint8_t> dib(static_cast<size_t>(rest));
  stream.ReadBuffer(dib.data(), rest);
  LoadFromDib(dib.data(), dib.size());
}

void TBitmap::SaveToStream(TStream& stream) {
  const int bits = BitsPerPixel(Format);
  std::vector<TPaletteEntry> entries = PaletteEntries();
  const uint32_t colours = bits <= 8 ? uint32_t(entries.size()) : 0;
  const uint32_t imageSize = uint32_t(Stride) * uint32_t(H);
  const uint32_t offset = 14 + 40 + colours * 4;
  std::vector<uint8_t> out(offset + imageSize, 0);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&out[at], &v, 4); };
  auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&out[at], &v, 2); };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, uint32_t(out.size()));
  put32(10, offset);
  put32(14, 40);
  put32(18, uint32_t(W));
  put32(22, uint32_t(H));
  put16(26, 1);
  put16(28, uint16_t(bits));
  put32(34, imageSize);
  put32(46, colours);
  for (uint32_t i = 0; i < colours; ++i) {
    out[54 + i * 4] = entries[i].Blue;
    out[55 + i * 4] = entries[i].Green;
    out[56 + i * 4] = entries[i].Red;
  }
  for (int y = 0; y < H; ++y)
    std::memcpy(&out[offset + size_t(H - 1 - y) * size_t(Stride)], ScanLine(y), size_t(Stride));
  stream.WriteBuffer(out.data(), int32_t(out.size()));
}

void TBitmap::LoadFromResourceName(const std::string& name) {
  TResourceStream resource(name, "#2");
  LoadFromDib(resource.Memory(), size_t(resource.Size()));
}
