// The archive: loading and its figures, damaged data, the install lists and component sizes.
#include "ArchiveFixture.h"

#include "install/InstUtils.h"
#include "platform/os/WinConst.h"
#include "platform/rtl/Strings.h"

#include <set>

namespace {

using AttachFilesTest = ArchiveTest;

constexpr const char* Public = "C:\\ProgramData\\Pennacle\\Public\\";

std::string Folder(const std::string& name, int level) {
  size_t at = 0;
  for (int i = 0; i <= level; ++i) at = name.find('\\', at) + 1;
  return name.substr(0, at - 1);
}

TEST_F(AttachFilesTest, TheBuildsPayloadHasTheShippedFigures) {
  ASSERT_GE(BuildPayload().size(), 2u) << PENNACLE_FILES_ZLIB;
  EXPECT_EQ(uint8_t(BuildPayload()[0]), 0x78);
  EXPECT_EQ(uint8_t(BuildPayload()[1]), 0xDA);
  auto archive = LoadBuildPayload();
  const auto& files = archive->Files;
  ASSERT_EQ(files.size(), 273u);
  EXPECT_EQ(archive->PayloadSize, 4818647);
  EXPECT_EQ(files.back().DataOffset + files.back().FileSize, 4818647);
  int32_t end = 0;
  std::set<std::string> seen;
  for (const TAttachedFile& f : files) {
    EXPECT_EQ(f.DataOffset, end + 13 + int32_t(f.FileName.size())) << f.FileName;
    end = f.DataOffset + f.FileSize;
    EXPECT_TRUE(seen.insert(AnsiUpperCase(f.FileName)).second) << f.FileName;
    // Even seconds: the date survives the 2-second file-date form.
    EXPECT_EQ(FileDateToDateTime(DateTimeToFileDate(f.FileDate)), f.FileDate) << f.FileName;
  }
  const char* first[] = {"pnc.exe",
                         "License.txt",
                         "English (American).lgs",
                         "English (British).lgs",
                         "us.zlx",
                         "uk.zlx",
                         "userdicen.tlx",
                         "English (American).cache",
                         "english.zlx",
                         "English (American).hyph",
                         "English (British).hyph"};
  for (size_t i = 0; i < 11; ++i) EXPECT_EQ(files[i].FileName, first[i]);
  EXPECT_EQ(files.back().FileName, "Basic.snd");
  std::set<std::string> templates, clips, pictures;
  for (size_t i = 11; i < 30; ++i) {
    EXPECT_EQ(Folder(files[i].FileName, 0), "Templates") << i;
    templates.insert(Folder(files[i].FileName, 1));
  }
  for (size_t i = 30; i < 272; ++i) {
    EXPECT_EQ(Folder(files[i].FileName, 0), "Clip Library") << i;
    clips.insert(Folder(files[i].FileName, 1));
    if (Folder(files[i].FileName, 1) == "Clip Library\\Images")
      pictures.insert(Folder(files[i].FileName, 2));
  }
  EXPECT_EQ(templates,
            (std::set<std::string>{"Templates\\Faxes", "Templates\\Letters", "Templates\\Memos",
                                   "Templates\\Stories", "Templates\\TOCs"}));
  EXPECT_EQ(clips, (std::set<std::string>{"Clip Library\\Closings", "Clip Library\\Greetings",
                                          "Clip Library\\Headers & Footers", "Clip Library\\Images",
                                          "Clip Library\\Miscellaneous", "Clip Library\\Phrases",
                                          "Clip Library\\Salutations", "Clip Library\\Tables"}));
  EXPECT_EQ(pictures.size(), 14u);
  EXPECT_EQ(archive->FindFile("English (British).cache"), nullptr);

  const TAttachedFile* empty = archive->FindFile("userdicen.tlx");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->FileSize, 0);
  EXPECT_EQ(empty->DataOffset, 3839268);
  EXPECT_EQ(files[7].DataOffset - 13 - int32_t(files[7].FileName.size()), 3839268);
}

