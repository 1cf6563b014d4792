#pragma once
// What the fuzz targets share: zlib's own inflation as the reference, and a way to report a
// wrong answer as a finding.

#include <cstddef>
#include <cstdint>
#include <string>

// Ends the run as a crash, so that libFuzzer keeps the input.
[[noreturn]] void Finding(const char* what);

// The bytes zlib itself inflates from data, up to the end of the zlib stream; Complete tells
// whether the stream ended properly (false: corrupt, cut short or needs a dictionary).
struct TReference {
  std::string Bytes;
  bool Complete = false;
};
TReference ReferenceInflate(const uint8_t* data, size_t size);
