// INI files on a path, read and written one key at a time the way the classic private-profile functions
// do: "[section]" lines, "key=value" lines, names compared without regard to case, blanks around names
// and values ignored, the first matching section and key win. A write replaces one value and keeps every
// other byte of the file; it goes through a temporary file and a rename.
#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/result.h"

namespace platform {

// How the file's bytes map to the program's UTF-8 text.
enum class IniEncoding {
    Cp1252,  // the data files shared with other systems
    Utf8,    // the program's own files (per-user settings)
};

// Values are cut to this many characters when read.
inline constexpr int kIniValueMax = 1023;

// In-memory engine on the file's raw bytes; names and values in the file's encoding.
// The value of section/key, or nothing when the section or the key is missing. Names are looked up as the
// writer stores them: blanks around them ignored, line breaks as blanks. A value enclosed in a matching
// pair of quotes loses them.
std::optional<std::string> IniFind(std::string_view bytes, std::string_view section, std::string_view key,
                                   IniEncoding encoding);
// The parsed form of a file's bytes, for reading many keys of one file: every lookup answers exactly as
// IniFind on the same bytes, without walking the bytes again.
class IniIndex {
  public:
    IniIndex(std::string_view bytes, IniEncoding encoding);
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

  private:
    IniEncoding encoding_;
    // Folded section name -> folded key name -> raw value; the first section and key of a name only.
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> sections_;
};
// The file's bytes with section/key set to value (appending the section or the key when missing).
std::string IniAssign(std::string_view bytes, std::string_view section, std::string_view key,
                      std::string_view value, IniEncoding encoding);

// On files; names and values in UTF-8. A missing or unreadable file reads as an empty one.
std::optional<std::string> IniGet(const std::filesystem::path& file, std::string_view section,
                                  std::string_view key, IniEncoding encoding = IniEncoding::Cp1252);
// Writes one value; line breaks in it become blanks. A failure (the file then unchanged) says why. A new
// file gets `mode`; an existing one keeps its permissions unless `mode` is given.
Result IniSet(const std::filesystem::path& file, std::string_view section, std::string_view key,
              std::string_view value, IniEncoding encoding = IniEncoding::Cp1252,
              std::optional<std::filesystem::perms> mode = std::nullopt);

// Whole-file helpers.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);
// Writes through a temporary file in the same folder, flushed, then renamed over the target; on failure
// the target is unchanged and no temporary is left. A target that is a symbolic link is written where the
// link points, and stays a link.
Result WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                           std::optional<std::filesystem::perms> mode = std::nullopt);
// Where a chain of symbolic links ends (the path itself when it is none), so that a save replaces the
// file the link names instead of the link; the target of a dangling link, which a save then creates.
std::filesystem::path LinkTarget(std::filesystem::path file);
// Whether the mode of an existing file says it is not to be written (0444), whoever runs the program:
// a write through a temporary file and a rename would otherwise replace it.
bool IsReadOnlyFile(const std::filesystem::path& file);
// Moves file aside to a name of its folder that nobody has, never replacing a file: stem, "-", the date
// and time of `when` (YYYYmmdd-HHMMSS, then "-2", "-3", .. when that is taken) and extension. The new path,
// or why it failed.
Result MoveToDatedName(const std::filesystem::path& file, std::string_view stem, std::string_view extension,
                       std::time_t when, std::filesystem::path* moved = nullptr);

// A fault seam for tests: while set, every step of WriteFileAtomically ("open", "write", "fsync",
// "rename") first asks it about the target; a non-zero errno makes that step fail with it.
using WriteFault = std::function<int(std::string_view step, const std::filesystem::path& file)>;
void SetWriteFault(WriteFault fault);

// The suffix of this process's temporary files beside a target: kind (".tmp", ".part"), the process id,
// "-" and a serial number. A program that was killed leaves them; RemoveLeftoverTemporaries finds them.
std::string TemporarySuffix(std::string_view kind, unsigned serial);
// Removes from folder the temporaries that processes no longer running left there; the number removed.
int RemoveLeftoverTemporaries(const std::filesystem::path& folder);

}  // namespace platform
