#pragma once
// A Windows machine held in memory: drives, a file tree, current directories, a registry,
// top-level windows, a clock, processes started, message boxes answered from a script, and
// faults injected at any call. Tests set it up, run the program against it and inspect it.
// Paths given to its own set-up and inspection functions are ANSI in code page 1252.

#include "platform/os/System.h"

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The kinds of calls the machine counts and can fail.
enum class SimCall {
  CreateFile,
  ReadFile,
  WriteFile,
  SetFileTime,
  DeleteFile,
  CreateDirectory,
  RemoveDirectory,
  GetFileAttributes,
  FindFirstFile,
  SetCurrentDirectory,
  GetDiskFreeSpace,
  GetDiskFreeSpaceEx,
  GetVolumeInformation,
  DeviceIoControl,
  WNetGetConnection,
  SHGetFolderPath,
  ShellLinkCreate,
  ShellLinkSave,
  RegCreateKey,
  RegQueryValue,
  RegSetValue,
  MessageBox,
  WinExec,
  CreatePalette,
  Count
};
const char* SimCallName(SimCall call);

struct TSimFault {
  SimCall Call = SimCall::CreateFile;
  std::string PathContains; // ANSI; case ignored; empty matches every call of the kind
  int Skip = 0;             // matching calls that pass before the fault strikes
  int Times = -1;           // calls that fail, -1 for all that follow
  uint32_t Error = 5;       // the last error the failing call leaves (ERROR_ACCESS_DENIED)
  // WriteFile only: when set, the write succeeds but stores at most this many bytes.
  std::optional<uint32_t> ShortWriteBytes;
};

struct TSimDrive {
  uint32_t Type = 3; // DRIVE_FIXED
  bool MediaPresent = true;
  std::string Label;
  uint32_t SerialNumber = 0x1234ABCD;
  std::string FileSystem = "NTFS";
  uint32_t FileSystemFlags = 0x7; // case sensitive search, preserved names, unicode
  uint32_t BytesPerSector = 512;
  uint32_t SectorsPerCluster = 8;
  uint64_t TotalBytes = 100ull << 30;
  uint64_t FreeBytes = 50ull << 30;     // free on the volume
  std::optional<uint64_t> FreeToCaller; // quota; defaults to FreeBytes
  bool ReadOnly = false;                // write-protected medium
  std::string RemoteName;               // network drives: \\server\share
  // The storage device behind the volume, as IOCTL_STORAGE_QUERY_PROPERTY reports it.
  bool VolumeOpenable = true;
  bool QueryPropertyWorks = true;
  uint32_t BusType = 11; // BusTypeSata
  bool RemovableMedia = false;
};

struct TSimMessageBox {
  Handle Owner = 0;
  std::u16string Text, Caption;
  uint32_t Type = 0;
  uint16_t Language = 0;
  int Answer = 0;
  std::string TextAnsi() const; // the text in code page 1252, for readable assertions
};

struct TSimRegValue {
  std::string Name;
  uint32_t Type = 0;
  std::string Data;
  uint32_t Dword() const;
};

struct TSimShellLink {
  std::u16string File;
  std::string Path, WorkingDirectory, Description;
};

struct TSimWinExec {
  std::string CommandLine;
  uint32_t ShowCommand = 0;
};

class SimSystem : public System {
public:
  // A plain machine: drive C: with the usual Windows folders, special folders, a temp folder.
  SimSystem();
  ~SimSystem() override;

  // ---- set-up and inspection ----
  TSimDrive& AddDrive(char letter, uint32_t type);
  TSimDrive* Drive(char letter);                   // null when the machine has no such drive
  void RemoveDrive(char letter);                   // the drive vanishes, its files with it
  TSimDrive& AddShare(const std::string& uncRoot); // \\server\share

  void MakeDirs(const std::string& path);
  void PutFile(const std::string& path, const std::string& content, uint32_t attributes = 0x20);
  bool FileExists(const std::string& path) const;
  bool FolderExists(const std::string& path) const;
  std::optional<std::string> FileContent(const std::string& path) const;
  uint32_t Attributes(const std::string& path) const; // INVALID_FILE_ATTRIBUTES when missing
  void SetAttributes(const std::string& path, uint32_t attributes);
  TFileTime LastWriteTime(const std::string& path) const;
  void SetLastWriteTime(const std::string& path, TFileTime utc);
  // Every file below a folder (full paths, sorted), for assertions on what a run wrote.
  std::vector<std::string> FilesBelow(const std::string& folder) const;
  size_t OpenHandleCount() const;
  // Hold a file open as another process would, with the given sharing; returns a handle to
  // close with CloseHandle.
  Handle HoldOpen(const std::string& path, uint32_t access, uint32_t share);

  void SetSpecialFolder(int csidl, const std::string& path); // empty: the lookup fails
  void SetShellFolderFunctionMissing(bool missing);
  void SetTempPath(const std::string& path);
  void SetWindowsDirectory(const std::string& path); // empty: the call fails
  void SetCommandLine(const std::string& commandLine);
  void SetAnsiCodePage(uint32_t codePage); // 1252 (default) or 1251
  // Off (the default), the file calls refuse paths as long as MAX_PATH, as Windows does
  // unless long paths are enabled; on, they take any length, as Wine does.
  void SetLongPathsEnabled(bool enabled);
  std::string CurrentDirectory() const;

