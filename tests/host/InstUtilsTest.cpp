// Path, folder, volume, date and size helpers of the installation engine.
#include "SimTest.h"

#include "install/InstUtils.h"
#include "platform/os/WinConst.h"

namespace {

using InstUtilsTest = SimTest;

TEST_F(InstUtilsTest, AddBackslashAndJoinPath) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"", ""},
               {"C:", "C:\\"},
               {"C:\\a", "C:\\a\\"},
               {"C:\\a/", "C:\\a\\"},
               {"C:\\a\\", "C:\\a\\"},
               {"C:\\a\\\\", "C:\\a\\\\"}};
  for (const auto& c : cases) {
    std::string s = c.in;
    AddBackslash(s);
    EXPECT_EQ(s, c.out) << c.in;
  }
  EXPECT_EQ(JoinPath("C:\\Program Files\\Pennacle", "pnc.exe"),
            "C:\\Program Files\\Pennacle\\pnc.exe");
  EXPECT_EQ(JoinPath("C:\\Program Files\\Pennacle\\", "pnc.exe"),
            "C:\\Program Files\\Pennacle\\pnc.exe");
}

TEST_F(InstUtilsTest, SameNameIgnoresCaseWithTheAnsiUpperCasing) {
  EXPECT_TRUE(SameName("Templates\\", "TEMPLATES\\"));
  EXPECT_TRUE(SameName("C:\\Caf\xE9", "c:\\CAF\xC9")); // e-acute and E-acute in code page 1252
  EXPECT_FALSE(SameName("Templates", "Templates\\"));
}

TEST_F(InstUtilsTest, ExtractFileDriveOfLettersAndShares) {
  EXPECT_EQ(ExtractFileDrive("C:\\Program Files"), "C:");
  EXPECT_EQ(ExtractFileDrive("d:"), "d:");
  EXPECT_EQ(ExtractFileDrive("\\\\srv\\data\\Apps\\Pen"), "\\\\srv\\data");
  EXPECT_EQ(ExtractFileDrive("\\\\srv\\data"), "\\\\srv\\data");
  EXPECT_EQ(ExtractFileDrive("Apps"), "");
  EXPECT_EQ(ExtractFileDrive("\\Apps"), "");
}

TEST_F(InstUtilsTest, DirExistsComparesWhatTheSystemReportsAndRestoresTheCurrentFolder) {
  Sim.MakeDirs("C:\\Windows");
  Sim.MakeDirs("D:\\x"); // no drive D: yet, so nothing is made
  ASSERT_TRUE(Sim.SetCurrentDirectoryA("C:\\Users"));
  struct Case {
    const char* path;
    bool exists;
  } cases[] = {{"C:\\Windows\\", true},
               {"c:\\windows", true},
               {"C:\\", true},
               {"C:/Windows", false},
               {"C:\\Windows\\..\\Windows", false},
               {"C:\\Windows\\.", false},
               {"", false},
               {"C:\\Nowhere", false},
               {"Q:\\", false},
               {"User", false}}; // exists relative to C:\Users, but is not spelt as reported
  for (const auto& c : cases) {
    EXPECT_EQ(DirExists(c.path), c.exists) << c.path;
    EXPECT_EQ(Sim.CurrentDirectory(), "C:\\Users") << c.path;
  }
  EXPECT_EQ(FolderStack->Count(), 0);
}

TEST_F(InstUtilsTest, CurrentFolderStackIsLastInFirstOut) {
  Sim.MakeDirs("C:\\A");
  Sim.MakeDirs("C:\\B");
  Sim.SetCurrentDirectoryA("C:\\A");
  PushCurrentFolder();
  Sim.SetCurrentDirectoryA("C:\\B");
  PushCurrentFolder();
  Sim.SetCurrentDirectoryA("C:\\");
  EXPECT_EQ(GetCurrentFolder(), "C:\\");
  PopCurrentFolder();
  EXPECT_EQ(GetCurrentFolder(), "C:\\B\\");
  PopCurrentFolder();
  EXPECT_EQ(GetCurrentFolder(), "C:\\A\\");
  PopCurrentFolder(); // empty: nothing happens
  EXPECT_EQ(GetCurrentFolder(), "C:\\A\\");
}

TEST_F(InstUtilsTest, IsRemovablePathByDriveTypeBusAndMedia) {
  Sim.AddDrive('E', DRIVE_REMOVABLE);
  TSimDrive& usbDisk = Sim.AddDrive('F', DRIVE_FIXED);
  usbDisk.BusType = 7;
  TSimDrive& firewire = Sim.AddDrive('G', DRIVE_FIXED);
  firewire.BusType = 4;
  TSimDrive& card = Sim.AddDrive('H', DRIVE_FIXED);
  card.RemovableMedia = true;
  Sim.AddDrive('I', DRIVE_REMOTE);
  Sim.AddDrive('J', DRIVE_CDROM);
  TSimDrive& locked = Sim.AddDrive('K', DRIVE_FIXED);
  locked.BusType = 7;
  locked.VolumeOpenable = false;
  TSimDrive& silent = Sim.AddDrive('L', DRIVE_FIXED);
  silent.BusType = 7;
  silent.QueryPropertyWorks = false;
  Sim.AddShare("\\\\srv\\data");
  struct Case {
    const char* path;
    bool removable;
  } cases[] = {{"C:\\Program Files\\Pennacle", false},
               {"E:\\Pennacle", true},
               {"F:\\Pennacle", true},
               {"G:\\", true},
               {"H:\\Pennacle", true},
               {"I:\\Pennacle", false},
               {"J:\\", false},
               {"K:\\Pennacle", false},
               {"L:\\Pennacle", false},
               {"\\\\srv\\data\\Pennacle", false},
               {"X:\\Pennacle", false},
               {"Pennacle", false}};
  for (const auto& c : cases) EXPECT_EQ(IsRemovablePath(c.path), c.removable) << c.path;
  EXPECT_EQ(Sim.OpenHandleCount(), 0u);
}

