#pragma once
// A device-independent bitmap of 1, 4, 8 or 24 bits per pixel with an optional palette.
// Row 0 is the top row; rows are padded to 4 bytes as in a DIB. The palette handle set on a
// bitmap belongs to it from then on.

#include "platform/os/System.h"
#include "platform/rtl/Streams.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit };

int BitsPerPixel(TPixelFormat format); // pfDevice counts as 24

class TBitmap {
public:
  TBitmap() = default;
  virtual ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return W; }
  int Height() const { return H; }
  // Changing the size or the format clears the pixels.
  void SetWidth(int width);
  void SetHeight(int height);
  void SetSize(int width, int height);
  TPixelFormat PixelFormat() const { return Format; }
  void SetPixelFormat(TPixelFormat format);
  bool Empty() const { return W == 0 || H == 0; }

  Handle Palette() const { return PaletteHandle; }
  // Takes ownership of palette; the previous palette, if another, is deleted.
  void SetPalette(Handle palette);
  // The palette's entries as the system reports them (empty without a palette).
  std::vector<TPaletteEntry> PaletteEntries() const;

  uint8_t* ScanLine(int y);
  const uint8_t* ScanLine(int y) const;
  int RowStride() const { return Stride; }

  // Copies pixels and format, and gives this bitmap a palette of its own with the same
  // entries.
  void Assign(const TBitmap& source);

  // A bitmap file (BITMAPFILEHEADER and DIB); raises EAbort for anything else.
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream);
  // A bitmap resource of the executable (a DIB without file header, type RT_BITMAP).
  void LoadFromResourceName(const std::string& name);
  // Reads a packed DIB: BITMAPINFOHEADER, colour table, bottom-up or top-down rows.
  void LoadFromDib(const uint8_t* data, size_t size);

private:
  void Allocate();
  int W = 0, H = 0;
  TPixelFormat Format = TPixelFormat::pfDevice;
  int Stride = 0;
  std::vector<uint8_t> Pixels;
  Handle PaletteHandle = 0;
};
