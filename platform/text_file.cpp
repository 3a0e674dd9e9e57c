#include "platform/text_file.h"

namespace platform {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool isControl(unsigned char b) {
    return (b < 0x20 && b != '\t' && b != '\r' && b != '\n') || b == 0x7F;
}

// Well-formed UTF-8 holding at least one character beyond ASCII: Windows-1252 text with accents is
// practically never that.
bool isUtf8BeyondAscii(std::string_view s) {
    bool beyond = false;
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        size_t length = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2, min = 0x80, code = b & 0x1Fu;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3, min = 0x800, code = b & 0x0Fu;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4, min = 0x10000, code = b & 0x07u;
        } else {
            return false;
        }
        if (i + length > s.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            code = (code << 6) | (c & 0x3Fu);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        beyond = true;
        i += length;
    }
    return beyond;
}

}  // namespace

std::string WhyNotText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return "it is UTF-16 text";
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (!isControl(b)) continue;
        return (b == 0 ? std::string("it holds a NUL byte")
                       : "it holds the control byte " + std::to_string(b)) +
               " at offset " + std::to_string(i);
    }
    return {};
}

TextForm DetectText(std::string_view bytes) {
    if (!WhyNotText(bytes).empty()) return {TextKind::NotText, 0};
    if (bytes.starts_with(kUtf8Mark)) return {TextKind::Utf8, kUtf8Mark.size()};
    return {isUtf8BeyondAscii(bytes) ? TextKind::Utf8 : TextKind::Cp1252, 0};
}

}  // namespace platform
