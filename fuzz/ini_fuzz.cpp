// Fuzzes the INI reader and writer: any bytes as a file, any section, key and value.
// Checks that the parsed file answers every lookup as the reader does, that a read never fails or returns
// more than the value limit, that a written value reads back (its line breaks as blanks) and that a write
// never changes another key's value.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/ini_file.h"
#include "platform/ini.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace {

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// Line breaks and the other control bytes but the tab become blanks.
std::string oneLine(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
        out += (c < 0x20 && c != '\t') || c == 0x7F ? ' ' : s[i];
    }
    return out;
}

// Names a line can hold: a section name without "]", a key without "=" that does not read as a
// comment or a section header.
bool writableNames(const std::string& section, const std::string& key) {
    const std::string k = trimmed(oneLine(key));
    return oneLine(section).find(']') == std::string::npos && k.find('=') == std::string::npos &&
           (k.empty() || (k[0] != ';' && k[0] != '['));
}

const std::filesystem::path& folder() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("ini-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        platform::SetProgramFolder(d);
        return d;
    }();
    return dir;
}

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string section = in.ConsumeRandomLengthString(24);
    const std::string key = in.ConsumeRandomLengthString(24);
    const std::string value = in.ConsumeRandomLengthString(1200);
    const std::string otherSection = in.ConsumeRandomLengthString(24);
    const std::string otherKey = in.ConsumeRandomLengthString(24);
    const std::string file = in.ConsumeRemainingBytesAsString();
    using platform::IniEncoding;

    for (IniEncoding encoding : {IniEncoding::Cp1252, IniEncoding::Utf8}) {
        const auto before = platform::IniFind(file, otherSection, otherKey, encoding);
        const platform::IniIndex index(file, encoding);
        check(index.find(otherSection, otherKey) == before &&
                  index.find(section, key) == platform::IniFind(file, section, key, encoding),
              "the parsed file answers as the reader");
        const std::string written = platform::IniAssign(file, section, key, value, encoding);
        if (!writableNames(section, key)) continue;
        const std::string cleanSection = trimmed(oneLine(section));
        const std::string cleanKey = trimmed(oneLine(key));
        check(platform::IniFind(written, cleanSection, cleanKey, encoding) == oneLine(value),
              "written value reads back");
        // Names of other lengths are other names (case folding keeps lengths).
        if (trimmed(oneLine(otherSection)).size() != cleanSection.size() ||
            trimmed(oneLine(otherKey)).size() != cleanKey.size()) {
            check(platform::IniFind(written, otherSection, otherKey, encoding) == before,
                  "other keys unchanged");
        }
    }

    // Through the program's reader on a real file.
    {
        std::ofstream out(folder() / "fuzz.ini", std::ios::binary | std::ios::trunc);
        out << file;
    }
    const std::string read = zenkor::ReadIni("fuzz", section, key, "-");
    check(platform::Len(read) <= platform::kIniValueMax, "value limit");
    // Writing goes through a flushed file and a rename: exercised on a small share of the inputs only.
    // Names are checked as they reach the file, in the code page; a file whose written bytes happen to
    // read as UTF-8 afterwards is read in UTF-8, where those names are others.
    if (size % 32 == 0 && zenkor::WriteIni("fuzz", section, key, value) &&
        writableNames(platform::Utf8ToCp1252(section), platform::Utf8ToCp1252(key)) &&
        platform::DetectText(file).kind ==
            platform::DetectText(platform::ReadFileBytes(folder() / "fuzz.ini").value_or("")).kind) {
        // A stored value never holds a line break, so "\n" can only be the default.
        check(zenkor::ReadIni("fuzz", section, key, "\n") != "\n", "written key is found");
    }
    return 0;
}
