#include "platform/ini.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/text.h"
#include "platform/text_file.h"

namespace platform {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Case folding of one byte: ASCII always; the accented letters of the code page in Windows-1252 files.
unsigned char fold(unsigned char b, IniEncoding encoding) {
    if (b >= 'A' && b <= 'Z') return static_cast<unsigned char>(b + 32);
    if (encoding != IniEncoding::Cp1252) return b;
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<unsigned char>(b + 32);
    switch (b) {
        case 0x8A:
            return 0x9A;  // Š
        case 0x8C:
            return 0x9C;  // Œ
        case 0x8E:
            return 0x9E;  // Ž
        case 0x9F:
            return 0xFF;  // Ÿ
        default:
            return b;
    }
}

bool sameName(std::string_view a, std::string_view b, IniEncoding encoding) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (fold(static_cast<unsigned char>(a[i]), encoding) !=
            fold(static_cast<unsigned char>(b[i]), encoding))
            return false;
    }
    return true;
}

struct Line {
    size_t start = 0;  // first byte
    size_t end = 0;    // end of the content, before the line break
    size_t next = 0;   // start of the next line
};

std::vector<Line> splitLines(std::string_view bytes) {
    std::vector<Line> lines;
    size_t i = 0;
    while (i < bytes.size()) {
        Line line;
        line.start = i;
        while (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') ++i;
        line.end = i;
        if (i < bytes.size()) {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            ++i;
        }
        line.next = i;
        lines.push_back(line);
    }
    return lines;
}

enum class LineKind { Other, Section, Key };

struct Parsed {
    LineKind kind = LineKind::Other;
    std::string_view name;  // section or key name, trimmed
    size_t valueStart = 0;  // offset in the file of the value's first non-blank byte (key lines)
};

Parsed parseLine(std::string_view bytes, const Line& line) {
    Parsed p;
    std::string_view content = bytes.substr(line.start, line.end - line.start);
    std::string_view body = trimBlanks(content);
    if (body.empty() || body.front() == ';') return p;
    if (body.front() == '[') {
        const size_t close = body.find(']');
        if (close == std::string_view::npos) return p;
        p.kind = LineKind::Section;
        p.name = trimBlanks(body.substr(1, close - 1));
        return p;
    }
    const size_t eq = content.find('=');
    if (eq == std::string_view::npos) return p;
    p.kind = LineKind::Key;
    p.name = trimBlanks(content.substr(0, eq));
    size_t v = eq + 1;
    while (v < content.size() && isBlank(content[v])) ++v;
    p.valueStart = line.start + v;
    return p;
}

// Where a section and one of its keys are in the file.
struct Location {
    std::optional<size_t> sectionLine;
    std::optional<size_t> keyLine;
    size_t lastLineOfSection = 0;  // the header or the last key line of the section
};

Location locate(std::string_view bytes, const std::vector<Line>& lines, std::string_view section,
                std::string_view key, IniEncoding encoding) {
    Location loc;
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Parsed p = parseLine(bytes, lines[i]);
        if (p.kind == LineKind::Section) {
            if (inSection) break;  // only the first section of that name counts
            if (sameName(p.name, section, encoding)) {
                inSection = true;
                loc.sectionLine = i;
                loc.lastLineOfSection = i;
            }
            continue;
        }
        if (!inSection || p.kind != LineKind::Key) continue;
        loc.lastLineOfSection = i;
        if (!loc.keyLine && sameName(p.name, key, encoding)) loc.keyLine = i;
    }
    return loc;
}

bool isQuoted(std::string_view v) {
    return v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\'');
}

std::string lineBreak(std::string_view bytes) {
    const size_t i = bytes.find_first_of("\r\n");
    if (i == std::string_view::npos) return "\r\n";
    if (bytes[i] == '\n') return "\n";
    return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? "\r\n" : "\r";
}

// One line of text: every line break (CR LF, CR or LF) becomes one blank, and so does every other control
// byte but the tab, so that a write never turns a text file into one that is no text.
std::string oneLine(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
        out += (c < 0x20 && c != '\t') || c == 0x7F ? ' ' : s[i];
    }
    return out;
}

// The stored form of a value: quoted when the reader would otherwise lose its outer blanks or quotes.
std::string storedValue(std::string_view value) {
    std::string v = oneLine(value);
    if (v != trimBlanks(v) || isQuoted(v)) return "\"" + v + "\"";
    return v;
}

std::string encode(std::string_view utf8, IniEncoding encoding) {
    return encoding == IniEncoding::Cp1252 ? Utf8ToCp1252(utf8) : std::string(utf8);
}

std::string decode(std::string_view bytes, IniEncoding encoding) {
    return encoding == IniEncoding::Cp1252 ? Cp1252ToUtf8(bytes) : std::string(bytes);
}

// Names as a line can hold them: on one line, without outer blanks. Reader and writer clean them alike,
// so whatever name a value was written under finds it again.
std::string cleanName(std::string_view name) {
    return std::string(trimBlanks(oneLine(name)));
}

