// Escaping of every value a page shows, and the layout every page shares.
#include "site/html.h"

#include <gtest/gtest.h>

namespace {

TEST(HtmlTest, EscapingLeavesNoMarkupAndKeepsEveryOtherByte) {
    EXPECT_EQ(site::html_escape(R"(<script>alert("x")</script> & 'o')"),
              "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; &#x27;o&#x27;");
    EXPECT_EQ(site::html_escape("Équipe 3–1 ✓; DROP TABLE--"), "Équipe 3–1 ✓; DROP TABLE--");
    EXPECT_EQ(site::html_escape(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(site::html_escape("&amp;"), "&amp;amp;");
}

TEST(HtmlTest, ThePageLayoutLinksTheStylesheetAndMarksTheCurrentEntry) {
    const std::string page = site::PageLayout({}, "Résultats <2024>", "<p>corps</p>", site::kProgramPath);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(page.find("<title>Résultats &lt;2024&gt;"), std::string::npos);
    EXPECT_NE(page.find("<link rel=\"stylesheet\" href=\"/style.css\">"), std::string::npos);
    EXPECT_NE(page.find("name=\"viewport\""), std::string::npos);
    EXPECT_NE(page.find("<a href=\"/zenkor.php\" class=\"current\""), std::string::npos);
    EXPECT_EQ(page.find("<a href=\"/\" class=\"current\""), std::string::npos);
    EXPECT_NE(page.find("<p>corps</p>"), std::string::npos);
    EXPECT_NE(page.find("<html lang=\"fr\">"), std::string::npos);
}

// The browser's order of preference picks among French, English and Spanish; anything else is French.
TEST(HtmlTest, TheLanguageFollowsTheBrowserAndTheSwitchKeepsThePage) {
    using site::Lang;
    EXPECT_EQ(site::PreferredLang("en-GB,en;q=0.9,fr;q=0.8"), Lang::En);
    EXPECT_EQ(site::PreferredLang("de-DE, es;q=0.5, fr;q=0.4"), Lang::Es);
    EXPECT_EQ(site::PreferredLang("fr;q=0.2, ES-mx;q=0.9"), Lang::Es);
    EXPECT_EQ(site::PreferredLang("de, en;q=0"), Lang::Fr);
    EXPECT_EQ(site::PreferredLang("english, *"), Lang::Fr);
    EXPECT_EQ(site::PreferredLang(""), Lang::Fr);

    const site::Visit visit{Lang::Es, "/joueur.php", "pseudo=Ana%20%3Cb%3E"};
    const std::string page = site::PageLayout(visit, "Ana", "", site::kRankingPath);
    EXPECT_NE(page.find("<html lang=\"es\">"), std::string::npos);
    EXPECT_NE(page.find(">Concurso</a>"), std::string::npos);
    EXPECT_NE(page.find("href=\"/joueur.php?pseudo=Ana%20%3Cb%3E&amp;lang=en\""), std::string::npos);
    EXPECT_NE(page.find("lang=es\" hreflang=\"es\" lang=\"es\" title=\"Español\" class=\"current\""),
              std::string::npos);
}

}  // namespace
