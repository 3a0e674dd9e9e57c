#include "app/settings.h"

#include "platform/runtime.h"
#include "platform/settings.h"

namespace zenkor {

namespace {
constexpr const char* kSection = "data";
}

std::string GetSetting(const std::string& key, const std::string& defaultValue) {
    return platform::GetSetting(platform::ApplicationName(), kSection, key, defaultValue);
}

void SaveSetting(const std::string& key, const std::string& value) {
    platform::SaveSetting(platform::ApplicationName(), kSection, key, value);
}

}  // namespace zenkor
