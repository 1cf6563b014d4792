// The folder list: where a move goes, which rows it shows, and how they are drawn.
#include "FileCtrlFixture.h"

#include "platform/os/WinConst.h"
#include "wizard/ResConst.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace {

// A machine that lists folder entries in the reverse of the simulated machine's order.
class TReversedListing : public SimSystem {
public:
  Handle FindFirstFileA(const std::string& pattern, TFindData& data) override {
    std::vector<TFindData> entries;
    TFindData entry;
    const Handle find = SimSystem::FindFirstFileA(pattern, entry);
    if (find == kInvalidHandle) return find;
    do entries.push_back(entry);
    while (SimSystem::FindNextFileA(find, entry));
    SimSystem::FindClose(find);
    std::reverse(entries.begin(), entries.end());
    data = entries.front();
    const Handle listing = NextListing++;
    Listings[listing] = {entries, 1};
    return listing;
  }
  bool FindNextFileA(Handle find, TFindData& data) override {
    auto it = Listings.find(find);
    if (it == Listings.end() || it->second.second >= it->second.first.size()) return false;
    data = it->second.first[it->second.second++];
    return true;
  }
  bool FindClose(Handle find) override { return Listings.erase(find) > 0; }

private:
  Handle NextListing = 0x51000000;
  std::map<Handle, std::pair<std::vector<TFindData>, size_t>> Listings;
};

using RowList = std::vector<std::string>;

class DirectoryListTest : public FileCtrlTest {
protected:
  TDirectoryListBox& List() {
    if (!FList) {
      FList = &NewList();
      FList->OnChange = [this](TObject*) { ++Changes; };
    }
    return *FList;
  }
  // The text and the drawing operations of one row painted as the window would.
  std::vector<TDrawOp> Paint(int row, const TRect& rect) {
    TRecordingCanvas& canvas = Recorder(List().Canvas());
    canvas.Clear();
    List().PaintItem(row, rect, TOwnerDrawState{});
    return canvas.Ops;
  }
  std::string DrawnText(int row) {
    for (const TDrawOp& op : Paint(row, TRect{0, 0, 300, 17}))
      if (op.Kind == TDrawOp::TKind::TextOut) return op.Text;
    return "(no text)";
  }
  int Changes = 0;

private:
  TDirectoryListBox* FList = nullptr;
};

TEST_F(DirectoryListTest, MissingFolderShowsItsNearestExistingAncestor) {
  Sim.MakeDirs("C:\\Program Files\\Internet");
  Sim.MakeDirs("C:\\Program Files\\Common Files");
  Sim.SetCurrentDirectoryA("C:\\Users");
  List();
  CreateWindows();

  List().SetDirectory("C:\\Program Files\\Pennacle");

  EXPECT_EQ(List().Directory(), "C:\\Program Files\\");
  EXPECT_EQ(RowsOf(List().Items()),
            (RowList{"C:\\", "C:\\Program Files", "C:\\Program Files\\Common Files",
                     "C:\\Program Files\\Internet"}));
  EXPECT_EQ(List().ItemIndex(), 1);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Sim.CurrentDirectory(), "C:\\Users");
}

TEST_F(DirectoryListTest, ClimbStopsAtTheFirstExistingFolderOrTheRoot) {
  Sim.MakeDirs("C:\\Program Files\\Common Files");
  const RowList programFiles{"C:\\", "C:\\Program Files", "C:\\Program Files\\Common Files"};
  struct Case {
    const char* path;
    const char* directory;
    RowList rows;
  } cases[] = {
      {"X:\\One", "X:\\", {"X:\\"}},
      {"X:\\One\\Two\\", "X:\\", {"X:\\"}},
      {"C:\\Program Files\\Pennacle\\Sub\\Deeper", "C:\\Program Files\\", programFiles},
      {"C:\\Program Files\\Common Files", "C:\\Program Files\\Common Files", programFiles},
      {"c:\\program files\\common files\\",
       "c:\\program files\\common files\\",
       {"c:\\", "c:\\program files", "c:\\program files\\common files"}},
      {"C:", "C:", {"C:", "C:\\Program Files", "C:\\ProgramData", "C:\\Users", "C:\\Windows"}},
      // A name ending in a colon has nothing to cut after it; the climb must still go on.
      {"C:\\Program Files\\Odd:", "C:\\Program Files\\", programFiles},
      {"C:\\Program Files\\Odd:\\More", "C:\\Program Files\\", programFiles},
  };
  // A climb that does not end fails here instead of hanging. Only the tests of the asked-for
  // path throw, never the restoring of the current folder after them.
  int folderTests = 0;
  Sim.BeforeCall = [&](SimCall call, const std::string& path) {
    if (call == SimCall::SetCurrentDirectory && path.find("Odd") != std::string::npos &&
        ++folderTests == 1000)
      throw std::runtime_error("the climb does not end");
  };
  for (const Case& c : cases) {
    TDirectoryListBox& list = NewList();
    folderTests = 0;
    ASSERT_NO_THROW(list.SetDirectory(c.path)) << c.path;
    EXPECT_EQ(list.Directory(), c.directory) << c.path;
    EXPECT_EQ(RowsOf(list.Items()), c.rows) << c.path;
  }
}

