#include "platform/text.h"

#include <algorithm>
#include <array>
#include <clocale>
#include <cmath>
#include <limits>
#include <optional>

namespace platform {

namespace {

// Decodes one UTF-8 character at s[i]; advances i. Invalid bytes decode as themselves (Latin-1).
char32_t decode(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    auto cont = [&](size_t k) { return k < s.size() && (static_cast<unsigned char>(s[k]) & 0xC0) == 0x80; };
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    // Overlong forms are not characters: their bytes read as Latin-1, so "C0 8D" never becomes a CR.
    if ((b0 & 0xE0) == 0xC0 && b0 >= 0xC2 && cont(i + 1)) {
        char32_t c = ((b0 & 0x1F) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3F);
        i += 2;
        return c;
    }
    if ((b0 & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2)) {
        char32_t c = ((b0 & 0x0F) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3F) << 6) |
                     (static_cast<unsigned char>(s[i + 2]) & 0x3F);
        if (c >= 0x800) {
            i += 3;
            return c;
        }
    }
    if ((b0 & 0xF8) == 0xF0 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
        char32_t c = ((b0 & 0x07) << 18) | ((static_cast<unsigned char>(s[i + 1]) & 0x3F) << 12) |
                     ((static_cast<unsigned char>(s[i + 2]) & 0x3F) << 6) |
                     (static_cast<unsigned char>(s[i + 3]) & 0x3F);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            i += 4;
            return c;
        }
    }
    ++i;
    return b0;
}

void encode(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Byte offset of character n (0-based), or s.size() past the end.
size_t byteOffset(std::string_view s, int n) {
    size_t i = 0;
    while (n > 0 && i < s.size()) {
        decode(s, i);
        --n;
    }
    return i;
}

// The 32 characters of Windows-1252 at 0x80..0x9F (0 where the code page has none).
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<std::string>& decimalOverride() {
    static std::optional<std::string> value;
    return value;
}

// Base letter and accent rank of a Latin character, for the list order.
struct Folded {
    char32_t base;
    int accent;
};

Folded fold(char32_t c) {
    struct Entry {
        char32_t from;
        char32_t base;
        int accent;
    };
    static constexpr Entry table[] = {
        {U'à', U'a', 2}, {U'á', U'a', 1}, {U'â', U'a', 3}, {U'ã', U'a', 5}, {U'ä', U'a', 4}, {U'å', U'a', 6},
        {U'æ', U'a', 7}, {U'ç', U'c', 1}, {U'è', U'e', 2}, {U'é', U'e', 1}, {U'ê', U'e', 3}, {U'ë', U'e', 4},
        {U'ì', U'i', 2}, {U'í', U'i', 1}, {U'î', U'i', 3}, {U'ï', U'i', 4}, {U'ñ', U'n', 1}, {U'ò', U'o', 2},
        {U'ó', U'o', 1}, {U'ô', U'o', 3}, {U'õ', U'o', 5}, {U'ö', U'o', 4}, {U'ø', U'o', 6}, {U'œ', U'o', 7},
        {U'ù', U'u', 2}, {U'ú', U'u', 1}, {U'û', U'u', 3}, {U'ü', U'u', 4}, {U'ý', U'y', 1}, {U'ÿ', U'y', 4},
        {U'š', U's', 1}, {U'ž', U'z', 1}, {U'ß', U's', 9}, {U'ć', U'c', 2}, {U'č', U'c', 3}, {U'ğ', U'g', 1},
        {U'ı', U'i', 5}, {U'ş', U's', 2}, {U'ř', U'r', 1}, {U'ł', U'l', 1}, {U'ń', U'n', 2}, {U'ś', U's', 3},
        {U'ź', U'z', 2}, {U'ż', U'z', 3}, {U'ő', U'o', 8}, {U'ű', U'u', 5}, {U'ă', U'a', 8}, {U'ț', U't', 1},
        {U'ș', U's', 4}, {U'ě', U'e', 5}, {U'ů', U'u', 6}, {U'đ', U'd', 1},
    };
    if (c < U'ß') return {c, 0};  // below the table's first letter
    for (const auto& e : table) {
        if (e.from == c) return {e.base, e.accent};
    }
    return {c, 0};
}

char32_t lower(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    if (c >= 0x100 && c <= 0x17F && (c % 2 == 0) && c != 0x130 && c != 0x138) return c + 1;
    if (c == 0x178) return 0xFF;
    if (c >= 0x218 && c <= 0x21B && (c % 2 == 0)) return c + 1;
    return c;
}

char32_t upper(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x101 && c <= 0x17F && (c % 2 == 1) && c != 0x131 && c != 0x149) return c - 1;
    if (c >= 0x219 && c <= 0x21B && (c % 2 == 1)) return c - 1;
    return c;
}

}  // namespace

