// The saved choices and the uninstall entry.
#include "WizardFixture.h"

namespace {

using namespace Wizard;

class SettingsTest : public WizardTest {
protected:
  std::vector<int> States() const {
    std::vector<int> states;
    for (int i = 0; i < 5; ++i) states.push_back(Form->SelCompLstBx->State(i));
    return states;
  }
  uint32_t Dword(const char* key, const char* name) const {
    auto v = Sim.RegValue(key, name);
    EXPECT_TRUE(v) << name;
    EXPECT_EQ(v ? v->Type : 0, REG_DWORD) << name;
    return v ? v->Dword() : 0xDEADBEEF;
  }
  std::string String(const char* key, const char* name) const {
    auto v = Sim.RegValue(key, name);
    EXPECT_TRUE(v) << name;
    EXPECT_EQ(v ? v->Type : 0, REG_SZ) << name;
    EXPECT_TRUE(v && !v->Data.empty() && v->Data.back() == '\0') << name << " keeps its zero";
    return v ? v->Data.substr(0, v->Data.size() - 1) : std::string();
  }
};

TEST_F(SettingsTest, WithoutSavedChoicesEverythingStartsChecked) {
  Create();
  EXPECT_TRUE(Sim.KeyExists(InstallKey));
  EXPECT_TRUE(Sim.RegValues(InstallKey).empty());
  EXPECT_EQ(States(), (std::vector<int>{2, 1, 1, 1, 1}));
  EXPECT_TRUE(Form->InstallToAllChkBx->Checked());
  EXPECT_TRUE(Form->DesktopChkBx->Checked());
  EXPECT_TRUE(Form->FinishChkBx->Checked());
  EXPECT_EQ(Form->SavedComponents(), 0x7FFFFFFFu);
}

TEST_F(SettingsTest, SavedComponentsCheckTheirRowsAndKeepTheirOtherBits) {
  struct Case {
    uint32_t stored;
    std::vector<int> states;
    uint32_t saved;
  } cases[] = {{5, {2, 0, 1, 0, 0}, 4},
               {0, {2, 0, 0, 0, 0}, 0},
               {0xFFFFFFE0, {2, 0, 0, 0, 0}, 0xFFFFFFE0},
               {0x7FFFFFFF, {2, 1, 1, 1, 1}, 0x7FFFFFFE}};
  for (const Case& c : cases) {
    Sim.SetRegDword(InstallKey, "COMPS (4.3.5)", c.stored);
    Create();
    EXPECT_EQ(States(), c.states) << c.stored;
    Form->SaveSettings();
    EXPECT_EQ(Dword(InstallKey, "COMPS (4.3.5)"), c.saved) << c.stored;
    Form.reset();
    Files.reset();
  }
}

TEST_F(SettingsTest, UncheckedRowsClearTheirBits) {
  Create();
  Form->SelCompLstBx->SetState(2, cbUnchecked);
  Form->SelCompLstBx->SetState(4, cbUnchecked);
  Form->SaveSettings();
  EXPECT_EQ(Dword(InstallKey, "COMPS (4.3.5)"), 0x7FFFFFEAu);
}

TEST_F(SettingsTest, CheckBoxesReadAnyNonZeroAsCheckedAndWriteOneOrZero) {
  Sim.SetRegDword(InstallKey, "INSTALLTOALL", 2);
  Sim.SetRegDword(InstallKey, "DSKSHORTCUT", 0);
  Create();
  EXPECT_TRUE(Form->InstallToAllChkBx->Checked());
  EXPECT_FALSE(Form->DesktopChkBx->Checked());
  EXPECT_TRUE(Form->FinishChkBx->Checked());
  Form->SaveSettings();
  EXPECT_EQ(Dword(InstallKey, "INSTALLTOALL"), 1u);
  EXPECT_EQ(Dword(InstallKey, "DSKSHORTCUT"), 0u);
  EXPECT_EQ(Dword(InstallKey, "LAUNCH"), 1u);
  EXPECT_EQ(String(InstallKey, "MAINDIR"), DefaultDest);
}

TEST_F(SettingsTest, ValuesOfAnotherTypeCountAsAbsent) {
  Sim.MakeDirs("C:\\Apps");
  Sim.SetRegValue(InstallKey, "COMPS (4.3.5)", REG_SZ, std::string("5\0", 2));
  Sim.SetRegValue(InstallKey, "INSTALLTOALL", REG_BINARY, std::string(1, '\0'));
  Sim.SetRegDword(InstallKey, "MAINDIR", 0x3A43); // "C:" as bytes
  Create();
  EXPECT_EQ(Form->SavedComponents(), 0x7FFFFFFFu);
  EXPECT_TRUE(Form->InstallToAllChkBx->Checked());
  EXPECT_EQ(Form->DestDir(), DefaultDest);
}

TEST_F(SettingsTest, TheUninstallEntryNamesTheProgramAndItsSize) {
  struct Case {
    int size; // -1: no program file
    uint32_t kilobytes;
  } cases[] = {{-1, 0}, {1536, 1}, {1023, 0}, {4096, 4}};
  Sim.MakeDirs(DefaultDest);
  for (const Case& c : cases) {
    if (c.size >= 0)
      Sim.PutFile("C:\\Program Files\\Pennacle\\pnc.exe", std::string(size_t(c.size), 'x'));
    Create();
    Form->SaveSettings();
    EXPECT_EQ(Dword(UninstallKey, "EstimatedSize"), c.kilobytes) << c.size;
    Form.reset();
    Files.reset();
  }
  EXPECT_EQ(String(UninstallKey, "DisplayIcon"), "C:\\Program Files\\Pennacle\\pnc.exe");
  EXPECT_EQ(String(UninstallKey, "DisplayName"), "Pennacle Word Processor");
  EXPECT_EQ(String(UninstallKey, "DisplayVersion"), "4.3.7.3");
  EXPECT_EQ(String(UninstallKey, "Publisher"), "The Pennacle Word Processor Team");
  EXPECT_EQ(String(UninstallKey, "UninstallString"),
            "\"C:\\Program Files\\Pennacle\\pnc.exe\" -ui");
  EXPECT_EQ(Sim.RegValues(UninstallKey).size(), 6u);
  EXPECT_EQ(Sim.OpenHandleCount(), 0u);
}

TEST_F(SettingsTest, APortableTargetGetsNoUninstallEntry) {
  Sim.AddDrive('E', DRIVE_REMOVABLE);
  Sim.MakeDirs("E:\\Pennacle");
  Sim.SetRegString(InstallKey, "MAINDIR", "E:\\Pennacle");
  Create();
  Form->SaveSettings();
  EXPECT_EQ(String(InstallKey, "MAINDIR"), "E:\\Pennacle");
  EXPECT_FALSE(Sim.KeyExists(UninstallKey));
}

TEST_F(SettingsTest, WithoutTheRightToWriteTheMachineKeyTheChoicesAreStillSaved) {
  Sim.DenyRegistryAccess("HKLM");
  Create();
  Form->SaveSettings();
  EXPECT_FALSE(Sim.KeyExists(UninstallKey));
  EXPECT_EQ(Dword(InstallKey, "LAUNCH"), 1u);
}

} // namespace