TEST_F(DirectoryListTest, PathWithoutDrivePartChangesNothing) {
  List().SetDirectory("C:\\Users");
  const RowList before = RowsOf(List().Items());
  const int finds = Sim.CallCount(SimCall::FindFirstFile);
  const int dirTests = Sim.CallCount(SimCall::SetCurrentDirectory);

  for (const char* path : {"Apps", "\\Apps", "", "Program Files\\Pennacle", ":"}) {
    List().SetDirectory(path);
    EXPECT_EQ(List().Directory(), "C:\\Users") << path;
    EXPECT_EQ(RowsOf(List().Items()), before) << path;
  }
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Sim.CallCount(SimCall::FindFirstFile), finds);
  EXPECT_EQ(Sim.CallCount(SimCall::SetCurrentDirectory), dirTests);

  // Before any move the list keeps its starting value, which matches no drive.
  TDirectoryListBox& fresh = NewList();
  fresh.SetDirectory("Apps");
  EXPECT_EQ(fresh.Directory(), std::string(1, '\0'));
  EXPECT_EQ(fresh.Items().Count(), 0);
}

TEST_F(DirectoryListTest, SameFolderFollowsTheVolumesCaseRule) {
  struct Case {
    uint32_t flags;
    const char* again;
    bool moves;
  } cases[] = {
      {FS_CASE_SENSITIVE | FS_CASE_IS_PRESERVED, "d:\\data", true},
      {FS_CASE_SENSITIVE, "D:\\DATA", true},
      {FS_CASE_IS_PRESERVED, "d:\\data", false},
      {0, "D:\\DATA", false},
      {FS_CASE_IS_PRESERVED, "D:\\Data", false},
      {FS_CASE_IS_PRESERVED, "D:\\Data\\", true},
  };
  for (const Case& c : cases) {
    Sim.AddDrive('D', DRIVE_FIXED).FileSystemFlags = c.flags;
    Sim.MakeDirs("D:\\Data");
    TDirectoryListBox& list = NewList();
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.SetDirectory("D:\\Data");
    list.SetDirectory(c.again);
    EXPECT_EQ(changes, c.moves ? 2 : 1) << c.flags << " " << c.again;
    EXPECT_EQ(list.Directory(), c.moves ? c.again : "D:\\Data") << c.flags << " " << c.again;
  }
}

TEST_F(DirectoryListTest, SelectingARowMovesIntoItsFolder) {
  Sim.MakeDirs("C:\\Program Files\\Common Files\\Shared");
  List();
  CreateWindows();
  List().SetDirectory("C:\\Program Files\\Pennacle");
  ASSERT_EQ(List().Directory(), "C:\\Program Files\\");

  // The climbed-to folder's row lacks the trailing backslash, so picking it is a move.
  List().UserSelect(1);
  EXPECT_EQ(List().Directory(), "C:\\Program Files");
  EXPECT_EQ(Changes, 2);

  List().UserSelect(2);
  EXPECT_EQ(List().Directory(), "C:\\Program Files\\Common Files");
  EXPECT_EQ(List().ItemIndex(), 2);
  EXPECT_EQ(RowsOf(List().Items()).back(), "C:\\Program Files\\Common Files\\Shared");
  EXPECT_EQ(Changes, 3);

  List().UserSelect(2); // the folder shown: nothing happens
  EXPECT_EQ(Changes, 3);

  List().UserSelect(3);
  EXPECT_EQ(List().Directory(), "C:\\Program Files\\Common Files\\Shared");
  EXPECT_EQ(List().ItemIndex(), 3);
  EXPECT_EQ(Changes, 4);

  List().UserSelect(0);
  EXPECT_EQ(List().Directory(), "C:\\");
  EXPECT_EQ(List().ItemIndex(), 0);
  EXPECT_EQ(List().Items()[1], "C:\\Program Files");
  EXPECT_EQ(Changes, 5);
}

