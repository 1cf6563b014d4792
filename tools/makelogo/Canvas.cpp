#include "Canvas.h"

#include <algorithm>

TRgb Mix(const TRgb& a, const TRgb& b, double t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

TRgb Scale(const TRgb& c, double factor) {
  return {c.R * factor, c.G * factor, c.B * factor};
}

TCanvas::TCanvas(int width, int height) : W(width), H(height), Pixels(size_t(W) * size_t(H)) {}

void TCanvas::Paint(int x0, int y0, int x1, int y1,
                    const std::function<TSample(double, double)>& layer) {
  constexpr int Grid = 4;
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, W);
  y1 = std::min(y1, H);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      TRgb sum;
      double alpha = 0;
      for (int j = 0; j < Grid; ++j)
        for (int i = 0; i < Grid; ++i) {
          const TSample s = layer(x + (i + 0.5) / Grid, y + (j + 0.5) / Grid);
          sum = {sum.R + s.Colour.R * s.Alpha, sum.G + s.Colour.G * s.Alpha,
                 sum.B + s.Colour.B * s.Alpha};
          alpha += s.Alpha;
        }
      if (alpha <= 0) continue;
      const TRgb colour = Scale(sum, 1 / alpha);
      At(x, y) = Mix(At(x, y), colour, alpha / (Grid * Grid));
    }
}

void TCanvas::Add(const std::function<double(double, double)>& weight, const TRgb& colour) {
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const double w = weight(x + 0.5, y + 0.5);
      TRgb& p = At(x, y);
      p = {p.R + colour.R * w, p.G + colour.G * w, p.B + colour.B * w};
    }
}
