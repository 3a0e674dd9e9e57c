// Text and number helpers with the runtime's semantics. Strings are UTF-8; positions and lengths count
// characters (names carry accents), are 1-based where the runtime's are, and clamp instead of failing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Characters.
int Len(std::string_view s);
std::string Left(std::string_view s, int n);
std::string Right(std::string_view s, int n);
std::string Mid(std::string_view s, int start);  // start is 1-based
std::string Mid(std::string_view s, int start, int length);
// 1-based position of what in s, searching from start; 0 when absent. An empty what is found at start.
int InStr(std::string_view s, std::string_view what, int start = 1);
std::string Replace(std::string_view s, std::string_view what, std::string_view with);
std::vector<std::string> Split(std::string_view s, std::string_view separator);
std::string Join(const std::vector<std::string>& parts, std::string_view separator);
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string UCase(std::string_view s);
// Code points of a UTF-8 text (invalid bytes read as Latin-1 characters).
std::u32string ToCodePoints(std::string_view s);
std::string FromCodePoints(std::u32string_view s);

// The leading-number conversion: blanks skipped, optional sign, digits, "." as the only decimal point,
// stops at the first other character. Never fails: "" and "abc" read 0, huge numbers saturate.
double Val(std::string_view s);
// The same, truncated to a whole number and saturated to the 32-bit range.
std::int64_t ValWhole(std::string_view s);

// Plain number-to-text: whole numbers without decimals, others with the locale's decimal separator.
std::string NumText(double value);
std::string NumText(std::int64_t value);
inline std::string NumText(int value) {
    return NumText(static_cast<std::int64_t>(value));
}

// Pattern formatting ("00.0000", "000", "00"): zero padding, more integer digits allowed, the locale's
// decimal separator, halves rounded away from zero.
std::string Format(double value, std::string_view pattern);

// The decimal separator of the user's locale (taken from the environment at first use; tests may set it).
std::string DecimalSeparator();
void SetDecimalSeparator(std::string_view separator);

// The order of sorted list boxes: case-insensitive, accents ordered with their base letter, ties broken
// by accent then by case. Negative, zero or positive like strcmp.
int CompareListText(std::string_view a, std::string_view b);

// Windows-1252 files.
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view text);  // characters outside the code page become "?"

// A query value for an address: letters, digits and "-_.~" as they are, every other byte percent-encoded,
// so that "&", "=", "#" or a blank stay part of the value instead of cutting the query.
std::string PercentEncode(std::string_view text);

// Splits a text into lines ending at CR, CR LF or LF.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace platform
