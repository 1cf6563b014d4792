// The simulated machine's default set-up, text, clock, resources, registry, windows, shell and
// GDI.
#include "platform/os/Calendar.h"
#include "platform/os/WinConst.h"
#include "platform/os/sim/SimCodePages.h"
#include "platform/os/sim/SimImpl.h"

#include <algorithm>
#include <cstring>
#include <utility>

const char* SimCallName(SimCall call) {
  static const char* const names[] = {
      "CreateFile",           "ReadFile",          "WriteFile",
      "SetFileTime",          "DeleteFile",        "CreateDirectory",
      "RemoveDirectory",      "GetFileAttributes", "FindFirstFile",
      "SetCurrentDirectory",  "GetDiskFreeSpace",  "GetDiskFreeSpaceEx",
      "GetVolumeInformation", "DeviceIoControl",   "WNetGetConnection",
      "SHGetFolderPath",      "ShellLinkCreate",   "ShellLinkSave",
      "RegCreateKey",         "RegQueryValue",     "RegSetValue",
      "MessageBox",           "WinExec",           "CreatePalette"};
  static_assert(sizeof names / sizeof names[0] == size_t(SimCall::Count), "one name a call");
  return names[size_t(call)];
}

// ---- case and code pages ----

char16_t SimUpper(char16_t c) {
  if (c >= u'a' && c <= u'z') return char16_t(c - 32);
  if (c < 0x80) return c;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return char16_t(c - 32);
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149)
    return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) ? char16_t(c & 1 ? c : c - 1)
                                                                    : char16_t(c & ~1);
  if (c >= 0x430 && c <= 0x44F) return char16_t(c - 32);
  if (c >= 0x450 && c <= 0x45F) return char16_t(c - 80);
  return c;
}

char16_t SimLower(char16_t c) {
  if (c >= u'A' && c <= u'Z') return char16_t(c + 32);
  if (c < 0x80) return c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return char16_t(c + 32);
  if (c == 0x178) return 0xFF;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149)
    return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) ? char16_t(c & 1 ? c + 1 : c)
                                                                    : char16_t(c | 1);
  if (c >= 0x410 && c <= 0x42F) return char16_t(c + 32);
  if (c >= 0x400 && c <= 0x40F) return char16_t(c + 80);
  return c;
}

std::u16string SimUpper(const std::u16string& s) {
  std::u16string r = s;
  for (auto& c : r) c = SimUpper(c);
  return r;
}

std::string SimUpperAscii(const std::string& s) {
  std::string r = s;
  for (auto& c : r)
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  return r;
}

static const char16_t* HighTable(uint32_t codePage) {
  return codePage == 1251 ? kCp1251High : kCp1252High;
}

static std::u16string Decode(const std::string& text, uint32_t codePage) {
  const char16_t* high = HighTable(codePage);
  std::u16string out;
  out.reserve(text.size());
  for (unsigned char c : text) out += c < 0x80 ? char16_t(c) : high[c - 0x80];
  return out;
}

static std::string Encode(const std::u16string& text, uint32_t codePage) {
  const char16_t* high = HighTable(codePage);
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c < 0x80) {
      out += char(c);
      continue;
    }
    const char16_t* hit = std::find(high, high + 128, c);
    out += hit == high + 128 ? '?' : char(0x80 + (hit - high));
  }
  return out;
}

std::u16string SimSystem::FromAnsi(const std::string& text) const {
  return Decode(text, P->Acp);
}
std::string SimSystem::ToAnsi(const std::u16string& text) const {
  return Encode(text, P->Acp);
}
std::u16string SimSystem::From1252(const std::string& text) {
  return Decode(text, 1252);
}
std::string SimSystem::To1252(const std::u16string& text) {
  return Encode(text, 1252);
}

std::string TSimMessageBox::TextAnsi() const {
  return SimSystem::To1252(Text);
}

