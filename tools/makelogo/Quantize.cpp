#include "Quantize.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using TColour = std::array<uint8_t, 3>;

struct TEntry {
  TColour Colour;
  uint32_t Count;
};

struct TBox {
  std::vector<TEntry> Entries;
  double Error = 0; // sum of squared distances from the mean, by pixel
  std::array<double, 3> Mean{};
  std::array<double, 3> Variance{};
};

uint8_t Channel(double v) {
  return uint8_t(std::lround(std::min(255.0, std::max(0.0, v))));
}

void Measure(TBox& box) {
  double n = 0;
  std::array<double, 3> sum{}, squares{};
  for (const TEntry& e : box.Entries)
    for (int c = 0; c < 3; ++c) {
      sum[size_t(c)] += double(e.Colour[size_t(c)]) * e.Count;
      squares[size_t(c)] += double(e.Colour[size_t(c)]) * e.Colour[size_t(c)] * e.Count;
    }
  for (const TEntry& e : box.Entries) n += e.Count;
  box.Error = 0;
  for (size_t c = 0; c < 3; ++c) {
    box.Mean[c] = sum[c] / n;
    box.Variance[c] = squares[c] / n - box.Mean[c] * box.Mean[c];
    box.Error += box.Variance[c] * n;
  }
}

// Splits at the pixel median of the channel that varies most.
std::pair<TBox, TBox> Split(TBox box) {
  size_t axis = 0;
  for (size_t c = 1; c < 3; ++c)
    if (box.Variance[c] > box.Variance[axis]) axis = c;
  std::stable_sort(
      box.Entries.begin(), box.Entries.end(),
      [axis](const TEntry& a, const TEntry& b) { return a.Colour[axis] < b.Colour[axis]; });
  uint64_t total = 0, running = 0;
  for (const TEntry& e : box.Entries) total += e.Count;
  size_t cut = 1;
  for (size_t i = 0; i + 1 < box.Entries.size(); ++i) {
    running += box.Entries[i].Count;
    cut = i + 1;
    if (running * 2 >= total) break;
  }
  TBox a, b;
  const auto middle = box.Entries.begin() + long(cut);
  a.Entries = std::vector<TEntry>(box.Entries.begin(), middle);
  b.Entries = std::vector<TEntry>(middle, box.Entries.end());
  Measure(a);
  Measure(b);
  return {a, b};
}

double Distance2(const TColour& a, const std::array<uint8_t, 3>& b) {
  double d = 0;
  for (size_t c = 0; c < 3; ++c) d += (double(a[c]) - b[c]) * (double(a[c]) - b[c]);
  return d;
}

} // namespace

TIndexedImage Quantize(const TCanvas& canvas) {
  TIndexedImage out;
  out.Width = canvas.Width();
  out.Height = canvas.Height();
  std::vector<TColour> pixels;
  std::map<TColour, uint32_t> histogram;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      const TRgb& p = canvas.At(x, y);
      const TColour c{Channel(p.R), Channel(p.G), Channel(p.B)};
      pixels.push_back(c);
      ++histogram[c];
    }

  std::vector<TBox> boxes(1);
  for (const auto& [colour, count] : histogram) boxes[0].Entries.push_back({colour, count});
  Measure(boxes[0]);
  while (boxes.size() < 256) {
    size_t worst = boxes.size();
    for (size_t i = 0; i < boxes.size(); ++i)
      if (boxes[i].Entries.size() > 1 &&
          (worst == boxes.size() || boxes[i].Error > boxes[worst].Error))
        worst = i;
    if (worst == boxes.size()) break; // every colour has an entry of its own
    auto [a, b] = Split(boxes[worst]);
    boxes[worst] = std::move(a);
    boxes.push_back(std::move(b));
  }

  std::vector<TColour> palette;
  for (const TBox& box : boxes)
    palette.push_back({Channel(box.Mean[0]), Channel(box.Mean[1]), Channel(box.Mean[2])});
  // Dark to light, so the palette reads as a ramp.
  std::stable_sort(palette.begin(), palette.end(), [](const TColour& a, const TColour& b) {
    const int la = 299 * a[0] + 587 * a[1] + 114 * a[2], lb = 299 * b[0] + 587 * b[1] + 114 * b[2];
    return la != lb ? la < lb : a < b;
  });
  for (size_t i = 0; i < palette.size(); ++i) out.Palette[i] = palette[i];

  std::map<TColour, uint8_t> nearest;
  for (const auto& entry : histogram) {
    size_t best = 0;
    for (size_t i = 1; i < palette.size(); ++i)
      if (Distance2(entry.first, palette[i]) < Distance2(entry.first, palette[best])) best = i;
    nearest[entry.first] = uint8_t(best);
  }
  for (const TColour& c : pixels) out.Indices.push_back(nearest[c]);
  return out;
}
