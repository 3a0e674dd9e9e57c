// The qualifiers panel as a whole: opening, Re-Calcul and the board, play-offs, saving, the fixture lists
// and the panel's other commands.
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "tests/qualifiers/qualifiers_support.h"

namespace {

using platform::Control;
using qualifiers_testing::Group;
using qualifiers_testing::QualifiersTest;
using qualifiers_testing::rowOf;
using qualifiers_testing::sixTeams;

constexpr platform::Color kWhite = 16777215, kGreen = 65280, kYellow = 65535;
constexpr platform::Color kDarkGrey = platform::RGB(80, 80, 80);

TEST_F(QualifiersTest, TheShippedFileGivesTheRealBoard) {
    box.copyDataFile("Elim2024.ini");
    auto w = start();
    ASSERT_FALSE((*w)("FraElim").Visible());
    open(*w);
    EXPECT_TRUE((*w)("FraElim").Visible());
    EXPECT_EQ((*w)("ELIMGRP").Text(), "A");
    EXPECT_FALSE((*w)("List7").Visible());
    EXPECT_EQ((*w)("Label24", 0).Caption(), "260 matches joués sur 260");
    EXPECT_EQ((*w)("Label10").Caption(),
              "Qualifications du tournoi de football 2016 terminées : la France, "
              "pays hôte, et 23 équipes qualifiées.");
    // Winners and runners-up in the order of the visit, group I first.
    const std::vector<std::string> winners = {"Portugal",     "Italie",     "Autriche",
                                              "Irlande Nord", "Angleterre", "Allemagne",
                                              "Espagne",      "Belgique",   "Rép Tchèque"};
    const std::vector<std::string> second = {"Albanie", "Croatie",   "Russie", "Roumanie", "Suisse",
                                             "Pologne", "Slovaquie", "Galles", "Islande"};
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ((*w)("QUALIF", k + 1).Text(), winners[static_cast<size_t>(k)]);
        EXPECT_EQ((*w)("QUALIF", k + 10).Text(), second[static_cast<size_t>(k)]);
    }
    EXPECT_EQ((*w)("QUALIF", 0).Text(), "France");
    EXPECT_EQ((*w)("QUALIF", 19).Text(), "Turquie");
    EXPECT_EQ((*w)("QUALIF", 20).Text(), "Irlande");
    EXPECT_EQ((*w)("QUALIF", 21).Text(), "Ukraine");
    EXPECT_EQ((*w)("QUALIF", 22).Text(), "Suède");
    EXPECT_EQ((*w)("QUALIF", 23).Text(), "Hongrie");
    EXPECT_EQ(platform::Split((*w)("QuaBar").Text(), "\r\n").size(), 9u);
    EXPECT_EQ((*w)("BAR", 1).BackColor(), kGreen);
    EXPECT_EQ((*w)("BAR", 0).BackColor(), kWhite);

    // Group E as it really ended, Estonie ahead of Lituanie on goal difference.
    showGroup(*w, 'E');
    EXPECT_EQ(table(*w), (std::vector<std::string>{"Angleterre", "Suisse", "Slovénie", "Estonie", "Lituanie",
                                                   "Saint Marin"}));
    std::vector<std::string> points;
    for (int r = 1; r <= 6; ++r) points.push_back((*w)("SortPTS", r).Text());
    EXPECT_EQ(points, (std::vector<std::string>{"30", "21", "16", "10", "10", "1"}));
    EXPECT_EQ((*w)("Label24", 1).Caption(), "30 matches joués sur 30");
    // Level on points, decided by their results against each other: the file's advantage holds it.
    showGroup(*w, 'C');
    EXPECT_EQ(table(*w), (std::vector<std::string>{"Espagne", "Slovaquie", "Ukraine", "Biélorussie",
                                                   "Luxembourg", "Macédoine"}));
    showGroup(*w, 'F');
    EXPECT_EQ(table(*w), (std::vector<std::string>{"Irlande Nord", "Roumanie", "Hongrie", "Finland",
                                                   "Îles Féroé", "Grèce"}));

    // "Qualifications" again closes the panel; "Fermer" closes it too.
    open(*w);
    EXPECT_FALSE((*w)("FraElim").Visible());
    open(*w);
    (*w)("Command24").raiseClick();
    EXPECT_FALSE((*w)("FraElim").Visible());
    EXPECT_TRUE(errors.empty());
}

