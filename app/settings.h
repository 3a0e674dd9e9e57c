// The program's per-user settings: section "data" of the store named after the executable. Keys: "langue",
// "ChImage", "reduit", "pseudo", "mdp", "FirstUse".
#pragma once

#include <string>

#include "platform/result.h"

namespace zenkor {

std::string GetSetting(const std::string& key, const std::string& defaultValue = "");
platform::Result SaveSetting(const std::string& key, const std::string& value);
// For a choice the program runs well without (language, compact mode): a failure is told on standard error.
void RememberSetting(const std::string& key, const std::string& value);

}  // namespace zenkor