uint32_t TSimRegValue::Dword() const {
  uint32_t v = 0;
  std::memcpy(&v, Data.data(), std::min<size_t>(4, Data.size()));
  return v;
}

// ---- the default machine ----

SimSystem::SimSystem() : P(std::make_unique<Impl>()) {
  TSimDrive& c = AddDrive('C', DRIVE_FIXED);
  c.Label = "Windows";
  SetLocalTime(TSystemTime{2026, 12, 5, 11, 10, 30, 0, 0});
  SetTimeZoneBiasMinutes(-60);
  for (const char* dir :
       {"C:\\Windows\\System32", "C:\\Program Files", "C:\\Users\\User\\Documents",
        "C:\\Users\\User\\Desktop", "C:\\Users\\User\\AppData\\Local\\Temp",
        "C:\\Users\\User\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs",
        "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs", "C:\\Users\\Public\\Desktop"})
    MakeDirs(dir);
  SetSpecialFolder(CSIDL_PROGRAMS,
                   "C:\\Users\\User\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs");
  SetSpecialFolder(CSIDL_PERSONAL, "C:\\Users\\User\\Documents");
  SetSpecialFolder(CSIDL_DESKTOPDIRECTORY, "C:\\Users\\User\\Desktop");
  SetSpecialFolder(CSIDL_COMMON_PROGRAMS,
                   "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs");
  SetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY, "C:\\Users\\Public\\Desktop");
  SetSpecialFolder(CSIDL_APPDATA, "C:\\Users\\User\\AppData\\Roaming");
  SetSpecialFolder(CSIDL_COMMON_APPDATA, "C:\\ProgramData");
  SetSpecialFolder(CSIDL_PROGRAM_FILES, "C:\\Program Files");
  SetTempPath("C:\\Users\\User\\AppData\\Local\\Temp\\");
  SetCommandLine("\"C:\\Users\\User\\Downloads\\setup.exe\"");
}

void SimSystem::SetSpecialFolder(int csidl, const std::string& path) {
  P->Special[csidl] = path;
}
void SimSystem::SetShellFolderFunctionMissing(bool missing) {
  P->ShellFunctionMissing = missing;
}

std::string SimSystem::GetCommandLineA() {
  return P->CommandLine;
}
uint32_t SimSystem::GetLastError() {
  return P->LastError;
}
int32_t SimSystem::OleInitialize() {
  return S_OK;
}
void SimSystem::OleUninitialize() {}

int32_t SimSystem::SHGetFolderPathA(Handle, int csidl, Handle, uint32_t, char* path) {
  COUNTED(SimCall::SHGetFolderPath, std::to_string(csidl));
  path[0] = 0;
  if (P->ShellFunctionMissing) return E_NOTIMPL;
  if (fault) return E_FAIL;
  auto it = P->Special.find(csidl);
  if (it == P->Special.end() || it->second.empty() || it->second.size() >= MAX_PATH) return E_FAIL;
  std::memcpy(path, it->second.c_str(), it->second.size() + 1);
  return S_OK;
}

