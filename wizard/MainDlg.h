#pragma once
// The setup wizard: seven pages in a page control, Back/Next/Cancel below them, the page
// title above. ChangePage is the only way from one page to another; in a silent run every
// page presses Next at its own end, so the whole run is one chain of nested calls.

#include "platform/gui/CheckLst.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/DateTime.h"
#include "wizard/FileCtrl.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TAttachedFiles;

// Page indexes; 7 leaves the wizard.
namespace Page {
constexpr uint8_t Welcome = 0, License = 1, DestDir = 2, Components = 3, Ready = 4, Installing = 5,
                  Finish = 6, Leave = 7, None = 255;
}

// An instance of the product has a top-level window carrying its property.
bool IsProductRunning();

class TMainDlgForm : public TForm {
public:
  // The archive belongs to the caller and outlives the form.
  explicit TMainDlgForm(TAttachedFiles& files, TComponent* owner = nullptr);
  ~TMainDlgForm() override;

  // ---- published fields, in the order of the form description ----
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
  TDirectoryListBox* DestDirLstBx = nullptr;
  TDriveComboBox* DestDirCmbBx = nullptr;
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

  // ---- published handlers ----
  void BNClick(TObject* Sender);
  void CancelBtnClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void DestDirLstBxChange(TObject* Sender);
  void SelCompLstBxDrawItem(TWinControl* Control, int Index, const TRect& Rect,
                            TOwnerDrawState State);
  void SelCompLstBxClickCheck(TObject* Sender);

  void ChangePage(uint8_t FromPage, uint8_t ToPage);

  // Destination page
  void NormalizeDestDir();
  // The drive poll.
  void WMTimer() override;

  // Components page
  void UpdateDiskSpace();
  void WMActivateApp(bool active) override;

  // Saved choices and the uninstall entry
  void LoadSettings();
  void SaveSettings();

  // Target folders
  std::string GetDataFolder(uint8_t index);
  std::string GetTargetPath(const std::string& name) const;
  // Asks the volume until the installation starts; from then on the answer it got there, so
  // that a query failing later (or a drive vanishing) cannot turn the run half portable.
  bool IsRemovableTarget() const;

  // The installation run
  void BuildInstallList();
  void WriteUpdateLog();

  // State, for the program entry and for tests.
  const std::string& DestDir() const { return FDestDir; }
  bool CloseConfirmed() const { return FCloseConfirmed; }
  bool FormReady() const { return FFormReady; }
  uint32_t SavedComponents() const { return FSavedComponents; }
  uint8_t SelectedComponents() const { return FSelectedComponents; }
  TDateTime InstallTime() const { return FInstallTime; }
  const std::vector<int>& ComponentIds() const { return *FComponentIds; }

private:
  void PublishMembers();
  void LoadLogo();
  // Entry actions that can stop the page change return false.
  bool EnterLicensePage(uint8_t FromPage);
  void ComputeComponentSizes();
  void SettleInitialDestination();
  void FillComponentList();
  void RunInstallation();
  void EnterFinishPage();
  void LeaveWizard();
  void CloseWizard(int modalResult);

  TAttachedFiles& Files;

  bool FCloseConfirmed = false;
  bool FFormReady = false;
  std::unique_ptr<std::vector<int>> FComponentIds;
  uint8_t FSelectedComponents = 0;
  TDateTime FInstallTime = 0;
  std::string FDestDir;
  uint32_t FSavedComponents = 0;
  std::optional<bool> FPortable; // settled when the installation starts
};
