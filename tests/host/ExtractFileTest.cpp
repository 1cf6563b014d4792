// Writing archived files: contents and dates, folders and log lines, and every way a write
// can fail.
#include "ArchiveFixture.h"

#include "install/InstUtils.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"

namespace {

class ExtractFileTest : public ArchiveTest {
protected:
  ExtractFileTest() { CreateInstallLog(); }
  std::string Content(const TAttachedFile& f) const {
    return std::string(reinterpret_cast<const char*>(Archive->Payload.get()) + f.DataOffset,
                       size_t(f.FileSize));
  }
  std::unique_ptr<TAttachedFiles> Archive = LoadBuildPayload();
};

constexpr const char* Spellcheck = "C:\\ProgramData\\Pennacle\\Public\\Spellcheck\\";

TEST_F(ExtractFileTest, WritesTheContentAndTheDateThroughTheTwoSecondForm) {
  for (const char* name : {"userdicen.tlx", "License.txt", "Basic.snd"}) {
    const TAttachedFile* record = Archive->FindFile(name);
    ASSERT_NE(record, nullptr) << name;
    const std::string target = std::string(Spellcheck) + name;
    EXPECT_TRUE(Archive->ExtractFile(record, "", target)) << name;
    EXPECT_EQ(Sim.FileContent(target), Content(*record)) << name;
    EXPECT_EQ(GetFileDate(target), record->FileDate) << name;
  }
  EXPECT_EQ(Sim.FileContent(std::string(Spellcheck) + "userdicen.tlx"), "");
  EXPECT_EQ(Sim.OpenHandleCount(), 0u);
  EXPECT_TRUE(Sim.MessageBoxes().empty());
}

TEST_F(ExtractFileTest, WithoutARecordTheLastOfTheNameIsWritten) {
  const std::string temp = NewTempFileName();
  SuspendLogging();
  EXPECT_TRUE(Archive->ExtractFile(nullptr, "license.TXT", temp));
  ResumeLogging();
  EXPECT_EQ(Sim.FileContent(temp), Content(*Archive->FindFile("License.txt")));
  EXPECT_TRUE(Log().empty());
}

TEST_F(ExtractFileTest, NewFoldersAreLoggedOutermostFirstBeforeTheFile) {
  Sim.MakeDirs("C:\\A");
  EXPECT_TRUE(Archive->ExtractFile(nullptr, "Basic.snd", "C:\\A\\B\\C\\Basic.snd"));
  EXPECT_EQ(Log(), (std::vector<std::string>{"Made Dir: C:\\A\\B\\", "Made Dir: C:\\A\\B\\C\\",
                                             "File Copy: C:\\A\\B\\C\\Basic.snd"}));
}

TEST_F(ExtractFileTest, ReadOnlyTargetAsksAbortRetryOrIgnore) {
  const std::string target = "C:\\Program Files\\Pennacle\\License.txt";
  struct Case {
    const char* what;
    bool silent;
    int answer; // 0: clear the attribute and answer Retry, then succeed
    bool result;
    int exitCode;
    size_t boxes;
    bool replaced;
  } cases[] = {
      {"Abort", false, IDABORT, false, 0, 1, false},
      {"Ignore", false, IDIGNORE, true, 0, 1, false},
      {"Retry, then it works", false, 0, true, 0, 1, true},
      {"silent", true, IDABORT, false, 2, 0, false},
  };
  for (const auto& c : cases) {
    ResetRunState();
    CreateInstallLog();
    SimSystem machine;
    TSystemScope scope(machine);
    machine.AddResource("FILES", "FILES", BuildPayload());
    TAttachedFiles archive;
    machine.PutFile(target, "old", FILE_ATTRIBUTE_READONLY);
    machine.OnMessageBox = [&](const TSimMessageBox&) {
      if (c.answer) return c.answer;
      machine.SetAttributes(target, FILE_ATTRIBUTE_ARCHIVE);
      return IDRETRY;
    };
    SilentMode = c.silent;
    EXPECT_EQ(archive.ExtractFile(nullptr, "License.txt", target), c.result) << c.what;
    EXPECT_EQ(SetupExitCode, c.exitCode) << c.what;
    ASSERT_EQ(machine.MessageBoxes().size(), c.boxes) << c.what;
    EXPECT_EQ(machine.FileContent(target) != "old", c.replaced) << c.what;
    EXPECT_EQ(InstallLog->Count() == 1, c.replaced) << c.what; // only a written file is logged
    if (c.boxes) {
      const TSimMessageBox& box = machine.MessageBoxes()[0];
      EXPECT_EQ(box.TextAnsi(), Format(ResConst::MsgCannotCreateFile, {target})) << c.what;
      EXPECT_EQ(box.Type, MB_ICONERROR | MB_ABORTRETRYIGNORE | MB_TASKMODAL) << c.what;
    }
  }
}

TEST_F(ExtractFileTest, AShortWriteIsAFailedWriteAndLeavesNoCutFile) {
  const std::string target = "C:\\Program Files\\Pennacle\\pnc.exe";
  const TAttachedFile* record = Archive->FindFile("pnc.exe");
  TSimFault shortWrite = FaultOf(SimCall::WriteFile, "pnc.exe");
  shortWrite.ShortWriteBytes = 4096;
  Sim.AddFault(shortWrite);
  SilentMode = true;
  EXPECT_FALSE(Archive->ExtractFile(record, "", target));
  EXPECT_EQ(SetupExitCode, ExitFileNotWritten);
  EXPECT_FALSE(Sim.FileExists(target));
  EXPECT_EQ(Log(), (std::vector<std::string>{"Made Dir: C:\\Program Files\\Pennacle\\"}));

  // Interactively the user is asked; a retry after the disk has room writes it whole.
  SilentMode = false;
  SetupExitCode = 0;
  Sim.ClearFaults();
  shortWrite.Times = 1;
  Sim.AddFault(shortWrite);
  Sim.MessageBoxAnswers = {IDRETRY};
  EXPECT_TRUE(Archive->ExtractFile(record, "", target));
  EXPECT_EQ(Sim.MessageBoxes().size(), 1u);
  EXPECT_EQ(Sim.FileContent(target), Content(*record));
  EXPECT_EQ(SetupExitCode, 0);
}

TEST_F(ExtractFileTest, AFailedWriteCallIsAFailedWrite) {
  Sim.AddFault(FaultOf(SimCall::WriteFile, "Basic.snd"));
  Sim.MessageBoxAnswers = {IDABORT};
  EXPECT_FALSE(Archive->ExtractFile(nullptr, "Basic.snd", "C:\\Sounds\\Basic.snd"));
  EXPECT_FALSE(Sim.FileExists("C:\\Sounds\\Basic.snd"));
}

TEST_F(ExtractFileTest, BoxesThatCannotBeShownEndInAbort) {
  Sim.AddFault(FaultOf(SimCall::CreateFile, "Basic.snd"));
  struct Case {
    const char* what;
    std::deque<int> answers; // 0: the box cannot be shown
    bool result;
    size_t boxes;
  } cases[] = {
      {"three failed boxes in a row", {}, false, 3},
      {"a real answer starts the count again", {0, 0, IDRETRY, 0, 0, IDIGNORE}, true, 6},
      {"failed boxes, then Abort", {0, 0, IDABORT}, false, 3},
  };
  for (const auto& c : cases) {
    size_t before = Sim.MessageBoxes().size();
    Sim.MessageBoxAnswers = c.answers;
    EXPECT_EQ(Archive->ExtractFile(nullptr, "Basic.snd", "C:\\Sounds\\Basic.snd"), c.result)
        << c.what;
    EXPECT_EQ(Sim.MessageBoxes().size() - before, c.boxes) << c.what;
  }
  // A write that works on the retry after a failed box succeeds.
  Sim.ClearFaults();
  TSimFault once = FaultOf(SimCall::CreateFile, "Basic.snd");
  once.Times = 1;
  Sim.AddFault(once);
  EXPECT_TRUE(Archive->ExtractFile(nullptr, "Basic.snd", "C:\\Sounds\\Basic.snd"));
  EXPECT_TRUE(Sim.FileExists("C:\\Sounds\\Basic.snd"));
}

TEST_F(ExtractFileTest, ANameWithoutARecordFailsLikeAFailedWrite) {
  const std::string target = "C:\\Users\\User\\AppData\\Local\\Temp\\x.tmp";
  Sim.MessageBoxAnswers = {IDRETRY, IDABORT};
  EXPECT_FALSE(Archive->ExtractFile(nullptr, "Readme.txt", target));
  ASSERT_EQ(Sim.MessageBoxes().size(), 2u);
  EXPECT_EQ(Sim.MessageBoxes()[0].TextAnsi(), Format(ResConst::MsgCannotCreateFile, {target}));
  EXPECT_EQ(Sim.CallCount(SimCall::CreateFile), 0);
  SilentMode = true;
  EXPECT_FALSE(Archive->ExtractFile(nullptr, "Readme.txt", target));
  EXPECT_EQ(SetupExitCode, ExitFileNotWritten);
  EXPECT_EQ(Sim.MessageBoxes().size(), 2u);
}

TEST_F(ExtractFileTest, ADateWithoutAFileDateLeavesTheTimeAlone) {
  TDateTime old;
  ASSERT_TRUE(TryEncodeDateTime(1975, 5, 1, 12, 0, 0, 0, old));
  auto archive = Load(Deflate(RecordBytes({{"old.txt", old, "old"}})));
  EXPECT_TRUE(archive->ExtractFile(nullptr, "old.txt", "C:\\old.txt"));
  EXPECT_EQ(Sim.FileContent("C:\\old.txt"), "old");
  EXPECT_EQ(Sim.CallCount(SimCall::SetFileTime), 0);
  EXPECT_EQ(GetFileDate("C:\\old.txt"), Now());
}

} // namespace
