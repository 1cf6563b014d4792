// A GUI-subsystem program that asks the system what the setup will ask and reports it,
// one fact a line, into the file named by its first argument (a GUI program has no console).
// Its exit code is 0 when every answer is usable.
#include "install/InstUtils.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Strings.h"

int Probe() {
  TStringList facts;
  bool usable = true;
  auto fact = [&](const std::string& name, const std::string& value, bool ok) {
    facts.Add(name + "=" + value + (ok ? "" : " (unusable)"));
    usable = usable && ok;
  };
  std::string programFiles = GetSpecialFolder(CSIDL_PROGRAM_FILES);
  fact("ProgramFiles", programFiles, !programFiles.empty());
  std::string appData = GetSpecialFolder(CSIDL_COMMON_APPDATA);
  fact("CommonAppData", appData, !appData.empty());
  std::string temp = GetTempFolder();
  fact("Temp", temp, DirExists(temp));
  int32_t cluster = GetClusterSize("C:\\");
  fact("ClusterC", IntToStr(cluster), cluster > 0);
  fact("DriveTypeC", IntToStr(GetDriveTypeOf("C:\\")), GetDriveTypeOf("C:\\") == DRIVE_FIXED);
  fact("RemovableC", IsRemovablePath("C:\\") ? "yes" : "no", true);
  fact("Drives", IntToStr(Sys().GetLogicalDrives()), Sys().GetLogicalDrives() != 0);
  if (ParamCount() >= 1) facts.SaveToFile(ParamStr(1));
  return usable ? 0 : 1;
}

#ifdef _WIN32
extern "C" int __stdcall WinMain(void*, void*, char*, int) {
  return Probe();
}
#else
int main() {
  return Probe();
}
#endif
