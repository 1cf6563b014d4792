#include "platform/gui/Forms.h"

#include "platform/gui/Backend.h"
#include "platform/gui/FormReader.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cctype>

namespace {

// Every control below root, depth first in creation order.
void Collect(TWinControl& root, std::vector<TWinControl*>& out) {
  for (int i = 0; i < root.ControlCount(); ++i)
    if (auto* win = dynamic_cast<TWinControl*>(root.Controls(i))) {
      out.push_back(win);
      Collect(*win, out);
    }
}

// The letter after the first single ampersand of a caption, or 0.
char Accelerator(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i)
    if (caption[i] == '&') {
      if (caption[i + 1] != '&') return caption[i + 1];
      ++i;
    }
  return 0;
}

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

bool Pressable(const TButton* button) {
  return button && button->Showing() && button->EnabledChain();
}

} // namespace

TForm::TForm(TComponent* owner) : FCreatedBy(owner) {
  SetVisible(false);
}

TForm::~TForm() {
  DestroyHandle();
  DestroyComponents();
}

void TForm::AddField(const std::string& name, std::function<bool(TComponent*)> assign) {
  FFields.push_back(TField{name, std::move(assign), false});
}

void TForm::PublishHandler(const std::string& name, TFormHandler handler) {
  for (auto& h : FHandlers)
    if (h.first == name) {
      h.second = std::move(handler);
      return;
    }
  FHandlers.emplace_back(name, std::move(handler));
}

const TFormHandler* TForm::FindHandler(const std::string& name) const {
  for (const auto& h : FHandlers)
    if (h.first.size() == name.size() &&
        std::equal(h.first.begin(), h.first.end(), name.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        }))
      return &h.second;
  return nullptr;
}

void TForm::ReadFormResource(const std::string& resourceName) {
  TResourceStream resource(resourceName, "#10");
  ReadForm(*this,
           std::string(reinterpret_cast<const char*>(resource.Memory()), size_t(resource.Size())),
           resourceName);
}

void TForm::ReadFormText(const std::string& text, const std::string& className) {
  ReadForm(*this, text, className);
}

int TForm::ShowModal() {
  if (FModal) throw Exception("A form that is shown modally cannot be shown modally again");
  HandleNeeded();
  FModalResult = mrNone;
  FModal = true;
  struct TEnd {
    TForm& Form;
    bool Begun = false;
    ~TEnd() {
      if (Begun) Gui().EndModal(Form);
      Form.SetVisible(false);
      Form.FModal = false;
    }
  } end{*this};
  SetVisible(true);
  if (!FActiveControl || !FActiveControl->CanFocus()) SelectNext(nullptr, true);
  Gui().BeginModal(*this);
  end.Begun = true;
  for (;;) {
    Gui().ModalStep(*this);
    if (FModalResult == mrNone) continue;
    if (CloseQuery()) break;
    FModalResult = mrNone;
  }
  return FModalResult;
}

void TForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (CloseQuery()) Hide();
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::WMTimer() {}

void TForm::WMActivateApp(bool) {}

void TForm::SetActiveControl(TWinControl* control) {
  if (control && control->ParentForm() != this) return;
  FActiveControl = control;
  if (control && control->HandleAllocated() && Showing()) control->Native()->Focus();
}

void TForm::FocusChanged(TWinControl* control) {
  if (control && control->ParentForm() != this) return;
  FActiveControl = control;
}

void TForm::EnsureFocusable() {
  if (!FActiveControl || !Showing() || FActiveControl->CanFocus()) return;
  TWinControl* from = FActiveControl;
  FActiveControl = nullptr;
  if (!SelectNext(from, true) && HandleAllocated()) Native()->Focus();
}

bool TForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> all;
  Collect(*this, all);
  const int n = int(all.size());
  if (n == 0) return false;
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (all[size_t(i)] == current) start = i;
  if (start < 0) start = forward ? -1 : n;
  for (int step = 1; step <= n; ++step) {
    int i = forward ? start + step : start - step;
    i = ((i % n) + n) % n;
    TWinControl* c = all[size_t(i)];
    if (c->TabStop() && c->CanFocus()) {
      SetActiveControl(c);
      return true;
    }
  }
  return false;
}

