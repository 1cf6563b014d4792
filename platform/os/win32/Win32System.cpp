// Each method is the real API call and nothing more.
#include "platform/os/System.h"

#include <ole2.h>
#include <shlobj.h>
#include <windows.h>
#include <winnetwk.h>

#include <vector>

namespace {

// The shell link's class and interfaces, spelt out here: the system's uuid library would bring
// every identifier it knows into the program.
const CLSID ShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID ShellLinkAInterface = {0x000214EE, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID PersistFileInterface = {0x0000010B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

HANDLE H(Handle h) {
  return reinterpret_cast<HANDLE>(h);
}
HWND W(Handle h) {
  return reinterpret_cast<HWND>(h);
}
HKEY K(Handle h) {
  return reinterpret_cast<HKEY>(h);
}
Handle U(const void* h) {
  return reinterpret_cast<Handle>(h);
}
LPCWSTR Wide(const std::u16string& s) {
  return reinterpret_cast<LPCWSTR>(s.c_str());
}

FILETIME Ft(const TFileTime& t) {
  return FILETIME{t.LowDateTime, t.HighDateTime};
}
TFileTime Tf(const FILETIME& t) {
  return TFileTime{t.dwLowDateTime, t.dwHighDateTime};
}

SYSTEMTIME St(const TSystemTime& t) {
  return SYSTEMTIME{t.Year, t.Month,  t.DayOfWeek, t.Day,
                    t.Hour, t.Minute, t.Second,    t.Milliseconds};
}
TSystemTime Ts(const SYSTEMTIME& t) {
  return TSystemTime{t.wYear, t.wMonth,  t.wDayOfWeek, t.wDay,
                     t.wHour, t.wMinute, t.wSecond,    t.wMilliseconds};
}

void CopyFind(const WIN32_FIND_DATAA& f, TFindData& d) {
  d.FileAttributes = f.dwFileAttributes;
  d.CreationTime = Tf(f.ftCreationTime);
  d.LastAccessTime = Tf(f.ftLastAccessTime);
  d.LastWriteTime = Tf(f.ftLastWriteTime);
  d.FileSize = (uint64_t(f.nFileSizeHigh) << 32) | f.nFileSizeLow;
  d.FileName = f.cFileName;
}

using SHGetFolderPathAFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
using GetDiskFreeSpaceExAFn = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                            PULARGE_INTEGER);

template <typename Fn> Fn Resolve(const char* library, const char* name) {
  HMODULE module = LoadLibraryA(library);
  if (!module) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class Win32ShellLink final : public TShellLink {
public:
  explicit Win32ShellLink(IShellLinkA* link) : Link(link) {}
  ~Win32ShellLink() override { Link->Release(); }
  int32_t SetPath(const std::string& path) override { return Link->SetPath(path.c_str()); }
  int32_t SetWorkingDirectory(const std::string& dir) override {
    return Link->SetWorkingDirectory(dir.c_str());
  }
  int32_t SetDescription(const std::string& text) override {
    return Link->SetDescription(text.c_str());
  }
  int32_t Save(const std::u16string& fileName, bool remember) override {
    IPersistFile* file = nullptr;
    HRESULT hr = Link->QueryInterface(PersistFileInterface, reinterpret_cast<void**>(&file));
    if (FAILED(hr) || !file) return hr;
    hr = file->Save(Wide(fileName), remember ? TRUE : FALSE);
    file->Release();
    return hr;
  }

private:
  IShellLinkA* Link;
};

} // namespace

class Win32System final : public System {
public:
  Win32System();
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

private:
  void* ShGetFolderPath = nullptr;
  void* DiskFreeSpaceEx = nullptr;
};

Win32System::Win32System() {
  // Resolved once at start, as the program has always done; older systems lack both.
  SHGetFolderPathAFn shell = Resolve<SHGetFolderPathAFn>("shell32.dll", "SHGetFolderPathA");
  if (!shell) shell = Resolve<SHGetFolderPathAFn>("shfolder.dll", "SHGetFolderPathA");
  ShGetFolderPath = reinterpret_cast<void*>(shell);
  DiskFreeSpaceEx = reinterpret_cast<void*>(
      Resolve<GetDiskFreeSpaceExAFn>("kernel32.dll", "GetDiskFreeSpaceExA"));
}

std::string Win32System::GetCommandLineA() {
  return ::GetCommandLineA();
}
uint32_t Win32System::GetLastError() {
  return ::GetLastError();
}
int32_t Win32System::OleInitialize() {
  return ::OleInitialize(nullptr);
}
void Win32System::OleUninitialize() {
  ::OleUninitialize();
}

Handle Win32System::CreateFileW(const std::u16string& fileName, uint32_t desiredAccess,
                                uint32_t shareMode, uint32_t creationDisposition,
                                uint32_t flagsAndAttributes) {
  return U(::CreateFileW(Wide(fileName), desiredAccess, shareMode, nullptr, creationDisposition,
                         flagsAndAttributes, nullptr));
}
bool Win32System::ReadFile(Handle file, void* buffer, uint32_t toRead, uint32_t* read) {
  DWORD n = 0;
  BOOL ok = ::ReadFile(H(file), buffer, toRead, &n, nullptr);
  if (read) *read = n;
  return ok;
}
bool Win32System::WriteFile(Handle file, const void* buffer, uint32_t toWrite, uint32_t* written) {
  DWORD n = 0;
  BOOL ok = ::WriteFile(H(file), buffer, toWrite, &n, nullptr);
  if (written) *written = n;
  return ok;
}
uint32_t Win32System::SetFilePointer(Handle file, int32_t distance, int32_t* distanceHigh,
                                     uint32_t moveMethod) {
  LONG high = distanceHigh ? *distanceHigh : 0;
  DWORD r = ::SetFilePointer(H(file), distance, distanceHigh ? &high : nullptr, moveMethod);
  if (distanceHigh) *distanceHigh = high;
  return r;
}
bool Win32System::SetEndOfFile(Handle file) {
  return ::SetEndOfFile(H(file));
}
uint32_t Win32System::GetFileSize(Handle file, uint32_t* sizeHigh) {
  DWORD high = 0;
  DWORD r = ::GetFileSize(H(file), &high);
  if (sizeHigh) *sizeHigh = high;
  return r;
}
bool Win32System::SetFileTime(Handle file, const TFileTime* creation, const TFileTime* lastAccess,
                              const TFileTime* lastWrite) {
  FILETIME c, a, w;
  if (creation) c = Ft(*creation);
  if (lastAccess) a = Ft(*lastAccess);
  if (lastWrite) w = Ft(*lastWrite);
  return ::SetFileTime(H(file), creation ? &c : nullptr, lastAccess ? &a : nullptr,
                       lastWrite ? &w : nullptr);
}
bool Win32System::CloseHandle(Handle object) {
  return ::CloseHandle(H(object));
}
bool Win32System::DeleteFileW(const std::u16string& fileName) {
  return ::DeleteFileW(Wide(fileName));
}
bool Win32System::CreateDirectoryW(const std::u16string& path) {
  return ::CreateDirectoryW(Wide(path), nullptr);
}
bool Win32System::RemoveDirectoryW(const std::u16string& path) {
  return ::RemoveDirectoryW(Wide(path));
}
uint32_t Win32System::GetFileAttributesW(const std::u16string& fileName) {
  return ::GetFileAttributesW(Wide(fileName));
}
bool Win32System::SetFileAttributesW(const std::u16string& fileName, uint32_t attributes) {
  return ::SetFileAttributesW(Wide(fileName), attributes);
}
Handle Win32System::FindFirstFileA(const std::string& pattern, TFindData& data) {
  WIN32_FIND_DATAA f{};
  HANDLE h = ::FindFirstFileA(pattern.c_str(), &f);
  if (h != INVALID_HANDLE_VALUE) CopyFind(f, data);
  return U(h);
}
bool Win32System::FindNextFileA(Handle find, TFindData& data) {
  WIN32_FIND_DATAA f{};
  if (!::FindNextFileA(H(find), &f)) return false;
  CopyFind(f, data);
  return true;
}
bool Win32System::FindClose(Handle find) {
  return ::FindClose(H(find));
}
bool Win32System::SetCurrentDirectoryA(const std::string& path) {
  return ::SetCurrentDirectoryA(path.c_str());
}
uint32_t Win32System::GetCurrentDirectoryA(uint32_t bufferLength, char* buffer) {
  return ::GetCurrentDirectoryA(bufferLength, buffer);
}
uint32_t Win32System::GetTempPathA(uint32_t bufferLength, char* buffer) {
  return ::GetTempPathA(bufferLength, buffer);
}
uint32_t Win32System::GetWindowsDirectoryA(char* buffer, uint32_t size) {
  return ::GetWindowsDirectoryA(buffer, size);
}
bool Win32System::DeviceIoControl(Handle device, uint32_t code, const void* in, uint32_t inSize,
                                  void* out, uint32_t outSize, uint32_t* returned) {
  DWORD n = 0;
  BOOL ok =
      ::DeviceIoControl(H(device), code, const_cast<void*>(in), inSize, out, outSize, &n, nullptr);
  if (returned) *returned = n;
  return ok;
}

uint32_t Win32System::GetLogicalDrives() {
  return ::GetLogicalDrives();
}
uint32_t Win32System::GetDriveTypeA(const std::string& rootPath) {
  return ::GetDriveTypeA(rootPath.c_str());
}
bool Win32System::GetDiskFreeSpaceA(const char* rootPath, uint32_t* sectorsPerCluster,
                                    uint32_t* bytesPerSector, uint32_t* freeClusters,
                                    uint32_t* totalClusters) {
  DWORD spc = 0, bps = 0, fc = 0, tc = 0;
  BOOL ok = ::GetDiskFreeSpaceA(rootPath, &spc, &bps, &fc, &tc);
  if (sectorsPerCluster) *sectorsPerCluster = spc;
  if (bytesPerSector) *bytesPerSector = bps;
  if (freeClusters) *freeClusters = fc;
  if (totalClusters) *totalClusters = tc;
  return ok;
}
bool Win32System::GetDiskFreeSpaceExA(const std::string& directory, uint64_t* freeToCaller,
                                      uint64_t* totalBytes, uint64_t* totalFreeBytes) {
  if (!DiskFreeSpaceEx) return false;
  ULARGE_INTEGER a{}, t{}, f{};
  BOOL ok = reinterpret_cast<GetDiskFreeSpaceExAFn>(DiskFreeSpaceEx)(directory.c_str(), &a, &t, &f);
  if (freeToCaller) *freeToCaller = a.QuadPart;
  if (totalBytes) *totalBytes = t.QuadPart;
  if (totalFreeBytes) *totalFreeBytes = f.QuadPart;
  return ok;
}
bool Win32System::GetVolumeInformationA(const std::string& rootPath, char* volumeName,
                                        uint32_t volumeNameSize, uint32_t* serialNumber,
                                        uint32_t* maxComponentLength, uint32_t* fileSystemFlags,
                                        char* fileSystemName, uint32_t fileSystemNameSize) {
  DWORD serial = 0, maxLen = 0, flags = 0;
  BOOL ok = ::GetVolumeInformationA(rootPath.c_str(), volumeName, volumeNameSize, &serial, &maxLen,
                                    &flags, fileSystemName, fileSystemNameSize);
  if (serialNumber) *serialNumber = serial;
  if (maxComponentLength) *maxComponentLength = maxLen;
  if (fileSystemFlags) *fileSystemFlags = flags;
  return ok;
}
uint32_t Win32System::SetErrorMode(uint32_t mode) {
  return ::SetErrorMode(mode);
}
uint32_t Win32System::WNetGetConnectionA(const std::string& localName, char* remoteName,
                                         uint32_t* length) {
  DWORD n = length ? *length : 0;
  DWORD r = ::WNetGetConnectionA(localName.c_str(), remoteName, &n);
  if (length) *length = n;
  return r;
}

int32_t Win32System::SHGetFolderPathA(Handle owner, int csidl, Handle token, uint32_t flags,
                                      char* path) {
  if (!ShGetFolderPath) return E_NOTIMPL;
  return reinterpret_cast<SHGetFolderPathAFn>(ShGetFolderPath)(W(owner), csidl, H(token), flags,
                                                               path);
}
std::unique_ptr<TShellLink> Win32System::CreateShellLink() {
  IShellLinkA* link = nullptr;
  HRESULT hr = ::CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER,
                                  ShellLinkAInterface, reinterpret_cast<void**>(&link));
  if (FAILED(hr) || !link) return nullptr;
  return std::make_unique<Win32ShellLink>(link);
}

std::u16string Win32System::MultiByteToWideChar(uint32_t codePage, uint32_t flags,
                                                const std::string& text) {
  if (text.empty()) return {};
  int n = ::MultiByteToWideChar(codePage, flags, text.data(), int(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::u16string out(size_t(n), u'\0');
  ::MultiByteToWideChar(codePage, flags, text.data(), int(text.size()),
                        reinterpret_cast<LPWSTR>(&out[0]), n);
  return out;
}
uint32_t Win32System::CharUpperBuffA(char* text, uint32_t length) {
  return ::CharUpperBuffA(text, length);
}
uint32_t Win32System::CharLowerBuffA(char* text, uint32_t length) {
  return ::CharLowerBuffA(text, length);
}
int Win32System::CompareStringA(uint32_t locale, uint32_t flags, const std::string& a,
                                const std::string& b) {
  return ::CompareStringA(locale, flags, a.data(), int(a.size()), b.data(), int(b.size()));
}
bool Win32System::IsDBCSLeadByte(uint8_t byte) {
  return ::IsDBCSLeadByte(byte);
}
int Win32System::GetSystemMetrics(int index) {
  return ::GetSystemMetrics(index);
}

void Win32System::GetLocalTime(TSystemTime& time) {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  time = Ts(t);
}
bool Win32System::SystemTimeToFileTime(const TSystemTime& time, TFileTime& fileTime) {
  SYSTEMTIME s = St(time);
  FILETIME f{};
  BOOL ok = ::SystemTimeToFileTime(&s, &f);
  fileTime = Tf(f);
  return ok;
}
bool Win32System::FileTimeToSystemTime(const TFileTime& fileTime, TSystemTime& time) {
  FILETIME f = Ft(fileTime);
  SYSTEMTIME s{};
  BOOL ok = ::FileTimeToSystemTime(&f, &s);
  time = Ts(s);
  return ok;
}
bool Win32System::FileTimeToLocalFileTime(const TFileTime& utc, TFileTime& local) {
  FILETIME u = Ft(utc), l{};
  BOOL ok = ::FileTimeToLocalFileTime(&u, &l);
  local = Tf(l);
  return ok;
}
bool Win32System::LocalFileTimeToFileTime(const TFileTime& local, TFileTime& utc) {
  FILETIME l = Ft(local), u{};
  BOOL ok = ::LocalFileTimeToFileTime(&l, &u);
  utc = Tf(u);
  return ok;
}
bool Win32System::FileTimeToDosDateTime(const TFileTime& fileTime, uint16_t* fatDate,
                                        uint16_t* fatTime) {
  FILETIME f = Ft(fileTime);
  WORD d = 0, t = 0;
  BOOL ok = ::FileTimeToDosDateTime(&f, &d, &t);
  if (fatDate) *fatDate = d;
  if (fatTime) *fatTime = t;
  return ok;
}
bool Win32System::DosDateTimeToFileTime(uint16_t fatDate, uint16_t fatTime, TFileTime& fileTime) {
  FILETIME f{};
  BOOL ok = ::DosDateTimeToFileTime(fatDate, fatTime, &f);
  fileTime = Tf(f);
  return ok;
}

bool Win32System::FindResourceData(const std::string& name, const std::string& type,
                                   const uint8_t** data, uint32_t* size) {
  *data = nullptr;
  *size = 0;
  HRSRC info = ::FindResourceA(nullptr, name.c_str(), type.c_str());
  if (!info) return false;
  HGLOBAL global = ::LoadResource(nullptr, info);
  if (!global) return false;
  *data = static_cast<const uint8_t*>(::LockResource(global));
  *size = ::SizeofResource(nullptr, info);
  return *data != nullptr;
}
Handle Win32System::LoadIconA(int id) {
  return U(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
}
Handle Win32System::LoadCursorA(int id) {
  return U(::LoadCursorA(nullptr, MAKEINTRESOURCEA(id)));
}
Handle Win32System::SetCursor(Handle cursor) {
  return U(::SetCursor(reinterpret_cast<HCURSOR>(cursor)));
}

int32_t Win32System::RegCreateKeyExA(Handle key, const std::string& subKey, uint32_t options,
                                     uint32_t desiredAccess, Handle* result,
                                     uint32_t* disposition) {
  HKEY opened = nullptr;
  DWORD disp = 0;
  LSTATUS r = ::RegCreateKeyExA(K(key), subKey.c_str(), 0, nullptr, options, desiredAccess, nullptr,
                                &opened, &disp);
  if (result) *result = r == ERROR_SUCCESS ? U(opened) : 0;
  if (disposition) *disposition = disp;
  return r;
}
int32_t Win32System::RegQueryValueExA(Handle key, const std::string& valueName, uint32_t* type,
                                      void* data, uint32_t* dataSize) {
  DWORD t = 0, n = dataSize ? *dataSize : 0;
  LSTATUS r = ::RegQueryValueExA(K(key), valueName.c_str(), nullptr, &t, static_cast<BYTE*>(data),
                                 dataSize ? &n : nullptr);
  if (type) *type = t;
  if (dataSize) *dataSize = n;
  return r;
}
int32_t Win32System::RegSetValueExA(Handle key, const std::string& valueName, uint32_t type,
                                    const void* data, uint32_t dataSize) {
  return ::RegSetValueExA(K(key), valueName.c_str(), 0, type, static_cast<const BYTE*>(data),
                          dataSize);
}
int32_t Win32System::RegDeleteValueA(Handle key, const std::string& valueName) {
  return ::RegDeleteValueA(K(key), valueName.c_str());
}
int32_t Win32System::RegCloseKey(Handle key) {
  return ::RegCloseKey(K(key));
}

namespace {
BOOL CALLBACK EnumThunk(HWND window, LPARAM param) {
  auto& callback = *reinterpret_cast<const std::function<bool(Handle)>*>(param);
  return callback(U(window)) ? TRUE : FALSE;
}
} // namespace

bool Win32System::EnumWindows(const std::function<bool(Handle window)>& callback) {
  return ::EnumWindows(EnumThunk, reinterpret_cast<LPARAM>(&callback));
}
Handle Win32System::GetPropA(Handle window, const std::string& name) {
  return U(::GetPropA(W(window), name.c_str()));
}
bool Win32System::SetWindowTextA(Handle window, const std::string& text) {
  return ::SetWindowTextA(W(window), text.c_str());
}
intptr_t Win32System::SendMessageA(Handle window, uint32_t message, uintptr_t wParam,
                                   intptr_t lParam) {
  return ::SendMessageA(W(window), message, wParam, lParam);
}
uintptr_t Win32System::SetTimer(Handle window, uintptr_t id, uint32_t elapse) {
  return ::SetTimer(W(window), id, elapse, nullptr);
}
bool Win32System::KillTimer(Handle window, uintptr_t id) {
  return ::KillTimer(W(window), id);
}
uint32_t Win32System::WinExec(const std::string& commandLine, uint32_t showCommand) {
  return ::WinExec(commandLine.c_str(), showCommand);
}
int Win32System::MessageBoxExW(Handle owner, const std::u16string& text,
                               const std::u16string& caption, uint32_t type, uint16_t language) {
  return ::MessageBoxExW(W(owner), Wide(text), Wide(caption), type, language);
}

Handle Win32System::CreatePalette(const TLogPalette& palette) {
  static_assert(sizeof(PALETTEENTRY) == sizeof(TPaletteEntry), "palette entry layout");
  static_assert(offsetof(LOGPALETTE, palPalEntry) == offsetof(TLogPalette, PalPalEntry),
                "palette layout");
  return U(::CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette)));
}
uint32_t Win32System::GetPaletteEntries(Handle palette, uint32_t start, uint32_t count,
                                        TPaletteEntry* entries) {
  return ::GetPaletteEntries(reinterpret_cast<HPALETTE>(palette), start, count,
                             reinterpret_cast<PALETTEENTRY*>(entries));
}
bool Win32System::DeleteObject(Handle object) {
  return ::DeleteObject(reinterpret_cast<HGDIOBJ>(object));
}

System& DefaultSystem() {
  static Win32System machine;
  return machine;
}
