// The path and folder helpers against the real Win32 runtime.
#include "install/InstUtils.h"
#include "platform/os/Handles.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"

#include <gtest/gtest.h>

namespace {

TEST(Win32Helpers, DirExistsAsTheSystemReportsIt) {
  std::string before = GetCurrentFolder();
  EXPECT_TRUE(DirExists("C:\\Windows\\"));
  EXPECT_TRUE(DirExists("c:\\windows"));
  EXPECT_FALSE(DirExists("C:/Windows"));
  EXPECT_FALSE(DirExists("C:\\Windows\\..\\Windows"));
  EXPECT_FALSE(DirExists(""));
  EXPECT_FALSE(DirExists("C:\\Pennacle-does-not-exist"));
  EXPECT_EQ(GetCurrentFolder(), before);
}

TEST(Win32Helpers, SpecialFoldersAndTemp) {
  EXPECT_TRUE(SameName(GetSpecialFolder(CSIDL_PROGRAM_FILES), "C:\\Program Files"));
  EXPECT_FALSE(GetSpecialFolder(CSIDL_COMMON_APPDATA).empty());
  std::string temp = GetTempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(LastChar(temp), '\\');
  EXPECT_TRUE(DirExists(temp));
}

TEST(Win32Helpers, ClusterSizeOfTheSystemDrive) {
  int32_t cluster = GetClusterSize("C:\\");
  EXPECT_GT(cluster, 0);
  EXPECT_EQ(cluster & (cluster - 1), 0) << "a power of two";
  EXPECT_EQ(RoundToClusters("C:\\", 1), cluster);
  EXPECT_FALSE(IsRemovablePath("C:\\"));
  EXPECT_EQ(GetDriveTypeOf("C:\\Windows"), DRIVE_FIXED);
}

TEST(Win32Helpers, FileDateReadsBackAnEvenSecondExactly) {
  std::string path = GetTempFolder() + "pennacle-date-test.txt";
  TDateTime date;
  ASSERT_TRUE(TryEncodeDateTime(2024, 3, 19, 18, 46, 0, 0, date));
  {
    TFileHandle file(Sys().CreateFileW(WideFrom1252(path), GENERIC_WRITE, 0, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(file.Valid());
    int32_t fileDate = DateTimeToFileDate(date);
    TFileTime local, utc;
    ASSERT_TRUE(Sys().DosDateTimeToFileTime(uint16_t(fileDate >> 16), uint16_t(fileDate), local));
    ASSERT_TRUE(Sys().LocalFileTimeToFileTime(local, utc));
    ASSERT_TRUE(Sys().SetFileTime(file.Get(), nullptr, nullptr, &utc));
  }
  EXPECT_EQ(GetFileDate(path), date);
  Sys().DeleteFileW(WideFrom1252(path));
}

} // namespace
