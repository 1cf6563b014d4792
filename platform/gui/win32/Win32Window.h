#pragma once
// A control's real window: created with the style its kind needs, kept in step with the
// control's state, and routing the window's events to the control's public methods.

#include "platform/gui/Backend.h"
#include "platform/gui/win32/GdiObjects.h"

class TApplication;
class TForm;

enum class TWindowKind {
  Form,
  Container,
  Painted,
  Label,
  Button,
  CheckBox,
  Edit,
  Memo,
  List,
  Combo
};

class TWin32Window : public TNativeWindow {
public:
  explicit TWin32Window(TWinControl& control);
  ~TWin32Window() override;
  ::Handle WindowHandle() const override { return ::Handle(Window.Get()); }
  void Update(TControlChange change) override;
  void Invalidate() override;
  void Focus() override;

  HWND Hwnd() const { return Window.Get(); }
  TWinControl& Control() { return Owner; }
  TWindowKind Kind() const { return WindowKind; }

  // The window of a handle made by this backend, or null.
  static TWin32Window* Find(HWND window);
  LRESULT CustomMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  void Create();
  void SyncAll();
  void SyncText();
  void SyncItems();
  void SyncState();
  void SyncSelection();
  void SyncBounds();
  void Command(int code);
  void DrawItem(const DRAWITEMSTRUCT& item);
  LRESULT ControlColor(HDC dc, TColor parentColor);
  void Paint(HDC dc);
  TWinControl& Owner;
  TWindowKind WindowKind;
  int Id = 0;
  THWnd Window;
  bool Syncing = false;
  bool Positioned = false;
};

// The hidden top-level window of the application object.
class TWin32ApplicationWindow : public TNativeWindow {
public:
  explicit TWin32ApplicationWindow(TApplication& application);
  ::Handle WindowHandle() const override { return ::Handle(Window.Get()); }
  void Update(TControlChange) override {}
  void Invalidate() override {}
  void Focus() override {}

private:
  THWnd Window;
};

// Shows a failure of a handler as the class library does, and goes on; an abort is quiet.
void ReportHandlerFailure(HWND owner);
// The thick border goes to the focused button, else to the form's default button.
void UpdateDefaultButtonLook(TForm& form);
