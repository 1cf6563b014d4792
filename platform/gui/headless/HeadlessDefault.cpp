// The host build's backend: no window system.
#include "platform/gui/headless/HeadlessGui.h"

TGuiBackend& DefaultGui() {
  static THeadlessGui gui;
  return gui;
}
