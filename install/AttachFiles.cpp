// Loading and indexing the archive, the install lists and the components' sizes.
#include "install/AttachFiles.h"

#include "install/InstUtils.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/FileNames.h"

#include <algorithm>
#include <cstring>

bool FullTargetGiven = false;

ESetupDamaged::ESetupDamaged() : Exception(ResConst::MsgSetupDamaged) {}

namespace {

constexpr int32_t kRecordHeader = 12; // date-time and size after the name

// A stored name must stay inside the folder it is written to: no drive, no root, no way up,
// and no element that the system would read as something else.
bool IsSafeName(const std::string& name) {
  if (name.empty() || name.find(':') != std::string::npos || name.find('/') != std::string::npos)
    return false;
  size_t start = 0;
  while (true) {
    size_t end = name.find('\\', start);
    std::string element = name.substr(start, end == std::string::npos ? end : end - start);
    if (!IsPlainNameElement(element)) return false;
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

std::vector<TAttachedFile> Index(const uint8_t* payload, int32_t size) {
  std::vector<TAttachedFile> files;
  int32_t offset = 0;
  while (offset < size) {
    const int32_t length = payload[offset];
    if (size - offset - 1 < length + kRecordHeader) throw ESetupDamaged();
    TAttachedFile file;
    file.FileName.assign(reinterpret_cast<const char*>(payload + offset + 1), size_t(length));
    offset += 1 + length;
    std::memcpy(&file.FileDate, payload + offset, 8);
    std::memcpy(&file.FileSize, payload + offset + 8, 4);
    offset += kRecordHeader;
    if (file.FileSize < 0 || file.FileSize > size - offset || !IsSafeName(file.FileName))
      throw ESetupDamaged();
    file.DataOffset = offset;
    offset += file.FileSize;
    files.push_back(std::move(file));
  }
  return files;
}

bool IsFolderPattern(const std::string& pattern) {
  return LastChar(pattern) == '\\';
}

bool Matches(const std::string& pattern, const std::string& fileName) {
  return IsFolderPattern(pattern) ? SameName(fileName.substr(0, pattern.size()), pattern)
                                  : SameName(fileName, pattern);
}

} // namespace

TAttachedFiles::TAttachedFiles() {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  if (!Sys().FindResourceData(ResConst::ResFilesName, ResConst::ResFilesType, &data, &size) ||
      !data || size == 0 || size > uint32_t(INT32_MAX))
    throw ESetupDamaged();
  // Five times the stream is room enough for the product without growing the block.
  const int32_t expected = int32_t(std::min<int64_t>(int64_t(size) * 5, INT32_MAX));
  try {
    InflateBuffer(data, int32_t(size), Payload, PayloadSize, expected);
  } catch (const EZlibError&) {
    throw ESetupDamaged();
  }
  Files = Index(Payload.get(), PayloadSize);
}

TAttachedFiles::~TAttachedFiles() {
  DeleteTempFiles();
}

bool TAttachedFiles::AddFiles(const std::string& Pattern, const std::string& BasePath,
                              uint8_t ComponentId, TInstallMode Mode) {
  bool added = false;
  for (const TAttachedFile& file : Files) {
    if (!Matches(Pattern, file.FileName)) continue;
    bool one = AddFile(file, BasePath, ComponentId, Mode);
    // A file pattern stands for the first record of its name only.
    if (!IsFolderPattern(Pattern)) return one;
    added = added || one;
  }
  return added;
}

bool TAttachedFiles::AddFile(const TAttachedFile& File, const std::string& BasePath,
                             uint8_t ComponentId, TInstallMode Requested) {
  const TInstallMode mode = ForceOverwrite ? AlwaysInstall : Requested;
  const std::string target = FullTargetGiven ? BasePath : JoinPath(BasePath, File.FileName);
  if (mode != AlwaysInstall && FileExists(target)) {
    if (mode == InstallIfMissing || GetFileDate(target) == File.FileDate) return false;
  }
  ComponentFiles.at(ComponentId).push_back({&File, target, LogSuspendCount == 0});
  const std::string publicPrefix =
      JoinPath(GetSpecialFolder(CSIDL_COMMON_APPDATA), ResConst::PublicPrefix);
  if (SameName(target.substr(0, publicPrefix.size()), publicPrefix))
    PublicFiles.Add(target + (Requested == InstallIfMissing ? ResConst::PublicFileMark : ""));
  return true;
}

void TAttachedFiles::ClearComponent(uint8_t ComponentId) {
  ComponentFiles.at(ComponentId).clear();
}

int32_t TAttachedFiles::ComponentSize(const std::string& FileList,
                                      const std::string& DestDir) const {
  TStringList items;
  items.SetText(FileList);
  int64_t total = 0;
  for (int i = items.Count() - 1; i >= 0; --i) {
    const std::string& pattern = items[i];
    for (auto file = Files.rbegin(); file != Files.rend(); ++file) {
      if (!Matches(pattern, file->FileName)) continue;
      total += RoundToClusters(DestDir, file->FileSize);
      if (!IsFolderPattern(pattern)) break;
    }
  }
  return int32_t(std::min<int64_t>(total, INT32_MAX));
}

const TAttachedFile* TAttachedFiles::FindFile(const std::string& Name) const {
  for (auto file = Files.rbegin(); file != Files.rend(); ++file)
    if (SameName(file->FileName, Name)) return &*file;
  return nullptr;
}
