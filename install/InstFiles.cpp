// Folders, small data files and shortcuts.
#include "install/InstUtils.h"

#include "platform/os/Handles.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"
#include "wizard/ResConst.h"

void MakeDirs(const std::string& path) {
  // An empty path names no folder; it would log a line for nothing.
  if (path.empty() || DirExists(path)) return;
  std::string trimmed = path;
  if (trimmed.back() == '\\') trimmed.pop_back();
  std::string parent = ExtractFilePath(trimmed);
  if (parent.size() < path.size()) MakeDirs(parent);
  Sys().CreateDirectoryW(WideFrom1252(path));
  AddLogLine(ResConst::LogMadeDir + path);
}

void WriteStringToFile(const std::string& path, const std::string& bytes) {
  TFileHandle file(Sys().CreateFileW(WideFrom1252(path), GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN));
  if (!file.Valid()) return;
  uint32_t written = 0;
  const bool whole = Sys().WriteFile(file.Get(), bytes.data(), uint32_t(bytes.size()), &written) &&
                     written == bytes.size();
  file.Reset();
  // Nobody is told of the failure, but a cut stamp or data file would be read as a wrong value.
  if (!whole) Sys().DeleteFileW(WideFrom1252(path));
}

void CreateShortcut(const std::string& shortcutPath, const std::string& targetPath,
                    const std::string& workingFolder, const std::string& description) {
  // Without the shell's link object there is nothing to set or save, but the folder is made
  // as for any shortcut.
  std::unique_ptr<TShellLink> link = Sys().CreateShellLink();
  if (link) {
    link->SetPath(targetPath);
    link->SetWorkingDirectory(workingFolder);
    link->SetDescription(description);
  }
  MakeDirs(FolderOf(shortcutPath));
  // The install log names only what is on disk: a shortcut that was not saved is not logged.
  if (link && link->Save(WideFromAnsi(shortcutPath), true) >= 0)
    AddLogLine(ResConst::LogFileCopy + shortcutPath);
}
