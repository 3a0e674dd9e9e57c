// The full recompute: everything the window derives from its input boxes, from the fixture labels to the
// goal total.
#include "group_stage/group_stage.h"
#include "knockout/knockout.h"

namespace zenkor {

namespace {

void RecalcPass(Zenkor& w) {
    const std::string shown = w("TexMeillTrois").Text();
    w("TexMeillTrois").setTag(shown);
    w("TexMeillTrois").setText("");
    FillFixtureLabels(w);
    CalcGroupStandingsA(w);
    CalcGroupStandingsB(w);
    CalcGroupStandingsC(w);
    CalcGroupStandingsD(w);
    CalcGroupStandingsE(w);
    CalcGroupStandingsF(w);
    RankThirdPlaced(w);
    FillRoundOf16(w);
    AdvanceRoundOf16(w);
    AdvanceQuarterFinals(w);
    ResetGroupRows(w);
    ShowTotalGoals(w);
}

}  // namespace

void RecalcAll(Zenkor& w) {
    // The last two rankings of a pass differ only when a group table changed during the seeding's yield;
    // the pass then runs again on the changed tables.
    do {
        RecalcPass(w);
    } while (w("TexMeillTrois").Text() != w("TexMeillTrois").Tag());
}

}  // namespace zenkor
