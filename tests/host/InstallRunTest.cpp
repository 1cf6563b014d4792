// The installation run: what goes where, what is logged, the stamp, the common data file,
// the shortcuts, the update log, portable installations, and failed files.
#include "WizardFixture.h"

#include "platform/rtl/StringList.h"

#include <algorithm>
#include <cstring>

namespace {

using namespace Wizard;

class InstallRunTest : public WizardTest {
protected:
  std::vector<std::string> LogLines(const std::string& file) const {
    TStringList lines;
    lines.SetText(Text(file));
    std::vector<std::string> out;
    for (int i = 0; i < lines.Count(); ++i) out.push_back(lines[i]);
    return out;
  }
  size_t ListSize(int id) const { return Files->ComponentFiles[size_t(id)].size(); }
  std::string Programs() const {
    return "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Pennacle Word Processor.lnk";
  }
  std::string UserPrograms() const {
    return "C:\\Users\\User\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\"
           "Pennacle Word Processor.lnk";
  }
  std::string Desktop() const { return "C:\\Users\\Public\\Desktop\\Pennacle Word Processor.lnk"; }
  std::string UserDesktop() const {
    return "C:\\Users\\User\\Desktop\\Pennacle Word Processor.lnk";
  }
};

TEST_F(InstallRunTest, AFullInstallationPutsEveryFileInItsPlace) {
  RunSilently();
  ASSERT_EQ(SetupExitCode, 0);
  EXPECT_EQ(Form->ModalResult(), mrOk);
  EXPECT_EQ(ListSize(0), 2u);
  EXPECT_EQ(ListSize(1), 10u);
  EXPECT_EQ(ListSize(2), 19u);
  EXPECT_EQ(ListSize(3), 242u);
  EXPECT_EQ(ListSize(4), 1u);
  EXPECT_EQ(Form->SelectedComponents(), 0x1F);

  EXPECT_EQ(Sim.FilesBelow(DefaultDest),
            (std::vector<std::string>{"C:\\Program Files\\Pennacle\\License.txt",
                                      "C:\\Program Files\\Pennacle\\pnc.exe"}));
  EXPECT_EQ(Sim.FilesBelow(ProofingRoot).size(), 10u);
  EXPECT_TRUE(Sim.FileExists(std::string(ProofingRoot) + "\\English (British).cache"));
  EXPECT_EQ(Text(std::string(ProofingRoot) + "\\English (British).cache"),
            Text(std::string(ProofingRoot) + "\\English (American).cache"));
  EXPECT_EQ(Sim.FilesBelow(std::string(PublicRoot) + "\\Templates").size(), 19u);
  EXPECT_EQ(Sim.FilesBelow(std::string(PublicRoot) + "\\Clip Library").size(), 242u);
  EXPECT_TRUE(Sim.FileExists(std::string(PublicRoot) + "\\Basic.snd"));
  // Every file carries its archive date, read back the way the update test reads it.
  for (const TAttachedFile& f : Files->Files) {
    if (f.FileName == "pnc.exe") {
      EXPECT_EQ(GetFileDate(DefaultDest + std::string("\\pnc.exe")), f.FileDate);
    }
    if (f.FileName == "Basic.snd") {
      EXPECT_EQ(GetFileDate(std::string(PublicRoot) + "\\Basic.snd"), f.FileDate);
    }
  }

  std::string stamp = Text(std::string(DataRoot) + "\\Hidden\\install_stamp");
  ASSERT_EQ(stamp.size(), 8u);
  double stamped;
  std::memcpy(&stamped, stamp.data(), 8);
  EXPECT_EQ(stamped, Form->InstallTime());
  EXPECT_EQ(stamped, Now());

  std::string common = Text(std::string(DataRoot) + "\\pnc_common.dat");
  ASSERT_EQ(common.size(), 16u);
  uint32_t head[2];
  double when;
  std::memcpy(head, common.data(), 8);
  std::memcpy(&when, common.data() + 8, 8);
  EXPECT_EQ(head[0], 1u);
  EXPECT_EQ(head[1], 8u);
  EXPECT_EQ(when, Now());

  auto programs = Sim.LinkAt(Programs());
  ASSERT_TRUE(programs);
  EXPECT_EQ(programs->Path, "C:\\Program Files\\Pennacle\\pnc.exe");
  EXPECT_EQ(programs->WorkingDirectory, DefaultDest);
  EXPECT_EQ(programs->Description,
            "Compact, fast-loading, but still powerful and efficient word processor.");
  EXPECT_TRUE(Sim.LinkAt(Desktop()));
  EXPECT_FALSE(Sim.FileExists(UserPrograms()));
}

TEST_F(InstallRunTest, TheInstallLogHoldsFoldersAndTheProgramFilesOnly) {
  RunSilently();
  SaveInstallLog();
  const std::vector<std::string> lines = LogLines(DefaultDest + std::string("\\Install.log"));
  const std::vector<std::string> expected = {
      "Made Dir: C:\\Program Files\\Pennacle\\",
      "File Copy: C:\\Program Files\\Pennacle\\pnc.exe",
      "File Copy: C:\\Program Files\\Pennacle\\License.txt",
      "File Copy: C:\\ProgramData\\Pennacle\\Public\\Basic.snd",
      "File Copy: " + Programs(),
      "File Copy: " + Desktop()};
  std::vector<std::string> files;
  for (const std::string& line : lines)
    if (line.compare(0, 11, "File Copy: ") == 0 || line == expected[0]) files.push_back(line);
  EXPECT_EQ(files, expected);
  for (const char* folder :
       {"Made Dir: C:\\ProgramData\\Pennacle\\", "Made Dir: C:\\ProgramData\\Pennacle\\Public\\",
        "Made Dir: C:\\ProgramData\\Pennacle\\Public\\Spellcheck\\",
        "Made Dir: C:\\ProgramData\\Pennacle\\Hidden\\"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), folder), lines.end()) << folder;
  for (const std::string& line : lines)
    EXPECT_EQ(line.find("Templates"), std::string::npos) << line;
}

