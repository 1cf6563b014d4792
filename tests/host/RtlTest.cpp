// The class library's strings, streams, string lists and date-times.
#include "SimTest.h"

#include "platform/os/WinConst.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Strings.h"

#include <cstring>
#include <limits>

namespace {

using RtlTest = SimTest;

TEST(Format, FillsPlaceholdersInOrder) {
  EXPECT_EQ(Format("This program will install %s (version 4.3.7.3%s).", {"Pen", ""}),
            "This program will install Pen (version 4.3.7.3).");
  EXPECT_EQ(Format("%d%% of %s", {42, "disk"}), "42% of disk");
  EXPECT_EQ(Format("%s and %s", {"one"}), "one and ");
}

TEST_F(RtlTest, ParamStrHonoursQuotes) {
  Sim.SetCommandLine("\"C:\\My Files\\setup.exe\"  -s \"-DC:\\Program Files\\Pen\" /s1 a\"b c\"d");
  ASSERT_EQ(ParamCount(), 4);
  EXPECT_EQ(ParamStr(0), "C:\\My Files\\setup.exe");
  EXPECT_EQ(ParamStr(1), "-s");
  EXPECT_EQ(ParamStr(2), "-DC:\\Program Files\\Pen");
  EXPECT_EQ(ParamStr(3), "/s1");
  EXPECT_EQ(ParamStr(4), "ab cd");
  EXPECT_EQ(ParamStr(5), "");
}

TEST_F(RtlTest, WideFrom1252WhateverTheSystemCodePage) {
  Sim.SetAnsiCodePage(1251);
  EXPECT_EQ(WideFrom1252("\x80\xE9"), u"\u20AC\u00E9");
  EXPECT_EQ(WideFromAnsi("\xE9"), u"\u0439");
}

TEST(Streams, ReadBufferRaisesEAbortOnAShortRead) {
  TMemoryStream m;
  m.WriteBuffer("abc", 3);
  m.SetPosition(1);
  char buf[4];
  try {
    m.ReadBuffer(buf, 3);
    FAIL() << "no exception";
  } catch (const EAbort& e) {
    EXPECT_STREQ(e.what(), "Operation aborted");
  }
}

TEST(Streams, CopyFromWithZeroCopiesTheWholeSourceFromItsStart) {
  TMemoryStream source, target;
  source.WriteBuffer("hello", 5);
  EXPECT_EQ(source.Position(), 5);
  EXPECT_EQ(target.CopyFrom(source, 0), 5);
  EXPECT_EQ(target.Size(), 5);
  EXPECT_EQ(std::memcmp(target.Memory(), "hello", 5), 0);
  source.SetPosition(1);
  EXPECT_EQ(target.CopyFrom(source, 2), 2);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(target.Memory()), 7), "helloel");
  EXPECT_EQ(target.CopyFrom(source, -4), 0);
  EXPECT_THROW(target.CopyFrom(source, 10), EAbort);
}

TEST(Streams, MemoryStreamSeeksAndSizes) {
  TMemoryStream m;
  m.SetSize(13);
  EXPECT_EQ(m.Size(), 13);
  EXPECT_EQ(m.Position(), 0);
  EXPECT_EQ(m.Seek(4, soFromEnd), 17);
  EXPECT_EQ(m.Seek(-20, soFromCurrent), 0);
  m.SetSize(2);
  EXPECT_EQ(m.Size(), 2);
}

TEST_F(RtlTest, ResourceStreamReadsInPlaceAndMissingOnesRaise) {
  Sim.AddResource("PNG", "LOGO", "\x89PNG");
  TResourceStream r("LOGO", "PNG");
  EXPECT_EQ(r.Size(), 4);
  char buf[4];
  r.ReadBuffer(buf, 4);
  EXPECT_EQ(std::string(buf, 4), "\x89PNG");
  EXPECT_THROW(TResourceStream("NONE", "PNG"), EResNotFound);
}