// The link is stored as a small text file through the machine's own file calls, so a missing
// folder or a full disk fails the save as on Windows.
class SimShellLink final : public TShellLink {
public:
  explicit SimShellLink(SimSystem& owner) : Owner(owner) {}
  int32_t SetPath(const std::string& path) override {
    Link.Path = path;
    return S_OK;
  }
  int32_t SetWorkingDirectory(const std::string& dir) override {
    Link.WorkingDirectory = dir;
    return S_OK;
  }
  int32_t SetDescription(const std::string& text) override {
    Link.Description = text;
    return S_OK;
  }
  int32_t Save(const std::u16string& fileName, bool) override {
    SimSystem& s = Owner;
    const TSimFault* fault =
        SimCount(*s.P, s.Calls, SimCall::ShellLinkSave, s.ToAnsi(fileName), s.BeforeCall);
    if (fault) return E_FAIL;
    Handle h = s.CreateFileW(fileName, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    if (h == kInvalidHandle) return E_FAIL;
    std::string text = "[Shell Link]\r\nTarget=" + Link.Path +
                       "\r\nWorkingDirectory=" + Link.WorkingDirectory +
                       "\r\nDescription=" + Link.Description + "\r\n";
    uint32_t written = 0;
    bool ok = s.WriteFile(h, text.data(), uint32_t(text.size()), &written);
    s.CloseHandle(h);
    if (!ok || written != text.size()) return E_FAIL;
    Link.File = fileName;
    s.Links.push_back(Link);
    return S_OK;
  }

private:
  SimSystem& Owner;
  TSimShellLink Link;
};

std::unique_ptr<TShellLink> SimSystem::CreateShellLink() {
  COUNTED(SimCall::ShellLinkCreate, "");
  if (fault) return nullptr;
  return std::make_unique<SimShellLink>(*this);
}

std::optional<TSimShellLink> SimSystem::LinkAt(const std::string& file) const {
  std::u16string key = SimUpper(From1252(file));
  for (auto it = Links.rbegin(); it != Links.rend(); ++it)
    if (SimUpper(it->File) == key && FileExists(file)) return *it;
  return std::nullopt;
}

// ---- text ----

std::u16string SimSystem::MultiByteToWideChar(uint32_t codePage, uint32_t,
                                              const std::string& text) {
  return Decode(text, codePage == CP_ACP ? P->Acp : codePage);
}

uint32_t SimSystem::CharUpperBuffA(char* text, uint32_t length) {
  std::u16string w = FromAnsi(std::string(text, length));
  for (size_t i = 0; i < w.size(); ++i) {
    std::string back = ToAnsi(std::u16string(1, SimUpper(w[i])));
    if (back != "?" || w[i] == u'?') text[i] = back[0];
  }
  return length;
}

uint32_t SimSystem::CharLowerBuffA(char* text, uint32_t length) {
  std::u16string w = FromAnsi(std::string(text, length));
  for (size_t i = 0; i < w.size(); ++i) {
    std::string back = ToAnsi(std::u16string(1, SimLower(w[i])));
    if (back != "?" || w[i] == u'?') text[i] = back[0];
  }
  return length;
}

int SimSystem::CompareStringA(uint32_t, uint32_t flags, const std::string& a,
                              const std::string& b) {
  std::u16string x = FromAnsi(a), y = FromAnsi(b);
  if (flags & NORM_IGNORECASE) {
    x = SimUpper(x);
    y = SimUpper(y);
  }
  int c = x.compare(y);
  return c < 0 ? CSTR_LESS_THAN : c > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL;
}

bool SimSystem::IsDBCSLeadByte(uint8_t) {
  return false;
}
int SimSystem::GetSystemMetrics(int) {
  return 0;
}

// ---- time ----

namespace {
constexpr uint64_t kTicksPerDay = 864000000000ull;

// Days from 1 January 1601, the origin of file times; 1970-01-01 is day 134774.
constexpr int64_t kDays1601To1970 = 134774;
int64_t DaysFrom1601(int y, int m, int d) {
  return Calendar::DaysFromCivil(y, m, d) + kDays1601To1970;
}
void CivilFrom1601(int64_t days, int& y, int& m, int& d) {
  Calendar::CivilFromDays(days - kDays1601To1970, y, m, d);
}
using Calendar::DaysInMonth;
} // namespace

void SimSystem::SetLocalTime(const TSystemTime& time) {
  TFileTime ft;
  SystemTimeToFileTime(time, ft);
  P->ClockLocal = ft.Value();
}
void SimSystem::AdvanceClock(uint64_t hundredNanoseconds) {
  P->ClockLocal += hundredNanoseconds;
}
void SimSystem::SetTimeZoneBiasMinutes(int bias) {
  P->BiasMinutes = bias;
}

void SimSystem::GetLocalTime(TSystemTime& time) {
  FileTimeToSystemTime(TFileTime::FromValue(P->ClockLocal), time);
}

bool SimSystem::SystemTimeToFileTime(const TSystemTime& t, TFileTime& fileTime) {
  if (t.Year < 1601 || t.Year > 30827 || t.Month < 1 || t.Month > 12 || t.Day < 1 ||
      t.Day > DaysInMonth(t.Year, t.Month) || t.Hour > 23 || t.Minute > 59 || t.Second > 59 ||
      t.Milliseconds > 999)
    return false;
  uint64_t v = uint64_t(DaysFrom1601(t.Year, t.Month, t.Day)) * kTicksPerDay +
               ((uint64_t(t.Hour) * 60 + t.Minute) * 60 + t.Second) * 10000000ull +
               uint64_t(t.Milliseconds) * 10000;
  fileTime = TFileTime::FromValue(v);
  return true;
}

bool SimSystem::FileTimeToSystemTime(const TFileTime& fileTime, TSystemTime& t) {
  uint64_t v = fileTime.Value();
  if (v >= 0x8000000000000000ull) return false;
  int64_t days = int64_t(v / kTicksPerDay);
  uint64_t rest = v % kTicksPerDay;
  int y, m, d;
  CivilFrom1601(days, y, m, d);
  t.Year = uint16_t(y);
  t.Month = uint16_t(m);
  t.Day = uint16_t(d);
  t.DayOfWeek = uint16_t((days + 1) % 7); // 1 January 1601 was a Monday
  t.Hour = uint16_t(rest / 36000000000ull);
  t.Minute = uint16_t(rest / 600000000ull % 60);
  t.Second = uint16_t(rest / 10000000ull % 60);
  t.Milliseconds = uint16_t(rest / 10000 % 1000);
  return true;
}

bool SimSystem::FileTimeToLocalFileTime(const TFileTime& utc, TFileTime& local) {
  local = TFileTime::FromValue(utc.Value() - int64_t(P->BiasMinutes) * 60 * 10000000);
  return true;
}

bool SimSystem::LocalFileTimeToFileTime(const TFileTime& local, TFileTime& utc) {
  utc = TFileTime::FromValue(local.Value() + int64_t(P->BiasMinutes) * 60 * 10000000);
  return true;
}

bool SimSystem::FileTimeToDosDateTime(const TFileTime& fileTime, uint16_t* fatDate,
                                      uint16_t* fatTime) {
  TSystemTime t;
  if (!FileTimeToSystemTime(fileTime, t) || t.Year < 1980 || t.Year > 2107) return false;
  if (fatDate) *fatDate = uint16_t(((t.Year - 1980) << 9) | (t.Month << 5) | t.Day);
  if (fatTime) *fatTime = uint16_t((t.Hour << 11) | (t.Minute << 5) | (t.Second / 2));
  return true;
}

bool SimSystem::DosDateTimeToFileTime(uint16_t fatDate, uint16_t fatTime, TFileTime& fileTime) {
  TSystemTime t;
  t.Year = uint16_t(1980 + (fatDate >> 9));
  t.Month = uint16_t((fatDate >> 5) & 15);
  t.Day = uint16_t(fatDate & 31);
  t.Hour = uint16_t(fatTime >> 11);
  t.Minute = uint16_t((fatTime >> 5) & 63);
  t.Second = uint16_t((fatTime & 31) * 2);
  return SystemTimeToFileTime(t, fileTime);
}

// ---- resources ----

void SimSystem::AddResource(const std::string& type, const std::string& name, std::string bytes) {
  P->Resources[{SimUpperAscii(type), SimUpperAscii(name)}] = std::move(bytes);
}

bool SimSystem::FindResourceData(const std::string& name, const std::string& type,
                                 const uint8_t** data, uint32_t* size) {
  auto it = P->Resources.find({SimUpperAscii(type), SimUpperAscii(name)});
  if (it == P->Resources.end()) {
    *data = nullptr;
    *size = 0;
    return false;
  }
  *data = reinterpret_cast<const uint8_t*>(it->second.data());
  *size = uint32_t(it->second.size());
  return true;
}

Handle SimSystem::LoadIconA(int id) {
  const uint8_t* data;
  uint32_t size;
  return FindResourceData("#" + std::to_string(id), "#14", &data, &size) ? Handle(0x1C0000 + id)
                                                                         : 0;
}
Handle SimSystem::LoadCursorA(int id) {
  return Handle(0x2C0000 + id);
}
Handle SimSystem::WaitCursor() const {
  return Handle(0x2C0000 + IDC_WAIT);
}
Handle SimSystem::SetCursor(Handle cursor) {
  return std::exchange(Cursor, cursor);
}

// ---- registry ----

namespace {
std::string RootName(Handle key) {
  if (key == HKEY_CURRENT_USER) return "HKCU";
  if (key == HKEY_LOCAL_MACHINE) return "HKLM";
  return "";
}
} // namespace

int32_t SimSystem::RegCreateKeyExA(Handle key, const std::string& subKey, uint32_t,
                                   uint32_t desiredAccess, Handle* result, uint32_t* disposition) {
  std::string base = RootName(key);
  if (base.empty()) {
    auto it = P->OpenKeys.find(key);
    if (it == P->OpenKeys.end()) return int32_t(ERROR_INVALID_HANDLE);
    base = it->second;
  }
  std::string path = subKey.empty() ? base : base + "\\" + subKey;
  COUNTED(SimCall::RegCreateKey, path);
  if (result) *result = 0;
  if (fault) return int32_t(fault->Error);
  std::string folded = SimUpperAscii(path);
  for (const auto& denied : P->DeniedKeys)
    if (folded.compare(0, denied.size(), denied) == 0 && (desiredAccess & 0x6) /* set, create */)
      return int32_t(ERROR_ACCESS_DENIED);
  bool created = !P->Keys.count(folded);
  // Every level of the path exists afterwards, as with the real call.
  for (size_t pos = folded.find('\\'); pos != std::string::npos; pos = folded.find('\\', pos + 1)) {
    auto& k = P->Keys[folded.substr(0, pos)];
    if (k.Path.empty()) k.Path = path.substr(0, pos);
  }
  auto& k = P->Keys[folded];
  if (k.Path.empty()) k.Path = path;
  Handle h = P->NewHandle();
  P->OpenKeys[h] = folded;
  if (result) *result = h;
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return 0;
}

int32_t SimSystem::RegQueryValueExA(Handle key, const std::string& valueName, uint32_t* type,
                                    void* data, uint32_t* dataSize) {
  auto open = P->OpenKeys.find(key);
  std::string path = open == P->OpenKeys.end() ? RootName(key) : open->second;
  COUNTED(SimCall::RegQueryValue, path + "\\" + valueName);
  if (fault) return int32_t(fault->Error);
  if (open == P->OpenKeys.end()) return int32_t(ERROR_INVALID_HANDLE);
  const auto& values = P->Keys[path].Values;
  auto it = values.find(SimUpperAscii(valueName));
  if (it == values.end()) return int32_t(ERROR_FILE_NOT_FOUND);
  const TSimRegValue& v = it->second;
  if (type) *type = v.Type;
  if (data) {
    if (!dataSize || *dataSize < v.Data.size()) {
      if (dataSize) *dataSize = uint32_t(v.Data.size());
      return int32_t(ERROR_MORE_DATA);
    }
    std::memcpy(data, v.Data.data(), v.Data.size());
  }
  if (dataSize) *dataSize = uint32_t(v.Data.size());
  return 0;
}

int32_t SimSystem::RegSetValueExA(Handle key, const std::string& valueName, uint32_t type,
                                  const void* data, uint32_t dataSize) {
  auto open = P->OpenKeys.find(key);
  std::string path = open == P->OpenKeys.end() ? RootName(key) : open->second;
  COUNTED(SimCall::RegSetValue, path + "\\" + valueName);
  if (fault) return int32_t(fault->Error);
  if (open == P->OpenKeys.end()) return int32_t(ERROR_INVALID_HANDLE);
  TSimRegValue& v = P->Keys[path].Values[SimUpperAscii(valueName)];
  v.Name = valueName;
  v.Type = type;
  v.Data.assign(static_cast<const char*>(data), dataSize);
  return 0;
}

int32_t SimSystem::RegDeleteValueA(Handle key, const std::string& valueName) {
  auto open = P->OpenKeys.find(key);
  if (open == P->OpenKeys.end()) return int32_t(ERROR_INVALID_HANDLE);
  return P->Keys[open->second].Values.erase(SimUpperAscii(valueName))
             ? 0
             : int32_t(ERROR_FILE_NOT_FOUND);
}

int32_t SimSystem::RegCloseKey(Handle key) {
  if (!RootName(key).empty()) return 0;
  return P->OpenKeys.erase(key) ? 0 : int32_t(ERROR_INVALID_HANDLE);
}

bool SimSystem::KeyExists(const std::string& path) const {
  return P->Keys.count(SimUpperAscii(path)) > 0;
}

std::optional<TSimRegValue> SimSystem::RegValue(const std::string& keyPath,
                                                const std::string& name) const {
  auto k = P->Keys.find(SimUpperAscii(keyPath));
  if (k == P->Keys.end()) return std::nullopt;
  auto v = k->second.Values.find(SimUpperAscii(name));
  if (v == k->second.Values.end()) return std::nullopt;
  return v->second;
}

std::vector<TSimRegValue> SimSystem::RegValues(const std::string& keyPath) const {
  std::vector<TSimRegValue> out;
  auto k = P->Keys.find(SimUpperAscii(keyPath));
  if (k != P->Keys.end())
    for (const auto& [name, v] : k->second.Values) out.push_back(v);
  return out;
}

void SimSystem::SetRegValue(const std::string& keyPath, const std::string& name, uint32_t type,
                            const std::string& data) {
  std::string folded = SimUpperAscii(keyPath);
  for (size_t pos = folded.find('\\'); pos != std::string::npos; pos = folded.find('\\', pos + 1))
    if (P->Keys[folded.substr(0, pos)].Path.empty())
      P->Keys[folded.substr(0, pos)].Path = keyPath.substr(0, pos);
  auto& k = P->Keys[folded];
  if (k.Path.empty()) k.Path = keyPath;
  k.Values[SimUpperAscii(name)] = TSimRegValue{name, type, data};
}

void SimSystem::SetRegDword(const std::string& keyPath, const std::string& name, uint32_t value) {
  SetRegValue(keyPath, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4));
}

