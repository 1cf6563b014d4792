#include "platform/gui/Controls.h"

#include "platform/gui/Backend.h"
#include "platform/gui/FormReader.h"
#include "platform/gui/Forms.h"

#include <algorithm>
#include <cstdint>

// ---- TControl ----

TControl::TControl() {
  FFont.OnChange = [this] {
    if (!FSettingParentFont) FParentFont = false;
    Changed(TControlChange::Font);
  };
}

TControl::~TControl() {
  FFont.OnChange = nullptr;
  if (FParent) FParent->RemoveControl(*this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (parent == this) throw Exception("A control cannot be its own parent");
  if (FParent) FParent->RemoveControl(*this);
  FParent = parent;
  if (FParent) {
    FParent->InsertControl(*this);
    ParentFontChanged();
  }
}

TForm* TControl::ParentForm() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (auto* form = dynamic_cast<const TForm*>(c)) return const_cast<TForm*>(form);
  return nullptr;
}

int ToCoordinate(int64_t value) {
  return int(std::clamp<int64_t>(value, -MaxCoordinate, MaxCoordinate));
}

namespace {
int Coordinate(int64_t value, int64_t least = -MaxCoordinate) {
  return int(std::clamp<int64_t>(value, least, MaxCoordinate));
}
} // namespace

void TControl::SetBounds(int left, int top, int width, int height) {
  left = Coordinate(left);
  top = Coordinate(top);
  width = Coordinate(width, 0);
  height = Coordinate(height, 0);
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  Changed(TControlChange::Bounds);
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  Changed(TControlChange::Visible);
}

bool TControl::Showing() const {
  if (!FVisible) return false;
  if (FParent) return FParent->Showing();
  return dynamic_cast<const TForm*>(this) != nullptr;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Changed(TControlChange::Enabled);
}

bool TControl::EnabledChain() const {
  return FEnabled && (!FParent || FParent->EnabledChain());
}

void TControl::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  Changed(TControlChange::Text);
}

void TControl::SetParentFont(bool parentFont) {
  FParentFont = parentFont;
  if (parentFont) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FSettingParentFont = true;
  FFont.Assign(FParent->Font());
  FSettingParentFont = false;
}

void TControl::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed(TControlChange::Color);
}

