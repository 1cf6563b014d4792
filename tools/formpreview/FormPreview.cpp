// A developer's look at the wizard's face: loads the real form description from the
// resource, fills each of the seven pages with realistic content and captures each page as
// it stands on the screen (pageN.bmp in the current folder). It also checks the buttons'
// client positions and exits non-zero when they are off.
//
// The folder and drive lists are simple stand-ins drawn with the real control bitmaps; the
// logo is a placeholder until the real one is decoded by the form itself.

#include "install/InstUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/CheckLst.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/FormReader.h"
#include "platform/gui/Forms.h"
#include "platform/gui/win32/WinApi.h"
#include "platform/rtl/Consts.h"
#include "platform/rtl/Strings.h"
#include "wizard/ResConst.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace {

// Rows with a bitmap each, indented like the folder list's.
class TPreviewList : public TListBox {
public:
  TNotifyEvent OnChange;
  TBitmap Open, Closed;
  TPreviewList() {
    SetStyle(lbOwnerDrawFixed);
    Open.LoadFromResourceName(ResConst::ResOpenFolder);
    Closed.LoadFromResourceName(ResConst::ResClosedFolder);
  }
  bool ReadProperty(TPropertyReader& r) override {
    if (r.Is("OnChange"))
      OnChange = r.NotifyHandler();
    else
      return TListBox::ReadProperty(r);
    return true;
  }

protected:
  void DrawItem(int index, const TRect& rect, TOwnerDrawState) override {
    TCanvas& c = Canvas();
    c.FillRect(rect);
    const int level = int(Items().Objects(index));
    const TBitmap& b = level < 0 ? Closed : Open;
    const int indent = (level < 0 ? 3 : level) * 12 + 3;
    c.Draw(rect.Left + indent, rect.Top + (rect.Height() - b.Height()) / 2, b, true);
    c.TextOut(rect.Left + indent + 16 + 4, rect.Top + (rect.Height() - c.TextHeight("A")) / 2,
              Items()[index]);
  }
};

