// The simulated machine's drives, file tree, handles and current directories.
#include "platform/os/WinConst.h"
#include "platform/os/sim/SimImpl.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr uint32_t ERROR_FILE_EXISTS = 80;
constexpr uint32_t ERROR_WRITE_PROTECT = 19;
constexpr uint32_t ERROR_NEGATIVE_SEEK = 131;
constexpr uint32_t ERROR_DIR_NOT_EMPTY = 145;
constexpr uint32_t ERROR_INVALID_NAME = 123;
constexpr uint32_t ERROR_BAD_LENGTH = 24;
constexpr uint32_t ERROR_DIRECTORY = 267;

bool IsSep(char16_t c) {
  return c == u'\\' || c == u'/';
}
bool IsLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
char UpperLetter(char16_t c) {
  return char(c >= u'a' ? c - 32 : c);
}

void SplitInto(const std::u16string& s, size_t from, std::vector<std::u16string>& parts) {
  std::u16string cur;
  for (size_t i = from; i <= s.size(); ++i) {
    if (i == s.size() || IsSep(s[i])) {
      if (cur == u"..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!cur.empty() && cur != u".") {
        parts.push_back(cur);
      }
      cur.clear();
    } else {
      cur += s[i];
    }
  }
}

bool Parse(const std::u16string& in, TSimPath& out) {
  out = TSimPath{};
  if (in.size() >= 2 && IsSep(in[0]) && IsSep(in[1])) {
    size_t p = 2, server = in.size();
    for (size_t i = 2; i < in.size(); ++i)
      if (IsSep(in[i])) {
        server = i;
        break;
      }
    if (server == in.size() || server == 2) return false;
    size_t share = in.size();
    for (size_t i = server + 1; i < in.size(); ++i)
      if (IsSep(in[i])) {
        share = i;
        break;
      }
    if (share == server + 1) return false;
    out.Root =
        u"\\\\" + in.substr(p, server - p) + u"\\" + in.substr(server + 1, share - server - 1);
    SplitInto(in, share, out.Parts);
    return true;
  }
  if (in.size() >= 2 && IsLetter(in[0]) && in[1] == u':') {
    out.Root = in.substr(0, 2);
    SplitInto(in, 2, out.Parts);
    return true;
  }
  return false;
}

bool WildMatch(const std::u16string& mask, const std::u16string& name) {
  if (mask == u"*" || mask == u"*.*") return true;
  size_t m = 0, n = 0, star = std::u16string::npos, mark = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == u'?' || SimUpper(mask[m]) == SimUpper(name[n]))) {
      ++m;
      ++n;
    } else if (m < mask.size() && mask[m] == u'*') {
      star = m++;
      mark = n;
    } else if (star != std::u16string::npos) {
      m = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == u'*') ++m;
  return m == mask.size();
}

} // namespace

std::u16string TSimPath::Full() const {
  std::u16string s = Root;
  if (Parts.empty()) return s + u"\\";
  for (const auto& p : Parts) s += u"\\" + p;
  return s;
}
std::u16string TSimPath::Key() const {
  std::u16string s = SimUpper(Root);
  for (const auto& p : Parts) s += u"\\" + SimUpper(p);
  return s;
}
std::u16string TSimPath::ParentKey() const {
  TSimPath parent = *this;
  if (!parent.Parts.empty()) parent.Parts.pop_back();
  return parent.Key();
}
char TSimPath::Letter() const {
  return Root.size() == 2 ? UpperLetter(Root[0]) : 0;
}

// ---- internal helpers (members so they reach the private state) ----

namespace {
struct Resolved {
  TSimPath Path;
  TSimDrive* Drive = nullptr;
};
} // namespace

// Resolution follows GetFullPathName: separators unified, "." and ".." folded, relative
// paths taken from the current directory (per drive for "X:name").
static bool ResolvePath(SimSystem::Impl& m, const std::u16string& raw, Resolved& r) {
  std::u16string in = raw;
  if (in.empty()) return false;
  TSimPath cwd;
  Parse(m.Cwd, cwd);
  std::u16string full;
  if (in.size() >= 2 && IsSep(in[0]) && IsSep(in[1])) {
    full = in;
  } else if (in.size() >= 2 && IsLetter(in[0]) && in[1] == u':') {
    if (in.size() == 2 || !IsSep(in[2])) {
      char letter = UpperLetter(in[0]);
      std::u16string base = cwd.Letter() == letter ? m.Cwd : std::u16string();
      if (base.empty()) {
        auto it = m.DriveCwd.find(letter);
        base = it != m.DriveCwd.end() ? it->second : in.substr(0, 2) + u"\\";
      }
      full = base + u"\\" + in.substr(2);
    } else {
      full = in;
    }
  } else if (IsSep(in[0])) {
    full = cwd.Root + in;
  } else {
    full = m.Cwd + u"\\" + in;
  }
  if (!Parse(full, r.Path)) return false;
  if (char l = r.Path.Letter()) {
    auto it = m.Drives.find(l);
    r.Drive = it == m.Drives.end() ? nullptr : &it->second;
  } else {
    auto it = m.Shares.find(SimUpper(r.Path.Root));
    r.Drive = it == m.Shares.end() ? nullptr : &it->second;
  }
  return true;
}

// ---- faults ----