void TControl::SetAlign(TAlign align) {
  if (align == FAlign) return;
  FAlign = align;
  if (FParent) FParent->Realign();
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::Changed(TControlChange change) {
  if (FParent && FAlign != alNone &&
      (change == TControlChange::Bounds || change == TControlChange::Visible))
    FParent->Realign();
}

bool TControl::ReadProperty(TPropertyReader& r) {
  if (r.Is("Left"))
    SetLeft(r.Integer());
  else if (r.Is("Top"))
    SetTop(r.Integer());
  else if (r.Is("Width"))
    SetWidth(r.Integer());
  else if (r.Is("Height"))
    SetHeight(r.Integer());
  else if (r.Is("Visible"))
    SetVisible(r.Boolean());
  else if (r.Is("Enabled"))
    SetEnabled(r.Boolean());
  else if (r.Is("Caption") || r.Is("Text"))
    SetText(r.String());
  else if (r.Is("Color"))
    SetColor(r.Color());
  else if (r.Is("ParentFont"))
    SetParentFont(r.Boolean());
  else if (r.Is("Font.Name"))
    FFont.SetName(r.String());
  else if (r.Is("Font.Height"))
    FFont.SetHeight(r.Integer());
  else if (r.Is("Font.Color"))
    FFont.SetColor(r.Color());
  else if (r.Is("Font.Style"))
    FFont.SetStyle(r.EnumSet<TFontStyle>({{"fsBold", fsBold},
                                          {"fsItalic", fsItalic},
                                          {"fsUnderline", fsUnderline},
                                          {"fsStrikeOut", fsStrikeOut}}));
  else if (r.Is("Align"))
    SetAlign(r.Enum<TAlign>({{"alNone", alNone},
                             {"alTop", alTop},
                             {"alBottom", alBottom},
                             {"alLeft", alLeft},
                             {"alRight", alRight},
                             {"alClient", alClient}}));
  else if (r.Is("OnClick"))
    OnClick = r.NotifyHandler();
  else
    return TComponent::ReadProperty(r);
  return true;
}

// ---- TWinControl ----

TWinControl::TWinControl() = default;

TWinControl::~TWinControl() {
  DestroyHandle();
  for (TControl* c : FControls) c->FParent = nullptr;
  FControls.clear();
}

void TWinControl::InsertControl(TControl& control) {
  FControls.push_back(&control);
  ControlInserted(control);
  if (control.Align() != alNone) Realign();
  auto* win = dynamic_cast<TWinControl*>(&control);
  if (win && HandleAllocated()) win->CreateHandleTree();
}

void TWinControl::RemoveControl(TControl& control) {
  auto it = std::find(FControls.begin(), FControls.end(), &control);
  if (it == FControls.end()) return;
  if (auto* win = dynamic_cast<TWinControl*>(&control)) win->DestroyHandle();
  FControls.erase(it);
  ControlRemoved(control);
  if (control.Align() != alNone) Realign();
}

void TWinControl::ControlInserted(TControl&) {}
void TWinControl::ControlRemoved(TControl&) {}

::Handle TWinControl::Handle() {
  HandleNeeded();
  return FNative ? FNative->WindowHandle() : 0;
}

void TWinControl::HandleNeeded() {
  if (FNative) return;
  if (Parent() && !Parent()->HandleAllocated()) {
    Parent()->HandleNeeded(); // makes the windows of the whole tree, this one among them
    if (FNative) return;
  }
  CreateHandleTree();
}

void TWinControl::CreateHandleTree() {
  if (!FNative) CreateWnd();
  for (TControl* c : FControls)
    if (auto* win = dynamic_cast<TWinControl*>(c)) win->CreateHandleTree();
}

void TWinControl::CreateWnd() {
  FNative = Gui().CreateNativeWindow(*this);
}

void TWinControl::DestroyHandle() {
  if (!FNative) return;
  for (TControl* c : FControls)
    if (auto* win = dynamic_cast<TWinControl*>(c)) win->DestroyHandle();
  FNative.reset();
}

bool TWinControl::CanFocus() const {
  return AcceptsFocus() && Showing() && EnabledChain();
}

void TWinControl::SetFocus() {
  if (!CanFocus()) return;
  if (TForm* form = ParentForm()) form->SetActiveControl(this);
}

bool TWinControl::Focused() const {
  TForm* form = ParentForm();
  return form && form->ActiveControl() == this;
}

bool TWinControl::WantsKey(int) const {
  return false;
}

void TWinControl::KeyPress(char&) {}

void TWinControl::MouseDown(int, int) {}

void TWinControl::Paint(TCanvas& canvas) {
  canvas.Brush.Color = Color();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.FillRect(ClientRect());
}

void TWinControl::Changed(TControlChange change) {
  TControl::Changed(change);
  if (change == TControlChange::Font)
    for (TControl* c : FControls) c->ParentFontChanged();
  if (change == TControlChange::Bounds) Realign();
  if (FNative) FNative->Update(change);
  if (change == TControlChange::Visible || change == TControlChange::Enabled)
    if (TForm* form = ParentForm()) form->EnsureFocusable();
}

void TWinControl::Realign() {
  if (FAligning) return;
  FAligning = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FAligning};
  TRect area = AlignArea();
  auto pick = [&](TAlign align) {
    std::vector<TControl*> list;
    for (TControl* c : FControls)
      if (c->Align() == align && c->Visible()) list.push_back(c);
    // Among controls of one alignment the one nearer that edge comes first; ties keep
    // creation order.
    std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
      switch (align) {
      case alTop: return a->Top() < b->Top();
      case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
      case alLeft: return a->Left() < b->Left();
      case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
      default: return false;
      }
    });
    return list;
  };
  // The edges move in 64 bits and stay within the coordinates, however many controls there are.
  for (TControl* c : pick(alTop)) {
    c->SetBounds(area.Left, area.Top, area.Width(), c->Height());
    area.Top = Coordinate(int64_t(area.Top) + c->Height());
  }
  for (TControl* c : pick(alBottom)) {
    c->SetBounds(area.Left, Coordinate(int64_t(area.Bottom) - c->Height()), area.Width(),
                 c->Height());
    area.Bottom = Coordinate(int64_t(area.Bottom) - c->Height());
  }
  for (TControl* c : pick(alLeft)) {
    c->SetBounds(area.Left, area.Top, c->Width(), area.Height());
    area.Left = Coordinate(int64_t(area.Left) + c->Width());
  }
  for (TControl* c : pick(alRight)) {
    c->SetBounds(Coordinate(int64_t(area.Right) - c->Width()), area.Top, c->Width(), area.Height());
    area.Right = Coordinate(int64_t(area.Right) - c->Width());
  }
  for (TControl* c : pick(alClient)) c->SetBounds(area.Left, area.Top, area.Width(), area.Height());
}

bool TWinControl::ReadProperty(TPropertyReader& r) {
  if (r.Is("TabStop"))
    SetTabStop(r.Boolean());
  else
    return TControl::ReadProperty(r);
  return true;
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}