TEST_F(DirectoryListTest, DriveChangeGoesToProgramFilesTheSamePathOrTheRoot) {
  Sim.AddDrive('E', DRIVE_FIXED);
  Sim.MakeDirs("C:\\Users\\Ann");
  struct Case {
    const char* addFolder; // made before this case and kept for the later ones
    const char* from;
    char letter;
    const char* directory;
  } cases[] = {
      {nullptr, "E:\\", 'c', "C:\\Program Files\\"},
      {nullptr, "C:\\Users\\Ann", 'e', "e:\\"},
      {nullptr, "C:\\Users\\Ann", 'x', "x:\\"},
      {"C:\\Program Files\\Pennacle", "E:\\", 'c', "C:\\Program Files\\Pennacle"},
      {nullptr, "E:\\", 'C', "C:\\Program Files\\Pennacle"},
      {"E:\\Users\\Ann", "C:\\Users\\Ann", 'e', "e:\\Users\\Ann"},
      {nullptr, "C:\\Users\\Ann", 'E', "E:\\Users\\Ann"},
  };
  for (const Case& c : cases) {
    if (c.addFolder) Sim.MakeDirs(c.addFolder);
    TDirectoryListBox& list = NewList();
    list.SetDirectory(c.from);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.DriveChange(c.letter);
    EXPECT_EQ(list.Directory(), c.directory) << c.from << " to " << c.letter;
    EXPECT_EQ(changes, 1) << c.from << " to " << c.letter;
    EXPECT_EQ(RowsOf(list.Items()).front(), std::string(c.directory).substr(0, 3))
        << c.from << " to " << c.letter;
  }
}

TEST_F(DirectoryListTest, DriveChangeToTheShownDriveOrToNoLetterDoesNothing) {
  List().SetDirectory("C:\\Users");
  const int finds = Sim.CallCount(SimCall::FindFirstFile);
  for (char letter : {'c', 'C', '\0', ' ', '\t'}) {
    List().DriveChange(letter);
    EXPECT_EQ(List().Directory(), "C:\\Users") << int(letter);
  }
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Sim.CallCount(SimCall::FindFirstFile), finds);
}

TEST_F(DirectoryListTest, WithoutProgramFilesADriveChangeKeepsThePath) {
  Sim.SetSpecialFolder(CSIDL_PROGRAM_FILES, "");
  Sim.AddDrive('E', DRIVE_FIXED);
  Sim.MakeDirs("E:\\Users\\Ann");
  Sim.MakeDirs("C:\\Users\\Ann");
  Sim.MakeDirs("E:\\Tools");
  List().SetDirectory("E:\\Users\\Ann");
  List().DriveChange('c');
  EXPECT_EQ(List().Directory(), "c:\\Users\\Ann");
  List().SetDirectory("E:\\Tools");
  List().DriveChange('c');
  EXPECT_EQ(List().Directory(), "c:\\");
  EXPECT_EQ(Changes, 4);
}

