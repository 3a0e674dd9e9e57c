#include "app/ini_file.h"

#include <map>
#include <optional>

#include "platform/ini.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace zenkor {

namespace {

// The data file of a base name: program folder + base name + ".ini". A base name holding a path
// separator would reach outside the program folder: such a name names no file.
std::optional<std::filesystem::path> iniPath(const std::string& baseName) {
    if (baseName.find_first_of("/\\", 0) != std::string::npos || baseName.find('\0') != std::string::npos)
        return std::nullopt;
    return platform::ProgramFolder() / (baseName + ".ini");
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

const std::optional<platform::IniIndex>& parsedFile(const std::string& baseName,
                                                    const std::filesystem::path& path) {
    auto& files = readCache().files;
    auto it = files.find(baseName);
    if (it == files.end()) {
        std::optional<platform::IniIndex> index;
        if (const auto bytes = platform::ReadFileBytes(path))
            index.emplace(*bytes, platform::IniEncoding::Cp1252);
        it = files.emplace(baseName, std::move(index)).first;
    }
    return it->second;
}

void forgetParsed(const std::string& baseName) {
    readCache().files.erase(baseName);
}

IniWriteBatch*& activeBatch() {
    static IniWriteBatch* batch = nullptr;
    return batch;
}

}  // namespace

IniReadScope::IniReadScope() {
    ++readCache().scopes;
}

IniReadScope::~IniReadScope() {
    if (--readCache().scopes == 0) readCache().files.clear();
}

IniWriteBatch::IniWriteBatch(const std::string& baseName) : baseName_(baseName), outer_(activeBatch()) {
    if (const auto path = iniPath(baseName)) {
        std::error_code ec;
        if (std::filesystem::exists(*path, ec)) {
            auto bytes = platform::ReadFileBytes(*path);
            readable_ = bytes.has_value();
            if (bytes) bytes_ = std::move(*bytes);
        }
    } else {
        readable_ = false;
    }
    activeBatch() = this;
}

IniWriteBatch::~IniWriteBatch() {
    activeBatch() = outer_;
}

bool IniWriteBatch::commit() {
    // Never replace a file that could not be read.
    if (!readable_) return false;
    if (!changed_) return true;
    const auto path = iniPath(baseName_);
    if (!path) return false;
    forgetParsed(baseName_);
    // The previous save stays beside the file, so a save the user regrets is not beyond repair.
    std::error_code ec;
    if (std::filesystem::exists(*path, ec)) {
        auto backup = *path;
        backup += ".bak";
        std::filesystem::copy_file(*path, backup, std::filesystem::copy_options::overwrite_existing, ec);
    }
    if (!platform::WriteFileAtomically(*path, bytes_)) return false;
    changed_ = false;
    return true;
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
        const auto path = iniPath(baseName);
        if (!path) return defaultValue;
        if (readCache().scopes > 0) {
            const auto& index = parsedFile(baseName, *path);
            if (!index) return defaultValue;
            const auto raw = index->find(platform::Utf8ToCp1252(section), platform::Utf8ToCp1252(key));
            if (!raw) return defaultValue;
            return platform::Left(platform::Cp1252ToUtf8(*raw), platform::kIniValueMax);
        }
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
        const auto path = iniPath(baseName);
        if (!path) return false;
        forgetParsed(baseName);
        return platform::IniSet(*path, section, key, value, platform::IniEncoding::Cp1252);
    } catch (...) {
        return false;
    }
}

}  // namespace zenkor
