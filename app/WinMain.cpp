// The process's entry point on Windows.
#include "app/Setup.h"

extern "C" int __stdcall WinMain(void*, void*, char*, int) {
  return RunSetup();
}
