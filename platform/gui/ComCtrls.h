#pragma once
// A page control without tabs: its frame and exactly one page at a time, or none.

#include "platform/gui/Controls.h"

#include <vector>

class TTabSheet;

class TPageControl : public TWinControl {
public:
  // Pages fill the area inside the frame.
  static constexpr int FrameInset = 4;

  TPageControl();
  int PageCount() const { return int(FPages.size()); }
  TTabSheet* Pages(int index) const { return FPages.at(size_t(index)); }
  TTabSheet* ActivePage() const { return FActivePage; }
  // Shows the page and hides the one shown before; null hides every page.
  void SetActivePage(TTabSheet* page);
  // -1 while no page is active.
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  TRect DisplayRect() const;
  void Paint(TCanvas& canvas) override;

protected:
  void Changed(TControlChange change) override;
  void ControlInserted(TControl& control) override;
  void ControlRemoved(TControl& control) override;

private:
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
};

// A page: its parent is its page control; it starts hidden.
class TTabSheet : public TWinControl {
public:
  TTabSheet();
  TPageControl* PageControl() const;
  int PageIndex() const;
};
