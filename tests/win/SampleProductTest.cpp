// The sample product under Wine with a display: started by its quoted path as the whole
// command line, as the setup starts it, its top-level window carries the product's window
// property, found from this other process the way the setup looks for it.
#include "platform/os/System.h"
#include "wizard/ResConst.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// A started process, ended and released on every way out.
class TProcess {
public:
  explicit TProcess(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    Started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &Info);
    if (Started) WaitForInputIdle(Info.hProcess, 10000);
  }
  ~TProcess() {
    if (!Started) return;
    if (WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(Info.hProcess, 9);
    CloseHandle(Info.hThread);
    CloseHandle(Info.hProcess);
  }
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;

  // Waits for the process to end and gives its exit code, or -1 when it does not end.
  long Wait() {
    if (WaitForSingleObject(Info.hProcess, 10000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(Info.hProcess, &code);
    return long(code);
  }

  bool Started = false;
  PROCESS_INFORMATION Info{};
};

// The first top-level window that satisfies the test, waiting a while for it to appear.
template <typename Test> HWND WaitForWindow(Test test, int tries = 100) {
  for (; tries > 0; --tries) {
    HWND found = nullptr;
    Sys().EnumWindows([&](Handle window) {
      if (!test(reinterpret_cast<HWND>(window))) return true;
      found = reinterpret_cast<HWND>(window);
      return false;
    });
    if (found) return found;
    Sleep(100);
  }
  return nullptr;
}

bool HasProductProperty(HWND window) {
  return Sys().GetPropA(reinterpret_cast<Handle>(window), ResConst::ProductWindowProperty) != 0;
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

std::string TitleOf(HWND window) {
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  return title;
}

const std::string Program = PENNACLE_PNC_EXE;

TEST(SampleProduct, RunningWindowCarriesTheProperty) {
  TProcess product("\"" + Program + "\"");
  ASSERT_TRUE(product.Started) << Program;
  HWND window = WaitForWindow(HasProductProperty);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ProcessOf(window), product.Info.dwProcessId);
  EXPECT_EQ(TitleOf(window), ResConst::ProductName);
  EXPECT_TRUE(IsWindowVisible(window));

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(product.Wait(), 0);
  EXPECT_EQ(WaitForWindow(HasProductProperty, 1), nullptr);
}

TEST(SampleProduct, UninstallSwitchOnlyTellsItIsASample) {
  TProcess product("\"" + Program + "\" " + ResConst::UninstallSwitch);
  ASSERT_TRUE(product.Started) << Program;
  const DWORD id = product.Info.dwProcessId;
  HWND box = WaitForWindow([&](HWND w) { return ProcessOf(w) == id && IsWindowVisible(w); });
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(TitleOf(box), ResConst::ProductName);
  EXPECT_FALSE(HasProductProperty(box));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(product.Wait(), 0);
}

} // namespace
