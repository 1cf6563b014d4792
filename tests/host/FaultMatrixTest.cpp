// The fault matrix: whole runs of the setup (RunSetup, silent and interactive) on the simulated
// machine in which, one scenario at a time, one kind of system call fails at one point, or a
// drive vanishes mid-run. Every scenario must return (a bounded number of modal steps and
// message boxes), end with the exit code the program gives for the case, report in "Install.log"
// only files that are whole on disk, leave no cut product file behind and write nothing outside the
// folders the setup names. docs/architecture.md ("Faults") says how the points are chosen.
#include "WizardFixture.h"

#include "app/Setup.h"
#include "platform/rtl/StringList.h"
#include "wizard/ResConst.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <set>

namespace {

using namespace Wizard;

// How the run is driven: silently, or interactively with this answer in the file-error box.
// Retry goes with a fault that strikes once, so the second try succeeds; BoxFails makes every
// message box fail as well (MessageBoxExW returns 0).
enum class TDrive { Silent, Abort, Ignore, Retry, BoxFails };

// Where the product goes.
enum class TDest {
  ProgramFiles, // C:\Program Files\Pennacle, the default
  SecondDisk,   // D:\Pennacle, a second internal disk
  UsbDisk,      // E:\Pennacle, a fixed disk on the USB bus: portable
  Stick,        // F:\Pennacle, a USB stick: portable
  // E:\Pennacle when the device query cannot tell that it is on the USB bus: a fixed disk
  // (IsRemovablePath answers false when it cannot find out).
  UsbDiskUnknown,
  DocumentsData,    // the default, with the data below the documents folder
  NoSpecialFolders, // no special folder at all
};

struct TVanish {
  SimCall Call;
  std::string PathContains; // the call that finds the drive gone (it vanishes just before)
  char Letter;
  int Skip = 0;
};

struct TScenario {
  std::string Name;
  TDest Dest;
  TDrive Drive;
  std::vector<TSimFault> Faults;
  std::optional<TVanish> Vanish;
  int ExitCode;
  bool Completes; // the run reaches the finish page and leaves it with Finish
  // Product files that may be missing at the end (the failed and ignored one), by path text.
  std::string MayMiss;
  // Where the product goes instead, and folders the run may write into beside the usual ones.
  std::optional<TDest> Layout;
  std::vector<std::string> AlsoAllowed;

  TScenario(std::string name, TDest dest, TDrive drive, std::vector<TSimFault> faults,
            std::optional<TVanish> vanish = std::nullopt, int exitCode = 0, bool completes = true,
            std::string mayMiss = std::string())
      : Name(std::move(name)), Dest(dest), Drive(drive), Faults(std::move(faults)),
        Vanish(std::move(vanish)), ExitCode(exitCode), Completes(completes),
        MayMiss(std::move(mayMiss)) {}
};

const char* DestParameter(TDest dest) {
  switch (dest) {
  case TDest::SecondDisk: return "-DD:\\Pennacle";
  case TDest::UsbDisk:
  case TDest::UsbDiskUnknown: return "-DE:\\Pennacle";
  case TDest::Stick: return "-DF:\\Pennacle";
  default: return "";
  }
}

std::string DestFolder(TDest dest) {
  switch (dest) {
  case TDest::SecondDisk: return "D:\\Pennacle";
  case TDest::UsbDisk:
  case TDest::UsbDiskUnknown: return "E:\\Pennacle";
  case TDest::Stick: return "F:\\Pennacle";
  case TDest::NoSpecialFolders: return "C:\\Pennacle"; // the system drive's root
  default: return DefaultDest;
  }
}

bool Portable(TDest dest);

// Where the data folders are, without their trailing backslash.
std::string DataRootOf(TDest dest) {
  if (Portable(dest)) return DestFolder(dest);
  switch (dest) {
  case TDest::DocumentsData: return "C:\\Users\\User\\Documents\\Pennacle";
  // "Pennacle\" resolved against the current folder, the setup's own folder here.
  case TDest::NoSpecialFolders: return "C:\\Users\\User\\Downloads\\Pennacle";
  default: return DataRoot;
  }
}

bool Portable(TDest dest) {
  return dest == TDest::UsbDisk || dest == TDest::Stick;
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return s;
}

bool Contains(const std::string& text, const std::string& part) {
  return !part.empty() && Upper(text).find(Upper(part)) != std::string::npos;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return Upper(text).compare(0, prefix.size(), Upper(prefix)) == 0;
}

TSimFault Fault(SimCall call, const std::string& path, int times = -1, int skip = 0) {
  TSimFault f = FaultOf(call, path);
  f.Times = times;
  f.Skip = skip;
  return f;
}

TSimFault ShortWrite(const std::string& path) {
  TSimFault f = FaultOf(SimCall::WriteFile, path);
  f.ShortWriteBytes = 5;
  f.Error = 112; // ERROR_DISK_FULL
  return f;
}

const char* DriveName(TDrive d) {
  switch (d) {
  case TDrive::Silent: return "silent";
  case TDrive::Abort: return "Abort";
  case TDrive::Ignore: return "Ignore";
  case TDrive::Retry: return "Retry";
  default: return "box fails";
  }
}

constexpr int kModalSteps = 40;   // a whole interactive run takes 8
constexpr int kMessageBoxes = 12; // the most a scenario asks is 3 failed boxes and the quit

class FaultMatrixTest : public WizardTest {
protected:
  // What a clean run writes, by target path (upper case): the record's content.
  struct TProduct {
    std::map<std::string, std::string> Content; // upper case target -> the record's bytes
    std::map<std::string, std::string> Name;    // upper case target -> target as written
  };
  std::map<TDest, TProduct> Products;
  int UsbVolumeQueries = 0; // volume opens of E: in a clean silent run onto the USB disk
  // The last of them, which the installation makes when it starts; from there on the run
  // keeps the answer it got (TMainDlgForm::IsRemovableTarget).
  int UsbInstallQuery = -1;

