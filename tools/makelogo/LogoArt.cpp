#include "LogoArt.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;
// How far the page and the quill stand below the top of the column.
constexpr double Drop = 16;

struct TPoint {
  double X, Y;
};

TPoint Add(TPoint a, TPoint b) {
  return {a.X + b.X, a.Y + b.Y};
}
TPoint Sub(TPoint a, TPoint b) {
  return {a.X - b.X, a.Y - b.Y};
}
TPoint Times(TPoint a, double k) {
  return {a.X * k, a.Y * k};
}
double Dot(TPoint a, TPoint b) {
  return a.X * b.X + a.Y * b.Y;
}
double Cross(TPoint a, TPoint b) {
  return a.X * b.Y - a.Y * b.X;
}
double Length(TPoint a) {
  return std::sqrt(Dot(a, a));
}

double Clamp01(double v) {
  return std::min(1.0, std::max(0.0, v));
}
double SmoothStep(double edge0, double edge1, double v) {
  const double t = Clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}
double Gauss(double dx, double dy, double sigma) {
  return std::exp(-(dx * dx + dy * dy) / (2 * sigma * sigma));
}

TRgb Rgb(int r, int g, int b) {
  return {double(r), double(g), double(b)};
}

TPoint Cubic(TPoint p0, TPoint p1, TPoint p2, TPoint p3, double t) {
  const double u = 1 - t;
  return Add(Add(Times(p0, u * u * u), Times(p1, 3 * u * u * t)),
             Add(Times(p2, 3 * u * t * t), Times(p3, t * t * t)));
}

// A curve as a polyline with the arc length at each point.
struct TPath {
  std::vector<TPoint> Points;
  std::vector<double> Arc;
  double Total() const { return Arc.back(); }
};

TPath CubicPath(TPoint p0, TPoint p1, TPoint p2, TPoint p3, int steps) {
  TPath path;
  for (int i = 0; i <= steps; ++i) {
    path.Points.push_back(Cubic(p0, p1, p2, p3, double(i) / steps));
    path.Arc.push_back(i ? path.Arc.back() +
                               Length(Sub(path.Points[size_t(i)], path.Points[size_t(i) - 1]))
                         : 0.0);
  }
  return path;
}

// The nearest point of the path: its arc length, the signed distance (positive on the left
// going along the path) and the direction there.
struct TNearest {
  double Arc = 0, Distance = 1e9;
  TPoint Direction{1, 0};
};

TNearest Nearest(const TPath& path, TPoint p) {
  // The closest of every eighth point finds the stretch; its segments give the exact answer.
  // The curves are gentle and far longer than the shapes drawn along them are wide.
  constexpr size_t Coarse = 8, Reach = 12;
  const size_t last = path.Points.size() - 1;
  size_t closest = 0;
  double closestDistance = 1e18;
  for (size_t i = 0; i <= last; i += Coarse) {
    const double d = Length(Sub(path.Points[i], p));
    if (d < closestDistance) {
      closestDistance = d;
      closest = i;
    }
  }
  const size_t from = closest > Reach ? closest - Reach : 0;
  const size_t to = std::min(last, closest + Reach);
  TNearest best;
  double bestAbs = 1e18;
  for (size_t i = from + 1; i <= to; ++i) {
    const TPoint a = path.Points[i - 1], b = path.Points[i];
    const TPoint ab = Sub(b, a);
    const double len2 = Dot(ab, ab);
    const double t = Clamp01(Dot(Sub(p, a), ab) / len2);
    const TPoint q = Add(a, Times(ab, t));
    const double d = Length(Sub(p, q));
    if (d < bestAbs) {
      bestAbs = d;
      const double len = std::sqrt(len2);
      best.Arc = path.Arc[i - 1] + t * len;
      best.Direction = Times(ab, 1 / len);
      best.Distance = Cross(best.Direction, Sub(p, a)) < 0 ? d : -d;
    }
  }
  return best;
}

// ---- the column ----

