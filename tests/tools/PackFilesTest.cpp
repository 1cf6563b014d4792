// The packer: the stream it writes, every name and file it refuses, and its listing.
#include "tools/packfiles/Packer.h"

#include "platform/rtl/DateTime.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class PackFilesTest : public ::testing::Test {
protected:
  PackFilesTest() {
    char pattern[] = "/tmp/pennacle-packfiles.XXXXXX";
    Root = mkdtemp(pattern);
    Product = Root / "product";
    fs::create_directories(Product);
  }
  ~PackFilesTest() override { fs::remove_all(Root); }

  // A file of the product, with its last-write time as local time.
  void Put(const std::string& name, const std::string& content, int year = 2024, int month = 3,
           int day = 19, int hour = 18, int minute = 46, int second = 0, long micro = 0) {
    fs::path path = Product / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    SetDate(path, year, month, day, hour, minute, second, micro);
  }
  static void SetDate(const fs::path& path, int year, int month, int day, int hour, int minute,
                      int second, long micro = 0) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    timeval times[2] = {{mktime(&local), micro}, {mktime(&local), micro}};
    ASSERT_EQ(utimes(path.c_str(), times), 0) << path;
  }
  void List(const std::string& text) {
    std::ofstream(Root / "files.lst", std::ios::binary) << text;
  }
  int Pack(std::string& messages) {
    std::ostringstream err;
    int code = PackFiles(Product.string(), (Root / "files.lst").string(),
                         (Root / "FILES.zlib").string(), err);
    messages = err.str();
    return code;
  }
  std::string Output() const {
    std::ifstream in(Root / "FILES.zlib", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path Root, Product;
};

std::string Inflate(const std::string& stream) {
  std::string out(1 << 20, '\0');
  uLongf size = uLongf(out.size());
  EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(&out[0]), &size,
                       reinterpret_cast<const Bytef*>(stream.data()), uLong(stream.size())),
            Z_OK);
  out.resize(size);
  return out;
}

std::string Record(const std::string& name, TDateTime date, const std::string& content) {
  std::string r(1, char(name.size()));
  r += name;
  r.append(reinterpret_cast<const char*>(&date), 8);
  int32_t size = int32_t(content.size());
  r.append(reinterpret_cast<const char*>(&size), 4);
  return r + content;
}

TDateTime Date(int y, int mo, int d, int h, int mi, int s) {
  TDateTime v = 0;
  EXPECT_TRUE(TryEncodeDateTime(y, mo, d, h, mi, s, 0, v));
  return v;
}

TEST_F(PackFilesTest, WritesTheRecordsInListOrderAtLevelNine) {
  Put("pnc.exe", "MZ program");
  Put("Templates/Caf\xC3\xA9/Men\xC3\xBC.rtf", "{\\rtf1 menu}", 2019, 6, 1, 9, 30, 13, 700000);
  Put("userdicen.tlx", "");
  // UTF-8 list with a byte-order mark, CR LF and a blank line; names go to code page 1252.
  List("\xEF\xBB\xBFpnc.exe\r\nTemplates\\Caf\xC3\xA9\\Men\xC3\xBC.rtf\r\n\r\nuserdicen.tlx\n");
  std::string messages;
  ASSERT_EQ(Pack(messages), 0) << messages;
  EXPECT_EQ(messages, "");
  std::string stream = Output();
  ASSERT_GE(stream.size(), 2u);
  EXPECT_EQ(uint8_t(stream[0]), 0x78);
  EXPECT_EQ(uint8_t(stream[1]), 0xDA);
  // The odd second rounds down to an even one, the fraction of a second goes.
  EXPECT_EQ(Inflate(stream), Record("pnc.exe", Date(2024, 3, 19, 18, 46, 0), "MZ program") +
                                 Record("Templates\\Caf\xE9\\Men\xFC.rtf",
                                        Date(2019, 6, 1, 9, 30, 12), "{\\rtf1 menu}") +
                                 Record("userdicen.tlx", Date(2024, 3, 19, 18, 46, 0), ""));
  EXPECT_FALSE(fs::exists(Root / "FILES.zlib.part"));
}

