#include "platform/datetime.h"

#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include "platform/text.h"

namespace platform {

namespace {

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy =
        (153 * static_cast<unsigned>(m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil {
    int y, m, d;
};

Civil civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m), static_cast<int>(d)};
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

int daysInMonth(int y, int m) {
    static constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return 29;
    return days[static_cast<size_t>(m - 1)];
}

}  // namespace

DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
    return {daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second};
}

std::optional<DateTime> ParseDate(std::string_view text) {
    const std::string t = Trim(text);
    int d = 0, m = 0, y = 0, hh = 0, mm = 0, ss = 0;
    int consumed = 0;
    if (std::sscanf(t.c_str(), "%d/%d/%d%n", &d, &m, &y, &consumed) != 3) return std::nullopt;
    const std::string yearText = Split(Split(t, "/")[2], " ")[0];
    if (yearText.size() <= 2) y += y < 30 ? 2000 : 1900;
    if (m < 1 || m > 12 || d < 1 || y < 100 || y > 9999 || d > daysInMonth(y, m)) return std::nullopt;
    const std::string rest = Trim(t.substr(static_cast<size_t>(consumed)));
    if (!rest.empty()) {
        const int n = std::sscanf(rest.c_str(), "%d:%d:%d", &hh, &mm, &ss);
        if (n < 2 || hh < 0 || hh > 23 || mm < 0 || mm > 59 || ss < 0 || ss > 59) return std::nullopt;
    }
    return MakeDateTime(y, m, d, hh, mm, ss);
}

DateTime DateValue(std::string_view text) {
    return ParseDate(text).value_or(DateTime{});
}

int Year(DateTime t) {
    return civilFromDays(floorDiv(t.seconds, 86400)).y;
}
int Month(DateTime t) {
    return civilFromDays(floorDiv(t.seconds, 86400)).m;
}
int Day(DateTime t) {
    return civilFromDays(floorDiv(t.seconds, 86400)).d;
}
int Hour(DateTime t) {
    return static_cast<int>((t.seconds - floorDiv(t.seconds, 86400) * 86400) / 3600);
}
int Minute(DateTime t) {
    return static_cast<int>((t.seconds - floorDiv(t.seconds, 3600) * 3600) / 60);
}
int Second(DateTime t) {
    return static_cast<int>(t.seconds - floorDiv(t.seconds, 60) * 60);
}

int Weekday(DateTime t) {
    // 1970-01-01 was a Thursday (5).
    const std::int64_t days = floorDiv(t.seconds, 86400);
    return static_cast<int>(((days % 7) + 7 + 4) % 7) + 1;
}

DateTime DateOnly(DateTime t) {
    return {floorDiv(t.seconds, 86400) * 86400};
}
DateTime AddDays(DateTime t, int days) {
    return {t.seconds + static_cast<std::int64_t>(days) * 86400};
}

std::string SystemTimeLocale() {
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

std::string LongDateName(DateTime t, const std::string& locale) {
    // "fr_FR.UTF-8@euro" names the ICU locale "fr_FR"; the C locale speaks plain English.
    std::string id = locale.substr(0, locale.find_first_of(".@"));
    if (id.empty() || id == "C" || id == "POSIX") id = "en_US_POSIX";
    UErrorCode status = U_ZERO_ERROR;
    icu::SimpleDateFormat format(icu::UnicodeString("EEEE dd MMM yyyy"), icu::Locale(id.c_str()), status);
    if (U_FAILURE(status)) return {};
    // Times here carry no zone: read them as UTC so that no shift moves the day.
    format.adoptTimeZone(icu::TimeZone::getGMT()->clone());
    icu::UnicodeString text;
    format.format(static_cast<UDate>(t.seconds) * 1000.0, text);
    std::string utf8;
    text.toUTF8String(utf8);
    return utf8;
}

std::string FormatDate(DateTime t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", Day(t), Month(t), Year(t));
    return buffer;
}

std::string FormatDateTime(DateTime t) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s %02d:%02d:%02d", FormatDate(t).c_str(), Hour(t), Minute(t),
                  Second(t));
    return buffer;
}

}  // namespace platform
