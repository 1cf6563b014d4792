#pragma once
// A list box with a check box left of every row: states unchecked, checked and grayed (a
// checked box in the inactive look).

#include "platform/gui/StdCtrls.h"

#include <vector>

class TCheckListBox : public TCustomListBox {
public:
  // The check box and its margins: the rectangle handed to DrawItem starts right of it.
  static constexpr int CheckBoxSize = 13;
  static constexpr int CheckAreaWidth = CheckBoxSize + 2;

  TCheckListBox();
  TCheckBoxState State(int index) const;
  void SetState(int index, TCheckBoxState state);
  bool Checked(int index) const { return State(index) == cbChecked; }
  void SetChecked(int index, bool checked) { SetState(index, checked ? cbChecked : cbUnchecked); }
  TNotifyEvent OnClickCheck;

  // The toggle rule: unchecked becomes checked, checked or grayed becomes unchecked; then
  // OnClickCheck.
  void ClickCheck(int index);
  // A press within the check area of a row toggles it.
  void MouseDown(int x, int y) override;
  // The space bar toggles the selected row.
  void KeyPress(char& key) override;

  void PaintItem(int index, const TRect& rect, TOwnerDrawState state) override;
  using TCustomListBox::PaintItem;

  bool ReadProperty(TPropertyReader& reader) override;

protected:
  void ItemInserted(int index) override;
  void ItemDeleted(int index) override;
  void ItemsCleared() override;

private:
  std::vector<TCheckBoxState> States;
};