TEST_F(QualifiersTest, TheBoardWaitsForNineFixturesAndForAThirdWithPoints) {
    // Group A has no score and its third is held at a key of 1200; group B has eight goalless draws.
    Group a{"A", sixTeams(), {}, {{0, "300"}, {1, "250"}, {2, "200"}}};
    Group b{"B", sixTeams("G"), {}, {}};
    for (int j = 1; j <= 5; ++j) b.scores[{0, j}] = {"0", "0"};
    for (int j = 1; j <= 3; ++j) b.scores[{j, 0}] = {"0", "0"};
    writeQualifiers({a, b});
    auto w = start();
    open(*w);
    EXPECT_EQ((*w)("QUALIF", 1).Text(), "");
    EXPECT_EQ((*w)("QUALIF", 19).Text(), "");
    EXPECT_EQ((*w)("Label24", 0).Caption(), "8 matches joués sur 60");

    showGroup(*w, 'B');
    score(*w, rowOf(4, 0), "0", "0");
    (*w)("Command23").raiseClick();
    (*w)("Command25").raiseClick();
    EXPECT_EQ((*w)("Label24", 0).Caption(), "9 matches joués sur 60");
    EXPECT_EQ((*w)("QUALIF", 1).Text(), "GAa");
    EXPECT_EQ((*w)("QUALIF", 10).Text(), "GEe");
    EXPECT_EQ((*w)("QUALIF", 2).Text(), "");  // group A's third has exactly 1200
    EXPECT_EQ((*w)("QUALIF", 19).Text(), "GDd");
    EXPECT_EQ((*w)("ELIMGRP").Text(), "A");

    ASSERT_TRUE(zenkor::WriteIni("Elim2024", "TrimElimA", "2", "201"));
    (*w)("Command25").raiseClick();
    EXPECT_EQ((*w)("QUALIF", 2).Text(), "Aa");
    EXPECT_EQ((*w)("QUALIF", 11).Text(), "Bb");
}

TEST_F(QualifiersTest, EqualThirdsGoToTheLaterNameAndTheOthersWaitForThePlayOffs) {
    const std::map<int, std::string> lift = {{0, "500"}, {1, "500"}, {2, "500"},
                                             {3, "500"}, {4, "500"}, {5, "500"}};
    Group a{"A", sixTeams(), {}, lift};
    Group b{"B", sixTeams("J"), {}, lift};
    Group c{"C", sixTeams("Z"), {}, {}};
    for (int j = 1; j <= 5; ++j) c.scores[{0, j}] = {"1", "0"};
    for (int j = 1; j <= 4; ++j) c.scores[{j, 0}] = {"0", "1"};
    writeQualifiers({a, b, c});
    auto w = start();
    open(*w);
    // Both thirds have the key 1500: the name that sorts later wins.
    EXPECT_EQ((*w)("QUALIF", 19).Text(), "JDd");
    EXPECT_EQ((*w)("QuaBar").Text(), "Dd\r\nZEe\r\n");
    // Group C's third has lost twice: that group adds no winner.
    EXPECT_EQ((*w)("QUALIF", 1).Text(), "JFf");
    EXPECT_EQ((*w)("QUALIF", 2).Text(), "Ff");
    EXPECT_EQ((*w)("QUALIF", 10).Text(), "JEe");
    EXPECT_EQ((*w)("QUALIF", 3).Text(), "");
}

TEST_F(QualifiersTest, PlayOffWinnersJoinTheBoardAndStayThere) {
    writeQualifiers({{"A", sixTeams(), {}, {}}},
                    "[QBAR]\r\n0=Bosnie\r\n1=Irlande\r\n[butBAR]\r\n0=-\r\n1=2\r\n");
    auto w = start();
    open(*w);
    Control& home = (*w)("ButBAR", 0);
    EXPECT_EQ((*w)("BAR", 1).BackColor(), kWhite);  // a "-" leaves the tie undecided
    EXPECT_EQ((*w)("QUALIF", 20).Text(), "");
    home.setText("1");
    EXPECT_EQ((*w)("BAR", 1).BackColor(), kGreen);
    EXPECT_EQ((*w)("QUALIF", 20).Text(), "Irlande");
    home.setText("-3");
    EXPECT_EQ(home.Text(), "3");
    EXPECT_EQ((*w)("BAR", 0).BackColor(), kGreen);
    EXPECT_EQ((*w)("BAR", 1).BackColor(), kWhite);
    EXPECT_EQ((*w)("QUALIF", 20).Text(), "Irlande");
    EXPECT_EQ((*w)("QUALIF", 21).Text(), "Bosnie");
    home.setText("2");  // a draw: nobody more
    EXPECT_EQ((*w)("QUALIF", 22).Text(), "");
}