static const TSimFault* Strike(SimSystem::Impl& m, SimCall call, const std::string& path) {
  std::string upper = SimUpperAscii(path);
  for (auto& f : m.Faults) {
    if (f.Fault.Call != call) continue;
    if (!f.Fault.PathContains.empty() &&
        upper.find(SimUpperAscii(f.Fault.PathContains)) == std::string::npos)
      continue;
    if (f.Seen++ < f.Fault.Skip) continue;
    if (f.Fault.Times == 0) continue;
    if (f.Fault.Times > 0) --f.Fault.Times;
    m.LastError = f.Fault.Error;
    return &f.Fault;
  }
  return nullptr;
}

// ---- SimSystem ----

SimSystem::~SimSystem() = default;

const TSimFault* SimCount(SimSystem::Impl& m, int* calls, SimCall call, const std::string& path,
                          const std::function<void(SimCall, const std::string&)>& before) {
  ++calls[size_t(call)];
  if (before) before(call, path);
  return Strike(m, call, path);
}

namespace {
std::string Ansi(const SimSystem& s, const std::u16string& t) {
  return s.ToAnsi(t);
}
} // namespace

TSimDrive& SimSystem::AddDrive(char letter, uint32_t type) {
  char l = UpperLetter(char16_t(letter));
  TSimDrive& d = P->Drives[l];
  d = TSimDrive{};
  d.Type = type;
  if (type == DRIVE_REMOVABLE) {
    d.FileSystem = "FAT32";
    d.FileSystemFlags = FS_CASE_IS_PRESERVED | FS_UNICODE_STORED_ON_DISK;
    d.BusType = 7;
    d.RemovableMedia = true;
  } else if (type == DRIVE_REMOTE) {
    d.VolumeOpenable = false;
  } else if (type == DRIVE_CDROM) {
    d.FileSystem = "CDFS";
    d.FileSystemFlags = FS_CASE_IS_PRESERVED;
    d.ReadOnly = true;
    d.BusType = 3;
    d.RemovableMedia = true;
  }
  return d;
}

TSimDrive* SimSystem::Drive(char letter) {
  auto it = P->Drives.find(UpperLetter(char16_t(letter)));
  return it == P->Drives.end() ? nullptr : &it->second;
}

void SimSystem::RemoveDrive(char letter) {
  char l = UpperLetter(char16_t(letter));
  P->Drives.erase(l);
  std::u16string prefix = std::u16string(1, char16_t(l)) + u":";
  for (auto it = P->Tree.begin(); it != P->Tree.end();)
    it = it->first.compare(0, 2, prefix) == 0 ? P->Tree.erase(it) : std::next(it);
}

TSimDrive& SimSystem::AddShare(const std::string& uncRoot) {
  TSimPath p;
  Parse(From1252(uncRoot), p);
  TSimDrive& d = P->Shares[SimUpper(p.Root)];
  d = TSimDrive{};
  d.Type = DRIVE_REMOTE;
  d.VolumeOpenable = false;
  return d;
}

void SimSystem::MakeDirs(const std::string& path) {
  Resolved r;
  if (!ResolvePath(*P, From1252(path), r)) return;
  TSimPath cur;
  cur.Root = r.Path.Root;
  for (const auto& part : r.Path.Parts) {
    cur.Parts.push_back(part);
    auto& node = P->Tree[cur.Key()];
    if (node.Name.empty()) {
      node.Name = part;
      node.Dir = true;
      node.Attributes = FILE_ATTRIBUTE_DIRECTORY;
      node.Created = node.Accessed = node.Written = TFileTime::FromValue(P->NowUtc());
    }
  }
}

void SimSystem::PutFile(const std::string& path, const std::string& content, uint32_t attributes) {
  Resolved r;
  if (!ResolvePath(*P, From1252(path), r) || r.Path.IsRoot()) return;
  TSimPath parent = r.Path;
  parent.Parts.pop_back();
  MakeDirs(To1252(parent.Full()));
  Node& n = P->Tree[r.Path.Key()];
  n.Name = r.Path.Parts.back();
  n.Dir = false;
  n.Attributes = attributes;
  n.Data = content;
  n.Created = n.Accessed = n.Written = TFileTime::FromValue(P->NowUtc());
}

static const SimSystem::Node* FindNode(const SimSystem::Impl& m, const std::string& path,
                                       const SimSystem& s) {
  Resolved r;
  if (!ResolvePath(const_cast<SimSystem::Impl&>(m), s.From1252(path), r)) return nullptr;
  auto it = m.Tree.find(r.Path.Key());
  return it == m.Tree.end() ? nullptr : &it->second;
}

bool SimSystem::FileExists(const std::string& path) const {
  const Node* n = FindNode(*P, path, *this);
  return n && !n->Dir;
}
bool SimSystem::FolderExists(const std::string& path) const {
  Resolved r;
  if (!ResolvePath(*P, From1252(path), r)) return false;
  if (r.Path.IsRoot()) return r.Drive && r.Drive->MediaPresent;
  auto it = P->Tree.find(r.Path.Key());
  return it != P->Tree.end() && it->second.Dir;
}
std::optional<std::string> SimSystem::FileContent(const std::string& path) const {
  const Node* n = FindNode(*P, path, *this);
  if (!n || n->Dir) return std::nullopt;
  return n->Data;
}
uint32_t SimSystem::Attributes(const std::string& path) const {
  const Node* n = FindNode(*P, path, *this);
  return n ? n->Attributes : INVALID_FILE_ATTRIBUTES;
}
void SimSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  if (auto* n = const_cast<Node*>(FindNode(*P, path, *this))) n->Attributes = attributes;
}
TFileTime SimSystem::LastWriteTime(const std::string& path) const {
  const Node* n = FindNode(*P, path, *this);
  return n ? n->Written : TFileTime{};
}
void SimSystem::SetLastWriteTime(const std::string& path, TFileTime utc) {
  if (auto* n = const_cast<Node*>(FindNode(*P, path, *this))) n->Written = utc;
}
std::vector<std::string> SimSystem::FilesBelow(const std::string& folder) const {
  Resolved r;
  std::vector<std::string> out;
  if (!ResolvePath(*P, From1252(folder), r)) return out;
  std::u16string prefix = r.Path.Key() + u"\\";
  for (const auto& [key, node] : P->Tree) {
    if (node.Dir || key.compare(0, prefix.size(), prefix) != 0) continue;
    // Rebuild the path with the names as created.
    std::u16string full = r.Path.Root;
    size_t pos = SimUpper(r.Path.Root).size();
    while (pos < key.size()) {
      size_t next = key.find(u'\\', pos + 1);
      std::u16string k = key.substr(0, next);
      full += u"\\" + P->Tree.at(k).Name;
      pos = next == std::u16string::npos ? key.size() : next;
    }
    out.push_back(To1252(full));
  }
  std::sort(out.begin(), out.end());
  return out;
}
size_t SimSystem::OpenHandleCount() const {
  return P->Files.size() + P->Finds.size();
}

