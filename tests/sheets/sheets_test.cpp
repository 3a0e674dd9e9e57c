// The statistics window and the bracket sheet, driven through the main window's buttons after a tournament
// typed in box by box.
#include "sheets/sheets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "group_stage/group_stage.h"
#include "platform/opener.h"
#include "platform/printer.h"
#include "sheets/sheet_windows.h"
#include "tests/knockout/knockout_window.h"

namespace {

using knockout_test::TeamName;
using platform::Control;

constexpr platform::Color kYellow = 0xFFFF;

class Sheets : public knockout_test::KnockoutWindow {
  protected:
    Sheets() {
        auto& m = zenkor::LangMessages();
        m[9] = "Euro";
        m[11] = "Buteurs";
        m[13] = "Classement";
        m[14] = "éliminé";
        zenkor::FillFixtureLabels(w);
        printer = std::make_shared<platform::RecordingPrinter>();
        platform::SetPrinter(printer);
        platform::SetOpener([this](const std::string& target) { opened.push_back(target); });
    }
    ~Sheets() override {
        zenkor::ReleaseSheets();
        platform::SetPrinter(nullptr);
        platform::SetOpener(nullptr);
    }

    // Every match won 1-0 by its first team; the third-place match 5-0 with a shoot-out, which counts
    // for no goal total.
    void playTournament() {
        playAllGroups();
        for (int k = 0; k < 8; ++k) playMatch("Buthui", "ButPen", k, "1", "0");
        for (int k = 0; k < 4; ++k) playMatch("ButQua", "ButPen4", k, "1", "0");
        for (int k = 0; k < 2; ++k) playMatch("ButDem", "ButPen2", k, "1", "0");
        playMatch("ButFIN", "ButPenFIN", 0, "1", "0");
        playMatch("Butpetfin", "ButPenpetfin", 0, "5", "0", "3", "2");
    }

    zenkor::Stats& openStats() {
        w("Command21").raiseClick();
        return *zenkor::CurrentStats();
    }
    zenkor::Impress& openSheet() {
        w("Command13").raiseClick();
        return *zenkor::CurrentImpress();
    }
    static std::vector<std::string> lines(Control& list) { return list.items(); }
    static bool endsWith(const std::string& s, const std::string& tail) {
        return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
    }

