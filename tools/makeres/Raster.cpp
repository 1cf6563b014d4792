#include "Raster.h"

#include <algorithm>
#include <cmath>

void TRaster::Fill(const std::function<bool(double, double, TRgba&)>& paint, int samples) {
  for (int py = 0; py < H; ++py)
    for (int px = 0; px < W; ++px) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < samples; ++sy)
        for (int sx = 0; sx < samples; ++sx) {
          const double x = (px + (sx + 0.5) / samples) / W;
          const double y = (py + (sy + 0.5) / samples) / H;
          TRgba c;
          if (!paint(x, y, c)) continue;
          r += c.R * c.A;
          g += c.G * c.A;
          b += c.B * c.A;
          a += c.A;
        }
      const double n = double(samples) * samples;
      if (a <= 0) continue;
      // Source over destination, both averaged over the pixel.
      TRgba& d = Pixels[size_t(py) * size_t(W) + size_t(px)];
      const double sa = a / n;
      const double oa = sa + d.A * (1 - sa);
      if (oa <= 0) continue;
      d.R = (r / n + d.R * d.A * (1 - sa)) / oa;
      d.G = (g / n + d.G * d.A * (1 - sa)) / oa;
      d.B = (b / n + d.B * d.A * (1 - sa)) / oa;
      d.A = oa;
    }
}

std::vector<uint8_t> TRaster::Rgba8() const {
  std::vector<uint8_t> out;
  out.reserve(Pixels.size() * 4);
  auto byte = [](double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
  for (const TRgba& p : Pixels) {
    out.push_back(byte(p.R));
    out.push_back(byte(p.G));
    out.push_back(byte(p.B));
    out.push_back(byte(p.A));
  }
  return out;
}
