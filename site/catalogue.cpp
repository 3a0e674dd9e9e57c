#include "site/catalogue.h"

#include <mutex>

namespace site {

extern const std::string_view kCatalogueFr, kCatalogueEn, kCatalogueEs;

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

}  // namespace

Catalogue ParseCatalogue(std::string_view file) {
    Catalogue out;
    if (file.substr(0, 3) == "\xEF\xBB\xBF") file.remove_prefix(3);
    int number = 0;
    while (!file.empty()) {
        ++number;
        const size_t end = file.find('\n');
        const std::string_view line = trim(file.substr(0, end));
        file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        const size_t eq = line.find('=');
        const std::string_view key = trim(line.substr(0, eq == std::string_view::npos ? 0 : eq));
        if (key.empty() || key.find_first_of(" \t") != std::string_view::npos) {
            out.errors.push_back("line " + std::to_string(number) + ": not \"key = text\"");
            continue;
        }
        std::string_view text = trim(line.substr(eq + 1));
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
            text = text.substr(1, text.size() - 2);
        if (!out.texts.emplace(key, text).second)
            out.errors.push_back("line " + std::to_string(number) + ": " + std::string(key) + " again");
    }
    return out;
}

const Catalogue& CatalogueOf(Lang lang) {
    static const Catalogue fr = ParseCatalogue(kCatalogueFr), en = ParseCatalogue(kCatalogueEn),
                           es = ParseCatalogue(kCatalogueEs);
    return lang == Lang::En ? en : lang == Lang::Es ? es : fr;
}

const std::string& Tr(Lang lang, std::string_view key) {
    const Catalogue& c = CatalogueOf(lang);
    if (const auto it = c.texts.find(key); it != c.texts.end()) return it->second;
    // Shown as is, so that a missing text is seen rather than silently empty.
    static std::mutex lock;
    static std::map<std::string, std::string, std::less<>> missing;
    const std::lock_guard hold(lock);
    auto [it, added] = missing.try_emplace(std::string(key), "{" + std::string(key) + "}");
    return it->second;
}

std::string Fill(std::string_view text, std::initializer_list<std::string_view> values) {
    std::string out;
    out.reserve(text.size() + 16 * values.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '{' && i + 2 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9' &&
            text[i + 2] == '}') {
            const size_t n = static_cast<size_t>(text[i + 1] - '1');
            if (n < values.size()) {
                out += *(values.begin() + n);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

}  // namespace site
