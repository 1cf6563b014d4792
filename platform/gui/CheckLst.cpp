#include "platform/gui/CheckLst.h"

#include "platform/gui/FormReader.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"

TCheckListBox::TCheckListBox() {
  SetStyle(lbOwnerDrawFixed);
}

TCheckBoxState TCheckListBox::State(int index) const {
  if (index < 0 || size_t(index) >= States.size())
    throw Exception(Format("List index out of bounds (%d)", {index}));
  return States[size_t(index)];
}

void TCheckListBox::SetState(int index, TCheckBoxState state) {
  if (State(index) == state) return;
  States[size_t(index)] = state;
  Changed(TControlChange::State);
}

void TCheckListBox::ClickCheck(int index) {
  if (index < 0 || size_t(index) >= States.size()) return;
  TCheckBoxState& state = States[size_t(index)];
  state = state == cbUnchecked ? cbChecked : cbUnchecked;
  Changed(TControlChange::State);
  if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::MouseDown(int x, int y) {
  const int index = ItemAtPos(TPoint{x, y}, true);
  if (index >= 0 && x - ItemRect(index).Left < CheckAreaWidth) ClickCheck(index);
}

void TCheckListBox::KeyPress(char& key) {
  if (key != ' ' || ItemIndex() < 0) return;
  ClickCheck(ItemIndex());
  key = 0;
}

void TCheckListBox::PaintItem(int index, const TRect& rect, TOwnerDrawState state) {
  TCanvas& canvas = Canvas();
  const TRect area{rect.Left, rect.Top, rect.Left + CheckAreaWidth, rect.Bottom};
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = Color();
  canvas.FillRect(area);
  if (index >= 0 && size_t(index) < States.size()) {
    const int top = rect.Top + (rect.Height() - CheckBoxSize) / 2;
    const TCheckBoxState s = States[size_t(index)];
    canvas.DrawCheckBox(TRect{area.Left + 1, top, area.Left + 1 + CheckBoxSize, top + CheckBoxSize},
                        s != cbUnchecked, s == cbGrayed || !EnabledChain());
  }
  TCustomListBox::PaintItem(index, TRect{area.Right, rect.Top, rect.Right, rect.Bottom}, state);
}

bool TCheckListBox::ReadProperty(TPropertyReader& r) {
  if (r.Is("OnClickCheck"))
    OnClickCheck = r.NotifyHandler();
  else
    return TCustomListBox::ReadProperty(r);
  return true;
}

void TCheckListBox::ItemInserted(int index) {
  TCustomListBox::ItemInserted(index);
  States.insert(States.begin() + index, cbUnchecked);
}

void TCheckListBox::ItemDeleted(int index) {
  TCustomListBox::ItemDeleted(index);
  States.erase(States.begin() + index);
}

void TCheckListBox::ItemsCleared() {
  TCustomListBox::ItemsCleared();
  States.clear();
}
