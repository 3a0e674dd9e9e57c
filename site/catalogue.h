// The site's words: one catalogue per language (site/lang/fr.txt, en.txt, es.txt, compiled in), each text
// under a stable key, so that a translator edits one file and the code holds no sentence.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "site/i18n.h"

namespace site {

// A catalogue's lines are "key = text"; blank lines and lines starting with '#' are skipped. A text in
// double quotes keeps its leading and trailing spaces. In a text, {1}, {2}, ... stand for values.
struct Catalogue {
    std::map<std::string, std::string, std::less<>> texts;
    std::vector<std::string> errors;  // "line 12: ..." for each line that is not a text, or a key met twice
};
Catalogue ParseCatalogue(std::string_view file);

// The compiled-in catalogue of a language.
const Catalogue& CatalogueOf(Lang lang);

// The text of key in the language; "{key}" when the catalogue lacks it (a test checks none does).
const std::string& Tr(Lang lang, std::string_view key);

// The text with {1}, {2}, ... replaced by the values, in the order the text puts them.
std::string Fill(std::string_view text, std::initializer_list<std::string_view> values);
inline std::string Tr(Lang lang, std::string_view key, std::initializer_list<std::string_view> values) {
    return Fill(Tr(lang, key), values);
}

}  // namespace site
