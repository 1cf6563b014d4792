// The setup's temporary files.
#include "SimTest.h"

#include "install/InstUtils.h"
#include "platform/os/WinConst.h"

namespace {

using InstTempTest = SimTest;

constexpr const char* Temp = "C:\\Users\\User\\AppData\\Local\\Temp\\";

std::string InTemp(const std::string& name) {
  return Temp + name;
}

TEST_F(InstTempTest, PrefixKeepsOnlyTheLettersOfTheCaption) {
  EXPECT_EQ(TempFilePrefix(), "~PennacleWordProcessorSetup");
}

TEST_F(InstTempTest, NewTempFileNameTakesTheFirstNumberNotInUse) {
  EXPECT_EQ(NewTempFileName(), InTemp("~PennacleWordProcessorSetup0.tmp"));
  Sim.PutFile(InTemp("~PennacleWordProcessorSetup0.tmp"), "");
  Sim.MakeDirs(InTemp("~PennacleWordProcessorSetup1.tmp")); // a folder takes the name too
  EXPECT_EQ(NewTempFileName(), InTemp("~PennacleWordProcessorSetup2.tmp"));
  EXPECT_FALSE(Sim.FileExists(InTemp("~PennacleWordProcessorSetup2.tmp")));
}

TEST_F(InstTempTest, DeleteTempFilesRemovesOurFilesAndTreesOnly) {
  Sim.PutFile(InTemp("~PennacleWordProcessorSetup0.tmp"), "license");
  Sim.PutFile(InTemp("~PennacleWordProcessorSetup7.tmp"), "old", FILE_ATTRIBUTE_HIDDEN);
  Sim.PutFile(InTemp("~PennacleWordProcessorSetupDir\\a\\b.txt"), "b");
  Sim.PutFile(InTemp("~PennacleWordProcessorSetupDir\\c.txt"), "c");
  Sim.PutFile(InTemp("~pennaclewordprocessorsetup3.tmp"), "other case"); // not ours
  Sim.PutFile(InTemp("other.tmp"), "other");
  Sim.PutFile(InTemp("x~PennacleWordProcessorSetup4.tmp"), "prefix not at the start");
  DeleteTempFiles();
  EXPECT_EQ(Sim.FilesBelow(Temp), (std::vector<std::string>{
                                      InTemp("other.tmp"),
                                      InTemp("x~PennacleWordProcessorSetup4.tmp"),
                                      InTemp("~pennaclewordprocessorsetup3.tmp"),
                                  }));
  EXPECT_FALSE(Sim.FolderExists(InTemp("~PennacleWordProcessorSetupDir")));
  EXPECT_EQ(Sim.OpenHandleCount(), 0u);
}

TEST_F(InstTempTest, DeleteTreeLeavesWhatItCannotRemove) {
  Sim.PutFile("C:\\Tree\\a.txt", "a");
  Sim.PutFile("C:\\Tree\\Sub\\locked.txt", "l", FILE_ATTRIBUTE_READONLY);
  Sim.PutFile("C:\\Tree\\Sub\\Deeper\\d.txt", "d");
  DeleteTree("C:\\Tree");
  EXPECT_EQ(Sim.FilesBelow("C:\\Tree"), (std::vector<std::string>{"C:\\Tree\\Sub\\locked.txt"}));
  EXPECT_FALSE(Sim.FolderExists("C:\\Tree\\Sub\\Deeper"));
  Sim.SetAttributes("C:\\Tree\\Sub\\locked.txt", FILE_ATTRIBUTE_ARCHIVE);
  DeleteTree("C:\\Tree\\");
  EXPECT_FALSE(Sim.FolderExists("C:\\Tree"));
}

TEST_F(InstTempTest, DeleteTreeDoesNotEnterALinkedFolder) {
  // A junction inside the tree stands for a folder elsewhere; only the link may go.
  Sim.PutFile("C:\\Tree\\Link\\elsewhere.txt", "not ours");
  Sim.SetAttributes("C:\\Tree\\Link", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
  DeleteTree("C:\\Tree");
  EXPECT_TRUE(Sim.FileExists("C:\\Tree\\Link\\elsewhere.txt"));
}

} // namespace
