// The destination page: the initial folder, the -D switch, the typed folder's normal form,
// the folder list feeding the edit box, and the drive poll.
#include "install/InstUtils.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"
#include "wizard/MainDlg.h"
#include "wizard/ResConst.h"

using namespace ResConst;

namespace {

// The root of the drive Windows lives on, C:\ where even that cannot be asked.
std::string SystemDriveRoot() {
  char buffer[MAX_PATH] = {};
  uint32_t length = Sys().GetWindowsDirectoryA(buffer, MAX_PATH);
  std::string drive = length > 0 && length < MAX_PATH ? ExtractFileDrive(buffer) : std::string();
  return WithBackslash(drive.empty() ? "C:" : drive);
}

// The Program Files folder; where the shell cannot name it, the system drive's root.
std::string ProgramFilesOrSystemRoot() {
  std::string folder = GetSpecialFolder(CSIDL_PROGRAM_FILES);
  return folder.empty() ? SystemDriveRoot() : folder;
}

char LowerLetter(char c) {
  return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

// A drive and colon, or a server and a share after the two backslashes: "\\" or "\\server"
// alone name no folder to install into.
bool HasDrivePart(const std::string& path) {
  const std::string drive = ExtractFileDrive(path);
  if (drive.size() == 2 && drive[1] == ':') return true;
  const size_t share = drive.find('\\', 2);
  return share != std::string::npos && share > 2 && share + 1 < drive.size();
}

} // namespace

void TMainDlgForm::SettleInitialDestination() {
  if (FDestDir.empty() || !DirExists(FDestDir))
    FDestDir = JoinPath(ProgramFilesOrSystemRoot(), ProductFolderName);
  // From the last argument to the first, so the leftmost -D stays; taken as it stands.
  for (int i = ParamCount(); i >= 1; --i) {
    std::string param = ParamStr(i);
    if (param.size() >= 2 && (param[0] == '-' || param[0] == '/') &&
        (param[1] == 'D' || param[1] == 'd'))
      FDestDir = param.substr(2);
  }
}

void TMainDlgForm::NormalizeDestDir() {
  std::string s = DestDirEdt->Text();
  size_t first = s.find_first_not_of(' ');
  s = first == std::string::npos ? std::string() : s.substr(first);
  s.erase(s.find_last_not_of(' ') + 1);
  if (!HasDrivePart(s)) {
    // The typed text is dropped, not prefixed: only a folder with a drive is a destination.
    char drive = LowerLetter(DestDirCmbBx->Drive());
    // No drive shown, or a share, which lends no letter: the Program Files drive stands in.
    if (drive < 'a' || drive > 'z') drive = LowerLetter(ProgramFilesOrSystemRoot()[0]);
    s = std::string(1, drive) + ":";
  }
  if (LastChar(s) == '\\') s.pop_back();
  if (LastChar(s) == '\\' || LastChar(s) == ':' ||
      SameName(s, GetSpecialFolder(CSIDL_PROGRAM_FILES)))
    s = JoinPath(s, ProductFolderName);
  DestDirEdt->SetText(s);
}

void TMainDlgForm::DestDirLstBxChange(TObject*) {
  if (!FFormReady) return;
  DestDirEdt->SetText(DestDirLstBx->Directory());
  NormalizeDestDir();
}

void TMainDlgForm::WMTimer() {
  const uint32_t mask = Sys().GetLogicalDrives();
  const uint32_t old = DestDirCmbBx->LogicalDrives();
  if (mask == old) return;
  TItemStrings& items = DestDirCmbBx->Items();
  const int shownIndex = DestDirCmbBx->ItemIndex();
  const std::string shown = shownIndex >= 0 ? items[shownIndex] : std::string();
  DestDirCmbBx->BuildList();
  if (mask < old) {
    const char drive = DestDirCmbBx->Drive();
    // A share has no letter to lose: it stays shown when a drive goes.
    const bool letter = drive >= 'a' && drive <= 'z';
    if (!letter || (mask >> (drive - 'a') & 1)) {
      int index = -1;
      for (int i = 0; i < items.Count() && index < 0; ++i)
        if (items[i] == shown) index = i;
      DestDirCmbBx->SetItemIndex(index);
    } else {
      DestDirCmbBx->SetDrive(LowerLetter(ProgramFilesOrSystemRoot()[0]));
    }
  } else {
    for (int bit = 2; bit <= 25; ++bit)
      if ((mask >> bit & 1) && !(old >> bit & 1)) {
        DestDirCmbBx->SetDrive(char('a' + bit));
        break;
      }
  }
}
