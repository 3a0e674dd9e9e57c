// The matches-of-the-day panel: the lines of a chosen day, their rows, logos and order, the pickers
// stopping the panel's timer, and the "Calendrier" button.
#include "tests/calendar/calendar_support.h"

using calendar_testing::CalendarTest;
using zenkor::Zenkor;

namespace {

// An edition with no teams or scores entered (boxes "A1".."F4"), whose matches are crowded on a few days.
const char kCrowdedEdition[] =
    "[Match]\r\n"
    "0=DOR(F2) 01/07/24 18:00\r\n"
    "2=BER() 01/07/24 15:00\r\n"
    "4=HAM(M6 TF1) 01/07/24 21:00\r\n"
    "12=LEP(TMC C+) 01/07/24 12:00\r\n"
    "14=MUC(C+) 01/07/24 09:00\r\n"
    "6=STR(TF1) 02/07/24 21:00\r\n"
    "8=FRA(M6) 02/07/24 18:00\r\n"
    "10=COL(F2) 02/07/24 15:00\r\n"
    "16=ARE(C+) 02/07/24 12:00\r\n"
    "18=DUS(TF1) 03/07/24 18:00\r\n"
    "20=HAM(TF1) 03/07/24 18:00\r\n";

class DayMatches : public CalendarTest {
  protected:
    void withLogoFiles() { box.copyDataFile("pictures"); }
};

TEST_F(DayMatches, StartUpListsTodaysMatchOnTheThirdRow) {
    at("14/06/2024 18:00:00");
    auto w = start();
    EXPECT_EQ((*w)("Combo3").Text(), "14");
    EXPECT_EQ((*w)("Combo4").Text(), "06");
    EXPECT_TRUE((*w)("Frame18").Visible());
    EXPECT_EQ(row(*w, 0), "");
    EXPECT_EQ(row(*w, 1), "");
    EXPECT_EQ(row(*w, 2), "21:00 Allemagne Vs Écosse");
    EXPECT_EQ(row(*w, 3), "");
    for (int k = 0; k < 4; ++k) EXPECT_EQ((*w)("LabCAL", k).Alignment(), platform::Alignment::Left);
    // No logo file beside the program: the channel is still named.
    EXPECT_EQ((*w)("RepIm", 2).Picture(), "");
    EXPECT_EQ((*w)("RepIm", 2).ToolTipText(), "TF1");
    EXPECT_EQ((*w)("RepIm", 1).ToolTipText(), "");
    EXPECT_TRUE(errors.empty());
}

TEST_F(DayMatches, ADayWithoutMatchesSaysSoCentred) {
    at("14/06/2024 18:00:00");
    auto w = start();
    for (auto [day, month] : {std::pair{"28", "06"}, std::pair{"31", "06"}, std::pair{"4", "07"}}) {
        pick(*w, day, month);
        EXPECT_EQ(row(*w, 0), "") << day;
        EXPECT_EQ(row(*w, 1), "Aucun match ce jour-là.");
        EXPECT_EQ(row(*w, 2), "Choisissez un autre jour.");
        EXPECT_EQ(row(*w, 3), "!!!");
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ((*w)("LabCAL", k).Alignment(), platform::Alignment::Center);
            EXPECT_EQ((*w)("RepIm", k).Picture(), "");
            EXPECT_EQ((*w)("RepIm", k).ToolTipText(), "");
        }
    }
    // A day with matches left-aligns the rows again.
    pick(*w, "14", "06");
    EXPECT_EQ(row(*w, 2), "21:00 Allemagne Vs Écosse");
    EXPECT_EQ((*w)("LabCAL", 1).Alignment(), platform::Alignment::Left);
}

TEST_F(DayMatches, ThreeMatchesFillRowsOneToThreeInKickOffOrder) {
    withLogoFiles();
    at("14/06/2024 18:00:00");
    auto w = start();
    pick(*w, "19", "06");  // the month stays; changing the day rebuilds at once
    EXPECT_EQ(row(*w, 0), "");
    EXPECT_EQ(row(*w, 1).substr(0, 6), "15:00 ");
    EXPECT_EQ(row(*w, 2).substr(0, 6), "18:00 ");
    EXPECT_EQ(row(*w, 3).substr(0, 6), "21:00 ");
    EXPECT_EQ(row(*w, 1), "15:00 " + (*w)("lmB", 6).Caption() + " Vs " + (*w)("lmB", 7).Caption());
    // HAM, STR and COL, all three on beIN alone: no channel of the bank, no badge.
    for (int k = 0; k <= 3; ++k) {
        EXPECT_EQ((*w)("RepIm", k).Picture(), "") << k;
        EXPECT_EQ((*w)("RepIm", k).ToolTipText(), "") << k;
    }
    // HAM(beIN), STR(beIN), ARE(TF1).
    pick(*w, "16", "06");
    EXPECT_EQ((*w)("RepIm", 2).Picture(), "");
    EXPECT_EQ((*w)("RepIm", 3).Picture(), (*w)("ImChaine", 1).Picture());
    EXPECT_NE((*w)("RepIm", 3).Picture(), "");

    // Changing the month alone rebuilds for the new date.
    pick(*w, "19", "07");
    EXPECT_EQ(row(*w, 1), "Aucun match ce jour-là.");
}

