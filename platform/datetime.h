// Local date and time as the program sees it: day-first texts, fixed dates at midnight, French names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Seconds since 1 January 1970 00:00:00, local time, no time zone.
struct DateTime {
    std::int64_t seconds = 0;
    auto operator<=>(const DateTime&) const = default;
};

DateTime MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
// "27/06/2024", "05/07/24" (two-digit years 00-29 are 20yy, others 19yy), optionally followed by a time
// "23:59:59" or "23:59". Day first whatever the locale. Nothing for an invalid date.
std::optional<DateTime> ParseDate(std::string_view text);
// ParseDate, or the zero date for an invalid text (the program's fixed dates are always valid).
DateTime DateValue(std::string_view text);

int Year(DateTime t);
int Month(DateTime t);
int Day(DateTime t);
int Hour(DateTime t);
int Minute(DateTime t);
int Second(DateTime t);
// 1 Sunday .. 7 Saturday.
int Weekday(DateTime t);
DateTime DateOnly(DateTime t);
DateTime AddDays(DateTime t, int days);

// The locale the system names dates in: LC_ALL, else LC_TIME, else LANG, else "C".
std::string SystemTimeLocale();
// The full weekday, the day in two digits, the abbreviated month and the year in a locale's language
// ("vendredi 14 juin 2024" for "fr_FR.UTF-8", "Friday 14 Jun 2024" for "C").
std::string LongDateName(DateTime t, const std::string& locale);
// "dd/mm/yyyy" and "dd/mm/yyyy hh:mm:ss".
std::string FormatDate(DateTime t);
std::string FormatDateTime(DateTime t);

}  // namespace platform