void SimSystem::SetRegString(const std::string& keyPath, const std::string& name,
                             const std::string& s) {
  SetRegValue(keyPath, name, REG_SZ, s + '\0');
}

void SimSystem::DenyRegistryAccess(const std::string& keyPrefix) {
  P->DeniedKeys.push_back(SimUpperAscii(keyPrefix));
}

// ---- windows, timers, processes, message boxes ----

Handle SimSystem::AddWindow(const std::string& title) {
  Handle h = P->NewHandle();
  P->Windows.push_back({h, {}});
  P->WindowTexts[h] = title;
  return h;
}

void SimSystem::SetWindowProp(Handle window, const std::string& name, Handle value) {
  for (auto& w : P->Windows)
    if (w.Id == window) w.Props[SimUpperAscii(name)] = value;
}

void SimSystem::RemoveWindow(Handle window) {
  P->Windows.erase(std::remove_if(P->Windows.begin(), P->Windows.end(),
                                  [&](const Impl::Window& w) { return w.Id == window; }),
                   P->Windows.end());
}

std::string SimSystem::WindowText(Handle window) const {
  auto it = P->WindowTexts.find(window);
  return it == P->WindowTexts.end() ? std::string() : it->second;
}

bool SimSystem::EnumWindows(const std::function<bool(Handle window)>& callback) {
  std::vector<Handle> ids;
  for (const auto& w : P->Windows) ids.push_back(w.Id);
  for (Handle h : ids)
    if (!callback(h)) break;
  return true;
}

