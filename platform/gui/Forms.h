#pragma once
// Forms: a top-level window read from a form description, shown modally with a modal result
// and a close query, with the dialog keys (Tab, Enter, Escape, accelerators) handled by the
// form itself, so the rules are the same in both backends.
//
// A form class names its published fields and its handlers before it reads its description:
//
//   TMyForm::TMyForm() : TForm(nullptr) {
//     PublishField("OkBtn", OkBtn);               // TButton* OkBtn
//     PublishHandler("OkBtnClick", &TMyForm::OkBtnClick);
//     ReadFormResource("TMYFORM");                // RCDATA; root object of class TMyForm
//   }

#include "platform/gui/Controls.h"
#include "platform/gui/StdCtrls.h"

#include <functional>
#include <string>
#include <variant>
#include <vector>

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TPosition { poDesigned, poScreenCenter };

constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
              mrNo = 7;

using TFormHandler = std::variant<TNotifyEvent, TCloseQueryEvent, TDrawItemEvent>;

class TForm : public TWinControl {
public:
  // The owner is only recorded: whoever creates a form holds it.
  explicit TForm(TComponent* owner = nullptr);
  ~TForm() override;
  TComponent* CreatedBy() const { return FCreatedBy; }

  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons icons) { FBorderIcons = icons; }
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle style) { FBorderStyle = style; }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition position) { FPosition = position; }
  int PixelsPerInch() const { return FPixelsPerInch; }
  // The client area; a form's Left, Top, Width and Height are those of its client area too.
  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientWidth(int width) { SetWidth(width); }
  void SetClientHeight(int height) { SetHeight(height); }

  int ModalResult() const { return FModalResult; }
  void SetModalResult(int result) { FModalResult = result; }
  bool Modal() const { return FModal; }
  // Shows the form and runs until the modal result is non-zero and the close query allows
  // closing (a refusal resets the result to 0); hides it and returns the result.
  int ShowModal();
  // A modal form gets the modal result mrCancel; another one is hidden if the close query
  // allows it. The close box calls this.
  void Close();
  // OnCloseQuery's answer (true without a handler).
  virtual bool CloseQuery();
  TCloseQueryEvent OnCloseQuery;

  // WM_TIMER and WM_ACTIVATEAPP of the form's window.
  virtual void WMTimer();
  virtual void WMActivateApp(bool active);

  // Focus: the control that has it (or gets it when the form is shown).
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  // The native window took the focus: record it without moving it again.
  void FocusChanged(TWinControl* control);
  // The next (or previous) control in creation order that has TabStop and can take the
  // focus, after current (null: from the start), wrapping around; focuses it. False if none.
  bool SelectNext(TWinControl* current, bool forward);
  TButton* DefaultButton() const;
  TButton* CancelButton() const;
  // Tab and Shift+Tab move the focus; Enter presses the focused button, else the default
  // button while it is enabled; Escape presses the cancel button while it is enabled. False
  // when the key is not for the form (the focused control wants it, or nothing to press).
  bool DialogKey(int key, bool shift);
  // An accelerator (Alt and a letter): the first showing, enabled control whose caption
  // marks that letter; a label passes it to its FocusControl.
  bool DialogChar(char letter);

  // Builds the form from its description (see FormReader.h). The resource is RCDATA; the
  // root object's class must be resourceName, case ignored.
  void ReadFormResource(const std::string& resourceName);
  void ReadFormText(const std::string& text, const std::string& className);

  // The named handler, or null.
  const TFormHandler* FindHandler(const std::string& name) const;
  void Paint(TCanvas& canvas) override;
  bool ReadProperty(TPropertyReader& reader) override;

protected:
  template <class T> void PublishField(const std::string& name, T*& field) {
    AddField(name, [&field](TComponent* c) {
      field = dynamic_cast<T*>(c);
      return field != nullptr || c == nullptr;
    });
  }
  void PublishHandler(const std::string& name, TFormHandler handler);
  template <class F> void PublishHandler(const std::string& name, void (F::*method)(TObject*)) {
    F* self = static_cast<F*>(this);
    PublishHandler(name, TNotifyEvent([self, method](TObject* s) { (self->*method)(s); }));
  }
  template <class F>
  void PublishHandler(const std::string& name, void (F::*method)(TObject*, bool&)) {
    F* self = static_cast<F*>(this);
    PublishHandler(
        name, TCloseQueryEvent([self, method](TObject* s, bool& c) { (self->*method)(s, c); }));
  }
  template <class F>
  void PublishHandler(const std::string& name,
                      void (F::*method)(TWinControl*, int, const TRect&, TOwnerDrawState)) {
    F* self = static_cast<F*>(this);
    PublishHandler(
        name, TDrawItemEvent([self, method](TWinControl* c, int i, const TRect& r,
                                            TOwnerDrawState s) { (self->*method)(c, i, r, s); }));
  }
  void Changed(TControlChange change) override;
  void Notification(TComponent* removed) override;

private:
  friend class TFormReader;
  friend class TWinControl;
  struct TField {
    std::string Name;
    std::function<bool(TComponent*)> Assign;
    bool Assigned = false;
  };
  void AddField(const std::string& name, std::function<bool(TComponent*)> assign);
  void EnsureFocusable();
  TComponent* FCreatedBy;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TFormBorderStyle FBorderStyle = bsSizeable;
  TPosition FPosition = poDesigned;
  int FPixelsPerInch = 96;
  int FModalResult = 0;
  bool FModal = false;
  TWinControl* FActiveControl = nullptr;
  std::vector<TField> FFields;
  std::vector<std::pair<std::string, TFormHandler>> FHandlers;
};