void PaintBackground(TCanvas& canvas) {
  const TRgb top = Rgb(33, 84, 168), middle = Rgb(17, 50, 118), bottom = Rgb(6, 17, 48);
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      const double t = (y + 0.5) / canvas.Height();
      TRgb c = t < 0.45 ? Mix(top, middle, SmoothStep(0, 0.45, t))
                        : Mix(middle, bottom, SmoothStep(0.45, 1, t));
      // Darker towards the page of the wizard on the right.
      const double u = (x + 0.5) / canvas.Width();
      canvas.At(x, y) = Scale(c, 1 - 0.16 * u * u);
    }
  // Soft light from the upper left, and a halo behind the page.
  canvas.Add([](double x, double y) { return 0.55 * Gauss(x - 18, y - 34, 52); },
             Rgb(70, 115, 190));
  canvas.Add([](double x, double y) { return 0.22 * Gauss(x - 60, y - 118 - Drop, 58); },
             Rgb(60, 110, 200));
}

void PaintBokeh(TCanvas& canvas) {
  const struct {
    double X, Y, Radius, Strength;
  } discs[] = {{14, 18, 9, 0.10},   {38, 50, 5, 0.09},  {96, 36, 6, 0.07},  {22, 82, 4, 0.08},
               {104, 186, 7, 0.06}, {12, 206, 5, 0.05}, {84, 236, 9, 0.05}, {58, 22, 3, 0.10}};
  for (const auto& d : discs)
    canvas.Paint(int(d.X - d.Radius - 2), int(d.Y - d.Radius - 2), int(d.X + d.Radius + 3),
                 int(d.Y + d.Radius + 3), [&](double x, double y) {
                   const double r = std::hypot(x - d.X, y - d.Y);
                   const double inside = SmoothStep(d.Radius, d.Radius - 1.5, r);
                   // Brighter at the rim, as out-of-focus light is.
                   const double rim = 0.75 + 0.25 * SmoothStep(d.Radius - 3, d.Radius - 0.5, r);
                   return TSample{Rgb(190, 215, 255), d.Strength * inside * rim};
                 });
}

void PaintWaves(TCanvas& canvas) {
  const struct {
    double Base, Amplitude, Frequency, Phase, Alpha;
  } waves[] = {{212, 13, 0.040, 0.4, 0.55}, {230, 10, 0.046, 1.3, 0.4}, {239, 9, 0.036, 2.4, 0.3}};
  for (const auto& w : waves) {
    auto curveY = [&](double x) {
      return w.Base + w.Amplitude * std::sin(w.Frequency * x + w.Phase);
    };
    canvas.Paint(0, int(w.Base - w.Amplitude - 14), canvas.Width(), int(w.Base + w.Amplitude + 14),
                 [&](double x, double y) {
                   const double slope =
                       w.Amplitude * w.Frequency * std::cos(w.Frequency * x + w.Phase);
                   const double d = std::fabs(y - curveY(x)) / std::sqrt(1 + slope * slope);
                   // A bright thread inside a faint band, fading towards both ends.
                   const double fade = SmoothStep(0, 30, x) * SmoothStep(canvas.Width(), 70, x);
                   const double thread = SmoothStep(0.9, 0.2, d);
                   const double band = 0.22 * std::exp(-d * d / 30);
                   return TSample{Rgb(125, 175, 245), w.Alpha * fade * std::max(thread, band)};
                 });
  }
}

// ---- the page ----

struct TPage {
  TPoint Centre{57, 114 + Drop};
  double Width = 70, Height = 92, Angle = -9 * Pi / 180, Fold = 15;
  // Page coordinates: (0, 0) the top-left corner, u to the right, v down.
  TPoint ToPage(double x, double y) const {
    const double c = std::cos(Angle), s = std::sin(Angle);
    const double dx = x - Centre.X, dy = y - Centre.Y;
    return {c * dx + s * dy + Width / 2, -s * dx + c * dy + Height / 2};
  }
  TPoint FromPage(double u, double v) const {
    const double c = std::cos(Angle), s = std::sin(Angle);
    const double du = u - Width / 2, dv = v - Height / 2;
    return {c * du - s * dv + Centre.X, s * du + c * dv + Centre.Y};
  }
  // Inside the sheet without its folded-over corner.
  bool Inside(TPoint p) const {
    return p.X >= 0 && p.X <= Width && p.Y >= 0 && p.Y <= Height && (Width - p.X) + p.Y >= Fold;
  }
  // Signed distance to the sheet's outline (negative inside), corner ignored.
  double Distance(TPoint p) const {
    const double dx = std::max(-p.X, p.X - Width), dy = std::max(-p.Y, p.Y - Height);
    return std::hypot(std::max(dx, 0.0), std::max(dy, 0.0)) + std::min(std::max(dx, dy), 0.0);
  }
};

