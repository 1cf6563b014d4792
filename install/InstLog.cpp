// The install log and the merge of the update log.
#include "install/InstUtils.h"

#include "platform/os/Handles.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"
#include "wizard/ResConst.h"

#include <cstring>

std::unique_ptr<TStringList> InstallLog;
std::string InstallLogPath;
int32_t LogSuspendCount = 0;

namespace {
constexpr uint32_t LogCompareFlags = NORM_IGNORECASE | SORT_STRINGSORT;

bool SameLine(const std::string& a, const std::string& b) {
  return Sys().CompareStringA(LOCALE_USER_DEFAULT, LogCompareFlags, a, b) == CSTR_EQUAL;
}

bool IsMarker(const std::string& line) {
  return !line.empty() && line[0] == ResConst::UpdateLogMarker;
}

// A save that stopped part-way (a full disk, a short write) leaves the file as far as it got,
// its last line perhaps half a path. Cut it back to its last whole line: a log names whole
// paths only.
void KeepWholeLines(const std::string& path) {
  TFileHandle file(Sys().CreateFileW(WideFrom1252(path), GENERIC_READ | GENERIC_WRITE, 0,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
  if (!file.Valid()) return;
  const uint32_t size = Sys().GetFileSize(file.Get(), nullptr);
  if (size == INVALID_FILE_SIZE || size == 0) return;
  std::string text(size, '\0');
  uint32_t read = 0;
  if (!Sys().ReadFile(file.Get(), &text[0], size, &read) || read != size) return;
  const size_t end = text.rfind("\r\n");
  const uint32_t keep = end == std::string::npos ? 0 : uint32_t(end + 2);
  if (keep == size) return;
  if (Sys().SetFilePointer(file.Get(), int32_t(keep), nullptr, FILE_BEGIN) == keep)
    Sys().SetEndOfFile(file.Get());
}

void SaveLines(const TStringList& lines, const std::string& path) {
  try {
    lines.SaveToFile(path);
  } catch (const Exception&) {
    KeepWholeLines(path);
    throw;
  }
}
} // namespace

void AddLogLine(const std::string& line) {
  // Before the installation has made its log there is nothing to add to.
  if (LogSuspendCount != 0 || !InstallLog) return;
  for (int i = 0; i < InstallLog->Count(); ++i)
    if (SameLine((*InstallLog)[i], line)) return;
  InstallLog->Add(line);
}

void SuspendLogging() {
  ++LogSuspendCount;
}

void ResumeLogging() {
  --LogSuspendCount;
}

void CreateInstallLog() {
  InstallLog = std::make_unique<TStringList>();
}

bool LoadInstallLog(const std::string& path) {
  if (!InstallLog || !FileExists(path)) return true;
  TStringList earlier;
  try {
    earlier.LoadFromFile(path);
  } catch (const Exception&) {
    return false;
  }
  *InstallLog = earlier;
  return true;
}

void SaveInstallLog() {
  if (!InstallLog || InstallLogPath.empty()) return;
  try {
    SaveLines(*InstallLog, InstallLogPath);
  } catch (const Exception&) {
  }
}

std::string UpdateLogMarkerLine(TDateTime installTime) {
  static const char digits[] = "0123456789ABCDEF";
  uint8_t bytes[sizeof installTime];
  std::memcpy(bytes, &installTime, sizeof bytes);
  std::string line(1, ResConst::UpdateLogMarker);
  // The value's bytes as they lie in memory on the little-endian machines the setup runs on.
  for (uint8_t b : bytes) {
    line += digits[b >> 4];
    line += digits[b & 15];
  }
  return line;
}

void WriteUpdateLogFile(const std::string& path, TStringList& publicFiles, TDateTime installTime) {
  if (publicFiles.Count() == 0) return;
  publicFiles.CaseSensitive = false;
  publicFiles.CompareFlags = SORT_STRINGSORT;
  publicFiles.SetSorted(true);

  TStringList lines;
  if (FileExists(path)) lines.LoadFromFile(path);
  // A file written again leaves its earlier block.
  for (int i = lines.Count() - 1; i >= 0; --i) {
    int at;
    if (lines[i].empty() || publicFiles.Find(lines[i], at)) lines.Delete(i);
  }
  // Of a run of markers, only the first stays; a marker at the end has no files.
  for (int i = lines.Count() - 1; i >= 1; --i)
    if (IsMarker(lines[i]) && IsMarker(lines[i - 1])) lines.Delete(i);
  if (lines.Count() > 0 && IsMarker(lines[lines.Count() - 1])) lines.Delete(lines.Count() - 1);

  lines.Add(UpdateLogMarkerLine(installTime));
  for (int i = 0; i < publicFiles.Count(); ++i) lines.Add(publicFiles[i]);
  SaveLines(lines, path);
}
