// The edition files shipped in data/: each loads into the window as the real tournament stood.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/edition_files.h"
#include "app/ini_file.h"
#include "platform/text.h"
#include "tests/support/fakes.h"

using namespace zenkor;
using testing_support::Sandbox;

namespace {

const char* const kPoints[6] = {"PTs", "PTsB", "PTsC", "PTsD", "PTsE", "PTsF"};
const char* const kDifference[6] = {"Delta", "DeltaB", "DeltaC", "DeltaD", "DeltaE", "DeltaF"};

struct Row {
    const char* team;
    const char* points;
    const char* difference;
};
using Table = std::vector<Row>;  // places 1 to 4

// Loads a shipped edition as after start-up, so every box fires its handlers.
struct LoadedEdition {
    explicit LoadedEdition(const std::string& baseName, int language = 0) {
        box.copyDataFile(baseName + ".ini");
        w.sage = language;
        w.FChargee = true;
        LoadEditionFile(w, baseName);
    }
    Sandbox box;
    Zenkor w;
};

// Index 1..4 of a team's box in its group, 0 when the group has no such team.
int TeamIndex(Zenkor& w, int group, const std::string& team) {
    for (int i = 1; i <= 4; ++i) {
        if (w(Zenkor::groupName(group), i).Text() == team) return i;
    }
    return 0;
}

void ExpectTables(Zenkor& w, const std::vector<Table>& tables) {
    for (int g = 0; g < 6; ++g) {
        SCOPED_TRACE("group " + Zenkor::groupName(g));
        for (int place = 1; place <= 4; ++place) {
            const Row& row = tables[static_cast<size_t>(g)][static_cast<size_t>(place - 1)];
            const int i = TeamIndex(w, g, row.team);
            ASSERT_NE(i, 0) << row.team;
            EXPECT_EQ(w.teamPlace(g, i), place) << row.team;
            EXPECT_EQ(w(kPoints[g], i).Caption(), row.points) << row.team;
            EXPECT_EQ(w(kDifference[g], i).Caption(), row.difference) << row.team;
            // A complete group marks its first two (a qualified third may be marked too).
            if (place != 3) {
                EXPECT_EQ(w(Zenkor::groupName(g), i).ForeColor() == platform::kRed, place <= 2) << row.team;
            }
        }
        EXPECT_EQ(w(Zenkor::groupName(g), 1).Tag() + w(Zenkor::groupName(g), 2).Tag() +
                      w(Zenkor::groupName(g), 3).Tag() + w(Zenkor::groupName(g), 4).Tag(),
                  "");
    }
}

// Knockout results of 2016 and 2020 are not shipped: their brackets were not this program's.
void ExpectNoKnockoutScore(Zenkor& w) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(w("Buthui", i).Text(), "-");
        EXPECT_EQ(w("ButPen", i).Text(), "-");
    }
    for (int i = 0; i < 8; ++i) EXPECT_EQ(w("ButQua", i).Text(), "-");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w("ButDem", i).Text(), "-");
    for (int i = 0; i < 2; ++i) EXPECT_EQ(w("ButFIN", i).Text(), "-");
    EXPECT_EQ(w("pod", 1).Caption(), "");
}

}  // namespace

TEST(ShippedEditions, Edition2016GroupTables) {
    LoadedEdition e("Zenkor2016");
    // Group E: Italy won it on the match between the two (2-0); this program ranks level teams by goal
    // difference and then goals scored, which puts Belgium (4 goals to Italy's 3) first.
    ExpectTables(
        e.w,
        {
            {{"France", "7", "3"}, {"Suisse", "5", "1"}, {"Albanie", "3", "-2"}, {"Roumanie", "1", "-2"}},
            {{"Pays de Galles", "6", "3"},
             {"Angleterre", "5", "1"},
             {"Slovaquie", "4", "0"},
             {"Russie", "1", "-4"}},
            {{"Allemagne", "7", "3"},
             {"Pologne", "7", "2"},
             {"Irlande du Nord", "3", "0"},
             {"Ukraine", "0", "-5"}},
            {{"Croatie", "7", "2"},
             {"Espagne", "6", "3"},
             {"Turquie", "3", "-2"},
             {"République tchèque", "1", "-3"}},
            {{"Belgique", "6", "2"}, {"Italie", "6", "2"}, {"Irlande", "4", "-2"}, {"Suède", "1", "-2"}},
            {{"Hongrie", "5", "2"}, {"Islande", "5", "1"}, {"Portugal", "3", "0"}, {"Autriche", "1", "-3"}},
        });
    // Every match of the group stage is entered, in the window's fixture order: France - Romania 2-1 first.
    EXPECT_EQ(e.w("lm", 0).Caption(), "France");
    EXPECT_EQ(e.w("ButA", 0).Text(), "2");
    EXPECT_EQ(e.w("ButA", 1).Text(), "1");
    // Hungary - Portugal 3-3 is listed as Portugal's match 4-1 of group F.
    EXPECT_EQ(e.w("lmF", 8).Caption(), "Hongrie");
    EXPECT_EQ(e.w("ButF", 8).Text() + "-" + e.w("ButF", 9).Text(), "3-3");
    ExpectNoKnockoutScore(e.w);
    EXPECT_NE(e.w("Label10").Caption().find("2016"), std::string::npos);
    EXPECT_TRUE(e.box.dialogs->messages.empty());
}

