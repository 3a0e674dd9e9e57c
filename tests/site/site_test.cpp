// The real zenkor-site process on 127.0.0.1: the program's online update and pictures against it, its
// pages and errors, publishing, and a real browser's view of it.
#include <gd.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <sqlite3.h>

#include <array>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>

#include "app/main_window.h"
#include "online/online.h"
#include "platform/background.h"
#include "platform/control.h"
#include "platform/ini.h"
#include "platform/opener.h"
#include "tests/site/site_process.h"
#include "tests/support/fakes.h"

namespace site_testing {
namespace {

namespace fs = std::filesystem;

const fs::path kPublishedSource = fs::path(ZENKOR_DATA_DIR) / "site" / "Zenkor2024.ini";
const fs::path kShippedEdition = fs::path(ZENKOR_DATA_DIR) / "Zenkor2024.ini";

// The real 2024 group tables in their final order.
const std::array<std::array<const char*, 4>, 6> kRealTables = {{
    {"Allemagne", "Suisse", "Hongrie", "Écosse"},
    {"Espagne", "Italie", "Croatie", "Albanie"},
    {"Angleterre", "Danemark", "Slovénie", "Serbie"},
    {"Autriche", "France", "Pays-Bas", "Pologne"},
    {"Roumanie", "Belgique", "Slovaquie", "Ukraine"},
    {"Portugal", "Turquie", "Géorgie", "République tchèque"},
}};

std::string fileBytes(const fs::path& file) {
    return platform::ReadFileBytes(file).value_or("<missing>");
}

// Width and height of a GIF or JPEG as libgd decodes it; {0, 0} when it does not.
std::pair<int, int> pictureSize(const std::string& bytes, bool gif) {
    void* data = const_cast<char*>(bytes.data());
    const int size = static_cast<int>(bytes.size());
    gdImagePtr im = gif ? gdImageCreateFromGifPtr(size, data) : gdImageCreateFromJpegPtr(size, data);
    if (!im) return {0, 0};
    std::pair<int, int> wh{gdImageSX(im), gdImageSY(im)};
    gdImageDestroy(im);
    return wh;
}

class SiteTest : public ::testing::Test {
  protected:
    SiteTest() : site(box.folder() / "site-data") {
        platform::SetErrorSink([this](const std::string& e) { errors.push_back(e); });
        platform::SetSiteHost(site.host());
        platform::SetOpener([](const std::string&) {});
    }
    ~SiteTest() override {
        for (const std::string& e : errors) ADD_FAILURE() << e;
        zenkor::ReleaseUpdateConfirmation();
        window.reset();
        platform::SetErrorSink([](const std::string& e) { std::fprintf(stderr, "Zenkor: %s\n", e.c_str()); });
        platform::SetSiteHost("www.valmirade.example");
        platform::SetOpener(nullptr);
    }

    zenkor::Zenkor& start() {
        window = std::make_unique<zenkor::Zenkor>();
        window->show();
        return *window;
    }
    httplib::Result get(const std::string& path) {
        httplib::Client client("127.0.0.1", site.port());
        return client.Get(path);
    }