std::string folded(std::string_view name, IniEncoding encoding) {
    std::string out(name);
    for (char& c : out) c = static_cast<char>(fold(static_cast<unsigned char>(c), encoding));
    return out;
}

// The value of a key line as the reader returns it: blanks around it dropped, one pair of quotes too.
std::string_view valueOf(std::string_view bytes, const Line& line, const Parsed& p) {
    std::string_view value = trimBlanks(bytes.substr(p.valueStart, line.end - p.valueStart));
    if (isQuoted(value)) value = value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

IniIndex::IniIndex(std::string_view bytes, IniEncoding encoding) : encoding_(encoding) {
    std::unordered_map<std::string, std::string>* current = nullptr;
    for (const Line& line : splitLines(bytes)) {
        const Parsed p = parseLine(bytes, line);
        if (p.kind == LineKind::Section) {
            // A later section of a name already seen is never read.
            auto [it, added] = sections_.try_emplace(folded(p.name, encoding));
            current = added ? &it->second : nullptr;
        } else if (p.kind == LineKind::Key && current) {
            current->try_emplace(folded(p.name, encoding), valueOf(bytes, line, p));
        }
    }
}

std::optional<std::string> IniIndex::find(std::string_view section, std::string_view key) const {
    const auto s = sections_.find(folded(cleanName(section), encoding_));
    if (s == sections_.end()) return std::nullopt;
    const auto k = s->second.find(folded(cleanName(key), encoding_));
    if (k == s->second.end()) return std::nullopt;
    return k->second;
}

std::optional<std::string> IniFind(std::string_view bytes, std::string_view section, std::string_view key,
                                   IniEncoding encoding) {
    const auto lines = splitLines(bytes);
    const Location loc = locate(bytes, lines, cleanName(section), cleanName(key), encoding);
    if (!loc.keyLine) return std::nullopt;
    const Line& line = lines[*loc.keyLine];
    return std::string(valueOf(bytes, line, parseLine(bytes, line)));
}

std::string IniAssign(std::string_view bytes, std::string_view section, std::string_view key,
                      std::string_view value, IniEncoding encoding) {
    const std::string cleanSection = cleanName(section);
    const std::string cleanKey = cleanName(key);
    const std::string stored = storedValue(value);
    const std::string eol = lineBreak(bytes);
    const auto lines = splitLines(bytes);
    const Location loc = locate(bytes, lines, cleanSection, cleanKey, encoding);

    std::string out;
    out.reserve(bytes.size() + cleanSection.size() + cleanKey.size() + stored.size() + 8);
    if (loc.keyLine) {
        const Line& line = lines[*loc.keyLine];
        const Parsed p = parseLine(bytes, line);
        out.append(bytes.substr(0, p.valueStart));
        out += stored;
        out.append(bytes.substr(line.end));
        return out;
    }
    const std::string entry = cleanKey + "=" + stored;
    if (loc.sectionLine) {
        const Line& after = lines[loc.lastLineOfSection];
        out.append(bytes.substr(0, after.next));
        if (after.next == after.end) out += eol;  // the last line had no line break
        out += entry + eol;
        out.append(bytes.substr(after.next));
        return out;
    }
    out.append(bytes);
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') out += eol;
    out += "[" + cleanSection + "]" + eol + entry + eol;
    return out;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return std::move(ss).str();
}

namespace {

WriteFault& writeFault() {
    static WriteFault fault;
    return fault;
}

// Errno of the step the seam makes fail, 0 for none.
int injected(std::string_view step, const std::filesystem::path& file) {
    const WriteFault& fault = writeFault();
    return fault ? fault(step, file) : 0;
}

}  // namespace

std::filesystem::path LinkTarget(std::filesystem::path file) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(file, ec); ++hops) {
        const std::filesystem::path next = std::filesystem::read_symlink(file, ec);
        if (ec) break;
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    return file;
}

bool IsReadOnlyFile(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    // Root may write anything: the mode bits alone say what the file's owner meant.
    if (::geteuid() == 0) return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    if (st.st_uid == ::geteuid()) return (st.st_mode & S_IWUSR) == 0;
    if (st.st_gid == ::getegid()) return (st.st_mode & S_IWGRP) == 0;
    return (st.st_mode & S_IWOTH) == 0;
}

void SetWriteFault(WriteFault fault) {
    writeFault() = std::move(fault);
}

