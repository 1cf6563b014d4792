#pragma once
// A true-colour picture in doubles (0 to 255 per channel), top row first, painted in layers.

#include <functional>
#include <vector>

struct TRgb {
  double R = 0, G = 0, B = 0;
};

TRgb Mix(const TRgb& a, const TRgb& b, double t); // a at 0, b at 1
TRgb Scale(const TRgb& c, double factor);

// What a layer shows at one point: its colour and how much of the point it covers (0 to 1).
struct TSample {
  TRgb Colour;
  double Alpha = 0;
};

class TCanvas {
public:
  TCanvas(int width, int height);
  int Width() const { return W; }
  int Height() const { return H; }
  TRgb& At(int x, int y) { return Pixels[size_t(y) * size_t(W) + size_t(x)]; }
  const TRgb& At(int x, int y) const { return Pixels[size_t(y) * size_t(W) + size_t(x)]; }

  // Lays the layer over the pixels of the box [x0, x1) x [y0, y1), sampling each pixel on a
  // 4 x 4 grid so that edges are smooth. Coordinates are pixel units, (0, 0) the top-left
  // corner of the top-left pixel.
  void Paint(int x0, int y0, int x1, int y1, const std::function<TSample(double, double)>& layer);
  // Adds light: colour scaled by the weight at the pixel's centre.
  void Add(const std::function<double(double, double)>& weight, const TRgb& colour);

private:
  int W, H;
  std::vector<TRgb> Pixels;
};