TEST_F(DayMatches, KnockoutDaysShowTheTeamsTheSeedingPlaced) {
    at("14/06/2024 18:00:00");
    auto w = start();
    playGroupsInOrder(*w);
    const std::string a1 = (*w)("A", 1).Text(), a2 = (*w)("A", 2).Text();
    ASSERT_EQ((*w)("Huit", 14).Text(), a2);
    ASSERT_EQ((*w)("Huit", 6).Text(), a1);
    pick(*w, "29", "06");
    // Two matches: rows 1 and 2, the 18:00 one (second of A against second of B) first.
    EXPECT_EQ(row(*w, 0), "");
    EXPECT_EQ(row(*w, 1), "18:00 " + a2 + " Vs " + (*w)("B", 2).Text());
    EXPECT_EQ(row(*w, 2), "21:00 " + a1 + " Vs " + (*w)("C", 2).Text());
    EXPECT_EQ(row(*w, 3), "");
    EXPECT_EQ((*w)("RepIm", 1).ToolTipText(), "");  // beIN alone
    EXPECT_EQ((*w)("RepIm", 2).ToolTipText(), "TF1");

    // The final: its boxes are still empty, so the line has no names.
    pick(*w, "14", "07");
    EXPECT_EQ(row(*w, 2), "21:00 " + (*w)("FIN", 0).Text() + " Vs " + (*w)("FIN", 1).Text());
    EXPECT_EQ((*w)("FIN", 0).Text(), "");
}

TEST_F(DayMatches, FiveMatchesShowTheFirstFourAndAMarker) {
    withLogoFiles();
    box.writeFile("Zenkor2024.ini", kCrowdedEdition);
    at("14/06/2024 18:00:00");
    auto w = start();
    pick(*w, "01", "07");
    EXPECT_EQ(row(*w, 0), "09:00 B3 Vs B4");
    EXPECT_EQ(row(*w, 1), "12:00 B1 Vs B2");
    EXPECT_EQ(row(*w, 2), "15:00 A3 Vs A4");
    EXPECT_EQ(row(*w, 3), "18:00 A1 Vs A2........");
    EXPECT_EQ((*w)("RepIm", 0).Picture(), (*w)("ImChaine", 0).Picture());  // C+
    EXPECT_EQ((*w)("RepIm", 1).Picture(), (*w)("ImChaine", 8).Picture());  // TMC before C+
    EXPECT_EQ((*w)("RepIm", 2).Picture(), "");                             // no channel named
    EXPECT_EQ((*w)("RepIm", 2).ToolTipText(), "");
    EXPECT_EQ((*w)("RepIm", 3).Picture(), (*w)("ImChaine", 2).Picture());  // F2
    EXPECT_NE((*w)("RepIm", 3).Picture(), (*w)("RepIm", 0).Picture());
    EXPECT_TRUE(errors.empty());
}

TEST_F(DayMatches, FourMatchesFillAllRowsAndEqualTimesFollowTheFirstTeam) {
    box.writeFile("Zenkor2024.ini", kCrowdedEdition);
    at("14/06/2024 18:00:00");
    auto w = start();
    pick(*w, "02", "07");
    EXPECT_EQ(row(*w, 0), "12:00 B1 Vs B3");
    EXPECT_EQ(row(*w, 1), "15:00 A2 Vs A3");
    EXPECT_EQ(row(*w, 2), "18:00 A4 Vs A1");
    EXPECT_EQ(row(*w, 3), "21:00 A4 Vs A2");
    EXPECT_EQ((*w)("RepIm", 3).ToolTipText(), "TF1");

    pick(*w, "03", "07");
    EXPECT_EQ(row(*w, 0), "");
    EXPECT_EQ(row(*w, 1), "18:00 B4 Vs B1");
    EXPECT_EQ(row(*w, 2), "18:00 B4 Vs B2");
    EXPECT_EQ(row(*w, 3), "");
}

