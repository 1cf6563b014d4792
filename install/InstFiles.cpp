// Folders, small data files and shortcuts.
#include "install/InstUtils.h"

#include "platform/os/Handles.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"
#include "wizard/ResConst.h"

namespace {
// Everything up to and including the last backslash.
std::string FolderPart(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
} // namespace

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
  Sys().WriteFile(file.Get(), bytes.data(), uint32_t(bytes.size()), &written);
}

void CreateShortcut(const std::string& shortcutPath, const std::string& targetPath,
                    const std::string& workingFolder, const std::string& description) {
  // Without the shell's link object there is nothing to set or save, but the folder and the
  // log line are made as for any shortcut.
  std::unique_ptr<TShellLink> link = Sys().CreateShellLink();
  if (link) {
    link->SetPath(targetPath);
    link->SetWorkingDirectory(workingFolder);
    link->SetDescription(description);
  }
  MakeDirs(FolderPart(shortcutPath));
  if (link) link->Save(WideFromAnsi(shortcutPath), true);
  AddLogLine(ResConst::LogFileCopy + shortcutPath);
}
