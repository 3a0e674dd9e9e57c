// The per-user settings store: text values addressed by application, section and key, kept in
// ${XDG_CONFIG_HOME:-~/.config}/<application>/settings.ini (UTF-8, readable by the user only).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace platform {

// The settings file of an application; empty when no home folder can be found.
std::filesystem::path SettingsFile(std::string_view application);

// The stored value, or the default when the key, the file or the store is missing or unreadable.
std::string GetSetting(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view defaultValue = "");
// Stores one value (created with its folder as needed); a failure says why the value did not reach the disk.
Result SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view value);

}  // namespace platform
