// Makes the product's shortcut at the path given as the argument, pointing at a program
// file it writes first, so that an independent reader can check what the link holds.
#include "install/InstUtils.h"
#include "platform/rtl/Strings.h"
#include "wizard/ResConst.h"

int main() {
  if (ParamCount() != 2) return 2;
  Sys().OleInitialize(); // as the program's start-up does
  const std::string folder = ParamStr(2);
  MakeDirs(WithBackslash(folder));
  WriteStringToFile(JoinPath(folder, ResConst::ProgramFile), "MZ");
  CreateInstallLog();
  CreateShortcut(ParamStr(1), JoinPath(folder, ResConst::ProgramFile), folder,
                 ResConst::ShortcutDescription);
  // The line is there even when the save failed; the file shows whether it worked.
  return FileExists(ParamStr(1)) && InstallLog->Count() > 0 ? 0 : 1;
}
