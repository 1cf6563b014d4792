#include "platform/gui/Backend.h"

// The default backend of the build; defined by win32/Win32Gui.cpp or headless/HeadlessDefault.cpp.
TGuiBackend& DefaultGui();

namespace {
TGuiBackend* Current = nullptr;
}

TGuiBackend& Gui() {
  return Current ? *Current : DefaultGui();
}

void SetGui(TGuiBackend* backend) {
  Current = backend;
}

TGuiScope::TGuiScope(TGuiBackend& backend) : Previous(Current) {
  Current = &backend;
}

TGuiScope::~TGuiScope() {
  Current = Previous;
}