  void SetLocalTime(const TSystemTime& time);
  void AdvanceClock(uint64_t hundredNanoseconds);
  void SetTimeZoneBiasMinutes(int bias); // UTC = local + bias

  void AddResource(const std::string& type, const std::string& name, std::string bytes);

  bool KeyExists(const std::string& path) const; // "HKCU\Software\..." or "HKLM\..."
  std::optional<TSimRegValue> RegValue(const std::string& keyPath, const std::string& name) const;
  std::vector<TSimRegValue> RegValues(const std::string& keyPath) const;
  void SetRegValue(const std::string& keyPath, const std::string& name, uint32_t type,
                   const std::string& data);
  void SetRegDword(const std::string& keyPath, const std::string& name, uint32_t value);
  void SetRegString(const std::string& keyPath, const std::string& name, const std::string& s);
  void DenyRegistryAccess(const std::string& keyPrefix); // e.g. "HKLM"

  Handle AddWindow(const std::string& title);
  void SetWindowProp(Handle window, const std::string& name, Handle value);
  void RemoveWindow(Handle window);
  std::string WindowText(Handle window) const;
  bool TimerRunning(Handle window, uintptr_t id) const;
  uint32_t TimerInterval(Handle window, uintptr_t id) const;
  struct TSentMessage {
    Handle Window;
    uint32_t Message;
    uintptr_t WParam;
    intptr_t LParam;
  };
  const std::vector<TSentMessage>& SentMessages() const { return Sent; }
  Handle CurrentCursor() const { return Cursor; }
  Handle WaitCursor() const;

  // Message boxes are answered from this queue, then by the handler; with neither the box
  // fails (returns 0) and counts as unexpected.
  std::deque<int> MessageBoxAnswers;
  std::function<int(const TSimMessageBox&)> OnMessageBox;
  const std::vector<TSimMessageBox>& MessageBoxes() const { return Boxes; }
  int UnexpectedMessageBoxes() const { return Unexpected; }

  std::function<uint32_t(const TSimWinExec&)> OnWinExec; // returns WinExec's result
  const std::vector<TSimWinExec>& Executed() const { return Launches; }
  const std::vector<TSimShellLink>& SavedLinks() const { return Links; }
  std::optional<TSimShellLink> LinkAt(const std::string& file) const;

  size_t LivePalettes() const { return Palettes.size(); }
  std::vector<TPaletteEntry> PaletteOf(Handle palette) const;

  void AddFault(const TSimFault& fault);
  void ClearFaults();
  int CallCount(SimCall call) const { return Calls[size_t(call)]; }
  void ResetCallCounts();
  // Runs before every counted call, with the path it concerns (ANSI, may be empty).
  std::function<void(SimCall, const std::string& path)> BeforeCall;

