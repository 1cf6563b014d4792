// The registry object: open creates, typed writes, reads of whatever is stored.
#include "SimTest.h"

#include "platform/os/WinConst.h"
#include "platform/rtl/Registry.h"

namespace {

using RegistryTest = SimTest;

TEST_F(RegistryTest, OpenCreatesTheKeyAndWritesAreTyped) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  reg.OpenKey("Software\\Pen\\Install");
  ASSERT_TRUE(reg.KeyOpen());
  EXPECT_TRUE(Sim.KeyExists("HKCU\\Software\\Pen\\Install"));
  reg.WriteString("MAINDIR", "C:\\Apps");
  reg.WriteInteger("COMPS", -2);
  reg.WriteBool("LAUNCH", true);
  auto s = Sim.RegValue("HKCU\\Software\\Pen\\Install", "MAINDIR");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Type, REG_SZ);
  EXPECT_EQ(s->Data, std::string("C:\\Apps\0", 8));
  auto d = Sim.RegValue("HKCU\\Software\\Pen\\Install", "COMPS");
  EXPECT_EQ(d->Type, REG_DWORD);
  EXPECT_EQ(d->Dword(), 0xFFFFFFFEu);
  EXPECT_EQ(Sim.RegValue("HKCU\\Software\\Pen\\Install", "LAUNCH")->Dword(), 1u);
  EXPECT_EQ(reg.ReadString("MAINDIR"), "C:\\Apps");
  EXPECT_EQ(reg.ReadInteger("COMPS"), -2);
  EXPECT_TRUE(reg.ReadBool("LAUNCH"));
}

TEST_F(RegistryTest, ReadsTakeWhatIsStored) {
  const char* key = "HKCU\\Software\\Pen";
  Sim.SetRegValue(key, "Cut", REG_SZ, std::string("ab\0cd", 5));
  Sim.SetRegValue(key, "Empty", REG_SZ, "");
  Sim.SetRegValue(key, "Long", REG_BINARY, "12345678");
  Sim.SetRegDword(key, "Two", 2);
  TRegistry reg;
  reg.OpenKey("Software\\Pen");
  EXPECT_EQ(reg.ReadString("Cut"), "ab");
  EXPECT_EQ(reg.ReadString("Empty"), "");
  EXPECT_TRUE(reg.ValueExists("Empty"));
  EXPECT_EQ(reg.ReadString("Missing"), "");
  EXPECT_FALSE(reg.ValueExists("Missing"));
  EXPECT_TRUE(reg.ReadBool("Two"));
  EXPECT_EQ(reg.ReadInteger("Long"), 0) << "more than four bytes cannot be read into four";
  uint32_t type, size;
  ASSERT_TRUE(reg.ValueInfo("Long", type, size));
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(size, 8u);
}

TEST_F(RegistryTest, ANewRootClosesTheKeyAndAFailedOpenLeavesNoneOpen) {
  TRegistry reg;
  reg.OpenKey("Software\\Pen");
  reg.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_TRUE(reg.KeyOpen()) << "the same root keeps the key";
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.KeyOpen());
  Sim.DenyRegistryAccess("HKLM");
  reg.OpenKey("Software\\Pen");
  EXPECT_FALSE(reg.KeyOpen());
  reg.WriteString("X", "y"); // no key: nothing happens
  EXPECT_FALSE(Sim.KeyExists("HKLM\\Software\\Pen"));
}

} // namespace