void PaintPage(TCanvas& canvas, const TPage& page) {
  // The shadow it casts on the column, soft and offset down to the right.
  canvas.Paint(0, int(50 + Drop), canvas.Width(), int(185 + Drop), [&](double x, double y) {
    const double d = page.Distance(page.ToPage(x - 3.5, y - 5));
    return TSample{Rgb(2, 8, 28), 0.55 * SmoothStep(6, -3, d)};
  });
  canvas.Paint(0, int(55 + Drop), canvas.Width(), int(175 + Drop), [&](double x, double y) {
    const TPoint p = page.ToPage(x, y);
    if (!page.Inside(p)) return TSample{};
    // Paper lit from the upper left.
    const double light = Clamp01(0.55 * p.X / page.Width + 0.45 * p.Y / page.Height);
    return TSample{Mix(Rgb(253, 254, 255), Rgb(214, 224, 240), light), 1};
  });
  // Ruled text: a heading and lines of varied length, as on a written page.
  const double lengths[] = {50, 46, 52, 38, 49, 44, 51, 30};
  canvas.Paint(0, int(55 + Drop), canvas.Width(), int(175 + Drop), [&](double x, double y) {
    const TPoint p = page.ToPage(x, y);
    if (!page.Inside(p)) return TSample{};
    auto bar = [&](double v, double length, double thickness) {
      const double du = std::max({9 - p.X, p.X - (9 + length), 0.0});
      const double d = std::hypot(du, p.Y - v) - thickness / 2;
      return SmoothStep(0.5, -0.5, d);
    };
    const double heading = bar(13, 30, 3.8);
    if (heading > 0) return TSample{Rgb(36, 88, 172), heading};
    double line = 0;
    for (int k = 0; k < 8; ++k) line = std::max(line, bar(24 + 7.2 * k, lengths[k], 2.2));
    return TSample{Rgb(150, 166, 194), line};
  });
  // The folded corner, lying on the sheet with a thin shadow under its edge.
  const TPoint corner{page.Width - page.Fold, 0};
  canvas.Paint(0, int(55 + Drop), canvas.Width(), int(120 + Drop), [&](double x, double y) {
    const TPoint p = page.ToPage(x, y);
    const double a = p.X - corner.X, b = p.Y;
    if (a < 0 || b > page.Fold || b < 0 || a > page.Fold) return TSample{};
    if (a > b) { // below the flap's diagonal edge: its shadow on the sheet
      const double d = (a - b) / std::sqrt(2.0);
      return page.Inside(p) ? TSample{Rgb(120, 135, 165), 0.45 * SmoothStep(2.5, 0, d)} : TSample{};
    }
    const double shade = Clamp01((a + b) / (2 * page.Fold));
    return TSample{Mix(Rgb(236, 242, 252), Rgb(188, 202, 228), shade), 1};
  });
}

// ---- the quill ----

struct TQuill {
  TPath Spine;
  double VaneStart = 0.30; // fraction of the length where the vanes begin
  double LeftWidth = 9, RightWidth = 15;
};

TQuill MakeQuill() {
  TQuill q;
  q.Spine = CubicPath({43, 153 + Drop}, {66, 112 + Drop}, {90, 56 + Drop}, {110, 10 + Drop}, 240);
  return q;
}

// Half width of a vane at fraction t of the vane's own length.
double VaneProfile(double t) {
  if (t <= 0 || t >= 1) return 0;
  return std::pow(std::sin(Pi * std::pow(t, 0.7)), 0.6);
}

