// The web links of the main window: each opens its page, and only web addresses are ever opened.
#include "tests/online/online_support.h"

namespace online_testing {
namespace {

class LinksTest : public OnlineTest {};

TEST_F(LinksTest, EveryLinkOpensItsPage) {
    zenkor::Zenkor& w = start();
    const zenkor::WebLinks& links = zenkor::OnlineLinks();
    struct Case {
        const char* name;
        int index;
        std::string target;
    };
    const Case cases[] = {
        {"Image2", -1, site("/")},
        {"Image5", -1, site("/")},
        {"Label6", 4, site("/")},
        {"Label9", -1, site("/zenkor.php")},
        {"Label3", -1, site("/contacter.php?sub=Zenkor V1.0")},
        {"Label4", 0, links.forumProgram},
        {"Label4", 1, links.forumUpdates},
        {"Label8", -1, links.forumProgram},
        {"Image3", -1, links.softwareSite},
        {"Image18", 0, links.donation},
        {"Image18", 1, links.donation},
        {"Label22", 0, links.donation},
        {"Label22", 1, links.donation},
        {"Label22", 2, links.donation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "(" + std::to_string(c.index) + ")");
        opened.clear();
        ASSERT_TRUE(w.exists(c.name, c.index));
        w(c.name, c.index).raiseClick();
        EXPECT_EQ(opened, std::vector<std::string>{c.target});
    }
    EXPECT_EQ(links.donation.rfind("https://", 0), 0u);
    EXPECT_NE(links.donation.find("/cgi-bin/webscr?cmd=_donations&business="), std::string::npos);
}

TEST_F(LinksTest, TheOtherAuthorLinesAndTheBannerLabelOpenNothing) {
    zenkor::Zenkor& w = start();
    for (int i = 0; i <= 3; ++i) w("Label6", i).raiseClick();
    w("Label25").raiseClick();
    EXPECT_TRUE(opened.empty());
}

TEST_F(LinksTest, TheNewsLinkOpensOnlyAWebAddressFromTheEditionFile) {
    zenkor::Zenkor& w = start();
    struct Case {
        std::string tag;
        bool opens;
    };
    const Case cases[] = {
        {"https://www.valmirade.example/news", true},
        {"HTTP://www.valmirade.example/", true},
        {"", false},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"--help", false},
        {"/usr/bin/xterm", false},
        {"http://", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        opened.clear();
        w("Lablien").setTag(c.tag);
        w("Lablien").raiseClick();
        EXPECT_EQ(opened, c.opens ? std::vector<std::string>{c.tag} : std::vector<std::string>{});
    }
}

TEST_F(LinksTest, TheNewsLinkComesFromTheLoadedEditionFile) {
    box.writeFile("Zenkor2024.ini", "[Lien]\r\n0=Le programme TV\r\n1=https://tv.example/euro\r\n");
    zenkor::Zenkor& w = start();
    EXPECT_EQ(w("Lablien").Caption(), "Le programme TV");
    w("Lablien").raiseClick();
    EXPECT_EQ(opened, std::vector<std::string>{"https://tv.example/euro"});
}

}  // namespace
}  // namespace online_testing
