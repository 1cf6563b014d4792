#pragma once
// Small PNG files built in tests: chunks with their CRC, rows filtered and deflated with zlib.
// Bytes are held in std::string so that literals read as the file does.

#include "ZlibFixture.h"

#include "image/PNG.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace pngfix {

std::string Bytes(std::initializer_list<int> bytes);
std::string BigEndian(uint32_t value);

// Length, type, data and the CRC over type and data.
std::string Chunk(const std::string& type, const std::string& data);
// A chunk whose length field says length, whatever data holds; no CRC follows.
std::string RawChunk(uint32_t length, const std::string& type, const std::string& data = "");
std::string Ihdr(int32_t width, int32_t height, uint8_t bitDepth, uint8_t colourType = 3);
// Entry i is (i, 2i, 255 - i) modulo 256.
std::string Plte(int entries);
std::string Iend();
// The PNG signature followed by the chunks.
std::string Png(std::initializer_list<std::string> chunks);

// The row filtered with filterType against the row above (standard filter definitions,
// distance 1), preceded by its filter-type byte.
std::string FilterRow(uint8_t filterType, const std::string& row, const std::string& above);
// Rows given unfiltered, each filtered with its type, joined and deflated.
std::string ImageData(const std::vector<std::string>& rows, const std::vector<uint8_t>& filters);

// A whole file: header, a palette of paletteEntries, the rows given with filter type 0.
std::string SimplePng(int32_t width, uint8_t bitDepth, const std::vector<std::string>& rows,
                      int paletteEntries = 4);

void LoadPng(TPNGImage& image, const std::string& file);
// The first count bytes of the bitmap's row y.
std::string Row(const TBitmap& bitmap, int y, int count);

} // namespace pngfix