std::u32string ToCodePoints(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) out += decode(s, i);
    return out;
}

std::string FromCodePoints(std::u32string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t c : s) encode(c, out);
    return out;
}

int Len(std::string_view s) {
    int n = 0;
    for (size_t i = 0; i < s.size(); ++n) decode(s, i);
    return n;
}

std::string Left(std::string_view s, int n) {
    if (n <= 0) return {};
    return std::string(s.substr(0, byteOffset(s, n)));
}

std::string Right(std::string_view s, int n) {
    if (n <= 0) return {};
    const int len = Len(s);
    if (n >= len) return std::string(s);
    return std::string(s.substr(byteOffset(s, len - n)));
}

std::string Mid(std::string_view s, int start) {
    if (start < 1) start = 1;
    return std::string(s.substr(byteOffset(s, start - 1)));
}

std::string Mid(std::string_view s, int start, int length) {
    if (start < 1) start = 1;
    if (length <= 0) return {};
    const size_t from = byteOffset(s, start - 1);
    const std::string_view rest = s.substr(from);
    return std::string(rest.substr(0, byteOffset(rest, length)));
}

int InStr(std::string_view s, std::string_view what, int start) {
    if (start < 1) start = 1;
    const size_t from = byteOffset(s, start - 1);
    if (from > s.size() || (from == s.size() && !what.empty())) return 0;
    const size_t pos = s.find(what, from);
    if (pos == std::string_view::npos) return 0;
    return Len(s.substr(0, pos)) + 1;
}

std::string Replace(std::string_view s, std::string_view what, std::string_view with) {
    if (what.empty()) return std::string(s);
    std::string out;
    size_t i = 0;
    while (true) {
        const size_t pos = s.find(what, i);
        if (pos == std::string_view::npos) break;
        out.append(s.substr(i, pos - i));
        out.append(with);
        i = pos + what.size();
    }
    out.append(s.substr(i));
    return out;
}

std::vector<std::string> Split(std::string_view s, std::string_view separator) {
    std::vector<std::string> parts;
    if (separator.empty()) {
        parts.emplace_back(s);
        return parts;
    }
    size_t i = 0;
    while (true) {
        const size_t pos = s.find(separator, i);
        if (pos == std::string_view::npos) break;
        parts.emplace_back(s.substr(i, pos - i));
        i = pos + separator.size();
    }
    parts.emplace_back(s.substr(i));
    return parts;
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out.append(separator);
        out.append(parts[i]);
    }
    return out;
}

std::string LTrim(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return std::string(s.substr(i));
}

std::string RTrim(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) {
    return LTrim(RTrim(s));
}

std::string UCase(std::string_view s) {
    std::u32string cps = ToCodePoints(s);
    for (auto& c : cps) c = upper(c);
    return FromCodePoints(cps);
}

double Val(std::string_view s) {
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r')) ++i;
    };
    skipBlanks();
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    // Blanks inside the number are skipped, as the runtime does ("1 2" reads 12).
    long double value = 0;
    long double scale = 1;
    bool fraction = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ' ' || c == '\t') continue;
        if (c == '.' && !fraction) {
            fraction = true;
            continue;
        }
        if (c < '0' || c > '9') break;
        if (fraction) {
            scale /= 10;
            value += (c - '0') * scale;
        } else {
            value = value * 10 + (c - '0');
        }
    }
    constexpr long double kMax = std::numeric_limits<double>::max();
    if (value > kMax) value = kMax;
    const double result = static_cast<double>(value);
    return negative ? -result : result;
}

std::int64_t ValWhole(std::string_view s) {
    const double v = Val(s);
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int64_t>(std::trunc(std::clamp(v, kMin, kMax)));
}

std::string DecimalSeparator() {
    if (decimalOverride()) return *decimalOverride();
    // LC_NUMERIC of the environment, read once; the program itself runs in the C locale.
    static const std::string fromEnvironment = [] {
        std::string result = ".";
        const char* previous = std::setlocale(LC_NUMERIC, nullptr);
        std::string saved = previous ? previous : "C";
        if (std::setlocale(LC_NUMERIC, "") != nullptr) {
            const lconv* conv = std::localeconv();
            if (conv && conv->decimal_point && *conv->decimal_point) result = conv->decimal_point;
        }
        std::setlocale(LC_NUMERIC, saved.c_str());
        return result;
    }();
    return fromEnvironment;
}

