// The site's three languages, as the program speaks them: French (the default), English and Spanish.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace site {

enum class Lang { Fr, En, Es };

std::string_view LangCode(Lang lang);  // "fr", "en", "es"
std::optional<Lang> LangFromCode(std::string_view code);

// The browser's most preferred of the three languages in an Accept-Language header; French when it
// names none of them.
Lang PreferredLang(std::string_view acceptLanguage);

// What a page needs of the visit besides its content: the language, and this page's own address for the
// language switch.
struct Visit {
    Lang lang = Lang::Fr;
    std::string path;   // "/classement.php"
    std::string query;  // "page=2": percent-encoded, without the lang parameter
};

// "dd/mm/yyyy at HH:MM" in the language of Paris wall-clock seconds counted as if UTC.
std::string DateAndTime(Lang lang, std::int64_t parisSeconds);

}  // namespace site
