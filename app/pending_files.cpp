// Placeholders until edition and language files land.
#include "app/edition_files.h"
#include "app/language.h"

namespace zenkor {

bool SaveEditionFile(Zenkor&) { return false; }
void LoadEditionFile(Zenkor&, const std::string&) {}
void LoadMatchInfo(Zenkor&, const std::string&) {}
void lang_Click(Zenkor& w, int index) { w.sage = index; }
void LoadLanguageFile(Zenkor&, const std::string&) {}

}  // namespace zenkor
