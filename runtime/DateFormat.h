// Dates and times as text, for "dateWord" and "timeWord".
#pragma once

#include "runtime/Options.h"

#include <string>
#include <string_view>

namespace zembrio {

struct tDateTime {
    int year = 1, month = 1, day = 1; // month 1..12
    int weekday = 1;                  // 0 = Sunday .. 6 = Saturday
    int hour = 0, minute = 0, second = 0;
    int millisecond = 0;
    int fraction = 0;       // the fraction of the second in the time unit
    int fractionDigits = 3; // its width: 3 milliseconds, 2 hundredths, 1 tenths
};

// The clock now, local time, with the fraction in the given unit.
tDateTime localNow(tTimeUnit unit);

// Sets the date when it exists (years 1 to 9999) and works out its weekday; false otherwise.
bool setDate(tDateTime& when, int year, int month, int day);

// The fraction's width for a unit.
int fractionDigits(tTimeUnit unit);

// Writes the date and time in the format. Letters stand for fields, case-insensitively: d dd (day),
// ddd dddd (weekday name), m mm (month, or minutes right after an hour), mmm mmmm (month name),
// yy yyyy (year), h hh (hour; hhhh as hh), n nn (minutes), s ss (seconds), z zzz (milliseconds),
// xx (the fraction in the time unit), am/pm a/p ampm (half-day marks; they make hours 12-hour).
// Text in quotes ('…' or "…") and every other character are copied. With minutesForM, m and mm are
// always minutes (time formats).
std::string formatDateTime(std::string_view format, const tDateTime& when, bool minutesForM);

} // namespace zembrio
