#include "SimTest.h"

#include "install/AttachFiles.h"
#include "install/InstUtils.h"

void ResetRunState() {
  SilentMode = false;
  SetupExitCode = ExitSuccess;
  InstallStarted = false;
  FolderStack.reset();
  InstallLog.reset();
  InstallLogPath.clear();
  LogSuspendCount = 0;
  FullTargetGiven = false;
}
