#include "platform/gui/Application.h"

#include "platform/gui/Backend.h"

TApplication* Application = nullptr;

TApplication::TApplication() {
  Application = this;
}

TApplication::~TApplication() {
  if (Application == this) Application = nullptr;
}

void TApplication::CreateHandle() {
  if (Native) return;
  Native = Gui().CreateApplicationWindow(*this);
  Window = Native->WindowHandle();
}
