// The program's per-user settings: section "data" of the store named after the executable. Keys: "langue",
// "ChImage", "reduit", "pseudo", "mdp", "FirstUse".
#pragma once

#include <string>

namespace zenkor {

std::string GetSetting(const std::string& key, const std::string& defaultValue = "");
// Silent for its callers: a setting that cannot be stored is simply not remembered.
void SaveSetting(const std::string& key, const std::string& value);

}  // namespace zenkor
