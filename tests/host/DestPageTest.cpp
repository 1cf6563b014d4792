// The destination page: initial folder, -D, the normal form of a typed folder, the folder
// list feeding the edit box, and the drive poll.
#include "WizardFixture.h"

namespace {

using namespace Wizard;

class DestPageTest : public WizardTest {};

TEST_F(DestPageTest, NormalizeDestDirTable) {
  Create();
  ASSERT_EQ(Form->DestDirCmbBx->Drive(), 'c');
  struct Case {
    const char* typed;
    const char* normal;
  } cases[] = {{"  D:\\Apps  ", "D:\\Apps"},
               {"D:\\Apps\\", "D:\\Apps"},
               {"D:\\Apps\\\\", "D:\\Apps\\Pennacle"},
               {"D:\\", "D:\\Pennacle"},
               {"D:", "D:\\Pennacle"},
               {"Apps", "c:\\Pennacle"},
               {"\\Apps", "c:\\Pennacle"},
               {"", "c:\\Pennacle"},
               {"c:\\program files\\", "c:\\program files\\Pennacle"},
               {"C:\\Program Files\\Tools", "C:\\Program Files\\Tools"},
               {"\\\\server\\share\\", "\\\\server\\share"},
               {"\\\\server\\share\\Apps", "\\\\server\\share\\Apps"},
               {"\\\\", "c:\\Pennacle"}, // a server and a share, or no drive part
               {"\\\\server", "c:\\Pennacle"},
               {"\\\\server\\", "c:\\Pennacle"},
               {"\tD:\\Apps", "c:\\Pennacle"}}; // only blanks are trimmed
  for (const Case& c : cases) {
    Form->DestDirEdt->SetText(c.typed);
    Form->NormalizeDestDir();
    EXPECT_EQ(Form->DestDirEdt->Text(), c.normal) << "typed '" << c.typed << "'";
  }
}

TEST_F(DestPageTest, TheInitialFolderComesFromTheRegistryTheDefaultOrTheSwitch) {
  struct Case {
    const char* saved; // MAINDIR, or null
    const char* parameters;
    const char* dest;
  } cases[] = {{nullptr, "", DefaultDest},
               {"C:\\Apps", "", "C:\\Apps"},
               {"C:\\Gone", "", DefaultDest},
               {"", "", DefaultDest},
               {"C:\\Apps", "-DX:\\One /dY:\\Two", "X:\\One"},
               {nullptr, "-s \"-DC:\\My Apps\\Pen\"", "C:\\My Apps\\Pen"},
               {nullptr, "-D", ""},
               {nullptr, "-x -Dd", "d"}};
  Sim.MakeDirs("C:\\Apps");
  for (const Case& c : cases) {
    if (c.saved) Sim.SetRegString(InstallKey, "MAINDIR", c.saved);
    Create(false, c.parameters);
    EXPECT_EQ(Form->DestDir(), c.dest) << c.parameters;
    EXPECT_EQ(Form->DestDirEdt->Text(), c.dest) << c.parameters;
    Form.reset();
    Files.reset();
  }
}

TEST_F(DestPageTest, AFolderOnAMissingDriveStaysInTheEditBox) {
  Create(false, "-DX:\\One");
  EXPECT_EQ(Form->DestDirEdt->Text(), "X:\\One");
  EXPECT_EQ(Form->DestDirLstBx->Directory(), "X:\\");
  WalkTo(3);
  EXPECT_EQ(Form->DestDir(), "X:\\One");
}

TEST_F(DestPageTest, AFolderWithoutADriveIsShownAsTypedAndNormalizedOnLeaving) {
  Create(false, "-DApps");
  EXPECT_EQ(Form->DestDirEdt->Text(), "Apps");
  WalkTo(3);
  EXPECT_EQ(Form->DestDir(), "c:\\Pennacle");
}

TEST_F(DestPageTest, TheFolderListFillsTheEditBox) {
  Sim.MakeDirs("C:\\Users\\Ann");
  Create();
  WalkTo(2);
  TDirectoryListBox& list = *Form->DestDirLstBx;
  auto rowOf = [&list](const std::string& path) {
    for (int i = 0; i < list.Items().Count(); ++i)
      if (list.Items()[i] == path) return i;
    return -1;
  };
  struct Case {
    const char* row;
    const char* edit;
  } cases[] = {{"C:\\Program Files", "C:\\Program Files\\Pennacle"},
               {"C:\\", "C:\\Pennacle"},
               {"C:\\Users", "C:\\Users"},
               {"C:\\Users\\Ann", "C:\\Users\\Ann"}};
  for (const Case& c : cases) {
    int row = rowOf(c.row);
    ASSERT_GE(row, 0) << c.row;
    list.UserSelect(row);
    EXPECT_EQ(Form->DestDirEdt->Text(), c.edit) << c.row;
  }
  EXPECT_EQ(Form->DestDir(), DefaultDest) << "only Next takes the edit box over";
}

TEST_F(DestPageTest, TheDrivePollFollowsAStickBeingAttachedAndRemoved) {
  Create();
  WalkTo(2);
  Form->WMTimer(); // nothing changed: nothing happens
  EXPECT_EQ(Form->DestDirEdt->Text(), DefaultDest);

  TSimDrive& stick = Sim.AddDrive('E', DRIVE_REMOVABLE);
  stick.Label = "STICK";
  Form->WMTimer();
  EXPECT_EQ(Form->DestDirCmbBx->Drive(), 'e');
  EXPECT_EQ(Form->DestDirEdt->Text(), "e:\\Pennacle");

  Sim.RemoveDrive('E');
  Form->WMTimer();
  EXPECT_EQ(Form->DestDirCmbBx->Drive(), 'c');
  EXPECT_EQ(Form->DestDirEdt->Text(), "C:\\Program Files\\Pennacle");
}

TEST_F(DestPageTest, RemovingADriveThatIsNotShownKeepsTheSelection) {
  Sim.AddDrive('F', DRIVE_FIXED).Label = "DATA";
  Create();
  WalkTo(2);
  const std::string shown = Form->DestDirCmbBx->Items()[Form->DestDirCmbBx->ItemIndex()];
  Sim.RemoveDrive('F');
  Form->WMTimer();
  ASSERT_GE(Form->DestDirCmbBx->ItemIndex(), 0);
  EXPECT_EQ(Form->DestDirCmbBx->Items()[Form->DestDirCmbBx->ItemIndex()], shown);
  EXPECT_EQ(Form->DestDirEdt->Text(), DefaultDest);
}

TEST_F(DestPageTest, ThePollRunsOnEveryPageButOnlyNextTakesTheFolderOver) {
  Create();
  WalkTo(4);
  Sim.AddDrive('E', DRIVE_REMOVABLE);
  Form->WMTimer();
  EXPECT_EQ(Form->DestDirEdt->Text(), "e:\\Pennacle");
  EXPECT_EQ(Form->DestDir(), DefaultDest);
  Back();
  EXPECT_EQ(Form->DestDir(), DefaultDest);
}

TEST_F(DestPageTest, WithoutAProgramFilesFolderTheSystemDriveServes) {
  Sim.SetSpecialFolder(CSIDL_PROGRAM_FILES, "");
  Sim.AddDrive('D', DRIVE_FIXED);
  Sim.SetWindowsDirectory("D:\\Windows");
  Create();
  EXPECT_EQ(Form->DestDir(), "D:\\Pennacle");
  WalkTo(2);
  Sim.AddDrive('E', DRIVE_REMOVABLE);
  Form->WMTimer();
  EXPECT_EQ(Form->DestDirCmbBx->Drive(), 'e');
  Sim.RemoveDrive('E');
  Form->WMTimer(); // the shown drive went: back to the system drive
  EXPECT_EQ(Form->DestDirCmbBx->Drive(), 'd');
  Form.reset();
  Files.reset();
  Sim.SetWindowsDirectory(""); // not even that: C:
  Create();
  EXPECT_EQ(Form->DestDir(), "C:\\Pennacle");
}

} // namespace