TEST_F(AttachFilesTest, ComponentSizesOnTheDestinationsClusters) {
  auto archive = LoadBuildPayload();
  const int32_t sizes[5] = {3723264, 663552, 233472, 1085440, 65536}; // 4 KiB clusters on C:
  for (int c = 0; c < 5; ++c)
    EXPECT_EQ(
        archive->ComponentSize(ResConst::ComponentFileLists[c], "C:\\Program Files\\Pennacle"),
        sizes[c])
        << c;
  // Every template and clip is smaller than a cluster of 32 KiB.
  Sim.AddDrive('D', DRIVE_FIXED).SectorsPerCluster = 64;
  EXPECT_EQ(archive->ComponentSize(ResConst::ComponentFileLists[2], "D:\\Pennacle"), 19 * 32768);
  EXPECT_EQ(archive->ComponentSize(ResConst::ComponentFileLists[3], "D:\\Pennacle"), 242 * 32768);
  // Items split at CR, LF or CR LF; what matches nothing adds nothing.
  EXPECT_EQ(archive->ComponentSize("Basic.snd\r\nBASIC.SND\nnothing\r", "C:\\Pennacle"), 2 * 65536);
}

TEST_F(AttachFilesTest, FolderPatternAddsEveryFileBelowItKeepingSubfolders) {
  auto archive = LoadBuildPayload();
  Sim.MakeDirs("C:\\Empty");
  EXPECT_TRUE(archive->AddFiles("Templates\\", "C:\\Empty", 2, InstallIfMissing));
  SuspendLogging();
  EXPECT_TRUE(archive->AddFiles("templates\\", "C:\\Empty\\", 3, InstallIfMissing));
  ResumeLogging();
  const auto& upper = archive->ComponentFiles[2];
  const auto& lower = archive->ComponentFiles[3];
  ASSERT_EQ(upper.size(), 19u);
  ASSERT_EQ(lower.size(), 19u);
  for (size_t i = 0; i < 19; ++i) {
    const TAttachedFile& record = archive->Files[11 + i];
    EXPECT_EQ(upper[i].AttachedFile, &record);
    EXPECT_EQ(upper[i].TargetPath, "C:\\Empty\\" + record.FileName);
    EXPECT_TRUE(upper[i].Logged);
    EXPECT_EQ(lower[i].AttachedFile, &record);
    EXPECT_EQ(lower[i].TargetPath, upper[i].TargetPath);
    EXPECT_FALSE(lower[i].Logged);
  }
  EXPECT_TRUE(archive->PublicFiles.Count() == 0);
}

TEST_F(AttachFilesTest, FilePatternMatchesOneWholeName) {
  auto archive = LoadBuildPayload();
  struct Case {
    const char* pattern;
    bool added;
  } cases[] = {{"Basic.snd", true},
               {"BASIC.snd", true},
               {"Cat.bmp", false}, // only inside a folder
               {"Templates", false},
               {"", false}};
  for (const auto& c : cases) {
    archive->ClearComponent(4);
    EXPECT_EQ(archive->AddFiles(c.pattern, "C:\\Target", 4, InstallIfMissing), c.added)
        << c.pattern;
    EXPECT_EQ(archive->ComponentFiles[4].size(), c.added ? 1u : 0u) << c.pattern;
  }
}

TEST_F(AttachFilesTest, ExistingTargetsAndTheMarkOfPublicFiles) {
  auto archive = LoadBuildPayload();
  const std::string target = std::string(Public) + "Basic.snd";
  Sim.PutFile(target, "earlier");
  EXPECT_FALSE(archive->AddFiles("Basic.snd", Public, 4, InstallIfMissing));
  EXPECT_TRUE(archive->ComponentFiles[4].empty());
  EXPECT_EQ(archive->PublicFiles.Count(), 0);

  archive->ForceOverwrite = true;
  EXPECT_TRUE(archive->AddFiles("Basic.snd", Public, 4, InstallIfMissing));
  EXPECT_TRUE(
      archive->AddFiles("Basic.snd", "c:\\programdata\\pennacle\\PUBLIC", 4, UpdateIfChanged));
  EXPECT_TRUE(archive->AddFiles("Basic.snd", "C:\\Program Files\\Pennacle", 4, InstallIfMissing));
  ASSERT_EQ(archive->ComponentFiles[4].size(), 3u);
  EXPECT_EQ(archive->ComponentFiles[4][0].TargetPath, target); // no mark on the entry
  ASSERT_EQ(archive->PublicFiles.Count(), 2);                  // the last is not public
  EXPECT_EQ(archive->PublicFiles[0], target + "\t!");
  EXPECT_EQ(archive->PublicFiles[1], "c:\\programdata\\pennacle\\PUBLIC\\Basic.snd");

  // A folder where the file would go is no file.
  archive->ForceOverwrite = false;
  Sim.MakeDirs("C:\\Target\\Basic.snd");
  EXPECT_TRUE(archive->AddFiles("Basic.snd", "C:\\Target", 4, InstallIfMissing));
  // Without the all-users folder nothing is public.
  Sim.SetSpecialFolder(CSIDL_COMMON_APPDATA, "");
  archive->ForceOverwrite = true;
  EXPECT_TRUE(archive->AddFiles("Basic.snd", Public, 4, InstallIfMissing));
  EXPECT_EQ(archive->PublicFiles.Count(), 2);
}

