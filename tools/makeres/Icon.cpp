#include "Icon.h"

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

TRgba Hex(uint32_t rgb, double alpha = 1) {
  return TRgba{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0,
               alpha};
}

TRgba Mix(const TRgba& a, const TRgba& b, double t) {
  t = t < 0 ? 0 : t > 1 ? 1 : t;
  return TRgba{a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t,
               a.A + (b.A - a.A) * t};
}

bool InRoundedRect(double x, double y, double l, double t, double r, double b, double radius) {
  if (x < l || x > r || y < t || y > b) return false;
  const double cx = x < l + radius ? l + radius : x > r - radius ? r - radius : x;
  const double cy = y < t + radius ? t + radius : y > b - radius ? b - radius : y;
  const double dx = x - cx, dy = y - cy;
  return dx * dx + dy * dy <= radius * radius;
}

// Coordinates of the page, which leans a little to the left.
struct TPageFrame {
  double Angle = -7 * Pi / 180;
  double Cx = 0.45, Cy = 0.5;
  void ToPage(double x, double y, double& u, double& v) const {
    const double dx = x - Cx, dy = y - Cy;
    u = dx * std::cos(-Angle) - dy * std::sin(-Angle) + Cx;
    v = dx * std::sin(-Angle) + dy * std::cos(-Angle) + Cy;
  }
};

constexpr double PageL = 0.21, PageT = 0.15, PageR = 0.69, PageB = 0.85, Fold = 0.13;

bool InPage(double u, double v) {
  if (u < PageL || u > PageR || v < PageT || v > PageB) return false;
  return (PageR - u) + (v - PageT) >= Fold; // the folded corner is cut off
}

// The quill in its own frame: a along the shaft from the nib (0) to the tip (1), b across.
struct TQuill {
  double Bx = 0.30, By = 0.88; // nib
  double Tx = 0.88, Ty = 0.10; // tip of the feather
  void ToQuill(double x, double y, double& a, double& b) const {
    const double dx = Tx - Bx, dy = Ty - By, len2 = dx * dx + dy * dy;
    const double px = x - Bx, py = y - By;
    a = (px * dx + py * dy) / len2;
    b = (dx * py - dy * px) / len2; // across, in the same scale
    b -= 0.07 * std::sin(Pi * a);   // the shaft bends
  }
};

} // namespace

