#include "app/settings.h"

#include <iostream>

#include "platform/runtime.h"
#include "platform/settings.h"

namespace zenkor {

namespace {
constexpr const char* kSection = "data";
}

std::string GetSetting(const std::string& key, const std::string& defaultValue) {
    return platform::GetSetting(platform::ApplicationName(), kSection, key, defaultValue);
}

platform::Result SaveSetting(const std::string& key, const std::string& value) {
    return platform::SaveSetting(platform::ApplicationName(), kSection, key, value);
}

void RememberSetting(const std::string& key, const std::string& value) {
    if (platform::Result saved = SaveSetting(key, value); !saved)
        std::cerr << "Zenkor: setting " << key << " not kept: " << saved.reason() << '\n';
}

}  // namespace zenkor