TEST_F(AttachFilesTest, UpdateIfChangedComparesTheTargetsDate) {
  auto archive = LoadBuildPayload();
  const std::string target = "C:\\Program Files\\Pennacle\\pnc.exe";
  ASSERT_TRUE(archive->ExtractFile(nullptr, "pnc.exe", target));
  EXPECT_FALSE(archive->AddFiles("pnc.exe", "C:\\Program Files\\Pennacle", 0, UpdateIfChanged));
  TFileTime later = Sim.LastWriteTime(target);
  Sim.SetLastWriteTime(target, TFileTime::FromValue(later.Value() + 20000000)); // 2 s later
  EXPECT_FALSE(archive->AddFiles("pnc.exe", "C:\\Program Files\\Pennacle", 0, InstallIfMissing));
  EXPECT_TRUE(archive->AddFiles("pnc.exe", "C:\\Program Files\\Pennacle", 0, UpdateIfChanged));
  ASSERT_EQ(archive->ComponentFiles[0].size(), 1u);
  EXPECT_EQ(archive->ComponentFiles[0][0].TargetPath, target);
}

TEST_F(AttachFilesTest, FullTargetGivenTakesTheBasePathAsTheTarget) {
  auto archive = LoadBuildPayload();
  const std::string british = std::string(Public) + "Spellcheck\\English (British).cache";
  FullTargetGiven = true;
  EXPECT_TRUE(archive->AddFiles("English (American).cache", british, 1, InstallIfMissing));
  FullTargetGiven = false;
  ASSERT_EQ(archive->ComponentFiles[1].size(), 1u);
  EXPECT_EQ(archive->ComponentFiles[1][0].TargetPath, british);
  EXPECT_EQ(archive->ComponentFiles[1][0].AttachedFile->FileName, "English (American).cache");
  ASSERT_EQ(archive->PublicFiles.Count(), 1);
  EXPECT_EQ(archive->PublicFiles[0], british + "\t!");
}

TEST_F(AttachFilesTest, ClearComponentEmptiesOnlyItsList) {
  auto archive = LoadBuildPayload();
  archive->AddFiles("Templates\\", "C:\\T", 2, AlwaysInstall);
  archive->AddFiles("Basic.snd", "C:\\T", 4, AlwaysInstall);
  archive->ClearComponent(2);
  EXPECT_TRUE(archive->ComponentFiles[2].empty());
  EXPECT_EQ(archive->ComponentFiles[4].size(), 1u);
}

TEST_F(AttachFilesTest, EqualNamesAddTheFirstAndFindAndSizeTheLast) {
  auto archive = Load(Deflate(RecordBytes({{"a.txt", 45000.5, std::string(10, 'x')},
                                           {"A.TXT", 45000.5, std::string(5000, 'y')},
                                           {"Dir\\a.txt", 45000.5, "z"}})));
  ASSERT_EQ(archive->Files.size(), 3u);
  EXPECT_TRUE(archive->AddFiles("a.txt", "C:\\T", 0, AlwaysInstall));
  ASSERT_EQ(archive->ComponentFiles[0].size(), 1u);
  EXPECT_EQ(archive->ComponentFiles[0][0].AttachedFile, &archive->Files[0]);
  EXPECT_EQ(archive->FindFile("a.Txt"), &archive->Files[1]);
  EXPECT_EQ(archive->ComponentSize("a.txt", "C:\\T"), 8192);
}