    testing_support::Sandbox box;
    SiteProcess site;
    std::vector<std::string> errors;
    std::unique_ptr<zenkor::Zenkor> window;
};

TEST_F(SiteTest, TheUpdateBringsThePublishedRealResultsAndThePicturesIntoTheWindow) {
    box.copyDataFile("Zenkor2024.ini");
    box.copyDataFile("langFr.txt");
    zenkor::Zenkor& w = start();
    ASSERT_EQ(w("pod", 1).Caption(), "");
    w("Image14").setVisible(true);

    w("Command8").raiseClick();
    zenkor::FREC* frec = zenkor::CurrentUpdateConfirmation();
    ASSERT_NE(frec, nullptr);
    (*frec)("Command1").raiseClick();
    ASSERT_TRUE(platform::WaitForBackgroundTasks());  // the download, the reload, then the pictures

    EXPECT_TRUE(box.dialogs->messages.empty()) << box.dialogs->messages.front().text;
    EXPECT_TRUE(w.MISAJOUR);
    // The site published the real results on its first start; the program took them byte for byte.
    EXPECT_EQ(fileBytes(site.data() / "Zenkor2024.ini"), fileBytes(kPublishedSource));
    EXPECT_EQ(fileBytes(box.folder() / "Zenkor2024.ini"), fileBytes(kPublishedSource));
    for (int g = 0; g < 6; ++g) {
        for (int i = 1; i <= 4; ++i) {
            const std::string team = w(zenkor::Zenkor::groupName(g), i).Text();
            const int place = w.teamPlace(g, i);
            EXPECT_EQ(team, kRealTables[static_cast<size_t>(g)][static_cast<size_t>(place - 1)])
                << "group " << zenkor::Zenkor::groupName(g) << " place " << place;
        }
    }
    EXPECT_EQ(w("Huit", 0).Text(), "Portugal");
    EXPECT_EQ(w("Huit", 1).Text(), "Slovénie");
    EXPECT_EQ(w("FIN", 0).Text(), "Espagne");
    EXPECT_EQ(w("FIN", 1).Text(), "Angleterre");
    EXPECT_EQ(w("pod", 1).Caption(), "Espagne");
    EXPECT_EQ(w("pod", 2).Caption(), "Angleterre");
    EXPECT_EQ(w("pod", 3).Caption(), "France\r\nPays-Bas");
    EXPECT_NE(w("Label10").Caption().find("l'Espagne est championne d'Europe"), std::string::npos);

    // The pictures the site drew came with the update and show in their boxes.
    const std::string leaders = fileBytes(box.folder() / "imgtmp.gif");
    EXPECT_EQ(pictureSize(leaders, true), std::make_pair(160, 15));
    EXPECT_EQ(pictureSize(fileBytes(box.folder() / "imgtmpelim.gif"), true), std::make_pair(160, 15));
    ASSERT_FALSE(w("Image13").Picture().empty());
    EXPECT_EQ(fileBytes(w("Image13").Picture()), leaders);
    EXPECT_EQ(w("Image14").Picture(), w("Image13").Picture());
    EXPECT_FALSE(w("Image20").Picture().empty());
    EXPECT_EQ(w("Image21").Picture(), w("Image20").Picture());

    zenkor::ChargeBanniere(w);
    ASSERT_TRUE(platform::WaitForBackgroundTasks());
    ASSERT_FALSE(w("Image6").Picture().empty());
    EXPECT_EQ(pictureSize(fileBytes(w("Image6").Picture()), false), std::make_pair(433, 120));
}

TEST_F(SiteTest, PagesShowThePublishedTournamentInFrenchWithEveryValueEscaped) {
    auto home = get("/");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->status, 200);
    EXPECT_EQ(home->get_header_value("Content-Type"), "text/html; charset=utf-8");
    for (const char* shown :
         {"<html lang=\"fr\">", "Champion : Espagne", "Finaliste : Angleterre", "Groupe F", "2. Danemark",
          "République tchèque", "Huitièmes de finale", "(5 t.a.b.)", "href=\"/zenkor.php\"",
          "href=\"/contacter.php?sub=Site\"", "Concours de pronostics", "l&#x27;Espagne est championne"}) {
        EXPECT_NE(home->body.find(shown), std::string::npos) << shown;
    }
    auto program = get("/zenkor.php");
    ASSERT_TRUE(program);
    EXPECT_NE(program->body.find("<title>Zenkor 1.0"), std::string::npos);
    EXPECT_NE(program->body.find("make run"), std::string::npos);

    auto contact = get("/contacter.php?sub=Zenkor%20V1.0%22%3E%3Cscript%3Ealert(1)%3C/script%3E");
    ASSERT_TRUE(contact);
    EXPECT_EQ(contact->status, 200);
    EXPECT_NE(contact->body.find("value=\"Zenkor V1.0&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;\""),
              std::string::npos);
    EXPECT_EQ(contact->body.find("<script>"), std::string::npos);

