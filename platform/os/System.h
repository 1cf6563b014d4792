#pragma once
// The OS seam: every system call the program makes, in the program's own terms.
// Win32System passes each one to the real API; SimSystem answers from a simulated machine.
// Signatures follow the Win32 functions they stand for, so a reader who knows the API knows
// these; buffers keep their sizes where the program's callers bound them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// An opaque system handle: file, find, registry key, window, icon, palette, cursor.
using Handle = std::uintptr_t;
constexpr Handle kInvalidHandle = ~Handle(0);
// Predefined registry roots keep the sign-extended values Windows gives them.
constexpr Handle kHKeyCurrentUser =
    static_cast<Handle>(static_cast<std::intptr_t>(INT32_C(-2147483647)));
constexpr Handle kHKeyLocalMachine =
    static_cast<Handle>(static_cast<std::intptr_t>(INT32_C(-2147483646)));

struct TFileTime {
  uint32_t LowDateTime = 0;
  uint32_t HighDateTime = 0;
  uint64_t Value() const { return (uint64_t(HighDateTime) << 32) | LowDateTime; }
  static TFileTime FromValue(uint64_t v) { return {uint32_t(v), uint32_t(v >> 32)}; }
  bool operator==(const TFileTime& o) const { return Value() == o.Value(); }
};

struct TSystemTime {
  uint16_t Year = 0, Month = 0, DayOfWeek = 0, Day = 0;
  uint16_t Hour = 0, Minute = 0, Second = 0, Milliseconds = 0;
};

// WIN32_FIND_DATAA without the short name.
struct TFindData {
  uint32_t FileAttributes = 0;
  TFileTime CreationTime, LastAccessTime, LastWriteTime;
  uint64_t FileSize = 0;
  std::string FileName;
};

struct TPaletteEntry {
  uint8_t Red = 0, Green = 0, Blue = 0, Flags = 0;
};

// LOGPALETTE with room for 256 entries, laid out as GDI reads it.
struct TLogPalette {
  uint16_t Version = 0;
  uint16_t NumEntries = 0;
  TPaletteEntry PalPalEntry[256];
};

// The shell's link object (IShellLinkA with its IPersistFile), released on destruction.
class TShellLink {
public:
  virtual ~TShellLink() = default;
  virtual int32_t SetPath(const std::string& path) = 0;
  virtual int32_t SetWorkingDirectory(const std::string& dir) = 0;
  virtual int32_t SetDescription(const std::string& text) = 0;
  // IPersistFile::Save; false when the object has no IPersistFile.
  virtual int32_t Save(const std::u16string& fileName, bool remember) = 0;
};

class System {
public:
  virtual ~System() = default;

  // Process
  virtual std::string GetCommandLineA() = 0;
  virtual uint32_t GetLastError() = 0;
  virtual int32_t OleInitialize() = 0;
  virtual void OleUninitialize() = 0;

  // Files and folders (paths of the W calls are UTF-16, of the A calls ANSI)
  virtual Handle CreateFileW(const std::u16string& fileName, uint32_t desiredAccess,
                             uint32_t shareMode, uint32_t creationDisposition,
                             uint32_t flagsAndAttributes) = 0;
  virtual bool ReadFile(Handle file, void* buffer, uint32_t toRead, uint32_t* read) = 0;
  virtual bool WriteFile(Handle file, const void* buffer, uint32_t toWrite, uint32_t* written) = 0;
  virtual uint32_t SetFilePointer(Handle file, int32_t distance, int32_t* distanceHigh,
                                  uint32_t moveMethod) = 0;
  virtual bool SetEndOfFile(Handle file) = 0;
  virtual uint32_t GetFileSize(Handle file, uint32_t* sizeHigh) = 0;
  virtual bool SetFileTime(Handle file, const TFileTime* creation, const TFileTime* lastAccess,
                           const TFileTime* lastWrite) = 0;
  virtual bool CloseHandle(Handle object) = 0;
  virtual bool DeleteFileW(const std::u16string& fileName) = 0;
  virtual bool CreateDirectoryW(const std::u16string& path) = 0;
  virtual bool RemoveDirectoryW(const std::u16string& path) = 0;
  virtual uint32_t GetFileAttributesW(const std::u16string& fileName) = 0;
  virtual bool SetFileAttributesW(const std::u16string& fileName, uint32_t attributes) = 0;
  virtual Handle FindFirstFileA(const std::string& pattern, TFindData& data) = 0;
  virtual bool FindNextFileA(Handle find, TFindData& data) = 0;
  virtual bool FindClose(Handle find) = 0;
  virtual bool SetCurrentDirectoryA(const std::string& path) = 0;
  virtual uint32_t GetCurrentDirectoryA(uint32_t bufferLength, char* buffer) = 0;
  virtual uint32_t GetTempPathA(uint32_t bufferLength, char* buffer) = 0;
  virtual uint32_t GetWindowsDirectoryA(char* buffer, uint32_t size) = 0;
  virtual bool DeviceIoControl(Handle device, uint32_t code, const void* in, uint32_t inSize,
                               void* out, uint32_t outSize, uint32_t* returned) = 0;

