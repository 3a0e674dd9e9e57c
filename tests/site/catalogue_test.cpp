// The site's catalogues: one file per language that a translator edits alone, every text the code names
// present in the three, and no sentence left in the site's code.
#include "site/catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using site::Lang;

constexpr Lang kLangs[] = {Lang::Fr, Lang::En, Lang::Es};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The site's C++ files with their comments taken out, so that a comment may quote a page.
std::vector<std::pair<fs::path, std::string>> siteSources() {
    std::vector<std::pair<fs::path, std::string>> out;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(ZENKOR_SOURCE_DIR) / "site")) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        static const std::regex comment(R"(//[^\n]*)");
        out.emplace_back(entry.path(), std::regex_replace(readFile(entry.path()), comment, ""));
    }
    EXPECT_GT(out.size(), 20u);
    return out;
}

std::set<std::string> placeholders(const std::string& text) {
    static const std::regex slot(R"(\{[1-9]\})");
    std::set<std::string> out;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), slot); it != std::sregex_iterator(); ++it)
        out.insert(it->str());
    return out;
}

TEST(Catalogue, ReadsKeysAndTextsAndNamesTheLinesItCannotRead) {
    const site::Catalogue c = site::ParseCatalogue(
        "\xEF\xBB\xBF# a comment\n\nmenu.home = Accueil\r\nquoted = \" Rien n'a changé. \"\n"
        "no equals sign\n= no key\nmenu.home = again\nspaced key = x\nempty =\n");
    EXPECT_EQ(c.texts.at("menu.home"), "Accueil");
    EXPECT_EQ(c.texts.at("quoted"), " Rien n'a changé. ");
    EXPECT_EQ(c.texts.at("empty"), "");
    EXPECT_EQ(c.texts.size(), 3u);
    const std::vector<std::string> errors{"line 5: not \"key = text\"", "line 6: not \"key = text\"",
                                          "line 7: menu.home again", "line 8: not \"key = text\""};
    EXPECT_EQ(c.errors, errors);
    // Values go where the language puts them, each as often as it asks; a slot without a value stays.
    EXPECT_EQ(site::Fill("{2} de {1}, {2} {3}", {"A", "B"}), "B de A, B {3}");
    EXPECT_EQ(site::Fill("{1}{", {"x"}), "x{");
    EXPECT_EQ(site::Tr(Lang::En, "no.such.key"), "{no.such.key}");
}

TEST(Catalogue, TheThreeLanguagesHoldTheSameKeysEachTextWithTheSameValues) {
    const auto& fr = site::CatalogueOf(Lang::Fr).texts;
    for (const Lang lang : kLangs) {
        const site::Catalogue& c = site::CatalogueOf(lang);
        EXPECT_TRUE(c.errors.empty()) << c.errors.front();
        EXPECT_GT(c.texts.size(), 150u);
        for (const auto& [key, text] : c.texts) {
            EXPECT_FALSE(text.empty()) << key;
            ASSERT_TRUE(fr.count(key)) << key << " is missing in French";
            // A translation that drops or adds a value would show a number wrongly or not at all.
            EXPECT_EQ(placeholders(text), placeholders(fr.at(key))) << key;
        }
        EXPECT_EQ(c.texts.size(), fr.size());
    }
    EXPECT_EQ(site::Tr(Lang::Es, "menu.qualifiers"), "Clasificatoria");
    EXPECT_NE(site::Tr(Lang::Es, "menu.qualifiers"), site::Tr(Lang::Es, "ranking.link"));
}

TEST(Catalogue, EveryKeyTheSiteNamesIsInTheCataloguesAndEveryTextIsUsed) {
    const auto& texts = site::CatalogueOf(Lang::Fr).texts;
    std::set<std::string> areas;
    for (const auto& [key, text] : texts) areas.insert(key.substr(0, key.find('.')));
    // A key is a literal "area.name" of an area the catalogues have; the database file shares a form.
    static const std::regex literal(R"re("([a-z]+)\.([a-z0-9_.]+)")re");
    std::set<std::string> named;
    for (const auto& [path, source] : siteSources()) {
        for (auto it = std::sregex_iterator(source.begin(), source.end(), literal);
             it != std::sregex_iterator(); ++it) {
            const std::string key = (*it)[1].str() + "." + (*it)[2].str();
            if (!areas.count((*it)[1].str()) || key == "contest.sqlite") continue;
            named.insert(key);
            EXPECT_TRUE(texts.count(key)) << path << " names " << key << ", which the catalogues lack";
        }
    }
    for (const auto& [key, text] : texts) EXPECT_TRUE(named.count(key)) << key << " is used nowhere";
}

// A Latin letter with an accent (U+00C0 to U+00FF), or ¡ « » ¿.
bool accented(std::string_view text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[i]), b = static_cast<unsigned char>(text[i + 1]);
        if (a == 0xC3 && b >= 0x80 && b <= 0xBF) return true;
        if (a == 0xC2 && (b == 0xA1 || b == 0xAB || b == 0xBB || b == 0xBF)) return true;
    }
    return false;
}

TEST(Catalogue, NoSentenceOfALanguageIsLeftInTheSitesCode) {
    // French and Spanish show by their letters; English by three words in a row, in the files that make
    // pages (the others' English is the system's own words, for the owner's terminal).
    static const std::regex literal(R"re("((?:[^"\\\n]|\\.)*)")re");
    static const std::regex words(R"(\b[A-Za-z][a-z]+ [a-z]{2,} [a-z]{2,}\b)");
    static const std::set<std::string> pageFiles{"html.cpp",          "pages.cpp",         "server.cpp",
                                                 "i18n.cpp",          "routes.cpp",        "route_parts.cpp",
                                                 "account_pages.cpp", "standing_pages.cpp"};
    for (const auto& [path, source] : siteSources()) {
        const bool page = pageFiles.count(path.filename().string()) > 0;
        for (auto it = std::sregex_iterator(source.begin(), source.end(), literal);
             it != std::sregex_iterator(); ++it) {
            const std::string text = (*it)[1].str();
            EXPECT_FALSE(accented(text)) << path << ": \"" << text << "\"";
            EXPECT_FALSE(page && std::regex_search(text, words)) << path << ": \"" << text << "\"";
        }
    }
}

}  // namespace
