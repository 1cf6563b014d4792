// The registry object against the real advapi32.
#include "platform/os/WinConst.h"
#include "platform/rtl/Registry.h"

#include <gtest/gtest.h>

namespace {

TEST(Win32Registry, WritesReadBackWithTheirTypes) {
  TRegistry reg;
  reg.OpenKey("Software\\Pennacle Setup Test\\Install");
  ASSERT_TRUE(reg.KeyOpen());
  reg.WriteString("MAINDIR", "C:\\Apps\\Pen");
  reg.WriteInteger("COMPS (4.3.5)", 0x7FFFFFFE);
  reg.WriteBool("LAUNCH", false);
  uint32_t type = 0, size = 0;
  ASSERT_TRUE(reg.ValueInfo("MAINDIR", type, size));
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 12u);
  ASSERT_TRUE(reg.ValueInfo("COMPS (4.3.5)", type, size));
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(reg.ReadString("MAINDIR"), "C:\\Apps\\Pen");
  EXPECT_EQ(reg.ReadInteger("COMPS (4.3.5)"), 0x7FFFFFFE);
  EXPECT_FALSE(reg.ReadBool("LAUNCH"));
  EXPECT_FALSE(reg.ValueExists("missing"));
}

} // namespace