  // Drives and volumes
  virtual uint32_t GetLogicalDrives() = 0;
  virtual uint32_t GetDriveTypeA(const std::string& rootPath) = 0;
  // rootPath null: the drive of the current directory.
  virtual bool GetDiskFreeSpaceA(const char* rootPath, uint32_t* sectorsPerCluster,
                                 uint32_t* bytesPerSector, uint32_t* freeClusters,
                                 uint32_t* totalClusters) = 0;
  // False also when the system has no such function (resolved at start).
  virtual bool GetDiskFreeSpaceExA(const std::string& directory, uint64_t* freeToCaller,
                                   uint64_t* totalBytes, uint64_t* totalFreeBytes) = 0;
  virtual bool GetVolumeInformationA(const std::string& rootPath, char* volumeName,
                                     uint32_t volumeNameSize, uint32_t* serialNumber,
                                     uint32_t* maxComponentLength, uint32_t* fileSystemFlags,
                                     char* fileSystemName, uint32_t fileSystemNameSize) = 0;
  virtual uint32_t SetErrorMode(uint32_t mode) = 0;
  virtual uint32_t WNetGetConnectionA(const std::string& localName, char* remoteName,
                                      uint32_t* length) = 0;

  // Shell; SHGetFolderPathA fails with E_NOTIMPL when neither library exports it.
  virtual int32_t SHGetFolderPathA(Handle owner, int csidl, Handle token, uint32_t flags,
                                   char* path /* MAX_PATH */) = 0;
  // CoCreateInstance of CLSID_ShellLink for IShellLinkA; null when it fails.
  virtual std::unique_ptr<TShellLink> CreateShellLink() = 0;

  // Text and locale
  virtual std::u16string MultiByteToWideChar(uint32_t codePage, uint32_t flags,
                                             const std::string& text) = 0;
  virtual uint32_t CharUpperBuffA(char* text, uint32_t length) = 0;
  virtual uint32_t CharLowerBuffA(char* text, uint32_t length) = 0;
  virtual int CompareStringA(uint32_t locale, uint32_t flags, const std::string& a,
                             const std::string& b) = 0;
  virtual bool IsDBCSLeadByte(uint8_t byte) = 0;
  virtual int GetSystemMetrics(int index) = 0;

  // Time
  virtual void GetLocalTime(TSystemTime& time) = 0;
  virtual bool SystemTimeToFileTime(const TSystemTime& time, TFileTime& fileTime) = 0;
  virtual bool FileTimeToSystemTime(const TFileTime& fileTime, TSystemTime& time) = 0;
  virtual bool FileTimeToLocalFileTime(const TFileTime& utc, TFileTime& local) = 0;
  virtual bool LocalFileTimeToFileTime(const TFileTime& local, TFileTime& utc) = 0;
  virtual bool FileTimeToDosDateTime(const TFileTime& fileTime, uint16_t* fatDate,
                                     uint16_t* fatTime) = 0;
  virtual bool DosDateTimeToFileTime(uint16_t fatDate, uint16_t fatTime, TFileTime& fileTime) = 0;

  // Resources of the executable. Names and types are strings; "#n" is the integer id n.
  virtual bool FindResourceData(const std::string& name, const std::string& type,
                                const uint8_t** data, uint32_t* size) = 0;
  virtual Handle LoadIconA(int id) = 0;
  virtual Handle LoadCursorA(int id) = 0;
  virtual Handle SetCursor(Handle cursor) = 0;

  // Registry (advapi32)
  virtual int32_t RegCreateKeyExA(Handle key, const std::string& subKey, uint32_t options,
                                  uint32_t desiredAccess, Handle* result,
                                  uint32_t* disposition) = 0;
  virtual int32_t RegQueryValueExA(Handle key, const std::string& valueName, uint32_t* type,
                                   void* data, uint32_t* dataSize) = 0;
  virtual int32_t RegSetValueExA(Handle key, const std::string& valueName, uint32_t type,
                                 const void* data, uint32_t dataSize) = 0;
  virtual int32_t RegDeleteValueA(Handle key, const std::string& valueName) = 0;
  virtual int32_t RegCloseKey(Handle key) = 0;

  // Windows, timers, processes, message boxes
  virtual bool EnumWindows(const std::function<bool(Handle window)>& callback) = 0;
  virtual Handle GetPropA(Handle window, const std::string& name) = 0;
  virtual bool SetWindowTextA(Handle window, const std::string& text) = 0;
  virtual intptr_t SendMessageA(Handle window, uint32_t message, uintptr_t wParam,
                                intptr_t lParam) = 0;
  virtual uintptr_t SetTimer(Handle window, uintptr_t id, uint32_t elapse) = 0;
  virtual bool KillTimer(Handle window, uintptr_t id) = 0;
  virtual uint32_t WinExec(const std::string& commandLine, uint32_t showCommand) = 0;
  virtual int MessageBoxExW(Handle owner, const std::u16string& text, const std::u16string& caption,
                            uint32_t type, uint16_t language) = 0;

  // GDI
  virtual Handle CreatePalette(const TLogPalette& palette) = 0;
  virtual uint32_t GetPaletteEntries(Handle palette, uint32_t start, uint32_t count,
                                     TPaletteEntry* entries) = 0;
  virtual bool DeleteObject(Handle object) = 0;
};

// The system the program runs on. Windows builds start with the real one; the host build
// starts with an empty simulated machine. Tests install their own with TSystemScope.
System& Sys();
void SetSys(System* system); // null restores the default

class TSystemScope {
public:
  explicit TSystemScope(System& system);
  ~TSystemScope();
  TSystemScope(const TSystemScope&) = delete;
  TSystemScope& operator=(const TSystemScope&) = delete;

private:
  System* Previous;
};
