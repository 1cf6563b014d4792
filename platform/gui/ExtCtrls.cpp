#include "platform/gui/ExtCtrls.h"

#include "platform/gui/Backend.h"
#include "platform/gui/FormReader.h"
#include "platform/os/WinConst.h"

namespace {

TBevelCut ReadCut(TPropertyReader& r) {
  return r.Enum<TBevelCut>({{"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}});
}

int CutWidth(TBevelCut cut, int width) {
  return cut == bvNone ? 0 : width;
}

TColor ParentColorOf(const TControl& control) {
  return control.Parent() ? control.Parent()->Color() : clBtnFace;
}

} // namespace

// ---- TPanel ----

TPanel::TPanel() {
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelInner(TBevelCut cut) {
  if (cut == FBevelInner) return;
  FBevelInner = cut;
  Changed(TControlChange::State);
  Realign();
}

void TPanel::SetBevelOuter(TBevelCut cut) {
  if (cut == FBevelOuter) return;
  FBevelOuter = cut;
  Changed(TControlChange::State);
  Realign();
}

void TPanel::SetBevelWidth(int width) {
  if (width < 1 || width == FBevelWidth) return;
  FBevelWidth = width;
  Changed(TControlChange::State);
  Realign();
}

void TPanel::SetParentBackground(bool value) {
  if (value == FParentBackground) return;
  FParentBackground = value;
  Changed(TControlChange::State);
}

TRect TPanel::AlignArea() const {
  const int inset = CutWidth(FBevelOuter, FBevelWidth) + CutWidth(FBevelInner, FBevelWidth);
  const TRect r = ClientRect();
  return TRect{r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset};
}

void TPanel::Paint(TCanvas& canvas) {
  TRect r = ClientRect();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = Color();
  if (FParentBackground && Gui().ThemesActive())
    canvas.DrawParentBackground(r);
  else
    canvas.FillRect(r);
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    const bool raised = cut == bvRaised;
    canvas.Frame3D(r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
                   FBevelWidth);
  };
  bevel(FBevelOuter);
  bevel(FBevelInner);
  if (!Caption().empty()) {
    canvas.Font.Assign(Font());
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.DrawText(r, Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

bool TPanel::ReadProperty(TPropertyReader& r) {
  if (r.Is("BevelInner"))
    SetBevelInner(ReadCut(r));
  else if (r.Is("BevelOuter"))
    SetBevelOuter(ReadCut(r));
  else if (r.Is("BevelWidth"))
    SetBevelWidth(r.Integer());
  else if (r.Is("ParentBackground"))
    SetParentBackground(r.Boolean());
  else
    return TWinControl::ReadProperty(r);
  return true;
}

// ---- TBevel ----

TBevel::TBevel() {
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape shape) {
  if (shape == FShape) return;
  FShape = shape;
  Changed(TControlChange::State);
}

void TBevel::SetStyle(TBevelStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed(TControlChange::State);
}

void TBevel::Paint(TCanvas& canvas) {
  const int w = Width(), h = Height();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = ParentColorOf(*this);
  canvas.FillRect(ClientRect());
  const TColor c1 = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor c2 = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
    canvas.Pen.Color = color;
    canvas.Line(x1, y1, x2, y2);
  };
  // A box: top and left edges in the first colour, bottom and right in the second.
  auto box = [&](TColor first, TColor second, int l, int t, int r, int b) {
    line(first, l, b, l, t);
    line(first, l, t, r, t);
    line(second, r, t, r, b);
    line(second, r, b, l, b);
  };
  switch (FShape) {
  case bsBox: box(c1, c2, 0, 0, w - 1, h - 1); break;
  case bsFrame:
    box(c1, c1, 0, 0, w - 2, h - 2);
    box(c2, c2, 1, 1, w - 1, h - 1);
    break;
  case bsTopLine:
    line(c1, 0, 0, w, 0);
    line(c2, 0, 1, w, 1);
    break;
  case bsBottomLine:
    line(c1, 0, h - 2, w, h - 2);
    line(c2, 0, h - 1, w, h - 1);
    break;
  case bsLeftLine:
    line(c1, 0, 0, 0, h);
    line(c2, 1, 0, 1, h);
    break;
  case bsRightLine:
    line(c1, w - 2, 0, w - 2, h);
    line(c2, w - 1, 0, w - 1, h);
    break;
  case bsSpacer: break;
  }
}

bool TBevel::ReadProperty(TPropertyReader& r) {
  if (r.Is("Shape"))
    SetShape(r.Enum<TBevelShape>({{"bsBox", bsBox},
                                  {"bsFrame", bsFrame},
                                  {"bsTopLine", bsTopLine},
                                  {"bsBottomLine", bsBottomLine},
                                  {"bsLeftLine", bsLeftLine},
                                  {"bsRightLine", bsRightLine},
                                  {"bsSpacer", bsSpacer}}));
  else if (r.Is("Style"))
    SetStyle(r.Enum<TBevelStyle>({{"bsLowered", bsLowered}, {"bsRaised", bsRaised}}));
  else
    return TWinControl::ReadProperty(r);
  return true;
}

// ---- TImage ----

TImage::TImage() {
  SetBounds(0, 0, 105, 105);
}

void TImage::PictureChanged() {
  Changed(TControlChange::State);
}

void TImage::Paint(TCanvas& canvas) {
  const TBitmap& bitmap = FPicture.Bitmap();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = ParentColorOf(*this);
  if (bitmap.Width() < Width() || bitmap.Height() < Height()) canvas.FillRect(ClientRect());
  if (!bitmap.Empty()) canvas.Draw(0, 0, bitmap, false);
}