TEST_F(AttachFilesTest, DamagedDataFailsToLoad) {
  const std::string good = RecordBytes({{"a.txt", 45000.5, "abc"}});
  std::string negative = good;
  negative[1 + 5 + 8 + 3] = char(0x80); // size -2147483645
  std::string longer = good;
  longer[1 + 5 + 8] = 4; // four bytes said, three there
  const std::string whole = Deflate(good);
  struct Case {
    const char* what;
    std::string stream;
  } cases[] = {
      {"empty resource", ""},
      {"not zlib", "plain text, not a stream"},
      {"cut short", whole.substr(0, whole.size() - 5)},
      {"a header past the end", Deflate(good + "\x05"
                                               "ab")},
      {"content past the end", Deflate(longer)},
      {"negative size", Deflate(negative)},
  };
  for (const auto& c : cases) {
    Sim.AddResource("FILES", "FILES", c.stream);
    try {
      TAttachedFiles archive;
      ADD_FAILURE() << c.what;
    } catch (const ESetupDamaged& e) {
      EXPECT_STREQ(e.what(), ResConst::MsgSetupDamaged) << c.what;
    }
  }
  SimSystem bare; // no resource at all
  TSystemScope scope(bare);
  EXPECT_THROW(TAttachedFiles(), ESetupDamaged);
}

TEST_F(AttachFilesTest, NamesThatWouldLeaveTheTargetFolderAreDamagedData) {
  const char* bad[] = {
      "",           "C:evil.exe",   "C:\\evil.exe",       "notes.txt:stream", "\\evil.exe",
      "\\\\srv\\x", "a/b.txt",      "Templates\\\\a.txt", "Templates\\",      ".",
      "..",         "..\\evil.exe", "a\\..\\..\\b",       "a\\.\\b",          "a\\. .\\b",
      "a\\...\\b",  ".. "};
  // A device is the same in every folder, also with an extension.
  const char* devices[] = {"CON",      "nul.txt", "Templates\\Com1", "Clip\\LPT9.log\\x",
                           "aux .txt", "prn",     "LPT\xB3.prn"};
  // What the system would write under another name (over "pnc.exe", say), or cannot hold.
  const char* renamed[] = {
      "pnc.exe.", "pnc.exe ", "Templates \\a.txt", "a?b", "a*b", "a<b", "a>b", "a|b",
      "a\"b",     "a\x01b"};
  std::vector<const char*> refused(std::begin(bad), std::end(bad));
  refused.insert(refused.end(), std::begin(devices), std::end(devices));
  refused.insert(refused.end(), std::begin(renamed), std::end(renamed));
  for (const char* name : refused) {
    Sim.AddResource("FILES", "FILES",
                    Deflate(RecordBytes({{"ok.txt", 45000.5, "ok"}, {name, 45000.5, "x"}})));
    EXPECT_THROW(TAttachedFiles(), ESetupDamaged) << name;
  }
  const char* fine[] = {"...x",     ".profile", "a.b\\c",  "Headers & Footers\\Page X of Y.rtf",
                        "CONSOLE",  "com10",    "Cons\\x", "nul_.txt",
                        "COM0.txt", "LPT\xB4"};
  for (const char* name : fine) {
    auto archive = Load(Deflate(RecordBytes({{name, 45000.5, "x"}})));
    ASSERT_EQ(archive->Files.size(), 1u) << name;
    EXPECT_EQ(archive->Files[0].FileName, name);
  }
}

TEST_F(AttachFilesTest, AnEmptyArchiveHasNoRecords) {
  auto archive = Load(Deflate(""));
  EXPECT_EQ(archive->PayloadSize, 0);
  EXPECT_TRUE(archive->Files.empty());
  EXPECT_EQ(archive->ComponentSize(ResConst::ComponentFileLists[0], "C:\\"), 0);
}

TEST_F(AttachFilesTest, DestroyingTheArchiveDeletesTheTemporaryFiles) {
  const std::string temp = "C:\\Users\\User\\AppData\\Local\\Temp\\";
  Sim.PutFile(temp + "~PennacleWordProcessorSetup0.tmp", "license");
  Sim.PutFile(temp + "other.tmp", "other");
  LoadBuildPayload().reset();
  EXPECT_EQ(Sim.FilesBelow(temp), (std::vector<std::string>{temp + "other.tmp"}));
}

} // namespace
