// The archive and extraction against the real Win32 runtime. This program carries the
// build's payload as its own resource FILES/FILES (resources/payload.rc).
#include "install/AttachFiles.h"
#include "install/InstUtils.h"
#include "platform/os/Handles.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"

#include <gtest/gtest.h>

namespace {

class PayloadTest : public ::testing::Test {
protected:
  PayloadTest() {
    SilentMode = false;
    SetupExitCode = 0;
    Folder = GetTempFolder() + "pennacle-payload-test\\";
    DeleteTree(Folder);
    CreateInstallLog();
  }
  ~PayloadTest() override {
    DeleteTree(Folder);
    InstallLog.reset();
    SilentMode = false;
    SetupExitCode = 0;
  }
  std::string ReadBack(const std::string& path) {
    TFileStream file = TFileStream::OpenRead(path);
    std::string bytes(size_t(file.Size()), '\0');
    if (!bytes.empty()) file.ReadBuffer(&bytes[0], int32_t(bytes.size()));
    return bytes;
  }
  std::string Content(const TAttachedFile& f) {
    return std::string(reinterpret_cast<const char*>(Archive.Payload.get()) + f.DataOffset,
                       size_t(f.FileSize));
  }
  TAttachedFiles Archive;
  std::string Folder;
};

TEST_F(PayloadTest, OwnResourceHoldsTheArchive) {
  EXPECT_EQ(Archive.Files.size(), 273u);
  EXPECT_EQ(Archive.PayloadSize, 4818647);
  ASSERT_NE(Archive.FindFile("userdicen.tlx"), nullptr);
  EXPECT_EQ(Archive.FindFile("userdicen.tlx")->DataOffset, 3839268);
  // This build's own program, padded: a Windows executable.
  EXPECT_EQ(Content(*Archive.FindFile("pnc.exe")).substr(0, 2), "MZ");
}

TEST_F(PayloadTest, ExtractionSetsADateThatReadsBackExactly) {
  for (const char* name : {"userdicen.tlx", "License.txt", "Templates\\Letters\\Cover Letter.rtf",
                           "Clip Library\\Headers & Footers\\Page X of Y.rtf", "Basic.snd"}) {
    const TAttachedFile* record = Archive.FindFile(name);
    ASSERT_NE(record, nullptr) << name;
    const std::string target = Folder + name;
    ASSERT_TRUE(Archive.ExtractFile(record, "", target)) << name;
    EXPECT_EQ(ReadBack(target), Content(*record)) << name;
    EXPECT_EQ(GetFileDate(target), record->FileDate) << name;
  }
  // The folders were made outermost first, each once, before the first file in them.
  ASSERT_GE(InstallLog->Count(), 3);
  EXPECT_EQ((*InstallLog)[0], "Made Dir: " + Folder);
  EXPECT_EQ((*InstallLog)[1], "File Copy: " + Folder + "userdicen.tlx");
  EXPECT_EQ((*InstallLog)[3], "Made Dir: " + Folder + "Templates\\");
}

TEST_F(PayloadTest, ATargetThatCannotBeCreatedFails) {
  const TAttachedFile* record = Archive.FindFile("License.txt");
  ASSERT_NE(record, nullptr);
  // A folder standing where the file must go.
  const std::string blocked = Folder + "License.txt";
  MakeDirs(blocked + "\\");
  SilentMode = true;
  EXPECT_FALSE(Archive.ExtractFile(record, "", blocked));
  EXPECT_EQ(SetupExitCode, ExitFileNotWritten);
  EXPECT_TRUE(DirExists(blocked));

  // A file held open without sharing.
  SetupExitCode = 0;
  const std::string held = Folder + "held.txt";
  TFileHandle holder(Sys().CreateFileW(WideFrom1252(held), GENERIC_READ | GENERIC_WRITE, 0,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL));
  ASSERT_TRUE(holder.Valid());
  EXPECT_FALSE(Archive.ExtractFile(record, "", held));
  EXPECT_EQ(SetupExitCode, ExitFileNotWritten);
  holder.Reset();
  EXPECT_EQ(ReadBack(held), "");

  // Interactively, with no display to show the box on, the failing box ends as Abort.
  SilentMode = false;
  SetupExitCode = 0;
  EXPECT_FALSE(Archive.ExtractFile(record, "", blocked));
  EXPECT_EQ(SetupExitCode, 0);
  EXPECT_EQ(InstallLog->IndexOf("File Copy: " + blocked), -1);
}

TEST_F(PayloadTest, TemporaryFilesAreFoundAndRemoved) {
  DeleteTempFiles();
  const std::string temp = GetTempFolder();
  const std::string first = NewTempFileName();
  EXPECT_EQ(first, temp + "~PennacleWordProcessorSetup0.tmp");
  WriteStringToFile(first, "license");
  EXPECT_EQ(NewTempFileName(), temp + "~PennacleWordProcessorSetup1.tmp");
  MakeDirs(temp + "~PennacleWordProcessorSetupDir\\Inner\\");
  WriteStringToFile(temp + "~PennacleWordProcessorSetupDir\\Inner\\a.txt", "a");
  WriteStringToFile(temp + "pennacle-not-ours.tmp", "other");
  DeleteTempFiles();
  EXPECT_FALSE(FileExists(first));
  EXPECT_FALSE(DirExists(temp + "~PennacleWordProcessorSetupDir"));
  EXPECT_TRUE(FileExists(temp + "pennacle-not-ours.tmp"));
  EXPECT_EQ(NewTempFileName(), first);
  Sys().DeleteFileW(WideFrom1252(temp + "pennacle-not-ours.tmp"));
}

} // namespace