Handle SimSystem::HoldOpen(const std::string& path, uint32_t access, uint32_t share) {
  Resolved r;
  if (!ResolvePath(*P, From1252(path), r)) return kInvalidHandle;
  Handle h = P->NewHandle();
  P->Files[h] = OpenFile{r.Path.Key(), 0, access, share, 0};
  return h;
}

void SimSystem::SetTempPath(const std::string& path) {
  P->TempPath = path;
}
void SimSystem::SetWindowsDirectory(const std::string& path) {
  P->WindowsDirectory = path;
}
void SimSystem::SetCommandLine(const std::string& commandLine) {
  P->CommandLine = commandLine;
}
void SimSystem::SetAnsiCodePage(uint32_t codePage) {
  P->Acp = codePage;
}
void SimSystem::SetLongPathsEnabled(bool enabled) {
  P->LongPaths = enabled;
}
std::string SimSystem::CurrentDirectory() const {
  return ToAnsi(P->Cwd);
}

void SimSystem::AddFault(const TSimFault& fault) {
  P->Faults.push_back({fault, 0});
}
void SimSystem::ClearFaults() {
  P->Faults.clear();
}
void SimSystem::ResetCallCounts() {
  std::fill(std::begin(Calls), std::end(Calls), 0);
}

// ---- files ----

static bool Readable(const SimSystem::Impl& m, const Resolved& r, uint32_t& error) {
  if (!r.Drive) {
    error = ERROR_PATH_NOT_FOUND;
    return false;
  }
  if (!r.Drive->MediaPresent) {
    error = ERROR_NOT_READY;
    return false;
  }
  (void)m;
  return true;
}

static bool ParentExists(const SimSystem::Impl& m, const TSimPath& p) {
  if (p.Parts.size() <= 1) return true;
  auto it = m.Tree.find(p.ParentKey());
  return it != m.Tree.end() && it->second.Dir;
}

// The lengths Windows takes without long-path support: a path of fewer than MAX_PATH
// characters, a new folder that leaves room for an 8.3 name in it, a current directory with
// room for its trailing backslash.
constexpr size_t kPathLimit = MAX_PATH, kNewFolderLimit = MAX_PATH - 12,
                 kCurrentDirectoryLimit = MAX_PATH - 1;

static bool Fits(SimSystem::Impl& m, const Resolved& r, size_t limit) {
  if (m.LongPaths || r.Path.Full().size() < limit) return true;
  m.LastError = ERROR_FILENAME_EXCED_RANGE;
  return false;
}

static bool ShareConflict(const SimSystem::Impl& m, const std::u16string& key, uint32_t access,
                          uint32_t share) {
  for (const auto& [h, f] : m.Files) {
    if (f.Key != key || f.VolumeLetter) continue;
    bool wantsRead = access & GENERIC_READ, wantsWrite = access & GENERIC_WRITE;
    bool hasRead = f.Access & GENERIC_READ, hasWrite = f.Access & GENERIC_WRITE;
    if ((wantsRead && !(f.Share & FILE_SHARE_READ)) ||
        (wantsWrite && !(f.Share & FILE_SHARE_WRITE)))
      return true;
    if ((hasRead && !(share & FILE_SHARE_READ)) || (hasWrite && !(share & FILE_SHARE_WRITE)))
      return true;
    // Even an attribute-only open is refused by a holder that shares nothing.
    if (!wantsRead && !wantsWrite && f.Share == 0) return true;
  }
  return false;
}

