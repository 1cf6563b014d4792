#pragma once
// A stand-in for the wizard form class: it publishes the wizard's fields and handlers,
// records every handler call, and reads the real form description. The folder and drive
// lists are stand-ins registered under their class names.

#include "platform/gui/CheckLst.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

#include <string>
#include <vector>

class TStandInDirList : public TListBox {
public:
  TNotifyEvent OnChange;
  // Whether the window existed when the creation hook ran, and how often it ran.
  bool HadWindowInHook = false;
  int HookCalls = 0;
  bool ReadProperty(TPropertyReader& reader) override;

protected:
  void CreateWnd() override;
};

class TStandInDriveList : public TComboBox {
public:
  TStandInDirList* DirList = nullptr;
  bool ReadProperty(TPropertyReader& reader) override;
};

// The thirteen classes of the wizard's description.
void RegisterWizardClasses();
// The committed resources/MainDlg.form.
std::string MainDlgFormText();

class TWizardTestForm : public TForm {
public:
  // Reads resource TMAINDLGFORM, or text when given.
  explicit TWizardTestForm(const std::string* text = nullptr);

  TPanel* TopPanel = nullptr;
  TLabel* TopLbl = nullptr;
  TImage* LogoImage = nullptr;
  TPageControl* PgCtrl = nullptr;
  TTabSheet* WelcomeTabSheet = nullptr;
  TLabel* WelcomeLbl = nullptr;
  TTabSheet* LicenseTabSheet = nullptr;
  TMemo* LicenseMemo = nullptr;
  TCheckBox* LicenseChkBx = nullptr;
  TTabSheet* DestDirTabSheet = nullptr;
  TEdit* DestDirEdt = nullptr;
  TStandInDirList* DestDirLstBx = nullptr;
  TStandInDriveList* DestDirCmbBx = nullptr;
  TTabSheet* SelCompTabSheet = nullptr;
  TLabel* SelCompLbl = nullptr;
  TCheckListBox* SelCompLstBx = nullptr;
  TLabel* SelCompDiskSpaceReqLbl2 = nullptr;
  TLabel* SelCompDiskSpaceAvailLbl2 = nullptr;
  TTabSheet* StartTabSheet = nullptr;
  TCheckBox* InstallToAllChkBx = nullptr;
  TCheckBox* DesktopChkBx = nullptr;
  TTabSheet* InstallingTabSheet = nullptr;
  TTabSheet* FinishTabSheet = nullptr;
  TLabel* FinishLbl = nullptr;
  TCheckBox* FinishChkBx = nullptr;
  TButton* BackBtn = nullptr;
  TButton* NextBtn = nullptr;
  TButton* CancelBtn = nullptr;

  // "Handler Sender" per call.
  std::vector<std::string> Calls;
  // The modal result each click handler saw when it ran.
  std::vector<int> ModalResultsSeen;
  bool AllowClose = true;
  int CloseQueries = 0;

  void BNClick(TObject* Sender);
  void CancelBtnClick(TObject* Sender);
  void DestDirLstBxChange(TObject* Sender);
  void SelCompLstBxDrawItem(TWinControl* Control, int Index, const TRect& Rect,
                            TOwnerDrawState State);
  void SelCompLstBxClickCheck(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);

  // The rectangles and states OnDrawItem was called with.
  std::vector<std::pair<int, TRect>> DrawnRows;
  std::vector<TColor> BrushAtDraw, FontAtDraw;

private:
  void Record(const char* handler, TObject* sender);
};