    auto css = get("/style.css");
    ASSERT_TRUE(css);
    EXPECT_EQ(css->get_header_value("Content-Type"), "text/css; charset=utf-8");
    EXPECT_NE(css->body.find("@media"), std::string::npos);
}

TEST_F(SiteTest, ErrorsGetAPageOfTheSiteAndNoDetail) {
    auto missing = get("/nulle-part.php");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, 404);
    EXPECT_NE(missing->body.find("Cette page n&#x27;existe pas."), std::string::npos);
    EXPECT_NE(missing->body.find("/style.css"), std::string::npos);
    auto escaping = get("/../../etc/passwd");
    ASSERT_TRUE(escaping);
    EXPECT_GE(escaping->status, 400);
    EXPECT_EQ(escaping->body.find("root:"), std::string::npos);

    httplib::Client client("127.0.0.1", site.port());
    auto empty = client.Post("/contacter.php", "sujet=Zenkor+V1.0&nom=Ana&message=+++",
                             "application/x-www-form-urlencoded");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->status, 400);
    EXPECT_NE(empty->body.find("Écrivez un message"), std::string::npos);
    EXPECT_NE(empty->body.find("value=\"Ana\""), std::string::npos);

    auto huge = client.Post("/contacter.php", std::string(300 * 1024, 'x'), "application/octet-stream");
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->status, 413);
    EXPECT_NE(huge->body.find("256 Ko"), std::string::npos);
    EXPECT_FALSE(huge->has_header("EXCEPTION_WHAT"));
}

TEST_F(SiteTest, PublishingChecksTheFileKeepsThePreviousAndTheSiteServesTheNewOne) {
    const std::string data = site.data().string();
    const std::string first = fileBytes(site.data() / "Zenkor2024.ini");
    box.writeFile("garbage.ini", "[EquipA]\r\n1=Allemagne\r\n2=Allemagne\r\n");
    std::string output;
    EXPECT_EQ(SiteProcess::Run({"--data", data, "publish", (box.folder() / "garbage.ini").string()}, &output),
              1);
    EXPECT_NE(output.find("not published"), std::string::npos) << output;
    EXPECT_EQ(SiteProcess::Run({"--data", data, "publish", (box.folder() / "absent.ini").string()}, &output),
              1);
    EXPECT_EQ(fileBytes(site.data() / "Zenkor2024.ini"), first);
    EXPECT_FALSE(fs::exists(site.data() / "Zenkor2024.ini.bak"));

    EXPECT_EQ(SiteProcess::Run({"--data", data, "publish", kShippedEdition.string()}, &output), 0) << output;
    EXPECT_EQ(fileBytes(site.data() / "Zenkor2024.ini.bak"), first);
    auto served = get("/Zenkor2024.ini");
    ASSERT_TRUE(served);
    EXPECT_EQ(served->body, fileBytes(kShippedEdition));
    auto home = get("/");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->body.find("Champion :"), std::string::npos);
    EXPECT_NE(home->body.find("Bienvenue"), std::string::npos);

    EXPECT_EQ(SiteProcess::Run({"--data"}, &output), 2);
    EXPECT_NE(output.find("usage: zenkor-site"), std::string::npos);
}