TEST_F(InstUtilsTest, ClusterSizeAndRounding) {
  // The default C: has 512-byte sectors, 8 to a cluster.
  Sim.MakeDirs("C:\\Program Files");
  TSimDrive& d = Sim.AddDrive('D', DRIVE_FIXED);
  d.SectorsPerCluster = 64;
  struct Case {
    int32_t size, rounded;
  } cases[] = {{0, 0}, {1, 4096}, {4096, 4096}, {5000, 8192}};
  for (const auto& c : cases)
    EXPECT_EQ(RoundToClusters("C:\\Program Files\\Pennacle", c.size), c.rounded) << c.size;
  EXPECT_EQ(GetClusterSize("C:\\Program Files"), 4096);
  EXPECT_EQ(GetClusterSize("D:\\Not\\There"), 32768); // the drive's, for a missing folder
  // A drive that cannot be asked never answers for the current one.
  EXPECT_EQ(GetClusterSize("X:\\Pennacle"), 0);
  EXPECT_EQ(RoundToClusters("X:\\Pennacle", 5000), 5000);
  EXPECT_EQ(Sim.CurrentDirectory(), "C:\\");
}

TEST_F(InstUtilsTest, SpecialFoldersAndTheTemporaryFolder) {
  EXPECT_EQ(GetSpecialFolder(CSIDL_PROGRAM_FILES), "C:\\Program Files");
  Sim.SetSpecialFolder(CSIDL_PROGRAM_FILES, "");
  EXPECT_EQ(GetSpecialFolder(CSIDL_PROGRAM_FILES), "");
  EXPECT_EQ(GetTempFolder(), "C:\\Users\\User\\AppData\\Local\\Temp\\");
  Sim.SetTempPath("C:\\Gone\\");
  EXPECT_EQ(GetTempFolder(), "C:\\Users\\User\\Documents\\");
  Sim.SetShellFolderFunctionMissing(true);
  EXPECT_EQ(GetSpecialFolder(CSIDL_PERSONAL), "");
  EXPECT_EQ(GetTempFolder(), "");
}

TEST_F(InstUtilsTest, FileDateReadsTheLocalTimeAtTwoSecondResolution) {
  Sim.PutFile("C:\\f.txt", "x");
  // 2026-03-15 14:27:38 local is 13:27:38 UTC on this machine (UTC+1).
  TSystemTime utc{2026, 3, 0, 15, 13, 27, 39, 500};
  TFileTime ft;
  Sim.SystemTimeToFileTime(utc, ft);
  Sim.SetLastWriteTime("C:\\f.txt", ft);
  TDateTime expected;
  ASSERT_TRUE(TryEncodeDateTime(2026, 3, 15, 14, 27, 38, 0, expected));
  EXPECT_EQ(GetFileDate("C:\\f.txt"), expected);

  TSystemTime old{1979, 12, 0, 31, 12, 0, 0, 0};
  Sim.SystemTimeToFileTime(old, ft);
  Sim.SetLastWriteTime("C:\\f.txt", ft);
  EXPECT_EQ(GetFileDate("C:\\f.txt"), 0.0);

  EXPECT_EQ(GetFileDate("C:\\missing.txt"), Now());
}

TEST(SizeText, FormatSizeTable) {
  struct Case {
    int64_t bytes;
    const char* text;
  } cases[] = {{0, "0 KB"},
               {1023, "0 KB"},
               {1024, "1 KB"},
               {1048576, "1 MB"},
               {1048577, "1 024 KB"},
               {2621440, "2 560 KB"},
               {5242880, "5 MB"},
               {16777214, "16 383 KB"},
               {16777215, "16 MB"},
               {18350080, "18 MB"},
               {19398656, "18 MB"},
               {20447232, "20 MB"}, // 19.5 MB rounds to the even neighbour upwards
               {1500000000, "1 431 MB"},
               {107374182400, "102 400 MB"}};
  for (const auto& c : cases) EXPECT_EQ(FormatSize(c.bytes), c.text) << c.bytes;
}

TEST(SizeText, GroupDigitsInsertsABlankEveryThreeDigits) {
  EXPECT_EQ(GroupDigits(0), "0");
  EXPECT_EQ(GroupDigits(123), "123");
  EXPECT_EQ(GroupDigits(1234), "1 234");
  EXPECT_EQ(GroupDigits(1234567), "1 234 567");
  EXPECT_EQ(GroupDigits(-1234), "-1 234");
}

} // namespace