void SetDecimalSeparator(std::string_view separator) {
    decimalOverride() = std::string(separator);
}

std::string NumText(std::int64_t value) {
    return std::to_string(value);
}

std::string NumText(double value) {
    if (std::isnan(value)) return "0";
    if (std::trunc(value) == value && std::fabs(value) < 1e15) {
        return std::to_string(static_cast<std::int64_t>(value));
    }
    // Up to 15 significant digits, trailing zeros removed.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string out = buffer;
    if (out.find('e') == std::string::npos && out.find('.') != std::string::npos) {
        while (!out.empty() && out.back() == '0') out.pop_back();
        if (!out.empty() && out.back() == '.') out.pop_back();
    }
    return Replace(out, ".", DecimalSeparator());
}

std::string Format(double value, std::string_view pattern) {
    const size_t point = pattern.find('.');
    const int intDigits = static_cast<int>(point == std::string_view::npos ? pattern.size() : point);
    const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
    const bool negative = value < 0;
    long double magnitude = std::fabs(static_cast<long double>(value));
    // Powers of ten are exact in a long double up to 10^27; multiplying spares the costly powl.
    long double scale = 1;
    if (decimals <= 27) {
        for (int k = 0; k < decimals; ++k) scale *= 10;
    } else {
        scale = std::pow(10.0L, decimals);
    }
    // Halves away from zero; a tiny nudge absorbs binary representation error (0.00005 stored low).
    long double scaled = std::floor(magnitude * scale + 0.5L + 1e-9L);
    std::string digits;
    if (scaled >= 1e30L) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.0Lf", scaled);
        digits = buffer;
    } else {
        auto whole = static_cast<unsigned long long>(scaled);
        digits = std::to_string(whole);
    }
    if (static_cast<int>(digits.size()) < intDigits + decimals) {
        digits.insert(0, static_cast<size_t>(intDigits + decimals) - digits.size(), '0');
    }
    std::string out;
    if (negative && scaled != 0) out += '-';
    out += digits.substr(0, digits.size() - static_cast<size_t>(decimals));
    if (decimals > 0) {
        out += DecimalSeparator();
        out += digits.substr(digits.size() - static_cast<size_t>(decimals));
    }
    return out;
}

namespace {

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The same order for texts of plain ASCII, where letters have no accent: without decoding.
int CompareAsciiListText(std::string_view a, std::string_view b) {
    const auto low = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto la = static_cast<unsigned char>(low(a[i]));
        const auto lb = static_cast<unsigned char>(low(b[i]));
        if (la != lb) return la < lb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (size_t i = 0; i < n; ++i) {
        const bool ua = a[i] >= 'A' && a[i] <= 'Z';
        const bool ub = b[i] >= 'A' && b[i] <= 'Z';
        if (ua != ub) return ua ? 1 : -1;
    }
    return 0;
}

}  // namespace

int CompareListText(std::string_view a, std::string_view b) {
    if (IsAscii(a) && IsAscii(b)) return CompareAsciiListText(a, b);
    const std::u32string ca = ToCodePoints(a);
    const std::u32string cb = ToCodePoints(b);
    // First by base letters without regard to case or accent.
    const size_t n = std::min(ca.size(), cb.size());
    for (size_t i = 0; i < n; ++i) {
        const char32_t la = fold(lower(ca[i])).base;
        const char32_t lb = fold(lower(cb[i])).base;
        if (la != lb) return la < lb ? -1 : 1;
    }
    if (ca.size() != cb.size()) return ca.size() < cb.size() ? -1 : 1;
    // Then by accent, then lower case before upper case.
    for (size_t i = 0; i < n; ++i) {
        const int aa = fold(lower(ca[i])).accent;
        const int ab = fold(lower(cb[i])).accent;
        if (aa != ab) return aa < ab ? -1 : 1;
    }
    for (size_t i = 0; i < n; ++i) {
        const bool ua = lower(ca[i]) != ca[i];
        const bool ub = lower(cb[i]) != cb[i];
        if (ua != ub) return ua ? 1 : -1;
    }
    return 0;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        char32_t c = b;
        if (b >= 0x80 && b <= 0x9F) c = kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : b;
        encode(c, out);
    }
    return out;
}

std::string PercentEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const char32_t c = decode(text, i);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (size_t k = 0; k < kCp1252High.size(); ++k) {
            if (kCp1252High[k] == c && c != 0) {
                mapped = static_cast<char>(0x80 + k);
                break;
            }
        }
        out += mapped;
    }
    return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

}  // namespace platform
