// The information line: hovering a match fills the match panel of both views; malformed texts fill what
// they can; the frames and the background blank or clear it.
#include "app/language.h"
#include "tests/calendar/calendar_support.h"

using calendar_testing::CalendarTest;
using zenkor::Zenkor;

namespace {

class MatchInfo : public CalendarTest {
  protected:
    // Dates are named in the language chosen, French unless a case says otherwise; the system's
    // language plays no part.
    testing_support::ScopedEnv system{"LC_ALL", "C"};

    // The shipped stadium pictures and channel badges: one file each, so that their copies can be told
    // apart.
    std::unique_ptr<Zenkor> startWithPictures() {
        box.copyDataFile("pictures");
        at("14/06/2024 18:00:00");
        return start();
    }
    static void say(Zenkor& w, const std::string& text) { w("LabInfo").setCaption(text); }
    static std::string field(Zenkor& w, int i) { return w("LabTer", i).Caption(); }
    static std::vector<int> logosShown(Zenkor& w) {
        std::vector<int> shown;
        for (int i = 0; i <= 9; ++i) {
            if (w("ImChaine", i).Visible()) shown.push_back(i);
        }
        return shown;
    }
    static std::string stadium(Zenkor& w) { return w("Terrain", 10).Picture(); }
    static std::string stored(Zenkor& w, int i) { return w("Terrain", i).Picture(); }
    static void expectCopies(Zenkor& w) {
        for (int i = 0; i <= 2; ++i) EXPECT_EQ(field(w, i + 3), field(w, i));
        EXPECT_EQ(w("Terrain", 11).Picture(), stadium(w));
        EXPECT_EQ(w("Shape2").Visible(), w("Shape1").Visible());
    }
};

TEST_F(MatchInfo, HoveringAGroupMatchShowsItsDetails) {
    auto w = startWithPictures();
    hover(*w, "lm", 1);
    EXPECT_FALSE((*w)("LabInfo").Visible());
    EXPECT_EQ((*w)("LabInfo").Caption(), "MUC(TF1) 14/06/24 21:00");
    EXPECT_EQ(field(*w, 0), "Munich");
    EXPECT_EQ(field(*w, 1), "vendredi 14 juin 2024 ");
    EXPECT_EQ(field(*w, 2), " 21:00");
    EXPECT_EQ(logosShown(*w), (std::vector<int>{1, 5}));
    EXPECT_EQ(stadium(*w), stored(*w, 7));
    EXPECT_NE(stadium(*w), "");
    EXPECT_TRUE((*w)("Shape1").Visible());
    EXPECT_TRUE((*w)("Frame16").Visible());
    expectCopies(*w);

    // A score box of a match shows the same details as its label.
    hover(*w, "ButB", 6);
    EXPECT_EQ(field(*w, 0), "Hamburg");
    EXPECT_EQ(field(*w, 1), "mercredi 19 juin 2024 ");
    EXPECT_EQ(logosShown(*w), std::vector<int>{});  // beIN alone: no logo of the bank
    EXPECT_TRUE(errors.empty());
}

TEST_F(MatchInfo, HoveringARoundOf16SlotOrItsCopyShowsTheSameMatch) {
    auto w = startWithPictures();
    for (int slot : {0, 1, 16, 17}) {
        say(*w, "");
        hover(*w, "Huit", slot);
        EXPECT_EQ(field(*w, 0), "Frankfurt") << slot;
        EXPECT_EQ(field(*w, 1), "lundi 01 juil. 2024 ");
        EXPECT_EQ(field(*w, 5), " 21:00");
        EXPECT_EQ(logosShown(*w), (std::vector<int>{3, 7}));
        EXPECT_EQ(w->find("Terrain", 11)->Picture(), stored(*w, 5));
    }
    hover(*w, "Qua", 3);
    EXPECT_EQ(field(*w, 3), "Stuttgart");
    EXPECT_EQ(field(*w, 4), "vendredi 05 juil. 2024 ");
    hover(*w, "DEM", 2);
    EXPECT_EQ(field(*w, 1), "mercredi 10 juil. 2024 ");
    hover(*w, "FIN", 1);
    EXPECT_EQ(field(*w, 0), "Berlin");
    EXPECT_EQ(field(*w, 1), "dimanche 14 juil. 2024 ");
    // The shipped file has no third-place entry: the line blanks.
    hover(*w, "pf", 0);
    EXPECT_EQ((*w)("LabInfo").Caption(), "");
    EXPECT_EQ(field(*w, 0), "");
    EXPECT_TRUE(logosShown(*w).empty());
    EXPECT_FALSE((*w)("Shape1").Visible());
}

TEST_F(MatchInfo, TheEmptyTextEmptiesThePanelButShowsItsFrame) {
    auto w = startWithPictures();
    hover(*w, "lm", 0);
    (*w)("Frame2").raiseMouseMove(0, 0, 1, 1);
    EXPECT_EQ((*w)("LabInfo").Caption(), "");
    EXPECT_TRUE((*w)("Frame16").Visible());
    for (int i = 0; i <= 5; ++i) EXPECT_EQ(field(*w, i), "");
    EXPECT_TRUE(logosShown(*w).empty());
    EXPECT_FALSE((*w)("Shape1").Visible());
    EXPECT_FALSE((*w)("Shape2").Visible());
    EXPECT_EQ(stadium(*w), "");
    EXPECT_EQ((*w)("Terrain", 11).Picture(), "");
}

TEST_F(MatchInfo, EveryFrameOfTheMatchesBlanksTheLine) {
    auto w = startWithPictures();
    for (const char* frame : {"Frame1", "Frame2", "Frame3", "Frame4", "Frame6", "Frame7", "Frame10"}) {
        hover(*w, "lmC", 4);
        ASSERT_NE((*w)("LabInfo").Caption(), "");
        (*w)(frame).raiseMouseMove(0, 0, 1, 1);
        EXPECT_EQ((*w)("LabInfo").Caption(), "") << frame;
    }
}

TEST_F(MatchInfo, TheKnockoutBackgroundHidesThePanelTheWindowBackgroundKeepsTheLine) {
    auto w = startWithPictures();
    hover(*w, "Qua", 0);
    (*w)("Frame9").raiseMouseMove(0, 0, 1, 1);
    EXPECT_EQ((*w)("LabInfo").Caption(), "");
    EXPECT_FALSE((*w)("Frame16").Visible());
    EXPECT_FALSE((*w)("Shape1").Visible());

    hover(*w, "DEM", 0);
    const std::string text = (*w)("LabInfo").Caption();
    ASSERT_TRUE(w->MouseMove);
    w->MouseMove(0, 0, 1, 1);
    EXPECT_EQ((*w)("LabInfo").Caption(), text);
    EXPECT_FALSE((*w)("Frame16").Visible());
    for (int i = 0; i <= 5; ++i) EXPECT_EQ(field(*w, i), "");
    EXPECT_TRUE(logosShown(*w).empty());
    EXPECT_EQ(stadium(*w), "");
    // Another match fills it again.
    hover(*w, "DEM", 3);
    EXPECT_EQ(field(*w, 0), "Dortmund");
    EXPECT_TRUE((*w)("Frame16").Visible());
}

TEST_F(MatchInfo, SeveralChannelsShowEveryLogoPair) {
    auto w = startWithPictures();
    say(*w, "BER(TF1 M6) 25/06/24 18:00");
    EXPECT_EQ(field(*w, 0), "Berlin");
    EXPECT_EQ(logosShown(*w), (std::vector<int>{1, 3, 5, 7}));
    say(*w, "DOR(C+/TMC) 25/06/24 18:00");  // a "/" in the head cuts it short
    EXPECT_EQ(field(*w, 0), "");
    EXPECT_TRUE(logosShown(*w).empty());
    say(*w, "DOR(C+,TMC,F2) 25/06/24 18:00");
    EXPECT_EQ(logosShown(*w), (std::vector<int>{0, 2, 4, 6, 8, 9}));
}

TEST_F(MatchInfo, TheCityNeedsTheExactCodeThePictureAnyCode) {
    auto w = startWithPictures();
    say(*w, "XBERX(TF1) 25/06/24 18:00");
    EXPECT_EQ(field(*w, 0), "");
    EXPECT_EQ(stadium(*w), stored(*w, 1));
    EXPECT_TRUE((*w)("Shape1").Visible());

    say(*w, "DOR(TF1 HAM) 25/06/24 18:00");
    EXPECT_EQ(field(*w, 0), "Dortmund");
    EXPECT_EQ(stadium(*w), stored(*w, 9));  // the code latest in the table wins

    say(*w, "BUD(M6) 25/06/24 18:00");
    EXPECT_EQ(field(*w, 0), "");
    EXPECT_EQ(stadium(*w), stored(*w, 13));
    EXPECT_EQ(field(*w, 1), "mardi 25 juin 2024 ");
    expectCopies(*w);

    say(*w, "dor(TF1) 25/06/24 18:00");  // case counts
    EXPECT_EQ(field(*w, 0), "");
    EXPECT_EQ(stadium(*w), "");
}

TEST_F(MatchInfo, MalformedTextsFillWhatTheyCan) {
    auto w = startWithPictures();
    // No "(": no city; channels, date, time and picture still come.
    say(*w, "DOR TF1 14/06/24 21:00");
    EXPECT_EQ(field(*w, 0), "");
    EXPECT_EQ(logosShown(*w), (std::vector<int>{1, 5}));
    EXPECT_EQ(field(*w, 1), "vendredi 14 juin 2024 ");
    EXPECT_EQ(field(*w, 2), " 21:00");
    EXPECT_EQ(stadium(*w), stored(*w, 0));

    // No "/": characters 6 to 15 as the time, nothing else but the picture.
    say(*w, "HAM(TF1) le 14 juin 2024");
    EXPECT_EQ(field(*w, 0), "");
    EXPECT_TRUE(logosShown(*w).empty());
    EXPECT_EQ(field(*w, 1), "");
    EXPECT_EQ(field(*w, 2), "F1) le 14 ");
    EXPECT_EQ(stadium(*w), stored(*w, 9));
    EXPECT_TRUE((*w)("Shape1").Visible());

    // A "/" at position 3: the date is read from the start.
    say(*w, "14/06/24 21:00");
    EXPECT_EQ(field(*w, 0), "");
    EXPECT_EQ(field(*w, 1), "vendredi 14 juin 2024 ");
    EXPECT_EQ(field(*w, 2), " 21:00");
    say(*w, "4/06/24");  // "/" at position 2: no date
    EXPECT_EQ(field(*w, 1), "");

    // A date that is no date touches the date field only.
    say(*w, "COL(M6) 31/06/24 18:00");
    EXPECT_EQ(field(*w, 0), "Cologne");
    EXPECT_EQ(field(*w, 1), "");
    EXPECT_EQ(field(*w, 2), " 18:00");
    EXPECT_EQ(logosShown(*w), (std::vector<int>{3, 7}));
    expectCopies(*w);

    // Markup is shown as it is written.
    say(*w, "<b>(TF1) 14/06/24 <i>21:00</i>");
    EXPECT_EQ(field(*w, 2), " <i>21:00<");
    EXPECT_TRUE(errors.empty());
}

TEST_F(MatchInfo, MissingPicturesLeaveTheLogosNamed) {
    at("14/06/2024 18:00:00");
    auto w = start();  // no picture file beside the program
    hover(*w, "lm", 0);
    EXPECT_EQ(logosShown(*w), (std::vector<int>{1, 5}));
    for (int i : {1, 5}) {
        EXPECT_EQ((*w)("ImChaine", i).Picture(), "");
        EXPECT_EQ((*w)("ImChaine", i).ToolTipText(), "TF1");
    }
    EXPECT_EQ((*w)("ImChaine", 8).ToolTipText(), "TMC");
    EXPECT_EQ((*w)("ImChaine", 4).ToolTipText(), "C+");
    EXPECT_EQ(stadium(*w), "");
    EXPECT_EQ(field(*w, 0), "Munich");
}

TEST_F(MatchInfo, TheQualifiersPanelLeavesTheMatchPanelAlone) {
    auto w = startWithPictures();
    hover(*w, "lm", 0);
    (*w)("FraElim").raiseMouseMove(0, 0, 1, 1);
    EXPECT_EQ(field(*w, 0), "Munich");
    EXPECT_TRUE(errors.empty());
}

TEST_F(MatchInfo, TheDateIsInTheLanguageChosenWhateverTheSystemSpeaks) {
    for (const char* file : {"langFr.txt", "langEn.txt", "langSp.txt"}) box.copyDataFile(file);
    auto w = startWithPictures();
    const std::pair<int, const char*> cases[] = {
        {1, "Friday 14 Jun 2024 "}, {2, "viernes 14 jun 2024 "}, {0, "vendredi 14 juin 2024 "}};
    // Debian's default C locale, and a system speaking another language than the user.
    for (const char* system : {"C", "es_ES.UTF-8", "en_GB.UTF-8"}) {
        testing_support::ScopedEnv locale("LC_ALL", system);
        for (const auto& [language, date] : cases) {
            zenkor::lang_Click(*w, language);
            say(*w, "");
            hover(*w, "lm", 1);
            EXPECT_EQ(field(*w, 1), date) << system << " " << language;
        }
    }
    EXPECT_EQ(zenkor::LongMatchDate("05/07/24", 2), "viernes 05 jul 2024 ");
    EXPECT_TRUE(errors.empty());
}

}  // namespace
