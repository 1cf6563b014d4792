#include "platform/gui/win32/Win32Gui.h"

#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/win32/Win32Canvas.h"
#include "platform/gui/win32/Win32Window.h"

TGuiBackend& DefaultGui() {
  return Win32Gui();
}

TWin32Gui& Win32Gui() {
  static TWin32Gui gui;
  return gui;
}

TWin32Gui::TWin32Gui() {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&init);
}

TWin32Gui::~TWin32Gui() = default;

std::unique_ptr<TNativeWindow> TWin32Gui::CreateNativeWindow(TWinControl& control) {
  return std::make_unique<TWin32Window>(control);
}

std::unique_ptr<TNativeWindow> TWin32Gui::CreateApplicationWindow(TApplication& application) {
  return std::make_unique<TWin32ApplicationWindow>(application);
}

std::unique_ptr<TCanvas> TWin32Gui::CreateCanvas() {
  return std::make_unique<TWin32Canvas>();
}

HFONT TWin32Gui::FontHandle(const TFont& font) {
  const auto key = std::make_tuple(font.Name(), font.Height(), font.Style().Mask());
  auto it = Fonts.find(key);
  if (it != Fonts.end()) return it->second.Get();
  const TFontStyles s = font.Style();
  HFONT handle = ::CreateFontA(
      font.Height(), 0, 0, 0, s.Contains(fsBold) ? FW_BOLD : FW_NORMAL, s.Contains(fsItalic),
      s.Contains(fsUnderline), s.Contains(fsStrikeOut), DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.Name().c_str());
  return Fonts.emplace(key, THFont(handle)).first->second.Get();
}

HBRUSH TWin32Gui::BrushHandle(TColor color) {
  const uint32_t rgb = ColorToRGB(color);
  auto it = Brushes.find(rgb);
  if (it != Brushes.end()) return it->second.Get();
  return Brushes.emplace(rgb, THBrush(::CreateSolidBrush(COLORREF(rgb)))).first->second.Get();
}

int TWin32Gui::CharHeight(const TFont& font) {
  TWindowDC screen(nullptr);
  TSelected selected(screen.Get(), FontHandle(font));
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(screen.Get(), &metrics);
  return int(metrics.tmHeight);
}

TSize TWin32Gui::TextExtent(const TFont& font, const std::string& text) {
  TWindowDC screen(nullptr);
  TSelected selected(screen.Get(), FontHandle(font));
  SIZE size{};
  ::GetTextExtentPoint32A(screen.Get(), text.data(), int(text.size()), &size);
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(screen.Get(), &metrics);
  // A static text whose last character ends exactly at its right edge loses that character;
  // one pixel more keeps it.
  return TSize{int(size.cx) + 1, int(metrics.tmHeight)};
}

uint32_t TWin32Gui::SysColor(int index) {
  return uint32_t(::GetSysColor(index));
}

bool TWin32Gui::ThemesActive() {
  return ::IsAppThemed() && ::IsThemeActive();
}

void TWin32Gui::BeginModal(TForm& form) {
  QuitSeen = false;
  UpdateDefaultButtonLook(form);
  HWND window = reinterpret_cast<HWND>(form.Handle());
  if (TWinControl* active = form.ActiveControl(); active && active->HandleAllocated())
    ::SetFocus(reinterpret_cast<HWND>(active->Native()->WindowHandle()));
  else
    ::SetFocus(window);
}

// The dialog keys are the form's: Tab, Enter, Escape and accelerators go to it before the
// focused control sees them, unless that control keeps them (a dropped-down list).
bool TWin32Gui::PreTranslate(TForm& form, const MSG& msg) {
  HWND window = reinterpret_cast<HWND>(form.Handle());
  if (msg.hwnd != window && !::IsChild(window, msg.hwnd)) return false;
  if (msg.message == WM_KEYDOWN &&
      (msg.wParam == VK_TAB || msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
    if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
    if (auto* combo = dynamic_cast<TComboBox*>(form.ActiveControl());
        combo && combo->HandleAllocated() && msg.wParam != VK_TAB &&
        ::SendMessageA(reinterpret_cast<HWND>(combo->Native()->WindowHandle()), CB_GETDROPPEDSTATE,
                       0, 0))
      return false;
    return form.DialogKey(int(msg.wParam), ::GetKeyState(VK_SHIFT) < 0);
  }
  if (msg.message == WM_SYSCHAR) return form.DialogChar(char(msg.wParam));
  return false;
}

void TWin32Gui::ModalStep(TForm& form) {
  MSG msg;
  const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    // Someone ends the program: leave the loop as a cancel, and pass the quit on later.
    QuitSeen = true;
    QuitCode = int(msg.wParam);
    form.SetModalResult(mrCancel);
    return;
  }
  bool handled = false;
  try {
    handled = PreTranslate(form, msg);
  } catch (...) {
    ReportHandlerFailure(reinterpret_cast<HWND>(form.Handle()));
    handled = true;
  }
  if (handled) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
}

void TWin32Gui::EndModal(TForm&) {
  if (QuitSeen) ::PostQuitMessage(QuitCode);
  QuitSeen = false;
}