TEST_F(InstallRunTest, TheMainComponentAloneStillMakesTheDataFolders) {
  Sim.SetRegDword(InstallKey, "COMPS (4.3.5)", 0);
  RunSilently();
  ASSERT_EQ(SetupExitCode, 0);
  EXPECT_EQ(Form->SelectedComponents(), 0x01);
  for (int id = 1; id < 5; ++id) EXPECT_EQ(ListSize(id), 0u) << id;
  EXPECT_TRUE(Sim.FolderExists(ProofingRoot));
  EXPECT_TRUE(Sim.FilesBelow(PublicRoot).empty());
  EXPECT_GE(InstallLog->IndexOf("Made Dir: C:\\ProgramData\\Pennacle\\Public\\Spellcheck\\"), 0);
  EXPECT_GE(InstallLog->IndexOf("Made Dir: C:\\ProgramData\\Pennacle\\Public\\"), 0);
}

TEST_F(InstallRunTest, TheUpdateLogListsThePublicFilesUnderOneMarker) {
  RunSilently();
  const std::vector<std::string> lines = LogLines(std::string(DataRoot) + "\\Update.log");
  ASSERT_EQ(lines.size(), 1u + 10 + 19 + 242 + 1);
  EXPECT_EQ(lines[0], UpdateLogMarkerLine(Form->InstallTime()));
  EXPECT_NE(std::find(lines.begin(), lines.end(), std::string(PublicRoot) + "\\Basic.snd"),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), std::string(ProofingRoot) + "\\userdicen.tlx\t!"),
            lines.end());
}

TEST_F(InstallRunTest, ASecondInstallationKeepsTheOldLogFirstAndAddsNoDuplicates) {
  RunSilently();
  SaveInstallLog();
  const std::string path = DefaultDest + std::string("\\Install.log");
  Sim.PutFile(path, "Made Dir: C:\\Somewhere\\\r\n" + Text(path));
  const size_t before = LogLines(path).size();
  Form.reset();
  Files.reset();
  Sim.AdvanceClock(36000000000ull); // an hour later
  RunSilently();
  ASSERT_EQ(SetupExitCode, 0);
  SaveInstallLog();
  const std::vector<std::string> lines = LogLines(path);
  EXPECT_EQ(lines.size(), before);
  EXPECT_EQ(lines[0], "Made Dir: C:\\Somewhere\\");
  // The update log ends with this installation's block alone.
  const std::vector<std::string> update = LogLines(std::string(DataRoot) + "\\Update.log");
  EXPECT_EQ(update[0], UpdateLogMarkerLine(Form->InstallTime()));
  EXPECT_EQ(std::count_if(update.begin(), update.end(),
                          [](const std::string& l) { return !l.empty() && l[0] == '*'; }),
            1);
}