TEST_F(DirectoryListTest, SubfoldersAreSortedAndHiddenOrSystemOnesLeftOut) {
  for (const char* name : {"beta", "Alpha", "gamma", "Secret", "Sys"})
    Sim.MakeDirs(std::string("C:\\Data\\") + name);
  Sim.SetAttributes("C:\\Data\\Secret", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  Sim.SetAttributes("C:\\Data\\Sys", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM);
  Sim.PutFile("C:\\Data\\notes.txt", "x");

  List().SetDirectory("C:\\Data");
  EXPECT_EQ(RowsOf(List().Items()),
            (RowList{"C:\\", "C:\\Data", "C:\\Data\\Alpha", "C:\\Data\\beta", "C:\\Data\\gamma"}));
  for (int row = 0; row < List().Items().Count(); ++row)
    EXPECT_EQ(MarkOf(ItemBitmap(List().Items().Objects(row))), row < 2 ? MarkOpen : MarkClosed)
        << row;

  // A folder named with its trailing backslash gets no doubled one in its rows.
  List().SetDirectory("C:\\Data\\");
  EXPECT_EQ(List().Items()[2], "C:\\Data\\Alpha");
}

TEST_F(DirectoryListTest, SubfoldersAreSortedWhateverOrderTheSystemListsThem) {
  TReversedListing machine;
  TSystemScope scope(machine);
  AddListBitmaps(machine);
  for (const char* name : {"beta", "Alpha", "gamma", "Delta"})
    machine.MakeDirs(std::string("C:\\Data\\") + name);
  TDirectoryListBox list;
  list.SetDirectory("C:\\Data");
  // Case ignored: a byte order would put Delta before beta.
  EXPECT_EQ(RowsOf(list.Items()), (RowList{"C:\\", "C:\\Data", "C:\\Data\\Alpha", "C:\\Data\\beta",
                                           "C:\\Data\\Delta", "C:\\Data\\gamma"}));
  EXPECT_EQ(machine.OpenHandleCount(), 0u);
}

TEST_F(DirectoryListTest, UnreadableFolderShowsNoSubfolders) {
  Sim.MakeDirs("C:\\Data\\Inner");
  TSimFault fault;
  fault.Call = SimCall::FindFirstFile;
  fault.PathContains = "C:\\Data";
  Sim.AddFault(fault);
  List().SetDirectory("C:\\Data");
  EXPECT_EQ(RowsOf(List().Items()), (RowList{"C:\\", "C:\\Data"}));
  EXPECT_EQ(Changes, 1);
}

TEST_F(DirectoryListTest, VolumeFlagsDecideTheCaseOfTheRows) {
  struct Case {
    uint32_t flags;
    bool preserve, sensitive;
    const char* drive;
    const char* folder;
  } cases[] = {
      {0, false, false, "d:", "program files"},
      {FS_CASE_IS_PRESERVED, true, false, "D:", "Program Files"},
      {FS_CASE_SENSITIVE, true, true, "D:", "Program Files"},
      {FS_CASE_SENSITIVE | FS_CASE_IS_PRESERVED, true, true, "D:", "Program Files"},
  };
  for (const Case& c : cases) {
    Sim.AddDrive('D', DRIVE_FIXED).FileSystemFlags = c.flags;
    Sim.MakeDirs("D:\\Program Files");
    List().SetDirectory("C:\\");
    List().SetDirectory("D:\\Program Files");
    EXPECT_EQ(List().PreserveCase(), c.preserve) << c.flags;
    EXPECT_EQ(List().CaseSensitive(), c.sensitive) << c.flags;
    EXPECT_EQ(DrawnText(0), c.drive) << c.flags;
    EXPECT_EQ(DrawnText(1), c.folder) << c.flags;
  }
}

TEST_F(DirectoryListTest, VolumeThatCannotBeAskedCountsAsCasePreserving) {
  Sim.AddDrive('D', DRIVE_FIXED).FileSystemFlags = 0;
  Sim.AddDrive('E', DRIVE_REMOVABLE).MediaPresent = false;
  for (const char* path : {"E:\\Stuff", "X:\\One"}) {
    List().SetDirectory("D:\\");
    ASSERT_FALSE(List().PreserveCase());
    List().SetDirectory(path);
    EXPECT_TRUE(List().PreserveCase()) << path;
    EXPECT_FALSE(List().CaseSensitive()) << path;
    EXPECT_EQ(DrawnText(0), std::string(path).substr(0, 2)) << path;
  }
}

TEST_F(DirectoryListTest, RowsAreIndentedByLevelAndCentred) {
  // Sizes other than the usual 16 show which bitmap's size each position comes from.
  SetBitmap(ResConst::ResOpenFolder, 18, 14, MarkOpen);
  SetBitmap(ResConst::ResClosedFolder, 20, 12, MarkClosed);
  Sim.MakeDirs("C:\\Program Files\\Common Files\\Shared");
  Sim.MakeDirs("C:\\Program Files\\Common Files\\Tools");
  List().SetDirectory("C:\\Program Files\\Common Files");
  ASSERT_EQ(List().Items().Count(), 5);

  const TRect rect{5, 40, 300, 61}; // 21 high: bitmaps and text are centred in it
  struct Case {
    int row, indent, mark, bitmapWidth, bitmapTop;
    const char* text;
  } cases[] = {
      {0, 3, MarkOpen, 18, 43, "C:"},
      {1, 15, MarkOpen, 18, 43, "Program Files"},
      {2, 27, MarkOpen, 18, 43, "Common Files"},
      {3, 39, MarkClosed, 20, 44, "Shared"},
      {4, 39, MarkClosed, 20, 44, "Tools"},
  };
  const int textTop = 40 + (21 - Recorder(List().Canvas()).TextHeight("A")) / 2;
  for (const Case& c : cases) {
    const std::vector<TDrawOp> ops = Paint(c.row, rect);
    ASSERT_EQ(ops.size(), 3u) << c.row;
    EXPECT_EQ(ops[0].Kind, TDrawOp::TKind::FillRect);
    EXPECT_EQ(ops[0].Rect, rect);
    ASSERT_EQ(ops[1].Kind, TDrawOp::TKind::Draw);
    EXPECT_EQ(ops[1].Pos, (TPoint{5 + c.indent, c.bitmapTop})) << c.row;
    EXPECT_EQ(MarkOf(ops[1].Bitmap), c.mark) << c.row;
    EXPECT_TRUE(ops[1].Transparent);
    ASSERT_EQ(ops[2].Kind, TDrawOp::TKind::TextOut);
    EXPECT_EQ(ops[2].Pos, (TPoint{5 + c.bitmapWidth + c.indent + 4, textTop})) << c.row;
    EXPECT_EQ(ops[2].Text, c.text);
  }
}

TEST_F(DirectoryListTest, RowIsFilledWithTheBrushTheListSetsForItsState) {
  List();
  CreateWindows();
  List().SetDirectory("C:\\Users");
  TRecordingCanvas& canvas = Recorder(List().Canvas());
  for (int row : {0, 1}) {
    canvas.Clear();
    List().PaintItem(row);
    const std::vector<TDrawOp> fills = canvas.OpsOf(TDrawOp::TKind::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].BrushColor, row == List().ItemIndex() ? clHighlight : clWindow) << row;
  }
}

