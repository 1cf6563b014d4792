#include "install/InstUtils.h"

#include "platform/os/Handles.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"
#include "wizard/ResConst.h"

#include <cstring>

bool SilentMode = false;
int32_t SetupExitCode = ExitSuccess;
bool InstallStarted = false;
std::unique_ptr<TStringList> FolderStack;

void AddBackslash(std::string& path) {
  if (path.empty()) return;
  if (path.back() == '/' || path.back() == '\\')
    path.back() = '\\';
  else
    path += '\\';
}

std::string WithBackslash(std::string path) {
  AddBackslash(path);
  return path;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return WithBackslash(folder) + name;
}

bool SameName(const std::string& a, const std::string& b) {
  return AnsiUpperCase(a) == AnsiUpperCase(b);
}

char LastChar(const std::string& s) {
  return s.empty() ? '\0' : s.back();
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFileDrive(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    // Up to the end of the share name: the second backslash after the leading pair.
    size_t server = path.find('\\', 2);
    if (server == std::string::npos) return path;
    size_t share = path.find('\\', server + 1);
    return share == std::string::npos ? path : path.substr(0, share);
  }
  return std::string();
}

std::string GetSpecialFolder(int csidl) {
  char buffer[MAX_PATH] = {};
  if (Sys().SHGetFolderPathA(0, csidl, 0, SHGFP_TYPE_CURRENT, buffer) != S_OK) return std::string();
  // A buffer full to its end holds no terminating zero: the shell cut the path to fit, and a
  // cut path names another folder.
  const size_t length = strnlen(buffer, MAX_PATH);
  return length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string GetTempFolder() {
  std::string path;
  uint32_t length = Sys().GetTempPathA(0, nullptr);
  if (length > 0) {
    path.assign(length, '\0');
    uint32_t got = Sys().GetTempPathA(length, &path[0]);
    path.resize(got < length ? got : 0);
  }
  if (!DirExists(path)) path = GetSpecialFolder(CSIDL_PERSONAL);
  return WithBackslash(path);
}

TDateTime GetFileDate(const std::string& path) {
  TFindData data;
  TFindHandle find(Sys().FindFirstFileA(path, data));
  if (!find.Valid()) return Now();
  TFileTime local;
  uint16_t date = 0, time = 0;
  // A time with no 2-second form (before 1980) reads as 0, which no archive date equals.
  if (!Sys().FileTimeToLocalFileTime(data.LastWriteTime, local) ||
      !Sys().FileTimeToDosDateTime(local, &date, &time))
    return 0;
  return FileDateToDateTime(int32_t(uint32_t(date) << 16 | time));
}

bool FileExists(const std::string& path) {
  uint32_t attributes = Sys().GetFileAttributesW(WideFrom1252(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

uint32_t GetDriveTypeOf(const std::string& path) {
  return Sys().GetDriveTypeA(WithBackslash(ExtractFileDrive(path)));
}

bool IsRemovablePath(const std::string& path) {
  uint32_t type = GetDriveTypeOf(path);
  if (type == DRIVE_REMOVABLE) return true;
  if (type != DRIVE_FIXED) return false;
  TFileHandle volume(Sys().CreateFileW(WideFrom1252("\\\\.\\" + ExtractFileDrive(path)),
                                       GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       OPEN_EXISTING, 0));
  if (!volume.Valid()) return false;
  // STORAGE_PROPERTY_QUERY for StorageDeviceProperty, PropertyStandardQuery.
  uint32_t query[3] = {0, 0, 0};
  // STORAGE_DEVICE_DESCRIPTOR: RemovableMedia at offset 10, BusType at offset 28.
  uint8_t descriptor[548] = {};
  uint32_t returned = 0;
  if (!Sys().DeviceIoControl(volume.Get(), IOCTL_STORAGE_QUERY_PROPERTY, query, sizeof query,
                             descriptor, sizeof descriptor, &returned))
    return false;
  constexpr uint32_t BusType1394 = 4, BusTypeUsb = 7;
  uint32_t bus = 0;
  std::memcpy(&bus, descriptor + 28, 4);
  return bus == BusType1394 || bus == BusTypeUsb || descriptor[10] != 0;
}

namespace {
// The current directory changes for one test or query only.
class TCurrentFolderScope {
public:
  TCurrentFolderScope() { PushCurrentFolder(); }
  ~TCurrentFolderScope() { PopCurrentFolder(); }
  TCurrentFolderScope(const TCurrentFolderScope&) = delete;
  TCurrentFolderScope& operator=(const TCurrentFolderScope&) = delete;
};
} // namespace

bool DirExists(const std::string& path) {
  TCurrentFolderScope scope;
  std::string p = WithBackslash(path);
  Sys().SetCurrentDirectoryA(p);
  return SameName(GetCurrentFolder(), p);
}

std::string GetCurrentFolder() {
  std::string path;
  uint32_t length = Sys().GetCurrentDirectoryA(0, nullptr);
  if (length > 0) {
    path.assign(length, '\0');
    uint32_t got = Sys().GetCurrentDirectoryA(length, &path[0]);
    path.resize(got < length ? got : 0);
  }
  return WithBackslash(path);
}

void PushCurrentFolder() {
  if (!FolderStack) FolderStack = std::make_unique<TStringList>();
  FolderStack->Add(GetCurrentFolder());
}

void PopCurrentFolder() {
  if (!FolderStack || FolderStack->Count() == 0) return;
  int last = FolderStack->Count() - 1;
  Sys().SetCurrentDirectoryA((*FolderStack)[last]);
  FolderStack->Delete(last);
}

int32_t GetClusterSize(const std::string& folder) {
  TCurrentFolderScope scope;
  // Only the volume of the folder counts: when neither it nor its drive can be made current,
  // asking the current disk would answer for another volume.
  if (!Sys().SetCurrentDirectoryA(folder) &&
      !Sys().SetCurrentDirectoryA(WithBackslash(ExtractFileDrive(folder))))
    return 0;
  uint32_t sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!Sys().GetDiskFreeSpaceA(nullptr, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                               &totalClusters))
    return 0;
  return int32_t(sectorsPerCluster * bytesPerSector);
}

int32_t RoundToClusters(const std::string& folder, int32_t size) {
  int32_t cluster = GetClusterSize(folder);
  if (cluster <= 0 || size % cluster == 0) return size;
  return int32_t(uint32_t((int64_t(size) / cluster + 1) * cluster));
}

std::string GroupDigits(int64_t number) {
  uint64_t magnitude = number < 0 ? 0 - uint64_t(number) : uint64_t(number);
  std::string digits = std::to_string(magnitude);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ' ';
    out += digits[i];
  }
  return number < 0 ? "-" + out : out;
}

std::string FormatSize(int64_t bytes) {
  constexpr int64_t MB = 1048576;
  // Round to the nearest megabyte, halves to the even neighbour.
  int64_t mb = bytes / MB, rest = bytes % MB;
  if (rest < 0) {
    rest += MB;
    --mb;
  }
  if (rest * 2 > MB || (rest * 2 == MB && (mb & 1))) ++mb;
  if (bytes >= 16777215 || (bytes != 0 && bytes == mb * MB))
    return Format(ResConst::SizeMegabytes, {GroupDigits(mb)});
  return Format(ResConst::SizeKilobytes, {GroupDigits(bytes / 1024)});
}