TRaster PaintIcon(int size) {
  TRaster raster(size, size);
  const bool small = size <= 16;
  const bool medium = size <= 32;
  const int samples = 4;
  const double px = 1.0 / size;

  // The tile.
  const TRgba tileTop = Hex(0x2E56C2), tileBottom = Hex(0x0F2369);
  raster.Fill(
      [&](double x, double y, TRgba& c) {
        const double inset = small ? 0.0 : 0.04;
        if (!InRoundedRect(x, y, inset, inset, 1 - inset, 1 - inset, small ? 0.16 : 0.2))
          return false;
        c = Mix(tileTop, tileBottom, (y - inset) / (1 - 2 * inset));
        // A rim of light along the top edge.
        if (!small && !InRoundedRect(x, y, inset, inset + 2 * px, 1 - inset, 1 - inset, 0.2))
          c = Mix(c, Hex(0x7C9BEA), 0.6);
        return true;
      },
      samples);

  const TPageFrame frame;
  // The page's shadow, then the page.
  raster.Fill(
      [&](double x, double y, TRgba& c) {
        double u, v;
        frame.ToPage(x - 0.025, y - 0.03, u, v);
        if (!InPage(u, v)) return false;
        c = Hex(0x050E30, 0.45);
        return true;
      },
      samples);
  raster.Fill(
      [&](double x, double y, TRgba& c) {
        double u, v;
        frame.ToPage(x, y, u, v);
        if (!InPage(u, v)) return false;
        c = Mix(Hex(0xFFFCF3), Hex(0xEFE6D0), (v - PageT) / (PageB - PageT));
        // Ruled lines.
        const int lines = small ? 3 : 6;
        const double first = PageT + (small ? 0.22 : 0.2), step = small ? 0.17 : 0.095;
        const double thick = small ? 0.07 : medium ? 0.04 : 0.028;
        for (int i = 0; i < lines; ++i) {
          const double ly = first + i * step;
          const double right = i == lines - 1 ? PageR - 0.2 : PageR - (i == 0 ? Fold + 0.02 : 0.07);
          if (v >= ly && v < ly + thick && u >= PageL + 0.07 && u <= right)
            c = Hex(small ? 0x3C5CB8 : 0x7D93CB);
        }
        return true;
      },
      samples);
  // The folded corner.
  raster.Fill(
      [&](double x, double y, TRgba& c) {
        double u, v;
        frame.ToPage(x, y, u, v);
        const double du = PageR - u, dv = v - PageT;
        if (du < 0 || dv < 0 || du > Fold || dv > Fold || du + dv > Fold) return false;
        if (u < PageR - Fold || v > PageT + Fold) return false;
        // The triangle below the fold line, seen from behind.
        if (du < dv) return false;
        c = Mix(Hex(0xE4D6B2), Hex(0xC9B78C), (du - dv) / Fold);
        return true;
      },
      samples);

  // The quill: its shadow on the page, the vane, the shaft, the nib.
  const TQuill quill;
  const double vane = small ? 0.13 : 0.11;
  auto vaneHalf = [&](double a, bool upper) {
    if (a < 0.22 || a > 1) return 0.0;
    const double t = (a - 0.22) / 0.78;
    const double w = vane * std::pow(std::sin(Pi * std::pow(t, 0.75)), 0.8);
    return upper ? w : w * 0.7;
  };
  auto inVane = [&](double x, double y, double& a, double& b) {
    quill.ToQuill(x, y, a, b);
    const double w = vaneHalf(a, b > 0);
    if (std::fabs(b) > w) return false;
    // Notches cut into the barbs.
    if (!medium && b > 0 && a > 0.45 && a < 0.5 && b > w * 0.45) return false;
    if (!medium && b < 0 && a > 0.62 && a < 0.66 && -b > w * 0.5) return false;
    return true;
  };
  if (!small)
    raster.Fill(
        [&](double x, double y, TRgba& c) {
          double a, b;
          if (!inVane(x - 0.03, y - 0.035, a, b)) return false;
          c = Hex(0x050E30, 0.35);
          return true;
        },
        samples);
  raster.Fill(
      [&](double x, double y, TRgba& c) {
        double a, b;
        if (!inVane(x, y, a, b)) return false;
        const double w = vaneHalf(a, b > 0);
        const TRgba light = Hex(0xFFE08A), gold = Hex(0xE9AE2E), deep = Hex(0xA86F12);
        c = b > 0 ? Mix(light, gold, b / w) : Mix(gold, deep, -b / w);
        // Barbs: faint stripes slanting toward the tip.
        if (!medium && std::fmod((a * 9 + std::fabs(b) * 30), 1.0) < 0.12) c = Mix(c, deep, 0.35);
        return true;
      },
      samples);
  raster.Fill(
      [&](double x, double y, TRgba& c) {
        double a, b;
        quill.ToQuill(x, y, a, b);
        const double half = (small ? 0.035 : medium ? 0.022 : 0.012) * (1.2 - 0.6 * a);
        if (a < 0.06 || a > 0.97 || std::fabs(b) > half) return false;
        c = Hex(a < 0.22 ? 0xF6E7C0 : 0x8A5A12);
        return true;
      },
      samples);
  // The nib: a dark point with a slit.
  raster.Fill(
      [&](double x, double y, TRgba& c) {
        double a, b;
        quill.ToQuill(x, y, a, b);
        if (a < -0.02 || a > 0.08) return false;
        const double half = (small ? 0.05 : 0.035) * ((a + 0.02) / 0.1);
        if (std::fabs(b) > half) return false;
        c = Hex(0x2A2418);
        if (!medium && std::fabs(b) < 0.003 && a > 0.01) c = Hex(0xE9AE2E);
        return true;
      },
      samples);
  return raster;
}