TEST_F(RtlTest, StringListTextRoundTripsWithCrLf) {
  TStringList list;
  list.SetText("one\r\ntwo\rthree\n\nfive");
  ASSERT_EQ(list.Count(), 5);
  EXPECT_EQ(list[3], "");
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\n\r\nfive\r\n");
  list.SaveToFile("C:\\list.txt");
  EXPECT_EQ(*Sim.FileContent("C:\\list.txt"), "one\r\ntwo\r\nthree\r\n\r\nfive\r\n");
  TStringList back;
  back.LoadFromFile("C:\\list.txt");
  EXPECT_EQ(back.Text(), list.Text());
  EXPECT_THROW(back.LoadFromFile("C:\\missing.txt"), EFOpenError);
}

TEST_F(RtlTest, StringListSortsAndFindsIgnoringCase) {
  TStringList list;
  for (const char* s : {"gamma", "Alpha", "beta", "ALPHA"}) list.Add(s);
  EXPECT_EQ(list.IndexOf("BETA"), 2);
  list.Sort();
  list.SetSorted(true);
  EXPECT_EQ(list[0], "Alpha"); // stable among equals
  EXPECT_EQ(list[1], "ALPHA");
  EXPECT_EQ(list[3], "gamma");
  int index = -1;
  EXPECT_TRUE(list.Find("Beta", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find("delta", index));
  EXPECT_EQ(index, 3);
  EXPECT_EQ(list.Add("delta"), 3);
}

TEST(DateTime, EncodesDaysSince1899AndTheFileDateForm) {
  TDateTime t;
  ASSERT_TRUE(TryEncodeDateTime(1899, 12, 30, 0, 0, 0, 0, t));
  EXPECT_EQ(t, 0.0);
  ASSERT_TRUE(TryEncodeDateTime(2024, 3, 19, 18, 46, 0, 0, t));
  EXPECT_NEAR(t, 45370.78194444445, 1e-9);
  EXPECT_FALSE(TryEncodeDateTime(2023, 2, 29, 0, 0, 0, 0, t));

  ASSERT_TRUE(TryEncodeDateTime(2026, 12, 11, 23, 59, 58, 0, t));
  EXPECT_EQ(FileDateToDateTime(DateTimeToFileDate(t)), t);
  TSystemTime s;
  DateTimeToSystemTime(t, s);
  EXPECT_EQ(s.Year, 2026);
  EXPECT_EQ(s.Day, 11);
  EXPECT_EQ(s.Second, 58);
  EXPECT_EQ(s.DayOfWeek, 5); // a Friday
  ASSERT_TRUE(TryEncodeDateTime(1979, 12, 31, 0, 0, 0, 0, t));
  EXPECT_EQ(DateTimeToFileDate(t), 0);
  ASSERT_TRUE(TryEncodeDateTime(2099, 12, 31, 23, 59, 58, 0, t));
  EXPECT_EQ(FileDateToDateTime(DateTimeToFileDate(t)), t);
  ASSERT_TRUE(TryEncodeDateTime(2100, 1, 1, 0, 0, 0, 0, t));
  EXPECT_EQ(DateTimeToFileDate(t), 0); // the time the file was written stays
}

TEST(DateTime, ValuesOutsideTheCalendarHaveNoDate) {
  // Archive records carry any eight bytes as their date.
  const double outside[] = {
      std::numeric_limits<double>::quiet_NaN(),
      std::numeric_limits<double>::infinity(),
      -std::numeric_limits<double>::infinity(),
      1e300,
      -1e300,
      2958466.0,
      -693594.0,
      36678.5 + 164 * 146097.0, // 1 June 2000 and 65,600 years: the year once wrapped to 2044
  };
  for (double value : outside) {
    TSystemTime s;
    s.Year = 1234;
    DateTimeToSystemTime(value, s);
    EXPECT_EQ(s.Year, 0) << value;
    EXPECT_EQ(s.Day, 0) << value;
    EXPECT_EQ(DateTimeToFileDate(value), 0) << value;
  }
  TSystemTime s;
  DateTimeToSystemTime(2958465.5, s);
  EXPECT_EQ(s.Year, 9999);
  EXPECT_EQ(s.Month, 12);
  EXPECT_EQ(s.Day, 31);
  DateTimeToSystemTime(-693593.0, s);
  EXPECT_EQ(s.Year, 1);
  EXPECT_EQ(s.Day, 1);
}

} // namespace