TEST_F(InstallRunTest, AnEarlierLogThatCannotBeReadIsKeptAsItIs) {
  const std::string path = DefaultDest + std::string("\\Install.log");
  const std::string earlier = "Made Dir: C:\\Somewhere\\\r\nFile Copy: C:\\Somewhere\\a.dat\r\n";
  Sim.PutFile(path, earlier);
  Sim.AddFault(FaultOf(SimCall::ReadFile, "Install.log"));
  RunSilently();
  ASSERT_EQ(SetupExitCode, 0);
  Sim.ClearFaults();
  SaveInstallLog();
  EXPECT_EQ(Text(path), earlier);
}

TEST_F(InstallRunTest, ShortcutsForAnyoneReplaceTheCurrentUsersOnes) {
  Sim.PutFile(UserPrograms(), "old");
  Sim.PutFile(UserDesktop(), "old");
  RunSilently();
  EXPECT_TRUE(Sim.LinkAt(Programs()));
  EXPECT_TRUE(Sim.LinkAt(Desktop()));
  EXPECT_FALSE(Sim.FileExists(UserPrograms()));
  EXPECT_FALSE(Sim.FileExists(UserDesktop()));
}

TEST_F(InstallRunTest, ShortcutsForTheCurrentUserWithoutDesktopKeepTheirOwnDesktopOne) {
  Sim.SetRegDword(InstallKey, "INSTALLTOALL", 0);
  Sim.SetRegDword(InstallKey, "DSKSHORTCUT", 0);
  Sim.PutFile(Desktop(), "old");
  Sim.PutFile(UserDesktop(), "old");
  RunSilently();
  EXPECT_TRUE(Sim.LinkAt(UserPrograms()));
  EXPECT_FALSE(Sim.FileExists(Programs()));
  EXPECT_FALSE(Sim.FileExists(Desktop()));
  EXPECT_EQ(Text(UserDesktop()), "old");
}

TEST_F(InstallRunTest, APortableInstallationKeepsEverythingOnTheStick) {
  Sim.AddDrive('E', DRIVE_REMOVABLE);
  RunSilently("-DE:\\Pennacle");
  ASSERT_EQ(SetupExitCode, 0);
  const std::string root = "E:\\Pennacle";
  EXPECT_TRUE(Sim.FileExists(root + "\\pnc.exe"));
  EXPECT_TRUE(Sim.FileExists(root + "\\License.txt"));
  EXPECT_TRUE(Sim.FileExists(root + "\\Basic.snd"));
  EXPECT_TRUE(Sim.FileExists(root + "\\pnc_common.dat"));
  EXPECT_EQ(Sim.FilesBelow(root + "\\Spellcheck").size(), 10u);
  EXPECT_EQ(Sim.FilesBelow(root + "\\Templates").size(), 19u);
  EXPECT_EQ(Sim.FilesBelow(root + "\\Clip Library").size(), 242u);
  EXPECT_EQ(Sim.FilesBelow(root).size(), 2u + 10 + 19 + 242 + 1 + 1);
  EXPECT_FALSE(Sim.FolderExists(DataRoot));
  EXPECT_TRUE(Sim.SavedLinks().empty());
  EXPECT_EQ(Form->InstallTime(), 0.0);
  EXPECT_TRUE(InstallLogPath.empty());
  Form->SaveSettings();
  EXPECT_FALSE(Sim.KeyExists(UninstallKey));
  EXPECT_TRUE(Sim.RegValue(InstallKey, "MAINDIR"));
}

// The removable-media test is answered once when the installation starts: a device query that
// fails later (or a drive that stops answering) cannot make the rest of the run a fixed one.
TEST_F(InstallRunTest, APortableInstallationStaysPortableWhenTheVolumeStopsAnswering) {
  TSimDrive& usb = Sim.AddDrive('E', DRIVE_FIXED);
  usb.BusType = 7; // USB
  Sim.BeforeCall = [this](SimCall, const std::string&) {
    if (InstallStarted) Sim.Drive('E')->QueryPropertyWorks = false;
  };
  RunSilently("-DE:\\Pennacle");
  Sim.BeforeCall = nullptr;
  ASSERT_EQ(SetupExitCode, 0);
  EXPECT_FALSE(IsRemovablePath("E:\\Pennacle")); // what the volume answers now
  EXPECT_TRUE(Form->IsRemovableTarget());        // what the run keeps
  EXPECT_TRUE(Sim.FileExists("E:\\Pennacle\\pnc_common.dat"));
  EXPECT_FALSE(Sim.FolderExists(DataRoot));
  EXPECT_TRUE(Sim.SavedLinks().empty());
  EXPECT_EQ(Sim.FilesBelow("E:\\Pennacle").size(), 2u + 10 + 19 + 242 + 1 + 1);
  Form->SaveSettings();
  EXPECT_FALSE(Sim.KeyExists(UninstallKey));
}

