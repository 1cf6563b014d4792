// Works the setup wizard from outside, as an assistive tool would: it finds the wizard's
// window by its caption, reads its controls, presses buttons, answers message boxes, and
// reports what it saw, one fact a line, for the test to compare. It uses nothing of the
// setup's own code: only what any other program could use.
//
//   uidriver SCRIPT        runs the commands of SCRIPT, one a line:
//
//   start CMDLINE          starts the program (the setup) and keeps its process
//   wait-wizard            waits for the wizard's window
//   page                   reports the title, buttons, check boxes, edit box, list rows
//   wait-title TEXT        waits until the page title is TEXT
//   walk-to TEXT           presses Next page by page, each time waiting for the next title,
//                          until the page title is TEXT
//   click CAPTION          presses the visible button with that caption (ampersands ignored)
//   check CAPTION on|off   sets the visible check box with that caption
//   type TEXT              replaces the text of the visible edit box
//   toggle-row N           clicks the check box of row N of the visible check list
//   pick-drive L           selects the drive item starting with letter L
//   wait-box               waits for a message box of the setup and reports its text
//   answer CAPTION         presses a button of the message box
//   quit                   presses Cancel and answers Yes to the question it asks
//   screenshot FILE        saves the wizard window (or the open message box) as a BMP
//   start-product CMDLINE  starts the product and waits for its window
//   close-product          closes the product's window and waits for it to end
//   product                reports whether a window with the product's property exists
//   hold FILE              opens FILE without sharing and keeps it open until the driver ends
//   wait-exit              waits for the setup to end and reports its exit code
//   sleep MS
//
// Every wait gives up after 20 seconds and reports "timeout: ..."; the driver then ends with
// exit code 2 so a test never hangs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char* const WizardCaption = "Pennacle Word Processor - Setup";
const char* const ProductProperty = "1.x Tidal Loom";
constexpr DWORD WaitLimitMs = 20000;

PROCESS_INFORMATION Setup{};
PROCESS_INFORMATION Product{};
bool Failed = false;

void Report(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void Timeout(const std::string& what) {
  Report("timeout: " + what);
  Failed = true;
}

// What the driver reports is UTF-8, for the test that reads it on the Linux side.
std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int n =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring out(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &out[0], n);
  return out;
}

std::string TextOf(HWND window) {
  wchar_t buffer[4096] = {};
  // WM_GETTEXT, not GetWindowText, so the text of controls of another process is read too.
  SendMessageTimeoutW(window, WM_GETTEXT, sizeof buffer / sizeof buffer[0] - 1,
                      reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, nullptr);
  return Utf8(buffer);
}

// Line breaks of a text as | so that one fact stays one line.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = '|';
  return text;
}

std::string ClassOf(HWND window) {
  char buffer[256] = {};
  GetClassNameA(window, buffer, sizeof buffer);
  return buffer;
}

std::string WithoutAmpersands(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != '&') out += c;
  return out;
}

