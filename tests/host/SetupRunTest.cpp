// The program entry: run modes, what a run leaves behind, and the exit code.
#include "ArchiveFixture.h"
#include "WizardFixture.h"

#include "app/Setup.h"
#include "platform/rtl/StringList.h"
#include "wizard/ResConst.h"

#include <algorithm>

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
  static std::string ArchiveName(const TAttachedFiles& archive, const std::string& prefix, int n) {
    for (const TAttachedFile& f : archive.Files)
      if (f.FileName.compare(0, prefix.size(), prefix) == 0 && n-- == 0) return f.FileName;
    return std::string();
  }
  static std::vector<std::string> Lines(const std::string& text) {
    TStringList lines;
    lines.SetText(text);
    std::vector<std::string> out;
    for (int i = 0; i < lines.Count(); ++i) out.push_back(lines[i]);
    return out;
  }
  // The product's files on disk: the destination (but its log) and the public data folder.
  std::vector<std::string> ProductFilesOnDisk() const {
    std::vector<std::string> files;
    for (const std::string& f : Sim.FilesBelow(DefaultDest))
      if (f != std::string(DefaultDest) + "\\Install.log") files.push_back(f);
    for (const std::string& f : Sim.FilesBelow(PublicRoot)) files.push_back(f);
    return files;
  }
  // The file at path holds exactly its archive record.
  bool Whole(const std::string& path) const {
    if (!Archive) Archive = std::make_unique<TAttachedFiles>();
    const TAttachedFiles& archive = *Archive;
    std::string name;
    for (const std::string& root :
         {std::string(ProofingRoot), std::string(PublicRoot), std::string(DefaultDest)})
      if (name.empty() && path.compare(0, root.size() + 1, root + "\\") == 0)
        name = path.substr(root.size() + 1);
    if (name == "English (British).cache") name = "English (American).cache";
    const TAttachedFile* record = archive.FindFile(name);
    auto content = Sim.FileContent(path);
    return record && content &&
           *content == std::string(reinterpret_cast<const char*>(archive.Payload.get()) +
                                       record->DataOffset,
                                   size_t(record->FileSize));
  }
  mutable std::unique_ptr<TAttachedFiles> Archive; // the payload, for Whole
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

