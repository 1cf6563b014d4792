// The update-log merge on any earlier Update.log. The first two bytes choose this
// installation's public files: lines of the earlier log (every line i whose bit i % 8 of the
// first byte is set, so that earlier blocks lose files) and some of a fixed set (the second
// byte), each with or without the mark of a file installed only if missing. The rest is the
// earlier log, as it lies on the simulated machine (none when empty). After the merge the file
// holds the earlier lines that stay, in their order, then one marker and each public file once,
// sorted; no empty line, no marker right after another and no line of the new block above it.
#include "install/InstUtils.h"
#include "platform/os/WinConst.h"
#include "platform/os/sim/SimSystem.h"
#include "platform/rtl/Exceptions.h"
#include "wizard/ResConst.h"

#include "FuzzSupport.h"

#include <string>
#include <vector>

namespace {

constexpr const char* Log = "C:\\ProgramData\\Pennacle\\Update.log";
constexpr TDateTime InstallTime = 45370.78194444445;
const char* const Fixed[] = {
    "C:\\ProgramData\\Pennacle\\Public\\Basic.snd",
    "C:\\ProgramData\\Pennacle\\Public\\Templates\\Faxes\\Fax.rtf",
    "C:\\ProgramData\\Pennacle\\Public\\Clip Library\\Phrases\\Thanks.rtf",
    "c:\\programdata\\pennacle\\public\\basic.snd",
};

// Lines as the log is read: ended by CR, LF or CR LF, the last one needing no end.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t end = text.find_first_of("\r\n", i);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(i, end - i));
    i = end;
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
  return lines;
}

bool Same(const std::string& a, const std::string& b) {
  return Sys().CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT, a, b) ==
         CSTR_EQUAL;
}

bool IsMarker(const std::string& line) {
  return !line.empty() && line[0] == ResConst::UpdateLogMarker;
}

bool AnySame(const std::vector<std::string>& lines, const std::string& line) {
  for (const std::string& l : lines)
    if (Same(l, line)) return true;
  return false;
}

// This installation's files, each once: the setup's own names are unique, case ignored.
std::vector<std::string> PublicFiles(uint8_t fromLog, uint8_t fixed,
                                     const std::vector<std::string>& earlier) {
  std::vector<std::string> files;
  auto add = [&files](const std::string& file) {
    if (!file.empty() && !IsMarker(file) && !AnySame(files, file)) files.push_back(file);
  };
  for (size_t i = 0; i < earlier.size(); ++i)
    if (fromLog >> (i % 8) & 1) add(earlier[i]);
  for (size_t i = 0; i < 4; ++i)
    if (fixed >> i & 1) add(std::string(Fixed[i]) + (fixed >> (i + 4) & 1 ? "\t!" : ""));
  return files;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  SimSystem sim;
  TSystemScope scope(sim);
  const std::string before(reinterpret_cast<const char*>(data) + 2, size - 2);
  // The data folder exists: the setup makes it before it writes the log.
  sim.MakeDirs(FolderOf(Log));
  if (!before.empty()) sim.PutFile(Log, before); // else there is no earlier log
  const std::vector<std::string> earlier = SplitLines(before);
  const std::vector<std::string> files = PublicFiles(data[0], data[1], earlier);
  TStringList publicFiles;
  for (const std::string& file : files) publicFiles.Add(file);

  try {
    WriteUpdateLogFile(Log, publicFiles, InstallTime);
  } catch (const Exception& e) {
    Finding(e.what());
  }
  const std::string after = sim.FileContent(Log).value_or(std::string());
  if (files.empty()) {
    if (after != before) Finding("a merge without public files changed the log");
    return 0;
  }
  if (after.size() < 2 || after.compare(after.size() - 2, 2, "\r\n") != 0)
    Finding("the log does not end its last line");
  const std::vector<std::string> lines = SplitLines(after);

  // The new block: the marker, then every public file once in the list's sorted order.
  const std::string marker = UpdateLogMarkerLine(InstallTime);
  if (lines.size() < files.size() + 1) Finding("the log lost its new block");
  const size_t block = lines.size() - files.size() - 1;
  if (lines[block] != marker) Finding("the new block does not start with its marker");
  if (publicFiles.Count() != int(files.size())) Finding("the public files changed in number");
  for (size_t i = 0; i < files.size(); ++i) {
    if (lines[block + 1 + i] != publicFiles[int(i)]) Finding("the new block is not the list");
    if (!AnySame(files, lines[block + 1 + i])) Finding("the new block has a stranger");
    if (i > 0 && publicFiles.Compare(publicFiles[int(i) - 1], publicFiles[int(i)]) > 0)
      Finding("the new block is not sorted");
  }

  // What stays of the earlier log: its own lines, in their order, none of them new again.
  size_t next = 0;
  for (size_t i = 0; i < block; ++i) {
    const std::string& line = lines[i];
    if (line.empty()) Finding("an empty line stayed");
    if (AnySame(files, line)) Finding("a public file is listed twice");
    if (IsMarker(line) && i > 0 && IsMarker(lines[i - 1])) Finding("two markers in a row");
    while (next < earlier.size() && earlier[next] != line) ++next;
    if (next == earlier.size()) Finding("a line of the earlier log moved or appeared");
    ++next;
  }
  if (block > 0 && IsMarker(lines[block - 1])) Finding("an empty block stayed before the new one");
  // Every earlier file line that is not this installation's stays.
  size_t kept = 0;
  for (const std::string& line : earlier)
    if (!line.empty() && !IsMarker(line) && !AnySame(files, line)) ++kept;
  size_t keptAfter = 0;
  for (size_t i = 0; i < block; ++i) keptAfter += IsMarker(lines[i]) ? 0 : 1;
  if (kept != keptAfter) Finding("an earlier file line was lost");
  return 0;
}