TEST_F(InstallRunTest, RepeatingAPortableInstallationWritesOnlyWhatIsMissingOrChanged) {
  Sim.AddDrive('E', DRIVE_REMOVABLE);
  RunSilently("-DE:\\Pennacle");
  ASSERT_EQ(SetupExitCode, 0);
  const std::string root = "E:\\Pennacle";
  const std::string templ = root + "\\" + ArchiveName("Templates\\", 0);
  const std::string gone = root + "\\" + ArchiveName("Clip Library\\", 5);
  const std::string changed = root + "\\Spellcheck\\uk.zlx";
  Sim.PutFile(templ, "kept: only missing files are written");
  Sim.SetLastWriteTime(templ, Sim.LastWriteTime(root + "\\pnc.exe"));
  Sim.PutFile(changed, "a different date: written again");
  Sim.DeleteFileW(SimSystem::From1252(gone));
  Form.reset();
  Files.reset();
  RunSilently("-DE:\\Pennacle");
  ASSERT_EQ(SetupExitCode, 0);
  EXPECT_EQ(Text(templ), "kept: only missing files are written");
  EXPECT_TRUE(Sim.FileExists(gone));
  EXPECT_NE(Text(changed), "a different date: written again");
  size_t entries = 0;
  for (int id = 0; id < 5; ++id) entries += ListSize(id);
  EXPECT_EQ(entries, 2u) << "the missing and the changed file";
}

TEST_F(InstallRunTest, AbortOnAFileEndsTheRunAndKeepsWhatWasWritten) {
  Create();
  WalkTo(4);
  const std::string third = std::string(PublicRoot) + "\\" + ArchiveName("Clip Library\\", 2);
  const std::string second = std::string(PublicRoot) + "\\" + ArchiveName("Clip Library\\", 1);
  const std::string fourth = std::string(PublicRoot) + "\\" + ArchiveName("Clip Library\\", 3);
  FailCreating(third);
  Sim.MessageBoxAnswers = {IDABORT};
  EXPECT_EQ(ShowModal({[&] { Next(); }}), mrCancel);
  EXPECT_EQ(SetupExitCode, 2);
  EXPECT_TRUE(InstallStarted);
  EXPECT_TRUE(Form->CloseConfirmed());
  EXPECT_TRUE(Sim.FileExists(second));
  EXPECT_FALSE(Sim.FileExists(third));
  EXPECT_FALSE(Sim.FileExists(fourth));
  EXPECT_FALSE(Sim.FileExists(std::string(PublicRoot) + "\\Basic.snd"));
  EXPECT_EQ(Sim.MessageBoxes().size(), 1u);
  EXPECT_NE(Sim.MessageBoxes()[0].TextAnsi().find(third), std::string::npos);
}

TEST_F(InstallRunTest, IgnoreGoesOnAndLeavesTheFileUnlogged) {
  Create();
  WalkTo(4);
  FailCreating("C:\\Program Files\\Pennacle\\pnc.exe");
  Sim.MessageBoxAnswers = {IDIGNORE};
  Next();
  EXPECT_EQ(PageIndex(), 6);
  EXPECT_EQ(SetupExitCode, 0);
  EXPECT_LT(InstallLog->IndexOf("File Copy: C:\\Program Files\\Pennacle\\pnc.exe"), 0);
  EXPECT_GE(InstallLog->IndexOf("File Copy: C:\\Program Files\\Pennacle\\License.txt"), 0);
}

TEST_F(InstallRunTest, ASilentFailureEndsWithTwoAndNoQuestion) {
  FailCreating("Basic.snd");
  RunSilently();
  EXPECT_EQ(SetupExitCode, 2);
  EXPECT_TRUE(Sim.MessageBoxes().empty());
  EXPECT_EQ(PageIndex(), 5);
  EXPECT_TRUE(InstallStarted);
  EXPECT_FALSE(Sim.FileExists(std::string(DataRoot) + "\\pnc_common.dat"));
}

} // namespace
