#pragma once
// The folder and drive lists on a form of the headless backend, over a fresh simulated
// machine that holds the lists' bitmaps as tiny 16-colour resources.

#include "SimTest.h"

#include "platform/gui/Forms.h"
#include "platform/gui/headless/HeadlessGui.h"
#include "platform/gui/headless/RecordingCanvas.h"
#include "wizard/FileCtrl.h"
#include "wizard/FileCtrlUtils.h"

#include <string>
#include <vector>

// The palette index of a bitmap's top-left pixel: each test bitmap has its own.
enum TBitmapMark { MarkOpen = 1, MarkClosed = 2, MarkFixed = 3, MarkRemovable = 4 };
int MarkOf(const TBitmap* bitmap);

// A packed 4-bit DIB as a bitmap resource holds it, bottom-up.
std::string FourBitDib(int width, int height, int mark);
// The four bitmaps of the lists in their usual sizes.
void AddListBitmaps(SimSystem& machine);

class FileCtrlTest : public SimTest {
protected:
  FileCtrlTest();
  // Registers the resource bitmap before a control loads it.
  void SetBitmap(const char* name, int width, int height, int mark);

  TDirectoryListBox& NewList();
  TDriveComboBox& NewCombo();
  // The windows of every control made so far.
  void CreateWindows() { Form.HandleNeeded(); }

  static std::vector<std::string> RowsOf(const TItemStrings& items);
  static TRecordingCanvas& Recorder(TCanvas& canvas);

  THeadlessGui Headless;
  TGuiScope GuiScope{Headless};
  TForm Form;
};