Handle SimSystem::CreateFileW(const std::u16string& fileName, uint32_t desiredAccess,
                              uint32_t shareMode, uint32_t creationDisposition,
                              uint32_t flagsAndAttributes) {
  COUNTED(SimCall::CreateFile, Ansi(*this, fileName));
  if (fault) return kInvalidHandle;
  if (fileName.size() == 6 && fileName.compare(0, 4, u"\\\\.\\") == 0 && fileName[5] == u':') {
    TSimDrive* d = Drive(char(fileName[4]));
    if (!d || !d->VolumeOpenable) {
      P->LastError = d ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
      return kInvalidHandle;
    }
    Handle h = P->NewHandle();
    P->Files[h] = OpenFile{u"", UpperLetter(fileName[4]), desiredAccess, shareMode, 0};
    return h;
  }
  Resolved r;
  uint32_t error = ERROR_PATH_NOT_FOUND;
  if (!ResolvePath(*P, fileName, r) || r.Path.IsRoot() || !Readable(*P, r, error) ||
      !ParentExists(*P, r.Path)) {
    P->LastError = error;
    return kInvalidHandle;
  }
  if (!Fits(*P, r, kPathLimit)) return kInvalidHandle;
  const std::u16string key = r.Path.Key();
  bool writes = desiredAccess & GENERIC_WRITE;
  auto it = P->Tree.find(key);
  uint64_t now = P->NowUtc();
  uint32_t attributes = flagsAndAttributes & 0xFFFF & ~FILE_ATTRIBUTE_NORMAL;
  if (attributes == 0) attributes = FILE_ATTRIBUTE_ARCHIVE;
  if (it != P->Tree.end()) {
    Node& n = it->second;
    if (n.Dir) {
      P->LastError = ERROR_ACCESS_DENIED;
      return kInvalidHandle;
    }
    if (creationDisposition == CREATE_NEW) {
      P->LastError = ERROR_FILE_EXISTS;
      return kInvalidHandle;
    }
    bool truncates =
        creationDisposition == CREATE_ALWAYS || creationDisposition == TRUNCATE_EXISTING;
    if ((writes || truncates) && (n.Attributes & FILE_ATTRIBUTE_READONLY)) {
      P->LastError = ERROR_ACCESS_DENIED;
      return kInvalidHandle;
    }
    if ((writes || truncates) && r.Drive->ReadOnly) {
      P->LastError = ERROR_WRITE_PROTECT;
      return kInvalidHandle;
    }
    if (ShareConflict(*P, key, desiredAccess, shareMode)) {
      P->LastError = ERROR_SHARING_VIOLATION;
      return kInvalidHandle;
    }
    if (truncates) {
      r.Drive->FreeBytes += n.Data.size();
      n.Data.clear();
      n.Written = TFileTime::FromValue(now);
      if (creationDisposition == CREATE_ALWAYS) n.Attributes = attributes;
    }
    P->LastError = (creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS)
                       ? ERROR_ALREADY_EXISTS
                       : 0;
  } else {
    if (creationDisposition == OPEN_EXISTING || creationDisposition == TRUNCATE_EXISTING) {
      P->LastError = ERROR_FILE_NOT_FOUND;
      return kInvalidHandle;
    }
    if (r.Drive->ReadOnly) {
      P->LastError = ERROR_WRITE_PROTECT;
      return kInvalidHandle;
    }
    Node& n = P->Tree[key];
    n.Name = r.Path.Parts.back();
    n.Attributes = attributes;
    n.Created = n.Accessed = n.Written = TFileTime::FromValue(now);
    P->LastError = 0;
  }
  Handle h = P->NewHandle();
  P->Files[h] = OpenFile{key, 0, desiredAccess, shareMode, 0};
  return h;
}

static SimSystem::Node* NodeOf(SimSystem::Impl& m, Handle file, SimSystem::OpenFile** open) {
  auto it = m.Files.find(file);
  if (it == m.Files.end() || it->second.VolumeLetter) {
    m.LastError = ERROR_INVALID_HANDLE;
    return nullptr;
  }
  *open = &it->second;
  auto n = m.Tree.find(it->second.Key);
  if (n == m.Tree.end()) {
    m.LastError = ERROR_NOT_READY; // the drive went away under the handle
    return nullptr;
  }
  return &n->second;
}

static TSimDrive* DriveOfKey(SimSystem::Impl& m, const std::u16string& key) {
  if (key.size() >= 2 && key[1] == u':') {
    auto it = m.Drives.find(char(key[0]));
    return it == m.Drives.end() ? nullptr : &it->second;
  }
  for (auto& [root, d] : m.Shares)
    if (key.compare(0, root.size(), root) == 0) return &d;
  return nullptr;
}

static std::string KeyName(const SimSystem& s, SimSystem::Impl& m, Handle file) {
  auto it = m.Files.find(file);
  return it == m.Files.end() ? std::string() : s.ToAnsi(it->second.Key);
}

bool SimSystem::ReadFile(Handle file, void* buffer, uint32_t toRead, uint32_t* read) {
  COUNTED(SimCall::ReadFile, KeyName(*this, *P, file));
  if (read) *read = 0;
  if (fault) return false;
  OpenFile* f = nullptr;
  Node* n = NodeOf(*P, file, &f);
  if (!n) return false;
  if (!(f->Access & GENERIC_READ)) {
    P->LastError = ERROR_ACCESS_DENIED;
    return false;
  }
  uint64_t avail = f->Position < n->Data.size() ? n->Data.size() - f->Position : 0;
  uint32_t count = uint32_t(std::min<uint64_t>(avail, toRead));
  if (count) std::memcpy(buffer, n->Data.data() + f->Position, count);
  f->Position += count;
  if (read) *read = count;
  return true;
}

bool SimSystem::WriteFile(Handle file, const void* buffer, uint32_t toWrite, uint32_t* written) {
  COUNTED(SimCall::WriteFile, KeyName(*this, *P, file));
  if (written) *written = 0;
  if (fault && !fault->ShortWriteBytes) return false;
  OpenFile* f = nullptr;
  Node* n = NodeOf(*P, file, &f);
  if (!n) return false;
  if (!(f->Access & GENERIC_WRITE)) {
    P->LastError = ERROR_ACCESS_DENIED;
    return false;
  }
  TSimDrive* d = DriveOfKey(*P, f->Key);
  uint64_t end = f->Position + toWrite;
  uint64_t growth = end > n->Data.size() ? end - n->Data.size() : 0;
  uint32_t count = toWrite;
  bool ok = true;
  if (d && growth > d->FreeBytes) {
    count = uint32_t(toWrite - (growth - d->FreeBytes));
    ok = false;
    P->LastError = ERROR_DISK_FULL;
  }
  if (fault) count = std::min(count, *fault->ShortWriteBytes);
  uint64_t newEnd = f->Position + count;
  if (newEnd > n->Data.size()) {
    if (d) d->FreeBytes -= newEnd - n->Data.size();
    n->Data.resize(size_t(newEnd));
  }
  if (count) std::memcpy(&n->Data[size_t(f->Position)], buffer, count);
  f->Position = newEnd;
  n->Written = TFileTime::FromValue(P->NowUtc());
  if (written) *written = count;
  return ok;
}

