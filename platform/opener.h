// Opening a web page or a file in the user's default application, and the address of the author's web
// site. Tests replace the opener to read back what was opened.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Hands target to `xdg-open` (an argument list, never a shell) with the program folder as working folder;
// the result is not checked.
void OpenDocument(const std::string& target);
// Replaces the opener; nullptr restores xdg-open.
void SetOpener(std::function<void(const std::string&)> opener);

// The host name of the author's web site (one configuration value) and an address on it:
// "http://" + host + path.
std::string SiteHost();
void SetSiteHost(std::string_view host);
std::string SiteAddress(std::string_view path);

}  // namespace platform
