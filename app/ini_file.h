// The INI reader and writer of the program's data files: program folder + base name + ".ini".
#pragma once

#include <string>

namespace zenkor {

// The value of section/key in <program folder>/<baseName>.ini; the default for a missing key or file, ""
// for a key present with an empty value.
std::string ReadIni(const std::string& baseName, const std::string& section, const std::string& key,
                    const std::string& defaultValue = "");
// Writes one value, creating the file, section or key as needed; silent on failure. Returns whether the
// value reached the disk, for the callers that must report a failed save.
bool WriteIni(const std::string& baseName, const std::string& section, const std::string& key,
              const std::string& value);

}  // namespace zenkor
