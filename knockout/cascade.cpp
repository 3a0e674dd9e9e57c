// The knockout cascade: round of 16, quarter-finals, semi-finals, final and podium. Every slot after the
// round of 16 is a function of the boxes before it: an undecided match empties its next slot.
#include "app/main_names.h"
#include "knockout/knockout.h"
#include "knockout/knockout_detail.h"

namespace zenkor {

using namespace knockout_detail;

namespace {

struct Round {
    const char* slots;
    const char* scores;
    const char* penalties;
};

constexpr Round kRoundOf16{"Huit", "Buthui", "ButPen"};
constexpr Round kQuarterFinals{"Qua", "ButQua", "ButPen4"};
constexpr Round kSemiFinals{"DEM", "ButDem", "ButPen2"};
constexpr Round kFinal{"FIN", "ButFIN", "ButPenFIN"};

// Goals plus shoot-out goals of slot n; 0 while its score is not entered.
double MatchValue(Zenkor& w, const Round& round, int n) {
    const std::string& score = w(round.scores, n).Text();
    if (score == "-") return 0;
    return Saturate(Goals(score) + Goals(w(round.penalties, n).Text()));
}

void PaintWinner(Control& slot) {
    slot.setBackColor(kWinnerBack);
    slot.setForeColor(kWinnerFore);
}

void PaintPlain(Control& slot) {
    slot.setBackColor(platform::kWhite);
    slot.setForeColor(platform::kBlack);
}

enum class Outcome { Undecided, First, Second };

// Match k of a round: the winner goes to next, which is emptied while the match is undecided.
Outcome DecideMatch(Zenkor& w, const Round& round, int k, Control& next) {
    Control& a = w(round.slots, 2 * k);
    Control& b = w(round.slots, 2 * k + 1);
    const bool entered = w(round.scores, 2 * k).Text() != "-" && w(round.scores, 2 * k + 1).Text() != "-";
    const double va = MatchValue(w, round, 2 * k);
    const double vb = MatchValue(w, round, 2 * k + 1);
    if (entered && va > vb) {
        next.setText(a.Text());
        PaintWinner(a);
        PaintPlain(b);
        return Outcome::First;
    }
    if (entered && va < vb) {
        next.setText(b.Text());
        PaintPlain(a);
        PaintWinner(b);
        return Outcome::Second;
    }
    next.setText("");
    PaintPlain(a);
    PaintPlain(b);
    return Outcome::Undecided;
}

}  // namespace

void AdvanceRoundOf16(Zenkor& w) {
    w("DEM", 0).setText("");
    for (int n = 0; n < 16; ++n) {
        w("Buthui", n).setToolTipText(platform::NumText(MatchValue(w, kRoundOf16, n)));
    }
    for (int k = 0; k < 8; ++k) DecideMatch(w, kRoundOf16, k, w("Qua", k));
    AdvanceQuarterFinals(w);
}

void AdvanceQuarterFinals(Zenkor& w) {
    // The 2008 edition paired the quarter-final winners crosswise in the semi-finals.
    static constexpr int kSemiSlot[] = {0, 1, 2, 3};
    static constexpr int kSemiSlot2008[] = {0, 2, 1, 3};
    for (int k = 0; k < 4; ++k) {
        const bool edition2008 = w(kEditionNameText).Text() == "Zenkor2008";
        DecideMatch(w, kQuarterFinals, k, w("DEM", edition2008 ? kSemiSlot2008[k] : kSemiSlot[k]));
    }
    AdvanceSemiFinals(w);
}

void AdvanceSemiFinals(Zenkor& w) {
    ShowTotalGoals(w);
    for (int k = 0; k < 2; ++k) {
        Control& loserSlot = w("pf", k);
        switch (DecideMatch(w, kSemiFinals, k, w("FIN", k))) {
            case Outcome::First:
                loserSlot.setText(w("DEM", 2 * k + 1).Text());
                break;
            case Outcome::Second:
                loserSlot.setText(w("DEM", 2 * k).Text());
                break;
            case Outcome::Undecided:
                loserSlot.setText("");
                break;
        }
    }
    DecideFinal(w);
}

void DecideFinal(Zenkor& w) {
    // Unlike the other rounds, a final score left at "-" counts as 0.
    const double v0 = MatchValue(w, kFinal, 0);
    const double v1 = MatchValue(w, kFinal, 1);
    Control& first = w("FIN", 0);
    Control& second = w("FIN", 1);
    if (v1 > v0) {
        PaintWinner(second);
        PaintPlain(first);
        w("pod", 1).setCaption(second.Text());
        w("pod", 2).setCaption(first.Text());
    } else if (v1 < v0) {
        PaintWinner(first);
        PaintPlain(second);
        w("pod", 1).setCaption(first.Text());
        w("pod", 2).setCaption(second.Text());
    } else {
        PaintPlain(first);
        PaintPlain(second);
        w("pod", 1).setCaption("");
        w("pod", 2).setCaption("");
    }
    ShowThirdPlaces(w);
    w(kTrophyPicture).setVisible(!w("pod", 1).Caption().empty());
}

void ShowThirdPlaces(Zenkor& w) {
    w("pod", 3).setCaption(w("pf", 0).Text() + "\r\n" + w("pf", 1).Text());
}

}  // namespace zenkor
