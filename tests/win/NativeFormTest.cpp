// The native backend under a real window system: every control a window of its kind, the
// page title readable and the buttons pressable by another program, rows toggled and drawn
// through the library, and the modal loop running timers, dialog keys and the close box.
#include "WizardTestForm.h"

#include "platform/gui/win32/Win32Canvas.h"
#include "platform/gui/win32/WinApi.h"
#include "platform/rtl/Consts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

namespace {

HWND H(TWinControl* c) {
  return reinterpret_cast<HWND>(c->Handle());
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  std::string s = name;
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

class NativeFormTest : public ::testing::Test {
protected:
  NativeFormTest() {
    RegisterWizardClasses();
    Form = std::make_unique<TWizardTestForm>();
  }
  void ShowPage(int page) {
    Form->SetVisible(true);
    Form->PgCtrl->SetActivePageIndex(page);
    Pump();
  }
  std::unique_ptr<TWizardTestForm> Form;
};

TEST_F(NativeFormTest, EveryControlIsAWindowOfItsKindAndLaterSiblingsLieOnTop) {
  HWND form = H(Form.get());
  struct Case {
    const char* Name;
    const char* Class;
  } cases[] = {{"TopLbl", "static"},        {"D", "static"},
               {"BackBtn", "button"},       {"LicenseChkBx", "button"},
               {"LicenseMemo", "edit"},     {"DestDirEdt", "edit"},
               {"SelCompLstBx", "listbox"}, {"DestDirCmbBx", "combobox"}};
  for (const Case& c : cases)
    EXPECT_EQ(ClassOf(H(dynamic_cast<TWinControl*>(Form->FindComponent(c.Name)))), c.Class)
        << c.Name;
  std::string own = SWindowClassControl;
  for (char& ch : own) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  EXPECT_EQ(ClassOf(H(Form->TopPanel)), own);
  EXPECT_EQ(::GetParent(H(Form->TopLbl)), H(Form->TopPanel));
  EXPECT_EQ(::GetParent(H(Form->TopPanel)), form);

  // From the top of the z-order down: the last created first.
  std::vector<HWND> order;
  for (HWND w = ::GetWindow(form, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) order.push_back(w);
  std::vector<HWND> expected;
  for (int i = Form->ControlCount() - 1; i >= 0; --i)
    expected.push_back(H(dynamic_cast<TWinControl*>(Form->Controls(i))));
  EXPECT_EQ(order, expected);

  RECT client;
  ::GetClientRect(form, &client);
  EXPECT_EQ(client.right, 492);
  EXPECT_EQ(client.bottom, 351);
  for (TButton* b : {Form->BackBtn, Form->NextBtn, Form->CancelBtn}) {
    RECT r;
    ::GetWindowRect(H(b), &r);
    ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, b->Left() + 0);
    EXPECT_EQ(r.top, 307 + 12) << b->Name();
    EXPECT_EQ(r.right - r.left, 85);
    EXPECT_EQ(r.bottom - r.top, 22);
  }
  EXPECT_FALSE(::IsWindowVisible(form)) << "shown only by the modal show";
}

TEST_F(NativeFormTest, AnotherProgramReadsTheTitleAndPressesTheButtons) {
  ShowPage(0);
  Form->TopLbl->SetCaption("License Agreement");
  char text[64] = {};
  ::SendMessageA(H(Form->TopLbl), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "License Agreement");
  ::SendMessageA(H(Form->NextBtn), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(Form->Calls, std::vector<std::string>{"BNClick NextBtn"});
  Form->NextBtn->SetEnabled(false);
  EXPECT_FALSE(::IsWindowEnabled(H(Form->NextBtn)));
  // Clicks the user could not make: a button that is disabled, a box on a hidden page.
  ::SendMessageA(H(Form->NextBtn), BM_CLICK, 0, 0);
  ::SendMessageA(H(Form->LicenseChkBx), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(Form->Calls.size(), 1u);
  EXPECT_TRUE(Form->LicenseChkBx->Checked());
}

TEST_F(NativeFormTest, APressInTheCheckAreaTogglesTheRowAndSelectsIt) {
  TCheckListBox& list = *Form->SelCompLstBx;
  for (const char* row : {"Program", "Proofing", "Templates"}) list.Items().Add(row);
  ShowPage(3);
  HWND h = H(&list);
  auto press = [&](int row, int x) {
    RECT r;
    ::SendMessageA(h, LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM(x, (r.top + r.bottom) / 2);
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(h, WM_LBUTTONUP, 0, at);
    Pump();
  };
  press(1, 4);
  EXPECT_EQ(list.State(1), cbChecked);
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_EQ(
      std::count(Form->Calls.begin(), Form->Calls.end(), "SelCompLstBxClickCheck SelCompLstBx"), 1);
  press(2, 80);
  EXPECT_EQ(list.State(2), cbUnchecked);
  EXPECT_EQ(list.ItemIndex(), 2);
  // The program's selection reaches the window and notifies nobody.
  Form->Calls.clear();
  list.SetItemIndex(0);
  Pump();
  EXPECT_EQ(::SendMessageA(h, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(list.ItemIndex(), 0);
  for (const std::string& call : Form->Calls) EXPECT_EQ(call, "SelCompLstBxDrawItem SelCompLstBx");
}

TEST_F(NativeFormTest, RowsArePaintedThroughTheDrawItemHandler) {
  TCheckListBox& list = *Form->SelCompLstBx;
  for (const char* row : {"Program", "Proofing"}) list.Items().Add(row);
  ShowPage(3);
  Form->DrawnRows.clear();
  ::RedrawWindow(H(&list), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_GE(Form->DrawnRows.size(), 2u);
  for (const auto& row : Form->DrawnRows) EXPECT_EQ(row.second.Left, TCheckListBox::CheckAreaWidth);
}

class TTimedForm : public TWizardTestForm {
public:
  int Ticks = 0;
  std::vector<bool> Activations;
  std::function<void(int)> OnTick;
  void WMTimer() override {
    ++Ticks;
    if (Ticks > 100)
      SetModalResult(mrAbort); // never hang
    else if (OnTick)
      OnTick(Ticks);
  }
  void WMActivateApp(bool active) override { Activations.push_back(active); }
};

TEST(NativeModalTest, TheLoopRunsTimersDialogKeysAndTheCloseBox) {
  RegisterWizardClasses();
  TTimedForm form;
  form.PgCtrl->SetActivePageIndex(2);
  form.AllowClose = false;
  HWND window = H(&form);
  form.OnTick = [&](int tick) {
    switch (tick) {
    case 1:
      EXPECT_TRUE(::IsWindowVisible(window));
      form.NextBtn->SetFocus();
      ::PostMessageA(H(form.NextBtn), WM_KEYDOWN, VK_RETURN, 0);
      break;
    case 2:
      form.DestDirEdt->SetFocus();
      ::PostMessageA(H(form.DestDirEdt), WM_KEYDOWN, VK_ESCAPE, 0);
      break;
    case 3:
      form.Activations.clear();
      ::SendMessageA(window, WM_ACTIVATEAPP, FALSE, 0);
      EXPECT_EQ(form.Activations, std::vector<bool>{false});
      form.AllowClose = true;
      ::PostMessageA(window, WM_CLOSE, 0, 0);
      break;
    default: break;
    }
  };
  ::SetTimer(window, 1, 30, nullptr);
  const int result = form.ShowModal();
  ::KillTimer(window, 1);
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(form.Ticks, 3);
  EXPECT_EQ(form.Calls,
            (std::vector<std::string>{"BNClick NextBtn", "CancelBtnClick CancelBtn",
                                      "FormCloseQuery MainDlgForm", "FormCloseQuery MainDlgForm"}));
  EXPECT_FALSE(::IsWindowVisible(window));
}

} // namespace

namespace {

// Draws the open-folder bitmap at (2, 2) on a red 20 x 20 surface and reads pixels back.
class CanvasDrawTest : public ::testing::TestWithParam<bool> {};

TEST_P(CanvasDrawTest, ATransparentDrawLeavesOutTheBottomLeftColour) {
  const bool transparent = GetParam();
  TBitmap folder;
  folder.LoadFromResourceName("OPENFOLDER");
  ASSERT_EQ(folder.Width(), 16);
  ASSERT_EQ(folder.PixelFormat(), TPixelFormat::pf4bit);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 20;
  info.bmiHeader.biHeight = -20;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP surface = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(dc, surface);
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int i = 0; i < 400; ++i) pixels[i] = 0xFF0000; // red, as BGRA
  {
    TWin32Canvas canvas;
    TCanvasBinding binding(canvas, dc, nullptr);
    canvas.Draw(2, 2, folder, transparent);
  }
  ::GdiFlush();
  auto at = [&](int x, int y) { return pixels[y * 20 + x] & 0xFFFFFF; };
  EXPECT_EQ(at(2 + 5, 2 + 8), 0xFFFF00u) << "the folder's yellow"; // row 8: "kwykwyyy..."
  EXPECT_EQ(at(2 + 0, 2 + 0), transparent ? 0xFF0000u : 0xFF00FFu) << "a transparent pixel";
  EXPECT_EQ(at(0, 0), 0xFF0000u) << "outside the bitmap";
  ::SelectObject(dc, old);
  ::DeleteObject(surface);
  ::DeleteDC(dc);
}

INSTANTIATE_TEST_SUITE_P(TransparentOrNot, CanvasDrawTest, ::testing::Bool());

} // namespace

namespace {

// Each image of the program's icon, read by the system on its own at its own size: the
// larger ones are PNG, which only a reader that knows that form takes.
TEST(ProgramIcon, TheSystemReadsEveryImageAtItsOwnSize) {
  HMODULE module = ::GetModuleHandleA(nullptr);
  HRSRC group = ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<PBYTE>(::LockResource(::LoadResource(module, group)));
  for (int size : {16, 32, 48, 256}) {
    SCOPED_TRACE(size);
    const int id = ::LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3)); // RT_ICON
    ASSERT_NE(image, nullptr);
    auto* bits = static_cast<PBYTE>(::LockResource(::LoadResource(module, image)));
    HICON icon = ::CreateIconFromResourceEx(bits, ::SizeofResource(module, image), TRUE, 0x00030000,
                                            0, 0, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    BITMAP colour{};
    ::GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    // The tile's middle is opaque and its rounded corner almost clear: the alpha came through.
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = size;
    header.bmiHeader.biHeight = -size;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> pixels(size_t(size) * size_t(size));
    HDC dc = ::GetDC(nullptr);
    EXPECT_EQ(::GetDIBits(dc, info.hbmColor, 0, UINT(size), pixels.data(), &header, DIB_RGB_COLORS),
              size);
    ::ReleaseDC(nullptr, dc);
    EXPECT_EQ(pixels[size_t(size / 2) * size_t(size) + size_t(size / 8)] >> 24, 0xFFu);
    EXPECT_LT(pixels[0] >> 24, 0x40u);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);
  }
}

} // namespace
