#include "app/ini_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <optional>

#include "app/language.h"
#include "platform/data_folders.h"
#include "platform/ini.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace zenkor {

namespace {

enum class Use { Read, Write };

// The data file of a base name: program folder + base name + ".ini"; read from the installation while
// the program folder has none, copied from it before the first write. A base name holding a path
// separator would reach outside the program folder: such a name names no file.
std::optional<std::filesystem::path> iniPath(const std::string& baseName, Use use) {
    if (baseName.find_first_of("/\\", 0) != std::string::npos || baseName.find('\0') != std::string::npos)
        return std::nullopt;
    const std::string name = baseName + ".ini";
    return use == Use::Read ? platform::ReadableFile(name) : platform::WritableFile(name);
}

// A data file's bytes as the INI engine takes them: Windows-1252, or UTF-8 for a file an editor saved so
// (its byte-order mark set apart, and put back by the writer).
struct DataText {
    std::string mark;
    std::string body;
    platform::IniEncoding encoding = platform::IniEncoding::Cp1252;
};

std::optional<DataText> asDataText(std::string bytes) {
    const platform::TextForm form = platform::DetectText(bytes);
    if (form.kind == platform::TextKind::NotText) return std::nullopt;
    DataText text;
    text.mark = bytes.substr(0, form.mark);
    text.body = platform::CleanText(std::string_view(bytes).substr(form.mark));
    if (form.kind == platform::TextKind::Utf8) text.encoding = platform::IniEncoding::Utf8;
    return text;
}

std::string toFile(const std::string& text, platform::IniEncoding encoding) {
    return encoding == platform::IniEncoding::Cp1252 ? platform::Utf8ToCp1252(text) : text;
}

std::string fromFile(const std::string& raw, platform::IniEncoding encoding) {
    return platform::Left(encoding == platform::IniEncoding::Cp1252 ? platform::Cp1252ToUtf8(raw) : raw,
                          platform::kIniValueMax);
}

// A file that is no text reads as a missing one: its bytes mean nothing.
std::optional<DataText> readDataText(const std::filesystem::path& path) {
    auto bytes = platform::ReadFileBytes(path);
    if (!bytes) return std::nullopt;
    return asDataText(std::move(*bytes));
}

// The files parsed while a read scope lives, by base name; none for a missing or unreadable file.
struct ParsedFile {
    platform::IniIndex index;
    platform::IniEncoding encoding;
};
struct ReadCache {
    int scopes = 0;
    std::map<std::string, std::optional<ParsedFile>> files;
};

ReadCache& readCache() {
    static ReadCache cache;
    return cache;
}

// The path is looked up once too: finding it asks the disk.
const std::optional<ParsedFile>& parsedFile(const std::string& baseName) {
    auto& files = readCache().files;
    auto it = files.find(baseName);
    if (it == files.end()) {
        std::optional<ParsedFile> parsed;
        if (const auto path = iniPath(baseName, Use::Read)) {
            if (const auto text = readDataText(*path))
                parsed.emplace(ParsedFile{platform::IniIndex(text->body, text->encoding), text->encoding});
        }
        it = files.emplace(baseName, std::move(parsed)).first;
    }
    return it->second;
}

void forgetParsed(const std::string& baseName) {
    readCache().files.erase(baseName);
}

// Why a file that exists could not be read.
platform::Result whyUnreadable(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return platform::Result::SystemError("read", path, EISDIR);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return platform::Result::SystemError("open", path, errno);
    ::close(fd);
    return platform::Result::SystemError("read", path, EIO);
}

IniWriteBatch*& activeBatch() {
    static IniWriteBatch* batch = nullptr;
    return batch;
}

}  // namespace

std::string FailedSaveMessage(const std::string& fileName, const platform::Result& why) {
    std::string text = ProgramWords(Words::FileNotSaved, fileName);
    if (!why) text += "\n" + CauseWords(why, "save " + fileName);
    return text;
}

platform::Result RefuseReadOnly(const std::filesystem::path& path) {
    const std::filesystem::path target = platform::LinkTarget(path);
    if (!platform::IsReadOnlyFile(target)) return {};
    return platform::Result::Failure(target.filename().string() + " is read-only",
                                     platform::Cause::ReadOnlyFile, target.filename().string());
}

IniReadScope::IniReadScope() {
    ++readCache().scopes;
}

IniReadScope::~IniReadScope() {
    if (--readCache().scopes == 0) readCache().files.clear();
}