Result WriteFileAtomically(const std::filesystem::path& link, std::string_view bytes,
                           std::optional<std::filesystem::perms> mode) {
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path file = LinkTarget(link);
    std::optional<mode_t> finalMode;
    if (mode) {
        finalMode = static_cast<mode_t>(*mode & std::filesystem::perms::mask);
    } else {
        struct stat st {};
        if (::stat(file.c_str(), &st) == 0) finalMode = st.st_mode & 07777;
    }

    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = file;
        temp += TemporarySuffix(".tmp", counter++);
        // A new file starts private; its final mode is set before it becomes visible under its name.
        if (const int error = injected("open", file)) return Result::SystemError("open", temp, error);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, finalMode ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) return Result::SystemError("open", temp, errno);
    }
    if (fd < 0) return Result::SystemError("open", temp, EEXIST);

    Result result;
    const auto fail = [&](const char* call) {
        if (result) result = Result::SystemError(call, file, errno);
    };
    // The seam's failure of a step, as the system would report it.
    const auto faulted = [&](const char* step) {
        const int error = injected(step, file);
        if (error == 0) return false;
        errno = error;
        fail(step);
        return true;
    };
    size_t done = 0;
    faulted("write");
    while (result && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            fail("write");
        } else if (n == 0) {
            errno = ENOSPC;
            fail("write");
        } else {
            done += static_cast<size_t>(n);
        }
    }
    if (result && finalMode && ::fchmod(fd, *finalMode) != 0) fail("fchmod");
    if (result && !faulted("fsync") && ::fsync(fd) != 0) fail("fsync");
    if (::close(fd) != 0) fail("close");
    if (result && !faulted("rename") && ::rename(temp.c_str(), file.c_str()) != 0) fail("rename");
    if (!result) {
        std::error_code ec;
        std::filesystem::remove(temp, ec);
    }
    return result;
}

Result MoveToDatedName(const std::filesystem::path& file, std::string_view stem, std::string_view extension,
                       std::time_t when, std::filesystem::path* moved) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    for (int n = 1; n < 100; ++n) {
        const std::string name =
            std::string(stem) + "-" + stamp + (n > 1 ? "-" + std::to_string(n) : "") + std::string(extension);
        const std::filesystem::path dated = file.parent_path() / name;
        // A link never replaces a name that exists; the file's own name goes only once it has another.
        if (::link(file.c_str(), dated.c_str()) == 0) {
            ::unlink(file.c_str());
            if (moved) *moved = dated;
            return {};
        }
        if (errno == EEXIST) continue;
        std::error_code ec;
        if (std::filesystem::exists(dated, ec) || ec) continue;
        if (::rename(file.c_str(), dated.c_str()) != 0) return Result::SystemError("rename", file, errno);
        if (moved) *moved = dated;
        return {};
    }
    return Result::Failure("no free dated name for " + file.filename().string());
}

std::string TemporarySuffix(std::string_view kind, unsigned serial) {
    return std::string(kind) + std::to_string(::getpid()) + "-" + std::to_string(serial);
}

int RemoveLeftoverTemporaries(const std::filesystem::path& folder) {
    int removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec) || it->is_symlink(ec)) continue;
        const std::string name = it->path().filename().string();
        // <target><kind><pid>-<serial>, with at least one character of target.
        size_t at = std::string::npos;
        for (std::string_view kind : {".tmp", ".part"}) {
            const size_t found = name.rfind(kind);
            if (found != std::string::npos && found > 0) {
                at = found + kind.size();
                break;
            }
        }
        if (at == std::string::npos) continue;
        const size_t dash = name.find('-', at);
        const auto digits = [&](size_t from, size_t to) {
            if (from >= to) return false;
            for (size_t i = from; i < to; ++i) {
                if (name[i] < '0' || name[i] > '9') return false;
            }
            return true;
        };
        if (dash == std::string::npos || !digits(at, dash) || !digits(dash + 1, name.size()) || dash - at > 9)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(name.substr(at, dash - at)));
        // A process still running may be writing it.
        if (pid == ::getpid() || pid <= 0 || ::kill(pid, 0) == 0 || errno == EPERM) continue;
        std::error_code removeError;
        if (std::filesystem::remove(it->path(), removeError)) ++removed;
    }
    return removed;
}

std::optional<std::string> IniGet(const std::filesystem::path& file, std::string_view section,
                                  std::string_view key, IniEncoding encoding) {
    const auto bytes = ReadFileBytes(file);
    if (!bytes || !WhyNotText(*bytes).empty()) return std::nullopt;
    const auto raw = IniFind(CleanText(*bytes), encode(section, encoding), encode(key, encoding), encoding);
    if (!raw) return std::nullopt;
    std::string value = decode(*raw, encoding);
    if (static_cast<int>(value.size()) > kIniValueMax) value = Left(value, kIniValueMax);
    return value;
}

Result IniSet(const std::filesystem::path& file, std::string_view section, std::string_view key,
              std::string_view value, IniEncoding encoding, std::optional<std::filesystem::perms> mode) {
    std::error_code ec;
    std::string bytes;
    if (std::filesystem::exists(file, ec)) {
        auto existing = ReadFileBytes(file);
        // Never replace a file that could not be read, nor write into one that is no text.
        if (!existing) return Result::Failure("read " + file.string() + ": unreadable");
        if (const std::string why = WhyNotText(*existing); !why.empty())
            return Result::Failure(file.filename().string() + " is not a text file: " + why);
        bytes = CleanText(*existing);
    } else if (ec) {
        return Result::SystemError("stat", file, ec.value());
    }
    const std::string updated =
        IniAssign(bytes, encode(section, encoding), encode(key, encoding), encode(value, encoding), encoding);
    if (updated == bytes && !mode) return {};
    return WriteFileAtomically(file, updated, mode);
}

}  // namespace platform