Handle SimSystem::GetPropA(Handle window, const std::string& name) {
  for (const auto& w : P->Windows)
    if (w.Id == window) {
      auto it = w.Props.find(SimUpperAscii(name));
      return it == w.Props.end() ? 0 : it->second;
    }
  return 0;
}

bool SimSystem::SetWindowTextA(Handle window, const std::string& text) {
  P->WindowTexts[window] = text;
  return true;
}

intptr_t SimSystem::SendMessageA(Handle window, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) {
  Sent.push_back({window, message, wParam, lParam});
  return 0;
}

uintptr_t SimSystem::SetTimer(Handle window, uintptr_t id, uint32_t elapse) {
  P->Timers[{window, id}] = elapse;
  return id;
}

bool SimSystem::KillTimer(Handle window, uintptr_t id) {
  return P->Timers.erase({window, id}) > 0;
}

bool SimSystem::TimerRunning(Handle window, uintptr_t id) const {
  return P->Timers.count({window, id}) > 0;
}

uint32_t SimSystem::TimerInterval(Handle window, uintptr_t id) const {
  auto it = P->Timers.find({window, id});
  return it == P->Timers.end() ? 0 : it->second;
}

uint32_t SimSystem::WinExec(const std::string& commandLine, uint32_t showCommand) {
  COUNTED(SimCall::WinExec, commandLine);
  if (fault) return ERROR_FILE_NOT_FOUND;
  Launches.push_back({commandLine, showCommand});
  return OnWinExec ? OnWinExec(Launches.back()) : 33;
}