    std::shared_ptr<platform::RecordingPrinter> printer;
    std::vector<std::string> opened;
};

TEST_F(Sheets, BeforeAnyScoreEveryTeamIsOutNumberedByGroupScoreThenName) {
    zenkor::Stats& s = openStats();
    const auto ranking = lines(s("List2"));
    ASSERT_EQ(ranking.size(), 24u);
    // Equal scores: the name later in list order comes first.
    EXPECT_EQ(ranking.front(), "1 F4 éliminé");
    EXPECT_EQ(ranking.back(), "24 A1 éliminé");
    EXPECT_EQ(s("Label1").Caption(), "buts : 0");
    EXPECT_FALSE(s("Frame2").Visible());
    EXPECT_TRUE(s("Image2").Visible());
    EXPECT_EQ(s("Vainq", 0).Caption(), "1: ");
    EXPECT_EQ(s.self().Caption(), "Euro 2024");
    EXPECT_TRUE(s.self().Visible());
}

TEST_F(Sheets, SeededRoundOf16GivesSixteenTeamsInTheEighthFinals) {
    playAllGroups();
    const auto ranking = lines(openStats()("List2"));
    ASSERT_EQ(ranking.size(), 24u);
    for (int r = 1; r <= 24; ++r) {
        const std::string& line = ranking[static_cast<size_t>(r - 1)];
        EXPECT_EQ(line.rfind(std::to_string(r) + " ", 0), 0u) << line;
        EXPECT_TRUE(endsWith(line, r <= 16 ? " 1/8" : " éliminé")) << line;
    }
}

TEST_F(Sheets, FullTournamentRanksGoalsAndPodium) {
    playTournament();
    const std::string champion = w("pod", 1).Caption();
    const std::string runnerUp = w("pod", 2).Caption();
    ASSERT_FALSE(champion.empty());
    zenkor::Stats& s = openStats();

    const auto ranking = lines(s("List2"));
    ASSERT_EQ(ranking.size(), 24u);
    EXPECT_EQ(ranking[0], champion + " 1er");
    EXPECT_EQ(ranking[1], runnerUp + " 2eme");
    EXPECT_TRUE(endsWith(ranking[2], " 3eme"));
    EXPECT_TRUE(endsWith(ranking[3], " 3eme"));
    for (int r = 5; r <= 8; ++r) EXPECT_TRUE(endsWith(ranking[r - 1], " 1/4")) << ranking[r - 1];
    EXPECT_EQ(ranking[4].rfind("5 ", 0), 0u);
    for (int r = 9; r <= 16; ++r) EXPECT_TRUE(endsWith(ranking[r - 1], " 1/8")) << ranking[r - 1];
    EXPECT_EQ(ranking[23].rfind("24 ", 0), 0u);

    // 6 goals per group, 8 + 4 + 2 + 1 in the knockout rounds; the third-place match counts nothing.
    EXPECT_EQ(s("Label1").Caption(), "buts : 51");
    const auto goals = lines(s("List1"));
    ASSERT_EQ(goals.size(), 24u);
    EXPECT_EQ(goals[0], " " + champion + " (7)");  // three group wins and four knockout wins, 1-0 each
    int sum = 0;
    for (const auto& g : goals) sum += std::stoi(g.substr(g.rfind('(') + 1));
    EXPECT_EQ(sum, 51);
    EXPECT_EQ(s("Label2").Caption(), "Buteurs");
    EXPECT_EQ(s("Label3").Caption(), "Classement");

    EXPECT_EQ(s("Vainq", 0).Caption(), "1: " + champion);
    EXPECT_EQ(s("Vainq", 1).Caption(), "2: " + runnerUp);
    EXPECT_EQ(s("Vainq", 2).Caption(), "3: " + w("pf", 0).Text() + " / " + w("pf", 1).Text());
    EXPECT_TRUE(s("Frame2").Visible());
    EXPECT_FALSE(s("Image2").Visible());
    // The statistics button fills the group order without loading the sheet.
    ASSERT_NE(zenkor::CurrentImpress(), nullptr);
    EXPECT_FALSE(zenkor::CurrentImpress()->loaded());
    EXPECT_EQ(zenkor::GroupOrderTeams()[1], w("A", 1).Text());
}

TEST_F(Sheets, StatsRefillsInPlaceAndPrintsWithoutItsButtons) {
    zenkor::Stats& s = openStats();
    playAllGroups();
    w("Command21").raiseClick();
    EXPECT_EQ(zenkor::CurrentStats(), &s);
    EXPECT_EQ(s("List2").ListCount(), 24);
    EXPECT_EQ(s("List1").ListCount(), 24);
    EXPECT_EQ(s("Label1").Caption(), "buts : 36");

    s("Command5").raiseClick();
    ASSERT_EQ(printer->jobs.size(), 1u);
    EXPECT_TRUE(printer->jobs[0].landscape);
    EXPECT_EQ(printer->jobs[0].form, "Stats");
    // The podium panel is hidden too: there is no podium yet.
    EXPECT_EQ(printer->jobs[0].hiddenFrames, (std::vector<std::string>{"Frame2", "Frame1"}));
    EXPECT_TRUE(s("Frame1").Visible());

    // Closed by its own button, it comes back afresh at the next click.
    w("Text1").setText("Zenkor2020");
    s("Command1").raiseClick();
    EXPECT_TRUE(s.unloaded());
    zenkor::Stats& again = openStats();
    EXPECT_FALSE(again.unloaded());
    EXPECT_EQ(again.self().Caption(), "Statistiques de l'Euro");
}

TEST_F(Sheets, BracketSheetCopiesEverySlotAndLaysOutItsLines) {
    playTournament();
    zenkor::Impress& sheet = openSheet();
    ASSERT_TRUE(sheet.loaded());
    for (int i = 0; i <= 15; ++i) EXPECT_EQ(sheet("T8", i).Text(), w("Huit", 16 + i).Text());
    for (int i = 0; i <= 7; ++i) EXPECT_EQ(sheet("T4", i).Text(), w("Qua", i).Text());
    for (int i = 0; i <= 3; ++i) EXPECT_EQ(sheet("T2", i).Text(), w("DEM", i).Text());
    for (int i = 0; i <= 1; ++i) EXPECT_EQ(sheet("TF", i).Text(), w("FIN", i).Text());
    for (int i = 0; i <= 2; ++i) EXPECT_EQ(sheet("RESULT", i).Text(), w("pod", i + 1).Caption());

    auto checkLines = [&] {
        EXPECT_EQ(sheet.indexes("Line8H"), (std::vector<int>{0, 1, 3, 5, 7, 9, 11, 13, 15}));
        const int y8[] = {720, 1470, 2220, 2970, 3720, 4470, 5220, 5970};
        for (int n = 0; n < 8; ++n) {
            Control& l = sheet("Line8H", 2 * n + 1);
            EXPECT_EQ(std::vector<int>({l.X1(), l.Y1(), l.X2(), l.Y2()}),
                      std::vector<int>({2340, y8[n], 2805, y8[n]}));
            EXPECT_TRUE(l.Visible());
        }
        Control& v2 = sheet("Line8V", 2);
        EXPECT_EQ(std::vector<int>({v2.X1(), v2.Y1(), v2.X2(), v2.Y2()}),
                  std::vector<int>({2805, 3720, 2805, 4470}));
        Control& h3 = sheet("Line4H", 3);
        EXPECT_EQ(std::vector<int>({h3.X1(), h3.Y1(), h3.X2(), h3.Y2()}),
                  std::vector<int>({2805, 5610, 5690, 5610}));
        Control& v1 = sheet("Line4V", 1);
        EXPECT_EQ(std::vector<int>({v1.X1(), v1.Y1(), v1.X2(), v1.Y2()}),
                  std::vector<int>({5690, 4155, 5690, 5610}));
        Control& f1 = sheet("LineF", 1);
        EXPECT_EQ(std::vector<int>({f1.X1(), f1.Y1(), f1.X2(), f1.Y2()}),
                  std::vector<int>({5690, 4875, 8295, 4875}));
        Control& fv = sheet("LinefV");
        EXPECT_EQ(std::vector<int>({fv.X1(), fv.Y1(), fv.X2(), fv.Y2()}),
                  std::vector<int>({8295, 1920, 8295, 4875}));
        Control& f2 = sheet("LineF", 2);
        EXPECT_EQ(std::vector<int>({f2.X1(), f2.Y1(), f2.X2(), f2.Y2()}),
                  std::vector<int>({8295, 3390, 8895, 3390}));
    };
    checkLines();
    sheet("Command2").raiseClick();
    sheet("Command2").raiseClick();
    checkLines();

    // A snapshot: later changes reach it only through the refresh button.
    w("Buthui", 1).setText("3");
    w("Command13").raiseClick();
    EXPECT_NE(sheet("T4", 0).Text(), w("Qua", 0).Text());
    sheet("Command2").raiseClick();
    EXPECT_EQ(sheet("T4", 0).Text(), w("Qua", 0).Text());
}

TEST_F(Sheets, HoverHighlightsOneTeamsPath) {
    playTournament();
    zenkor::Impress& sheet = openSheet();
    const std::string champion = w("pod", 1).Caption();
    int hovered = -1;
    for (int i = 0; i <= 15; ++i) {
        if (sheet("T8", i).Text() == champion) hovered = i;
    }
    ASSERT_GE(hovered, 0);
    sheet("T8", hovered).raiseMouseMove(0, 0, 10, 10);
    int yellow = 0;
    for (const char* name : {"T8", "T4", "T2", "TF"}) {
        for (int i : sheet.indexes(name)) {
            Control& box = sheet(name, i);
            EXPECT_EQ(box.BackColor(), box.Text() == champion ? kYellow : platform::kWhite)
                << box.displayName();
            yellow += box.BackColor() == kYellow;
        }
    }
    EXPECT_EQ(yellow, 4);  // round of 16, quarter, semi, final
    EXPECT_EQ(sheet("RESULT", 0).BackColor(), kYellow);
    EXPECT_EQ(sheet("RESULT", 1).BackColor(), platform::kWhite);

    // The third-place box holds two names and lights up for either.
    const std::string third = w("pf", 1).Text();
    for (int i = 0; i <= 3; ++i) {
        if (sheet("T2", i).Text() == third) sheet("T2", i).raiseMouseMove(0, 0, 1, 1);
    }
    EXPECT_EQ(sheet("RESULT", 2).BackColor(), kYellow);
    EXPECT_EQ(sheet("RESULT", 0).BackColor(), platform::kWhite);

    // An empty box changes nothing.
    sheet("RESULT", 0).setText("");
    sheet("RESULT", 0).raiseMouseMove(0, 0, 1, 1);
    EXPECT_EQ(sheet("RESULT", 2).BackColor(), kYellow);
}

TEST_F(Sheets, SheetPrintsOnWhiteWithoutButtonsAndOpensOnlyTheSite) {
    zenkor::Impress& sheet = openSheet();
    sheet("Command5").raiseClick();
    ASSERT_EQ(printer->jobs.size(), 1u);
    EXPECT_EQ(printer->jobs[0].form, "Impress");
    EXPECT_TRUE(printer->jobs[0].landscape);
    EXPECT_EQ(printer->jobs[0].background, platform::kWhite);
    EXPECT_EQ(printer->jobs[0].hiddenFrames, std::vector<std::string>{"Frame1"});
    EXPECT_EQ(sheet.self().BackColor(), platform::kButtonFace);
    EXPECT_TRUE(sheet("Frame1").Visible());

    sheet("Label1").raiseClick();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], platform::SiteAddress("/"));
    EXPECT_EQ(opened[0].rfind("http", 0), 0u);
}

