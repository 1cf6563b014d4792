#pragma once
// Owners of the GDI and window handles of the native backend.

#include "platform/gui/win32/WinApi.h"

#include <utility>

template <class H, class Close> class TOwned {
public:
  TOwned() = default;
  explicit TOwned(H h) : Value(h) {}
  ~TOwned() { Reset(); }
  TOwned(TOwned&& o) noexcept : Value(std::exchange(o.Value, H())) {}
  TOwned& operator=(TOwned&& o) noexcept {
    if (this != &o) {
      Reset();
      Value = std::exchange(o.Value, H());
    }
    return *this;
  }
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;
  H Get() const { return Value; }
  explicit operator bool() const { return Value != H(); }
  void Reset(H h = H()) {
    if (Value) Close()(Value);
    Value = h;
  }
  H Release() { return std::exchange(Value, H()); }

private:
  H Value = H();
};

struct TDeleteGdiObject {
  void operator()(HGDIOBJ h) const { ::DeleteObject(h); }
};
struct TDeleteDC {
  void operator()(HDC h) const { ::DeleteDC(h); }
};
struct TDestroyWindow {
  void operator()(HWND h) const {
    if (::IsWindow(h)) ::DestroyWindow(h);
  }
};
struct TCloseTheme {
  void operator()(HTHEME h) const { ::CloseThemeData(h); }
};

using THFont = TOwned<HFONT, TDeleteGdiObject>;
using THBrush = TOwned<HBRUSH, TDeleteGdiObject>;
using THPen = TOwned<HPEN, TDeleteGdiObject>;
using THBitmap = TOwned<HBITMAP, TDeleteGdiObject>;
using THMemoryDC = TOwned<HDC, TDeleteDC>;
using THWnd = TOwned<HWND, TDestroyWindow>;
using THTheme = TOwned<HTHEME, TCloseTheme>;

// A device context of a window from GetDC, released on destruction.
class TWindowDC {
public:
  explicit TWindowDC(HWND window) : Window(window), DC(::GetDC(window)) {}
  ~TWindowDC() {
    if (DC) ::ReleaseDC(Window, DC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return DC; }

private:
  HWND Window;
  HDC DC;
};

// An object selected into a device context until the end of the scope.
class TSelected {
public:
  TSelected(HDC dc, HGDIOBJ object) : DC(dc), Previous(::SelectObject(dc, object)) {}
  ~TSelected() { ::SelectObject(DC, Previous); }
  TSelected(const TSelected&) = delete;
  TSelected& operator=(const TSelected&) = delete;

private:
  HDC DC;
  HGDIOBJ Previous;
};
