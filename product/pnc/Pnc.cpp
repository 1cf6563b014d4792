// The sample product: a plain Win32 program with the one window the setup looks for. It is
// a program of its own, not part of the setup, so it calls the system directly.
#include "wizard/ResConst.h"

#include <windows.h>

namespace {

// The setup finds running instances by this property of their top-level windows.
const HANDLE kRunning = reinterpret_cast<HANDLE>(1);

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    InflateRect(&area, -16, -16);
    DrawTextA(dc, ResConst::SampleWindowText, -1, &area, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    EndPaint(window, &paint);
    return 0;
  }
  case WM_DESTROY:
    RemovePropA(window, ResConst::ProductWindowProperty);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// True when a blank-separated word after the program's own path is the switch.
bool HasSwitch(const char* commandLine, const char* name) {
  const char* p = commandLine;
  if (*p == '"') {
    for (++p; *p && *p != '"'; ++p) {
    }
    if (*p) ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  const size_t length = lstrlenA(name);
  while (*p) {
    while (*p == ' ' || *p == '\t') ++p;
    const char* word = p;
    while (*p && *p != ' ' && *p != '\t') ++p;
    if (size_t(p - word) == length && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, word,
                                                     int(length), name, int(length)) == CSTR_EQUAL)
      return true;
  }
  return false;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  if (HasSwitch(GetCommandLineA(), ResConst::UninstallSwitch)) {
    MessageBoxA(nullptr, ResConst::MsgSampleNoUninstall, ResConst::ProductName,
                MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = ResConst::SampleWindowClass;
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window =
      CreateWindowExA(0, ResConst::SampleWindowClass, ResConst::ProductName, WS_OVERLAPPEDWINDOW,
                      CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  SetPropA(window, ResConst::ProductWindowProperty, kRunning);
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return int(message.wParam);
}
