#pragma once
// A PNG file of 8-bit palette indices: IHDR, one PLTE of 256 entries, one IDAT with every row
// of filter type 0, IEND.

#include "Quantize.h"

#include <string>

std::string EncodePalettePng(const TIndexedImage& image);
