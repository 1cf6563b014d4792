#include "platform/gui/StdCtrls.h"

#include "platform/gui/Backend.h"
#include "platform/gui/FormReader.h"
#include "platform/gui/Forms.h"

#include <algorithm>
#include <cstdint>

namespace {

// The lines of a caption: a carriage return, a line feed or both break a line. Accelerator
// marks stay in and are measured as characters: some systems lay a line out before they take
// the marks away, and a label sized without them loses its last character there.
std::vector<std::string> CaptionLines(const std::string& caption) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < caption.size(); ++i) {
    const char c = caption[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

} // namespace

// ---- TLabel ----

TLabel::TLabel() {
  SetBounds(0, 0, 65, 13);
}

void TLabel::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize) return;
  FAutoSize = autoSize;
  if (FAutoSize && !Loading()) AdjustBounds();
  Changed(TControlChange::State);
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  Changed(TControlChange::State);
}

TSize TLabel::TextExtent() const {
  TSize size;
  for (const std::string& line : CaptionLines(Caption())) {
    TSize s = FontTextExtent(Font(), line);
    size.Width = std::max(size.Width, s.Width);
    size.Height += FontCharHeight(Font());
  }
  return size;
}

void TLabel::AdjustBounds() {
  const TSize s = TextExtent();
  const int left = FAlignment == taRightJustify ? Left() + Width() - s.Width : Left();
  SetBounds(left, Top(), s.Width, s.Height);
}

void TLabel::Changed(TControlChange change) {
  TWinControl::Changed(change);
  if ((change == TControlChange::Text || change == TControlChange::Font) && FAutoSize && !Loading())
    AdjustBounds();
}

void TLabel::Loaded() {
  TWinControl::Loaded();
  // The described size stands for an empty caption, which has nothing to fit.
  if (FAutoSize && !Caption().empty()) AdjustBounds();
}

void TLabel::Notification(TComponent* removed) {
  TWinControl::Notification(removed);
  if (removed == FFocusControl) FFocusControl = nullptr;
}

bool TLabel::ReadProperty(TPropertyReader& r) {
  if (r.Is("AutoSize"))
    SetAutoSize(r.Boolean());
  else if (r.Is("Alignment"))
    SetAlignment(r.Enum<TAlignment>({{"taLeftJustify", taLeftJustify},
                                     {"taRightJustify", taRightJustify},
                                     {"taCenter", taCenter}}));
  else if (r.Is("FocusControl"))
    r.Reference([this](TComponent* c) {
      auto* control = dynamic_cast<TWinControl*>(c);
      SetFocusControl(control);
      return control != nullptr;
    });
  else
    return TWinControl::ReadProperty(r);
  return true;
}

// ---- TEdit ----

TEdit::TEdit() {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TEdit::TextEdited(const std::string& text) {
  SetText(text);
}

void TEdit::Change() {
  if (OnChange) OnChange(this);
}

void TEdit::Changed(TControlChange change) {
  TWinControl::Changed(change);
  if (change == TControlChange::Text) Change();
}

// ---- TMemo ----

TMemo::TMemo() {
  SetBounds(0, 0, 185, 89);
  SetTabStop(true);
  SetColor(clWindow);
}

void TMemo::SetReadOnly(bool readOnly) {
  if (readOnly == FReadOnly) return;
  FReadOnly = readOnly;
  Changed(TControlChange::State);
}

void TMemo::SetScrollBars(TScrollStyle scrollBars) {
  if (scrollBars == FScrollBars) return;
  FScrollBars = scrollBars;
  Changed(TControlChange::State);
}

bool TMemo::WantsKey(int key) const {
  return key == vkReturn && FWantReturns;
}

void TMemo::TextEdited(const std::string& text) {
  FEditing = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FEditing};
  FLines.SetText(text);
}

void TMemo::ItemsChanged() {
  if (!FEditing) Changed(TControlChange::Items);
}

