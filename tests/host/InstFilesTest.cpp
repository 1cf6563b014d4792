// Folders with their log lines, small data files, shortcuts and the product's data folders.
#include "SimTest.h"

#include "install/InstUtils.h"
#include "platform/os/WinConst.h"

namespace {

class InstFilesTest : public SimTest {
protected:
  InstFilesTest() { CreateInstallLog(); }
  std::vector<std::string> Log() const {
    std::vector<std::string> lines;
    for (int i = 0; i < InstallLog->Count(); ++i) lines.push_back((*InstallLog)[i]);
    return lines;
  }
};

using Lines = std::vector<std::string>;

TEST_F(InstFilesTest, MakeDirsCreatesAndLogsTheMissingLevelsOutermostFirst) {
  Sim.MakeDirs("C:\\A");
  MakeDirs("C:\\A\\B\\C\\");
  EXPECT_TRUE(Sim.FolderExists("C:\\A\\B\\C"));
  EXPECT_EQ(Log(), (Lines{"Made Dir: C:\\A\\B\\", "Made Dir: C:\\A\\B\\C\\"}));

  MakeDirs("C:\\A\\B\\C\\"); // exists: nothing more
  MakeDirs("");              // names no folder
  EXPECT_EQ(InstallLog->Count(), 2);
  EXPECT_EQ(Sim.CallCount(SimCall::CreateDirectory), 2);
}

TEST_F(InstFilesTest, MakeDirsOnAMissingDriveTriesEveryLevelDownToTheBareDrive) {
  MakeDirs("X:\\A\\B\\");
  EXPECT_EQ(Log(),
            (Lines{"Made Dir: X:", "Made Dir: X:\\", "Made Dir: X:\\A\\", "Made Dir: X:\\A\\B\\"}));
  EXPECT_EQ(Sim.CallCount(SimCall::CreateDirectory), 4);
}

TEST_F(InstFilesTest, SuspendedLoggingStillCreatesFoldersButLogsNothing) {
  SuspendLogging();
  SuspendLogging();
  MakeDirs("C:\\One\\");
  ResumeLogging();
  MakeDirs("C:\\Two\\"); // still suspended once
  ResumeLogging();
  MakeDirs("C:\\Three\\");
  EXPECT_TRUE(Sim.FolderExists("C:\\One"));
  EXPECT_TRUE(Sim.FolderExists("C:\\Two"));
  EXPECT_EQ(Log(), (Lines{"Made Dir: C:\\Three\\"}));
}

TEST_F(InstFilesTest, WriteStringToFileReplacesTheFileWithTheBytesAndLogsNothing) {
  Sim.PutFile("C:\\Data\\stamp", "an older and longer content");
  std::string bytes("\x01\x00\x00\x00\xff", 5);
  WriteStringToFile("C:\\Data\\stamp", bytes);
  EXPECT_EQ(Sim.FileContent("C:\\Data\\stamp"), bytes);
  WriteStringToFile("C:\\Missing\\stamp", bytes); // no folder is made, nothing is reported
  EXPECT_FALSE(Sim.FolderExists("C:\\Missing"));
  EXPECT_EQ(InstallLog->Count(), 0);
  EXPECT_EQ(Sim.OpenHandleCount(), 0u);
}

// A failed or cut write is not reported, but it leaves no file that holds a wrong value.
TEST_F(InstFilesTest, WriteStringToFileLeavesNoCutFile) {
  const std::string bytes("12345678");
  for (std::optional<uint32_t> shortBytes :
       {std::optional<uint32_t>(5), std::optional<uint32_t>()}) {
    Sim.PutFile("C:\\Data\\stamp", "an older content");
    TSimFault fault = FaultOf(SimCall::WriteFile, "stamp");
    fault.ShortWriteBytes = shortBytes;
    Sim.AddFault(fault);
    WriteStringToFile("C:\\Data\\stamp", bytes);
    Sim.ClearFaults();
    EXPECT_FALSE(Sim.FileExists("C:\\Data\\stamp")) << (shortBytes ? "short" : "failed");
    EXPECT_EQ(Sim.OpenHandleCount(), 0u);
  }
}

TEST_F(InstFilesTest, CreateShortcutSavesTheLinkInANewFolderAndLogsIt) {
  CreateShortcut("C:\\Menu\\Pennacle\\Pennacle Word Processor.lnk",
                 "C:\\Program Files\\Pennacle\\pnc.exe", "C:\\Program Files\\Pennacle",
                 "Compact word processor");
  auto link = Sim.LinkAt("C:\\Menu\\Pennacle\\Pennacle Word Processor.lnk");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->Path, "C:\\Program Files\\Pennacle\\pnc.exe");
  EXPECT_EQ(link->WorkingDirectory, "C:\\Program Files\\Pennacle");
  EXPECT_EQ(link->Description, "Compact word processor");
  EXPECT_EQ(Log(), (Lines{"Made Dir: C:\\Menu\\", "Made Dir: C:\\Menu\\Pennacle\\",
                          "File Copy: C:\\Menu\\Pennacle\\Pennacle Word Processor.lnk"}));
}

