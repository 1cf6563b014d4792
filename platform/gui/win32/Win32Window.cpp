#include "platform/gui/win32/Win32Window.h"

#include "platform/gui/Application.h"
#include "platform/gui/CheckLst.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/win32/Win32Canvas.h"
#include "platform/gui/win32/Win32Gui.h"
#include "platform/rtl/Consts.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"

#include <windowsx.h>

#include <exception>
#include <map>
#include <unordered_map>
#include <vector>

namespace {

std::unordered_map<HWND, TWin32Window*>& Windows() {
  static std::unordered_map<HWND, TWin32Window*> windows;
  return windows;
}

// Owner-drawn controls ask for their item height while they are being created, before
// their handle is known; they are found by their control id then.
std::map<int, TWinControl*>& ById() {
  static std::map<int, TWinControl*> controls;
  return controls;
}

int NextId() {
  static int id = 100;
  return ++id;
}

TWindowKind KindOf(TWinControl& c) {
  if (dynamic_cast<TForm*>(&c)) return TWindowKind::Form;
  if (dynamic_cast<TLabel*>(&c)) return TWindowKind::Label;
  if (dynamic_cast<TButton*>(&c)) return TWindowKind::Button;
  if (dynamic_cast<TCheckBox*>(&c)) return TWindowKind::CheckBox;
  if (dynamic_cast<TMemo*>(&c)) return TWindowKind::Memo;
  if (dynamic_cast<TEdit*>(&c)) return TWindowKind::Edit;
  if (dynamic_cast<TCustomListBox*>(&c)) return TWindowKind::List;
  if (dynamic_cast<TComboBox*>(&c)) return TWindowKind::Combo;
  if (dynamic_cast<TBevel*>(&c) || dynamic_cast<TImage*>(&c)) return TWindowKind::Painted;
  return TWindowKind::Container;
}

// The system's controls break lines at CR LF; the library's texts may hold a lone CR.
std::string NativeText(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthA(window);
  std::string text(size_t(length) + 1, '\0');
  const int got = ::GetWindowTextA(window, &text[0], length + 1);
  text.resize(size_t(got < 0 ? 0 : got));
  return text;
}

LRESULT CALLBACK CustomProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR data);

void RegisterWindowClass(const char* name, UINT style) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = CustomProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
  wc.lpszClassName = name;
  ::RegisterClassExA(&wc);
}

void RegisterWindowClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterWindowClass(SWindowClassForm, CS_DBLCLKS);
  RegisterWindowClass(SWindowClassControl, CS_DBLCLKS);
  RegisterWindowClass(SWindowClassApplication, 0);
}

DWORD FormStyle(const TForm& form) {
  DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (form.BorderStyle() == bsNone) return style | WS_POPUP;
  style |= WS_CAPTION;
  if (form.BorderIcons().Contains(biSystemMenu)) {
    style |= WS_SYSMENU;
    if (form.BorderIcons().Contains(biMinimize)) style |= WS_MINIMIZEBOX;
    if (form.BorderIcons().Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
  }
  if (form.BorderStyle() == bsSizeable) style |= WS_THICKFRAME;
  return style;
}

DWORD FormExStyle(const TForm& form) {
  DWORD ex = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
  if (form.BorderStyle() == bsDialog) ex |= WS_EX_DLGMODALFRAME;
  return ex;
}

DWORD LabelStyle(const TLabel& label) {
  switch (label.Alignment()) {
  case taRightJustify: return SS_RIGHT;
  case taCenter: return SS_CENTER;
  default: return label.AutoSize() ? SS_LEFTNOWORDWRAP : SS_LEFT;
  }
}

TOwnerDrawState DrawState(UINT s) {
  TOwnerDrawState state;
  if (s & ODS_SELECTED) state.Include(odSelected);
  if (s & ODS_GRAYED) state.Include(odGrayed);
  if (s & ODS_DISABLED) state.Include(odDisabled);
  if (s & ODS_CHECKED) state.Include(odChecked);
  if (s & ODS_FOCUS) state.Include(odFocused);
  if (s & ODS_COMBOBOXEDIT) state.Include(odComboBoxEdit);
  return state;
}

// Everything below the system's callbacks is our code; a failure there must not unwind
// through the system's frames.
template <class F> LRESULT Guarded(HWND hwnd, F&& f) {
  try {
    return f();
  } catch (...) {
    ReportHandlerFailure(::GetAncestor(hwnd, GA_ROOT));
    return 0;
  }
}

LRESULT CALLBACK CustomProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TWin32Window* self = TWin32Window::Find(hwnd);
  if (!self) return ::DefWindowProcA(hwnd, message, wParam, lParam);
  return Guarded(hwnd, [&] { return self->CustomMessage(message, wParam, lParam); });
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data) {
  auto* self = reinterpret_cast<TWin32Window*>(data);
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hwnd, SubclassProc, 1);
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
  }
  return Guarded(hwnd, [&] { return self->SubclassMessage(message, wParam, lParam); });
}

