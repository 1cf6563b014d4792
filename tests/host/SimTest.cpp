#include "SimTest.h"

#include "install/InstUtils.h"

void ResetRunState() {
  SilentMode = false;
  SetupExitCode = ExitSuccess;
  InstallStarted = false;
  FolderStack.reset();
}