  void AddDrives(SimSystem& sim) {
    sim.AddDrive('D', DRIVE_FIXED);
    TSimDrive& usb = sim.AddDrive('E', DRIVE_FIXED);
    usb.BusType = 7; // BusTypeUsb
    sim.AddDrive('F', DRIVE_REMOVABLE);
  }

  // The machine of a scenario: this fixture's plain machine with the resources, and the drives.
  void Prepare(SimSystem& sim) {
    const std::string src = PENNACLE_SOURCE_DIR, bin = PENNACLE_BINARY_DIR;
    static const std::string form = ReadTreeFile(src + "/resources/MainDlg.form");
    static const std::string logo = ReadTreeFile(src + "/resources/logo.png");
    static const std::string payload = ReadTreeFile(bin + "/FILES.zlib");
    sim.AddResource("#10", "TMAINDLGFORM", form);
    sim.AddResource("PNG", "LOGO", logo);
    sim.AddResource("FILES", "FILES", payload);
    for (const char* name : {"OPENFOLDER", "CLOSEDFOLDER", "FIXEDDRIVE", "REMOVABLEDRIVE"}) {
      const uint8_t* data = nullptr;
      uint32_t size = 0;
      Sim.FindResourceData(name, "#2", &data, &size);
      sim.AddResource("#2", name, std::string(reinterpret_cast<const char*>(data), size));
    }
    sim.MakeDirs("C:\\Windows");
    AddDrives(sim);
    // The current folder is the setup's own, as a start from Explorer leaves it.
    sim.MakeDirs("C:\\Users\\User\\Downloads");
    sim.SetCurrentDirectoryA("C:\\Users\\User\\Downloads");
    sim.ResetCallCounts();
  }

  // The install list of a clean silent run into dest: target -> content.
  void LearnProduct(TDest dest) {
    SimSystem sim;
    TSystemScope scope(sim);
    ResetRunState();
    Prepare(sim);
    if (dest == TDest::UsbDiskUnknown) sim.AddFault(FaultOf(SimCall::DeviceIoControl));
    if (dest == TDest::DocumentsData) sim.AddFault(FaultOf(SimCall::SHGetFolderPath, "35"));
    if (dest == TDest::NoSpecialFolders) sim.AddFault(FaultOf(SimCall::SHGetFolderPath));
    sim.BeforeCall = [this, dest](SimCall call, const std::string& path) {
      if (dest == TDest::UsbDisk && call == SimCall::CreateFile && Contains(path, "\\\\.\\E:")) {
        UsbInstallQuery = UsbVolumeQueries++;
      }
    };
    sim.SetCommandLine(std::string("\"C:\\Users\\User\\Downloads\\setup.exe\" ") +
                       DestParameter(dest));
    SilentMode = true;
    Files = std::make_unique<TAttachedFiles>();
    Form = std::make_unique<TMainDlgForm>(*Files);
    Next();
    sim.BeforeCall = nullptr;
    ASSERT_EQ(SetupExitCode, 0);
    for (int id = 0; id < 5; ++id)
      for (const TFileToInstall& entry : Files->ComponentFiles[size_t(id)]) {
        const TAttachedFile& f = *entry.AttachedFile;
        Products[dest].Content[Upper(entry.TargetPath)] = std::string(
            reinterpret_cast<const char*>(Files->Payload.get() + f.DataOffset), size_t(f.FileSize));
        Products[dest].Name[Upper(entry.TargetPath)] = entry.TargetPath;
      }
    Form.reset();
    Files.reset();
    ResetRunState();
  }

