#pragma once
// Reduces a true-colour picture to 256 colours: median cut on the picture's own colours, each
// pixel then mapped to its nearest palette entry. Deterministic: the same picture gives the
// same palette and indices.

#include "Canvas.h"

#include <array>
#include <cstdint>
#include <vector>

struct TIndexedImage {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Indices; // top row first
  std::array<std::array<uint8_t, 3>, 256> Palette{};
};

TIndexedImage Quantize(const TCanvas& canvas);