  // ---- the system calls ----
  std::string GetCommandLineA() override;
  uint32_t GetLastError() override;
  int32_t OleInitialize() override;
  void OleUninitialize() override;
  Handle CreateFileW(const std::u16string& fileName, uint32_t desiredAccess, uint32_t shareMode,
                     uint32_t creationDisposition, uint32_t flagsAndAttributes) override;
  bool ReadFile(Handle file, void* buffer, uint32_t toRead, uint32_t* read) override;
  bool WriteFile(Handle file, const void* buffer, uint32_t toWrite, uint32_t* written) override;
  uint32_t SetFilePointer(Handle file, int32_t distance, int32_t* distanceHigh,
                          uint32_t moveMethod) override;
  bool SetEndOfFile(Handle file) override;
  uint32_t GetFileSize(Handle file, uint32_t* sizeHigh) override;
  bool SetFileTime(Handle file, const TFileTime* creation, const TFileTime* lastAccess,
                   const TFileTime* lastWrite) override;
  bool CloseHandle(Handle object) override;
  bool DeleteFileW(const std::u16string& fileName) override;
  bool CreateDirectoryW(const std::u16string& path) override;
  bool RemoveDirectoryW(const std::u16string& path) override;
  uint32_t GetFileAttributesW(const std::u16string& fileName) override;
  bool SetFileAttributesW(const std::u16string& fileName, uint32_t attributes) override;
  Handle FindFirstFileA(const std::string& pattern, TFindData& data) override;
  bool FindNextFileA(Handle find, TFindData& data) override;
  bool FindClose(Handle find) override;
  bool SetCurrentDirectoryA(const std::string& path) override;
  uint32_t GetCurrentDirectoryA(uint32_t bufferLength, char* buffer) override;
  uint32_t GetTempPathA(uint32_t bufferLength, char* buffer) override;
  uint32_t GetWindowsDirectoryA(char* buffer, uint32_t size) override;
  bool DeviceIoControl(Handle device, uint32_t code, const void* in, uint32_t inSize, void* out,
                       uint32_t outSize, uint32_t* returned) override;
  uint32_t GetLogicalDrives() override;
  uint32_t GetDriveTypeA(const std::string& rootPath) override;
  bool GetDiskFreeSpaceA(const char* rootPath, uint32_t* sectorsPerCluster,
                         uint32_t* bytesPerSector, uint32_t* freeClusters,
                         uint32_t* totalClusters) override;
  bool GetDiskFreeSpaceExA(const std::string& directory, uint64_t* freeToCaller,
                           uint64_t* totalBytes, uint64_t* totalFreeBytes) override;
  bool GetVolumeInformationA(const std::string& rootPath, char* volumeName, uint32_t volumeNameSize,
                             uint32_t* serialNumber, uint32_t* maxComponentLength,
                             uint32_t* fileSystemFlags, char* fileSystemName,
                             uint32_t fileSystemNameSize) override;
  uint32_t SetErrorMode(uint32_t mode) override;
  uint32_t WNetGetConnectionA(const std::string& localName, char* remoteName,
                              uint32_t* length) override;
  int32_t SHGetFolderPathA(Handle owner, int csidl, Handle token, uint32_t flags,
                           char* path) override;
  std::unique_ptr<TShellLink> CreateShellLink() override;
  std::u16string MultiByteToWideChar(uint32_t codePage, uint32_t flags,
                                     const std::string& text) override;
  uint32_t CharUpperBuffA(char* text, uint32_t length) override;
  uint32_t CharLowerBuffA(char* text, uint32_t length) override;
  int CompareStringA(uint32_t locale, uint32_t flags, const std::string& a,
                     const std::string& b) override;
  bool IsDBCSLeadByte(uint8_t byte) override;
  int GetSystemMetrics(int index) override;
  void GetLocalTime(TSystemTime& time) override;
  bool SystemTimeToFileTime(const TSystemTime& time, TFileTime& fileTime) override;
  bool FileTimeToSystemTime(const TFileTime& fileTime, TSystemTime& time) override;
  bool FileTimeToLocalFileTime(const TFileTime& utc, TFileTime& local) override;
  bool LocalFileTimeToFileTime(const TFileTime& local, TFileTime& utc) override;
  bool FileTimeToDosDateTime(const TFileTime& fileTime, uint16_t* fatDate,
                             uint16_t* fatTime) override;
  bool DosDateTimeToFileTime(uint16_t fatDate, uint16_t fatTime, TFileTime& fileTime) override;
  bool FindResourceData(const std::string& name, const std::string& type, const uint8_t** data,
                        uint32_t* size) override;
  Handle LoadIconA(int id) override;
  Handle LoadCursorA(int id) override;
  Handle SetCursor(Handle cursor) override;
  int32_t RegCreateKeyExA(Handle key, const std::string& subKey, uint32_t options,
                          uint32_t desiredAccess, Handle* result, uint32_t* disposition) override;
  int32_t RegQueryValueExA(Handle key, const std::string& valueName, uint32_t* type, void* data,
                           uint32_t* dataSize) override;
  int32_t RegSetValueExA(Handle key, const std::string& valueName, uint32_t type, const void* data,
                         uint32_t dataSize) override;
  int32_t RegDeleteValueA(Handle key, const std::string& valueName) override;
  int32_t RegCloseKey(Handle key) override;
  bool EnumWindows(const std::function<bool(Handle window)>& callback) override;
  Handle GetPropA(Handle window, const std::string& name) override;
  bool SetWindowTextA(Handle window, const std::string& text) override;
  intptr_t SendMessageA(Handle window, uint32_t message, uintptr_t wParam,
                        intptr_t lParam) override;
  uintptr_t SetTimer(Handle window, uintptr_t id, uint32_t elapse) override;
  bool KillTimer(Handle window, uintptr_t id) override;
  uint32_t WinExec(const std::string& commandLine, uint32_t showCommand) override;
  int MessageBoxExW(Handle owner, const std::u16string& text, const std::u16string& caption,
                    uint32_t type, uint16_t language) override;
  Handle CreatePalette(const TLogPalette& palette) override;
  uint32_t GetPaletteEntries(Handle palette, uint32_t start, uint32_t count,
                             TPaletteEntry* entries) override;
  bool DeleteObject(Handle object) override;

  // Text helpers of the machine, public for tests.
  std::u16string FromAnsi(const std::string& text) const; // the machine's code page
  std::string ToAnsi(const std::u16string& text) const;   // unmappable characters become ?
  static std::u16string From1252(const std::string& text);
  static std::string To1252(const std::u16string& text);

  // The machine's state; defined only for its own implementation files.
  struct Node;
  struct OpenFile;
  struct Impl;

private:
  std::unique_ptr<Impl> P;

  std::vector<TSimMessageBox> Boxes;
  int Unexpected = 0;
  std::vector<TSimWinExec> Launches;
  std::vector<TSimShellLink> Links;
  std::vector<TSentMessage> Sent;
  std::map<Handle, std::vector<TPaletteEntry>> Palettes;
  Handle Cursor = 0;
  int Calls[size_t(SimCall::Count)] = {};

  friend class SimShellLink;
};
