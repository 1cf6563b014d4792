#pragma once
// Date-times as the class library keeps them: days since 30 December 1899 in local time,
// the fraction being the time of day.

#include "platform/os/System.h"

#include <cstdint>

using TDateTime = double;

// False for a date or time outside the calendar.
bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       int millisecond, TDateTime& result);
TDateTime SystemTimeToDateTime(const TSystemTime& time);
// All zero (year 0) for a value outside the years 1 to 9999, or not a number.
void DateTimeToSystemTime(TDateTime value, TSystemTime& time);
TDateTime Now();

// The 2-second file-date form: date in the high word, time in the low word (as DOS keeps
// them); 0 for a date before 1980 or from 2100 on, which the setup does not apply.
int32_t DateTimeToFileDate(TDateTime value);
TDateTime FileDateToDateTime(int32_t fileDate);