bool TMemo::ReadProperty(TPropertyReader& r) {
  if (r.Is("ReadOnly"))
    SetReadOnly(r.Boolean());
  else if (r.Is("WantReturns"))
    SetWantReturns(r.Boolean());
  else if (r.Is("ScrollBars"))
    SetScrollBars(r.Enum<TScrollStyle>({{"ssNone", ssNone},
                                        {"ssHorizontal", ssHorizontal},
                                        {"ssVertical", ssVertical},
                                        {"ssBoth", ssBoth}}));
  else
    return TWinControl::ReadProperty(r);
  return true;
}

// ---- TButton ----

TButton::TButton() {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::SetDefault(bool value) {
  if (value == FDefault) return;
  FDefault = value;
  Changed(TControlChange::State);
}

void TButton::Click() {
  if (TForm* form = ParentForm()) form->SetModalResult(FModalResult);
  TWinControl::Click();
}

bool TButton::ReadProperty(TPropertyReader& r) {
  if (r.Is("Default"))
    SetDefault(r.Boolean());
  else if (r.Is("Cancel"))
    SetCancel(r.Boolean());
  else if (r.Is("ModalResult"))
    SetModalResult(r.Integer());
  else
    return TWinControl::ReadProperty(r);
  return true;
}

// ---- TCheckBox ----

TCheckBox::TCheckBox() {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCheckBox::SetChecked(bool checked) {
  if (checked == FChecked) return;
  FChecked = checked;
  Changed(TControlChange::State);
}

void TCheckBox::Toggle() {
  SetChecked(!FChecked);
  Click();
}

bool TCheckBox::ReadProperty(TPropertyReader& r) {
  if (r.Is("Checked"))
    SetChecked(r.Boolean());
  else
    return TWinControl::ReadProperty(r);
  return true;
}

// ---- TCustomItemsControl ----

TCustomItemsControl::TCustomItemsControl() : FCanvas(Gui().CreateCanvas()) {
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomItemsControl::~TCustomItemsControl() = default;

void TCustomItemsControl::SetItemIndex(int index) {
  if (index < -1 || index >= FItems.Count()) index = -1;
  if (index == FItemIndex) return;
  FItemIndex = index;
  SelectionMoved(index);
  Changed(TControlChange::Selection);
}

void TCustomItemsControl::SetItemHeight(int height) {
  height = std::min(height, MaxCoordinate);
  if (height <= 0 || height == FItemHeight) return;
  FItemHeight = height;
  Changed(TControlChange::State);
}

void TCustomItemsControl::UserSelect(int index) {
  SetItemIndex(index);
  Click();
}

void TCustomItemsControl::PaintItem(int index, const TRect& rect, TOwnerDrawState state) {
  TCanvas& canvas = *FCanvas;
  canvas.Font.Assign(Font());
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = Color();
  if (state.Contains(odSelected)) {
    canvas.Brush.Color = clHighlight;
    canvas.Font.SetColor(clHighlightText);
  }
  if (index >= 0 && index < FItems.Count())
    DrawItem(index, rect, state);
  else
    canvas.FillRect(rect);
  if (state.Contains(odFocused)) canvas.DrawFocusRect(rect);
}

void TCustomItemsControl::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  FCanvas->FillRect(rect);
  FCanvas->TextOut(rect.Left + 2, rect.Top, FItems[index]);
}

void TCustomItemsControl::ItemInserted(int index) {
  if (FItemIndex >= 0 && index <= FItemIndex) ++FItemIndex;
}

void TCustomItemsControl::ItemDeleted(int index) {
  if (index == FItemIndex)
    FItemIndex = -1;
  else if (index < FItemIndex)
    --FItemIndex;
}

void TCustomItemsControl::ItemsCleared() {
  FItemIndex = -1;
}

void TCustomItemsControl::ItemsChanged() {
  Changed(TControlChange::Items);
}

bool TCustomItemsControl::ReadProperty(TPropertyReader& r) {
  if (r.Is("ItemHeight"))
    SetItemHeight(r.Integer());
  else if (r.Is("OnDrawItem"))
    OnDrawItem = r.DrawItemHandler();
  else
    return TWinControl::ReadProperty(r);
  return true;
}

// ---- TCustomListBox ----

TCustomListBox::TCustomListBox() {
  SetBounds(0, 0, 121, 97);
}

TRect TCustomListBox::ClientRect() const {
  return TRect{0, 0, std::max(0, Width() - 4), std::max(0, Height() - 4)};
}

int TCustomListBox::VisibleRows() const {
  return std::max(1, ClientRect().Height() / std::max(1, ItemHeight()));
}

void TCustomListBox::SelectionMoved(int index) {
  if (index < 0) return;
  if (index < FTopIndex)
    FTopIndex = index;
  else if (index >= FTopIndex + VisibleRows())
    FTopIndex = index - VisibleRows() + 1;
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed(TControlChange::State);
}

void TCustomListBox::SetTopIndex(int index) {
  index = std::max(0, std::min(index, Items().Count() - 1));
  if (index == FTopIndex) return;
  FTopIndex = index;
  Changed(TControlChange::State);
}

void TCustomListBox::ScrolledTo(int topIndex) {
  FTopIndex = std::max(0, topIndex);
}

TRect TCustomListBox::ItemRect(int index) const {
  // Rows far off the list lie at its coordinates' ends rather than wrap round.
  const int64_t top = (int64_t(index) - FTopIndex) * ItemHeight();
  return TRect{0, ToCoordinate(top), ClientRect().Right, ToCoordinate(top + ItemHeight())};
}

int TCustomListBox::ItemAtPos(TPoint point, bool existing) const {
  if (!ClientRect().Contains(point)) return -1;
  const int index = FTopIndex + point.Y / std::max(1, ItemHeight());
  if (index < Items().Count()) return index;
  return existing ? -1 : Items().Count();
}

TOwnerDrawState TCustomListBox::RowState(int index) const {
  TOwnerDrawState state;
  if (index == ItemIndex() && index >= 0) {
    state.Include(odSelected);
    if (Focused()) state.Include(odFocused);
  }
  if (!EnabledChain()) state.Include(odDisabled);
  return state;
}

void TCustomListBox::PaintItem(int index) {
  PaintItem(index, ItemRect(index), RowState(index));
}

void TCustomListBox::ItemDeleted(int index) {
  TCustomItemsControl::ItemDeleted(index);
  FTopIndex = std::max(0, std::min(FTopIndex, Items().Count() - 1));
}

void TCustomListBox::ItemsCleared() {
  TCustomItemsControl::ItemsCleared();
  FTopIndex = 0;
}

bool TCustomListBox::ReadProperty(TPropertyReader& r) {
  if (!r.Is("Style")) return TCustomItemsControl::ReadProperty(r);
  SetStyle(
      r.Enum<TListBoxStyle>({{"lbStandard", lbStandard}, {"lbOwnerDrawFixed", lbOwnerDrawFixed}}));
  return true;
}

// ---- TComboBox ----

TComboBox::TComboBox() {
  SetBounds(0, 0, 145, 21);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed(TControlChange::State);
}

void TComboBox::UserSelect(int index) {
  TCustomItemsControl::UserSelect(index);
  Change();
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::PaintItem(int index) {
  TOwnerDrawState state;
  if (index == ItemIndex() && index >= 0) state.Include(odSelected);
  if (!EnabledChain()) state.Include(odDisabled);
  const int64_t top = int64_t(index) * ItemHeight();
  PaintItem(index, TRect{0, ToCoordinate(top), Width(), ToCoordinate(top + ItemHeight())}, state);
}

bool TComboBox::ReadProperty(TPropertyReader& r) {
  if (r.Is("Style"))
    SetStyle(r.Enum<TComboBoxStyle>(
        {{"csDropDownList", csDropDownList}, {"csOwnerDrawFixed", csOwnerDrawFixed}}));
  else if (r.Is("OnChange"))
    OnChange = r.NotifyHandler();
  else
    return TCustomItemsControl::ReadProperty(r);
  return true;
}
