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
    const std::string page = site::PageLayout("Résultats <2024>", "<p>corps</p>", site::kProgramPath);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(page.find("<title>Résultats &lt;2024&gt;"), std::string::npos);
    EXPECT_NE(page.find("<link rel=\"stylesheet\" href=\"/style.css\">"), std::string::npos);
    EXPECT_NE(page.find("name=\"viewport\""), std::string::npos);
    EXPECT_NE(page.find("<a href=\"/zenkor.php\" class=\"current\""), std::string::npos);
    EXPECT_EQ(page.find("<a href=\"/\" class=\"current\""), std::string::npos);
    EXPECT_NE(page.find("<p>corps</p>"), std::string::npos);
}

}  // namespace