// Nothing lost: Abort on the third file of the clip library leaves every file written before it
// whole, their lines in "Install.log" and the choices saved; a second run completes the
// installation and keeps the log's earlier lines first. (InstallRunTest's
// AbortOnAFileEndsTheRunAndKeepsWhatWasWritten checks the form's side of the same Abort.)
TEST_F(SetupRunTest, AnInterruptedInstallationLosesNothingAndASecondRunCompletesIt) {
  std::vector<std::string> failed;
  {
    TAttachedFiles archive;
    const std::string third =
        std::string(PublicRoot) + "\\" + ArchiveName(archive, "Clip Library\\", 2);
    FailCreating(third);
    for (int n = 2; !ArchiveName(archive, "Clip Library\\", n).empty(); ++n)
      failed.push_back(std::string(PublicRoot) + "\\" + ArchiveName(archive, "Clip Library\\", n));
    failed.push_back(std::string(PublicRoot) + "\\Basic.snd");
  }
  // The user presses Next on every page and Abort when the file cannot be written.
  Headless.OnModalStep = [](TForm& form) { dynamic_cast<TMainDlgForm&>(form).NextBtn->Click(); };
  Headless.ModalStepLimit = 20;
  Sim.MessageBoxAnswers = {IDABORT};
  EXPECT_EQ(Run(""), 2);
  ASSERT_EQ(Sim.MessageBoxes().size(), 1u);

  const std::string dest = DefaultDest;
  const std::string log = dest + "\\Install.log";
  // Every product file on disk is whole; the failed one and those after it are not there.
  const std::vector<std::string> written = ProductFilesOnDisk();
  EXPECT_EQ(written.size(), 2u + 10 + 19 + 2);
  for (const std::string& path : failed) EXPECT_FALSE(Sim.FileExists(path)) << path;
  for (const std::string& path : written) EXPECT_TRUE(Whole(path)) << path;
  // Their lines are in the log, and the log names only whole files.
  const std::vector<std::string> firstLog = Lines(Text(log));
  for (const char* line : {"Made Dir: C:\\Program Files\\Pennacle\\",
                           "File Copy: C:\\Program Files\\Pennacle\\pnc.exe",
                           "File Copy: C:\\Program Files\\Pennacle\\License.txt",
                           "Made Dir: C:\\ProgramData\\Pennacle\\Public\\"})
    EXPECT_NE(std::find(firstLog.begin(), firstLog.end(), line), firstLog.end()) << line;
  for (const std::string& line : firstLog) {
    EXPECT_EQ(line.find("Basic.snd"), std::string::npos) << line;
    EXPECT_EQ(line.find(".lnk"), std::string::npos) << line;
    if (line.compare(0, 11, "File Copy: ") == 0) {
      EXPECT_TRUE(Whole(line.substr(11))) << line;
    }
  }
  // The choices and the uninstall entry are saved.
  EXPECT_EQ(Sim.RegValue(InstallKey, "MAINDIR")->Data.c_str(), dest);
  EXPECT_EQ(Sim.RegValue(InstallKey, "COMPS (4.3.5)")->Dword(), 0x7FFFFFFEu);
  EXPECT_EQ(Sim.RegValue(InstallKey, "INSTALLTOALL")->Dword(), 1u);
  EXPECT_EQ(Sim.RegValue(InstallKey, "DSKSHORTCUT")->Dword(), 1u);
  EXPECT_TRUE(Sim.KeyExists(UninstallKey));
  EXPECT_TRUE(Sim.SavedLinks().empty());
  EXPECT_FALSE(Sim.FileExists(std::string(DataRoot) + "\\Update.log"));

  // The second run, once the file can be written, completes the installation.
  Sim.ClearFaults();
  ResetRunState();
  Sim.AdvanceClock(36000000000ull); // an hour later
  EXPECT_EQ(Run("-s"), 0);
  const std::vector<std::string> all = ProductFilesOnDisk();
  EXPECT_EQ(all.size(), 2u + 10 + 19 + 242 + 1);
  for (const std::string& path : all) EXPECT_TRUE(Whole(path)) << path;
  EXPECT_EQ(Sim.SavedLinks().size(), 2u);
  const std::vector<std::string> secondLog = Lines(Text(log));
  ASSERT_GE(secondLog.size(), firstLog.size());
  EXPECT_TRUE(std::equal(firstLog.begin(), firstLog.end(), secondLog.begin()))
      << "the earlier lines stay first";
  for (const std::string& line :
       {std::string("File Copy: C:\\ProgramData\\Pennacle\\Public\\Basic.snd"),
        std::string("File Copy: C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\"
                    "Pennacle Word Processor.lnk"),
        std::string("File Copy: C:\\Users\\Public\\Desktop\\Pennacle Word Processor.lnk")})
    EXPECT_EQ(std::count(secondLog.begin(), secondLog.end(), line), 1) << line;
  for (const std::string& line : secondLog)
    EXPECT_EQ(std::count(secondLog.begin(), secondLog.end(), line), 1) << "twice: " << line;
  // The update log lists every public file under this run's one marker.
  const std::vector<std::string> update = Lines(Text(std::string(DataRoot) + "\\Update.log"));
  EXPECT_EQ(update.size(), 1u + 10 + 19 + 242 + 1);
}

TEST_F(SetupRunTest, AnInstallLogThatCannotBeWrittenChangesNothing) {
  FailCreating("Install.log");
  EXPECT_EQ(Run("-s"), 0);
  EXPECT_FALSE(Sim.FileExists("C:\\Program Files\\Pennacle\\Install.log"));
}

TEST_F(SetupRunTest, ADamagedPayloadEndsBeforeAnythingIsWritten) {
  const std::string good = ReadTreeFile(PENNACLE_BINARY_DIR "/FILES.zlib");
  std::string flipped = good;
  flipped[flipped.size() / 2] ^= 0x10;
  struct Case {
    const char* what;
    std::string payload;
  } cases[] = {{"cut in half", good.substr(0, good.size() / 2)},
               {"one byte flipped", flipped},
               {"the checksum's last byte missing", good.substr(0, good.size() - 1)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Sim.AddResource("FILES", "FILES", c.payload);
    ResetRunState();
    const size_t boxes = Sim.MessageBoxes().size();
    EXPECT_EQ(Run("-s"), 2);
    EXPECT_EQ(Sim.MessageBoxes().size(), boxes);
    EXPECT_TRUE(NothingInstalled());
    ResetRunState();
    Sim.MessageBoxAnswers = {IDOK};
    EXPECT_EQ(Run(""), 2);
    ASSERT_EQ(Sim.MessageBoxes().size(), boxes + 1);
    EXPECT_EQ(Sim.MessageBoxes().back().TextAnsi(), ResConst::MsgSetupDamaged);
    EXPECT_TRUE(NothingInstalled());
    EXPECT_FALSE(Sim.KeyExists(InstallKey));
  }
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
