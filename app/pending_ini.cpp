// Placeholders until the INI reader and writer land.
#include "app/ini_file.h"

namespace zenkor {

std::string ReadIni(const std::string&, const std::string&, const std::string&, const std::string& defaultValue) {
    return defaultValue;
}
bool WriteIni(const std::string&, const std::string&, const std::string&, const std::string&) { return false; }

}  // namespace zenkor
