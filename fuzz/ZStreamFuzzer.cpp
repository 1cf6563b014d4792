// Reads and seeks through TZDecompressionStream, driven by the input: a few operations, then
// the compressed bytes. Every byte read must be the byte zlib itself inflates at that
// position; the only exceptions allowed are EZlibError and, for skips past the end, EAbort.
#include "compress/Zlib.h"
#include "platform/rtl/Exceptions.h"

#include "FuzzSupport.h"

#include <cstring>
#include <vector>

namespace {

struct TOperation {
  uint8_t Code;
  uint16_t Argument;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t count = std::min<size_t>(data[0] % 16, (size - 1) / 3);
  std::vector<TOperation> operations;
  for (size_t i = 0; i < count; ++i)
    operations.push_back({data[1 + 3 * i], uint16_t(data[2 + 3 * i] | data[3 + 3 * i] << 8)});
  const uint8_t* compressed = data + 1 + 3 * count;
  const size_t compressedSize = size - 1 - 3 * count;
  const TReference reference = ReferenceInflate(compressed, compressedSize);

  TMemoryStream source;
  source.WriteBuffer(compressed, int32_t(compressedSize));
  source.SetPosition(0);
  TZDecompressionStream stream(source);
  std::vector<uint8_t> buffer(65536);
  for (const TOperation& op : operations) {
    const int32_t before = stream.Position();
    const int32_t n = op.Argument;
    try {
      switch (op.Code % 8) {
      case 0:
      case 1: {
        const int32_t got = stream.Read(buffer.data(), n);
        if (got < 0 || got > n) Finding("Read returned a count out of range");
        if (stream.Position() != before + got) Finding("Read moved the position wrongly");
        if (size_t(before) + size_t(got) > reference.Bytes.size() ||
            std::memcmp(buffer.data(), reference.Bytes.data() + before, size_t(got)) != 0)
          Finding("Read gave bytes zlib does not");
        break;
      }
      case 2: stream.SetPosition(n); break;
      case 3: stream.Seek(n - 32768, soFromCurrent); break;
      case 4: stream.Seek(n - 32768, soFromEnd); break;
      case 5:
        if (stream.Size() != before) Finding("Size is not the position");
        break;
      case 6: source.SetPosition(n); break; // other code moves the source between reads
      case 7:
        if (stream.Read(buffer.data(), -n) != -n) Finding("a negative count came back changed");
        break;
      }
    } catch (const EZlibError&) {
      if (reference.Complete) Finding("a valid stream raised");
    } catch (const EAbort&) {
      // Only a skip runs past the end.
      if (op.Code % 8 != 2 && op.Code % 8 != 3) Finding("EAbort from no skip");
    }
    const int32_t after = stream.Position();
    if (after < 0 || size_t(after) > reference.Bytes.size()) Finding("position beyond the data");
  }
  return 0;
}