TEST_F(PackFilesTest, RefusesWhatTheSetupCouldNotInstallSafely) {
  struct Case {
    std::string list;   // the offending line last
    std::string onDisk; // files to make, one a line, slash-separated
    std::string reason;
  } cases[] = {
      {std::string(130, 'a') + "\\" + std::string(130, 'b'),
       std::string(130, 'a') + "/" + std::string(130, 'b'), "longer than 255 bytes"},
      {"Images\\\xE4\xB8\xAD.bmp", "Images/\xE4\xB8\xAD.bmp", "code page 1252"},
      {"bad\xFF.txt", "bad\xFF.txt", "code page 1252"},
      {"ctl\xC2\x81.txt", "ctl\xC2\x81.txt", "code page 1252"}, // a byte 1252 leaves undefined
      {"C:\\evil.exe", "", "has a drive"},
      {"notes:stream", "", "has a drive"},
      {"\\evil.exe", "", "begins with a backslash"},
      {"Templates/Letter.rtf", "Templates/Letter.rtf", "forward slash"},
      {"Templates\\\\Letter.rtf", "Templates/Letter.rtf", "empty element"},
      {"Templates\\", "", "empty element"},
      {"Templates\\.\\Letter.rtf", "Templates/Letter.rtf", "\".\" or \"..\" element"},
      {"..\\evil.exe", "", "\".\" or \"..\" element"},
      {"Templates\\..\\..\\evil.exe", "", "\".\" or \"..\" element"},
      {"what?.txt", "what?.txt", "does not allow"},
      {"Readme.", "Readme.", "ends in a dot or a blank"},
      {"Clip\\nul.txt", "Clip/nul.txt", "device name"},
      {"Clip\\com\xC2\xB9.txt", "Clip/com\xC2\xB9.txt", "device name"}, // a superscript 1
      {"Readme.txt\nREADME.TXT", "Readme.txt\nREADME.TXT", "equals \"Readme.txt\" ignoring case"},
      {"caf\xC3\xA9.txt\nCAF\xC3\x89.TXT", "caf\xC3\xA9.txt\nCAF\xC3\x89.TXT", "ignoring case"},
      {"\xC5\xA1\xE2\x82\xAC.txt\n\xC5\xA0\xE2\x82\xAC.TXT",
       "\xC5\xA1\xE2\x82\xAC.txt\n\xC5\xA0\xE2\x82\xAC.TXT", "ignoring case"},
      {"templates\nTemplates\\Letter.rtf", "templates\nTemplates/Letter.rtf",
       "needs the file \"templates\" as a folder"},
      {"Templates\\Letter.rtf\ntemplates", "Templates/Letter.rtf\ntemplates", "also a folder"},
      {"missing.txt", "", "missing"},
      {"Templates", "Templates/Letter.rtf", "not a file"},
  };
  for (const auto& c : cases) {
    fs::remove_all(Product);
    fs::create_directories(Product);
    std::istringstream files(c.onDisk);
    for (std::string f; std::getline(files, f);) Put(f, "content");
    Put("first.txt", "one"); // a good file before the bad one: nothing is written for it
    List("first.txt\n" + c.list + "\n");
    std::string messages;
    EXPECT_NE(Pack(messages), 0) << c.list;
    std::string offending = c.list.substr(c.list.rfind('\n') + 1);
    EXPECT_NE(messages.find("\"" + offending + "\""), std::string::npos) << messages;
    EXPECT_NE(messages.find(c.reason), std::string::npos) << messages;
    EXPECT_FALSE(fs::exists(Root / "FILES.zlib")) << c.list;
    EXPECT_FALSE(fs::exists(Root / "FILES.zlib.part")) << c.list;
  }
}

TEST_F(PackFilesTest, RefusesDatesWithoutAFileDateAndSizesOver2GiB) {
  struct Case {
    int year;
    bool packs;
  } dates[] = {{1979, false}, {1980, true}, {2099, true}, {2100, false}};
  for (const auto& c : dates) {
    Put("old.txt", "x", c.year, 6, 15, 12, 0, 0);
    List("old.txt\n");
    std::string messages;
    EXPECT_EQ(Pack(messages) == 0, c.packs) << c.year << " " << messages;
    if (!c.packs) {
      EXPECT_NE(messages.find("outside 1980 to 2099"), std::string::npos);
    }
    fs::remove(Root / "FILES.zlib");
  }
  // Sparse files: nothing of them is read before the refusal.
  auto sparse = [&](const std::string& name, uintmax_t size) {
    Put(name, "");
    fs::resize_file(Product / name, size);
  };
  sparse("huge.bin", uintmax_t(1) << 31);
  List("huge.bin\n");
  std::string messages;
  EXPECT_NE(Pack(messages), 0);
  EXPECT_NE(messages.find("\"huge.bin\": the file is over 2 GiB"), std::string::npos) << messages;
  sparse("half1.bin", (uintmax_t(1) << 30) + 1);
  sparse("half2.bin", uintmax_t(1) << 30);
  List("half1.bin\nhalf2.bin\n");
  EXPECT_NE(Pack(messages), 0);
  EXPECT_NE(messages.find("\"half2.bin\": the archive grows over 2 GiB"), std::string::npos)
      << messages;
  EXPECT_FALSE(fs::exists(Root / "FILES.zlib"));
}

