#pragma once
// The installation engine's helpers and the run's process-wide state.

#include "platform/rtl/DateTime.h"
#include "platform/rtl/StringList.h"

#include <cstdint>
#include <memory>
#include <string>

// ---- the run ----
constexpr int32_t ExitSuccess = 0;
constexpr int32_t ExitProductRunning = 1; // silent run only
constexpr int32_t ExitFileNotWritten = 2;
constexpr int32_t ExitNoDiskSpace = 3; // silent run only

extern bool SilentMode;
extern int32_t SetupExitCode;
extern bool InstallStarted;

// ---- paths, names and folders ----

// Makes path end in a backslash (a trailing slash becomes one); an empty path stays empty.
void AddBackslash(std::string& path);
std::string WithBackslash(std::string path);
std::string JoinPath(const std::string& folder, const std::string& name);
// Equal ignoring case, with the system's ANSI upper-casing.
bool SameName(const std::string& a, const std::string& b);
char LastChar(const std::string& s);
// C: of C:\x, \\server\share of \\server\share\x, else empty.
std::string ExtractFileDrive(const std::string& path);

// The shell's folder for a CSIDL number, without a trailing backslash; empty on failure.
std::string GetSpecialFolder(int csidl);
std::string GetTempFolder();
// The file's last-write time in local time at 2-second resolution; the current time when
// the file cannot be found.
TDateTime GetFileDate(const std::string& path);
uint32_t GetDriveTypeOf(const std::string& path);
// A removable drive, or a fixed one on USB or IEEE 1394 or with removable media.
bool IsRemovablePath(const std::string& path);
// True when the path can be made current and the system then reports that very path.
bool DirExists(const std::string& path);
std::string GetCurrentFolder();

// Saved current directories, last in first out.
extern std::unique_ptr<TStringList> FolderStack;
void PushCurrentFolder();
void PopCurrentFolder();

// Bytes per cluster of the volume holding folder (or its drive); 0 when it cannot be asked.
int32_t GetClusterSize(const std::string& folder);
// size rounded up to whole clusters; unchanged when the cluster size is unknown.
int32_t RoundToClusters(const std::string& folder, int32_t size);

// ---- size texts ----
std::string FormatSize(int64_t bytes);
std::string GroupDigits(int64_t number);