uint32_t SimSystem::SetFilePointer(Handle file, int32_t distance, int32_t* distanceHigh,
                                   uint32_t moveMethod) {
  OpenFile* f = nullptr;
  Node* n = NodeOf(*P, file, &f);
  if (!n) return INVALID_SET_FILE_POINTER;
  int64_t move = distanceHigh ? (int64_t(*distanceHigh) << 32) | uint32_t(distance) : distance;
  int64_t base = moveMethod == FILE_CURRENT ? int64_t(f->Position)
                 : moveMethod == FILE_END   ? int64_t(n->Data.size())
                                            : 0;
  if (base + move < 0) {
    P->LastError = ERROR_NEGATIVE_SEEK;
    return INVALID_SET_FILE_POINTER;
  }
  f->Position = uint64_t(base + move);
  if (distanceHigh) *distanceHigh = int32_t(f->Position >> 32);
  P->LastError = 0;
  return uint32_t(f->Position);
}

bool SimSystem::SetEndOfFile(Handle file) {
  OpenFile* f = nullptr;
  Node* n = NodeOf(*P, file, &f);
  if (!n || !(f->Access & GENERIC_WRITE)) return false;
  if (TSimDrive* d = DriveOfKey(*P, f->Key)) d->FreeBytes += n->Data.size();
  n->Data.resize(size_t(f->Position));
  if (TSimDrive* d = DriveOfKey(*P, f->Key)) d->FreeBytes -= n->Data.size();
  return true;
}

uint32_t SimSystem::GetFileSize(Handle file, uint32_t* sizeHigh) {
  OpenFile* f = nullptr;
  Node* n = NodeOf(*P, file, &f);
  if (!n) return INVALID_FILE_SIZE;
  if (sizeHigh) *sizeHigh = uint32_t(uint64_t(n->Data.size()) >> 32);
  return uint32_t(n->Data.size());
}

bool SimSystem::SetFileTime(Handle file, const TFileTime* creation, const TFileTime* lastAccess,
                            const TFileTime* lastWrite) {
  COUNTED(SimCall::SetFileTime, KeyName(*this, *P, file));
  if (fault) return false;
  OpenFile* f = nullptr;
  Node* n = NodeOf(*P, file, &f);
  if (!n) return false;
  if (!(f->Access & GENERIC_WRITE)) {
    P->LastError = ERROR_ACCESS_DENIED;
    return false;
  }
  if (creation) n->Created = *creation;
  if (lastAccess) n->Accessed = *lastAccess;
  if (lastWrite) n->Written = *lastWrite;
  return true;
}

bool SimSystem::CloseHandle(Handle object) {
  if (P->Files.erase(object)) return true;
  P->LastError = ERROR_INVALID_HANDLE;
  return false;
}

bool SimSystem::DeleteFileW(const std::u16string& fileName) {
  COUNTED(SimCall::DeleteFile, Ansi(*this, fileName));
  if (fault) return false;
  Resolved r;
  uint32_t error = ERROR_PATH_NOT_FOUND;
  if (!ResolvePath(*P, fileName, r) || !Readable(*P, r, error)) {
    P->LastError = error;
    return false;
  }
  if (!Fits(*P, r, kPathLimit)) return false;
  auto it = P->Tree.find(r.Path.Key());
  if (it == P->Tree.end() || it->second.Dir) {
    P->LastError = it == P->Tree.end() ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED;
    return false;
  }
  if ((it->second.Attributes & FILE_ATTRIBUTE_READONLY) || r.Drive->ReadOnly) {
    P->LastError = ERROR_ACCESS_DENIED;
    return false;
  }
  for (const auto& [h, f] : P->Files)
    if (f.Key == it->first && !(f.Share & FILE_SHARE_DELETE)) {
      P->LastError = ERROR_SHARING_VIOLATION;
      return false;
    }
  r.Drive->FreeBytes += it->second.Data.size();
  P->Tree.erase(it);
  return true;
}

bool SimSystem::CreateDirectoryW(const std::u16string& path) {
  COUNTED(SimCall::CreateDirectory, Ansi(*this, path));
  if (fault) return false;
  Resolved r;
  uint32_t error = ERROR_PATH_NOT_FOUND;
  if (!ResolvePath(*P, path, r) || !Readable(*P, r, error)) {
    P->LastError = error;
    return false;
  }
  if (r.Path.IsRoot()) {
    P->LastError = ERROR_ACCESS_DENIED;
    return false;
  }
  if (!Fits(*P, r, kNewFolderLimit)) return false;
  if (P->Tree.count(r.Path.Key())) {
    P->LastError = ERROR_ALREADY_EXISTS;
    return false;
  }
  if (!ParentExists(*P, r.Path)) {
    P->LastError = ERROR_PATH_NOT_FOUND;
    return false;
  }
  if (r.Drive->ReadOnly) {
    P->LastError = ERROR_WRITE_PROTECT;
    return false;
  }
  Node& n = P->Tree[r.Path.Key()];
  n.Name = r.Path.Parts.back();
  n.Dir = true;
  n.Attributes = FILE_ATTRIBUTE_DIRECTORY;
  n.Created = n.Accessed = n.Written = TFileTime::FromValue(P->NowUtc());
  return true;
}