TButton* TForm::DefaultButton() const {
  std::vector<TWinControl*> all;
  Collect(const_cast<TForm&>(*this), all);
  for (TWinControl* c : all)
    if (auto* b = dynamic_cast<TButton*>(c); b && b->Default()) return b;
  return nullptr;
}

TButton* TForm::CancelButton() const {
  std::vector<TWinControl*> all;
  Collect(const_cast<TForm&>(*this), all);
  for (TWinControl* c : all)
    if (auto* b = dynamic_cast<TButton*>(c); b && b->Cancel()) return b;
  return nullptr;
}

bool TForm::DialogKey(int key, bool shift) {
  TWinControl* focused = FActiveControl && FActiveControl->CanFocus() ? FActiveControl : nullptr;
  if (focused && focused->WantsKey(key)) return false;
  switch (key) {
  case vkTab: return SelectNext(focused, !shift);
  case vkReturn: {
    TButton* button = dynamic_cast<TButton*>(focused);
    if (!button) button = DefaultButton();
    if (!Pressable(button)) return false;
    button->Click();
    return true;
  }
  case vkEscape: {
    TButton* button = CancelButton();
    if (!Pressable(button)) return false;
    button->Click();
    return true;
  }
  default: return false;
  }
}

bool TForm::DialogChar(char letter) {
  if (!letter) return false;
  std::vector<TWinControl*> all;
  Collect(*this, all);
  for (TWinControl* c : all) {
    if (!c->Showing() || !c->EnabledChain() || !SameLetter(Accelerator(c->Caption()), letter))
      continue;
    if (auto* label = dynamic_cast<TLabel*>(c)) {
      if (!label->FocusControl() || !label->FocusControl()->CanFocus()) continue;
      label->FocusControl()->SetFocus();
      return true;
    }
    if (auto* button = dynamic_cast<TButton*>(c)) {
      button->Click();
      return true;
    }
    if (auto* box = dynamic_cast<TCheckBox*>(c)) {
      box->SetFocus();
      box->Toggle();
      return true;
    }
  }
  return false;
}

void TForm::Paint(TCanvas& canvas) {
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());
}

void TForm::Changed(TControlChange change) {
  TWinControl::Changed(change);
}

void TForm::Notification(TComponent* removed) {
  TWinControl::Notification(removed);
  if (removed == FActiveControl) FActiveControl = nullptr;
}

bool TForm::ReadProperty(TPropertyReader& r) {
  if (r.Is("ClientWidth"))
    SetClientWidth(r.Integer());
  else if (r.Is("ClientHeight"))
    SetClientHeight(r.Integer());
  else if (r.Is("PixelsPerInch")) {
    const int ppi = r.Integer();
    if (ppi <= 0) r.Fail("invalid value for PixelsPerInch");
    FPixelsPerInch = ppi;
  } else if (r.Is("BorderIcons"))
    SetBorderIcons(r.EnumSet<TBorderIcon>({{"biSystemMenu", biSystemMenu},
                                           {"biMinimize", biMinimize},
                                           {"biMaximize", biMaximize},
                                           {"biHelp", biHelp}}));
  else if (r.Is("BorderStyle"))
    SetBorderStyle(r.Enum<TFormBorderStyle>({{"bsNone", bsNone},
                                             {"bsSingle", bsSingle},
                                             {"bsSizeable", bsSizeable},
                                             {"bsDialog", bsDialog}}));
  else if (r.Is("Position"))
    SetPosition(
        r.Enum<TPosition>({{"poDesigned", poDesigned}, {"poScreenCenter", poScreenCenter}}));
  else if (r.Is("OnCloseQuery"))
    OnCloseQuery = r.CloseQueryHandler();
  else
    return TWinControl::ReadProperty(r);
  return true;
}
