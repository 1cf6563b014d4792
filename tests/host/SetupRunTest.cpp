// The program entry: run modes, what a run leaves behind, and the exit code.
#include "ArchiveFixture.h"
#include "WizardFixture.h"

#include "app/Setup.h"
#include "wizard/ResConst.h"

namespace {

using namespace Wizard;

class SetupRunTest : public WizardTest {
protected:
  int Run(const std::string& parameters) {
    Sim.SetCommandLine("\"C:\\Users\\User\\Downloads\\setup.exe\" " + parameters);
    return RunSetup();
  }
  // An interactive run that the user cancels on the first page.
  void CancelOnFirstPage() {
    Headless.OnModalStep = [](TForm& form) { form.Close(); };
    Sim.MessageBoxAnswers = {IDYES};
  }
  bool NothingInstalled() const {
    return Sim.FilesBelow("C:\\Program Files").empty() && !Sim.FolderExists(DataRoot) &&
           Sim.FilesBelow("C:\\Users\\User\\AppData\\Local\\Temp").empty() &&
           Sim.SavedLinks().empty();
  }
};

TEST(SilentSwitch, IsExactlyTwoCharacters) {
  for (const char* yes : {"-s", "/s", "-S", "/S"}) EXPECT_TRUE(IsSilentSwitch(yes)) << yes;
  for (const char* no : {"-silent", "s", "--s", "/s1", "-", "", "\\s", "-d"})
    EXPECT_FALSE(IsSilentSwitch(no)) << no;
}

TEST_F(SetupRunTest, TheSwitchMayStandAnywhereAndOtherParametersAreIgnored) {
  struct Case {
    const char* parameters;
    bool silent;
  } cases[] = {{"/S", true},       {"-x -s", true},      {"\"-s\"", true},
               {"-silent", false}, {"s --s /s1", false}, {"", false}};
  for (const Case& c : cases) {
    ResetRunState();
    CancelOnFirstPage();
    const size_t boxes = Sim.MessageBoxes().size();
    EXPECT_EQ(Run(c.parameters), 0) << c.parameters;
    EXPECT_EQ(SilentMode, c.silent) << c.parameters;
    // An interactive run shows the wizard, which the user leaves with one question.
    EXPECT_EQ(Sim.MessageBoxes().size() - boxes, c.silent ? 0u : 1u) << c.parameters;
  }
}

TEST_F(SetupRunTest, ASilentInstallationSavesTheChoicesAndTheLog) {
  EXPECT_EQ(Run("-s"), 0);
  EXPECT_TRUE(Sim.FileExists("C:\\Program Files\\Pennacle\\Install.log"));
  EXPECT_EQ(Sim.RegValue(InstallKey, "COMPS (4.3.5)")->Dword(), 0x7FFFFFFEu);
  EXPECT_TRUE(Sim.KeyExists(UninstallKey));
  EXPECT_TRUE(Sim.FilesBelow("C:\\Users\\User\\AppData\\Local\\Temp").empty());
  // The application's window carries the title and the icon.
  bool iconSent = false;
  for (const auto& m : Sim.SentMessages()) iconSent |= m.Message == WM_SETICON && m.WParam == 1;
  EXPECT_TRUE(iconSent);
}

TEST_F(SetupRunTest, RunsThatStopBeforeInstallingWriteNothingButTheEmptyKey) {
  {
    Handle product = Sim.AddWindow("Pennacle Word Processor");
    Sim.SetWindowProp(product, "1.x Tidal Loom", 1);
    EXPECT_EQ(Run("-s"), 1);
    Sim.RemoveWindow(product);
  }
  EXPECT_TRUE(NothingInstalled());
  ResetRunState();
  Sim.Drive('C')->FreeToCaller = 4096;
  EXPECT_EQ(Run("/s"), 3);
  EXPECT_TRUE(NothingInstalled());
  Sim.Drive('C')->FreeToCaller.reset();
  ResetRunState();
  CancelOnFirstPage();
  EXPECT_EQ(Run(""), 0);
  EXPECT_TRUE(NothingInstalled());
  EXPECT_TRUE(Sim.KeyExists(InstallKey));
  EXPECT_TRUE(Sim.RegValues(InstallKey).empty());
  EXPECT_FALSE(Sim.KeyExists(UninstallKey));
}

TEST_F(SetupRunTest, AFailedInstallationStillSavesTheChoicesTheEntryAndTheLog) {
  FailCreating("Clip Library");
  EXPECT_EQ(Run("-s"), 2);
  EXPECT_TRUE(Sim.RegValue(InstallKey, "MAINDIR"));
  EXPECT_TRUE(Sim.KeyExists(UninstallKey));
  EXPECT_NE(Text("C:\\Program Files\\Pennacle\\Install.log").find("File Copy: C:\\Program Files"),
            std::string::npos);
}

TEST_F(SetupRunTest, AnInstallLogThatCannotBeWrittenChangesNothing) {
  FailCreating("Install.log");
  EXPECT_EQ(Run("-s"), 0);
  EXPECT_FALSE(Sim.FileExists("C:\\Program Files\\Pennacle\\Install.log"));
}

TEST_F(SetupRunTest, ADamagedPayloadEndsBeforeAnythingIsWritten) {
  std::string payload = ReadTreeFile(PENNACLE_BINARY_DIR "/FILES.zlib");
  Sim.AddResource("FILES", "FILES", payload.substr(0, payload.size() / 2));
  EXPECT_EQ(Run("-s"), 2);
  EXPECT_TRUE(Sim.MessageBoxes().empty());
  EXPECT_TRUE(NothingInstalled());
  ResetRunState();
  Sim.MessageBoxAnswers = {IDOK};
  EXPECT_EQ(Run(""), 2);
  ASSERT_EQ(Sim.MessageBoxes().size(), 1u);
  EXPECT_EQ(Sim.MessageBoxes()[0].TextAnsi(), ResConst::MsgSetupDamaged);
  EXPECT_TRUE(NothingInstalled());
  EXPECT_FALSE(Sim.KeyExists(InstallKey));
}

TEST_F(SetupRunTest, APayloadWithANameThatWouldLeaveItsFolderIsRefusedBeforeAnythingIsWritten) {
  // The build's records and one crafted record last, so that a name let through would come
  // after every good file had been written.
  std::string records;
  {
    TAttachedFiles good;
    records.assign(reinterpret_cast<const char*>(good.Payload.get()), size_t(good.PayloadSize));
  }
  const char* names[] = {
      "..\\x",
      "a\\..\\..\\x",
      "Templates\\..\\..\\..\\Windows\\x.dll",
      "C:\\x",
      "C:x",
      "\\\\server\\share\\x",
      "\\x",
      "\\\\?\\C:\\x",
      "x:y",
      "pnc.exe:Zone.Identifier",
      "a/../x",
      "..",
      "CON",
      "Templates\\nul.txt",
      "COM1",
  };
  const std::vector<std::string> files = Sim.FilesBelow("C:\\");
  for (const char* name : names) {
    const std::string stream = Deflate(records + RecordBytes({{name, 45000.5, "MZ"}}), 1);
    Sim.AddResource("FILES", "FILES", stream);
    EXPECT_THROW(TAttachedFiles(), ESetupDamaged) << name;
    ResetRunState();
    Sim.ResetCallCounts();
    EXPECT_EQ(Run("-s"), 2) << name;
    EXPECT_EQ(Sim.CallCount(SimCall::WriteFile), 0) << name;
    EXPECT_EQ(Sim.CallCount(SimCall::CreateDirectory), 0) << name;
    EXPECT_EQ(Sim.FilesBelow("C:\\"), files) << name;
    EXPECT_TRUE(Sim.MessageBoxes().empty()) << name;
    EXPECT_FALSE(Sim.KeyExists(InstallKey)) << name;
  }
  // Made the same way with a harmless name, the payload installs, that record too.
  Sim.AddResource("FILES", "FILES",
                  Deflate(records + RecordBytes({{"Templates\\Extra.rtf", 45000.5, "MZ"}}), 1));
  ResetRunState();
  EXPECT_EQ(Run("-s"), 0);
  int extra = 0;
  for (const std::string& path : Sim.FilesBelow("C:\\"))
    if (path.size() > 20 && path.compare(path.size() - 20, 20, "\\Templates\\Extra.rtf") == 0)
      extra += Sim.FileContent(path) == std::string("MZ") ? 1 : 100;
  EXPECT_EQ(extra, 1);
}

} // namespace