class TPreviewDrives : public TComboBox {
public:
  TBitmap Fixed;
  TPreviewDrives() {
    SetStyle(csOwnerDrawFixed);
    SetItemHeight(17);
    Fixed.LoadFromResourceName(ResConst::ResFixedDrive);
  }
  bool ReadProperty(TPropertyReader& r) override {
    if (!r.Is("DirList")) return TComboBox::ReadProperty(r);
    r.Reference([](TComponent* c) { return dynamic_cast<TPreviewList*>(c) != nullptr; });
    return true;
  }

protected:
  void DrawItem(int index, const TRect& rect, TOwnerDrawState) override {
    TCanvas& c = Canvas();
    c.Brush.Color = clWindow;
    c.FillRect(rect);
    c.Draw(rect.Left + 2, rect.Top + (rect.Height() - Fixed.Height()) / 2, Fixed, true);
    TRect text = rect;
    text.Left += Fixed.Width() + 6;
    c.Font.SetColor(clWindowText);
    c.DrawText(text, Items()[index], DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
};

class TPreviewForm : public TForm {
public:
  TLabel* TopLbl = nullptr;
  TImage* LogoImage = nullptr;
  TPanel* TopPanel = nullptr;
  TPageControl* PgCtrl = nullptr;
  TLabel* WelcomeLbl = nullptr;
  TMemo* LicenseMemo = nullptr;
  TEdit* DestDirEdt = nullptr;
  TPreviewList* DestDirLstBx = nullptr;
  TPreviewDrives* DestDirCmbBx = nullptr;
  TLabel* SelCompLbl = nullptr;
  TCheckListBox* SelCompLstBx = nullptr;
  TLabel* SelCompDiskSpaceReqLbl2 = nullptr;
  TLabel* SelCompDiskSpaceAvailLbl2 = nullptr;
  TCheckBox* InstallToAllChkBx = nullptr;
  TCheckBox* DesktopChkBx = nullptr;
  TLabel* FinishLbl = nullptr;
  TCheckBox* FinishChkBx = nullptr;
  TButton* BackBtn = nullptr;
  TButton* NextBtn = nullptr;
  TButton* CancelBtn = nullptr;
  int Page = -1;
  bool Failed = false;

  TPreviewForm() {
    PublishField("TopLbl", TopLbl);
    PublishField("LogoImage", LogoImage);
    PublishField("TopPanel", TopPanel);
    PublishField("PgCtrl", PgCtrl);
    PublishField("WelcomeLbl", WelcomeLbl);
    PublishField("LicenseMemo", LicenseMemo);
    PublishField("DestDirEdt", DestDirEdt);
    PublishField("DestDirLstBx", DestDirLstBx);
    PublishField("DestDirCmbBx", DestDirCmbBx);
    PublishField("SelCompLbl", SelCompLbl);
    PublishField("SelCompLstBx", SelCompLstBx);
    PublishField("SelCompDiskSpaceReqLbl2", SelCompDiskSpaceReqLbl2);
    PublishField("SelCompDiskSpaceAvailLbl2", SelCompDiskSpaceAvailLbl2);
    PublishField("InstallToAllChkBx", InstallToAllChkBx);
    PublishField("DesktopChkBx", DesktopChkBx);
    PublishField("FinishLbl", FinishLbl);
    PublishField("FinishChkBx", FinishChkBx);
    PublishField("BackBtn", BackBtn);
    PublishField("NextBtn", NextBtn);
    PublishField("CancelBtn", CancelBtn);
    PublishHandler("BNClick", TNotifyEvent([](TObject*) {}));
    PublishHandler("CancelBtnClick", TNotifyEvent([](TObject*) {}));
    PublishHandler("DestDirLstBxChange", TNotifyEvent([](TObject*) {}));
    PublishHandler("SelCompLstBxClickCheck", TNotifyEvent([](TObject*) {}));
    PublishHandler("FormCloseQuery", TCloseQueryEvent([](TObject*, bool& can) { can = true; }));
    PublishHandler("SelCompLstBxDrawItem", &TPreviewForm::SelCompLstBxDrawItem);
    ReadFormResource(ResConst::ResFormName);
    Fill();
  }

  void SelCompLstBxDrawItem(TWinControl*, int index, const TRect& rect, TOwnerDrawState) {
    TCanvas& c = SelCompLstBx->Canvas();
    c.FillRect(rect);
    if (index == 0) c.Font.SetColor(clGrayText);
    const int top = (rect.Top + rect.Bottom - c.TextHeight("A")) / 2;
    c.TextOut(rect.Left + 2, top, SelCompLstBx->Items()[index]);
    const std::string size = FormatSize(SelCompLstBx->Items().Objects(index));
    c.TextOut(rect.Right - c.TextWidth(size) - 2, top, size);
  }

  void Fill() {
    SetCaption(ResConst::SetupCaption);
    TopPanel->SetParentBackground(false);
    WelcomeLbl->SetCaption(Format(WelcomeLbl->Caption(), {ResConst::ProductName, ""}));
    FinishLbl->SetCaption(Format(FinishLbl->Caption(), {ResConst::ProductName, ""}));
    SelCompLbl->SetCaption(ResConst::SelCompCaption);
    std::string license;
    for (int i = 1; i <= 40; ++i)
      license += Format("%d. SAMPLE LICENSE TEXT FOR THE PREVIEW ONLY. The terms of the real "
                        "license are loaded from the archive at run time.\r\n",
                        {i});
    LicenseMemo->Lines().SetText(license);
    DestDirEdt->SetText("C:\\Program Files\\Pennacle");
    const char* rows[] = {"C:", "Program Files", "Pennacle"};
    for (int i = 0; i < 3; ++i) DestDirLstBx->Items().AddObject(rows[i], i);
    for (const char* sub : {"Clip Library", "Spellcheck", "Templates"})
      DestDirLstBx->Items().AddObject(sub, -1);
    DestDirLstBx->SetItemIndex(2);
    DestDirCmbBx->Items().Add("c: [system]");
    DestDirCmbBx->Items().Add("e: [backup]");
    DestDirCmbBx->SetItemIndex(0);
    const int sizes[] = {9 << 20, 31 << 20, 2 << 20, 14 << 20, 600 << 10};
    for (int i = 0; i < ResConst::ComponentCount; ++i) {
      SelCompLstBx->Items().AddObject(ResConst::ComponentNames[i], sizes[i]);
      SelCompLstBx->SetState(i, i == 3 ? cbUnchecked : cbChecked);
    }
    SelCompLstBx->SetItemIndex(1);
    SelCompLstBx->SetState(0, cbGrayed);
    SelCompDiskSpaceReqLbl2->SetCaption(FormatSize(42 << 20));
    SelCompDiskSpaceAvailLbl2->SetCaption(FormatSize(int64_t(48213) << 20));
    InstallToAllChkBx->SetChecked(true);
    DesktopChkBx->SetChecked(true);
    FinishChkBx->SetChecked(true);
    PlaceholderLogo();
  }

  // A plain bitmap of the logo's size, marked as a stand-in.
  void PlaceholderLogo() {
    TBitmap& logo = LogoImage->Picture().Bitmap();
    logo.SetPixelFormat(TPixelFormat::pf24bit);
    logo.SetSize(120, 260);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 120;
    info.bmiHeader.biHeight = -260;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP section = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, section);
    RECT all{0, 0, 120, 260};
    for (int y = 0; y < 260; ++y) {
      RECT row{0, y, 120, y + 1};
      HBRUSH b = ::CreateSolidBrush(RGB(40 + y / 4, 70 + y / 5, 150 + y / 4));
      ::FillRect(dc, &row, b);
      ::DeleteObject(b);
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    RECT text{4, 100, 116, 160};
    ::DrawTextA(dc, "LOGO\r\nplaceholder\r\n(preview only)", -1, &text, DT_CENTER);
    ::FrameRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::GdiFlush();
    for (int y = 0; y < 260; ++y)
      std::memcpy(logo.ScanLine(y),
                  static_cast<uint8_t*>(bits) + size_t(y) * size_t(logo.RowStride()),
                  size_t(logo.RowStride()));
    ::SelectObject(dc, old);
    ::DeleteObject(section);
    ::DeleteDC(dc);
    LogoImage->PictureChanged();
  }

  // The button states and captions of each page, as the wizard sets them.
  void ShowPage(int page) {
    Page = page;
    BackBtn->SetVisible(page != 0);
    BackBtn->SetEnabled(page < 5);
    BackBtn->SetCaption(ResConst::BackCaption);
    NextBtn->SetEnabled(page != 5);
    NextBtn->SetCaption(page == 6 ? ResConst::FinishCaption : ResConst::NextCaption);
    CancelBtn->SetEnabled(page != 6);
    CancelBtn->SetCaption(SCancelButton);
    TopLbl->SetCaption(ResConst::PageTitles[page]);
    PgCtrl->SetActivePageIndex(page);
    TWinControl* focus[] = {nullptr, LicenseMemo, DestDirEdt, SelCompLstBx,
                            NextBtn, nullptr,     nullptr};
    if (focus[page]) focus[page]->SetFocus();
  }

  void WMTimer() override {
    HWND window = reinterpret_cast<HWND>(Handle());
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (Page >= 0) Capture(window, Format("page%d.bmp", {Page}));
    if (Page == 0) CheckButtons();
    if (Page == 6) {
      SetModalResult(mrOk);
      return;
    }
    ShowPage(Page + 1);
  }

  void CheckButtons() {
    struct {
      TButton* Button;
      int X, Y;
    } expected[] = {{NextBtn, 295, 319}, {CancelBtn, 392, 319}};
    HWND window = reinterpret_cast<HWND>(Handle());
    for (const auto& e : expected) {
      RECT r;
      ::GetWindowRect(reinterpret_cast<HWND>(e.Button->Handle()), &r);
      POINT p{r.left, r.top};
      ::ScreenToClient(window, &p);
      std::printf("%s at %ld,%ld, %ldx%ld\n", e.Button->Name().c_str(), long(p.x), long(p.y),
                  long(r.right - r.left), long(r.bottom - r.top));
      if (p.x != e.X || p.y != e.Y || r.right - r.left != 85 || r.bottom - r.top != 22)
        Failed = true;
    }
    RECT client;
    ::GetClientRect(window, &client);
    std::printf("client area %ldx%ld\n", long(client.right), long(client.bottom));
    if (client.right != 492 || client.bottom != 351) Failed = true;
  }

  // The window as it stands on the screen, as a 24-bit bitmap file.
  static void Capture(HWND window, const std::string& file) {
    RECT r;
    ::GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, section);
    ::BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    const uint32_t stride = uint32_t((w * 3 + 3) & ~3), size = stride * uint32_t(h);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof info.bmiHeader;
    fh.bfSize = fh.bfOffBits + size;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), std::streamsize(size));
    ::SelectObject(dc, old);
    ::DeleteObject(section);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
  }
};

