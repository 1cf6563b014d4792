// The user's choices remembered in the registry, and the entry in the list of installed
// programs.
#include "install/InstUtils.h"
#include "platform/os/Handles.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Strings.h"
#include "wizard/MainDlg.h"
#include "wizard/ResConst.h"

using namespace ResConst;

namespace {

constexpr uint32_t AllComponents = 0x7FFFFFFF;

// A value of another type than the one written, or too short, counts as absent: its bytes
// would mean nothing.
bool HasValue(TRegistry& reg, const char* name, uint32_t wantedType, uint32_t minimumSize) {
  uint32_t type = 0, size = 0;
  return reg.ValueInfo(name, type, size) && type == wantedType && size >= minimumSize;
}

bool HasDword(TRegistry& reg, const char* name) {
  return HasValue(reg, name, REG_DWORD, 4);
}

// The size of a file in bytes as a signed 32-bit number, -1 when it cannot be opened.
int32_t FileSizeOf(const std::string& path) {
  TFileHandle file(Sys().CreateFileW(WideFrom1252(path), 0, FILE_SHARE_READ, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL));
  if (!file.Valid()) return -1;
  return int32_t(Sys().GetFileSize(file.Get(), nullptr));
}

} // namespace

void TMainDlgForm::LoadSettings() {
  TRegistry reg;
  reg.OpenKey(InstallKey); // creates the key, so it exists after every run
  FDestDir.clear();
  if (HasValue(reg, ValMainDir, REG_SZ, 0)) FDestDir = reg.ReadString(ValMainDir);
  SettleInitialDestination();
  FSavedComponents = AllComponents;
  if (HasDword(reg, ValComponents)) FSavedComponents = uint32_t(reg.ReadInteger(ValComponents));
  FillComponentList();
  const std::pair<const char*, TCheckBox*> boxes[] = {{ValInstallToAll, InstallToAllChkBx},
                                                      {ValDesktopShortcut, DesktopChkBx},
                                                      {ValLaunch, FinishChkBx}};
  for (const auto& [name, box] : boxes)
    box->SetChecked(HasDword(reg, name) ? reg.ReadBool(name) : true);
}

void TMainDlgForm::SaveSettings() {
  TRegistry reg;
  reg.OpenKey(InstallKey);
  reg.WriteString(ValMainDir, FDestDir);
  // Only the rows' own bits change; the grayed first row is stored as not checked.
  for (int i = 0; i < ResConst::ComponentCount; ++i) {
    FSavedComponents &= ~(1u << i);
    if (SelCompLstBx->State(i) == cbChecked) FSavedComponents |= 1u << i;
  }
  reg.WriteInteger(ValComponents, int32_t(FSavedComponents));
  reg.WriteBool(ValInstallToAll, InstallToAllChkBx->Checked());
  reg.WriteBool(ValDesktopShortcut, DesktopChkBx->Checked());
  reg.WriteBool(ValLaunch, FinishChkBx->Checked());
  if (IsRemovableTarget()) return;
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  reg.OpenKey(UninstallKey);
  const std::string path = GetTargetPath(ProgramFile);
  reg.WriteString(ValDisplayIcon, path);
  reg.WriteString(ValDisplayName, ProductName);
  reg.WriteString(ValDisplayVersion, ProductVersion);
  reg.WriteInteger(ValEstimatedSize, FileSizeOf(path) / 1024);
  reg.WriteString(ValPublisher, Publisher);
  reg.WriteString(ValUninstallString, "\"" + path + "\" " + UninstallSwitch);
}
