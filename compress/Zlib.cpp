#include "compress/Zlib.h"

#include <algorithm>
#include <new>

namespace {

constexpr const char* SZlibCorrupt = "Invalid compressed data";
constexpr const char* SZlibTruncated = "Compressed data ends early";
constexpr const char* SZlibDictionary = "Compressed data needs a preset dictionary";
constexpr const char* SZlibInit = "Cannot start decompression";

[[noreturn]] void Fail(int result) {
  throw EZlibError(result == Z_NEED_DICT ? SZlibDictionary : SZlibCorrupt);
}

bool IsError(int result) {
  return result == Z_NEED_DICT || result == Z_DATA_ERROR || result == Z_STREAM_ERROR ||
         result == Z_MEM_ERROR;
}

// inflateEnd on every way out.
class TInflateGuard {
public:
  explicit TInflateGuard(z_stream& zs) : ZS(zs) {}
  ~TInflateGuard() { inflateEnd(&ZS); }
  TInflateGuard(const TInflateGuard&) = delete;
  TInflateGuard& operator=(const TInflateGuard&) = delete;

private:
  z_stream& ZS;
};

void Resize(THeapBlock& block, size_t size) {
  void* p = std::realloc(block.get(), size ? size : 1);
  if (!p) throw std::bad_alloc();
  (void)block.release();
  block.reset(static_cast<uint8_t*>(p));
}

} // namespace

void InflateBuffer(const void* Input, int32_t InputLength, THeapBlock& Output,
                   int32_t& OutputLength, int32_t ExpectedLength) {
  // An empty input is no zlib stream, and an increment of 0 could never make room.
  if (!Input || InputLength <= 0) throw EZlibError(SZlibTruncated);
  const int64_t increment = InflateIncrement(InputLength);
  int64_t length = ExpectedLength > 0 ? ExpectedLength : increment;
  if (length > INT32_MAX) throw std::bad_alloc();
  THeapBlock block(static_cast<uint8_t*>(std::malloc(size_t(length))));
  if (!block) throw std::bad_alloc();

  z_stream zs{};
  zs.next_in = static_cast<Bytef*>(const_cast<void*>(Input));
  zs.avail_in = uInt(InputLength);
  zs.next_out = block.get();
  zs.avail_out = uInt(length);
  if (inflateInit(&zs) != Z_OK) throw EZlibError(SZlibInit);
  {
    TInflateGuard guard(zs);
    while (true) {
      int result = inflate(&zs, Z_NO_FLUSH);
      if (result == Z_STREAM_END) break;
      if (IsError(result)) Fail(result);
      // Room left over without the end means the input ran out: the stream is cut short.
      if (zs.avail_out != 0) throw EZlibError(SZlibTruncated);
      if (length > INT32_MAX - increment) throw std::bad_alloc();
      length += increment;
      Resize(block, size_t(length));
      zs.next_out = block.get() + zs.total_out;
      zs.avail_out = uInt(increment);
    }
  }
  const int32_t total = int32_t(zs.total_out);
  if (total == 0)
    block.reset();
  else
    Resize(block, size_t(total));
  Output = std::move(block);
  OutputLength = total;
}

TCustomZStream::TCustomZStream(TStream& source)
    : Source(source), SourcePosition(source.Position()) {}

TZDecompressionStream::TZDecompressionStream(TStream& source) : TCustomZStream(source) {
  ZStream.next_in = Buffer;
  ZStream.avail_in = 0;
  if (inflateInit(&ZStream) != Z_OK) throw EZlibError(SZlibInit);
}

TZDecompressionStream::~TZDecompressionStream() {
  inflateEnd(&ZStream);
}

int32_t TZDecompressionStream::Read(void* buffer, int32_t count) {
  ZStream.next_out = static_cast<Bytef*>(buffer);
  ZStream.avail_out = count > 0 ? uInt(count) : 0;
  if (Source.Position() != SourcePosition) Source.SetPosition(SourcePosition);
  if (count <= 0) return count;
  while (ZStream.avail_out > 0) {
    if (ZStream.avail_in == 0) {
      int32_t want = int32_t(sizeof Buffer);
      if (SourceRead > SourceLimit - want) want = SourceLimit - SourceRead;
      int32_t got = want > 0 ? Source.Read(Buffer, want) : 0;
      ZStream.avail_in = uInt(std::max(got, 0));
      SourceRead += std::max(got, 0);
      if (got <= 0) {
        // A stream that failed stays failed, even with no input left to show it.
        const int result = inflate(&ZStream, Z_NO_FLUSH);
        if (IsError(result)) Fail(result);
        return count - int32_t(ZStream.avail_out);
      }
      ZStream.next_in = Buffer;
      SourcePosition = Source.Position();
    }
    uInt inBefore = ZStream.avail_in, outBefore = ZStream.avail_out;
    int result = inflate(&ZStream, Z_NO_FLUSH);
    if (IsError(result)) Fail(result);
    // Past the end of the zlib stream nothing more comes, whatever input remains; and a call
    // that moved nothing would move nothing again.
    if (result == Z_STREAM_END || (ZStream.avail_in == inBefore && ZStream.avail_out == outBefore))
      return count - int32_t(ZStream.avail_out);
  }
  return count;
}

int32_t TZDecompressionStream::Write(const void*, int32_t) {
  return 0;
}

int32_t TZDecompressionStream::Seek(int32_t offset, uint16_t origin) {
  const int32_t position = int32_t(ZStream.total_out);
  if (offset == 0 && origin == soFromBeginning) {
    inflateReset(&ZStream);
    ZStream.next_in = Buffer;
    ZStream.avail_in = 0;
    Source.SetPosition(0);
    SourcePosition = 0;
  } else if ((origin == soFromCurrent && offset >= 0) ||
             (origin == soFromBeginning && offset > position)) {
    int32_t distance = origin == soFromCurrent ? offset : offset - position;
    uint8_t scratch[4096];
    for (int32_t i = 0; i < distance / 4096; ++i) ReadBuffer(scratch, sizeof scratch);
    ReadBuffer(scratch, distance % 4096);
  }
  return int32_t(ZStream.total_out);
}
