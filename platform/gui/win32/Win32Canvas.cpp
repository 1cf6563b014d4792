#include "platform/gui/win32/Win32Canvas.h"

#include "platform/gui/Bitmap.h"
#include "platform/gui/win32/GdiObjects.h"
#include "platform/gui/win32/Win32Gui.h"

#include <cstring>
#include <vector>

RECT ToRECT(const TRect& r) {
  return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

TRect FromRECT(const RECT& r) {
  return TRect{int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

namespace {

COLORREF Rgb(TColor color) {
  return COLORREF(ColorToRGB(color));
}

// A BITMAPINFO with room for a full colour table.
struct TBitmapInfo {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

// The DIB description of a bitmap, its rows top-down as the bitmap holds them.
void Describe(const TBitmap& bitmap, TBitmapInfo& info) {
  std::memset(&info, 0, sizeof info);
  info.Header.biSize = sizeof(BITMAPINFOHEADER);
  info.Header.biWidth = bitmap.Width();
  info.Header.biHeight = -bitmap.Height();
  info.Header.biPlanes = 1;
  info.Header.biBitCount = WORD(BitsPerPixel(bitmap.PixelFormat()));
  info.Header.biCompression = BI_RGB;
  const std::vector<TPaletteEntry> entries = bitmap.PaletteEntries();
  if (info.Header.biBitCount <= 8) {
    const size_t n = std::min<size_t>(entries.size(), size_t(1) << info.Header.biBitCount);
    for (size_t i = 0; i < n; ++i)
      info.Colors[i] = RGBQUAD{entries[i].Blue, entries[i].Green, entries[i].Red, 0};
    info.Header.biClrUsed = DWORD(size_t(1) << info.Header.biBitCount);
  }
}

// The colour of the bottom-left pixel.
COLORREF CornerColor(const TBitmap& bitmap, const TBitmapInfo& info) {
  const uint8_t* row = bitmap.ScanLine(bitmap.Height() - 1);
  int index = 0;
  switch (bitmap.PixelFormat()) {
  case TPixelFormat::pf1bit: index = row[0] >> 7; break;
  case TPixelFormat::pf4bit: index = row[0] >> 4; break;
  case TPixelFormat::pf8bit: index = row[0]; break;
  default: return RGB(row[2], row[1], row[0]);
  }
  const RGBQUAD& q = info.Colors[index];
  return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

} // namespace

void TWin32Canvas::Bind(HDC dc, HWND window) {
  Dc = dc;
  Window = window;
}

void TWin32Canvas::Unbind() {
  Dc = nullptr;
  Window = nullptr;
}

void TWin32Canvas::Realize() {
  ::SelectObject(Dc, Win32Gui().FontHandle(Font));
  ::SetTextColor(Dc, Rgb(Font.Color()));
  ::SetBkColor(Dc, Rgb(Brush.Color));
  ::SetBkMode(Dc, Brush.Style == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
}

void TWin32Canvas::FillRect(const TRect& rect) {
  if (!Dc || Brush.Style == TBrushStyle::bsClear) return;
  const RECT r = ToRECT(rect);
  ::FillRect(Dc, &r, Win32Gui().BrushHandle(Brush.Color));
}

void TWin32Canvas::TextOut(int x, int y, const std::string& text) {
  if (!Dc) return;
  Realize();
  ::TextOutA(Dc, x, y, text.data(), int(text.size()));
}

void TWin32Canvas::DrawText(const TRect& rect, const std::string& text, uint32_t flags) {
  if (!Dc) return;
  Realize();
  RECT r = ToRECT(rect);
  ::DrawTextA(Dc, text.data(), int(text.size()), &r, flags);
}

void TWin32Canvas::Draw(int x, int y, const TBitmap& bitmap, bool transparent) {
  if (!Dc || bitmap.Empty()) return;
  TBitmapInfo info;
  Describe(bitmap, info);
  const BITMAPINFO* bmi = reinterpret_cast<const BITMAPINFO*>(&info);
  const int w = bitmap.Width(), h = bitmap.Height();
  const void* bits = bitmap.ScanLine(0);
  if (!transparent) {
    ::StretchDIBits(Dc, x, y, w, h, 0, 0, w, h, bits, bmi, DIB_RGB_COLORS, SRCCOPY);
    return;
  }
  void* sectionBits = nullptr;
  THBitmap section(::CreateDIBSection(Dc, bmi, DIB_RGB_COLORS, &sectionBits, nullptr, 0));
  THMemoryDC memory(::CreateCompatibleDC(Dc));
  if (!section || !memory || !sectionBits) return;
  std::memcpy(sectionBits, bits, size_t(bitmap.RowStride()) * size_t(h));
  TSelected selected(memory.Get(), section.Get());
  ::GdiTransparentBlt(Dc, x, y, w, h, memory.Get(), 0, 0, w, h, CornerColor(bitmap, info));
}

void TWin32Canvas::DrawCheckBox(const TRect& rect, bool checked, bool inactive) {
  if (!Dc) return;
  RECT r = ToRECT(rect);
  if (Win32Gui().ThemesActive()) {
    THTheme theme(::OpenThemeData(Window, L"BUTTON"));
    if (theme) {
      const int state = checked ? (inactive ? CBS_CHECKEDDISABLED : CBS_CHECKEDNORMAL)
                                : (inactive ? CBS_UNCHECKEDDISABLED : CBS_UNCHECKEDNORMAL);
      ::DrawThemeBackground(theme.Get(), Dc, BP_CHECKBOX, state, &r, nullptr);
      return;
    }
  }
  ::DrawFrameControl(Dc, &r, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0) |
                         (inactive ? DFCS_INACTIVE : 0));
}

void TWin32Canvas::DrawFocusRect(const TRect& rect) {
  if (!Dc) return;
  const RECT r = ToRECT(rect);
  ::SetTextColor(Dc, RGB(0, 0, 0));
  ::SetBkColor(Dc, RGB(255, 255, 255));
  ::DrawFocusRect(Dc, &r);
}

void TWin32Canvas::Line(int x1, int y1, int x2, int y2) {
  if (!Dc) return;
  THPen pen(::CreatePen(PS_SOLID, 1, Rgb(Pen.Color)));
  TSelected selected(Dc, pen.Get());
  ::MoveToEx(Dc, x1, y1, nullptr);
  ::LineTo(Dc, x2, y2);
}

void TWin32Canvas::DrawPageFrame(const TRect& rect) {
  if (!Dc) return;
  RECT r = ToRECT(rect);
  if (Win32Gui().ThemesActive()) {
    THTheme theme(::OpenThemeData(Window, L"TAB"));
    if (theme) {
      ::DrawThemeBackground(theme.Get(), Dc, TABP_PANE, 0, &r, nullptr);
      return;
    }
  }
  ::DrawEdge(Dc, &r, EDGE_RAISED, BF_RECT | BF_SOFT);
}

void TWin32Canvas::DrawParentBackground(const TRect& rect) {
  if (!Dc) return;
  RECT r = ToRECT(rect);
  if (!Window || FAILED(::DrawThemeParentBackground(Window, Dc, &r)))
    ::FillRect(Dc, &r, Win32Gui().BrushHandle(Brush.Color));
}

int TWin32Canvas::TextWidth(const std::string& text) {
  if (!Dc) return TCanvas::TextWidth(text);
  Realize();
  SIZE size{};
  ::GetTextExtentPoint32A(Dc, text.data(), int(text.size()), &size);
  return int(size.cx);
}

int TWin32Canvas::TextHeight(const std::string& text) {
  if (!Dc) return TCanvas::TextHeight(text);
  Realize();
  SIZE size{};
  ::GetTextExtentPoint32A(Dc, text.data(), int(text.size()), &size);
  return int(size.cy);
}

int TWin32Canvas::CharHeight() {
  if (!Dc) return TCanvas::CharHeight();
  Realize();
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(Dc, &metrics);
  return int(metrics.tmHeight);
}

TCanvasBinding::TCanvasBinding(TWin32Canvas& canvas, HDC dc, HWND window)
    : Canvas(canvas), Dc(dc), Saved(::SaveDC(dc)) {
  Canvas.Bind(dc, window);
}

TCanvasBinding::~TCanvasBinding() {
  Canvas.Unbind();
  ::RestoreDC(Dc, Saved);
}
