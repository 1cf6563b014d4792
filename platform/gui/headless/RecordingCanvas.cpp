#include "platform/gui/headless/RecordingCanvas.h"

std::vector<TDrawOp> TRecordingCanvas::OpsOf(TDrawOp::TKind kind) const {
  std::vector<TDrawOp> result;
  for (const TDrawOp& op : Ops)
    if (op.Kind == kind) result.push_back(op);
  return result;
}

TDrawOp& TRecordingCanvas::Record(TDrawOp::TKind kind) {
  TDrawOp op;
  op.Kind = kind;
  op.BrushColor = Brush.Color;
  op.BrushStyle = Brush.Style;
  op.FontColor = Font.Color();
  op.FontName = Font.Name();
  op.FontHeight = Font.Height();
  op.FontStyle = Font.Style();
  op.PenColor = Pen.Color;
  Ops.push_back(op);
  return Ops.back();
}

void TRecordingCanvas::FillRect(const TRect& rect) {
  Record(TDrawOp::TKind::FillRect).Rect = rect;
}

void TRecordingCanvas::TextOut(int x, int y, const std::string& text) {
  TDrawOp& op = Record(TDrawOp::TKind::TextOut);
  op.Pos = TPoint{x, y};
  op.Text = text;
}

void TRecordingCanvas::DrawText(const TRect& rect, const std::string& text, uint32_t flags) {
  TDrawOp& op = Record(TDrawOp::TKind::DrawText);
  op.Rect = rect;
  op.Text = text;
  op.Flags = flags;
}

void TRecordingCanvas::Draw(int x, int y, const TBitmap& bitmap, bool transparent) {
  TDrawOp& op = Record(TDrawOp::TKind::Draw);
  op.Pos = TPoint{x, y};
  op.Bitmap = &bitmap;
  op.Transparent = transparent;
}

void TRecordingCanvas::DrawCheckBox(const TRect& rect, bool checked, bool inactive) {
  TDrawOp& op = Record(TDrawOp::TKind::CheckBox);
  op.Rect = rect;
  op.Checked = checked;
  op.Inactive = inactive;
}

void TRecordingCanvas::DrawFocusRect(const TRect& rect) {
  Record(TDrawOp::TKind::FocusRect).Rect = rect;
}

void TRecordingCanvas::Line(int x1, int y1, int x2, int y2) {
  TDrawOp& op = Record(TDrawOp::TKind::Line);
  op.Pos = TPoint{x1, y1};
  op.To = TPoint{x2, y2};
}

void TRecordingCanvas::DrawPageFrame(const TRect& rect) {
  Record(TDrawOp::TKind::PageFrame).Rect = rect;
}

void TRecordingCanvas::DrawParentBackground(const TRect& rect) {
  Record(TDrawOp::TKind::ParentBackground).Rect = rect;
}