TEST_F(Sheets, ClosingTheSheetShowsTheMainWindowAndQuitterUnloadsBoth) {
    w.show();
    zenkor::Impress& sheet = openSheet();
    w.hide();
    sheet("Command1").raiseClick();
    EXPECT_TRUE(sheet.unloaded());
    EXPECT_TRUE(w.self().Visible());

    zenkor::Impress& fresh = openSheet();
    EXPECT_FALSE(fresh.unloaded());
    EXPECT_TRUE(fresh.loaded());
    EXPECT_EQ(fresh.indexes("Line8H").size(), 9u);
    zenkor::Stats& stats = openStats();
    w("Command5").raiseClick();
    EXPECT_TRUE(fresh.unloaded());
    EXPECT_TRUE(stats.unloaded());
    EXPECT_TRUE(platform::EndRequested());
}

}  // namespace

namespace {

TEST_F(Sheets, ADrawWithEqualPenaltiesLeavesBothTeamsInTheEighthFinals) {
    playAllGroups();
    playMatch("Buthui", "ButPen", 0, "1", "1", "4", "4");
    for (int k = 1; k < 8; ++k) playMatch("Buthui", "ButPen", k, "1", "0");
    const std::string first = w("Huit", 0).Text(), second = w("Huit", 1).Text();
    const auto ranking = openStats()("List2").items();
    for (const auto& line : ranking) {
        const bool played = line.find(" " + first + " ") != std::string::npos ||
                            line.find(" " + second + " ") != std::string::npos;
        if (played) {
            EXPECT_TRUE(endsWith(line, " 1/8")) << line;
        }
    }
    EXPECT_EQ(std::count_if(ranking.begin(), ranking.end(),
                            [](const std::string& l) { return endsWith(l, " 1/4"); }),
              7);
}

TEST_F(Sheets, AShorterNameLightsTheResultHoldingTheLongerOneButNoOtherBox) {
    zenkor::Impress& sheet = openSheet();
    sheet("T8", 0).setText("Ira");
    sheet("T8", 1).setText("Iran");
    sheet("RESULT", 0).setText("Iran");
    sheet("T8", 0).raiseMouseMove(0, 0, 1, 1);
    EXPECT_EQ(sheet("T8", 0).BackColor(), kYellow);
    EXPECT_EQ(sheet("T8", 1).BackColor(), platform::kWhite);
    EXPECT_EQ(sheet("RESULT", 0).BackColor(), kYellow);
}

}  // namespace
