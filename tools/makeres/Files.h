#pragma once
// The file formats the resources are written in: PNG, icon, 16-colour bitmap, manifest.

#include "Raster.h"

#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

// RGBA, 8 bits per channel, compressed at zlib's level 9 (the same bytes every time).
TBytes EncodePng(const TRaster& image);
// An icon file: images of 48 pixels and more as PNG, the others as 32-bit images with an AND
// mask.
TBytes EncodeIcon(const std::vector<TRaster>& images);

// A 16-colour bitmap file from rows of palette letters (see Bitmaps.cpp).
TBytes EncodeBitmap16(const std::vector<std::string>& rows, const uint32_t palette[16],
                      const std::string& letters);