TEST_F(DirectoryListTest, ItemHeightFitsTheFontAndTheOpenFolder) {
  const int font = FontCharHeight(TFont());
  EXPECT_EQ(NewList().ItemHeight(), std::max(font, 17));
  SetBitmap(ResConst::ResOpenFolder, 16, 20, MarkOpen);
  EXPECT_EQ(NewList().ItemHeight(), std::max(font, 21));
}

TEST_F(DirectoryListTest, WindowCreationRebuildsAndSelectsTheFolderRow) {
  List().SetDirectory("C:\\Program Files\\Pennacle");
  EXPECT_EQ(List().ItemIndex(), -1); // no window, no selection
  Sim.MakeDirs("C:\\Program Files\\Added");

  CreateWindows();
  EXPECT_EQ(RowsOf(List().Items()),
            (RowList{"C:\\", "C:\\Program Files", "C:\\Program Files\\Added"}));
  EXPECT_EQ(List().ItemIndex(), DirLevel(List().Directory()));
  EXPECT_EQ(List().Directory(), "C:\\Program Files\\");

  // A list that was never moved has nothing to show.
  TDirectoryListBox& idle = NewList();
  idle.HandleNeeded();
  EXPECT_EQ(idle.Items().Count(), 0);
  EXPECT_EQ(idle.ItemIndex(), -1);
}

TEST_F(DirectoryListTest, ShareFolderSelectsItsOwnRow) {
  Sim.AddShare("\\\\srv\\data");
  Sim.MakeDirs("\\\\srv\\data\\Apps\\Tools");
  List();
  CreateWindows();
  List().SetDirectory("\\\\srv\\data\\Apps\\Missing");
  EXPECT_EQ(List().Directory(), "\\\\srv\\data\\Apps\\");
  EXPECT_EQ(RowsOf(List().Items()), (RowList{"\\\\", "\\\\srv", "\\\\srv\\data",
                                             "\\\\srv\\data\\Apps", "\\\\srv\\data\\Apps\\Tools"}));
  EXPECT_EQ(List().ItemIndex(), 3);
  const std::vector<TDrawOp> ops = Paint(4, TRect{0, 0, 300, 17});
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[1].Pos.X, 4 * 12 + 3); // one step below the share folder's row
}

TEST_F(DirectoryListTest, DirLevelCountsBackslashesBelowTheRoot) {
  struct Case {
    const char* path;
    int level;
  } cases[] = {{"C:\\", 0},
               {"C:", 0},
               {"", 0},
               {"C:\\Program Files", 1},
               {"C:\\Program Files\\", 1},
               {"C:\\Program Files\\Pennacle", 2},
               {"C:\\a\\\\", 2}};
  for (const Case& c : cases) EXPECT_EQ(DirLevel(c.path), c.level) << c.path;
}

} // namespace