// A player of the contest, as the program's send button and a browser make one: registers from the
// address, keeps the session cookie, hands in a file through the page's form.
class Player {
  public:
    Player(const SiteProcess& site, const std::string& pseudonym) : client_("127.0.0.1", site.port()) {
        auto r = client_.Get(std::string(kContestPage) + "?mdp=secret&pseudo=" + pseudonym);
        EXPECT_TRUE(r && r->status == 303) << pseudonym;
        if (r && r->has_header("Set-Cookie")) {
            const std::string c = r->get_header_value("Set-Cookie");
            cookie_ = {{"Cookie", c.substr(0, c.find(';'))}};
        }
    }
    void handIn(const std::string& bytes) {
        auto page = client_.Get(kContestPage, cookie_);
        ASSERT_TRUE(page);
        static const std::regex kToken(R"re(name="csrf" value="([^"]+)")re");
        std::smatch m;
        ASSERT_TRUE(std::regex_search(page->body, m, kToken));
        const httplib::MultipartFormDataItems form{
            {"csrf", m[1].str(), "", ""}, {"fichier", bytes, "Zenkor2024.ini", "application/octet-stream"}};
        auto sent = client_.Post(kContestPage, cookie_, form);
        ASSERT_TRUE(sent);
        EXPECT_EQ(sent->status, 303);
    }

  private:
    static constexpr const char* kContestPage = "/expZenkor2024.php";
    httplib::Client client_;
    httplib::Headers cookie_;
};

// The contest's leaders reach the home page and the pictures; a real browser (headless Chromium) shoots
// the home page and the ranking into build/artifacts/ for a person to look at.
TEST(SiteContestTest, TheLeadersShowOnTheHomePageInThePicturesAndInABrowser) {
    testing_support::Sandbox box;
    // The site's clock on 1 June 2024, before the first kick-off: every prediction counts.
    SiteProcess site(box.folder() / "site-data", {"--clock", "1717200000"});
    httplib::Client client("127.0.0.1", site.port());
    auto before = client.Get("/imzenkor.php");
    ASSERT_TRUE(before);

    const std::string real = fileBytes(kPublishedSource);
    Player(site, "Zidane98").handIn(real);  // a perfect prediction
    std::string close = real;
    close = platform::IniAssign(close, "ButA", "0", "2", platform::IniEncoding::Cp1252);
    Player(site, "Ana").handIn(close);

    auto home = client.Get("/");
    ASSERT_TRUE(home);
    const size_t first = home->body.find("Zidane98"), second = home->body.find("Ana</td>");
    EXPECT_NE(first, std::string::npos);
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    auto leaders = client.Get("/imzenkor.php");
    ASSERT_TRUE(leaders);
    EXPECT_EQ(leaders->get_header_value("Content-Type"), "image/gif");
    EXPECT_EQ(pictureSize(leaders->body, true), std::make_pair(160, 15));
    EXPECT_NE(leaders->body, before->body);

    fs::create_directories(ZENKOR_ARTIFACTS_DIR);
    const struct {
        const char* path;
        const char* file;
    } shots[] = {
        {"/", "site-home.png"}, {"/classement.php", "site-ranking.png"}, {"/zenkor.php", "site-program.png"}};
    for (const auto& shot : shots) {
        const fs::path png = fs::path(ZENKOR_ARTIFACTS_DIR) / shot.file;
        std::string output;
        const int status = Screenshot("http://" + site.host() + shot.path, png, 1280, 1600,
                                      box.folder() / ("chromium-" + std::string(shot.file)), &output);
        EXPECT_EQ(status, 0) << output;
        ASSERT_TRUE(fs::exists(png)) << output;
        EXPECT_GT(fs::file_size(png), 20000u) << shot.path;
    }
}

TEST_F(SiteTest, AContactMessageIsStoredAndThankedOnce) {
    httplib::Client client("127.0.0.1", site.port());
    const httplib::Params form{{"sujet", "Zenkor V1.0"},
                               {"nom", "Léa <b>"},
                               {"email", "lea@example.org"},
                               {"message", "Bravo pour le programme !"}};
    auto sent = client.Post("/contacter.php", form);
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->status, 303);
    EXPECT_EQ(sent->get_header_value("Location"), "/contacter.php?envoye=1");
    auto thanks = client.Get("/contacter.php?envoye=1");
    ASSERT_TRUE(thanks);
    EXPECT_NE(thanks->body.find("Merci, votre message est envoyé."), std::string::npos);

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2((site.data() / "contest.sqlite").c_str(), &db, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT subject, name, message, address FROM contact_messages", -1, &st,
                                 nullptr),
              SQLITE_OK);
    std::vector<std::string> rows;
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::string row;
        for (int c = 0; c < 4; ++c)
            row += std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, c))) + "|";
        rows.push_back(row);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    EXPECT_EQ(rows, std::vector<std::string>{"Zenkor V1.0|Léa <b>|Bravo pour le programme !|127.0.0.1|"});
}

}  // namespace
}  // namespace site_testing