TEST_F(QualifiersTest, ADoubleClickedCandidateMovesIntoTheFirstFreePlayOffBox) {
    writeQualifiers({{"A", sixTeams(), {}, {}}}, "[QBAR]\r\n0=Suède\r\n");
    auto w = start();
    open(*w);
    Control& candidates = (*w)("QuaBar");
    candidates.setText("Irlande Nord\r\nIrlande\r\nDanemark\r\n");
    candidates.setSelStart(8);  // "Nord"
    candidates.setSelLength(4);
    candidates.raiseDblClick();
    EXPECT_EQ((*w)("BAR", 1).Text(), "Irlande Nord");
    EXPECT_EQ(candidates.Text(), "\r\nIrlande\r\nDanemark\r\n");

    // The line double-clicked is the one moved, even when a longer name holds it.
    candidates.setText("Irlande Nord\r\nIrlande\r\n");
    candidates.setSelStart(14);
    candidates.setSelLength(7);
    candidates.raiseDblClick();
    EXPECT_EQ((*w)("BAR", 2).Text(), "Irlande");
    EXPECT_EQ(candidates.Text(), "Irlande Nord\r\n\r\n");
}

// Nothing that reloads the panel drops what the user typed or moved there: it is saved first, as "Sauver"
// saves it, and a save that fails reloads nothing.
TEST_F(QualifiersTest, WhatTheUserChangedSurvivesEveryReloadOfThePanel) {
    writeQualifiers({{"A", sixTeams(), {}, {}}, {"B", sixTeams("G"), {}, {}}});
    auto w = start();
    open(*w);
    ASSERT_EQ((*w)("ELIMGRP").Text(), "A");
    const std::string untouched = box.readFile("Elim2024.ini");

    // Type, press another group, come back.
    score(*w, rowOf(0, 1), "2", "1");
    showGroup(*w, 'B');
    EXPECT_EQ(stored("ButA", "0"), "2");
    EXPECT_EQ(stored("ButB", "0"), "<none>");  // nothing typed in B: B is not written
    showGroup(*w, 'A');
    EXPECT_EQ((*w)("ButElim", 0).Text(), "2");
    EXPECT_EQ((*w)("ButElim", 1).Text(), "1");
    EXPECT_EQ(team(*w, 1), "Aa");

    // Move a play-off team, "Re-Calcul".
    Control& candidates = (*w)("QuaBar");
    candidates.setText("Irlande\r\nSuède\r\n");
    candidates.setSelStart(9);
    candidates.setSelLength(5);
    candidates.raiseDblClick();
    ASSERT_EQ((*w)("BAR", 0).Text(), "Suède");
    (*w)("Command25").raiseClick();
    EXPECT_EQ((*w)("BAR", 0).Text(), "Suède");
    EXPECT_EQ(stored("QBAR", "0"), "Suède");
    EXPECT_EQ((*w)("ButElim", 0).Text(), "2");

    // Close and reopen.
    score(*w, rowOf(2, 3), "0", "0");
    (*w)("Command24").raiseClick();
    open(*w);
    ASSERT_TRUE((*w)("FraElim").Visible());
    EXPECT_EQ((*w)("ButElim", 2 * rowOf(2, 3)).Text(), "0");
    EXPECT_EQ((*w)("Label24", 0).Caption(), "2 matches joués sur 60");
    EXPECT_TRUE(box.dialogs->messages.empty());
    EXPECT_NE(box.readFile("Elim2024.ini"), untouched);

    // A save that fails is reported as "Sauver" reports it, and the panel keeps what the user typed.
    const std::filesystem::path file = box.folder() / "Elim2024.ini";
    const std::string saved = box.readFile("Elim2024.ini");
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    score(*w, rowOf(5, 4), "4", "4");
    (*w)("Command23").raiseClick();
    showGroup(*w, 'B');
    (*w)("Command25").raiseClick();
    (*w)("Command24").raiseClick();
    open(*w);
    const auto& messages = box.dialogs->messages;
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].title, "Sauver");
    EXPECT_EQ(messages[0].text.rfind("Le fichier Elim2024.ini n'a pas pu être enregistré.", 0), 0u);
    for (size_t i = 1; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].text, messages[0].text);
        EXPECT_EQ(messages[i].title, messages[0].title);
    }
    EXPECT_EQ((*w)("ELIMGRP").Text(), "A");
    EXPECT_EQ((*w)("ButElim", 2 * rowOf(5, 4)).Text(), "4");
    EXPECT_EQ((*w)("BAR", 0).Text(), "Suède");

    // Once the file can be written again, the next group button saves, then loads.
    std::filesystem::remove(file);
    box.writeFile("Elim2024.ini", saved);
    showGroup(*w, 'B');
    EXPECT_EQ((*w)("ELIMGRP").Text(), "B");
    EXPECT_EQ(stored("ButA", std::to_string(2 * rowOf(5, 4))), "4");
    EXPECT_EQ(messages.size(), 4u);
    EXPECT_TRUE(errors.empty());
}

