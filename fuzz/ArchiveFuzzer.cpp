// The archive on any inflated bytes: the fuzzer's input is the record stream, deflated here
// and carried as the setup's own resource. It loads or raises ESetupDamaged, nothing else.
// A loaded archive has records that tile the payload, and names that stay in their folder and
// name no device. Its first records are then installed below one folder on a fresh simulated
// machine: each file reported written holds its record's bytes, and nothing lands elsewhere.
#include "install/AttachFiles.h"
#include "install/InstUtils.h"
#include "platform/os/sim/SimSystem.h"
#include "platform/rtl/Exceptions.h"
#include "wizard/ResConst.h"

#include "FuzzSupport.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>
#include <string>

namespace {

constexpr const char* Dest = "C:\\Fuzz\\Dest\\";
constexpr size_t kInstalled = 32;

std::string Deflate(const uint8_t* data, size_t size) {
  std::string out(compressBound(uLong(size)), '\0');
  uLongf length = uLongf(out.size());
  if (compress2(reinterpret_cast<Bytef*>(&out[0]), &length, data, uLong(size), 1) != Z_OK)
    Finding("zlib could not deflate the input");
  out.resize(length);
  return out;
}

bool BeginsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// CON, PRN, AUX, NUL, COM1-9, LPT1-9 (also with the superscripts 1 to 3), whatever their
// case, extension or trailing blanks.
bool IsDevice(std::string element) {
  element = element.substr(0, element.find('.'));
  element.erase(element.find_last_not_of(' ') + 1);
  if (element.size() != 3 && element.size() != 4) return false;
  for (char& c : element) c = char(std::toupper(static_cast<unsigned char>(c)));
  for (const char* device : {"CON", "PRN", "AUX", "NUL"})
    if (element == device) return true;
  return element.size() == 4 && (element.rfind("COM", 0) == 0 || element.rfind("LPT", 0) == 0) &&
         std::string("123456789\xB9\xB2\xB3").find(element[3]) != std::string::npos;
}

// The ways out of a folder, stated apart from the loader's own rule.
bool CouldEscape(const std::string& name) {
  if (name.empty() || name[0] == '\\' || name.find(':') != std::string::npos ||
      name.find('/') != std::string::npos)
    return true;
  std::string element;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i < name.size() && name[i] != '\\') {
      element += name[i];
      continue;
    }
    if (element.find_first_not_of(". ") == std::string::npos || IsDevice(element)) return true;
    element.clear();
  }
  return false;
}

void CheckIndex(const TAttachedFiles& files) {
  int64_t offset = 0;
  for (const TAttachedFile& file : files.Files) {
    if (CouldEscape(file.FileName)) Finding("a name that could leave its folder was loaded");
    offset += 1 + int64_t(file.FileName.size()) + 12;
    if (file.DataOffset != offset || file.FileSize < 0) Finding("a record is not where it lies");
    offset += file.FileSize;
  }
  if (offset != files.PayloadSize) Finding("the records do not fill the payload");
}

void ResetRun() {
  SilentMode = true; // a failed write must not wait for an answer
  SetupExitCode = ExitSuccess;
  InstallLog.reset();
  LogSuspendCount = 0;
  FullTargetGiven = false;
}

void Install(SimSystem& sim, TAttachedFiles& files) {
  const std::vector<std::string> before = sim.FilesBelow("C:\\");
  for (int id = 0; id < ResConst::ComponentCount; ++id)
    if (files.ComponentSize(ResConst::ComponentFileLists[id], Dest) < 0)
      Finding("a component has a negative size");
  // A few dozen records show every way a name is written; all 273 would slow each run tenfold.
  const size_t count = std::min(files.Files.size(), kInstalled);
  for (size_t i = 0; i < count; ++i)
    files.AddFiles(files.Files[i].FileName, Dest, 0, AlwaysInstall);
  CreateInstallLog();
  for (const TFileToInstall& entry : files.ComponentFiles[0]) {
    if (!files.ExtractFile(entry.AttachedFile, std::string(), entry.TargetPath)) continue;
    const TAttachedFile& file = *entry.AttachedFile;
    const std::string bytes(reinterpret_cast<const char*>(files.Payload.get()) + file.DataOffset,
                            size_t(file.FileSize));
    if (sim.FileContent(entry.TargetPath) != bytes) Finding("a file reported written is not whole");
  }
  const std::set<std::string> earlier(before.begin(), before.end());
  for (const std::string& path : sim.FilesBelow("C:\\"))
    if (!earlier.count(path) && !BeginsWith(path, Dest)) Finding("a file was written outside");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SimSystem sim;
  TSystemScope scope(sim);
  ResetRun();
  sim.AddResource("FILES", "FILES", Deflate(data, size));
  const std::vector<std::string> before = sim.FilesBelow("C:\\");
  std::unique_ptr<TAttachedFiles> files;
  try {
    files = std::make_unique<TAttachedFiles>();
  } catch (const ESetupDamaged&) {
    if (sim.FilesBelow("C:\\") != before) Finding("refused data left a file behind");
    return 0;
  }
  CheckIndex(*files);
  Install(sim, *files);
  files.reset();
  ResetRun();
  return 0;
}