void RegisterClasses() {
  RegisterClass<TBevel>("TBevel");
  RegisterClass<TButton>("TButton");
  RegisterClass<TCheckBox>("TCheckBox");
  RegisterClass<TCheckListBox>("TCheckListBox");
  RegisterClass<TPreviewList>("TDirectoryListBox");
  RegisterClass<TPreviewDrives>("TDriveComboBox");
  RegisterClass<TEdit>("TEdit");
  RegisterClass<TImage>("TImage");
  RegisterClass<TLabel>("TLabel");
  RegisterClass<TMemo>("TMemo");
  RegisterClass<TPanel>("TPanel");
  RegisterClass<TPageControl>("TPageControl");
  RegisterClass<TTabSheet>("TTabSheet");
}

} // namespace

int main() {
  try {
    RegisterClasses();
    TApplication application;
    application.Title = ResConst::SetupCaption;
    application.Icon.LoadFromResourceId(ResConst::ResMainIcon);
    application.CreateHandle();
    TPreviewForm form;
    Sys().SetTimer(form.Handle(), 1, 1500);
    form.ShowPage(0);
    form.ShowModal();
    Sys().KillTimer(form.Handle(), 1);
    std::printf(form.Failed ? "buttons or client area misplaced\n" : "all pages captured\n");
    return form.Failed ? 1 : 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "formpreview: %s\n", e.what());
    return 1;
  }
}
