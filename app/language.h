// Language files (langFr.txt, langEn.txt, langSp.txt) and the flags that choose them.
#pragma once

#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/result.h"

namespace zenkor {

void lang_Click(Zenkor& w, int index);
void LoadLanguageFile(Zenkor& w, const std::string& fileName);

// "\\langFr.txt", "\\langEn.txt", "\\langSp.txt" for the language index 0, 1, 2; none for another index.
const char* LanguageFileName(int index);

// The lines of a language file as the loader takes them: Windows-1252 text (or UTF-8, as an editor may
// save it). A file that is empty, no text, or cut inside a line is damaged; its whole lines still count.
struct LanguageText {
    std::string name;  // "langFr.txt"
    bool found = false;
    bool damaged = false;
    std::vector<std::string> lines;
};
LanguageText ReadLanguageText(const std::string& fileName);
// Only the message lines, into the message table (before any window exists).
void ApplyMessageLines(const LanguageText& text);

// The program's own words around its windows (progress, failures), in the message table of the language
// files; the French text while no file has set them. A "%1" in the text stands for the value.
enum class Words {
    Downloading = 38,
    BytesReceived = 39,
    KilobytesReceived = 40,
    PrintFailed = 41,
    FileNotSaved = 42,
    ChangesNotSaved = 43,
    BackupRestored = 44,
    BackupNotRestored = 45,
    ConnectionError = 65,
};
std::string ProgramWords(Words words, const std::string& value = "");

// Why a file operation failed, for the user: its common cause (a folder missing, not allowed, the disk
// full, read-only, a folder or a file in the way) in the message table's words, else the system's own
// words. The system's words also go to standard error, as `where` says them.
std::string CauseWords(const platform::Result& failed, const std::string& where);

}  // namespace zenkor
