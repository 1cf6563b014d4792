#pragma once
// Points, rectangles, colours, fonts, brushes, pens and the canvas controls draw on. The canvas
// draws on a device context on Windows and into a list of operations in the headless backend.

#include "platform/gui/Classes.h"
#include "platform/os/System.h"

#include <cstdint>
#include <functional>
#include <string>

class TBitmap;

struct TPoint {
  int X = 0, Y = 0;
  bool operator==(const TPoint& o) const { return X == o.X && Y == o.Y; }
};

// Right and Bottom are exclusive, as in Windows.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool operator==(const TRect& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
  bool operator!=(const TRect& o) const { return !(*this == o); }
};
inline TRect Bounds(int left, int top, int width, int height) {
  return TRect{left, top, left + width, top + height};
}

struct TSize {
  int Width = 0, Height = 0;
};

// 0x00BBGGRR, or clSystemColor | a COLOR_x index of the system's colours.
using TColor = int32_t;
constexpr TColor clSystemColor = int32_t(0xFF000000u);
constexpr bool IsSystemColor(TColor c) {
  return (uint32_t(c) & 0xFF000000u) == 0xFF000000u;
}
constexpr int SystemColorIndex(TColor c) {
  return int(uint32_t(c) & 0xFFu);
}
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clBlack = 0x000000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;

// The colour as 0x00BBGGRR, system colours looked up through the backend.
uint32_t ColorToRGB(TColor color);
// Colour names of form descriptions (clWhite, clBtnFace...); false when unknown.
bool IdentToColor(const std::string& ident, TColor& color);

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

class TFont {
public:
  // Tahoma, 11-pixel characters: the library's default font at 96 pixels per inch.
  TFont();
  const std::string& Name() const { return FName; }
  void SetName(const std::string& name);
  // Negative: the character height in pixels; positive: the cell height.
  int Height() const { return FHeight; }
  void SetHeight(int height);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  void Assign(const TFont& source);
  bool SameAs(const TFont& other) const;
  // Called after every change.
  std::function<void()> OnChange;

private:
  void Changed();
  std::string FName;
  int FHeight;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
};

enum class TBrushStyle { bsSolid, bsClear };

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TPen {
  TColor Color = clBlack;
};

// The character height (tmHeight) of a font, through the backend.
int FontCharHeight(const TFont& font);
// The extent of one line of text in a font, through the backend.
TSize FontTextExtent(const TFont& font, const std::string& text);

class TCanvas {
public:
  virtual ~TCanvas() = default;
  TBrush Brush;
  TFont Font;
  TPen Pen;

  virtual void FillRect(const TRect& rect) = 0;
  // Text at (x, y), its background in the brush colour unless the brush is clear.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  // Text laid out in rect as the system's DrawText does; flags are its DT_x values.
  virtual void DrawText(const TRect& rect, const std::string& text, uint32_t flags) = 0;
  // The bitmap unscaled at (x, y); transparent leaves out pixels of the colour of its
  // bottom-left pixel.
  virtual void Draw(int x, int y, const TBitmap& bitmap, bool transparent) = 0;
  // The system's check box in rect: checked or not, inactive for a state that cannot change.
  virtual void DrawCheckBox(const TRect& rect, bool checked, bool inactive) = 0;
  virtual void DrawFocusRect(const TRect& rect) = 0;
  // A line in the pen colour from (x1, y1) up to, not including, (x2, y2).
  virtual void Line(int x1, int y1, int x2, int y2) = 0;
  // The frame of a tab page (the page control's border without tabs).
  virtual void DrawPageFrame(const TRect& rect) = 0;
  // The parent's themed background where visual styles are active.
  virtual void DrawParentBackground(const TRect& rect) = 0;

  virtual int TextWidth(const std::string& text);
  virtual int TextHeight(const std::string& text);
  // tmHeight of the font.
  virtual int CharHeight();

  // Lines of width pixels, top and left in one colour, bottom and right in the other; shrinks
  // rect by width on every side.
  void Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width);
};

class TIcon {
public:
  ::Handle Handle() const { return FHandle; }
  // An icon of the executable (shared by the system: nothing to release).
  void LoadFromResourceId(int id);
  void SetHandle(::Handle handle) { FHandle = handle; }

private:
  ::Handle FHandle = 0;
};
