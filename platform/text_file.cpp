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

constexpr char kEndOfFile = 0x1A;

// The bytes before the DOS end-of-file mark: a run of 0x1A that nothing else follows.
std::string_view beforeEndMark(std::string_view bytes) {
    while (!bytes.empty() && bytes.back() == kEndOfFile) bytes.remove_suffix(1);
    return bytes;
}

bool isUtf16Mark(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

}  // namespace

std::string WhyNotText(std::string_view bytes) {
    if (isUtf16Mark(bytes)) return "it is UTF-16 text";
    const std::string_view text = beforeEndMark(bytes);
    // A text file may carry a stray control byte; UTF-16 and binary data hold them everywhere, and NULs
    // in pairs. One in 256 bytes, and always one, is what an intact file may hold.
    size_t controls = 0;
    for (const char c : text) controls += isControl(static_cast<unsigned char>(c)) ? 1 : 0;
    if (controls == 0) return {};
    if (const size_t pair = text.find(std::string_view("\0\0", 2)); pair != std::string_view::npos)
        return "it holds NUL bytes at offset " + std::to_string(pair);
    if (controls > 1 + text.size() / 256) return "it holds " + std::to_string(controls) + " control bytes";
    return {};
}

std::string CleanText(std::string_view bytes) {
    std::string text(beforeEndMark(bytes));
    for (char& c : text) c = isControl(static_cast<unsigned char>(c)) ? ' ' : c;
    return text;
}

std::string WhyNotPlainText(std::string_view bytes) {
    if (isUtf16Mark(bytes)) return "it is UTF-16 text";
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
    // Control bytes and the end-of-file mark are ASCII: they change nothing here.
    return {isUtf8BeyondAscii(bytes) ? TextKind::Utf8 : TextKind::Cp1252, 0};
}

}  // namespace platform
