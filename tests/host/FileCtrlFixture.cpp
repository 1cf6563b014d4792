#include "FileCtrlFixture.h"

#include "wizard/ResConst.h"

#include <cstdint>

namespace {

void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += char(uint8_t(v >> (8 * i)));
}
void Put16(std::string& s, uint16_t v) {
  s += char(uint8_t(v));
  s += char(uint8_t(v >> 8));
}

} // namespace

int MarkOf(const TBitmap* bitmap) {
  return bitmap ? bitmap->ScanLine(0)[0] >> 4 : -1;
}

std::string FourBitDib(int width, int height, int mark) {
  const int stride = (width * 4 + 31) / 32 * 4;
  std::string dib;
  Put32(dib, 40);
  Put32(dib, uint32_t(width));
  Put32(dib, uint32_t(height));
  Put16(dib, 1);
  Put16(dib, 4);
  Put32(dib, 0);
  Put32(dib, uint32_t(stride * height));
  Put32(dib, 0);
  Put32(dib, 0);
  Put32(dib, 16);
  Put32(dib, 0);
  for (int i = 0; i < 16; ++i) Put32(dib, uint32_t(i * 0x101010));
  for (int row = 0; row < height; ++row) {
    std::string line(size_t(stride), '\0');
    // Bottom-up: the last stored row is the top one.
    if (row == height - 1) line[0] = char(mark << 4);
    dib += line;
  }
  return dib;
}

void AddListBitmaps(SimSystem& machine) {
  machine.AddResource("#2", ResConst::ResOpenFolder, FourBitDib(16, 16, MarkOpen));
  machine.AddResource("#2", ResConst::ResClosedFolder, FourBitDib(16, 16, MarkClosed));
  machine.AddResource("#2", ResConst::ResFixedDrive, FourBitDib(16, 11, MarkFixed));
  machine.AddResource("#2", ResConst::ResRemovableDrive, FourBitDib(16, 10, MarkRemovable));
}

FileCtrlTest::FileCtrlTest() {
  AddListBitmaps(Sim);
}

void FileCtrlTest::SetBitmap(const char* name, int width, int height, int mark) {
  Sim.AddResource("#2", name, FourBitDib(width, height, mark));
}

TDirectoryListBox& FileCtrlTest::NewList() {
  auto& list = Form.CreateOwned<TDirectoryListBox>();
  list.SetParent(&Form);
  list.SetBounds(11, 48, 345, 174);
  return list;
}

TDriveComboBox& FileCtrlTest::NewCombo() {
  auto& combo = Form.CreateOwned<TDriveComboBox>();
  combo.SetParent(&Form);
  combo.SetBounds(11, 225, 345, 19);
  return combo;
}

std::vector<std::string> FileCtrlTest::RowsOf(const TItemStrings& items) {
  std::vector<std::string> rows;
  for (int i = 0; i < items.Count(); ++i) rows.push_back(items[i]);
  return rows;
}

TRecordingCanvas& FileCtrlTest::Recorder(TCanvas& canvas) {
  return dynamic_cast<TRecordingCanvas&>(canvas);
}
