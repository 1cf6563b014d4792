#include "wizard/Dialogs.h"

#include "platform/gui/Application.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"
#include "wizard/ResConst.h"

namespace {

uint32_t IconStyle(uint8_t kind) {
  switch (kind) {
  case uint8_t(TMessageKind::Warning): return MB_ICONWARNING;
  case uint8_t(TMessageKind::Information): return MB_ICONINFORMATION;
  case uint8_t(TMessageKind::Confirmation): return MB_ICONQUESTION;
  default: return MB_ICONERROR;
  }
}

uint32_t ButtonStyle(TMessageButtons buttons) {
  using namespace MessageButton;
  if (buttons == (Abort | Retry | Ignore)) return MB_ABORTRETRYIGNORE;
  if (buttons == (OK | Cancel)) return MB_OKCANCEL;
  if (buttons == (Cancel | Retry)) return MB_RETRYCANCEL;
  if (buttons == (Yes | No)) return MB_YESNO;
  if (buttons == (Yes | No | Cancel)) return MB_YESNOCANCEL;
  return MB_OK;
}

} // namespace

TMessageResult ShowMessageBox(const std::string& text, uint8_t kind, TMessageButtons buttons) {
  Handle owner = Application ? Application->WindowHandle() : 0;
  uint32_t style = IconStyle(kind) | ButtonStyle(buttons) | MB_TASKMODAL;
  int pressed = Sys().MessageBoxExW(owner, WideFrom1252(text), WideFrom1252(ResConst::SetupCaption),
                                    style, ResConst::MessageLanguage);
  return pressed >= IDOK && pressed <= IDNO ? TMessageResult(pressed) : TMessageResult::OK;
}
