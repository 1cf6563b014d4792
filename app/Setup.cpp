#include "app/Setup.h"

#include "install/AttachFiles.h"
#include "install/InstUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/CheckLst.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"
#include "wizard/Dialogs.h"
#include "wizard/FileCtrl.h"
#include "wizard/MainDlg.h"
#include "wizard/ResConst.h"

using namespace ResConst;

bool IsSilentSwitch(const std::string& param) {
  return param.size() == 2 && (param[0] == '-' || param[0] == '/') &&
         (param[1] == 'S' || param[1] == 's');
}

void RegisterWizardClasses() {
  RegisterClass<TBevel>("TBevel");
  RegisterClass<TButton>("TButton");
  RegisterClass<TCheckBox>("TCheckBox");
  RegisterClass<TCheckListBox>("TCheckListBox");
  RegisterClass<TDirectoryListBox>("TDirectoryListBox");
  RegisterClass<TDriveComboBox>("TDriveComboBox");
  RegisterClass<TEdit>("TEdit");
  RegisterClass<TImage>("TImage");
  RegisterClass<TLabel>("TLabel");
  RegisterClass<TMemo>("TMemo");
  RegisterClass<TPanel>("TPanel");
  RegisterClass<TPageControl>("TPageControl");
  RegisterClass<TTabSheet>("TTabSheet");
}

namespace {

int RunWizard() {
  RegisterWizardClasses();
  TApplication application;
  application.CreateHandle();
  application.Icon.SetHandle(Sys().LoadIconA(ResMainIcon));
  Sys().SendMessageA(application.WindowHandle(), WM_SETICON, ICON_BIG,
                     intptr_t(application.Icon.Handle()));
  application.Title = SetupCaption;
  Sys().SetWindowTextA(application.WindowHandle(), SetupCaption);
  for (int i = 1; i <= ParamCount(); ++i)
    if (IsSilentSwitch(ParamStr(i))) SilentMode = true;

  TAttachedFiles files;
  {
    TMainDlgForm form(files);
    if (SilentMode)
      form.NextBtn->Click(); // the whole silent run happens inside this click
    else
      form.ShowModal();
    if (InstallStarted) {
      form.SaveSettings();
      if (!form.IsRemovableTarget()) SaveInstallLog();
    }
  } // the form goes first, then the archive, whose end removes the temporary files
  return SetupExitCode;
}

} // namespace

int RunSetup() {
  Sys().OleInitialize();
  try {
    return RunWizard();
  } catch (const ESetupDamaged&) {
    // Nothing has been written: the archive is read before the wizard starts.
    if (!SilentMode) ShowMessageBox(MsgSetupDamaged, TMessageKind::Error, MessageButton::OK);
  } catch (const std::exception& e) {
    if (!SilentMode) ShowMessageBox(e.what(), TMessageKind::Error, MessageButton::OK);
  }
  return ExitFileNotWritten;
}