TEST_F(DayMatches, BothChannelsNamedGiveTheFirstOfTheTable) {
    EXPECT_EQ(zenkor::ChannelLogoIndex("HAM(M6 TF1) 01/07/24 21:00"), 1);
    EXPECT_EQ(zenkor::ChannelLogoIndex("LEP(C+ TMC) 01/07/24 21:00"), 8);
    EXPECT_EQ(zenkor::ChannelLogoIndex("LEP(c+ tf1) 01/07/24 21:00"), 5);
    EXPECT_EQ(zenkor::ChannelLogoIndex(""), 5);
}

TEST_F(DayMatches, ANonTwoDigitPickerTextMatchesNothing) {
    at("14/06/2024 18:00:00");
    auto w = start();
    pick(*w, "14", "6");
    EXPECT_EQ(row(*w, 1), "Aucun match ce jour-là.");
    pick(*w, "14", "06");
    EXPECT_EQ(row(*w, 2), "21:00 Allemagne Vs Écosse");
}

TEST_F(DayMatches, WithoutMatchInformationNoDayHasMatches) {
    box.writeFile("Zenkor2024.ini", "[ButA]\r\n0=1\r\n");
    at("14/06/2024 18:00:00");
    auto w = start();
    EXPECT_EQ((*w)("List1").ListCount(), 52);
    EXPECT_EQ(row(*w, 1), "Aucun match ce jour-là.");
}

TEST_F(DayMatches, ThePickersStopThePanelsTimerForGood) {
    at("14/06/2024 18:00:00");
    auto w = start();
    ASSERT_TRUE((*w)("Timer1").Enabled());
    tick(*w, "Timer1", 2);
    (*w)("Combo3").raiseGotFocus();
    EXPECT_FALSE((*w)("Timer1").Enabled());
    EXPECT_EQ((*w)("Timer1").Tag(), "2");
    tick(*w, "Timer1", 20);
    EXPECT_TRUE((*w)("Frame18").Visible());

    (*w)("Label25").raiseMouseMove(0, 0, 1, 1);  // the banner's hover restarts it
    ASSERT_TRUE((*w)("Timer1").Enabled());
    int key = '5';
    (*w)("Combo4").raiseKeyPress(key);
    EXPECT_EQ(key, '5');
    EXPECT_FALSE((*w)("Timer1").Enabled());
    (*w)("Label25").raiseMouseMove(0, 0, 1, 1);
    (*w)("Combo4").raiseGotFocus();
    EXPECT_FALSE((*w)("Timer1").Enabled());
    key = 13;
    (*w)("Combo3").raiseKeyPress(key);
    EXPECT_EQ(key, 13);
}

TEST_F(DayMatches, ChoosingFromThePickerListRebuilds) {
    at("14/06/2024 18:00:00");
    auto w = start();
    (*w)("Combo3").setListIndex(14);  // "15"
    EXPECT_EQ((*w)("Combo3").Text(), "15");
    EXPECT_EQ(row(*w, 1).substr(0, 5), "15:00");
}

TEST_F(DayMatches, CalendarButtonTogglesThePanelWhereTheViewLeavesRoom) {
    at("20/06/2024 18:00:00");
    auto w = start();
    Zenkor& z = *w;
    z("FraHisto").setVisible(true);
    z("Fraide").setVisible(true);
    z("Command15").raiseClick();
    EXPECT_FALSE(z("Frame18").Visible());
    EXPECT_FALSE(z("FraHisto").Visible());
    EXPECT_FALSE(z("Fraide").Visible());
    z("Command15").raiseClick();
    EXPECT_TRUE(z("Frame18").Visible());
    EXPECT_EQ(z("Frame18").Left(), 13380);
    EXPECT_EQ(z("Frame18").Top(), 990);

    z("Command1").raiseClick();  // knockout view, which hides the panel
    ASSERT_TRUE(z("Frame9").Visible());
    ASSERT_FALSE(z("Frame18").Visible());
    z("Command15").raiseClick();
    EXPECT_TRUE(z("Frame18").Visible());
    EXPECT_EQ(z("Frame18").Left(), 7830);
    EXPECT_EQ(z("Frame18").Top(), 6345);
    EXPECT_LE(z("Frame18").Top() + z("Frame18").Height(), z.self().Height());

    // Over the qualifiers the button only closes the history.
    z("FraElim").setVisible(true);
    z("FraHisto").setVisible(true);
    z("Command15").raiseClick();
    EXPECT_TRUE(z("Frame18").Visible());
    EXPECT_FALSE(z("FraHisto").Visible());
    EXPECT_TRUE(errors.empty());
}

}  // namespace