bool SimSystem::RemoveDirectoryW(const std::u16string& path) {
  COUNTED(SimCall::RemoveDirectory, Ansi(*this, path));
  if (fault) return false;
  Resolved r;
  uint32_t error = ERROR_PATH_NOT_FOUND;
  if (!ResolvePath(*P, path, r) || !Readable(*P, r, error)) {
    P->LastError = error;
    return false;
  }
  if (!Fits(*P, r, kPathLimit)) return false;
  const std::u16string key = r.Path.Key();
  auto it = P->Tree.find(key);
  if (it == P->Tree.end() || !it->second.Dir) {
    P->LastError = it == P->Tree.end() ? ERROR_FILE_NOT_FOUND : ERROR_DIRECTORY;
    return false;
  }
  auto next = std::next(it);
  if (next != P->Tree.end() && next->first.compare(0, key.size() + 1, key + u"\\") == 0) {
    P->LastError = ERROR_DIR_NOT_EMPTY;
    return false;
  }
  std::u16string cwd = SimUpper(P->Cwd);
  if (cwd == key || cwd.compare(0, key.size() + 1, key + u"\\") == 0) {
    P->LastError = ERROR_SHARING_VIOLATION;
    return false;
  }
  P->Tree.erase(it);
  return true;
}

uint32_t SimSystem::GetFileAttributesW(const std::u16string& fileName) {
  COUNTED(SimCall::GetFileAttributes, Ansi(*this, fileName));
  if (fault) return INVALID_FILE_ATTRIBUTES;
  Resolved r;
  uint32_t error = ERROR_PATH_NOT_FOUND;
  if (!ResolvePath(*P, fileName, r) || !Readable(*P, r, error)) {
    P->LastError = error;
    return INVALID_FILE_ATTRIBUTES;
  }
  if (!Fits(*P, r, kPathLimit)) return INVALID_FILE_ATTRIBUTES;
  if (r.Path.IsRoot()) return FILE_ATTRIBUTE_DIRECTORY;
  auto it = P->Tree.find(r.Path.Key());
  if (it == P->Tree.end()) {
    P->LastError = ERROR_FILE_NOT_FOUND;
    return INVALID_FILE_ATTRIBUTES;
  }
  return it->second.Attributes;
}

bool SimSystem::SetFileAttributesW(const std::u16string& fileName, uint32_t attributes) {
  Resolved r;
  if (!ResolvePath(*P, fileName, r) || !Fits(*P, r, kPathLimit)) return false;
  auto it = P->Tree.find(r.Path.Key());
  if (it == P->Tree.end()) {
    P->LastError = ERROR_FILE_NOT_FOUND;
    return false;
  }
  it->second.Attributes =
      (attributes & ~FILE_ATTRIBUTE_DIRECTORY) | (it->second.Dir ? FILE_ATTRIBUTE_DIRECTORY : 0);
  return true;
}

static TFindData FindEntry(const SimSystem& s, const SimSystem::Node& n) {
  TFindData d;
  d.FileAttributes = n.Attributes;
  d.CreationTime = n.Created;
  d.LastAccessTime = n.Accessed;
  d.LastWriteTime = n.Written;
  d.FileSize = n.Data.size();
  d.FileName = s.ToAnsi(n.Name);
  return d;
}

Handle SimSystem::FindFirstFileA(const std::string& pattern, TFindData& data) {
  COUNTED(SimCall::FindFirstFile, pattern);
  if (fault) return kInvalidHandle;
  std::u16string wide = FromAnsi(pattern);
  size_t slash = wide.find_last_of(u"\\/");
  std::u16string mask = slash == std::u16string::npos ? wide : wide.substr(slash + 1);
  std::u16string dir = slash == std::u16string::npos ? u"." : wide.substr(0, slash + 1);
  if (dir.size() == 3 && dir[1] == u':') {
  } else if (dir.size() > 1 && (dir.back() == u'\\' || dir.back() == u'/')) {
    dir.pop_back();
  }
  Resolved r;
  uint32_t error = ERROR_PATH_NOT_FOUND;
  if (mask.empty() || !ResolvePath(*P, dir, r) || !Readable(*P, r, error)) {
    P->LastError = mask.empty() ? ERROR_FILE_NOT_FOUND : error;
    return kInvalidHandle;
  }
  if (!P->LongPaths && r.Path.Full().size() + 1 + mask.size() >= kPathLimit) {
    P->LastError = ERROR_FILENAME_EXCED_RANGE;
    return kInvalidHandle;
  }
  std::u16string key = r.Path.Key();
  if (!r.Path.IsRoot()) {
    auto it = P->Tree.find(key);
    if (it == P->Tree.end() || !it->second.Dir) {
      P->LastError = ERROR_PATH_NOT_FOUND;
      return kInvalidHandle;
    }
  }
  Impl::Find find;
  if (!r.Path.IsRoot()) {
    for (const char16_t* dots : {u".", u".."})
      if (WildMatch(mask, dots)) {
        Node n;
        n.Name = dots;
        n.Dir = true;
        n.Attributes = FILE_ATTRIBUTE_DIRECTORY;
        find.Items.push_back(FindEntry(*this, n));
      }
  }
  std::u16string prefix = key + u"\\";
  for (auto it = P->Tree.lower_bound(prefix);
       it != P->Tree.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    if (it->first.find(u'\\', prefix.size()) != std::u16string::npos) continue;
    if (WildMatch(mask, it->second.Name)) find.Items.push_back(FindEntry(*this, it->second));
  }
  if (find.Items.empty()) {
    P->LastError = ERROR_FILE_NOT_FOUND;
    return kInvalidHandle;
  }
  data = find.Items[0];
  find.Next = 1;
  Handle h = P->NewHandle();
  P->Finds[h] = std::move(find);
  return h;
}

