// The installation run of the wizard form: the install list, writing the files, the common
// data file and the shortcuts, and the update log when the wizard is left.
#include "install/AttachFiles.h"
#include "install/InstUtils.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"
#include "wizard/MainDlg.h"
#include "wizard/ResConst.h"

#include <cstring>
#include <optional>

using namespace ResConst;

namespace {

template <class T> std::string BytesOf(const T& value) {
  std::string bytes(sizeof value, '\0');
  std::memcpy(&bytes[0], &value, sizeof value);
  return bytes;
}

// FullTargetGiven holds for exactly one request.
class TFullTargetScope {
public:
  TFullTargetScope() { FullTargetGiven = true; }
  ~TFullTargetScope() { FullTargetGiven = false; }
  TFullTargetScope(const TFullTargetScope&) = delete;
  TFullTargetScope& operator=(const TFullTargetScope&) = delete;
};

} // namespace

std::string TMainDlgForm::GetDataFolder(uint8_t index) {
  return GetDataFolderFor(FDestDir, index, IsRemovableTarget());
}

std::string TMainDlgForm::GetTargetPath(const std::string& name) const {
  return JoinPath(FDestDir, name);
}

bool TMainDlgForm::IsRemovableTarget() const {
  return FPortable ? *FPortable : IsRemovablePath(FDestDir);
}

void TMainDlgForm::BuildInstallList() {
  for (int id = 0; id < ResConst::ComponentCount; ++id) Files.ClearComponent(id);
  // Only a portable installation keeps what is there; the modes take effect on removable media.
  Files.ForceOverwrite = !IsRemovableTarget();
  auto selected = [this](int id) { return (FSelectedComponents >> id & 1) != 0; };

  Files.AddFiles(ProgramFile, FDestDir, 0, UpdateIfChanged);
  Files.AddFiles(LicenseFile, FDestDir, 0, UpdateIfChanged);
  const std::string proofing = GetDataFolder(4);
  if (selected(1)) {
    TLogSuspension quiet;
    for (const TInstallStep& step : ProofingSteps) {
      const TInstallMode mode = step.UpdateIfChanged ? UpdateIfChanged : InstallIfMissing;
      if (step.FullTargetName) {
        TFullTargetScope fullTarget;
        Files.AddFiles(step.Pattern, proofing + step.FullTargetName, 1, mode);
      } else {
        Files.AddFiles(step.Pattern, proofing, 1, mode);
      }
    }
  }
  const std::string shared = GetDataFolder(2);
  {
    TLogSuspension quiet;
    if (selected(2)) Files.AddFiles(TemplatesPattern, shared, 2, InstallIfMissing);
    if (selected(3)) Files.AddFiles(ClipLibraryPattern, shared, 3, InstallIfMissing);
  }
  if (selected(4)) Files.AddFiles(SoundSchemeFile, shared, 4, UpdateIfChanged);

  if (!IsRemovableTarget()) {
    FInstallTime = Now();
    WriteStringToFile(GetDataFolder(1) + InstallStampFile, BytesOf(FInstallTime));
  }
}

void TMainDlgForm::RunInstallation() {
  // One answer for the whole run: the list, the data folders, the stamp, the shortcuts, the
  // logs and the uninstall entry all follow the same layout.
  FPortable = IsRemovablePath(FDestDir);
  CreateInstallLog();
  if (!IsRemovableTarget()) {
    InstallLogPath = GetTargetPath(InstallLogFile);
    // An earlier log that cannot be read is kept rather than replaced by this run's lines
    // alone: it may be the only record of what earlier installations put here.
    if (FileExists(InstallLogPath) && !LoadInstallLog(InstallLogPath)) InstallLogPath.clear();
  }
  InstallStarted = true;
  FSelectedComponents = 0;
  for (int i = SelCompLstBx->Items().Count() - 1; i >= 0; --i)
    if (SelCompLstBx->State(i) != cbUnchecked) {
      int id = (*FComponentIds)[size_t(i)];
      if (id >= 0 && id <= 7) FSelectedComponents |= uint8_t(1 << id);
    }
  BuildInstallList();

  bool written = true;
  for (int id = 0; id < ResConst::ComponentCount && written; ++id)
    for (const auto& entry : Files.ComponentFiles[id]) {
      std::optional<TLogSuspension> quiet;
      if (!entry.Logged) quiet.emplace();
      if (!Files.ExtractFile(entry.AttachedFile, std::string(), entry.TargetPath)) {
        written = false;
        break;
      }
    }
  if (!written) {
    // Files written so far stay; the entry still saves the choices and the log.
    if (SetupExitCode == ExitSuccess) SetupExitCode = ExitFileNotWritten;
    CloseWizard(mrCancel);
    return;
  }
  ChangePage(Page::Installing, Page::Finish);
}

void TMainDlgForm::EnterFinishPage() {
  const uint32_t header[2] = {1, 8};
  WriteStringToFile(GetDataFolder(0) + CommonDataFile, BytesOf(header) + BytesOf(Now()));
  if (IsRemovableTarget()) return; // a portable installation gets no shortcuts

  struct TPair {
    int AllUsers, CurrentUser;
    bool Wanted;
  };
  const TPair pairs[] = {
      {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS, true},
      {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY, DesktopChkBx->Checked()}};
  const bool allUsers = InstallToAllChkBx->Checked();
  for (const TPair& pair : pairs) {
    std::string chosen = GetSpecialFolder(allUsers ? pair.AllUsers : pair.CurrentUser);
    const std::string other = GetSpecialFolder(allUsers ? pair.CurrentUser : pair.AllUsers);
    if (chosen.empty()) chosen = other;
    if (!other.empty()) Sys().DeleteFileW(WideFrom1252(JoinPath(other, ShortcutFile)));
    // Without any folder the shortcut would land in whatever the current directory is.
    if (pair.Wanted && !chosen.empty())
      CreateShortcut(JoinPath(chosen, ShortcutFile), GetTargetPath(ProgramFile), FDestDir,
                     ShortcutDescription);
  }
}

void TMainDlgForm::WriteUpdateLog() {
  if (Files.PublicFiles.Count() == 0) return;
  WriteUpdateLogFile(GetDataFolder(0) + UpdateLogFile, Files.PublicFiles, FInstallTime);
}