TEST_F(QualifiersTest, SauverKeepsTheGroupAndAFailedSaveIsReported) {
    writeQualifiers({{"A", sixTeams(), {}, {}}, {"B", sixTeams("G"), {}, {}}});
    auto w = start();
    open(*w);
    showGroup(*w, 'A');
    score(*w, rowOf(0, 1), "2", "1");
    (*w)("BAR", 0).setText("Écosse");
    (*w)("Command23").raiseClick();
    EXPECT_TRUE(box.dialogs->messages.empty());
    EXPECT_EQ(stored("ButA", "0"), "2");
    EXPECT_EQ(stored("ButA", "59"), "-");
    EXPECT_EQ(stored("ButB", "0"), "<none>");  // other groups are not touched
    EXPECT_NE(box.readFile("Elim2024.ini")
                  .find("0=\xC9"
                        "cosse\r\n"),
              std::string::npos);

    showGroup(*w, 'B');
    EXPECT_EQ((*w)("EquiElim", 0).Text(), "GAa");
    showGroup(*w, 'A');
    EXPECT_EQ((*w)("ButElim", 0).Text(), "2");
    EXPECT_EQ(team(*w, 1), "Aa");
    EXPECT_EQ((*w)("BAR", 0).Text(), "Écosse");

    // Swapping two teams moves the pairs while each row keeps its score.
    writeQualifiers({{"A", {"Bb", "Aa", "Cc", "Dd", "Ee", "Ff"}, {{{0, 1}, {"2", "1"}}}, {}}});
    showGroup(*w, 'A');
    EXPECT_EQ((*w)("EquiElim", 0).Text(), "Bb");
    EXPECT_EQ(team(*w, 1), "Bb");

    // A file that cannot be replaced: the user is told, the old content stays.
    const std::filesystem::path file = box.folder() / "Elim2024.ini";
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    (*w)("Command23").raiseClick();
    ASSERT_EQ(box.dialogs->messages.size(), 1u);
    EXPECT_EQ(box.dialogs->messages[0].text,
              "Le fichier Elim2024.ini n'a pas pu être enregistré.\nread Elim2024.ini: Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(file));
    EXPECT_TRUE(errors.empty());
}

TEST_F(QualifiersTest, FixtureListsFollowTheTableAndTheDate) {
    at("09/10/2015 15:00:00");  // before the last qualifiers: start-up opens the panel
    writeQualifiers({{"D", {"Allemagne", "Ecosse", "Géorgie", "Gibraltar", "Irlande", "Pologne"}, {}, {}}});
    auto w = start();
    ASSERT_TRUE((*w)("FraElim").Visible());
    Control& list = (*w)("List7");
    (*w)("Command27").raiseClick();
    EXPECT_EQ(list.ListCount(), 260);
    EXPECT_EQ((*w)("Label24", 2).Caption(), "260 matches");
    EXPECT_TRUE((*w)("Label24", 2).Visible());
    EXPECT_EQ(list.List(0), "D 07/09/2014 Allemagne - Ecosse");

    (*w)("Check1").setValue(1);
    (*w)("Command27").raiseClick();
    EXPECT_EQ(list.ListCount(), 44);  // from today on; yesterday's fixtures are gone
    EXPECT_EQ(list.List(0), "E 09/10/2015 Angleterre - Estonie");
    (*w)("Check1").setValue(0);

    showGroup(*w, 'B');
    EXPECT_EQ(list.List(1), "09/09/2014 Bosnie - Chypre");
    EXPECT_EQ(list.List(2), "31/03/2015 Israel - Belgique");
    EXPECT_EQ(list.List(3), "10/10/2014 Belgique - Andorre");

    // An all-groups line opens its group; a group line then marks its grid row.
    (*w)("Command27").raiseClick();
    list.setListIndex(0);
    list.raiseMouseDown(1, 0, 0, 0);
    EXPECT_EQ((*w)("ELIMGRP").Text(), "D");
    EXPECT_EQ(list.ListCount(), 10 * 3);
    ASSERT_EQ(list.List(0), "07/09/2014 Allemagne - Ecosse");
    list.setListIndex(0);
    list.raiseMouseDown(1, 0, 0, 0);
    EXPECT_EQ((*w)("EquiElim", 0).BackColor(), kDarkGrey);
    EXPECT_EQ((*w)("EquiElim", 1).BackColor(), kDarkGrey);
    EXPECT_EQ((*w)("EquiElim", 2).BackColor(), kWhite);
    EXPECT_EQ(w->focused(), &(*w)("ButElim", 0));
    EXPECT_EQ((*w)("Command22", 1).Tag(), "0");
    EXPECT_TRUE(errors.empty());
}

TEST_F(QualifiersTest, HoveringATeamFollowsItThroughTheGridAndTheList) {
    writeQualifiers({{"I", {"Albanie", "Arménie", "Danemark", "Portugal", "Serbie"}, {}, {}}});
    auto w = start();
    open(*w);
    showGroup(*w, 'I');
    Control& list = (*w)("List7");
    ASSERT_EQ(list.ListCount(), 20);
    (*w)("EquiElim", 0).raiseMouseMove(0, 0, 1, 1);
    int yellow = 0;
    for (int k = 0; k <= 59; ++k) yellow += (*w)("EquiElim", k).BackColor() == kYellow;
    EXPECT_EQ(yellow, 8);
    EXPECT_FALSE(list.Selected(0));  // 15 lines or more: the list keeps its selection

    // With team following off nothing changes.
    list.raiseDblClick();
    EXPECT_EQ(list.BackColor(), kWhite);
    (*w)("EquiElim", 1).raiseMouseMove(0, 0, 1, 1);
    EXPECT_EQ((*w)("EquiElim", 0).BackColor(), kYellow);
    list.raiseDblClick();
    EXPECT_EQ(list.BackColor(), 14737632);

    (*w)("Check1").setValue(1);
    at("07/09/2015 12:00:00");
    showGroup(*w, 'I');
    ASSERT_LT(list.ListCount(), 15);
    (*w)("EquiElim", 0).raiseMouseMove(0, 0, 1, 1);
    for (int i = 0; i < list.ListCount(); ++i) {
        EXPECT_EQ(list.Selected(i), list.List(i).find("Albanie") != std::string::npos) << list.List(i);
    }
}

TEST_F(QualifiersTest, TheTestAidsAndTheAdvantagePanel) {
    writeQualifiers({{"A", sixTeams(), {}, {}}});
    auto w = start();
    open(*w);
    showGroup(*w, 'A');
    for (int i = 0; i < 3; ++i) (*w)("NEElim", 4).raiseDblClick();
    EXPECT_EQ(stored("TrimElimA", "4"), "30");
    EXPECT_EQ(team(*w, 1), "Ee");

    (*w)("ButElim", 59).raiseClick();
    EXPECT_EQ((*w)("Command22", 1).Tag(), "59");
    (*w)("Command22", 1).raiseClick();
    EXPECT_NE((*w)("ButElim", 59).Text(), "-");
    EXPECT_EQ((*w)("Command22", 1).Tag(), "0");
    (*w)("Command22", 0).raiseClick();
    EXPECT_EQ((*w)("Label24", 1).Caption(), "30 matches joués sur 30");
    (*w)("Command22", 2).raiseClick();
    EXPECT_EQ((*w)("Label24", 1).Caption(), "0 matches joués sur 30");

    (*w)("ButElim", 3).setText("12");
    (*w)("ButElim", 3).raiseGotFocus();
    EXPECT_EQ((*w)("ButElim", 3).SelLength(), 2);

    const bool trim = (*w)("FraTrim").Visible();
    (*w)("Command22", 5).raiseClick();
    EXPECT_NE((*w)("FraTrim").Visible(), trim);
    (*w)("Command28").raiseClick();
    EXPECT_TRUE((*w)("Frame5").Visible());
    EXPECT_TRUE((*w)("Command22", 3).Visible());

    // "Calendr" steps through the list, filling the fixture it marks: group A opens with Islande - Turquie.
    (*w)("Command22", 2).raiseClick();  // back to the scores as loaded: nothing to save before the load
    writeQualifiers(
        {{"A", {"Islande", "Kazakhstan", "Lettonie", "Pays-Bas", "Rép Tchèque", "Turquie"}, {}, {}}});
    showGroup(*w, 'A');
    (*w)("Command22", 3).raiseClick();
    EXPECT_EQ((*w)("List7").Tag(), "1");
    const int row = rowOf(0, 5);
    EXPECT_EQ((*w)("EquiElim", 2 * row).BackColor(), kDarkGrey);
    EXPECT_NE((*w)("ButElim", 2 * row).Text(), "-");
    EXPECT_NE((*w)("ButElim", 2 * row + 1).Text(), "-");
    EXPECT_EQ((*w)("Command22", 1).Tag(), std::to_string(2 * row + 2));
    EXPECT_TRUE(errors.empty());
}

TEST_F(QualifiersTest, StartingBeforeTheLastQualifierOpensThePanelWithAllFixtures) {
    box.copyDataFile("Elim2024.ini");
    at("01/10/2015 09:00:00");
    auto w = start();
    EXPECT_TRUE((*w)("FraElim").Visible());
    EXPECT_EQ((*w)("List7").ListCount(), 260);
    EXPECT_TRUE((*w)("Label24", 2).Visible());
    EXPECT_EQ((*w)("Command26").Tag(), "CH");
    EXPECT_TRUE(errors.empty());
}

// The panel's visible controls lie inside it, clear of one another and of the online picture's place;
// only the grid's rows overlap, each the one above by 25 twips (280 high every 255), as boxes of a table.
TEST_F(QualifiersTest, ThePanelShowsNothingOverlapping) {
    box.copyDataFile("Elim2024.ini");
    auto w = start();
    open(*w);
    Control& panel = (*w)("FraElim");
    struct Rect {
        int left, top, right, bottom;
    };
    std::vector<std::pair<std::string, Rect>> shown = {
        {"Image21 place", {9150, 7230, 9150 + 2235, 7230 + 225}}};
    std::vector<const Control*> controls = {nullptr};
    for (const Control* c : w->children(&panel)) {
        if (!c->Visible() || c->name() == "Image21") continue;
        const Rect r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= panel.Width() && r.bottom <= panel.Height())
            << c->displayName();
        shown.emplace_back(c->displayName(), r);
        controls.push_back(c);
    }
    // Box k + 2 of a grid column is the row below box k.
    const auto rowsOfTheGrid = [&](size_t i, size_t j) {
        const Control* a = controls[i];
        const Control* b = controls[j];
        return a != nullptr && b != nullptr && a->name() == b->name() &&
               (a->name() == "EquiElim" || a->name() == "ButElim") && std::abs(a->index() - b->index()) == 2;
    };
    ASSERT_GT(shown.size(), 150u);
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const Rect& a = shown[i].second;
            const Rect& b = shown[j].second;
            const bool overlap = a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
            if (rowsOfTheGrid(i, j)) {
                EXPECT_EQ(std::min(a.bottom, b.bottom) - std::max(a.top, b.top), 25)
                    << shown[i].first << " and " << shown[j].first;
                continue;
            }
            EXPECT_FALSE(overlap) << shown[i].first << " and " << shown[j].first;
        }
    }
}

}  // namespace