TEST_F(PackFilesTest, ExistingOutputStaysWhenPackingIsRefused) {
  std::ofstream(Root / "FILES.zlib") << "earlier";
  List("missing.txt\n");
  std::string messages;
  EXPECT_NE(Pack(messages), 0);
  EXPECT_EQ(Output(), "earlier");
}

TEST_F(PackFilesTest, ListingShowsEveryRecordAndTheTotals) {
  Put("pnc.exe", "MZ program");
  Put("Clip Library/Caf\xC3\xA9.rtf", "", 2015, 1, 2, 3, 4, 6);
  List("pnc.exe\nClip Library\\Caf\xC3\xA9.rtf\n");
  std::string messages;
  ASSERT_EQ(Pack(messages), 0) << messages;
  std::ostringstream out, err;
  ASSERT_EQ(ListStream((Root / "FILES.zlib").string(), out, err), 0) << err.str();
  EXPECT_EQ(out.str(),
            "0  20  10  45370.78194444445  2024-03-19 18:46:00  pnc.exe\n"
            "1  64  0  42006.127847222226  2015-01-02 03:04:06  Clip Library\\Caf\xC3\xA9.rtf\n"
            "2 records, 64 bytes\n");
}

TEST_F(PackFilesTest, ListingRefusesAStreamThatIsNoWholeArchive) {
  std::string good = Record("a.txt", 45000.5, "abc");
  std::string longer = Record("a.txt", 45000.5, "abc");
  longer[1 + 5 + 8] = 9; // the size says 9 bytes, 3 follow
  struct Case {
    const char* what;
    std::string bytes;
    bool compress;
  } cases[] = {{"not zlib", "plain text", false},
               {"cut short", "", true},
               {"record past the end", longer, true},
               {"header past the end",
                good + "\x05"
                       "ab",
                true}};
  for (const auto& c : cases) {
    std::string stream = c.bytes;
    if (c.compress) {
      std::string packed(compressBound(uLong(c.bytes.size())), '\0');
      uLongf size = uLongf(packed.size());
      compress2(reinterpret_cast<Bytef*>(&packed[0]), &size,
                reinterpret_cast<const Bytef*>(c.bytes.data()), uLong(c.bytes.size()), 9);
      stream = packed.substr(0, size);
      if (c.bytes.empty()) stream = stream.substr(0, 4);
    }
    std::ofstream(Root / "bad.zlib", std::ios::binary) << stream;
    std::ostringstream out, err;
    EXPECT_EQ(ListStream((Root / "bad.zlib").string(), out, err), 1) << c.what;
    EXPECT_NE(err.str().find("bad.zlib"), std::string::npos) << c.what;
  }
}

TEST(PackFilesListing, TheBuildsStreamHasTheShippedFigures) {
  std::ostringstream out, err;
  ASSERT_EQ(ListStream(PENNACLE_FILES_ZLIB, out, err), 0) << err.str();
  std::vector<std::string> lines;
  std::istringstream text(out.str());
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 274u);
  EXPECT_EQ(lines.back(), "273 records, 4818647 bytes");
  EXPECT_EQ(lines[0].compare(0, 6, "0  20 "), 0) << lines[0];
  EXPECT_NE(lines[0].find("  pnc.exe"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[6].compare(0, 13, "6  3839268  0"), 0) << lines[6];
  EXPECT_NE(lines[6].find("  userdicen.tlx"), std::string::npos) << lines[6];
  EXPECT_NE(lines[272].find("  Basic.snd"), std::string::npos) << lines[272];
}

TEST_F(PackFilesTest, TheProgramAnswersWithItsExitCode) {
  Put("a.txt", "a");
  List("a.txt\nmissing.txt\n");
  std::string tool = PENNACLE_PACKFILES;
  std::string run = "'" + tool + "' '" + Product.string() + "' '" + (Root / "files.lst").string() +
                    "' '" + (Root / "FILES.zlib").string() + "' 2>/dev/null";
  EXPECT_NE(std::system(run.c_str()), 0);
  EXPECT_FALSE(fs::exists(Root / "FILES.zlib"));
  List("a.txt\n");
  EXPECT_EQ(std::system(run.c_str()), 0);
  EXPECT_EQ(
      std::system(
          ("'" + tool + "' --list '" + (Root / "FILES.zlib").string() + "' >/dev/null").c_str()),
      0);
  EXPECT_NE(std::system(("'" + tool + "' 2>/dev/null").c_str()), 0);
}

} // namespace
