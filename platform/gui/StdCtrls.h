#pragma once
// The standard controls: label, edit, memo, button, check box, and the owner-drawn list and
// combo box bases.

#include "platform/gui/Controls.h"
#include "platform/gui/ItemStrings.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TCheckBoxState { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };
enum TComboBoxStyle { csDropDownList, csOwnerDrawFixed };

enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;

// Text as a static window. A label that sizes itself keeps to one line per carriage return;
// one of fixed size breaks its lines at words within its width. The background is the
// parent's colour. An ampersand marks the accelerator that focuses FocusControl.
class TLabel : public TWinControl {
public:
  TLabel();
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* control) { FFocusControl = control; }
  bool WordWrap() const { return !FAutoSize; }
  // The size the caption needs in the label's font: lines at carriage returns, accelerator
  // marks measured as characters (which leaves the room some systems need).
  TSize TextExtent() const;

  bool ReadProperty(TPropertyReader& reader) override;
  void Loaded() override;

protected:
  void Changed(TControlChange change) override;
  void Notification(TComponent* removed) override;

private:
  void AdjustBounds();
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TWinControl* FFocusControl = nullptr;
};

class TEdit : public TWinControl {
public:
  TEdit();
  bool AcceptsFocus() const override { return true; }
  TNotifyEvent OnChange;
  // The user changed the text in the window.
  void TextEdited(const std::string& text);

protected:
  // Fires OnChange; runs for every change of the text, the user's or the program's.
  virtual void Change();
  void Changed(TControlChange change) override;
};

class TMemo : public TWinControl, private TItemStrings::TObserver {
public:
  TMemo();
  TItemStrings& Lines() { return FLines; }
  const TItemStrings& Lines() const { return FLines; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool readOnly);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle scrollBars);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool want) { FWantReturns = want; }
  bool AcceptsFocus() const override { return true; }
  bool WantsKey(int key) const override;
  // The user changed the text in the window.
  void TextEdited(const std::string& text);

  bool ReadProperty(TPropertyReader& reader) override;

private:
  void ItemsChanged() override;
  TItemStrings FLines{this};
  bool FReadOnly = false;
  TScrollStyle FScrollBars = ssNone;
  bool FWantReturns = true;
  bool FEditing = false;
};

class TButton : public TWinControl {
public:
  TButton();
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }
  bool AcceptsFocus() const override { return true; }
  // Sets the form's modal result from the button's, then runs OnClick.
  void Click() override;

  bool ReadProperty(TPropertyReader& reader) override;

private:
  bool FDefault = false;
  bool FCancel = false;
  int FModalResult = 0;
};

class TCheckBox : public TWinControl {
public:
  TCheckBox();
  bool Checked() const { return FChecked; }
  // Programmatic: no OnClick.
  void SetChecked(bool checked);
  // The user's click, space bar or accelerator: flips the box, then OnClick.
  void Toggle();
  bool AcceptsFocus() const override { return true; }

  bool ReadProperty(TPropertyReader& reader) override;

private:
  bool FChecked = false;
};

// What the list and combo boxes share: items with an object each, one selected item,
// owner-drawn rows of fixed height. A programmatic selection (SetItemIndex) notifies nobody;
// the user's (UserSelect, called by the native window) fires Click.
class TCustomItemsControl : public TWinControl, protected TItemStrings::TObserver {
public:
  ~TCustomItemsControl() override;
  TItemStrings& Items() { return FItems; }
  const TItemStrings& Items() const { return FItems; }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int index);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int height);

  // The canvas row drawing uses; bound to the window's device context while drawing.
  TCanvas& Canvas() { return *FCanvas; }
  TDrawItemEvent OnDrawItem;

  // The user selected an item (click or keys): select it, then Click.
  virtual void UserSelect(int index);
  // Draws one row on Canvas() as the native window asks: sets the canvas's font and brush
  // (selection colours for a selected row), calls DrawItem, then the focus rectangle.
  virtual void PaintItem(int index, const TRect& rect, TOwnerDrawState state);

  bool AcceptsFocus() const override { return true; }
  bool ReadProperty(TPropertyReader& reader) override;

protected:
  TCustomItemsControl();
  // Default: OnDrawItem when set, else the row's text on the brush colour.
  virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
  // The selection moved to index (-1 for none), before the window hears of it.
  virtual void SelectionMoved(int index) { (void)index; }
  void ItemInserted(int index) override;
  void ItemDeleted(int index) override;
  void ItemsCleared() override;
  void ItemsChanged() override;

private:
  TItemStrings FItems{this};
  int FItemIndex = -1;
  int FItemHeight = 16;
  std::unique_ptr<TCanvas> FCanvas;
};

// The list box base: a scrolling column of rows in a sunken border.
class TCustomListBox : public TCustomItemsControl {
public:
  TCustomListBox();
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle style);
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int index);
  // The rows that fit into the client area.
  int VisibleRows() const;
  TRect ItemRect(int index) const;
  // The row at a client point; -1 outside rows (or past the last row when existing is set).
  int ItemAtPos(TPoint point, bool existing) const;

  using TCustomItemsControl::PaintItem;
  // Draws row index at ItemRect(index) with the state the control is in.
  void PaintItem(int index);
  // The native window scrolled: record its first visible row.
  void ScrolledTo(int topIndex);
  // Inside the sunken border.
  TRect ClientRect() const override;

  bool ReadProperty(TPropertyReader& reader) override;

protected:
  TOwnerDrawState RowState(int index) const;
  void SelectionMoved(int index) override;
  void ItemDeleted(int index) override;
  void ItemsCleared() override;

private:
  int FTopIndex = 0;
  TListBoxStyle FStyle = lbStandard;
};

class TListBox : public TCustomListBox {};

// A drop-down list of items with an object each; owner-drawn items of fixed height.
class TComboBox : public TCustomItemsControl {
public:
  TComboBox();
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle style);
  TNotifyEvent OnChange;

  // The user picked an item: select it, then Click, then Change.
  void UserSelect(int index) override;
  using TCustomItemsControl::PaintItem;
  // Draws item index as a row of the dropped-down list, at (0, index * ItemHeight).
  void PaintItem(int index);

  bool ReadProperty(TPropertyReader& reader) override;

protected:
  virtual void Change();

private:
  TComboBoxStyle FStyle = csDropDownList;
};
