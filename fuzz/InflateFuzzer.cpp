// InflateBuffer on any bytes, with an estimate taken from the first byte: the exact bytes zlib
// itself inflates, or EZlibError where zlib does not reach the end of the stream.
#include "compress/Zlib.h"

#include "FuzzSupport.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // 0 means no estimate; otherwise from far too small to several times the input.
  const int32_t expected = data[0] == 0 ? 0 : int32_t(data[0]) * int32_t(data[0]) / 4;
  const uint8_t* input = data + 1;
  const int32_t length = int32_t(size - 1);
  const TReference reference = ReferenceInflate(input, size - 1);

  THeapBlock output;
  int32_t outputLength = -1;
  try {
    InflateBuffer(input, length, output, outputLength, expected);
  } catch (const EZlibError&) {
    if (reference.Complete && length > 0) Finding("a valid stream raised");
    if (output || outputLength != -1) Finding("a failure changed the output");
    return 0;
  }
  if (!reference.Complete) Finding("a bad stream inflated");
  if (size_t(outputLength) != reference.Bytes.size()) Finding("wrong length");
  if (outputLength == 0 ? output != nullptr
                        : std::memcmp(output.get(), reference.Bytes.data(), size_t(outputLength)))
    Finding("wrong bytes");
  return 0;
}
