// The wizard form: construction, the page flow, the buttons and the close query.
#include "wizard/MainDlg.h"

#include "image/PNG.h"
#include "install/AttachFiles.h"
#include "install/InstUtils.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Consts.h"
#include "platform/rtl/Strings.h"
#include "wizard/Dialogs.h"
#include "wizard/ResConst.h"

using namespace ResConst;

bool IsProductRunning() {
  bool running = false;
  Sys().EnumWindows([&running](::Handle window) {
    running = Sys().GetPropA(window, ProductWindowProperty) != 0;
    return !running;
  });
  return running;
}

void TMainDlgForm::PublishMembers() {
  PublishField("TopPanel", TopPanel);
  PublishField("TopLbl", TopLbl);
  PublishField("LogoImage", LogoImage);
  PublishField("PgCtrl", PgCtrl);
  PublishField("WelcomeTabSheet", WelcomeTabSheet);
  PublishField("WelcomeLbl", WelcomeLbl);
  PublishField("LicenseTabSheet", LicenseTabSheet);
  PublishField("LicenseMemo", LicenseMemo);
  PublishField("LicenseChkBx", LicenseChkBx);
  PublishField("DestDirTabSheet", DestDirTabSheet);
  PublishField("DestDirEdt", DestDirEdt);
  PublishField("DestDirLstBx", DestDirLstBx);
  PublishField("DestDirCmbBx", DestDirCmbBx);
  PublishField("SelCompTabSheet", SelCompTabSheet);
  PublishField("SelCompLbl", SelCompLbl);
  PublishField("SelCompLstBx", SelCompLstBx);
  PublishField("SelCompDiskSpaceReqLbl2", SelCompDiskSpaceReqLbl2);
  PublishField("SelCompDiskSpaceAvailLbl2", SelCompDiskSpaceAvailLbl2);
  PublishField("StartTabSheet", StartTabSheet);
  PublishField("InstallToAllChkBx", InstallToAllChkBx);
  PublishField("DesktopChkBx", DesktopChkBx);
  PublishField("InstallingTabSheet", InstallingTabSheet);
  PublishField("FinishTabSheet", FinishTabSheet);
  PublishField("FinishLbl", FinishLbl);
  PublishField("FinishChkBx", FinishChkBx);
  PublishField("BackBtn", BackBtn);
  PublishField("NextBtn", NextBtn);
  PublishField("CancelBtn", CancelBtn);
  PublishHandler("BNClick", &TMainDlgForm::BNClick);
  PublishHandler("CancelBtnClick", &TMainDlgForm::CancelBtnClick);
  PublishHandler("FormCloseQuery", &TMainDlgForm::FormCloseQuery);
  PublishHandler("DestDirLstBxChange", &TMainDlgForm::DestDirLstBxChange);
  PublishHandler("SelCompLstBxDrawItem", &TMainDlgForm::SelCompLstBxDrawItem);
  PublishHandler("SelCompLstBxClickCheck", &TMainDlgForm::SelCompLstBxClickCheck);
}

TMainDlgForm::TMainDlgForm(TAttachedFiles& files, TComponent* owner) : TForm(owner), Files(files) {
  PublishMembers();
  ReadFormResource(ResFormName);
  SetCaption(SetupCaption);
  // The white title band stays white under visual styles.
  TopPanel->SetParentBackground(false);
  LoadLogo();
  // The first placeholder takes the product name, the second empties the version's suffix.
  WelcomeLbl->SetCaption(Format(WelcomeLbl->Caption(), {ProductName, ""}));
  FinishLbl->SetCaption(Format(FinishLbl->Caption(), {ProductName, ""}));
  LoadSettings();
  DestDirEdt->SetText(FDestDir);
  DestDirLstBx->SetDirectory(FDestDir);
  SelCompLbl->SetCaption(SelCompCaption);
  // Creates the window (and those of all controls); a modal show is what makes it visible.
  Sys().SetTimer(Handle(), 1, 1000);
  if (!SilentMode) ChangePage(Page::None, Page::Welcome);
  FFormReady = true;
}

TMainDlgForm::~TMainDlgForm() {
  FComponentIds.reset();
  if (HandleAllocated()) Sys().KillTimer(Handle(), 1);
}

void TMainDlgForm::LoadLogo() {
  TPNGImage image;
  {
    TResourceStream stream(ResLogoName, ResLogoType);
    image.LoadFromStream(stream);
  }
  LogoImage->Picture().Bitmap().Assign(image);
  LogoImage->PictureChanged();
}

void TMainDlgForm::BNClick(TObject* Sender) {
  int index = PgCtrl->ActivePageIndex();
  int target = Sender == BackBtn ? index - 1 : index + 1;
  ChangePage(uint8_t(index), uint8_t(target));
}

