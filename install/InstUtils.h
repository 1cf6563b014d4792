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
// Everything up to and including the last backslash; empty when there is none.
std::string FolderOf(const std::string& path);
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
// True when a file, not a folder, is at path.
bool FileExists(const std::string& path);
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

// ---- the product's folders, for a destination folder ----

// The data folder by index (0 common, 1 hidden, 2 public, 3 the user's, 4 spelling), created
// with its missing parents; every index is the destination itself on removable media.
std::string GetDataFolderFor(const std::string& destDir, uint8_t index);
// The same for a destination already known to be portable or not.
std::string GetDataFolderFor(const std::string& destDir, uint8_t index, bool portable);
std::string GetTargetPathFor(const std::string& destDir, const std::string& name);
bool IsRemovableTargetFor(const std::string& destDir);

// ---- folders, small files and shortcuts ----

// Creates the folder and its missing parents, outermost first, logging each one.
void MakeDirs(const std::string& path);
// Creates or replaces the file with exactly these bytes; failures go unreported.
void WriteStringToFile(const std::string& path, const std::string& bytes);
void CreateShortcut(const std::string& shortcutPath, const std::string& targetPath,
                    const std::string& workingFolder, const std::string& description);

// ---- temporary files ----

std::string TempFilePrefix();
// The first temporary file name not in use; nothing is created.
std::string NewTempFileName();
// Removes every entry of the temporary folder that begins with TempFilePrefix.
void DeleteTempFiles();
// Removes the folder with everything in it, as far as it can.
void DeleteTree(const std::string& path);

// ---- the install log ----

extern std::unique_ptr<TStringList> InstallLog; // absent until the installation starts
extern std::string InstallLogPath;
extern int32_t LogSuspendCount; // logging is on while it is 0

// Appends the line unless logging is suspended or the log has it already, case ignored.
void AddLogLine(const std::string& line);
void SuspendLogging();
void ResumeLogging();
// Logging suspended while the scope lives, also when an exception leaves it.
class TLogSuspension {
public:
  TLogSuspension() { SuspendLogging(); }
  ~TLogSuspension() { ResumeLogging(); }
  TLogSuspension(const TLogSuspension&) = delete;
  TLogSuspension& operator=(const TLogSuspension&) = delete;
};
// A new, empty install log.
void CreateInstallLog();
// Puts the lines of an earlier install log into InstallLog; false when the file exists but
// cannot be read, which leaves InstallLog as it was.
bool LoadInstallLog(const std::string& path);
// Saves the install log to InstallLogPath (nothing when it is empty); a failure changes
// nothing.
void SaveInstallLog();

// ---- the update log ----

// "*" and the 16 hex digits of the date-time's bytes in memory order.
std::string UpdateLogMarkerLine(TDateTime installTime);
// Merges this installation's public files into the update log at path: their earlier lines
// go, then a marker and the files follow. Sorts publicFiles. Nothing happens when it is
// empty; a failure to read or write the file propagates.
void WriteUpdateLogFile(const std::string& path, TStringList& publicFiles, TDateTime installTime);

// ---- size texts ----
std::string FormatSize(int64_t bytes);
std::string GroupDigits(int64_t number);
