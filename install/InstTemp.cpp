// The setup's temporary files.
#include "install/InstUtils.h"

#include "platform/os/Handles.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"
#include "wizard/ResConst.h"

namespace {
bool IsDots(const std::string& name) {
  return name == "." || name == "..";
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A folder entry removed as a folder or as a file. A junction or symbolic link to a folder is
// removed itself: its target's contents are not ours.
void RemoveEntry(const std::string& path, uint32_t attributes) {
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    DeleteTree(path);
  else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    Sys().RemoveDirectoryW(WideFrom1252(path));
  else
    Sys().DeleteFileW(WideFrom1252(path));
}
} // namespace

std::string TempFilePrefix() {
  std::string prefix = ResConst::TempFileStart;
  for (const char* p = ResConst::SetupCaption; *p; ++p)
    if (IsLetter(*p)) prefix += *p;
  return prefix;
}

std::string NewTempFileName() {
  const std::string stem = GetTempFolder() + TempFilePrefix();
  // Ends: every name tried is a new one, and a folder holds finitely many entries.
  for (int64_t n = 0;; ++n) {
    std::string name = stem + IntToStr(n) + ResConst::TempFileExtension;
    if (Sys().GetFileAttributesW(WideFrom1252(name)) == INVALID_FILE_ATTRIBUTES) return name;
  }
}

void DeleteTempFiles() {
  const std::string folder = GetTempFolder();
  const std::string prefix = TempFilePrefix();
  TFindData data;
  TFindHandle find(Sys().FindFirstFileA(folder + ResConst::AllEntriesPattern, data));
  if (!find.Valid()) return;
  do {
    if (data.FileName.compare(0, prefix.size(), prefix) == 0)
      RemoveEntry(folder + data.FileName, data.FileAttributes);
  } while (Sys().FindNextFileA(find.Get(), data));
}

void DeleteTree(const std::string& path) {
  const std::string folder = WithBackslash(path);
  {
    TFindData data;
    TFindHandle find(Sys().FindFirstFileA(folder + ResConst::AllEntriesPattern, data));
    if (find.Valid()) {
      do {
        if (!IsDots(data.FileName)) RemoveEntry(folder + data.FileName, data.FileAttributes);
      } while (Sys().FindNextFileA(find.Get(), data));
    }
  }
  Sys().RemoveDirectoryW(WideFrom1252(folder));
}
