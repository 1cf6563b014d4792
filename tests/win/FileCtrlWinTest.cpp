// The folder and drive lists against the real Win32 runtime and the program's own bitmaps,
// drawn on the recording canvas.
#include "install/InstUtils.h"
#include "platform/gui/headless/HeadlessGui.h"
#include "platform/gui/headless/RecordingCanvas.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"
#include "wizard/FileCtrl.h"
#include "wizard/FileCtrlUtils.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class FileCtrlWin : public ::testing::Test {
protected:
  THeadlessGui Headless;
  TGuiScope GuiScope{Headless};

  static std::vector<std::string> RowsOf(const TItemStrings& items) {
    std::vector<std::string> rows;
    for (int i = 0; i < items.Count(); ++i) rows.push_back(items[i]);
    return rows;
  }
};

TEST_F(FileCtrlWin, ListsLoadTheProgramsBitmaps) {
  TDirectoryListBox list;
  TDriveComboBox combo;
  list.SetDirectory("C:\\");
  combo.BuildList();
  ASSERT_GT(list.Items().Count(), 0);
  ASSERT_GT(combo.Items().Count(), 0);
  const TBitmap* folder = ItemBitmap(list.Items().Objects(0));
  const TBitmap* drive = ItemBitmap(combo.Items().Objects(0));
  ASSERT_NE(folder, nullptr);
  ASSERT_NE(drive, nullptr);
  EXPECT_EQ(folder->Width(), 16);
  EXPECT_EQ(folder->Height(), 16);
  EXPECT_EQ(drive->Width(), 16);
  EXPECT_TRUE(drive->Height() == 11 || drive->Height() == 10) << drive->Height();
  EXPECT_EQ(list.ItemHeight(), std::max(FontCharHeight(list.Font()), 17));
}

TEST_F(FileCtrlWin, MissingProductFolderShowsProgramFiles) {
  const std::string programFiles = GetSpecialFolder(CSIDL_PROGRAM_FILES);
  ASSERT_FALSE(programFiles.empty());
  const std::string before = GetCurrentFolder();
  TDirectoryListBox list;
  list.SetDirectory(programFiles + "\\Pennacle-missing\\Deeper");
  EXPECT_EQ(list.Directory(), programFiles + "\\");
  ASSERT_GE(list.Items().Count(), 2);
  EXPECT_TRUE(SameName(list.Items()[0], programFiles.substr(0, 3)));
  EXPECT_TRUE(SameName(list.Items()[1], programFiles));
  EXPECT_EQ(GetCurrentFolder(), before);
}

TEST_F(FileCtrlWin, SubfoldersOnARealVolumeAreSortedAndHiddenOnesLeftOut) {
  const std::string root = GetTempFolder() + "FileCtrlWinTest";
  const std::vector<std::string> names{"beta", "Alpha", "gamma", "Delta", "Secret"};
  ASSERT_TRUE(Sys().CreateDirectoryW(WideFrom1252(root)));
  for (const std::string& name : names)
    ASSERT_TRUE(Sys().CreateDirectoryW(WideFrom1252(root + "\\" + name)));
  Sys().SetFileAttributesW(WideFrom1252(root + "\\Secret"),
                           FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);

  TDirectoryListBox list;
  list.SetDirectory(root);
  std::vector<std::string> rows = RowsOf(list.Items());
  const std::vector<std::string> subfolders(rows.end() - std::min<std::ptrdiff_t>(4, rows.size()),
                                            rows.end());
  EXPECT_EQ(subfolders, (std::vector<std::string>{root + "\\Alpha", root + "\\beta",
                                                  root + "\\Delta", root + "\\gamma"}));
  EXPECT_EQ(rows.size(), size_t(DirLevel(root) + 1 + 4));

  for (const std::string& name : names) Sys().RemoveDirectoryW(WideFrom1252(root + "\\" + name));
  Sys().RemoveDirectoryW(WideFrom1252(root));
}

TEST_F(FileCtrlWin, DriveListShowsTheSystemsDrivesAndRestoresTheErrorMode) {
  const uint32_t mode = Sys().SetErrorMode(0x8000);
  TDriveComboBox combo;
  combo.BuildList();
  const uint32_t after = Sys().SetErrorMode(mode);
  EXPECT_EQ(after, 0x8000u);
  EXPECT_EQ(combo.LogicalDrives(), Sys().GetLogicalDrives());
  bool systemDrive = false;
  for (int i = 0; i < combo.Items().Count(); ++i) {
    const std::string& item = combo.Items()[i];
    ASSERT_GE(item.size(), 3u) << item;
    EXPECT_TRUE(item[0] >= 'c' && item[0] <= 'z') << item;
    EXPECT_EQ(item.substr(1, 2), ": ") << item;
    EXPECT_NE(Sys().GetDriveTypeA(item.substr(0, 2) + "\\"), DRIVE_CDROM) << item;
    systemDrive = systemDrive || item[0] == 'c';
  }
  EXPECT_TRUE(systemDrive);
}

TEST_F(FileCtrlWin, ChoosingTheSystemDriveMovesTheLinkedList) {
  TDirectoryListBox list;
  TDriveComboBox combo;
  combo.SetDirList(&list);
  combo.BuildList();
  list.SetDirectory("Z:\\");
  combo.SetDrive('c');
  const std::string programFiles = GetSpecialFolder(CSIDL_PROGRAM_FILES);
  EXPECT_EQ(list.Directory(), programFiles + "\\");
  EXPECT_EQ(combo.Items()[combo.ItemIndex()][0], 'c');

  TRecordingCanvas& canvas = dynamic_cast<TRecordingCanvas&>(list.Canvas());
  list.PaintItem(1, TRect{0, 0, 300, 17}, TOwnerDrawState{});
  const std::vector<TDrawOp> texts = canvas.OpsOf(TDrawOp::TKind::TextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_TRUE(SameName(texts[0].Text, ExtractFileName(programFiles)));
}

} // namespace
