#include "WizardTestForm.h"

#include "platform/gui/FormReader.h"

extern const unsigned char MainDlgForm[];
extern const std::size_t MainDlgForm_Size;

std::string MainDlgFormText() {
  return std::string(reinterpret_cast<const char*>(MainDlgForm), MainDlgForm_Size);
}

bool TStandInDirList::ReadProperty(TPropertyReader& r) {
  if (r.Is("OnChange"))
    OnChange = r.NotifyHandler();
  else
    return TListBox::ReadProperty(r);
  return true;
}

void TStandInDirList::CreateWnd() {
  TListBox::CreateWnd();
  HadWindowInHook = HandleAllocated();
  ++HookCalls;
}

bool TStandInDriveList::ReadProperty(TPropertyReader& r) {
  if (!r.Is("DirList")) return TComboBox::ReadProperty(r);
  r.Reference([this](TComponent* c) {
    DirList = dynamic_cast<TStandInDirList*>(c);
    return DirList != nullptr;
  });
  return true;
}

void RegisterWizardClasses() {
  RegisterClass<TBevel>("TBevel");
  RegisterClass<TButton>("TButton");
  RegisterClass<TCheckBox>("TCheckBox");
  RegisterClass<TCheckListBox>("TCheckListBox");
  RegisterClass<TStandInDirList>("TDirectoryListBox");
  RegisterClass<TStandInDriveList>("TDriveComboBox");
  RegisterClass<TEdit>("TEdit");
  RegisterClass<TImage>("TImage");
  RegisterClass<TLabel>("TLabel");
  RegisterClass<TMemo>("TMemo");
  RegisterClass<TPanel>("TPanel");
  RegisterClass<TPageControl>("TPageControl");
  RegisterClass<TTabSheet>("TTabSheet");
}

TWizardTestForm::TWizardTestForm(const std::string* text) {
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
  PublishHandler("BNClick", &TWizardTestForm::BNClick);
  PublishHandler("CancelBtnClick", &TWizardTestForm::CancelBtnClick);
  PublishHandler("DestDirLstBxChange", &TWizardTestForm::DestDirLstBxChange);
  PublishHandler("SelCompLstBxDrawItem", &TWizardTestForm::SelCompLstBxDrawItem);
  PublishHandler("SelCompLstBxClickCheck", &TWizardTestForm::SelCompLstBxClickCheck);
  PublishHandler("FormCloseQuery", &TWizardTestForm::FormCloseQuery);
  if (text)
    ReadFormText(*text, "TMainDlgForm");
  else
    ReadFormResource("TMAINDLGFORM");
}

void TWizardTestForm::Record(const char* handler, TObject* sender) {
  auto* component = dynamic_cast<TComponent*>(sender);
  Calls.push_back(std::string(handler) + " " + (component ? component->Name() : "?"));
}

void TWizardTestForm::BNClick(TObject* Sender) {
  Record("BNClick", Sender);
  ModalResultsSeen.push_back(ModalResult());
}

void TWizardTestForm::CancelBtnClick(TObject* Sender) {
  Record("CancelBtnClick", Sender);
  ModalResultsSeen.push_back(ModalResult());
  Close();
}

void TWizardTestForm::DestDirLstBxChange(TObject* Sender) {
  Record("DestDirLstBxChange", Sender);
}

void TWizardTestForm::SelCompLstBxDrawItem(TWinControl* Control, int Index, const TRect& Rect,
                                           TOwnerDrawState) {
  Record("SelCompLstBxDrawItem", Control);
  DrawnRows.emplace_back(Index, Rect);
  TCanvas& canvas = SelCompLstBx->Canvas();
  BrushAtDraw.push_back(canvas.Brush.Color);
  FontAtDraw.push_back(canvas.Font.Color());
  canvas.FillRect(Rect);
  canvas.TextOut(Rect.Left + 2, Rect.Top, SelCompLstBx->Items()[Index]);
}

void TWizardTestForm::SelCompLstBxClickCheck(TObject* Sender) {
  Record("SelCompLstBxClickCheck", Sender);
}

void TWizardTestForm::FormCloseQuery(TObject* Sender, bool& CanClose) {
  Record("FormCloseQuery", Sender);
  ++CloseQueries;
  CanClose = AllowClose;
}