bool SimSystem::FindNextFileA(Handle find, TFindData& data) {
  auto it = P->Finds.find(find);
  if (it == P->Finds.end()) {
    P->LastError = ERROR_INVALID_HANDLE;
    return false;
  }
  if (it->second.Next >= it->second.Items.size()) {
    P->LastError = ERROR_NO_MORE_FILES;
    return false;
  }
  data = it->second.Items[it->second.Next++];
  return true;
}

bool SimSystem::FindClose(Handle find) {
  return P->Finds.erase(find) > 0;
}

bool SimSystem::SetCurrentDirectoryA(const std::string& path) {
  COUNTED(SimCall::SetCurrentDirectory, path);
  if (fault) return false;
  Resolved r;
  uint32_t error = ERROR_PATH_NOT_FOUND;
  if (!ResolvePath(*P, FromAnsi(path), r) || !Readable(*P, r, error)) {
    P->LastError = error;
    return false;
  }
  if (!Fits(*P, r, kCurrentDirectoryLimit)) return false;
  if (!r.Path.IsRoot()) {
    auto it = P->Tree.find(r.Path.Key());
    if (it == P->Tree.end() || !it->second.Dir) {
      P->LastError = it == P->Tree.end() ? ERROR_FILE_NOT_FOUND : ERROR_DIRECTORY;
      return false;
    }
  }
  // Windows keeps the path as the caller spelt it, after folding "." and "..".
  P->Cwd = r.Path.Full();
  if (char l = r.Path.Letter()) P->DriveCwd[l] = P->Cwd;
  return true;
}

static uint32_t CopyOut(const std::string& s, uint32_t bufferLength, char* buffer) {
  if (!buffer || bufferLength < s.size() + 1) return uint32_t(s.size() + 1);
  std::memcpy(buffer, s.c_str(), s.size() + 1);
  return uint32_t(s.size());
}

uint32_t SimSystem::GetCurrentDirectoryA(uint32_t bufferLength, char* buffer) {
  return CopyOut(ToAnsi(P->Cwd), bufferLength, buffer);
}

uint32_t SimSystem::GetTempPathA(uint32_t bufferLength, char* buffer) {
  return CopyOut(P->TempPath, bufferLength, buffer);
}

uint32_t SimSystem::GetWindowsDirectoryA(char* buffer, uint32_t size) {
  if (P->WindowsDirectory.empty()) {
    P->LastError = ERROR_FILE_NOT_FOUND;
    return 0;
  }
  return CopyOut(P->WindowsDirectory, size, buffer);
}

bool SimSystem::DeviceIoControl(Handle device, uint32_t code, const void* in, uint32_t inSize,
                                void* out, uint32_t outSize, uint32_t* returned) {
  auto it = P->Files.find(device);
  std::string name = it != P->Files.end() && it->second.VolumeLetter
                         ? std::string("\\\\.\\") + it->second.VolumeLetter + ":"
                         : std::string();
  COUNTED(SimCall::DeviceIoControl, name);
  if (returned) *returned = 0;
  if (fault) return false;
  if (name.empty()) {
    P->LastError = ERROR_INVALID_HANDLE;
    return false;
  }
  TSimDrive* d = Drive(it->second.VolumeLetter);
  const uint32_t* query = static_cast<const uint32_t*>(in);
  if (!d || code != IOCTL_STORAGE_QUERY_PROPERTY || inSize < 12 || query[0] != 0 || query[1] != 0 ||
      !d->QueryPropertyWorks) {
    P->LastError = ERROR_INVALID_PARAMETER;
    return false;
  }
  // STORAGE_DEVICE_DESCRIPTOR: Version, Size, DeviceType, Modifier, RemovableMedia,
  // CommandQueueing, four string offsets, BusType, RawPropertiesLength, RawDeviceProperties.
  uint8_t desc[40] = {};
  uint32_t size = sizeof desc;
  std::memcpy(desc + 0, &size, 4);
  std::memcpy(desc + 4, &size, 4);
  desc[10] = d->RemovableMedia ? 1 : 0;
  std::memcpy(desc + 28, &d->BusType, 4);
  uint32_t n = std::min<uint32_t>(outSize, size);
  if (n < 8) {
    P->LastError = ERROR_INSUFFICIENT_BUFFER;
    return false;
  }
  std::memcpy(out, desc, n);
  if (returned) *returned = n;
  return true;
}

// ---- drives and volumes ----

uint32_t SimSystem::GetLogicalDrives() {
  uint32_t mask = 0;
  for (const auto& [letter, d] : P->Drives) mask |= 1u << (letter - 'A');
  return mask;
}

static bool RootOf(SimSystem::Impl& m, const std::u16string& text, Resolved& r, bool needSlash) {
  if (!ResolvePath(m, text, r)) return false;
  if (needSlash && (text.empty() || text.back() != u'\\')) return false;
  return r.Path.IsRoot();
}

