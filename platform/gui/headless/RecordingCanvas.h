#pragma once
// A canvas that records what is drawn on it, with the brush, font and pen at the time, so
// tests can check what a control draws and where.

#include "platform/gui/Graphics.h"

#include <string>
#include <vector>

struct TDrawOp {
  enum class TKind {
    FillRect,
    TextOut,
    DrawText,
    Draw,
    CheckBox,
    FocusRect,
    Line,
    PageFrame,
    ParentBackground
  };
  TKind Kind = TKind::FillRect;
  TRect Rect;         // FillRect, DrawText, CheckBox, FocusRect, PageFrame, ParentBackground
  TPoint Pos;         // TextOut, Draw, Line (start)
  TPoint To;          // Line (end, not drawn)
  std::string Text;   // TextOut, DrawText
  uint32_t Flags = 0; // DrawText
  const TBitmap* Bitmap = nullptr;
  bool Transparent = false;
  bool Checked = false, Inactive = false; // CheckBox
  TColor BrushColor = 0, FontColor = 0, PenColor = 0;
  TBrushStyle BrushStyle = TBrushStyle::bsSolid;
  std::string FontName;
  int FontHeight = 0;
  TFontStyles FontStyle;
};

class TRecordingCanvas : public TCanvas {
public:
  std::vector<TDrawOp> Ops;
  void Clear() { Ops.clear(); }
  // The recorded operations of one kind, in order.
  std::vector<TDrawOp> OpsOf(TDrawOp::TKind kind) const;

  void FillRect(const TRect& rect) override;
  void TextOut(int x, int y, const std::string& text) override;
  void DrawText(const TRect& rect, const std::string& text, uint32_t flags) override;
  void Draw(int x, int y, const TBitmap& bitmap, bool transparent) override;
  void DrawCheckBox(const TRect& rect, bool checked, bool inactive) override;
  void DrawFocusRect(const TRect& rect) override;
  void Line(int x1, int y1, int x2, int y2) override;
  void DrawPageFrame(const TRect& rect) override;
  void DrawParentBackground(const TRect& rect) override;

private:
  TDrawOp& Record(TDrawOp::TKind kind);
};
