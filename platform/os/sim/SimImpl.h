#pragma once
// The simulated machine's state, shared by its implementation files only.

#include "platform/os/sim/SimSystem.h"

#include <map>
#include <vector>

// Case folding of the file system and registry: Latin, Latin-1, Latin Extended-A, Cyrillic.
char16_t SimUpper(char16_t c);
char16_t SimLower(char16_t c);
std::u16string SimUpper(const std::u16string& s);
std::string SimUpperAscii(const std::string& s);

// A path split into its root (C: or \\server\share, as written) and its elements.
struct TSimPath {
  std::u16string Root;
  std::vector<std::u16string> Parts;
  std::u16string Full() const; // C:\ for a root, else C:\A\B
  std::u16string Key() const;  // Full() folded, without the root's backslash: C:\A\B or C:
  std::u16string ParentKey() const;
  bool IsRoot() const { return Parts.empty(); }
  char Letter() const; // upper-case drive letter, or 0 for a share
};

struct SimSystem::Node {
  std::u16string Name;
  bool Dir = false;
  uint32_t Attributes = 0x20;
  TFileTime Created, Accessed, Written;
  std::string Data;
};

struct SimSystem::OpenFile {
  std::u16string Key;
  char VolumeLetter = 0; // a volume opened as \\.\X:
  uint32_t Access = 0, Share = 0;
  uint64_t Position = 0;
};

struct SimSystem::Impl {
  std::map<char, TSimDrive> Drives;
  std::map<std::u16string, TSimDrive> Shares; // folded \\SERVER\SHARE
  std::map<std::u16string, Node> Tree;        // folded full path -> node
  std::u16string Cwd = u"C:\\";
  std::map<char, std::u16string> DriveCwd;
  std::map<Handle, OpenFile> Files;
  struct Find {
    std::vector<TFindData> Items;
    size_t Next = 0;
  };
  std::map<Handle, Find> Finds;
  Handle NextHandle = 0x1000;
  uint32_t LastError = 0;
  uint32_t ErrorMode = 0;

  std::map<int, std::string> Special;
  bool ShellFunctionMissing = false;
  std::string TempPath;
  std::string WindowsDirectory = "C:\\Windows";
  std::string CommandLine;
  uint32_t Acp = 1252;
  bool LongPaths = false;

  uint64_t ClockLocal = 0; // local file time
  int BiasMinutes = 0;

  std::map<std::pair<std::string, std::string>, std::string> Resources;

  struct RegKey {
    std::string Path;
    std::map<std::string, TSimRegValue> Values; // folded name
  };
  std::map<std::string, RegKey> Keys; // folded path
  std::map<Handle, std::string> OpenKeys;
  std::vector<std::string> DeniedKeys;

  struct Window {
    Handle Id;
    std::map<std::string, Handle> Props;
  };
  std::vector<Window> Windows;
  std::map<Handle, std::string> WindowTexts;
  std::map<std::pair<Handle, uintptr_t>, uint32_t> Timers;

  struct ActiveFault {
    TSimFault Fault;
    int Seen = 0;
  };
  std::vector<ActiveFault> Faults;

  Handle NewHandle() { return NextHandle += 4; }
  uint64_t NowUtc() const { return ClockLocal + int64_t(BiasMinutes) * 60 * 10000000; }
};

// Counts a call, runs the machine's BeforeCall hook and returns the fault that strikes it.
const TSimFault* SimCount(SimSystem::Impl& m, int* calls, SimCall call, const std::string& path,
                          const std::function<void(SimCall, const std::string&)>& before);

#define COUNTED(call, path)                                                                        \
  const TSimFault* fault = SimCount(*P, Calls, call, path, BeforeCall);                            \
  (void)fault
