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

// Whether address is an http or https address (scheme compared without regard to case), the only kind a
// link may hand to the browser: a file, a script or another program's address never leaves a link.
bool IsWebAddress(std::string_view address);
// Opens address as OpenDocument does when it is a web address; false (nothing opened) otherwise.
bool OpenWebAddress(const std::string& address);

// The host name of the author's web site (one configuration value) and an address on it:
// "http://" + host + path.
std::string SiteHost();
void SetSiteHost(std::string_view host);
std::string SiteAddress(std::string_view path);

}  // namespace platform
