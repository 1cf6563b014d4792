#pragma once
// A small RGBA raster with supersampled shape filling, enough to paint the product's icon.

#include <cstdint>
#include <functional>
#include <vector>

struct TRgba {
  double R = 0, G = 0, B = 0, A = 0; // 0..1, not premultiplied
};

class TRaster {
public:
  TRaster(int width, int height) : W(width), H(height), Pixels(size_t(width) * size_t(height)) {}
  int Width() const { return W; }
  int Height() const { return H; }
  const TRgba& At(int x, int y) const { return Pixels[size_t(y) * size_t(W) + size_t(x)]; }

  // Paints over the raster wherever paint gives a colour with some alpha; paint is asked at
  // samples x samples points per pixel, in coordinates where the raster spans 0..1.
  void Fill(const std::function<bool(double x, double y, TRgba& colour)>& paint, int samples);

  // 8-bit RGBA rows, top row first.
  std::vector<uint8_t> Rgba8() const;

private:
  int W, H;
  std::vector<TRgba> Pixels;
};