uint32_t SimSystem::GetDriveTypeA(const std::string& rootPath) {
  Resolved r;
  std::u16string w = rootPath.empty() ? P->Cwd.substr(0, 3) : FromAnsi(rootPath);
  if (w.size() == 2 && w[1] == u':') w += u"\\";
  if (!RootOf(*P, w, r, true) || !r.Drive) return DRIVE_NO_ROOT_DIR;
  return r.Drive->Type;
}

bool SimSystem::GetDiskFreeSpaceA(const char* rootPath, uint32_t* sectorsPerCluster,
                                  uint32_t* bytesPerSector, uint32_t* freeClusters,
                                  uint32_t* totalClusters) {
  std::u16string w = rootPath ? FromAnsi(rootPath) : std::u16string();
  if (!rootPath) {
    TSimPath cwd;
    Parse(P->Cwd, cwd);
    w = cwd.Root + u"\\";
  }
  COUNTED(SimCall::GetDiskFreeSpace, ToAnsi(w));
  if (fault) return false;
  Resolved r;
  if (!RootOf(*P, w, r, true) || !r.Drive || !r.Drive->MediaPresent) {
    P->LastError = r.Drive ? ERROR_NOT_READY : ERROR_PATH_NOT_FOUND;
    return false;
  }
  const TSimDrive& d = *r.Drive;
  uint64_t cluster = uint64_t(d.BytesPerSector) * d.SectorsPerCluster;
  if (sectorsPerCluster) *sectorsPerCluster = d.SectorsPerCluster;
  if (bytesPerSector) *bytesPerSector = d.BytesPerSector;
  if (freeClusters) *freeClusters = uint32_t(std::min<uint64_t>(d.FreeBytes / cluster, 0xFFFFFFFF));
  if (totalClusters)
    *totalClusters = uint32_t(std::min<uint64_t>(d.TotalBytes / cluster, 0xFFFFFFFF));
  return true;
}

bool SimSystem::GetDiskFreeSpaceExA(const std::string& directory, uint64_t* freeToCaller,
                                    uint64_t* totalBytes, uint64_t* totalFreeBytes) {
  COUNTED(SimCall::GetDiskFreeSpaceEx, directory);
  if (fault) return false;
  std::u16string w = FromAnsi(directory);
  Resolved r;
  uint32_t error = ERROR_PATH_NOT_FOUND;
  if (!ResolvePath(*P, w, r) || !Readable(*P, r, error)) {
    P->LastError = error;
    return false;
  }
  // A share must be named with its trailing backslash.
  if (!r.Path.Letter() && r.Path.IsRoot() && (w.empty() || w.back() != u'\\')) {
    P->LastError = ERROR_INVALID_NAME;
    return false;
  }
  if (!r.Path.IsRoot()) {
    auto it = P->Tree.find(r.Path.Key());
    if (it == P->Tree.end() || !it->second.Dir) {
      P->LastError = ERROR_PATH_NOT_FOUND;
      return false;
    }
  }
  const TSimDrive& d = *r.Drive;
  if (freeToCaller) *freeToCaller = d.FreeToCaller.value_or(d.FreeBytes);
  if (totalBytes) *totalBytes = d.TotalBytes;
  if (totalFreeBytes) *totalFreeBytes = d.FreeBytes;
  return true;
}

bool SimSystem::GetVolumeInformationA(const std::string& rootPath, char* volumeName,
                                      uint32_t volumeNameSize, uint32_t* serialNumber,
                                      uint32_t* maxComponentLength, uint32_t* fileSystemFlags,
                                      char* fileSystemName, uint32_t fileSystemNameSize) {
  COUNTED(SimCall::GetVolumeInformation, rootPath);
  if (fault) return false;
  Resolved r;
  if (!RootOf(*P, FromAnsi(rootPath), r, true) || !r.Drive || !r.Drive->MediaPresent) {
    P->LastError = r.Drive ? ERROR_NOT_READY : ERROR_PATH_NOT_FOUND;
    return false;
  }
  const TSimDrive& d = *r.Drive;
  if ((volumeName && d.Label.size() + 1 > volumeNameSize) ||
      (fileSystemName && d.FileSystem.size() + 1 > fileSystemNameSize)) {
    P->LastError = ERROR_BAD_LENGTH;
    return false;
  }
  if (volumeName) std::memcpy(volumeName, d.Label.c_str(), d.Label.size() + 1);
  if (fileSystemName) std::memcpy(fileSystemName, d.FileSystem.c_str(), d.FileSystem.size() + 1);
  if (serialNumber) *serialNumber = d.SerialNumber;
  if (maxComponentLength) *maxComponentLength = 255;
  if (fileSystemFlags) *fileSystemFlags = d.FileSystemFlags;
  return true;
}

uint32_t SimSystem::SetErrorMode(uint32_t mode) {
  return std::exchange(P->ErrorMode, mode);
}

uint32_t SimSystem::WNetGetConnectionA(const std::string& localName, char* remoteName,
                                       uint32_t* length) {
  COUNTED(SimCall::WNetGetConnection, localName);
  if (fault) return ERROR_NOT_CONNECTED;
  TSimDrive* d = localName.size() == 2 && localName[1] == ':' ? Drive(localName[0]) : nullptr;
  if (!d || d->Type != DRIVE_REMOTE || d->RemoteName.empty()) return ERROR_NOT_CONNECTED;
  uint32_t need = uint32_t(d->RemoteName.size() + 1);
  if (!length || !remoteName || *length < need) {
    if (length) *length = need;
    return ERROR_MORE_DATA;
  }
  std::memcpy(remoteName, d->RemoteName.c_str(), need);
  return 0;
}
