// How the bytes of a data file read as text. The data files are Windows-1252; an editor may have saved one
// as UTF-8, with or without its byte-order mark. A DOS end-of-file mark (0x1A) at the end ends the text,
// and a stray control byte here and there (a form feed, a lone NUL) reads as a blank. Bytes that are
// UTF-16, or that hold control bytes as a picture or garbage does, are no text at all, and nothing may
// be written into such a file.
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
// Why the bytes are not text ("it holds 120 control bytes"); "" when they are.
std::string WhyNotText(std::string_view bytes);
// Why the bytes are not plain text, without a single stray control byte ("it holds a NUL byte at offset
// 12"); "" when they are. For what comes from outside, where one such byte already means a garbled answer.
std::string WhyNotPlainText(std::string_view bytes);
// Text bytes as they read: without the end-of-file mark, each stray control byte a blank.
std::string CleanText(std::string_view bytes);

}  // namespace platform
