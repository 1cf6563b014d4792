#pragma once
// The seam between the component library and a window system. Gui() is the current backend:
// the Win32 one in the Windows builds, the headless one in the host build; tests install the
// headless one in any build with TGuiScope.

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"

#include <memory>
#include <string>

class TApplication;
class TForm;

// A control's window. Destroying it destroys the window.
class TNativeWindow {
public:
  virtual ~TNativeWindow() = default;
  virtual ::Handle WindowHandle() const = 0;
  // Mirror a change of the control's state.
  virtual void Update(TControlChange change) = 0;
  virtual void Invalidate() = 0;
  virtual void Focus() = 0;
};

class TGuiBackend {
public:
  virtual ~TGuiBackend() = default;
  // The window of a control whose parent's window exists (or of a form).
  virtual std::unique_ptr<TNativeWindow> CreateNativeWindow(TWinControl& control) = 0;
  virtual std::unique_ptr<TNativeWindow> CreateApplicationWindow(TApplication& application) = 0;
  virtual std::unique_ptr<TCanvas> CreateCanvas() = 0;
  virtual int CharHeight(const TFont& font) = 0;
  virtual TSize TextExtent(const TFont& font, const std::string& text) = 0;
  // A system colour as 0x00BBGGRR.
  virtual uint32_t SysColor(int index) = 0;
  virtual bool ThemesActive() = 0;
  // The modal show: shows the form, then runs one step per turn of the form's loop (waits
  // for and handles one event), then hides it.
  virtual void BeginModal(TForm& form) = 0;
  virtual void ModalStep(TForm& form) = 0;
  virtual void EndModal(TForm& form) = 0;
};

TGuiBackend& Gui();
void SetGui(TGuiBackend* backend); // null restores the default

class TGuiScope {
public:
  explicit TGuiScope(TGuiBackend& backend);
  ~TGuiScope();
  TGuiScope(const TGuiScope&) = delete;
  TGuiScope& operator=(const TGuiScope&) = delete;

private:
  TGuiBackend* Previous;
};
