#pragma once
// Inflating zlib streams: at once from a buffer, or on demand through a read-only stream.

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

#include <zlib.h>

// Data that is not a complete, valid zlib stream.
class EZlibError : public Exception {
public:
  using Exception::Exception;
};

struct THeapFree {
  void operator()(void* p) const { std::free(p); }
};
// A block of the general heap, released with free.
using THeapBlock = std::unique_ptr<uint8_t, THeapFree>;

// Inflates the complete zlib stream Input into a new block. The estimate ExpectedLength (0 for
// none) sizes the first block; it grows by the input length rounded up to 256 until the stream
// ends, and is trimmed to the exact length at the end (a null block for 0 bytes). Input is
// read to the end before Output is touched. Raises EZlibError for an empty, corrupt or
// truncated stream or one that needs a preset dictionary, leaving Output as it was.
void InflateBuffer(const void* Input, int32_t InputLength, THeapBlock& Output,
                   int32_t& OutputLength, int32_t ExpectedLength);

// The rounding step of InflateBuffer: InputLength rounded up to a multiple of 256 (wider than
// 32 bits, since the largest lengths round up past the 32-bit range).
constexpr int64_t InflateIncrement(int32_t inputLength) {
  return (int64_t(inputLength) + 255) & ~int64_t(255);
}

class TCustomZStream : public TStream {
public:
  explicit TCustomZStream(TStream& source);
  TCustomZStream(const TCustomZStream&) = delete;
  TCustomZStream& operator=(const TCustomZStream&) = delete;

  TStream& Source;        // not owned
  int32_t SourcePosition; // where in Source the next compressed bytes come from
  z_stream ZStream{};     // total_out is this stream's position
  uint8_t Buffer[65536];  // compressed bytes taken from Source
};

class TZDecompressionStream : public TCustomZStream {
public:
  explicit TZDecompressionStream(TStream& source);
  ~TZDecompressionStream() override;

  // Fills buffer from Source's compressed bytes; fewer bytes only when the data ends.
  // Raises EZlibError for corrupt data.
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  // Seek(0, 0) rewinds to the absolute start of Source; forward moves inflate and discard;
  // everything else leaves the position.
  int32_t Seek(int32_t offset, uint16_t origin) override;

  int32_t SourceLimit = 0x7FFFFFFF; // cap on the compressed bytes taken from Source
  int32_t SourceRead = 0;           // compressed bytes taken so far
};
