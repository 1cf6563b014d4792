// The product's folders for a destination folder.
#include "install/InstUtils.h"

#include "platform/os/WinConst.h"
#include "wizard/ResConst.h"

namespace {
std::string ProductFolderBelow(int csidl) {
  std::string base = GetSpecialFolder(csidl);
  if (base.empty()) base = GetSpecialFolder(CSIDL_PERSONAL);
  return WithBackslash(base) + ResConst::ProductFolderName;
}

std::string DataFolderName(const std::string& destDir, uint8_t index, bool portable) {
  if (portable) return WithBackslash(destDir) + (index == 4 ? ResConst::SpellcheckFolder : "");
  switch (index) {
  case 0: return ProductFolderBelow(CSIDL_COMMON_APPDATA);
  case 1: return GetDataFolderFor(destDir, 0, false) + ResConst::HiddenFolder;
  case 2: return GetDataFolderFor(destDir, 0, false) + ResConst::PublicFolder;
  case 3: return ProductFolderBelow(CSIDL_APPDATA);
  default: return GetDataFolderFor(destDir, 2, false) + ResConst::SpellcheckFolder;
  }
}
} // namespace

std::string GetDataFolderFor(const std::string& destDir, uint8_t index) {
  return GetDataFolderFor(destDir, index, IsRemovableTargetFor(destDir));
}

std::string GetDataFolderFor(const std::string& destDir, uint8_t index, bool portable) {
  std::string folder = DataFolderName(destDir, index, portable);
  if (!folder.empty()) {
    AddBackslash(folder);
    MakeDirs(folder);
  }
  return folder;
}

std::string GetTargetPathFor(const std::string& destDir, const std::string& name) {
  return JoinPath(destDir, name);
}

bool IsRemovableTargetFor(const std::string& destDir) {
  return IsRemovablePath(destDir);
}
