#include "app/ini_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <optional>

#include "platform/data_folders.h"
#include "platform/ini.h"
#include "platform/runtime.h"
#include "platform/text.h"

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

// The files parsed while a read scope lives, by base name; none for a missing or unreadable file.
struct ReadCache {
    int scopes = 0;
    std::map<std::string, std::optional<platform::IniIndex>> files;
};

ReadCache& readCache() {
    static ReadCache cache;
    return cache;
}

// The path is looked up once too: finding it asks the disk.
const std::optional<platform::IniIndex>& parsedFile(const std::string& baseName) {
    auto& files = readCache().files;
    auto it = files.find(baseName);
    if (it == files.end()) {
        std::optional<platform::IniIndex> index;
        if (const auto path = iniPath(baseName, Use::Read)) {
            if (const auto bytes = platform::ReadFileBytes(*path))
                index.emplace(*bytes, platform::IniEncoding::Cp1252);
        }
        it = files.emplace(baseName, std::move(index)).first;
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
    std::string text = "Le fichier " + fileName + " n'a pas pu être enregistré.";
    if (!why) text += "\n" + why.reason();
    return text;
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
        if (std::filesystem::exists(*path, ec)) {
            auto bytes = platform::ReadFileBytes(*path);
            if (bytes) {
                bytes_ = std::move(*bytes);
            } else {
                readable_ = whyUnreadable(*path);
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
    if (auto written = platform::WriteFileAtomically(*path, bytes_); !written) return written;
    changed_ = false;
    return {};
}

std::string ReadIni(const std::string& baseName, const std::string& section, const std::string& key,
                    const std::string& defaultValue) {
    try {
        if (IniWriteBatch* batch = activeBatch(); batch && batch->baseName_ == baseName) {
            auto raw = platform::IniFind(batch->bytes_, platform::Utf8ToCp1252(section),
                                         platform::Utf8ToCp1252(key), platform::IniEncoding::Cp1252);
            if (!raw) return defaultValue;
            return platform::Left(platform::Cp1252ToUtf8(*raw), platform::kIniValueMax);
        }
        if (readCache().scopes > 0) {
            const auto& index = parsedFile(baseName);
            if (!index) return defaultValue;
            const auto raw = index->find(platform::Utf8ToCp1252(section), platform::Utf8ToCp1252(key));
            if (!raw) return defaultValue;
            return platform::Left(platform::Cp1252ToUtf8(*raw), platform::kIniValueMax);
        }
        const auto path = iniPath(baseName, Use::Read);
        if (!path) return defaultValue;
        auto value = platform::IniGet(*path, section, key, platform::IniEncoding::Cp1252);
        return value ? *value : defaultValue;
    } catch (...) {
        return defaultValue;
    }
}

bool WriteIni(const std::string& baseName, const std::string& section, const std::string& key,
              const std::string& value) {
    try {
        if (IniWriteBatch* batch = activeBatch(); batch && batch->baseName_ == baseName) {
            if (!batch->readable_) return false;
            std::string updated = platform::IniAssign(
                batch->bytes_, platform::Utf8ToCp1252(section), platform::Utf8ToCp1252(key),
                platform::Utf8ToCp1252(value), platform::IniEncoding::Cp1252);
            if (updated != batch->bytes_) {
                batch->bytes_ = std::move(updated);
                batch->changed_ = true;
            }
            return true;
        }
        const auto path = iniPath(baseName, Use::Write);
        if (!path) return false;
        forgetParsed(baseName);
        return platform::IniSet(*path, section, key, value, platform::IniEncoding::Cp1252);
    } catch (...) {
        return false;
    }
}

}  // namespace zenkor