TEST(ShippedEditions, Edition2020GroupTables) {
    LoadedEdition e("Zenkor2020");
    // Group F: Germany came second on its 4-2 win over Portugal; by goals scored (7 to 6) this program
    // puts Portugal second.
    ExpectTables(
        e.w,
        {
            {{"Italie", "9", "7"},
             {"Pays de Galles", "4", "1"},
             {"Suisse", "4", "-1"},
             {"Turquie", "0", "-7"}},
            {{"Belgique", "9", "6"}, {"Danemark", "3", "1"}, {"Finlande", "3", "-2"}, {"Russie", "3", "-5"}},
            {{"Pays-Bas", "9", "6"},
             {"Autriche", "6", "1"},
             {"Ukraine", "3", "-1"},
             {"Macédoine du Nord", "0", "-6"}},
            {{"Angleterre", "7", "2"},
             {"Croatie", "4", "1"},
             {"République tchèque", "4", "1"},
             {"Écosse", "1", "-4"}},
            {{"Suède", "7", "2"}, {"Espagne", "5", "5"}, {"Slovaquie", "3", "-5"}, {"Pologne", "1", "-2"}},
            {{"France", "5", "1"}, {"Portugal", "4", "1"}, {"Allemagne", "4", "1"}, {"Hongrie", "2", "-3"}},
        });
    // Portugal - Germany 2-4 stands in the window as Germany's match 4-2.
    EXPECT_EQ(e.w("lmF", 6).Caption(), "Allemagne");
    EXPECT_EQ(e.w("ButF", 6).Text() + "-" + e.w("ButF", 7).Text(), "4-2");
    ExpectNoKnockoutScore(e.w);
    EXPECT_TRUE(e.box.dialogs->messages.empty());
}

TEST(ShippedEditions, Edition2024TeamsAndNews) {
    LoadedEdition e("Zenkor2024");
    const std::vector<std::vector<std::string>> teams = {
        {"Allemagne", "Écosse", "Hongrie", "Suisse"},
        {"Espagne", "Croatie", "Italie", "Albanie"},
        {"Slovénie", "Danemark", "Serbie", "Angleterre"},
        {"Pologne", "Pays-Bas", "Autriche", "France"},
        {"Belgique", "Slovaquie", "Roumanie", "Ukraine"},
        {"Turquie", "Géorgie", "Portugal", "République tchèque"},
    };
    for (int g = 0; g < 6; ++g) {
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(e.w(Zenkor::groupName(g), i).Text(),
                      teams[static_cast<size_t>(g)][static_cast<size_t>(i - 1)]);
        }
        for (int k = 0; k < 12; ++k) EXPECT_EQ(e.w("But" + Zenkor::groupName(g), k).Text(), "-");
    }
    // The opening match, and the slots of the round of 16 carrying Portugal - Slovenia on both views.
    EXPECT_EQ(e.w("lm", 0).Caption(), "Allemagne");
    EXPECT_EQ(e.w("lm", 1).Caption(), "Écosse");
    EXPECT_EQ(e.w("lm", 0).Tag(), "MUC(TF1) 14/06/24 21:00");
    EXPECT_EQ(e.w("lm", 1).Tag(), "MUC(TF1) 14/06/24 21:00");
    for (int slot : {0, 1, 16, 17}) EXPECT_EQ(e.w("Huit", slot).Tag(), "FRA(M6) 01/07/24 21:00");
    EXPECT_EQ(e.w("FIN", 1).Tag(), "BER(M6) 14/07/24 21:00");
    EXPECT_EQ(e.w("pf", 0).Tag(), "");  // no third-place match was played

    Control& list = e.w("List1");
    ASSERT_EQ(list.ListCount(), 52);
    EXPECT_EQ(list.List(0), "A0MUC(TF1) 14/06/24 21:00");
    EXPECT_EQ(list.List(50), "Y0");
    EXPECT_EQ(list.List(51), "Z0BER(M6) 14/07/24 21:00");

    EXPECT_TRUE(e.box.dialogs->messages.empty());  // the data needs no newer program
    EXPECT_EQ(platform::Left(e.w("Label10").Caption(), 11), "Bienvenue !");
    EXPECT_TRUE(e.w("Shape3").Visible());
    EXPECT_EQ(platform::Left(e.w("Lablien").Tag(), 8), "https://");

    LoadedEdition english("Zenkor2024", 1);
    EXPECT_EQ(platform::Left(english.w("Label10").Caption(), 8), "Welcome!");
    LoadedEdition spanish("Zenkor2024", 2);
    EXPECT_EQ(platform::Left(spanish.w("Label10").Caption(), 12), "¡Bienvenido!");
}

