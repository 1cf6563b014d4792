// The install log and the merge of the update log.
#include "SimTest.h"

#include "install/InstUtils.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Exceptions.h"

#include <cstring>

namespace {

using InstLogTest = SimTest;

std::string Crlf(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

TEST_F(InstLogTest, AddLogLineSkipsDuplicatesIgnoringCase) {
  CreateInstallLog();
  AddLogLine("File Copy: C:\\Program Files\\Pennacle\\pnc.exe");
  AddLogLine("file copy: c:\\PROGRAM FILES\\pennacle\\PNC.EXE");
  AddLogLine("File Copy: C:\\Caf\xE9.txt");
  AddLogLine("File Copy: C:\\CAF\xC9.TXT"); // E-acute in both cases
  AddLogLine("File Copy: C:\\Program Files\\Pennacle\\pnc.ex");
  EXPECT_EQ(InstallLog->Text(),
            Crlf({"File Copy: C:\\Program Files\\Pennacle\\pnc.exe", "File Copy: C:\\Caf\xE9.txt",
                  "File Copy: C:\\Program Files\\Pennacle\\pnc.ex"}));
}

TEST_F(InstLogTest, NothingIsLoggedBeforeTheLogExistsOrWhileSuspended) {
  AddLogLine("File Copy: C:\\early.txt"); // no log yet: nothing to add to, no harm
  EXPECT_FALSE(InstallLog);
  CreateInstallLog();
  SuspendLogging();
  SuspendLogging();
  AddLogLine("one");
  ResumeLogging();
  AddLogLine("two");
  ResumeLogging();
  AddLogLine("three");
  EXPECT_EQ(InstallLog->Text(), Crlf({"three"}));
}

TEST_F(InstLogTest, EarlierLogIsLoadedAndSavedAsCrLfText) {
  Sim.PutFile("C:\\Pennacle\\Install.log", "Made Dir: C:\\Pennacle\\\r\nFile Copy: C:\\a\n");
  CreateInstallLog();
  LoadInstallLog("C:\\Pennacle\\Install.log");
  AddLogLine("File Copy: C:\\A"); // already there, case ignored
  AddLogLine("File Copy: C:\\b");
  InstallLogPath = "C:\\Pennacle\\Install.log";
  SaveInstallLog();
  EXPECT_EQ(Sim.FileContent("C:\\Pennacle\\Install.log"),
            Crlf({"Made Dir: C:\\Pennacle\\", "File Copy: C:\\a", "File Copy: C:\\b"}));
  EXPECT_EQ(Sim.OpenHandleCount(), 0u);
}

TEST_F(InstLogTest, UnreadableOrUnwritableLogChangesNothing) {
  Sim.PutFile("C:\\Pennacle\\Install.log", "File Copy: C:\\a\r\n");
  Handle holder = Sim.HoldOpen("C:\\Pennacle\\Install.log", GENERIC_READ | GENERIC_WRITE, 0);
  CreateInstallLog();
  AddLogLine("File Copy: C:\\new");
  LoadInstallLog("C:\\Pennacle\\Install.log");
  LoadInstallLog("C:\\Pennacle\\Missing.log");
  EXPECT_EQ(InstallLog->Text(), Crlf({"File Copy: C:\\new"}));
  InstallLogPath = "C:\\Pennacle\\Install.log";
  SaveInstallLog(); // swallowed
  EXPECT_EQ(Sim.FileContent("C:\\Pennacle\\Install.log"), Crlf({"File Copy: C:\\a"}));
  Sim.CloseHandle(holder);
}

// A save that stops part-way (a full disk) is cut back to its last whole line, so that no line
// names half a path; the failure is still swallowed.
TEST_F(InstLogTest, ALogCutByAShortWriteKeepsOnlyWholeLines) {
  Sim.MakeDirs("C:\\Pennacle");
  CreateInstallLog();
  AddLogLine("Made Dir: C:\\Pennacle\\");
  AddLogLine("File Copy: C:\\Pennacle\\pnc.exe");
  InstallLogPath = "C:\\Pennacle\\Install.log";
  TSimFault cut = FaultOf(SimCall::WriteFile, "Install.log");
  cut.ShortWriteBytes = 30; // "Made Dir: C:\Pennacle\" and CR LF are 24 bytes
  Sim.AddFault(cut);
  SaveInstallLog();
  EXPECT_EQ(Sim.FileContent(InstallLogPath), Crlf({"Made Dir: C:\\Pennacle\\"}));
  cut.ShortWriteBytes = 10; // not even one line
  Sim.ClearFaults();
  Sim.AddFault(cut);
  SaveInstallLog();
  EXPECT_EQ(Sim.FileContent(InstallLogPath), std::string());
  EXPECT_EQ(Sim.OpenHandleCount(), 0u);
}

TEST_F(InstLogTest, MarkerLineIsTheDoublesBytesInMemoryOrder) {
  EXPECT_EQ(UpdateLogMarkerLine(45370.78194444445), "*065BB0055927E640");
  EXPECT_EQ(UpdateLogMarkerLine(0.0), "*0000000000000000");
  EXPECT_EQ(UpdateLogMarkerLine(1.0), "*000000000000F03F");
}

constexpr const char* UpdateLog = "C:\\ProgramData\\Pennacle\\Update.log";

TEST_F(InstLogTest, UpdateLogIsLeftAloneWithoutPublicFiles) {
  TStringList none;
  WriteUpdateLogFile(UpdateLog, none, 45370.5);
  EXPECT_FALSE(Sim.FileExists(UpdateLog));
  Sim.PutFile(UpdateLog, "*0000000000000000\r\nC:\\x\r\n");
  WriteUpdateLogFile(UpdateLog, none, 45370.5);
  EXPECT_EQ(Sim.FileContent(UpdateLog), "*0000000000000000\r\nC:\\x\r\n");
  EXPECT_EQ(Sim.CallCount(SimCall::CreateFile), 0);
}

TEST_F(InstLogTest, UpdateLogMergeMovesRewrittenFilesToTheNewBlock) {
  const std::string m1 = UpdateLogMarkerLine(45000.25), m2 = UpdateLogMarkerLine(45100.5);
  const std::string now = UpdateLogMarkerLine(45370.78194444445);
  struct Case {
    const char* what;
    std::string before;
    std::vector<std::string> publicFiles;
    std::string after;
  } cases[] = {
      {"the M1/M2 example: both blocks empty out and go",
       m1 + "\r\nA\r\n" + m2 + "\r\nB\r\n",
       {"B", "A"},
       now + "\r\nA\r\nB\r\n"},
      {"a block that keeps a file stays, an emptied one goes",
       m1 + "\r\nA\r\nC\r\n" + m2 + "\r\nB\r\n",
       {"b", "a"},
       m1 + "\r\nC\r\n" + now + "\r\na\r\nb\r\n"},
      {"a run of markers keeps its first; empty lines go",
       m1 + "\r\n\r\n" + m2 + "\r\n" + m1 + "\r\nD\r\n\r\n",
       {"E"},
       m1 + "\r\nD\r\n" + now + "\r\nE\r\n"},
      {"marked and unmarked lines differ",
       m1 + "\r\nA\t!\r\nB\r\n",
       {"A", "B\t!"},
       m1 + "\r\nA\t!\r\nB\r\n" + now + "\r\nA\r\nB\t!\r\n"},
      {"no earlier file", "", {"Z", "y", "X"}, now + "\r\nX\r\ny\r\nZ\r\n"},
  };
  for (const auto& c : cases) {
    if (c.before.empty())
      Sim.DeleteFileW(SimSystem::From1252(UpdateLog));
    else
      Sim.PutFile(UpdateLog, c.before);
    TStringList publicFiles;
    for (const auto& f : c.publicFiles) publicFiles.Add(f);
    WriteUpdateLogFile(UpdateLog, publicFiles, 45370.78194444445);
    EXPECT_EQ(Sim.FileContent(UpdateLog), c.after) << c.what;
    EXPECT_TRUE(publicFiles.Sorted()) << c.what;
  }
}

TEST_F(InstLogTest, AnUpdateLogCutByAShortWriteKeepsOnlyWholeLinesAndReportsIt) {
  Sim.MakeDirs("C:\\ProgramData\\Pennacle");
  TStringList publicFiles;
  publicFiles.Add("C:\\ProgramData\\Pennacle\\Public\\Basic.snd");
  TSimFault cut = FaultOf(SimCall::WriteFile, "Update.log");
  cut.ShortWriteBytes = 20; // the marker line and half the path
  Sim.AddFault(cut);
  EXPECT_THROW(WriteUpdateLogFile(UpdateLog, publicFiles, 45370.78194444445), Exception);
  EXPECT_EQ(Sim.FileContent(UpdateLog), Crlf({"*065BB0055927E640"}));
}

TEST_F(InstLogTest, UpdateLogFailuresReachTheCaller) {
  Sim.PutFile(UpdateLog, "");
  Sim.SetAttributes(UpdateLog, FILE_ATTRIBUTE_READONLY);
  TStringList publicFiles;
  publicFiles.Add("C:\\ProgramData\\Pennacle\\Public\\Basic.snd");
  EXPECT_THROW(WriteUpdateLogFile(UpdateLog, publicFiles, 45370.5), Exception);
}

} // namespace
