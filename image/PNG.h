#pragma once
// PNG pictures of the palette kind as bitmaps. The reader knows four chunk types, skips every
// other chunk and does not verify CRCs; the decoder handles non-interlaced palette indices of
// 1, 2, 4 or 8 bits (16 keeps the high byte). Bad input raises EAbort.

#include "platform/gui/Bitmap.h"
#include "platform/os/System.h"
#include "platform/rtl/Streams.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TChunk;
class TChunkList;

// A chunk's four type bytes in file order.
using TChunkCode = std::array<uint8_t, 4>;

// The class of a chunk, as the registry holds it: Create is its virtual constructor, Parent
// its base class (null for TChunk).
struct TChunkClassInfo {
  const TChunkClassInfo* Parent;
  std::unique_ptr<TChunk> (*Create)(TChunkList& owner);
};
using TChunkClass = const TChunkClassInfo*;

class TPNGImage : public TBitmap {
public:
  // Reads one PNG file from the stream's current position.
  void LoadFromStream(TStream& stream) override;
  // Writes nothing.
  void SaveToStream(TStream& stream) override;
};

class TChunk {
public:
  static const TChunkClassInfo Class;
  explicit TChunk(TChunkList& owner) : TChunk(owner, &Class) {}
  virtual ~TChunk() = default;
  TChunk(const TChunk&) = delete;
  TChunk& operator=(const TChunk&) = delete;

  // Runs once for every listed chunk after the whole file has been read.
  virtual void Process() {}

  TChunkClass ClassType() const { return OwnClass; }
  bool InheritsFrom(TChunkClass chunkClass) const;
  // The list's first chunk: the header once the load's checks have passed.
  TChunk& Header() const;

  TChunkList& Owner;  // not owned
  TMemoryStream Data; // the data bytes as they stand in the file
  TChunkCode ChunkType{};

protected:
  // Sets ChunkType to the code the registry holds for ownClass (zeros if it holds none).
  TChunk(TChunkList& owner, TChunkClass ownClass);

private:
  TChunkClass OwnClass;
};

class TChunkIHDR : public TChunk {
public:
  static const TChunkClassInfo Class;
  // Data is 13 bytes before any is copied in, so a short header still has every field.
  explicit TChunkIHDR(TChunkList& owner);
};

class TChunkPLTE : public TChunk {
public:
  static const TChunkClassInfo Class;
  explicit TChunkPLTE(TChunkList& owner) : TChunk(owner, &Class) {}
  // Deletes Palette unless the image has taken it.
  ~TChunkPLTE() override;

  // Replaces Palette with one made of Data's red, green, blue triples (at most 256).
  Handle BuildPalette();

  Handle Palette = 0;
};

class TChunkIDAT : public TChunk {
public:
  static const TChunkClassInfo Class;
  explicit TChunkIDAT(TChunkList& owner) : TChunk(owner, &Class) {}

  // Decodes the gathered image data of the file into the owner's image.
  void Process() override;

  // Bytes of one row without its filter-type byte.
  int32_t RowBytes() const;
  // The filter distance, 1 for every bit depth.
  static constexpr int32_t BytesPerPixel() { return 1; }
  // Reverses one row's filter in place; filter types above 4 raise EAbort.
  static void Unfilter(uint8_t filterType, uint8_t* row, const uint8_t* previousRow,
                       int32_t bytesPerPixel, int32_t rowBytes);
  // Converts one reconstructed row to the bitmap's pixel format and copies it to destination.
  void StoreRow(uint8_t* destination, const uint8_t* row, int32_t rowBytes) const;

private:
  int32_t Width() const;
  int32_t Height() const;
  uint8_t BitDepth() const;
};

class TChunkIEND : public TChunk {
public:
  static const TChunkClassInfo Class;
  explicit TChunkIEND(TChunkList& owner) : TChunk(owner, &Class) {}
};

// Maps type codes to chunk classes.
class TChunkClasses {
public:
  struct TEntry {
    TChunkCode ChunkType;
    TChunkClass ChunkClass;
  };

  void Register(const TChunkCode& chunkType, TChunkClass chunkClass);
  // The first record with exactly these bytes (case matters), or -1.
  int IndexOfType(const TChunkCode& chunkType) const;
  // The first record of exactly this class, or -1.
  int IndexOfClass(TChunkClass chunkClass) const;

  std::vector<TEntry> Entries;
};

// IEND, IHDR, IDAT, PLTE, in this order; lives as long as the process.
extern TChunkClasses ChunkClasses;

// The chunks of one load, in file order; all IDAT data is gathered into the first IDAT chunk.
class TChunkList {
public:
  explicit TChunkList(TPNGImage& image) : Image(image) {}
  TChunkList(const TChunkList&) = delete;
  TChunkList& operator=(const TChunkList&) = delete;

  TChunk& Add(std::unique_ptr<TChunk> chunk);
  // Searches from the last chunk: with several of one class, the last one.
  int IndexOfClass(TChunkClass chunkClass) const;
  // Reads one chunk; false once IEND has been read.
  bool ReadChunk(TStream& stream);

  TPNGImage& Image; // not owned
  std::vector<std::unique_ptr<TChunk>> Items;
};

// The predictor of filter type 4; ties go to left, then to above.
uint8_t PaethPredictor(uint8_t left, uint8_t above, uint8_t upperLeft);
