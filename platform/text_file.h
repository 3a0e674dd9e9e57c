// How the bytes of a data file read as text. The data files are Windows-1252; an editor may have saved one
// as UTF-8, with or without its byte-order mark. Bytes holding control characters (NUL among them: UTF-16,
// a picture, garbage) are no text at all, and nothing may be written into such a file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

enum class TextKind { Cp1252, Utf8, NotText };

struct TextForm {
    TextKind kind = TextKind::Cp1252;
    std::size_t mark = 0;  // length of the UTF-8 byte-order mark at the start
};

TextForm DetectText(std::string_view bytes);
// Why the bytes are not text ("it holds a NUL byte at offset 12"); "" when they are.
std::string WhyNotText(std::string_view bytes);

}  // namespace platform