bool SameCaption(const std::string& a, const std::string& b) {
  return lstrcmpiA(WithoutAmpersands(a).c_str(), WithoutAmpersands(b).c_str()) == 0;
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND w, LPARAM p) {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

HWND FindWizard() {
  for (HWND w : TopLevelWindows())
    if (ProcessOf(w) == Setup.dwProcessId && IsWindowVisible(w) && ClassOf(w) != "#32770" &&
        TextOf(w) == WizardCaption)
      return w;
  return nullptr;
}

HWND FindBox() {
  for (HWND w : TopLevelWindows())
    if (ProcessOf(w) == Setup.dwProcessId && IsWindowVisible(w) && ClassOf(w) == "#32770") return w;
  return nullptr;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(
      parent,
      [](HWND w, LPARAM p) {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Visible in fact: the window and all of its parents.
bool Shown(HWND w) {
  return IsWindowVisible(w) != FALSE;
}

bool IsCheckBox(HWND w) {
  if (ClassOf(w) != "Button") return false;
  LONG type = GetWindowLongA(w, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
         type == BS_AUTO3STATE;
}

bool IsPushButton(HWND w) {
  return ClassOf(w) == "Button" && !IsCheckBox(w);
}

RECT ClientRectIn(HWND w, HWND wizard) {
  RECT r;
  GetWindowRect(w, &r);
  MapWindowPoints(nullptr, wizard, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The page title is the label in the white band above the pages.
HWND TitleLabel(HWND wizard) {
  for (HWND w : Descendants(wizard)) {
    if (ClassOf(w) != "Static" || !Shown(w)) continue;
    RECT r = ClientRectIn(w, wizard);
    if (r.top >= 0 && r.bottom <= 46 && r.left < 120) return w;
  }
  return nullptr;
}

template <class Predicate> HWND WaitFor(Predicate found, DWORD limit = WaitLimitMs) {
  for (DWORD waited = 0; waited < limit; waited += 50) {
    if (HWND w = found()) return w;
    Sleep(50);
  }
  return nullptr;
}

// Lets the setup finish what it was sent; a handler that opens a message box stays pending.
bool Deliver(HWND target, UINT message, WPARAM w, LPARAM l, DWORD limit = 1500) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(target, message, w, l, SMTO_NORMAL, limit, &result) != 0;
}

std::string ListText(HWND list, UINT getLen, UINT getText, int index) {
  LRESULT n = SendMessageW(list, getLen, WPARAM(index), 0);
  if (n <= 0 || n > 4000) return std::string();
  std::wstring s(size_t(n) + 1, L'\0');
  SendMessageW(list, getText, WPARAM(index), reinterpret_cast<LPARAM>(&s[0]));
  s.resize(wcsnlen(s.c_str(), size_t(n)));
  return Utf8(s);
}

void ReportPage(HWND wizard) {
  HWND title = TitleLabel(wizard);
  Report("title: " + (title ? TextOf(title) : std::string("(none)")));
  // Buttons from left to right, as the user sees them.
  std::vector<std::pair<LONG, HWND>> buttons;
  for (HWND w : Descendants(wizard))
    if (IsPushButton(w)) buttons.push_back({ClientRectIn(w, wizard).left, w});
  std::sort(buttons.begin(), buttons.end());
  for (const auto& [left, w] : buttons) {
    std::string state = !Shown(w) ? "hidden" : IsWindowEnabled(w) ? "enabled" : "disabled";
    Report("button: " + TextOf(w) + " | " + state);
  }
  for (HWND w : Descendants(wizard)) {
    if (!Shown(w)) continue;
    std::string cls = ClassOf(w);
    if (IsCheckBox(w)) {
      LRESULT state = SendMessageA(w, BM_GETCHECK, 0, 0);
      Report("check: " + TextOf(w) + " | " + (state == BST_CHECKED ? "on" : "off"));
    } else if (cls == "Edit" && !(GetWindowLongA(w, GWL_STYLE) & ES_MULTILINE)) {
      Report("edit: " + TextOf(w));
    } else if (cls == "Edit") {
      LRESULT lines = SendMessageA(w, EM_GETLINECOUNT, 0, 0);
      Report("memo: " + std::to_string(TextOf(w).empty() ? 0 : lines) + " lines");
    } else if (cls == "ListBox") {
      LRESULT count = SendMessageA(w, LB_GETCOUNT, 0, 0);
      LRESULT selected = SendMessageA(w, LB_GETCURSEL, 0, 0);
      for (int i = 0; i < count; ++i)
        Report(std::string("row: ") + (i == selected ? "* " : "  ") +
               ListText(w, LB_GETTEXTLEN, LB_GETTEXT, i));
    } else if (cls == "ComboBox") {
      LRESULT selected = SendMessageA(w, CB_GETCURSEL, 0, 0);
      Report("drive: " + (selected >= 0 ? ListText(w, CB_GETLBTEXTLEN, CB_GETLBTEXT, int(selected))
                                        : std::string("(none)")));
    } else if (cls == "Static" && w != TitleLabel(wizard)) {
      std::string text = OneLine(TextOf(w));
      if (!text.empty()) Report("text: " + text);
    }
  }
}

HWND FindControl(HWND wizard, bool (*kind)(HWND), const std::string& caption) {
  for (HWND w : Descendants(wizard))
    if (kind(w) && Shown(w) && SameCaption(TextOf(w), caption)) return w;
  return nullptr;
}

bool SaveBitmap(HWND window, const std::string& file) {
  RECT r;
  GetWindowRect(window, &r);
  int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  DWORD stride = DWORD((width * 3 + 3) & ~3), size = stride * DWORD(height);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + size;
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), std::streamsize(size));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return bool(out);
}

HWND ProductWindow() {
  for (HWND w : TopLevelWindows())
    if (GetPropA(w, ProductProperty)) return w;
  return nullptr;
}

bool StartProcess(const std::string& commandLine, PROCESS_INFORMATION& info) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string line = commandLine;
  return CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info) != FALSE;
}

void Run(const std::string& command, const std::string& arg) {
  HWND wizard = FindWizard();
  if (command == "start") {
    if (!StartProcess(arg, Setup)) {
      Report("error: cannot start " + arg);
      Failed = true;
    }
  } else if (command == "wait-wizard") {
    if (!WaitFor(FindWizard)) Timeout("wizard window");
  } else if (command == "page") {
    if (wizard)
      ReportPage(wizard);
    else
      Report("error: no wizard window");
  } else if (command == "wait-title") {
    bool ok = WaitFor([&]() -> HWND {
      HWND w = FindWizard();
      HWND t = w ? TitleLabel(w) : nullptr;
      return t && TextOf(t) == arg ? t : nullptr;
    });
    if (!ok) Timeout("title " + arg);
  } else if (command == "walk-to") {
    for (int page = 0; page < 8; ++page) {
      HWND title = wizard ? TitleLabel(wizard) : nullptr;
      const std::string shown = title ? TextOf(title) : std::string();
      if (shown == arg) return;
      Run("click", "Next >");
      if (Failed) return;
      if (!WaitFor([&]() -> HWND {
            HWND w = FindWizard();
            HWND t = w ? TitleLabel(w) : nullptr;
            return t && TextOf(t) != shown ? t : nullptr;
          })) {
        Timeout("the page after " + shown);
        return;
      }
      wizard = FindWizard();
    }
    Timeout("title " + arg);
  } else if (command == "click") {
    HWND button = wizard ? FindControl(wizard, IsPushButton, arg) : nullptr;
    if (!button) {
      Report("error: no button " + arg);
      Failed = true;
    } else if (!IsWindowEnabled(button)) {
      Report("click: " + arg + " is disabled");
    } else {
      Report(std::string("click: ") + (Deliver(button, BM_CLICK, 0, 0) ? "done" : "pending"));
    }
  } else if (command == "check") {
    size_t bar = arg.rfind(' ');
    std::string caption = arg.substr(0, bar), want = arg.substr(bar + 1);
    HWND box = wizard ? FindControl(wizard, IsCheckBox, caption) : nullptr;
    if (!box) {
      Report("error: no check box " + caption);
      Failed = true;
    } else if ((SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) != (want == "on")) {
      Deliver(box, BM_CLICK, 0, 0);
    }
  } else if (command == "type") {
    for (HWND w : wizard ? Descendants(wizard) : std::vector<HWND>())
      if (ClassOf(w) == "Edit" && Shown(w) && !(GetWindowLongA(w, GWL_STYLE) & ES_MULTILINE)) {
        std::wstring text = Wide(arg);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                            1500, &result);
        break;
      }
  } else if (command == "toggle-row") {
    for (HWND w : wizard ? Descendants(wizard) : std::vector<HWND>())
      if (ClassOf(w) == "ListBox" && Shown(w)) {
        RECT row{};
        SendMessageA(w, LB_GETITEMRECT, WPARAM(std::stoi(arg)), reinterpret_cast<LPARAM>(&row));
        LPARAM at = MAKELPARAM(row.left + 4, (row.top + row.bottom) / 2);
        PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(w, WM_LBUTTONUP, 0, at);
        Sleep(100);
        Deliver(w, WM_NULL, 0, 0);
        break;
      }
  } else if (command == "pick-drive") {
    for (HWND w : wizard ? Descendants(wizard) : std::vector<HWND>())
      if (ClassOf(w) == "ComboBox" && Shown(w)) {
        LRESULT count = SendMessageA(w, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i)
          if (lstrcmpiA(ListText(w, CB_GETLBTEXTLEN, CB_GETLBTEXT, i).substr(0, 1).c_str(),
                        arg.c_str()) == 0) {
            SendMessageA(w, CB_SETCURSEL, WPARAM(i), 0);
            // What the list itself tells its parent when the user picks an item.
            Deliver(GetParent(w), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(w), CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(w));
            break;
          }
        break;
      }
  } else if (command == "wait-box") {
    HWND box = WaitFor(FindBox);
    if (!box) {
      Timeout("message box");
      return;
    }
    Sleep(200); // let it paint
    Report("box: " + TextOf(box) + " | " + OneLine(TextOf(GetDlgItem(box, 0xFFFF))));
    for (HWND w : Descendants(box))
      if (ClassOf(w) == "Button") Report("box-button: " + TextOf(w));
  } else if (command == "answer") {
    HWND box = FindBox();
    HWND button = box ? FindControl(box, IsPushButton, arg) : nullptr;
    if (!button) {
      Report("error: no box button " + arg);
      Failed = true;
    } else {
      PostMessageA(button, BM_CLICK, 0, 0);
      if (!WaitFor([&]() -> HWND { return IsWindow(box) ? nullptr : button; }))
        Timeout("box closing");
      Sleep(100);
    }
  } else if (command == "quit") {
    Run("click", "Cancel");
    Run("wait-box", std::string());
    Run("answer", "Yes");
  } else if (command == "screenshot") {
    HWND target = FindBox() ? FindBox() : wizard;
    if (target) {
      SetForegroundWindow(target);
      Sleep(300);
    }
    Report(std::string("screenshot: ") + (target && SaveBitmap(target, arg) ? arg : "failed"));
  } else if (command == "start-product") {
    if (!StartProcess(arg, Product) || !WaitFor(ProductWindow)) Timeout("product window");
  } else if (command == "close-product") {
    if (HWND w = ProductWindow()) PostMessageA(w, WM_CLOSE, 0, 0);
    if (Product.hProcess && WaitForSingleObject(Product.hProcess, WaitLimitMs) != WAIT_OBJECT_0)
      Timeout("product exit");
  } else if (command == "product") {
    Report(std::string("product: ") + (WaitFor(ProductWindow, 5000) ? "running" : "absent"));
  } else if (command == "wait-exit") {
    if (WaitForSingleObject(Setup.hProcess, WaitLimitMs * 3) != WAIT_OBJECT_0) {
      Timeout("setup exit");
      TerminateProcess(Setup.hProcess, 99);
      return;
    }
    DWORD code = 0;
    GetExitCodeProcess(Setup.hProcess, &code);
    Report("exit: " + std::to_string(code));
  } else if (command == "hold") {
    HANDLE file = CreateFileA(arg.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    Report(std::string("hold: ") + (file != INVALID_HANDLE_VALUE ? "open" : "failed"));
    if (file == INVALID_HANDLE_VALUE) Failed = true;
  } else if (command == "sleep") {
    Sleep(DWORD(std::stoul(arg)));
  } else if (!command.empty() && command[0] != '#') {
    Report("error: unknown command " + command);
    Failed = true;
  }
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: uidriver SCRIPT\n");
    return 2;
  }
  std::ifstream script(argv[1]);
  std::string line;
  while (!Failed && std::getline(script, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t space = line.find(' ');
    Run(line.substr(0, space), space == std::string::npos ? std::string() : line.substr(space + 1));
  }
  if (Failed && Setup.hProcess && WaitForSingleObject(Setup.hProcess, 0) == WAIT_TIMEOUT)
    TerminateProcess(Setup.hProcess, 99);
  return Failed ? 2 : 0;
}