// Collect the buttons of a form.
void Buttons(TWinControl& root, std::vector<TButton*>& out) {
  for (int i = 0; i < root.ControlCount(); ++i)
    if (auto* win = dynamic_cast<TWinControl*>(root.Controls(i))) {
      if (auto* b = dynamic_cast<TButton*>(win)) out.push_back(b);
      Buttons(*win, out);
    }
}

} // namespace

void ReportHandlerFailure(HWND owner) {
  std::string message;
  try {
    throw;
  } catch (const EAbort&) {
    return;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = SUnknownFailure;
  }
  const std::string caption = Application ? Application->Title : std::string();
  Sys().MessageBoxExW(::Handle(owner), WideFrom1252(message), WideFrom1252(caption),
                      MB_OK | MB_ICONERROR, 0);
}

void UpdateDefaultButtonLook(TForm& form) {
  std::vector<TButton*> buttons;
  Buttons(form, buttons);
  auto* focused = dynamic_cast<TButton*>(form.ActiveControl());
  for (TButton* b : buttons) {
    if (!b->HandleAllocated()) continue;
    const bool thick = focused ? b == focused : b->Default();
    ::SendMessageA(reinterpret_cast<HWND>(b->Native()->WindowHandle()), BM_SETSTYLE,
                   thick ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

// ---- TWin32Window ----

TWin32Window* TWin32Window::Find(HWND window) {
  auto it = Windows().find(window);
  return it == Windows().end() ? nullptr : it->second;
}

TWin32Window::TWin32Window(TWinControl& control) : Owner(control), WindowKind(KindOf(control)) {
  RegisterWindowClasses();
  Create();
}

TWin32Window::~TWin32Window() {
  ById().erase(Id);
  if (Window) {
    Windows().erase(Window.Get());
    Window.Reset();
  }
}

void TWin32Window::Create() {
  const char* className = SWindowClassControl;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ex = 0;
  HWND parent = nullptr;
  if (WindowKind != TWindowKind::Form) {
    if (!Owner.Parent() || !Owner.Parent()->HandleAllocated())
      throw Exception("A control needs a parent with a window");
    parent = reinterpret_cast<HWND>(Owner.Parent()->Native()->WindowHandle());
  }
  switch (WindowKind) {
  case TWindowKind::Form: {
    auto& form = static_cast<TForm&>(Owner);
    className = SWindowClassForm;
    style = FormStyle(form);
    ex = FormExStyle(form);
    break;
  }
  case TWindowKind::Container:
    style |= WS_CLIPCHILDREN;
    ex = WS_EX_CONTROLPARENT;
    break;
  case TWindowKind::Painted: break;
  case TWindowKind::Label:
    className = "STATIC";
    style |= LabelStyle(static_cast<TLabel&>(Owner));
    break;
  case TWindowKind::Button:
    className = "BUTTON";
    style |= static_cast<TButton&>(Owner).Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    break;
  case TWindowKind::CheckBox:
    className = "BUTTON";
    style |= BS_CHECKBOX;
    break;
  case TWindowKind::Edit:
    className = "EDIT";
    style |= ES_AUTOHSCROLL;
    ex = WS_EX_CLIENTEDGE;
    break;
  case TWindowKind::Memo: {
    auto& memo = static_cast<TMemo&>(Owner);
    className = "EDIT";
    style |= ES_MULTILINE | ES_AUTOVSCROLL | (memo.WantReturns() ? ES_WANTRETURN : 0) |
             (memo.ReadOnly() ? ES_READONLY : 0);
    if (memo.ScrollBars() == ssVertical || memo.ScrollBars() == ssBoth) style |= WS_VSCROLL;
    if (memo.ScrollBars() == ssHorizontal || memo.ScrollBars() == ssBoth)
      style |= WS_HSCROLL | ES_AUTOHSCROLL;
    ex = WS_EX_CLIENTEDGE;
    break;
  }
  case TWindowKind::List: {
    auto& list = static_cast<TCustomListBox&>(Owner);
    className = "LISTBOX";
    style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
             (list.Style() == lbOwnerDrawFixed ? LBS_OWNERDRAWFIXED : 0);
    ex = WS_EX_CLIENTEDGE;
    break;
  }
  case TWindowKind::Combo: {
    auto& combo = static_cast<TComboBox&>(Owner);
    className = "COMBOBOX";
    style |= CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL |
             (combo.Style() == csOwnerDrawFixed ? CBS_OWNERDRAWFIXED : 0);
    break;
  }
  }
  if (WindowKind != TWindowKind::Form) {
    if (Owner.Visible()) style |= WS_VISIBLE;
    if (Owner.TabStop()) style |= WS_TABSTOP;
  }
  if (!Owner.Enabled()) style |= WS_DISABLED;

  int x = Owner.Left(), y = Owner.Top(), w = Owner.Width(), h = Owner.Height();
  if (WindowKind == TWindowKind::Form) {
    RECT r{0, 0, w, h};
    ::AdjustWindowRectEx(&r, style, FALSE, ex);
    x = CW_USEDEFAULT;
    y = CW_USEDEFAULT;
    w = r.right - r.left;
    h = r.bottom - r.top;
  } else if (WindowKind == TWindowKind::Combo) {
    h = Owner.Height() + 8 * static_cast<TComboBox&>(Owner).ItemHeight();
  }
  const std::string text = WindowKind == TWindowKind::Combo || WindowKind == TWindowKind::List ||
                                   WindowKind == TWindowKind::Memo
                               ? std::string()
                               : NativeText(Owner.Caption());
  Id = WindowKind == TWindowKind::Form ? 0 : NextId();
  ById()[Id] = &Owner;
  HWND hwnd = ::CreateWindowExA(ex, className, text.c_str(), style, x, y, w, h, parent,
                                reinterpret_cast<HMENU>(intptr_t(Id)), ::GetModuleHandleA(nullptr),
                                nullptr);
  if (!hwnd) throw Exception("Cannot create a window for " + Owner.Name());
  Window.Reset(hwnd);
  Windows()[hwnd] = this;
  const bool custom = WindowKind == TWindowKind::Form || WindowKind == TWindowKind::Container ||
                      WindowKind == TWindowKind::Painted;
  if (!custom) ::SetWindowSubclass(hwnd, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
  // Later siblings are drawn over earlier ones.
  if (WindowKind != TWindowKind::Form)
    ::SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (WindowKind == TWindowKind::Form && Application && Application->Icon.Handle()) {
    const LPARAM icon = LPARAM(Application->Icon.Handle());
    ::SendMessageA(hwnd, WM_SETICON, ICON_BIG, icon);
    ::SendMessageA(hwnd, WM_SETICON, ICON_SMALL, icon);
  }
  SyncAll();
  // A form that is already meant to be visible shows as soon as it has a window.
  if (WindowKind == TWindowKind::Form && Owner.Visible()) Update(TControlChange::Visible);
}

void TWin32Window::SyncAll() {
  Syncing = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{Syncing};
  ::SendMessageA(Hwnd(), WM_SETFONT, WPARAM(Win32Gui().FontHandle(Owner.Font())), FALSE);
  SyncItems();
  SyncState();
}

void TWin32Window::SyncText() {
  if (WindowKind == TWindowKind::List || WindowKind == TWindowKind::Combo ||
      WindowKind == TWindowKind::Memo)
    return;
  const std::string text = NativeText(Owner.Caption());
  if (WindowText(Hwnd()) != text) ::SetWindowTextA(Hwnd(), text.c_str());
}

void TWin32Window::SyncItems() {
  HWND h = Hwnd();
  if (WindowKind == TWindowKind::Memo) {
    std::string text = static_cast<TMemo&>(Owner).Lines().Text();
    if (text.size() >= 2) text.resize(text.size() - 2); // no empty line after the last
    ::SetWindowTextA(h, text.c_str());
  } else if (WindowKind == TWindowKind::List) {
    auto& list = static_cast<TCustomListBox&>(Owner);
    ::SendMessageA(h, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(h, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < list.Items().Count(); ++i)
      ::SendMessageA(h, LB_ADDSTRING, 0, LPARAM(list.Items()[i].c_str()));
    ::SendMessageA(h, LB_SETCURSEL, WPARAM(list.ItemIndex()), 0);
    ::SendMessageA(h, LB_SETTOPINDEX, WPARAM(list.TopIndex()), 0);
    ::SendMessageA(h, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(h, nullptr, TRUE);
  } else if (WindowKind == TWindowKind::Combo) {
    auto& combo = static_cast<TComboBox&>(Owner);
    ::SendMessageA(h, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < combo.Items().Count(); ++i)
      ::SendMessageA(h, CB_ADDSTRING, 0, LPARAM(combo.Items()[i].c_str()));
    ::SendMessageA(h, CB_SETCURSEL, WPARAM(combo.ItemIndex()), 0);
  }
}

void TWin32Window::SyncState() {
  HWND h = Hwnd();
  switch (WindowKind) {
  case TWindowKind::Label: {
    LONG_PTR style = ::GetWindowLongPtrA(h, GWL_STYLE);
    style = (style & ~LONG_PTR(SS_TYPEMASK)) | LONG_PTR(LabelStyle(static_cast<TLabel&>(Owner)));
    ::SetWindowLongPtrA(h, GWL_STYLE, style);
    break;
  }
  case TWindowKind::Button:
    if (TForm* form = Owner.ParentForm()) UpdateDefaultButtonLook(*form);
    break;
  case TWindowKind::CheckBox:
    ::SendMessageA(h, BM_SETCHECK,
                   static_cast<TCheckBox&>(Owner).Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    break;
  case TWindowKind::Memo:
    ::SendMessageA(h, EM_SETREADONLY, static_cast<TMemo&>(Owner).ReadOnly(), 0);
    break;
  case TWindowKind::List: {
    auto& list = static_cast<TCustomListBox&>(Owner);
    if (list.Style() == lbOwnerDrawFixed)
      ::SendMessageA(h, LB_SETITEMHEIGHT, 0, MAKELPARAM(list.ItemHeight(), 0));
    break;
  }
  case TWindowKind::Combo: {
    auto& combo = static_cast<TComboBox&>(Owner);
    if (combo.Style() == csOwnerDrawFixed) {
      ::SendMessageA(h, CB_SETITEMHEIGHT, WPARAM(-1), combo.ItemHeight());
      ::SendMessageA(h, CB_SETITEMHEIGHT, 0, combo.ItemHeight());
    }
    break;
  }
  default: break;
  }
  ::InvalidateRect(h, nullptr, TRUE);
}

// Only a selection the program makes is pushed: the window's own follows the user.
void TWin32Window::SyncSelection() {
  HWND h = Hwnd();
  if (auto* list = dynamic_cast<TCustomListBox*>(&Owner)) {
    ::SendMessageA(h, LB_SETCURSEL, WPARAM(list->ItemIndex()), 0);
    ::SendMessageA(h, LB_SETTOPINDEX, WPARAM(list->TopIndex()), 0);
  } else if (auto* combo = dynamic_cast<TComboBox*>(&Owner)) {
    ::SendMessageA(h, CB_SETCURSEL, WPARAM(combo->ItemIndex()), 0);
  }
}

void TWin32Window::SyncBounds() {
  if (WindowKind == TWindowKind::Form) {
    RECT r{0, 0, Owner.Width(), Owner.Height()};
    ::AdjustWindowRectEx(&r, DWORD(::GetWindowLongPtrA(Hwnd(), GWL_STYLE)), FALSE,
                         DWORD(::GetWindowLongPtrA(Hwnd(), GWL_EXSTYLE)));
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  int h = Owner.Height();
  if (WindowKind == TWindowKind::Combo) h += 8 * static_cast<TComboBox&>(Owner).ItemHeight();
  ::SetWindowPos(Hwnd(), nullptr, Owner.Left(), Owner.Top(), Owner.Width(), h,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Window::Update(TControlChange change) {
  Syncing = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{Syncing};
  HWND h = Hwnd();
  switch (change) {
  case TControlChange::Bounds: SyncBounds(); break;
  case TControlChange::Visible:
    if (WindowKind != TWindowKind::Form) {
      ::ShowWindow(h, Owner.Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
    } else if (!Owner.Visible()) {
      ::ShowWindow(h, SW_HIDE);
    } else {
      auto& form = static_cast<TForm&>(Owner);
      if (!Positioned && form.Position() == poScreenCenter) {
        RECT work{}, frame{};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        ::GetWindowRect(h, &frame);
        const int w = frame.right - frame.left, fh = frame.bottom - frame.top;
        ::SetWindowPos(h, nullptr, work.left + (work.right - work.left - w) / 2,
                       work.top + (work.bottom - work.top - fh) / 2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      Positioned = true;
      ::ShowWindow(h, SW_SHOW);
      ::SetForegroundWindow(h);
      ::UpdateWindow(h);
    }
    break;
  case TControlChange::Enabled: ::EnableWindow(h, Owner.Enabled()); break;
  case TControlChange::Text: SyncText(); break;
  case TControlChange::Font:
    ::SendMessageA(h, WM_SETFONT, WPARAM(Win32Gui().FontHandle(Owner.Font())), TRUE);
    break;
  case TControlChange::Color: ::InvalidateRect(h, nullptr, TRUE); break;
  case TControlChange::State: SyncState(); break;
  case TControlChange::Items: SyncItems(); break;
  case TControlChange::Selection: SyncSelection(); break;
  }
}

void TWin32Window::Invalidate() {
  ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

void TWin32Window::Focus() {
  if (::GetFocus() != Hwnd()) ::SetFocus(Hwnd());
}

void TWin32Window::Command(int code) {
  if (Syncing) return;
  HWND h = Hwnd();
  switch (WindowKind) {
  // A click that reaches a hidden or disabled button (sent by another program) is ignored,
  // as the user could not have made it.
  case TWindowKind::Button:
    if (code == BN_CLICKED && Owner.Showing() && Owner.EnabledChain()) Owner.Click();
    break;
  case TWindowKind::CheckBox:
    if (code == BN_CLICKED && Owner.Showing() && Owner.EnabledChain())
      static_cast<TCheckBox&>(Owner).Toggle();
    break;
  case TWindowKind::Edit:
    if (code == EN_CHANGE) static_cast<TEdit&>(Owner).TextEdited(WindowText(h));
    break;
  case TWindowKind::Memo:
    if (code == EN_CHANGE && !static_cast<TMemo&>(Owner).ReadOnly())
      static_cast<TMemo&>(Owner).TextEdited(WindowText(h));
    break;
  case TWindowKind::List:
    if (code == LBN_SELCHANGE) {
      auto& list = static_cast<TCustomListBox&>(Owner);
      list.ScrolledTo(int(::SendMessageA(h, LB_GETTOPINDEX, 0, 0)));
      list.UserSelect(int(::SendMessageA(h, LB_GETCURSEL, 0, 0)));
    }
    break;
  case TWindowKind::Combo:
    if (code == CBN_SELCHANGE)
      static_cast<TComboBox&>(Owner).UserSelect(int(::SendMessageA(h, CB_GETCURSEL, 0, 0)));
    break;
  default: break;
  }
}

void TWin32Window::DrawItem(const DRAWITEMSTRUCT& item) {
  const TRect rect = FromRECT(item.rcItem);
  const int index = int(item.itemID);
  if (auto* items = dynamic_cast<TCustomItemsControl*>(&Owner)) {
    TCanvasBinding binding(static_cast<TWin32Canvas&>(items->Canvas()), item.hDC, Hwnd());
    items->PaintItem(index, rect, DrawState(item.itemState));
  }
}

LRESULT TWin32Window::ControlColor(HDC dc, TColor parentColor) {
  // Labels and check boxes stand on their parent's colour; the rest on their own.
  const bool onParent = WindowKind == TWindowKind::Label || WindowKind == TWindowKind::CheckBox;
  const TColor back = onParent ? parentColor : Owner.Color();
  ::SetTextColor(dc, COLORREF(ColorToRGB(Owner.Font().Color())));
  ::SetBkColor(dc, COLORREF(ColorToRGB(back)));
  return LRESULT(Win32Gui().BrushHandle(back));
}

void TWin32Window::Paint(HDC dc) {
  TWin32Canvas canvas;
  TCanvasBinding binding(canvas, dc, Hwnd());
  canvas.Font.Assign(Owner.Font());
  Owner.Paint(canvas);
}

LRESULT TWin32Window::CustomMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND h = Hwnd();
  switch (message) {
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(h, &ps);
    struct TEnd {
      HWND W;
      PAINTSTRUCT& P;
      ~TEnd() { ::EndPaint(W, &P); }
    } end{h, ps};
    Paint(dc);
    return 0;
  }
  case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
  case WM_ERASEBKGND: return 1;
  case WM_COMMAND:
    if (lParam)
      if (TWin32Window* child = Find(reinterpret_cast<HWND>(lParam)))
        child->Command(HIWORD(wParam));
    return 0;
  case WM_DRAWITEM: {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (TWin32Window* child = Find(item->hwndItem)) child->DrawItem(*item);
    return TRUE;
  }
  case WM_MEASUREITEM: {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    auto it = ById().find(int(item->CtlID));
    if (it != ById().end()) {
      if (auto* items = dynamic_cast<TCustomItemsControl*>(it->second))
        item->itemHeight = UINT(items->ItemHeight());
    }
    return TRUE;
  }
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
  case WM_CTLCOLORBTN:
    if (TWin32Window* child = Find(reinterpret_cast<HWND>(lParam)))
      return child->ControlColor(reinterpret_cast<HDC>(wParam), Owner.Color());
    break;
  default: break;
  }
  if (WindowKind == TWindowKind::Form) {
    auto& form = static_cast<TForm&>(Owner);
    switch (message) {
    case WM_TIMER: form.WMTimer(); return 0;
    case WM_ACTIVATEAPP: form.WMActivateApp(wParam != 0); return 0;
    case WM_CLOSE: form.Close(); return 0;
    case WM_SETFOCUS:
      if (TWinControl* active = form.ActiveControl(); active && active->HandleAllocated()) {
        ::SetFocus(reinterpret_cast<HWND>(active->Native()->WindowHandle()));
        return 0;
      }
      break;
    default: break;
    }
  }
  return ::DefWindowProcA(h, message, wParam, lParam);
}

LRESULT TWin32Window::SubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND h = Hwnd();
  switch (message) {
  case WM_SETFOCUS: {
    const LRESULT result = ::DefSubclassProc(h, message, wParam, lParam);
    if (TForm* form = Owner.ParentForm()) {
      form->FocusChanged(&Owner);
      UpdateDefaultButtonLook(*form);
    }
    return result;
  }
  case WM_CHAR: {
    char key = char(wParam);
    Owner.KeyPress(key);
    if (!key) return 0;
    return ::DefSubclassProc(h, message, WPARAM(static_cast<unsigned char>(key)), lParam);
  }
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: {
    const LRESULT result = ::DefSubclassProc(h, message, wParam, lParam);
    if (auto* list = dynamic_cast<TCustomListBox*>(&Owner))
      list->ScrolledTo(int(::SendMessageA(h, LB_GETTOPINDEX, 0, 0)));
    Owner.MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return result;
  }
  default: return ::DefSubclassProc(h, message, wParam, lParam);
  }
}

// ---- the application window ----

TWin32ApplicationWindow::TWin32ApplicationWindow(TApplication& application) {
  RegisterWindowClasses();
  Window.Reset(::CreateWindowExA(0, SWindowClassApplication, application.Title.c_str(), WS_POPUP, 0,
                                 0, 0, 0, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr));
  if (!Window) throw Exception("Cannot create the application window");
}