void TMainDlgForm::CancelBtnClick(TObject*) {
  Close();
}

void TMainDlgForm::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = FCloseConfirmed || SilentMode ||
             ShowMessageBox(MsgQuitSetup, TMessageKind::Confirmation,
                            MessageButton::Yes | MessageButton::No) == TMessageResult::Yes;
  FCloseConfirmed = CanClose;
}

void TMainDlgForm::CloseWizard(int modalResult) {
  FCloseConfirmed = true;
  SetModalResult(modalResult);
}

namespace {
void ReportRunningProduct() {
  if (SilentMode)
    SetupExitCode = ExitProductRunning;
  else
    ShowMessageBox(MsgCloseRunningInstances, TMessageKind::Information, MessageButton::OK);
}
} // namespace

bool TMainDlgForm::EnterLicensePage(uint8_t FromPage) {
  // Once the text is in the memo, coming back neither reloads it nor tests again.
  if (FromPage != Page::Welcome || LicenseMemo->Lines().Count() != 0) return true;
  if (IsProductRunning()) {
    ReportRunningProduct();
    return false;
  }
  NextBtn->SetEnabled(false);
  CancelBtn->SetEnabled(false);
  Sys().SetCursor(Sys().LoadCursorA(IDC_WAIT));
  const std::string tempName = NewTempFileName();
  bool extracted;
  {
    TLogSuspension quiet; // the temporary copy is never in the install log
    extracted = Files.ExtractFile(nullptr, LicenseFile, tempName);
  }
  if (extracted) {
    try {
      TStringList lines;
      lines.LoadFromFile(tempName);
      LicenseMemo->Lines().Assign(lines);
    } catch (const Exception&) {
      // The license stays unshown; the acceptance box still guards the way on.
    }
    Sys().DeleteFileW(WideFrom1252(tempName));
    PgCtrl->SetActivePage(LicenseTabSheet);
  } else if (SilentMode) {
    SetupExitCode = ExitFileNotWritten;
  } else {
    CloseWizard(mrCancel);
  }
  return true;
}

void TMainDlgForm::ChangePage(uint8_t FromPage, uint8_t ToPage) {
  TWinControl* focus = nullptr;
  switch (ToPage) {
  case Page::License:
    if (!EnterLicensePage(FromPage)) return;
    focus = LicenseMemo;
    break;
  case Page::DestDir:
    if (FromPage == Page::License && !LicenseChkBx->Checked()) {
      ShowMessageBox(MsgAcceptLicense, TMessageKind::Information, MessageButton::OK);
      return;
    }
    focus = DestDirEdt;
    break;
  case Page::Components:
    if (FromPage == Page::DestDir) {
      NormalizeDestDir();
      FDestDir = DestDirEdt->Text();
    }
    ComputeComponentSizes();
    focus = SelCompLstBx;
    break;
  case Page::Ready: {
    bool portable = IsRemovableTarget();
    InstallToAllChkBx->SetVisible(!portable);
    DesktopChkBx->SetVisible(!portable);
    focus = NextBtn;
    break;
  }
  case Page::Installing:
    if (IsProductRunning()) {
      ReportRunningProduct();
      return;
    }
    break;
  case Page::Finish: EnterFinishPage(); break;
  case Page::Leave: LeaveWizard(); return;
  default: break;
  }
  if (ToPage > Page::Finish) return;

  BackBtn->SetVisible(ToPage != Page::Welcome);
  BackBtn->SetEnabled(ToPage < Page::Installing);
  BackBtn->SetCaption(BackCaption);
  NextBtn->SetEnabled(ToPage != Page::Installing);
  NextBtn->SetCaption(ToPage == Page::Finish ? FinishCaption : NextCaption);
  CancelBtn->SetEnabled(ToPage != Page::Finish);
  CancelBtn->SetCaption(SCancelButton);
  TopLbl->SetCaption(PageTitles[ToPage]);
  PgCtrl->SetActivePage(PgCtrl->Pages(ToPage));
  if (focus && focus->CanFocus()) focus->SetFocus();

  if (ToPage == Page::Components) UpdateDiskSpace();
  if (ToPage == Page::Installing)
    RunInstallation();
  else if (SilentMode && SetupExitCode == ExitSuccess)
    NextBtn->Click();
}

void TMainDlgForm::LeaveWizard() {
  if (!IsRemovableTarget()) {
    try {
      WriteUpdateLog();
    } catch (const Exception&) {
      // The update log is a record of shared files, like the install log, whose failure
      // changes nothing either: the product is installed and the choices must still be saved.
    }
  }
  if (!SilentMode && FinishChkBx->Checked())
    Sys().WinExec("\"" + GetTargetPath(ProgramFile) + "\"", SW_SHOW);
  CloseWizard(mrOk);
}
