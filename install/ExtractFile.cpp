// Writing one archived file to its target.
#include "install/AttachFiles.h"

#include "install/InstUtils.h"
#include "platform/os/Handles.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"
#include "wizard/Dialogs.h"

namespace {

// A box that cannot be shown answers OK, which is none of its buttons. Taken as Retry it
// could repeat for ever, so after this many failed boxes in a row the write is abandoned.
constexpr int kFailedBoxesBeforeAbort = 3;

// The last-write time from a date-time, through the 2-second file-date form in local time.
// A date with no such form leaves the file's time as it is.
void SetFileDate(const std::string& path, TDateTime date) {
  TFileHandle file(Sys().CreateFileW(WideFrom1252(path), GENERIC_WRITE, FILE_SHARE_READ,
                                     OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN));
  if (!file.Valid()) return;
  const uint32_t fileDate = uint32_t(DateTimeToFileDate(date));
  TFileTime local, utc;
  if (fileDate == 0 ||
      !Sys().DosDateTimeToFileTime(uint16_t(fileDate >> 16), uint16_t(fileDate), local) ||
      !Sys().LocalFileTimeToFileTime(local, utc))
    return;
  Sys().SetFileTime(file.Get(), nullptr, nullptr, &utc);
}

} // namespace

bool TAttachedFiles::WriteRecord(const TAttachedFile& File, const std::string& TargetPath) {
  MakeDirs(FolderOf(TargetPath));
  {
    TFileHandle file(Sys().CreateFileW(WideFrom1252(TargetPath), GENERIC_READ | GENERIC_WRITE, 0,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL));
    if (!file.Valid()) return false;
    uint32_t written = 0;
    const uint32_t size = uint32_t(File.FileSize);
    const bool whole =
        Sys().WriteFile(file.Get(), Payload.get() + File.DataOffset, size, &written) &&
        written == size;
    if (!whole) {
      // A cut-off file must not pass for the product's: it would count as present later.
      file.Reset();
      Sys().DeleteFileW(WideFrom1252(TargetPath));
      return false;
    }
  }
  SetFileDate(TargetPath, File.FileDate);
  AddLogLine(ResConst::LogFileCopy + TargetPath);
  return true;
}

bool TAttachedFiles::ExtractFile(const TAttachedFile* File, const std::string& Name,
                                 const std::string& TargetPath) {
  if (!File) File = FindFile(Name);
  int failedBoxes = 0;
  while (true) {
    if (File && WriteRecord(*File, TargetPath)) return true;
    if (SilentMode) {
      SetupExitCode = ExitFileNotWritten;
      return false;
    }
    const TMessageButtons buttons =
        MessageButton::Abort | MessageButton::Retry | MessageButton::Ignore;
    switch (ShowMessageBox(Format(ResConst::MsgCannotCreateFile, {TargetPath}), TMessageKind::Error,
                           buttons)) {
    case TMessageResult::Abort: return false;
    case TMessageResult::Ignore: return true;
    case TMessageResult::Retry: failedBoxes = 0; break;
    default:
      if (++failedBoxes >= kFailedBoxesBeforeAbort) return false;
      break;
    }
  }
}
