#pragma once
// The archive the setup carries: resource "FILES" of type "FILES", one zlib stream of
// records, inflated once and indexed in place; the install lists built from it; writing one
// archived file to its target.

#include "compress/Zlib.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "wizard/ResConst.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The setup's own data cannot be used: missing, not inflatable, or records that do not fit.
class ESetupDamaged : public Exception {
public:
  ESetupDamaged();
};

enum TInstallMode : uint8_t { InstallIfMissing = 0, UpdateIfChanged = 1, AlwaysInstall = 2 };

class TAttachedFile {
public:
  std::string FileName; // relative path, as stored
  int32_t FileSize = 0;
  TDateTime FileDate = 0;
  int32_t DataOffset = 0; // of the first content byte in Payload
};

class TFileToInstall {
public:
  const TAttachedFile* AttachedFile = nullptr; // not owned
  std::string TargetPath;
  bool Logged = false; // logging was on when the entry was made
};

// While set, AddFiles takes its base path as the whole target path.
extern bool FullTargetGiven;

class TAttachedFiles {
public:
  // Loads and indexes the archive; raises ESetupDamaged when it cannot be used.
  TAttachedFiles();
  // Also deletes the setup's temporary files.
  ~TAttachedFiles();
  TAttachedFiles(const TAttachedFiles&) = delete;
  TAttachedFiles& operator=(const TAttachedFiles&) = delete;

  // Appends the records matching Pattern (a folder pattern ends in a backslash) to the
  // install list of ComponentId; true if one was added.
  bool AddFiles(const std::string& Pattern, const std::string& BasePath, uint8_t ComponentId,
                TInstallMode Mode);
  void ClearComponent(uint8_t ComponentId);
  // The bytes that a ComponentFileLists entry's records take on the volume of DestDir.
  int32_t ComponentSize(const std::string& FileList, const std::string& DestDir) const;
  // The last record of that name, case ignored; null when there is none.
  const TAttachedFile* FindFile(const std::string& Name) const;
  // Writes the record (or, when none is given, the one FindFile finds for Name) to
  // TargetPath with its date. A failure asks Abort, Retry or Ignore, or in a silent run sets
  // the exit code 2; true when written or ignored.
  bool ExtractFile(const TAttachedFile* File, const std::string& Name,
                   const std::string& TargetPath);

  THeapBlock Payload;
  int32_t PayloadSize = 0;
  std::vector<TAttachedFile> Files; // archive order; never changes after loading
  std::array<std::vector<TFileToInstall>, ResConst::ComponentCount> ComponentFiles;
  TStringList PublicFiles;
  bool ForceOverwrite = false;

private:
  bool AddFile(const TAttachedFile& File, const std::string& BasePath, uint8_t ComponentId,
               TInstallMode Requested);
  bool WriteRecord(const TAttachedFile& File, const std::string& TargetPath);
};