TSample QuillAt(const TQuill& q, double x, double y, double grow) {
  const TNearest n = Nearest(q.Spine, {x, y});
  const double length = q.Spine.Total();
  const double s = n.Arc / length, along = n.Arc;
  const double d = n.Distance, ad = std::fabs(d);
  TSample out;
  // Nib: a pointed golden tip with its slit.
  if (s < 0.10) {
    const double half = 2.5 * std::pow(s / 0.10, 0.8) + grow;
    const double alpha = SmoothStep(half + 0.3, half - 0.3, ad);
    if (alpha <= 0) return out;
    TRgb gold = Mix(Rgb(246, 214, 128), Rgb(150, 104, 34), Clamp01(0.5 - d / (2 * half + 0.01)));
    if (ad < 0.35 && s > 0.015 && s < 0.075) gold = Rgb(70, 44, 12);
    return {gold, alpha};
  }
  // Vanes, wider on the right, with soft barbs slanting towards the tip and a few notches
  // where barbs have parted.
  const double t = (s - q.VaneStart) / (1 - q.VaneStart);
  const bool left = d > 0;
  double half = (left ? q.LeftWidth : q.RightWidth) * VaneProfile(t);
  const double barb = along - ad * 0.8;
  half *= 1 + 0.03 * std::sin(along * 0.35 + (left ? 0 : 1.7));
  static const std::vector<double> leftNotches{92, 131}, rightNotches{84, 112, 140};
  for (double notch : left ? leftNotches : rightNotches)
    half *=
        1 - 0.28 * SmoothStep(2.2, 0, std::fabs(barb - notch)) * SmoothStep(0.3 * half, half, ad);
  TRgb colour;
  double alpha = 0;
  if (half > 0) {
    alpha = SmoothStep(half + grow + 0.5, half + grow - 0.7, ad);
    const double stripe = 0.5 + 0.5 * std::cos(2 * Pi * barb / 3.2);
    const double edge = Clamp01(ad / (half + 0.01));
    colour = Scale(Mix(Rgb(252, 253, 255), Rgb(170, 198, 238), edge * edge), 0.95 + 0.05 * stripe);
    // Light from the upper left: the far vane is a little darker.
    if (!left) colour = Scale(colour, 0.94);
    // Downy and thinner where the vanes start.
    alpha *= 0.55 + 0.45 * SmoothStep(0, 0.14, t);
    alpha *= 1 - 0.3 * edge * edge;
  }
  // The shaft, tapering to the tip, ivory with a shaded side.
  const double shaftHalf = 1.7 * (1 - s) + 0.35 + grow;
  const double shaft = SmoothStep(shaftHalf + 0.3, shaftHalf - 0.3, ad);
  if (shaft > 0) {
    const TRgb ivory =
        Mix(Rgb(255, 250, 236), Rgb(196, 182, 150), Clamp01(0.5 - d / (2 * shaftHalf)));
    colour = alpha > 0 ? Mix(colour, ivory, shaft) : ivory;
    alpha = std::max(alpha, shaft);
  }
  return {colour, alpha};
}

void PaintQuill(TCanvas& canvas) {
  const TQuill quill = MakeQuill();
  // Its shadow falls on the page and the column below it.
  canvas.Paint(30, 0, canvas.Width(), int(170 + Drop), [&](double x, double y) {
    TSample s = QuillAt(quill, x - 4, y - 5, 1.5);
    return TSample{Rgb(8, 20, 60), 0.35 * s.Alpha};
  });
  canvas.Paint(30, 0, canvas.Width(), int(165 + Drop),
               [&](double x, double y) { return QuillAt(quill, x, y, 0); });
}

// A flourish of ink from the nib, thick and thin as a broad nib writes.
void PaintFlourish(TCanvas& canvas) {
  const TPath path =
      CubicPath({43, 153 + Drop}, {24, 160 + Drop}, {40, 172 + Drop}, {90, 147 + Drop}, 160);
  canvas.Paint(10, int(135 + Drop), 110, int(185 + Drop), [&](double x, double y) {
    const TNearest n = Nearest(path, {x, y});
    const double t = n.Arc / path.Total();
    const double angle = std::atan2(n.Direction.Y, n.Direction.X);
    double half = 0.35 + 1.15 * std::fabs(std::sin(angle - Pi / 4));
    half *= SmoothStep(0, 0.06, t) * 0.6 + 0.4;
    half *= 1 - 0.7 * SmoothStep(0.8, 1, t);
    return TSample{Rgb(16, 40, 98), SmoothStep(half + 0.4, half - 0.4, std::fabs(n.Distance))};
  });
}

} // namespace

TCanvas PaintLogo() {
  TCanvas canvas(LogoWidth, LogoHeight);
  PaintBackground(canvas);
  PaintBokeh(canvas);
  PaintWaves(canvas);
  const TPage page;
  PaintPage(canvas, page);
  PaintFlourish(canvas);
  PaintQuill(canvas);
  // A glint where the nib meets the paper.
  canvas.Add([](double x, double y) { return 0.5 * Gauss(x - 43, y - 153 - Drop, 2.2); },
             Rgb(255, 236, 180));
  // A fine light edge where the column meets the wizard's page.
  canvas.Paint(LogoWidth - 1, 0, LogoWidth, LogoHeight, [](double, double y) {
    return TSample{Rgb(110, 150, 220), 0.35 * (1 - y / LogoHeight)};
  });
  return canvas;
}
