#include "platform/os/System.h"

// The default machine of the build; defined by Win32System.cpp or SimDefault.cpp.
System& DefaultSystem();

namespace {
System* Current = nullptr;
}

System& Sys() {
  return Current ? *Current : DefaultSystem();
}

void SetSys(System* system) {
  Current = system;
}

TSystemScope::TSystemScope(System& system) : Previous(Current) {
  Current = &system;
}

TSystemScope::~TSystemScope() {
  Current = Previous;
}