TEST_F(InstFilesTest, ShortcutFileNameUsesTheSystemCodePage) {
  Sim.SetAnsiCodePage(1251);
  Sim.MakeDirs("C:\\Menu");
  CreateShortcut("C:\\Menu\\\xCF.lnk", "C:\\pnc.exe", "C:\\", "d"); // Cyrillic Pe in 1251
  ASSERT_EQ(Sim.SavedLinks().size(), 1u);
  EXPECT_EQ(Sim.SavedLinks()[0].File, u"C:\\Menu\\\u041F.lnk");
}

// The install log names only what is on disk (the fault matrix's rule): a shortcut that was
// not saved still gets its folder, but no "File Copy: " line.
TEST_F(InstFilesTest, ShortcutWithoutTheLinkObjectMakesItsFolderButNoLine) {
  Sim.AddFault(FaultOf(SimCall::ShellLinkCreate));
  CreateShortcut("C:\\Menu\\P.lnk", "C:\\pnc.exe", "C:\\", "d");
  EXPECT_TRUE(Sim.SavedLinks().empty());
  EXPECT_TRUE(Sim.FolderExists("C:\\Menu"));
  EXPECT_EQ(Log(), (Lines{"Made Dir: C:\\Menu\\"}));
}

TEST_F(InstFilesTest, AShortcutThatCannotBeSavedIsNotLogged) {
  Sim.AddFault(FaultOf(SimCall::ShellLinkSave));
  CreateShortcut("C:\\Menu\\P.lnk", "C:\\pnc.exe", "C:\\", "d");
  EXPECT_TRUE(Sim.SavedLinks().empty());
  EXPECT_EQ(Log(), (Lines{"Made Dir: C:\\Menu\\"}));
}

TEST_F(InstFilesTest, DataFoldersOnAFixedDiskAreBelowTheAllUsersFolder) {
  const std::string dest = "C:\\Program Files\\Pennacle";
  EXPECT_EQ(GetDataFolderFor(dest, 4), "C:\\ProgramData\\Pennacle\\Public\\Spellcheck\\");
  EXPECT_EQ(Log(), (Lines{"Made Dir: C:\\ProgramData\\Pennacle\\",
                          "Made Dir: C:\\ProgramData\\Pennacle\\Public\\",
                          "Made Dir: C:\\ProgramData\\Pennacle\\Public\\Spellcheck\\"}));
  EXPECT_TRUE(Sim.FolderExists("C:\\ProgramData\\Pennacle\\Public\\Spellcheck"));
  struct Case {
    uint8_t index;
    const char* folder;
  } cases[] = {{0, "C:\\ProgramData\\Pennacle\\"},
               {1, "C:\\ProgramData\\Pennacle\\Hidden\\"},
               {2, "C:\\ProgramData\\Pennacle\\Public\\"},
               {3, "C:\\Users\\User\\AppData\\Roaming\\Pennacle\\"},
               {9, "C:\\ProgramData\\Pennacle\\Public\\Spellcheck\\"}};
  for (const auto& c : cases) {
    EXPECT_EQ(GetDataFolderFor(dest, c.index), c.folder) << int(c.index);
    EXPECT_TRUE(Sim.FolderExists(c.folder)) << int(c.index);
  }
  EXPECT_FALSE(IsRemovableTargetFor(dest));
  EXPECT_EQ(GetTargetPathFor(dest, "pnc.exe"), "C:\\Program Files\\Pennacle\\pnc.exe");
}

TEST_F(InstFilesTest, DataFoldersFallBackToTheDocumentsFolder) {
  Sim.SetSpecialFolder(CSIDL_COMMON_APPDATA, "");
  Sim.SetSpecialFolder(CSIDL_APPDATA, "");
  EXPECT_EQ(GetDataFolderFor("C:\\Pennacle", 2), "C:\\Users\\User\\Documents\\Pennacle\\Public\\");
  EXPECT_EQ(GetDataFolderFor("C:\\Pennacle", 3), "C:\\Users\\User\\Documents\\Pennacle\\");
}

TEST_F(InstFilesTest, DataFoldersOnRemovableMediaAreTheDestination) {
  Sim.AddDrive('E', DRIVE_REMOVABLE);
  Sim.MakeDirs("E:\\Pennacle");
  for (uint8_t index : {0, 1, 2, 3})
    EXPECT_EQ(GetDataFolderFor("E:\\Pennacle", index), "E:\\Pennacle\\") << int(index);
  EXPECT_EQ(GetDataFolderFor("E:\\Pennacle", 4), "E:\\Pennacle\\Spellcheck\\");
  EXPECT_TRUE(Sim.FolderExists("E:\\Pennacle\\Spellcheck"));
  EXPECT_TRUE(IsRemovableTargetFor("E:\\Pennacle"));
  EXPECT_FALSE(Sim.FolderExists("C:\\ProgramData\\Pennacle"));
}

} // namespace
