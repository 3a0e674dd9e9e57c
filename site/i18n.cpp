#include "site/i18n.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "platform/datetime.h"
#include "platform/text.h"
#include "site/catalogue.h"

namespace site {

std::string_view LangCode(Lang lang) {
    return lang == Lang::En ? "en" : lang == Lang::Es ? "es" : "fr";
}

std::optional<Lang> LangFromCode(std::string_view code) {
    if (code.size() < 2 || (code.size() > 2 && code[2] != '-' && code[2] != '_')) return std::nullopt;
    const std::string two{static_cast<char>(std::tolower(static_cast<unsigned char>(code[0]))),
                          static_cast<char>(std::tolower(static_cast<unsigned char>(code[1])))};
    if (two == "fr") return Lang::Fr;
    if (two == "en") return Lang::En;
    if (two == "es") return Lang::Es;
    return std::nullopt;
}

Lang PreferredLang(std::string_view header) {
    std::optional<Lang> best;
    double bestQ = 0;
    for (const std::string& item : platform::Split(std::string(header), ",")) {
        const auto parts = platform::Split(item, ";");
        if (parts.empty()) continue;
        const auto lang = LangFromCode(platform::Trim(parts[0]));
        double q = 1;
        for (size_t i = 1; i < parts.size(); ++i) {
            const std::string p = platform::Trim(parts[i]);
            if (p.size() > 2 && (p[0] == 'q' || p[0] == 'Q') && p[1] == '=') q = std::atof(p.c_str() + 2);
        }
        // The first of equal preferences wins, as the browser lists them.
        if (lang && q > bestQ) {
            best = lang;
            bestQ = q;
        }
    }
    return best.value_or(Lang::Fr);
}

std::string DateAndTime(Lang lang, std::int64_t parisSeconds) {
    const platform::DateTime t{parisSeconds};
    char date[16], time[8];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", platform::Day(t), platform::Month(t),
                  platform::Year(t));
    std::snprintf(time, sizeof time, "%02d:%02d", platform::Hour(t), platform::Minute(t));
    return Tr(lang, "date.at", {date, time});
}

}  // namespace site