  // Folders a run may write into, for a destination.
  std::vector<std::string> AllowedFolders(TDest dest) const {
    std::vector<std::string> folders = {DestFolder(dest) + "\\",
                                        "C:\\Users\\User\\AppData\\Local\\Temp\\"};
    if (!Portable(dest)) {
      folders.push_back(DataRootOf(dest) + "\\");
      folders.push_back("C:\\Users\\User\\AppData\\Roaming\\Pennacle\\");
      folders.push_back("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\");
      folders.push_back("C:\\Users\\User\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\"
                        "Programs\\");
      folders.push_back("C:\\Users\\Public\\Desktop\\");
      folders.push_back("C:\\Users\\User\\Desktop\\");
    }
    return folders;
  }

  static std::set<std::string> AllFiles(SimSystem& sim) {
    std::set<std::string> all;
    for (const char* root : {"C:", "D:", "E:", "F:"})
      for (const std::string& f : sim.FilesBelow(root)) all.insert(f);
    return all;
  }

  void RunScenario(const TScenario& s);
};

void FaultMatrixTest::RunScenario(const TScenario& s) {
  SCOPED_TRACE(s.Name);
  SimSystem sim;
  TSystemScope scope(sim);
  THeadlessGui gui;
  TGuiScope guiScope(gui);
  ResetRunState();
  Prepare(sim);
  const std::set<std::string> before = AllFiles(sim);
  for (const TSimFault& f : s.Faults) sim.AddFault(f);
  if (s.Vanish) {
    int seen = 0;
    bool gone = false;
    const TVanish v = *s.Vanish;
    sim.BeforeCall = [&sim, v, seen, gone](SimCall call, const std::string& path) mutable {
      if (gone || call != v.Call || !Contains(path, v.PathContains) || seen++ < v.Skip) return;
      gone = true;
      sim.RemoveDrive(v.Letter);
    };
  }

  // The user: Next while it is enabled (Finish on the last page), otherwise Cancel; Yes to the
  // quit question; the scenario's answer to a file that cannot be written.
  int steps = 0, boxes = 0;
  bool stuck = false;
  gui.ModalStepLimit = kModalSteps;
  gui.OnModalStep = [&](TForm& f) {
    auto& form = dynamic_cast<TMainDlgForm&>(f);
    if (++steps >= kModalSteps) stuck = true;
    if (form.NextBtn->Enabled())
      form.NextBtn->Click();
    else
      form.CancelBtn->Click();
  };
  if (s.Drive == TDrive::BoxFails) sim.AddFault(FaultOf(SimCall::MessageBox));
  sim.OnMessageBox = [&](const TSimMessageBox& box) {
    if (++boxes > kMessageBoxes) {
      stuck = true;
      return int(IDABORT);
    }
    if (box.TextAnsi() == ResConst::MsgQuitSetup) return int(IDYES);
    if (StartsWith(box.TextAnsi(), "Cannot create file")) {
      switch (s.Drive) {
      case TDrive::Ignore: return int(IDIGNORE);
      case TDrive::Retry: return int(IDRETRY);
      default: return int(IDABORT);
      }
    }
    return int(IDOK);
  };

  const bool silent = s.Drive == TDrive::Silent;
  sim.SetCommandLine(std::string("\"C:\\Users\\User\\Downloads\\setup.exe\" ") +
                     (silent ? "-s " : "") + DestParameter(s.Dest));
  const int exitCode = RunSetup();
  sim.BeforeCall = nullptr;

  EXPECT_FALSE(stuck) << steps << " modal steps, " << boxes << " message boxes";
  EXPECT_EQ(exitCode, s.ExitCode);
  EXPECT_EQ(sim.UnexpectedMessageBoxes(), 0);
  if (silent) {
    EXPECT_TRUE(sim.MessageBoxes().empty());
  }
  EXPECT_EQ(sim.OpenHandleCount(), 0u);

  // The USB disk is installed onto as a fixed disk when the run could not tell (the query
  // failed when the installation started); either way, one layout from start to end.
  const TDest layout = s.Layout ? *s.Layout
                       : s.Dest == TDest::UsbDisk && sim.FolderExists(DataRoot)
                           ? TDest::UsbDiskUnknown
                           : s.Dest;

  // Every product file on disk is whole: a cut file never passes for the product's.
  const TProduct& product = Products.at(layout);
  for (const auto& [upper, content] : product.Content) {
    const std::string& path = product.Name.at(upper);
    auto onDisk = sim.FileContent(path);
    if (onDisk) {
      EXPECT_TRUE(*onDisk == content)
          << path << " is not whole: " << onDisk->size() << " of " << content.size() << " bytes";
    } else if (s.Completes && !s.Vanish) {
      EXPECT_TRUE(Contains(path, s.MayMiss)) << path << " is missing";
    }
  }

  // Every "File Copy: " line names a whole product file or a saved shortcut, and the log ends
  // with a whole line.
  const std::string dest = DestFolder(layout);
  if (auto log = sim.FileContent(dest + "\\Install.log")) {
    EXPECT_FALSE(Portable(layout)) << "a portable installation has no install log";
    EXPECT_TRUE(log->empty() || (log->size() >= 2 && log->compare(log->size() - 2, 2, "\r\n") == 0))
        << "the log ends in half a line";
    TStringList lines;
    lines.SetText(*log);
    for (int i = 0; i < lines.Count(); ++i) {
      const std::string& line = lines[i];
      if (!StartsWith(line, ResConst::LogFileCopy)) {
        EXPECT_TRUE(StartsWith(line, ResConst::LogMadeDir)) << line;
        continue;
      }
      const std::string path = line.substr(std::string(ResConst::LogFileCopy).size());
      if (Contains(path, ResConst::ShortcutFile)) {
        EXPECT_TRUE(sim.LinkAt(path)) << "logged but not saved: " << path;
        continue;
      }
      auto it = product.Content.find(Upper(path));
      ASSERT_NE(it, product.Content.end()) << "logged but no product file: " << path;
      auto onDisk = sim.FileContent(path);
      EXPECT_TRUE(onDisk && *onDisk == it->second) << "logged but not whole: " << path;
    }
  }

  // "Update.log" holds markers and whole paths of public product files, every line whole.
  if (auto update = sim.FileContent(DataRootOf(layout) + "\\Update.log")) {
    EXPECT_TRUE(update->empty() ||
                (update->size() >= 2 && update->compare(update->size() - 2, 2, "\r\n") == 0))
        << "the update log ends in half a line";
    TStringList lines;
    lines.SetText(*update);
    for (int i = 0; i < lines.Count(); ++i) {
      std::string line = lines[i];
      if (line.size() == 17 && line[0] == '*') continue;
      if (line.size() > 2 && line.compare(line.size() - 2, 2, "\t!") == 0)
        line.resize(line.size() - 2);
      EXPECT_TRUE(product.Content.count(Upper(line))) << "not a product file: " << lines[i];
    }
  }

  // Nothing outside the folders the setup names.
  std::vector<std::string> allowed = AllowedFolders(layout);
  allowed.insert(allowed.end(), s.AlsoAllowed.begin(), s.AlsoAllowed.end());
  for (const std::string& file : AllFiles(sim)) {
    if (before.count(file)) continue;
    bool inside = false;
    for (const std::string& folder : allowed) inside |= StartsWith(file, folder);
    EXPECT_TRUE(inside) << "written outside the named folders: " << file;
  }

  // A portable installation stays portable to its end, whatever a query answered on the way.
  if (Portable(layout)) {
    EXPECT_FALSE(sim.FolderExists(DataRoot)) << "data folders of a fixed installation";
    EXPECT_FALSE(sim.KeyExists(UninstallKey)) << "an uninstall entry for a portable target";
    EXPECT_TRUE(sim.SavedLinks().empty());
    EXPECT_FALSE(sim.FileExists(dest + "\\install_stamp"));
  } else if (layout == TDest::UsbDiskUnknown && s.Completes) {
    EXPECT_TRUE(sim.FileExists(dest + "\\Install.log"));
    EXPECT_TRUE(sim.KeyExists(UninstallKey));
    EXPECT_EQ(sim.SavedLinks().size(), 2u);
  }

  // The small data files are whole or absent: a cut value would be read as a wrong one.
  const std::pair<std::string, size_t> smallFiles[] = {
      {DataRootOf(layout) + "\\pnc_common.dat", 16},
      {DataRootOf(layout) + "\\Hidden\\install_stamp", 8}};
  for (const auto& [file, size] : smallFiles) {
    if (auto content = sim.FileContent(file)) {
      EXPECT_EQ(content->size(), size) << "cut: " << file;
    }
  }

  if (s.Completes) {
    const std::string common = DataRootOf(layout) + "\\pnc_common.dat";
    EXPECT_TRUE(sim.FileExists(common) || Contains(common, s.MayMiss)) << "did not finish";
  }
  // An installation that started leaves its choices in the registry, unless the registry is
  // what failed.
  if (InstallStarted) {
    bool registryFault = false;
    for (const TSimFault& f : s.Faults)
      registryFault |= f.Call == SimCall::RegCreateKey || f.Call == SimCall::RegSetValue;
    if (!registryFault) {
      EXPECT_TRUE(sim.RegValue(InstallKey, "MAINDIR"));
    }
  }
  // Temporary files are gone when nothing stops their deletion.
  bool deletionFails = false;
  for (const TSimFault& f : s.Faults) deletionFails |= f.Call == SimCall::DeleteFile;
  if (!deletionFails) {
    EXPECT_TRUE(sim.FilesBelow("C:\\Users\\User\\AppData\\Local\\Temp").empty());
  }
  ResetRunState();
}

// A point of the run at which the file calls fail: what the path contains, and whether a box
// asks about it (an archived file) or the failure passes silently (a data file, a log).
struct TFilePoint {
  std::string Name, Path;
  bool Archived;      // a file of the install list, or the license's temporary copy
  bool License;       // the license's temporary copy: Abort there closes the wizard with 0
  bool Empty = false; // a record of 0 bytes: a short write cannot cut it
};

TEST_F(FaultMatrixTest, EveryFaultAtEveryPointEndsSoundly) {
  const auto started = std::chrono::steady_clock::now();
  for (TDest dest : {TDest::ProgramFiles, TDest::SecondDisk, TDest::UsbDisk, TDest::Stick,
                     TDest::UsbDiskUnknown, TDest::DocumentsData, TDest::NoSpecialFolders})
    LearnProduct(dest);
  ASSERT_FALSE(HasFatalFailure());

  Create(true);
  const std::string firstTemplate = ArchiveName("Templates\\", 0);
  std::string lastClip;
  for (int n = 0; !ArchiveName("Clip Library\\", n).empty(); ++n)
    lastClip = ArchiveName("Clip Library\\", n);
  const std::string firstClip = ArchiveName("Clip Library\\", 0);
  Form.reset();
  Files.reset();
  ResetRunState();

  const std::vector<TFilePoint> points = {
      {"license copy", "~PennacleWordProcessorSetup", true, true},
      {"pnc.exe (first)", "Pennacle\\pnc.exe", true, false},
      {"License.txt", "Pennacle\\License.txt", true, false},
      {"first proofing file", "English (American).lgs", true, false},
      {"full target", "English (British).cache", true, false},
      {"empty record", "userdicen.tlx", true, false, true},
      {"first template", firstTemplate, true, false},
      {"first clip", firstClip, true, false},
      {"last clip", lastClip, true, false},
      {"Basic.snd (last)", "Basic.snd", true, false},
      {"install_stamp", "install_stamp", false, false},
      {"pnc_common.dat", "pnc_common.dat", false, false},
      {"Update.log", "Update.log", false, false},
      {"Install.log", "Install.log", false, false},
  };

  std::vector<TScenario> table;
  // The file calls at each point: create, write, short write, set file time.
  for (const TFilePoint& p : points) {
    struct TKind {
      const char* Name;
      TSimFault Fault;
      bool Fails; // the file is not written (a short write cuts it)
    };
    std::vector<TKind> kinds = {{"create", Fault(SimCall::CreateFile, p.Path), true},
                                {"write", Fault(SimCall::WriteFile, p.Path), true},
                                {"short write", ShortWrite(p.Path), !p.Empty}};
    if (p.Archived && !p.License)
      kinds.push_back({"set file time", Fault(SimCall::SetFileTime, p.Path), false});
    for (const TKind& k : kinds) {
      const std::string name = k.Name + std::string(" fails at ") + p.Name;
      const bool boxed = p.Archived && k.Fails;
      // Silent: a file that is not written ends the run with 2; the rest passes unnoticed.
      table.push_back(TScenario{name + ", silent",
                                TDest::ProgramFiles,
                                TDrive::Silent,
                                {k.Fault},
                                std::nullopt,
                                boxed ? 2 : 0,
                                !boxed,
                                p.Path});
      if (!boxed) {
        table.push_back(TScenario{name + ", interactive",
                                  TDest::ProgramFiles,
                                  TDrive::Abort,
                                  {k.Fault},
                                  std::nullopt,
                                  0,
                                  true,
                                  p.Path});
        continue;
      }
      // Abort: the installation ends with 2; on the license copy the wizard closes with 0.
      table.push_back(TScenario{name + ", Abort",
                                TDest::ProgramFiles,
                                TDrive::Abort,
                                {k.Fault},
                                std::nullopt,
                                p.License ? 0 : 2,
                                false,
                                p.Path});
      // Ignore: the run goes on; the file is missing, and unlogged.
      table.push_back(TScenario{name + ", Ignore",
                                TDest::ProgramFiles,
                                TDrive::Ignore,
                                {k.Fault},
                                std::nullopt,
                                0,
                                true,
                                p.Path});
      // Retry after a fault that strikes once: the second try writes the file whole.
      TSimFault once = k.Fault;
      once.Times = 1;
      table.push_back(TScenario{name + " once, Retry", TDest::ProgramFiles, TDrive::Retry, {once}});
      // The box cannot be shown: three failed boxes count as Abort. The box does not depend
      // on which call failed, so the creation stands for the three.
      if (k.Fault.Call == SimCall::CreateFile)
        table.push_back(TScenario{name + ", box fails",
                                  TDest::ProgramFiles,
                                  TDrive::BoxFails,
                                  {k.Fault},
                                  std::nullopt,
                                  p.License ? 0 : 2,
                                  false,
                                  p.Path});
    }
  }

  // Folder creation: the destination, the data root and a folder of the clip library.
  for (const char* folder :
       {"C:\\Program Files\\Pennacle", "C:\\ProgramData\\Pennacle\\", "\\Clip Library\\"}) {
    const std::string name = std::string("folder create fails at ") + folder;
    table.push_back(TScenario{name + ", silent",
                              TDest::ProgramFiles,
                              TDrive::Silent,
                              {Fault(SimCall::CreateDirectory, folder)},
                              std::nullopt,
                              2,
                              false,
                              folder});
    table.push_back(TScenario{name + ", Abort",
                              TDest::ProgramFiles,
                              TDrive::Abort,
                              {Fault(SimCall::CreateDirectory, folder)},
                              std::nullopt,
                              2,
                              false,
                              folder});
  }

  // The registry: nothing is checked, nothing is reported, the run ends as it would.
  struct TRegPoint {
    const char* Name;
    TSimFault Fault;
  };
  const TRegPoint regs[] = {
      {"registry open fails everywhere", Fault(SimCall::RegCreateKey, "")},
      {"registry open fails at the uninstall key", Fault(SimCall::RegCreateKey, "Uninstall")},
      {"registry open fails once at the settings key",
       Fault(SimCall::RegCreateKey, "Pennacle Word Processor\\Install", 1)},
      {"registry read fails everywhere", Fault(SimCall::RegQueryValue, "")},
      {"registry write fails everywhere", Fault(SimCall::RegSetValue, "")},
      {"registry write fails at MAINDIR", Fault(SimCall::RegSetValue, "MAINDIR")},
      {"registry write fails at the uninstall string", Fault(SimCall::RegSetValue, "Uninstall")},
  };
  for (const TRegPoint& r : regs)
    for (TDrive d : {TDrive::Silent, TDrive::Abort})
      table.push_back(
          TScenario{std::string(r.Name) + ", " + DriveName(d), TDest::ProgramFiles, d, {r.Fault}});

  // Shortcuts: the link object or its save fails; the run ends normally, nothing is logged.
  const TRegPoint links[] = {
      {"shell link save fails at the Start menu", Fault(SimCall::ShellLinkSave, "Programs")},
      {"shell link save fails at the desktop", Fault(SimCall::ShellLinkSave, "Desktop")},
      {"shell link save fails everywhere", Fault(SimCall::ShellLinkSave, "")},
      {"shell link object cannot be made", Fault(SimCall::ShellLinkCreate, "")},
      {"shortcut file create fails", Fault(SimCall::CreateFile, ".lnk")},
      {"shortcut file short write", ShortWrite(".lnk")},
  };
  for (const TRegPoint& l : links)
    for (TDrive d : {TDrive::Silent, TDrive::Abort})
      table.push_back(
          TScenario{std::string(l.Name) + ", " + DriveName(d), TDest::ProgramFiles, d, {l.Fault}});

  // Free space: unknown free space is no space (code 3 silently, Next disabled interactively,
  // where the user cancels); a cluster size that cannot be read leaves the sizes unrounded.
  for (int times : {-1, 1}) {
    const std::string n = times < 0 ? "" : " once";
    table.push_back(TScenario{"free-space query fails" + n + ", silent",
                              TDest::ProgramFiles,
                              TDrive::Silent,
                              {Fault(SimCall::GetDiskFreeSpaceEx, "", times)},
                              std::nullopt,
                              3,
                              false,
                              std::string()});
    table.push_back(TScenario{"free-space query fails" + n + ", interactive",
                              TDest::ProgramFiles,
                              TDrive::Abort,
                              {Fault(SimCall::GetDiskFreeSpaceEx, "", times)},
                              std::nullopt,
                              0,
                              false,
                              std::string()});
  }
  for (TDrive d : {TDrive::Silent, TDrive::Abort}) {
    table.push_back(TScenario{std::string("cluster-size query fails, ") + DriveName(d),
                              TDest::ProgramFiles,
                              d,
                              {Fault(SimCall::GetDiskFreeSpace, "")}});
    table.push_back(TScenario{std::string("volume information fails, ") + DriveName(d),
                              TDest::ProgramFiles,
                              d,
                              {Fault(SimCall::GetVolumeInformation, "")}});
    table.push_back(TScenario{std::string("volume information fails, portable, ") + DriveName(d),
                              TDest::Stick,
                              d,
                              {Fault(SimCall::GetVolumeInformation, "")}});
  }
  // The removable-media test of a USB disk at each of the times it is asked: the volume open
  // and the device query, failing once at call n (every call a clean run makes is a point).
  ASSERT_GT(UsbVolumeQueries, 0);
  ASSERT_GE(UsbInstallQuery, 0);
  for (int n = 0; n < UsbVolumeQueries; ++n)
    for (SimCall call : {SimCall::CreateFile, SimCall::DeviceIoControl}) {
      const bool open = call == SimCall::CreateFile;
      table.push_back(TScenario{std::string(open ? "volume open" : "device query") +
                                    " fails at call " + std::to_string(n) +
                                    " on a USB disk, silent",
                                TDest::UsbDisk,
                                TDrive::Silent,
                                {Fault(call, "\\\\.\\E:", 1, n)}});
    }
  for (TDrive d : {TDrive::Silent, TDrive::Abort})
    table.push_back(
        TScenario{std::string("device query fails everywhere on a USB disk, ") + DriveName(d),
                  TDest::UsbDisk,
                  d,
                  {Fault(SimCall::DeviceIoControl, "")}});

  // Calls the run makes whose results the program does not check: reading (the license copy, an
  // earlier log), deleting (the license copy, the other scope's shortcuts, the temporary files),
  // folder tests through the current directory, attributes, listings, and the product's start
  // at Finish. The run ends as it would.
  for (SimCall call : {SimCall::ReadFile, SimCall::DeleteFile, SimCall::SetCurrentDirectory,
                       SimCall::GetFileAttributes, SimCall::FindFirstFile, SimCall::WinExec})
    for (TDrive d : {TDrive::Silent, TDrive::Abort})
      table.push_back(
          TScenario{std::string(SimCallName(call)) + " fails everywhere, " + DriveName(d),
                    TDest::ProgramFiles,
                    d,
                    {Fault(call, "")}});

  // Special folders: without the all-users data folder the data goes below the documents
  // folder; without any special folder the product goes to the system drive's
  // root and the data below the current folder.
  for (TDrive d : {TDrive::Silent, TDrive::Abort}) {
    TScenario common{std::string("special folder 35 fails, ") + DriveName(d),
                     TDest::ProgramFiles,
                     d,
                     {Fault(SimCall::SHGetFolderPath, "35")}};
    common.Layout = TDest::DocumentsData;
    common.AlsoAllowed = {"C:\\Users\\User\\Documents\\Pennacle\\"};
    table.push_back(common);
    TScenario none{std::string("every special folder fails, ") + DriveName(d),
                   TDest::ProgramFiles,
                   d,
                   {Fault(SimCall::SHGetFolderPath, "")}};
    none.Layout = TDest::NoSpecialFolders;
    none.AlsoAllowed = {DestFolder(TDest::NoSpecialFolders) + "\\"};
    table.push_back(none);
  }

  // Drives that vanish mid-run: just before the call named.
  // A box that cannot be shown keeps the wizard open at Cancel, so the points
  // that stop on the components page are driven silently and with Abort only.
  struct TVanishPoint {
    const char* Name;
    TDest Dest;
    TVanish Vanish;
    int Silent, Interactive; // exit codes
    bool Completes;
    bool StopsOnComponentsPage = false;
  };
  const TVanishPoint vanishes[] = {
      {"second disk vanishes at the free-space query",
       TDest::SecondDisk,
       {SimCall::GetDiskFreeSpaceEx, "D:", 'D'},
       3,
       0,
       false,
       true},
      {"second disk vanishes at pnc.exe's creation",
       TDest::SecondDisk,
       {SimCall::CreateFile, "D:\\Pennacle\\pnc.exe", 'D'},
       2,
       2,
       false},
      {"second disk vanishes at pnc.exe's write",
       TDest::SecondDisk,
       {SimCall::WriteFile, "D:\\Pennacle\\pnc.exe", 'D'},
       2,
       2,
       false},
      {"second disk vanishes at License.txt's date",
       TDest::SecondDisk,
       {SimCall::SetFileTime, "License.txt", 'D'},
       0,
       0,
       false},
      {"second disk vanishes at the install log",
       TDest::SecondDisk,
       {SimCall::CreateFile, "D:\\Pennacle\\Install.log", 'D'},
       0,
       0,
       false},
      {"stick vanishes at the first clip",
       TDest::Stick,
       {SimCall::CreateFile, firstClip, 'F'},
       2,
       2,
       false},
      {"stick vanishes at the last file's write",
       TDest::Stick,
       {SimCall::WriteFile, "Basic.snd", 'F'},
       2,
       2,
       false},
      {"stick vanishes at pnc_common.dat",
       TDest::Stick,
       {SimCall::CreateFile, "pnc_common.dat", 'F'},
       0,
       0,
       false},
      {"USB disk vanishes at its first query (the drive list)",
       TDest::UsbDisk,
       {SimCall::CreateFile, "\\\\.\\E:", 'E', 0},
       3,
       0,
       false,
       true},
      {"USB disk vanishes as the installation starts",
       TDest::UsbDisk,
       {SimCall::CreateFile, "\\\\.\\E:", 'E', UsbInstallQuery},
       2,
       2,
       false},
      {"USB disk vanishes at the first proofing file",
       TDest::UsbDisk,
       {SimCall::CreateFile, "English (American).lgs", 'E'},
       2,
       2,
       false},
  };
  for (const TVanishPoint& v : vanishes)
    for (TDrive d : {TDrive::Silent, TDrive::Abort, TDrive::BoxFails})
      if (d != TDrive::BoxFails || !v.StopsOnComponentsPage)
        table.push_back(TScenario{std::string(v.Name) + ", " + DriveName(d),
                                  v.Dest,
                                  d,
                                  {},
                                  v.Vanish,
                                  d == TDrive::Silent ? v.Silent : v.Interactive,
                                  v.Completes,
                                  std::string()});

  for (const TScenario& s : table) {
    RunScenario(s);
    if (HasFatalFailure()) break;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("%zu scenarios in %.1f s\n", table.size(), seconds);
}

// The calls a clean silent installation makes, by kind: the matrix's points are sampled from
// these (docs/architecture.md, "Faults").
TEST_F(FaultMatrixTest, ACleanRunMakesTheseCalls) {
  Sim.SetCommandLine("\"C:\\Users\\User\\Downloads\\setup.exe\" -s");
  AddDrives(Sim);
  Sim.ResetCallCounts();
  ASSERT_EQ(RunSetup(), 0);
  for (int k = 0; k < int(SimCall::Count); ++k)
    if (Sim.CallCount(SimCall(k)) > 0)
      std::printf("%-22s %6d\n", SimCallName(SimCall(k)), Sim.CallCount(SimCall(k)));
  EXPECT_GT(Sim.CallCount(SimCall::CreateFile), 273);
  EXPECT_GE(Sim.CallCount(SimCall::WriteFile), 273);
}

} // namespace