int SimSystem::MessageBoxExW(Handle owner, const std::u16string& text,
                             const std::u16string& caption, uint32_t type, uint16_t language) {
  TSimMessageBox box{owner, text, caption, type, language, 0};
  COUNTED(SimCall::MessageBox, box.TextAnsi());
  if (!fault) {
    if (!MessageBoxAnswers.empty()) {
      box.Answer = MessageBoxAnswers.front();
      MessageBoxAnswers.pop_front();
    } else if (OnMessageBox) {
      box.Answer = OnMessageBox(box);
    } else {
      ++Unexpected;
    }
  }
  Boxes.push_back(box);
  return box.Answer;
}

// ---- GDI ----

Handle SimSystem::CreatePalette(const TLogPalette& palette) {
  COUNTED(SimCall::CreatePalette, "");
  if (fault || palette.Version != 0x300 || palette.NumEntries > 256) return 0;
  Handle h = P->NewHandle();
  Palettes[h].assign(palette.PalPalEntry, palette.PalPalEntry + palette.NumEntries);
  return h;
}

uint32_t SimSystem::GetPaletteEntries(Handle palette, uint32_t start, uint32_t count,
                                      TPaletteEntry* entries) {
  auto it = Palettes.find(palette);
  if (it == Palettes.end()) return 0;
  if (!entries) return uint32_t(it->second.size());
  uint32_t n = 0;
  for (uint32_t i = start; i < it->second.size() && n < count; ++i) entries[n++] = it->second[i];
  return n;
}

bool SimSystem::DeleteObject(Handle object) {
  return Palettes.erase(object) > 0;
}

std::vector<TPaletteEntry> SimSystem::PaletteOf(Handle palette) const {
  auto it = Palettes.find(palette);
  return it == Palettes.end() ? std::vector<TPaletteEntry>{} : it->second;
}