IniWriteBatch::IniWriteBatch(const std::string& baseName) : baseName_(baseName), outer_(activeBatch()) {
    if (const auto path = iniPath(baseName, Use::Write)) {
        std::error_code ec;
        if (auto readOnly = RefuseReadOnly(*path); !readOnly) {
            readable_ = std::move(readOnly);
        } else if (std::filesystem::exists(*path, ec)) {
            auto bytes = platform::ReadFileBytes(*path);
            if (!bytes) {
                readable_ = whyUnreadable(*path);
            } else if (const std::string why = platform::WhyNotText(*bytes); !why.empty()) {
                readable_ =
                    platform::Result::Failure(path->filename().string() + " is not a text file: " + why);
            } else {
                DataText text = *asDataText(std::move(*bytes));
                mark_ = std::move(text.mark);
                bytes_ = std::move(text.body);
                encoding_ = text.encoding;
            }
        }
    } else {
        readable_ = platform::Result::Failure("\"" + baseName + "\" names no file of the program folder");
    }
    activeBatch() = this;
}

IniWriteBatch::~IniWriteBatch() {
    activeBatch() = outer_;
}

platform::Result IniWriteBatch::commit() {
    // Never replace a file that could not be read.
    if (!readable_) return readable_;
    if (!changed_) return {};
    const auto path = iniPath(baseName_, Use::Write);
    forgetParsed(baseName_);
    // The previous save stays beside the file, so a save the user regrets is not beyond repair. It is
    // written as the file is, so that it is never found cut short.
    std::error_code ec;
    if (std::filesystem::is_regular_file(*path, ec)) {
        auto backup = *path;
        backup += ".bak";
        if (const auto previous = platform::ReadFileBytes(*path)) {
            const auto mode = std::filesystem::status(*path, ec).permissions();
            (void)platform::WriteFileAtomically(backup, *previous, ec ? std::nullopt : std::optional(mode));
        }
    }
    if (auto written = platform::WriteFileAtomically(*path, mark_ + bytes_); !written) return written;
    changed_ = false;
    return {};
}

std::string ReadIni(const std::string& baseName, const std::string& section, const std::string& key,
                    const std::string& defaultValue) {
    try {
        if (IniWriteBatch* batch = activeBatch(); batch && batch->baseName_ == baseName) {
            const auto encoding = batch->encoding_;
            auto raw =
                platform::IniFind(batch->bytes_, toFile(section, encoding), toFile(key, encoding), encoding);
            return raw ? fromFile(*raw, encoding) : defaultValue;
        }
        if (readCache().scopes > 0) {
            const auto& parsed = parsedFile(baseName);
            if (!parsed) return defaultValue;
            const auto raw =
                parsed->index.find(toFile(section, parsed->encoding), toFile(key, parsed->encoding));
            return raw ? fromFile(*raw, parsed->encoding) : defaultValue;
        }
        const auto path = iniPath(baseName, Use::Read);
        if (!path) return defaultValue;
        const auto text = readDataText(*path);
        if (!text) return defaultValue;
        const auto raw = platform::IniFind(text->body, toFile(section, text->encoding),
                                           toFile(key, text->encoding), text->encoding);
        return raw ? fromFile(*raw, text->encoding) : defaultValue;
    } catch (...) {
        return defaultValue;
    }
}

platform::Result WriteIni(const std::string& baseName, const std::string& section, const std::string& key,
                          const std::string& value) {
    try {
        if (IniWriteBatch* batch = activeBatch(); batch && batch->baseName_ == baseName) {
            if (!batch->readable_) return batch->readable_;
            const auto encoding = batch->encoding_;
            std::string updated =
                platform::IniAssign(batch->bytes_, toFile(section, encoding), toFile(key, encoding),
                                    toFile(value, encoding), encoding);
            if (updated != batch->bytes_) {
                batch->bytes_ = std::move(updated);
                batch->changed_ = true;
            }
            return {};
        }
        const auto path = iniPath(baseName, Use::Write);
        if (!path)
            return platform::Result::Failure("\"" + baseName + "\" names no file of the program folder");
        if (auto readOnly = RefuseReadOnly(*path); !readOnly) return readOnly;
        forgetParsed(baseName);
        DataText text;
        std::error_code ec;
        if (std::filesystem::exists(*path, ec)) {
            // Never write into a file that could not be read.
            auto bytes = platform::ReadFileBytes(*path);
            if (!bytes) return whyUnreadable(*path);
            const std::string why = platform::WhyNotText(*bytes);
            auto existing = asDataText(std::move(*bytes));
            if (!existing)
                return platform::Result::Failure(path->filename().string() + " is not a text file: " + why);
            text = std::move(*existing);
        } else if (ec) {
            return platform::Result::SystemError("stat", *path, ec.value());
        }
        const auto encoding = text.encoding;
        const std::string updated = platform::IniAssign(
            text.body, toFile(section, encoding), toFile(key, encoding), toFile(value, encoding), encoding);
        if (updated == text.body) return {};
        return platform::WriteFileAtomically(*path, text.mark + updated);
    } catch (const std::exception& e) {
        return platform::Result::Failure(baseName + ".ini: " + e.what());
    }
}

void IniWriteBatch::set(const std::string& section, const std::string& key, const std::string& value) {
    // Gathered here; a file that cannot take it is reported by commit().
    static_cast<void>(WriteIni(baseName_, section, key, value));
}

}  // namespace zenkor
