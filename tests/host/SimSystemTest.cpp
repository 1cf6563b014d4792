// The simulated machine behaves as the Windows calls it stands for, where tests rely on it.
#include "SimTest.h"

#include "platform/os/WinConst.h"

namespace {

using SimSystemTest = SimTest;

std::u16string W(const char* s) {
  return SimSystem::From1252(s);
}

TEST_F(SimSystemTest, PathsResolveAsGetFullPathNameDoes) {
  Sim.MakeDirs("C:\\Program Files\\Pennacle");
  EXPECT_TRUE(Sim.SetCurrentDirectoryA("c:/program files/./Pennacle/../"));
  EXPECT_EQ(Sim.CurrentDirectory(), "c:\\program files");
  EXPECT_TRUE(Sim.SetCurrentDirectoryA("Pennacle"));
  EXPECT_EQ(Sim.CurrentDirectory(), "c:\\program files\\Pennacle");
  EXPECT_TRUE(Sim.SetCurrentDirectoryA("\\"));
  EXPECT_EQ(Sim.CurrentDirectory(), "c:\\");
  EXPECT_FALSE(Sim.SetCurrentDirectoryA("C:\\Nowhere"));
  EXPECT_EQ(Sim.CurrentDirectory(), "c:\\");
}

TEST_F(SimSystemTest, PathsOfMaxPathLengthFailUnlessLongPathsAreOn) {
  // A folder of 247 characters is the longest Windows creates; a file path of 259 the longest
  // it opens; a current directory of 258 the longest it takes.
  auto folder = [](size_t length) { return "C:\\" + std::string(length - 3, 'f'); };
  EXPECT_TRUE(Sim.CreateDirectoryW(W(folder(247).c_str())));
  EXPECT_FALSE(Sim.CreateDirectoryW(W(folder(248).c_str())));
  EXPECT_EQ(Sim.GetLastError(), ERROR_FILENAME_EXCED_RANGE);
  const std::string in247 = folder(247) + "\\";
  Handle h = Sim.CreateFileW(W((in247 + std::string(11, 'n')).c_str()), GENERIC_WRITE, 0,
                             CREATE_ALWAYS, 0x80);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  Sim.CloseHandle(h);
  const std::string file260 = in247 + std::string(12, 'n');
  EXPECT_EQ(Sim.CreateFileW(W(file260.c_str()), GENERIC_WRITE, 0, CREATE_ALWAYS, 0x80),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(Sim.GetLastError(), ERROR_FILENAME_EXCED_RANGE);
  Sim.MakeDirs(folder(258));
  Sim.MakeDirs(folder(259));
  EXPECT_TRUE(Sim.SetCurrentDirectoryA(folder(258)));
  EXPECT_FALSE(Sim.SetCurrentDirectoryA(folder(259)));
  TFindData data;
  EXPECT_EQ(Sim.FindFirstFileA(folder(258) + "\\*", data), INVALID_HANDLE_VALUE);

  Sim.SetLongPathsEnabled(true);
  EXPECT_TRUE(Sim.CreateDirectoryW(W(folder(248).c_str())));
  h = Sim.CreateFileW(W(file260.c_str()), GENERIC_WRITE, 0, CREATE_ALWAYS, 0x80);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  Sim.CloseHandle(h);
  EXPECT_TRUE(Sim.SetCurrentDirectoryA(folder(259)));
}

TEST_F(SimSystemTest, FilesHonourSharingReadOnlyAndMissingFolders) {
  Handle h = Sim.CreateFileW(W("C:\\a.txt"), GENERIC_WRITE, 0, CREATE_ALWAYS, 0x80);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  uint32_t n = 0;
  EXPECT_TRUE(Sim.WriteFile(h, "abc", 3, &n));
  EXPECT_EQ(Sim.CreateFileW(W("C:\\a.txt"), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0x80),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(Sim.GetLastError(), ERROR_SHARING_VIOLATION);
  Sim.CloseHandle(h);
  EXPECT_EQ(*Sim.FileContent("C:\\a.txt"), "abc");

  Sim.SetAttributes("C:\\a.txt", FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Sim.CreateFileW(W("C:\\a.txt"), GENERIC_WRITE, 0, CREATE_ALWAYS, 0x80),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(Sim.GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Sim.CreateFileW(W("C:\\No\\b.txt"), GENERIC_WRITE, 0, CREATE_ALWAYS, 0x80),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(Sim.GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Sim.OpenHandleCount(), 0u);
}

TEST_F(SimSystemTest, AFullDiskStoresWhatFitsAndFails) {
  Sim.Drive('C')->FreeBytes = 2;
  Handle h = Sim.CreateFileW(W("C:\\a.txt"), GENERIC_WRITE, 0, CREATE_ALWAYS, 0x80);
  uint32_t n = 0;
  EXPECT_FALSE(Sim.WriteFile(h, "abc", 3, &n));
  EXPECT_EQ(n, 2u);
  EXPECT_EQ(Sim.GetLastError(), ERROR_DISK_FULL);
  Sim.CloseHandle(h);
  EXPECT_EQ(*Sim.FileContent("C:\\a.txt"), "ab");
}

TEST_F(SimSystemTest, FaultsStrikeTheChosenCallAfterTheirSkip) {
  TSimFault fault;
  fault.Call = SimCall::CreateDirectory;
  fault.PathContains = "pennacle";
  fault.Skip = 1;
  fault.Times = 1;
  Sim.AddFault(fault);
  EXPECT_TRUE(Sim.CreateDirectoryW(W("C:\\Other")));
  EXPECT_TRUE(Sim.CreateDirectoryW(W("C:\\Pennacle")));
  EXPECT_FALSE(Sim.CreateDirectoryW(W("C:\\Pennacle\\A")));
  EXPECT_TRUE(Sim.CreateDirectoryW(W("C:\\Pennacle\\A")));
  EXPECT_EQ(Sim.CallCount(SimCall::CreateDirectory), 4);

  TSimFault shortWrite;
  shortWrite.Call = SimCall::WriteFile;
  shortWrite.ShortWriteBytes = 1;
  Sim.AddFault(shortWrite);
  Handle h = Sim.CreateFileW(W("C:\\a.txt"), GENERIC_WRITE, 0, CREATE_ALWAYS, 0x80);
  uint32_t n = 0;
  EXPECT_TRUE(Sim.WriteFile(h, "abc", 3, &n));
  EXPECT_EQ(n, 1u);
  Sim.CloseHandle(h);
}

TEST_F(SimSystemTest, FindListsDotsFirstThenEntriesOfTheFolder) {
  Sim.MakeDirs("C:\\F\\Sub");
  Sim.PutFile("C:\\F\\b.txt", "");
  TFindData d;
  Handle h = Sim.FindFirstFileA("C:\\F\\*.*", d);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  std::vector<std::string> names{d.FileName};
  while (Sim.FindNextFileA(h, d)) names.push_back(d.FileName);
  Sim.FindClose(h);
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "b.txt", "Sub"}));
  EXPECT_EQ(Sim.FindFirstFileA("C:\\F\\*.dat", d), INVALID_HANDLE_VALUE);
}

TEST_F(SimSystemTest, RegistryKeepsTypedValuesAndCreatesEveryLevel) {
  Handle key = 0;
  ASSERT_EQ(
      Sim.RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\A\\B", 0, KEY_ALL_ACCESS, &key, nullptr),
      0);
  EXPECT_TRUE(Sim.KeyExists("HKCU\\Software\\A"));
  uint32_t v = 7;
  Sim.RegSetValueExA(key, "X", REG_DWORD, &v, 4);
  uint32_t size = 0, type = 0;
  EXPECT_EQ(Sim.RegQueryValueExA(key, "x", &type, nullptr, &size), 0);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(type, REG_DWORD);
  uint16_t small = 0;
  size = 2;
  EXPECT_EQ(Sim.RegQueryValueExA(key, "X", nullptr, &small, &size), int32_t(ERROR_MORE_DATA));
  Sim.RegCloseKey(key);
  Sim.DenyRegistryAccess("HKLM");
  EXPECT_EQ(
      Sim.RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\A", 0, KEY_ALL_ACCESS, &key, nullptr),
      int32_t(ERROR_ACCESS_DENIED));
}

} // namespace
