// Destinations at the edges: a folder longer than the system's paths, names with the euro sign
// and e-acute of code page 1252, a drive that does not exist, network shares. Each run must end
// with its exit code, write only below the folders it names, and show paths whole.
#include "WizardFixture.h"

#include "app/Setup.h"
#include "platform/rtl/Strings.h"
#include "wizard/ResConst.h"

#include <algorithm>
#include <functional>
#include <set>

namespace {

using namespace Wizard;

// A folder path of exactly length characters on C:, in levels of legal length.
std::string LongFolder(size_t length) {
  std::string path = "C:\\Pennacle";
  while (path.size() < length) path += "\\Level-" + std::to_string(path.size());
  path.resize(length);
  if (path.back() == '\\' || path.back() == '-') path.back() = 'x';
  return path;
}

const std::string Long300 = LongFolder(300);
const std::string Accented = "C:\\Caf\x80\xE9 Pr\xE9sent";               // bytes 128 and 233
const std::u16string AccentedWide = u"C:\\Caf\u20AC\u00E9 Pr\u00E9sent"; // as the user sees it
const std::string Share = "\\\\server\\share";

class EdgeDestinationTest : public WizardTest {
protected:
  std::set<std::string> AllFiles() const {
    std::set<std::string> all;
    for (const char* root : {"C:\\", "N:\\", "\\\\server\\share"})
      for (const std::string& f : Sim.FilesBelow(root)) all.insert(f);
    return all;
  }
  int RunSilently(const std::string& dest) {
    Sim.SetCommandLine("\"C:\\Users\\User\\Downloads\\setup.exe\" -s \"-D" + dest + "\"");
    return RunSetup();
  }
  // The files a run added that lie neither below the destination nor in the data folders,
  // nor are the product's shortcuts.
  std::vector<std::string> StrayFiles(const std::set<std::string>& before,
                                      const std::string& dest) const {
    std::vector<std::string> stray;
    for (const std::string& f : AllFiles()) {
      if (before.count(f)) continue;
      const bool inDest = SameName(f.substr(0, dest.size() + 1), dest + "\\");
      const bool inData = SameName(f.substr(0, strlen(DataRoot) + 1), std::string(DataRoot) + "\\");
      const bool link = SameName(ExtractFileName(f), "Pennacle Word Processor.lnk");
      if (!inDest && !inData && !link) stray.push_back(f);
    }
    return stray;
  }
};

struct EdgeCase {
  const char* what;
  std::string dest;
  std::function<void(SimSystem&)> machine; // what the machine has beyond drive C:
  int exitCode;
  bool installed; // the run installs the product below dest
};

void ShareServer(SimSystem& s) {
  s.AddShare(Share);
}

const EdgeCase EdgeCases[] = {
    {"long_as_windows_takes_paths", Long300, nullptr, ExitFileNotWritten, false},
    {"long_with_long_paths_on", Long300, [](SimSystem& s) { s.SetLongPathsEnabled(true); },
     ExitSuccess, true},
    {"euro_and_e_acute", Accented, nullptr, ExitSuccess, true},
    {"euro_and_e_acute_cyrillic_code_page", Accented, [](SimSystem& s) { s.SetAnsiCodePage(1251); },
     ExitSuccess, true},
    {"missing_drive", "X:\\One", nullptr, ExitNoDiskSpace, false},
    {"share", Share + "\\Apps", ShareServer, ExitSuccess, true},
    {"share_root", Share, ShareServer, ExitSuccess, true},
    {"server_that_does_not_answer", Share + "\\Apps", nullptr, ExitNoDiskSpace, false},
    {"mapped_network_drive", "N:\\Apps",
     [](SimSystem& s) { s.AddDrive('N', DRIVE_REMOTE).RemoteName = Share; }, ExitSuccess, true},
};

class EdgeSilentRun : public EdgeDestinationTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(EdgeSilentRun, EndsWithItsCodeAndWritesOnlyWhereItMay) {
  const EdgeCase& c = GetParam();
  if (c.machine) c.machine(Sim);
  const std::set<std::string> before = AllFiles();
  EXPECT_EQ(RunSilently(c.dest), c.exitCode);
  EXPECT_TRUE(Sim.MessageBoxes().empty());
  EXPECT_EQ(StrayFiles(before, c.dest), std::vector<std::string>());
  const std::string program = c.dest + "\\pnc.exe";
  EXPECT_EQ(Sim.FileExists(program), c.installed);
  if (c.installed) {
    // Not portable: the log lies in the destination, the data in the data folders.
    EXPECT_NE(Text(c.dest + "\\Install.log").find("File Copy: " + program + "\r\n"),
              std::string::npos);
    EXPECT_TRUE(Sim.FileExists(std::string(PublicRoot) + "\\Basic.snd"));
  }
  // The saved folder is the one given, whole, whenever the installation started.
  auto saved = Sim.RegValue(InstallKey, "MAINDIR");
  if (c.exitCode == ExitNoDiskSpace) {
    EXPECT_FALSE(saved);
  } else {
    ASSERT_TRUE(saved);
    EXPECT_EQ(std::string(saved->Data.c_str()), c.dest);
  }
}

INSTANTIATE_TEST_SUITE_P(Destinations, EdgeSilentRun, ::testing::ValuesIn(EdgeCases),
                         [](const auto& info) { return std::string(info.param.what); });

class EdgeDestinationPage : public EdgeDestinationTest,
                            public ::testing::WithParamInterface<EdgeCase> {};

// The page shows the folder as given and takes it over unchanged; the components page can
// offer Next only where the free space can be asked, and an unknown one shows as none.
TEST_P(EdgeDestinationPage, ShowsTheFolderAsGivenAndOffersNextOnlyWithKnownSpace) {
  const EdgeCase& c = GetParam();
  if (c.machine) c.machine(Sim);
  Create(false, "\"-D" + c.dest + "\"");
  WalkTo(2);
  EXPECT_EQ(Form->DestDirEdt->Text(), c.dest);
  Next();
  ASSERT_EQ(PageIndex(), 3);
  EXPECT_EQ(Form->DestDir(), c.dest);
  const bool spaceKnown = c.exitCode != ExitNoDiskSpace;
  EXPECT_EQ(Form->NextBtn->Enabled(), spaceKnown);
  if (!spaceKnown) {
    EXPECT_EQ(Form->SelCompDiskSpaceAvailLbl2->Caption(), FormatSize(0));
  }
}

INSTANTIATE_TEST_SUITE_P(Destinations, EdgeDestinationPage, ::testing::ValuesIn(EdgeCases),
                         [](const auto& info) { return std::string(info.param.what); });

// The question about a file that cannot be written names its whole path, in the characters of
// code page 1252 whatever the system's ANSI code page, and Abort ends with exit code 2.
TEST_F(EdgeDestinationTest, TheQuestionShowsTheWholePathInItsOwnCharacters) {
  struct Case {
    const char* what;
    std::string dest;
    uint32_t codePage;
    std::u16string shown; // what the box must show of the path
  } cases[] = {
      {"accented, western code page", Accented, 1252, AccentedWide + u"\\pnc.exe\""},
      {"accented, Cyrillic code page", Accented, 1251, AccentedWide + u"\\pnc.exe\""},
      {"300 characters", Long300, 1252,
       std::u16string(Long300.begin(), Long300.end()) + u"\\pnc.exe\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetRunState();
    Sim.SetAnsiCodePage(c.codePage);
    Sim.ClearFaults();
    FailCreating("\\pnc.exe");
    Create(false, "\"-D" + c.dest + "\"");
    WalkTo(4);
    const size_t boxes = Sim.MessageBoxes().size();
    Sim.MessageBoxAnswers = {IDABORT};
    EXPECT_EQ(ShowModal({[&] { Next(); }}), mrCancel);
    EXPECT_EQ(SetupExitCode, ExitFileNotWritten);
    ASSERT_EQ(Sim.MessageBoxes().size(), boxes + 1);
    const std::u16string& text = Sim.MessageBoxes().back().Text;
    EXPECT_EQ(text.compare(0, 20, u"Cannot create file \""), 0);
    EXPECT_EQ(text.compare(20, c.shown.size(), c.shown), 0);
    Form.reset();
    Files.reset();
  }
}

// A share shown in the folder list has no drive letter to lend a typed folder without one.
TEST_F(EdgeDestinationTest, AFolderWithoutADriveBesideAShareFallsBackToADriveLetter) {
  Sim.AddShare(Share);
  Sim.MakeDirs(Share + "\\Apps");
  Create(false, "\"-D" + Share + "\\Apps\"");
  WalkTo(2);
  EXPECT_EQ(Form->DestDirLstBx->Directory(), Share + "\\Apps");
  for (const char* typed : {"Apps", "", "\\Apps"}) {
    Form->DestDirEdt->SetText(typed);
    Form->NormalizeDestDir();
    EXPECT_EQ(Form->DestDirEdt->Text(), "c:\\Pennacle") << "typed '" << typed << "'";
  }
}

// Taking a stick out leaves a share that is shown where it is, as it leaves drive C:.
TEST_F(EdgeDestinationTest, AShareStaysShownWhenADriveGoes) {
  Sim.AddShare(Share);
  Sim.AddDrive('E', DRIVE_REMOVABLE);
  Create(false, "\"-D" + Share + "\\Apps\"");
  WalkTo(2);
  Sim.RemoveDrive('E');
  Form->WMTimer();
  EXPECT_EQ(Form->DestDirEdt->Text(), Share + "\\Apps");
  EXPECT_EQ(Form->DestDirLstBx->Directory(), Share + "\\");
  WalkTo(3);
  EXPECT_EQ(Form->DestDir(), Share + "\\Apps");
}

} // namespace
