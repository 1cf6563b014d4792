#include "platform/gui/Graphics.h"

#include "platform/gui/Backend.h"

#include <cctype>

namespace {

bool SameIdent(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && !b[i];
}

struct TColorName {
  const char* Name;
  TColor Color;
};
constexpr TColorName ColorNames[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clNone", clNone},
    {"clScrollBar", clScrollBar},
    {"clWindow", clWindow},
    {"clWindowText", clWindowText},
    {"clHighlight", clHighlight},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clHighlightText", clHighlightText},
};

} // namespace

uint32_t ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return Gui().SysColor(SystemColorIndex(color));
  return uint32_t(color) & 0xFFFFFFu;
}

bool IdentToColor(const std::string& ident, TColor& color) {
  for (const auto& n : ColorNames)
    if (SameIdent(ident, n.Name)) {
      color = n.Color;
      return true;
    }
  return false;
}

TFont::TFont() : FName("Tahoma"), FHeight(-11) {}

void TFont::Changed() {
  if (OnChange) OnChange();
}

void TFont::SetName(const std::string& name) {
  if (name == FName) return;
  FName = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == FHeight) return;
  FHeight = height;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}

bool TFont::SameAs(const TFont& other) const {
  return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle &&
         FColor == other.FColor;
}

void TFont::Assign(const TFont& source) {
  if (SameAs(source)) return;
  FName = source.FName;
  FHeight = source.FHeight;
  FStyle = source.FStyle;
  FColor = source.FColor;
  Changed();
}

int FontCharHeight(const TFont& font) {
  return Gui().CharHeight(font);
}

TSize FontTextExtent(const TFont& font, const std::string& text) {
  return Gui().TextExtent(font, text);
}

int TCanvas::TextWidth(const std::string& text) {
  return FontTextExtent(Font, text).Width;
}

int TCanvas::TextHeight(const std::string& text) {
  return FontTextExtent(Font, text).Height;
}

int TCanvas::CharHeight() {
  return FontCharHeight(Font);
}

void TCanvas::Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width) {
  for (; width > 0; --width) {
    const int l = rect.Left, t = rect.Top, r = rect.Right - 1, b = rect.Bottom - 1;
    if (r < l || b < t) break;
    Pen.Color = topLeft;
    Line(l, b, l, t);
    Line(l, t, r, t);
    Pen.Color = bottomRight;
    Line(r, t, r, b);
    Line(r, b, l - 1, b);
    rect = TRect{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
  }
}

void TIcon::LoadFromResourceId(int id) {
  FHandle = Sys().LoadIconA(id);
}
