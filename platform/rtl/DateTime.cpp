#include "platform/rtl/DateTime.h"

#include "platform/os/Calendar.h"

#include <cmath>

namespace {
constexpr int64_t kMsPerDay = 86400000;

// Days from 30 December 1899, the origin of date-times; 1970-01-01 is day 25569.
constexpr int64_t kDays1899To1970 = 25569;
int64_t DaysFromEpoch(int y, int m, int d) {
  return Calendar::DaysFromCivil(y, m, d) + kDays1899To1970;
}
void CivilFromDays(int64_t days, int& y, int& m, int& d) {
  Calendar::CivilFromDays(days - kDays1899To1970, y, m, d);
}
using Calendar::DaysInMonth;
// 1 January 1 and 1 January 10000, the ends of the calendar.
constexpr double kFirstDay = -693593, kPastLastDay = 2958466;
} // namespace

bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       int millisecond, TDateTime& result) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59 || millisecond < 0 || millisecond > 999)
    return false;
  double date = double(DaysFromEpoch(year, month, day));
  double time = double(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / kMsPerDay;
  // Before the epoch the fraction counts forward from the (negative) day, as the class
  // library stores it.
  result = date < 0 ? date - time : date + time;
  return true;
}

TDateTime SystemTimeToDateTime(const TSystemTime& t) {
  TDateTime r = 0;
  TryEncodeDateTime(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second, t.Milliseconds, r);
  return r;
}

void DateTimeToSystemTime(TDateTime value, TSystemTime& t) {
  // Stored date-times come from files: outside the calendar (or not a number) there is no
  // date to give, and converting such a value to whole days would be undefined.
  if (!(value > kFirstDay - 1 && value < kPastLastDay)) {
    t = TSystemTime{};
    return;
  }
  double whole = std::trunc(value);
  int64_t ms = std::llround(std::fabs(value - whole) * kMsPerDay);
  int64_t days = int64_t(whole);
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    days += value < 0 ? -1 : 1;
  }
  int y, m, d;
  CivilFromDays(days, y, m, d);
  t.Year = uint16_t(y);
  t.Month = uint16_t(m);
  t.Day = uint16_t(d);
  t.DayOfWeek = uint16_t(((days % 7) + 7 + 6) % 7); // 30 December 1899 was a Saturday
  t.Hour = uint16_t(ms / 3600000);
  t.Minute = uint16_t(ms / 60000 % 60);
  t.Second = uint16_t(ms / 1000 % 60);
  t.Milliseconds = uint16_t(ms % 1000);
}

TDateTime Now() {
  TSystemTime t;
  Sys().GetLocalTime(t);
  return SystemTimeToDateTime(t);
}

int32_t DateTimeToFileDate(TDateTime value) {
  TSystemTime t;
  DateTimeToSystemTime(value, t);
  if (t.Year < 1980 || t.Year >= 2100) return 0;
  uint32_t date = uint32_t((t.Year - 1980) << 9 | t.Month << 5 | t.Day);
  uint32_t time = uint32_t(t.Hour << 11 | t.Minute << 5 | t.Second >> 1);
  return int32_t(date << 16 | time);
}

TDateTime FileDateToDateTime(int32_t fileDate) {
  uint32_t v = uint32_t(fileDate);
  uint32_t date = v >> 16, time = v & 0xFFFF;
  TDateTime r = 0;
  TryEncodeDateTime(int(1980 + (date >> 9)), int((date >> 5) & 15), int(date & 31), int(time >> 11),
                    int((time >> 5) & 63), int((time & 31) * 2), 0, r);
  return r;
}
