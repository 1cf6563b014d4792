#pragma once
// A fresh simulated machine and a fresh headless backend per test, in every build.

#include "SimTest.h"

#include "platform/gui/headless/HeadlessGui.h"
#include "platform/gui/headless/RecordingCanvas.h"

class GuiTest : public SimTest {
protected:
  THeadlessGui Headless;
  TGuiScope GuiScope{Headless};

  static TRecordingCanvas& Recorded(TCanvas& canvas) {
    return dynamic_cast<TRecordingCanvas&>(canvas);
  }
};
