#pragma once
// The canvas on a device context. A control's canvas is bound to the context of one paint
// or one owner-drawn item at a time.

#include "platform/gui/Graphics.h"
#include "platform/gui/win32/WinApi.h"

class TWin32Canvas : public TCanvas {
public:
  void Bind(HDC dc, HWND window);
  void Unbind();
  HDC DC() const { return Dc; }

  void FillRect(const TRect& rect) override;
  void TextOut(int x, int y, const std::string& text) override;
  void DrawText(const TRect& rect, const std::string& text, uint32_t flags) override;
  void Draw(int x, int y, const TBitmap& bitmap, bool transparent) override;
  void DrawCheckBox(const TRect& rect, bool checked, bool inactive) override;
  void DrawFocusRect(const TRect& rect) override;
  void Line(int x1, int y1, int x2, int y2) override;
  void DrawPageFrame(const TRect& rect) override;
  void DrawParentBackground(const TRect& rect) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  int CharHeight() override;

private:
  void Realize();
  HDC Dc = nullptr;
  HWND Window = nullptr;
};

// Binds a canvas to a context for one scope, keeping the context's state as it was.
class TCanvasBinding {
public:
  TCanvasBinding(TWin32Canvas& canvas, HDC dc, HWND window);
  ~TCanvasBinding();
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;

private:
  TWin32Canvas& Canvas;
  HDC Dc;
  int Saved;
};

RECT ToRECT(const TRect& r);
TRect FromRECT(const RECT& r);
