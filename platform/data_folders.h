// Where the program's files live. The program folder is the user's data folder: every file the program
// writes goes there. The installation's data folder holds the shipped files (edition files, language
// files, pictures) and is never written; a shipped file the program is about to write is copied into
// the program folder first.
#pragma once

#include <filesystem>

#include "platform/result.h"

namespace platform {

// ${XDG_DATA_HOME:-~/.local/share}/Zenkor (an XDG_DATA_HOME that is not absolute is ignored). Without
// HOME the home folder is the user database's; empty when there is none.
std::filesystem::path UserDataFolder();
// Makes the user's data folder the program folder, creating it when needed; a failure names what is in
// the way ("/home/zoe/.local/share is not a folder").
Result UseUserDataFolder();

// The shipped data: PREFIX/share/zenkor once installed, the executable's folder in the build tree.
// Tests point it at their own folder; an empty path puts the default back.
std::filesystem::path InstallationFolder();
void SetInstallationFolder(const std::filesystem::path& folder);

// A file to read: the program folder's own when there is one, else the installation's.
std::filesystem::path ReadableFile(const std::filesystem::path& name);
// A file to write: a shipped file not in the program folder yet is copied there first, never over a
// file already there. The path is the program folder's.
std::filesystem::path WritableFile(const std::filesystem::path& name);
// A file that follows the installation (language files): the installation's, else the program folder's.
std::filesystem::path ShippedFile(const std::filesystem::path& name);

}  // namespace platform