TEST(ShippedEditions, Edition2024MatchInformationIsWellFormedAndPlausible) {
    Sandbox box;
    box.copyDataFile("Zenkor2024.ini");
    const std::regex wellFormed(R"(^(DOR|BER|COL|ARE|DUS|FRA|LEP|MUC|STR|HAM)\((TF1|F2|M6|C\+|TMC|beIN)\) )"
                                R"((\d\d)/(06|07)/24 ([01]\d|2[0-3]):[0-5]\d$)");
    std::vector<int> keys;
    for (int k = 0; k <= 70; k += 2) keys.push_back(k);
    for (int k : {100, 102, 104, 106, 108, 110, 112, 114, 200, 202, 204, 206, 300, 302, 500})
        keys.push_back(k);
    std::map<int, std::string> info;
    std::set<std::string> venueDays;
    for (int k : keys) {
        const std::string v = ReadIni("Zenkor2024", "Match", std::to_string(k), "?");
        EXPECT_TRUE(std::regex_match(v, wellFormed)) << k << ": " << v;
        EXPECT_TRUE(venueDays.insert(v.substr(0, 3) + platform::Right(v, 14).substr(0, 5)).second)
            << "two matches in one stadium on one day: " << v;
        info[k] = v;
    }
    EXPECT_EQ(ReadIni("Zenkor2024", "Match", "400", "?"), "?");

    const auto date = [&](int k) { return platform::Right(info[k], 14).substr(0, 5); };
    const auto day = [&](int k) {
        return std::stoi(date(k).substr(3, 2)) * 100 + std::stoi(date(k).substr(0, 2));
    };
    for (int g = 0; g < 6; ++g) {
        SCOPED_TRACE("group " + Zenkor::groupName(g));
        const int base = 12 * g;
        // The last two matches of a group kick off together.
        EXPECT_EQ(platform::Right(info[base + 8], 14), platform::Right(info[base + 10], 14));
        // Each team plays on three different days (teams 1..4 of matches 1-2, 3-4, 1-3, 4-2, 4-1, 2-3).
        const int teamOf[6][2] = {{1, 2}, {3, 4}, {1, 3}, {4, 2}, {4, 1}, {2, 3}};
        for (int team = 1; team <= 4; ++team) {
            std::set<std::string> days;
            for (int m = 0; m < 6; ++m) {
                if (teamOf[m][0] == team || teamOf[m][1] == team) days.insert(date(base + 2 * m));
            }
            EXPECT_EQ(days.size(), 3u) << "team " << team;
        }
        for (int m = 0; m < 6; ++m) EXPECT_LE(day(base + 2 * m), 626);
    }
    // Every round is played after the one before it.
    for (int k = 100; k <= 114; k += 2) EXPECT_TRUE(day(k) > 626 && day(k) < day(200)) << k;
    for (int k = 200; k <= 206; k += 2) EXPECT_TRUE(day(k) > day(114) && day(k) < day(300)) << k;
    EXPECT_LT(day(302), day(500));
}

TEST(ShippedEditions, FilesAreWindowsTextWithCrLf) {
    Sandbox box;
    for (const char* name : {"Zenkor2016.ini", "Zenkor2020.ini", "Zenkor2024.ini"}) {
        SCOPED_TRACE(name);
        box.copyDataFile(name);
        const std::string bytes = box.readFile(name);
        ASSERT_FALSE(bytes.empty());
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare line feed at " << i;
            }
        }
        EXPECT_EQ(bytes.find("\xC3"), std::string::npos) << "UTF-8 text";  // no "Ã": accents are single bytes
        EXPECT_EQ(platform::Utf8ToCp1252(platform::Cp1252ToUtf8(bytes)), bytes);
    }
    EXPECT_NE(box.readFile("Zenkor2024.ini")
                  .find("2=\xC9"
                        "cosse\r\n"),
              std::string::npos);
}
