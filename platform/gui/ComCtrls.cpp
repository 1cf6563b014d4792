#include "platform/gui/ComCtrls.h"

#include <algorithm>

TPageControl::TPageControl() {
  SetBounds(0, 0, 289, 193);
}

TRect TPageControl::DisplayRect() const {
  return TRect{FrameInset, FrameInset, std::max(FrameInset, Width() - FrameInset),
               std::max(FrameInset, Height() - FrameInset)};
}

void TPageControl::ControlInserted(TControl& control) {
  TWinControl::ControlInserted(control);
  if (auto* page = dynamic_cast<TTabSheet*>(&control)) {
    FPages.push_back(page);
    const TRect r = DisplayRect();
    page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  }
}

void TPageControl::ControlRemoved(TControl& control) {
  TWinControl::ControlRemoved(control);
  auto it = std::find(FPages.begin(), FPages.end(), &control);
  if (it == FPages.end()) return;
  if (FActivePage == *it) FActivePage = nullptr;
  FPages.erase(it);
}

void TPageControl::Changed(TControlChange change) {
  TWinControl::Changed(change);
  if (change != TControlChange::Bounds) return;
  const TRect r = DisplayRect();
  for (TTabSheet* page : FPages) page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == FActivePage) return;
  if (page && page->PageControl() != this) return;
  TTabSheet* previous = FActivePage;
  FActivePage = page;
  // The new page first, so the focus leaving the old one has somewhere to go.
  if (page) page->Show();
  if (previous) previous->Hide();
}

int TPageControl::ActivePageIndex() const {
  auto it = std::find(FPages.begin(), FPages.end(), FActivePage);
  return it == FPages.end() ? -1 : int(it - FPages.begin());
}

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? FPages[size_t(index)] : nullptr);
}

void TPageControl::Paint(TCanvas& canvas) {
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());
  canvas.DrawPageFrame(ClientRect());
}

TTabSheet::TTabSheet() {
  SetVisible(false);
}

TPageControl* TTabSheet::PageControl() const {
  return dynamic_cast<TPageControl*>(Parent());
}

int TTabSheet::PageIndex() const {
  const TPageControl* control = PageControl();
  if (!control) return -1;
  for (int i = 0; i < control->PageCount(); ++i)
    if (control->Pages(i) == this) return i;
  return -1;
}
