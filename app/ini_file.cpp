#include "app/ini_file.h"

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

IniWriteBatch*& activeBatch() {
    static IniWriteBatch* batch = nullptr;
    return batch;
}

}  // namespace

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
        return platform::IniSet(*path, section, key, value, platform::IniEncoding::Cp1252);
    } catch (...) {
        return false;
    }
}

}  // namespace zenkor
