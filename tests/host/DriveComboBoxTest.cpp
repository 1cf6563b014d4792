// The drive list: which drives it lists and how, choosing a drive, the link with a folder
// list, and how items are drawn.
#include "FileCtrlFixture.h"

#include "platform/gui/FormReader.h"
#include "platform/os/WinConst.h"
#include "wizard/ResConst.h"

#include <stdexcept>

namespace {

using RowList = std::vector<std::string>;

class DriveComboTest : public FileCtrlTest {
protected:
  int IndexOf(const TDriveComboBox& combo, char letter) {
    for (int i = 0; i < combo.Items().Count(); ++i)
      if (combo.Items()[i][0] == letter) return i;
    return -1;
  }
  // SetErrorMode answers the mode it replaces; putting it straight back leaves it as it was.
  uint32_t ErrorModeNow() {
    const uint32_t mode = Sim.SetErrorMode(0);
    Sim.SetErrorMode(mode);
    return mode;
  }
};

TEST_F(DriveComboTest, ListsDrivesFromCToZWithoutCdRoms) {
  Sim.AddDrive('A', DRIVE_REMOVABLE).Label = "FLOPPY";
  Sim.AddDrive('D', DRIVE_CDROM).Label = "DVD";
  Sim.AddDrive('E', DRIVE_REMOVABLE).Label = "BACKUP";
  TSimDrive& network = Sim.AddDrive('F', DRIVE_REMOTE);
  network.RemoteName = "\\\\srv\\data";
  network.Label = "Shared";
  TSimDrive& usbDisk = Sim.AddDrive('G', DRIVE_FIXED); // an external disk on USB
  usbDisk.Label = "Photos";
  usbDisk.BusType = 7;
  Sim.AddDrive('Z', DRIVE_FIXED).Label = "Last";

  TDriveComboBox& combo = NewCombo();
  combo.BuildList();

  EXPECT_EQ(RowsOf(combo.Items()), (RowList{"c: [windows]", "e: [backup]", "f: \\\\srv\\data",
                                            "g: [photos]", "z: [last]"}));
  const int marks[] = {MarkFixed, MarkRemovable, MarkFixed, MarkRemovable, MarkFixed};
  for (int i = 0; i < combo.Items().Count(); ++i)
    EXPECT_EQ(MarkOf(ItemBitmap(combo.Items().Objects(i))), marks[i]) << i;
  EXPECT_EQ(combo.LogicalDrives(),
            (1u << 0) | (1u << 2) | (1u << 3) | (1u << 4) | (1u << 5) | (1u << 6) | (1u << 25));

  // A rebuild starts over and reads the mask again.
  Sim.RemoveDrive('E');
  combo.BuildList();
  EXPECT_EQ(RowsOf(combo.Items()),
            (RowList{"c: [windows]", "f: \\\\srv\\data", "g: [photos]", "z: [last]"}));
  EXPECT_EQ(combo.LogicalDrives() & (1u << 4), 0u);
}

TEST_F(DriveComboTest, ItemNamesTheVolumeOrTheShare) {
  // Share names longer than the 260 characters the name buffer holds are not cut to fit.
  const std::string share260 = "\\\\SRV\\" + std::string(254, 'S');
  const std::string share261 = share260 + "S";
  const std::string shown260 = "e: " + AnsiLowerCase(share260);
  struct Case {
    uint32_t type;
    const char* label;
    bool media;
    const char* remote;
    const char* item;
  } cases[] = {
      {DRIVE_FIXED, "", true, "", "e: "},
      {DRIVE_FIXED, "Data Disk", true, "", "e: [data disk]"},
      {DRIVE_REMOVABLE, "CARD", false, "", "e: "},
      {DRIVE_REMOTE, "Net", true, "\\\\SRV\\Data", "e: \\\\srv\\data"},
      {DRIVE_REMOTE, "Net", true, "", "e: [net]"}, // not connected: the volume's own name
      {DRIVE_FIXED, "\xC9T\xC9", true, "", "e: [\xE9t\xE9]"},
      {DRIVE_REMOTE, "Net", true, share260.c_str(), shown260.c_str()},
      {DRIVE_REMOTE, "Net", true, share261.c_str(), "e: [net]"},
  };
  for (const Case& c : cases) {
    TSimDrive& drive = Sim.AddDrive('E', c.type);
    drive.Label = c.label;
    drive.MediaPresent = c.media;
    drive.RemoteName = c.remote;
    TDriveComboBox& combo = NewCombo();
    combo.BuildList();
    const int index = IndexOf(combo, 'e');
    ASSERT_GE(index, 0) << c.item;
    EXPECT_EQ(combo.Items()[index], c.item);
  }
}

TEST_F(DriveComboTest, CriticalErrorBoxesAreOffWhileVolumesAreAsked) {
  Sim.AddDrive('E', DRIVE_REMOVABLE).MediaPresent = false;
  Sim.SetErrorMode(0x8000);
  std::vector<uint32_t> modes;
  Sim.BeforeCall = [&](SimCall call, const std::string&) {
    if (call == SimCall::GetVolumeInformation) modes.push_back(ErrorModeNow());
  };
  TDriveComboBox& combo = NewCombo();
  combo.BuildList();
  EXPECT_EQ(modes, (std::vector<uint32_t>{SEM_FAILCRITICALERRORS, SEM_FAILCRITICALERRORS}));
  EXPECT_EQ(ErrorModeNow(), 0x8000u);

  // Restored also when the query does not come back.
  Sim.BeforeCall = [](SimCall call, const std::string&) {
    if (call == SimCall::GetVolumeInformation) throw std::runtime_error("volume query");
  };
  EXPECT_THROW(combo.BuildList(), std::runtime_error);
  EXPECT_EQ(ErrorModeNow(), 0x8000u);
}

TEST_F(DriveComboTest, SetDriveSelectsTheDriveAndMovesTheFolderList) {
  Sim.AddDrive('E', DRIVE_REMOVABLE).Label = "BACKUP";
  Sim.MakeDirs("C:\\Users\\Ann");
  TDirectoryListBox& list = NewList();
  TDriveComboBox& combo = NewCombo();
  combo.SetDirList(&list);
  int listChanges = 0, comboChanges = 0;
  list.OnChange = [&](TObject*) { ++listChanges; };
  combo.OnChange = [&](TObject*) { ++comboChanges; };
  CreateWindows();
  list.SetDirectory("C:\\Users\\Ann");
  listChanges = comboChanges = 0;

  combo.SetDrive('E');
  EXPECT_EQ(combo.Drive(), 'e');
  EXPECT_EQ(combo.ItemIndex(), IndexOf(combo, 'e'));
  EXPECT_EQ(list.Directory(), "e:\\");
  EXPECT_EQ(listChanges, 1);
  EXPECT_EQ(comboChanges, 1);

  for (char same : {'e', 'E'}) combo.SetDrive(same);
  EXPECT_EQ(listChanges, 1);
  EXPECT_EQ(comboChanges, 1);

  combo.SetDrive('x'); // no such item: the selection stays
  EXPECT_EQ(combo.Drive(), 'x');
  EXPECT_EQ(combo.ItemIndex(), IndexOf(combo, 'e'));
  EXPECT_EQ(list.Directory(), "x:\\");

  combo.SetDrive('c');
  EXPECT_EQ(combo.ItemIndex(), IndexOf(combo, 'c'));
  EXPECT_EQ(list.Directory(), "C:\\Program Files\\");
  EXPECT_EQ(listChanges, 3);
  EXPECT_EQ(comboChanges, 3);

  // With nothing selected the same drive is chosen again.
  combo.SetItemIndex(-1);
  combo.SetDrive('c');
  EXPECT_EQ(combo.ItemIndex(), IndexOf(combo, 'c'));
  EXPECT_EQ(comboChanges, 4);
}

TEST_F(DriveComboTest, PickingAnItemChoosesItsDrive) {
  Sim.AddDrive('E', DRIVE_REMOVABLE).Label = "BACKUP";
  TDirectoryListBox& list = NewList();
  TDriveComboBox& combo = NewCombo();
  combo.SetDirList(&list);
  int listChanges = 0;
  list.OnChange = [&](TObject*) { ++listChanges; };
  CreateWindows();
  list.SetDirectory("C:\\Users");

  combo.UserSelect(IndexOf(combo, 'e'));
  EXPECT_EQ(combo.Drive(), 'e');
  EXPECT_EQ(list.Directory(), "e:\\");
  EXPECT_EQ(listChanges, 2);

  combo.UserSelect(IndexOf(combo, 'e'));
  EXPECT_EQ(listChanges, 2);
}

TEST_F(DriveComboTest, FolderListMovesTheDriveListWithoutMovingItself) {
  Sim.AddDrive('E', DRIVE_REMOVABLE).Label = "BACKUP";
  Sim.MakeDirs("E:\\Work");
  TDirectoryListBox& list = NewList();
  TDriveComboBox& combo = NewCombo();
  combo.SetDirList(&list);
  CreateWindows();
  int listChanges = 0;
  list.OnChange = [&](TObject*) { ++listChanges; };
  std::vector<std::string> seenDuringMove;
  combo.OnChange = [&](TObject*) {
    EXPECT_TRUE(list.InSetDirectory());
    seenDuringMove.push_back(list.Directory());
  };

  list.SetDirectory("E:\\Work");
  EXPECT_EQ(combo.Drive(), 'e');
  EXPECT_EQ(combo.ItemIndex(), IndexOf(combo, 'e'));
  EXPECT_EQ(seenDuringMove, (RowList{"E:\\Work"}));
  EXPECT_EQ(list.Directory(), "E:\\Work");
  EXPECT_EQ(listChanges, 1);
  EXPECT_FALSE(list.InSetDirectory());

  // A folder on the same drive leaves the drive list alone.
  list.SetDirectory("E:\\");
  EXPECT_EQ(seenDuringMove.size(), 1u);

  combo.OnChange = [](TObject*) { throw std::runtime_error("drive list"); };
  EXPECT_THROW(list.SetDirectory("C:\\Users"), std::runtime_error);
  EXPECT_FALSE(list.InSetDirectory());
}

TEST_F(DriveComboTest, LinkIsKeptOnBothSides) {
  auto first = std::make_unique<TDirectoryListBox>();
  auto second = std::make_unique<TDirectoryListBox>();
  auto combo = std::make_unique<TDriveComboBox>();
  auto other = std::make_unique<TDriveComboBox>();

  combo->SetDirList(first.get());
  EXPECT_EQ(first->DriveCombo(), combo.get());
  combo->SetDirList(second.get());
  EXPECT_EQ(first->DriveCombo(), nullptr);
  EXPECT_EQ(second->DriveCombo(), combo.get());

  // A list follows one drive list: linking it elsewhere unlinks the first.
  other->SetDirList(second.get());
  EXPECT_EQ(combo->DirList(), nullptr);
  EXPECT_EQ(second->DriveCombo(), other.get());

  second.reset();
  EXPECT_EQ(other->DirList(), nullptr);
  other->SetDrive('c'); // must not reach the destroyed list

  combo->SetDirList(first.get());
  combo.reset();
  EXPECT_EQ(first->DriveCombo(), nullptr);
  first->SetDirectory("C:\\Users"); // must not reach the destroyed drive list
  EXPECT_EQ(first->Directory(), "C:\\Users");
}

TEST_F(DriveComboTest, WindowCreationBuildsTheListAndSelectsTheDrive) {
  TDirectoryListBox& list = NewList();
  TDriveComboBox& combo = NewCombo();
  combo.SetDirList(&list);
  list.SetDirectory("C:\\Program Files\\Pennacle");
  EXPECT_EQ(combo.Drive(), 'c');
  EXPECT_EQ(combo.Items().Count(), 0);

  CreateWindows();
  EXPECT_EQ(RowsOf(combo.Items()), (RowList{"c: [windows]"}));
  EXPECT_EQ(combo.ItemIndex(), 0);
  EXPECT_EQ(list.Directory(), "C:\\Program Files\\");
  EXPECT_EQ(list.ItemIndex(), 1);

  // Without a drive chosen, nothing is selected.
  TDriveComboBox& idle = NewCombo();
  idle.HandleNeeded();
  EXPECT_EQ(idle.Items().Count(), 1);
  EXPECT_EQ(idle.ItemIndex(), -1);
}

TEST_F(DriveComboTest, ItemsAreDrawnOnTheWindowColourWithTheirBitmap) {
  SetBitmap(ResConst::ResRemovableDrive, 12, 10, MarkRemovable);
  Sim.AddDrive('E', DRIVE_REMOVABLE).Label = "BACKUP";
  TDriveComboBox& combo = NewCombo();
  combo.BuildList();
  combo.SetItemIndex(1);
  TRecordingCanvas& canvas = Recorder(combo.Canvas());

  struct Case {
    int index, bitmapWidth, bitmapHeight, mark;
    TOwnerDrawState state;
  } cases[] = {{0, 16, 11, MarkFixed, {}}, {1, 12, 10, MarkRemovable, {odSelected}}};
  const TRect rect{4, 30, 200, 47};
  for (const Case& c : cases) {
    canvas.Clear();
    combo.PaintItem(c.index, rect, c.state);
    const TColor brush = canvas.Brush.Color, font = canvas.Font.Color();
    ASSERT_EQ(canvas.Ops.size(), 3u) << c.index;
    const TDrawOp& fill = canvas.Ops[0];
    EXPECT_EQ(fill.Kind, TDrawOp::TKind::FillRect);
    EXPECT_EQ(fill.Rect, rect);
    EXPECT_EQ(fill.BrushColor, clWindow) << c.index;
    const TDrawOp& bitmap = canvas.Ops[1];
    ASSERT_EQ(bitmap.Kind, TDrawOp::TKind::Draw);
    EXPECT_EQ(bitmap.Pos, (TPoint{6, 30 + (17 - c.bitmapHeight) / 2})) << c.index;
    EXPECT_EQ(MarkOf(bitmap.Bitmap), c.mark);
    EXPECT_TRUE(bitmap.Transparent);
    const TDrawOp& text = canvas.Ops[2];
    ASSERT_EQ(text.Kind, TDrawOp::TKind::DrawText);
    EXPECT_EQ(text.Rect, (TRect{4 + c.bitmapWidth + 6, 30, 200, 47})) << c.index;
    EXPECT_EQ(text.Text, combo.Items()[c.index]);
    EXPECT_EQ(text.Flags, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    EXPECT_EQ(text.FontColor, clWindowText);
    // The colours the list set for the item's state are back afterwards.
    const bool selected = c.state.Contains(odSelected);
    EXPECT_EQ(brush, selected ? clHighlight : clWindow) << c.index;
    EXPECT_EQ(font, selected ? clHighlightText : combo.Font().Color()) << c.index;
  }
}

TEST_F(DriveComboTest, ItemHeightFitsTheFontAndTheFixedDrive) {
  const int font = FontCharHeight(TFont());
  EXPECT_EQ(NewCombo().ItemHeight(), std::max(font + 4, 11));
  SetBitmap(ResConst::ResFixedDrive, 16, 30, MarkFixed);
  EXPECT_EQ(NewCombo().ItemHeight(), 30);
}

// The two classes known to the form reader for one test.
class TRegisteredLists {
public:
  TRegisteredLists() {
    RegisterClass<TDirectoryListBox>("TDirectoryListBox");
    RegisterClass<TDriveComboBox>("TDriveComboBox");
  }
  ~TRegisteredLists() {
    UnregisterClass("TDirectoryListBox");
    UnregisterClass("TDriveComboBox");
  }
  TRegisteredLists(const TRegisteredLists&) = delete;
  TRegisteredLists& operator=(const TRegisteredLists&) = delete;
};

class TListsForm : public TForm {
public:
  TListsForm() {
    PublishField("Folders", Folders);
    PublishField("Drives", Drives);
    PublishHandler("FoldersChange", &TListsForm::FoldersChange);
  }
  void FoldersChange(TObject*) { ++Changes; }
  TDirectoryListBox* Folders = nullptr;
  TDriveComboBox* Drives = nullptr;
  int Changes = 0;
};

TEST_F(DriveComboTest, FormDescriptionLinksTheListsAndBindsTheChangeHandler) {
  TRegisteredLists registered;
  TListsForm form;
  form.ReadFormText("object ListsForm: TListsForm\n"
                    "  object Folders: TDirectoryListBox\n"
                    "    ItemHeight = 17\n"
                    "    OnChange = FoldersChange\n"
                    "  end\n"
                    "  object Drives: TDriveComboBox\n"
                    "    DirList = Folders\n"
                    "  end\n"
                    "end\n",
                    "TListsForm");
  ASSERT_NE(form.Folders, nullptr);
  ASSERT_NE(form.Drives, nullptr);
  EXPECT_EQ(form.Drives->DirList(), form.Folders);
  EXPECT_EQ(form.Folders->DriveCombo(), form.Drives);
  form.Folders->SetDirectory("C:\\Users");
  EXPECT_EQ(form.Changes, 1);
  EXPECT_EQ(form.Drives->Drive(), 'c');
}

TEST_F(DriveComboTest, DirListMustNameAFolderList) {
  TRegisteredLists registered;
  TForm form;
  EXPECT_THROW(form.ReadFormText("object F: TForm\n"
                                 "  object Drives: TDriveComboBox\n"
                                 "    DirList = Other\n"
                                 "  end\n"
                                 "  object Other: TDriveComboBox\n"
                                 "  end\n"
                                 "end\n",
                                 "TForm"),
               EFormError);
}

} // namespace
