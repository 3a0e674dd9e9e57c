// The qualifiers panel inside FraElim (17640 x 7950 twips), in three columns: the fixture grid on the
// left (120..4905), the group buttons, table, play-offs and fixture list in the middle (5040..12120), the
// board, the advantage panel and the commands on the right (12240..17520). The picture of the online
// services keeps its place at (9150, 7230).
#include "app/design.h"
#include "app/main_names.h"
#include "platform/runtime.h"
#include "qualifiers/qualifier_detail.h"
#include "qualifiers/qualifier_names.h"
#include "qualifiers/qualifiers.h"

namespace zenkor {

namespace {

using platform::Color;

using platform::kLightGreen;
using platform::kLightYellow;
using platform::kPaleYellow;
constexpr Color kPlayOffColour = platform::kLightOrange;

Control& place(Control& c, int left, int top, int width, int height) {
    c.move(left, top, width, height);
    return c;
}

Control& list(Zenkor& w, const char* name, int index, Control* in, bool sorted, int left, int top, int width,
              int height) {
    Control& c = place(w.add(Kind::ListBox, name, index, in), left, top, width, height);
    c.setSorted(sorted);
    return c;
}

void buildGrid(Zenkor& w, Control* elim) {
    // The first row; the grid builder adds the other 29 below it.
    const int top = qualifiers_detail::kGridTop, h = qualifiers_detail::kGridRowHeight;
    AddTextBox(w, "EquiElim", 0, elim, 120, top, 1845, h).setLocked(true);
    AddTextBox(w, "ButElim", 0, elim, 1980, top, 435, h).setAlignment(platform::Alignment::Center);
    AddTextBox(w, "ButElim", 1, elim, 2610, top, 435, h).setAlignment(platform::Alignment::Center);
    AddTextBox(w, "EquiElim", 1, elim, 3060, top, 1845, h).setLocked(true);
    for (int k = 0; k <= 1; ++k) {
        w("ButElim", k).setText("-");
    }
}

void buildTable(Zenkor& w, Control* elim) {
    for (int i = 0; i <= 8; ++i) {
        const char caption[2] = {static_cast<char>('A' + i), 0};
        AddButton(w, "bTNgrp", i, elim, caption, 5040 + i * 480, 120, 435, 375);
    }
    Control& letter = AddTextBox(w, "ELIMGRP", -1, elim, 9420, 150, 435, 315);
    letter.setText("A");
    letter.setLocked(true);
    letter.setAlignment(platform::Alignment::Center);

    const struct {
        const char* name;
        const char* header;
        int width;
    } columns[] = {{"SortRang", "Rang", 525}, {"SortEQU", "Equipe", 1725}, {"SortPTS", "Points", 615},
                   {"SortJ", "Joués", 585},   {"SortG", "Gagnés", 705},    {"SortN", "Nuls", 495},
                   {"SortP", "Perdus", 660},  {"SortBP", "Buts P", 615},   {"SortBC", "Buts C", 615},
                   {"SortDiff", "Diff", 525}};  // wide enough for each heading at its bold font
    int left = 5040;
    for (const auto& col : columns) {
        for (int r = 0; r <= 6; ++r) {
            Control& c = AddTextBox(w, col.name, r, elim, left, 600 + r * 285, col.width, 285);
            c.setLocked(true);
            if (r == 0) {
                c.setText(col.header);
                c.setFontBold(true);
                c.setBackColor(platform::kButtonFace);
            } else if (col.name == std::string("SortRang")) {
                c.setText(std::to_string(r));
            }
            if (col.name != std::string("SortEQU")) c.setAlignment(platform::Alignment::Center);
        }
        left += col.width;
    }
    Control& status = AddTextBox(w, "SortRang", 7, elim, 5040, 600 + 7 * 285, left - 5040, 285);
    status.setLocked(true);
    status.setVisible(false);
    status.setBackColor(platform::kYellow);
    AddLabel(w, kQualifierCountLabels, 1, elim, "", 5040, 2940, 3400, 255);
    AddLabel(w, kQualifierCountLabels, 0, elim, "", 8520, 2940, 3600, 255);
}

void buildPlayOffs(Zenkor& w, Control* elim) {
    Control* playOffs = w.find(kPlayOffsFrame);
    if (playOffs == nullptr) playOffs = &w.add(Kind::Frame, kPlayOffsFrame, -1, elim);
    playOffs->setCaption("Matches de barrages");
    place(*playOffs, 5040, 3300, 4065, 1620);
    for (int t = 0; t <= 3; ++t) {
        const int top = 270 + t * 300;
        AddTextBox(w, "BAR", 2 * t, playOffs, 60, top, 1605, 285);
        AddTextBox(w, "ButBAR", 2 * t, playOffs, 1680, top, 315, 285)
            .setAlignment(platform::Alignment::Center);
        AddTextBox(w, "ButBAR", 2 * t + 1, playOffs, 2010, top, 315, 285)
            .setAlignment(platform::Alignment::Center);
        AddTextBox(w, "BAR", 2 * t + 1, playOffs, 2340, top, 1605, 285);
    }
    for (int k = 0; k <= 7; ++k) w("ButBAR", k).setText("-");

    // Out of sight: it holds the frame's caption in the current language, which a language switch copies.
    AddLabel(w, kPanelNoteLabels, 3, elim, "Matches de barrages", 5040, 3300, 4065, 255).setVisible(false);
    AddLabel(w, kPanelNoteLabels, 5, elim, "Qualifiés pour les barrages:", 9240, 3300, 2880, 255);
    Control& candidates = AddTextBox(w, "QuaBar", -1, elim, 9240, 3570, 2880, 1740);
    candidates.setMultiLine(true);
    candidates.setBackColor(kPlayOffColour);
}

void buildFixtureList(Zenkor& w, Control* elim) {
    Control& fixtures = list(w, kQualifierFixturesList, -1, elim, false, 5040, 5040, 3990, 2160);
    fixtures.setBackColor(qualifiers_detail::kFollowOn);
    if (Control* count = w.find(kQualifierCountLabels, 2)) {
        count->setContainer(elim);
        place(*count, 5040, 7260, 3990, 255);
    } else {
        AddLabel(w, kQualifierCountLabels, 2, elim, "", 5040, 7260, 3990, 255).setVisible(false);
    }
    Control& hidePast = place(w.add(Kind::CheckBox, kHidePastFixturesCheck, -1, elim), 5040, 7560, 3990, 285);
    hidePast.setCaption("Masquer matches passés");
    AddButton(w, kQualifierActionButtons, 1, elim, "Remplir", 9240, 5400, 1215, 375).setVisible(false);
    AddButton(w, kQualifierActionButtons, 3, elim, "Calendr", 9240, 5835, 1215, 375).setVisible(false);
}

void buildBoard(Zenkor& w, Control* elim) {
    Control& board = AddFrame(w, kQualifierBoardFrame, -1, elim, "Qualifiés", 12240, 120, 5280, 4260);
    auto slot = [&](int k, int left, int top, Color back) {
        Control& c = AddTextBox(w, "QUALIF", k, &board, left, top, 1400, 285);
        if (back >= 0) c.setBackColor(back);
    };
    slot(0, 930, 345, -1);
    w("QUALIF", 0).setText("France");
    const int winnerTops[] = {675, 990, 1320, 1635, 1950, 2265, 2580, 2910, 3225};
    const int runnerUpTops[] = {345, 660, 975, 1305, 1620, 1935, 2250, 2565, 2895};
    for (int i = 0; i < 9; ++i) {
        slot(1 + i, 930, winnerTops[i], kPaleYellow);
        slot(10 + i, 2355, runnerUpTops[i], kLightYellow);
    }
    slot(19, 2355, 3225, kLightGreen);
    slot(20, 930, 3540, kPlayOffColour);
    slot(21, 930, 3855, kPlayOffColour);
    slot(22, 2355, 3540, kPlayOffColour);
    slot(23, 2355, 3855, kPlayOffColour);
    AddLabel(w, "LabElim", 0, &board, "Hôte : ", 60, 375, 840, 255);
    AddLabel(w, "LabElim", 1, &board, "Premiers :", 60, 705, 840, 255);
    AddLabel(w, "LabElim", 2, &board, "Deuxièmes", 2355, 105, 1400, 240);
    AddLabel(w, "LabElim", 3, &board, "Meilleur Troisième", 3810, 3255, 1400, 255);
    AddLabel(w, "LabElim", 4, &board, "Barrages :", 60, 3570, 840, 255);
}

void buildCommands(Zenkor& w, Control* elim) {
    // The advantage panel stays hidden until its "Trim" button.
    if (Control* trim = w.find("FraTrim")) {
        place(*trim, 12240, 4500, 3015, 2800);
        trim->setVisible(false);
    }
    const int left = 15360, width = 2160, height = 375;
    AddButton(w, kQualifierSaveButton, -1, elim, "Sauver", left, 4500, width, height);
    AddButton(w, kQualifierCloseButton, -1, elim, "Fermer", left, 4935, width, height);
    AddButton(w, kQualifierRecalcButton, -1, elim, "Re-Calcul", left, 5370, width, height);
    AddButton(w, kQualifierCalendarButton, -1, elim, "Calendrier", left, 5805, width, height);
    if (Control* trimButton = w.find(kQualifierActionButtons, 5))
        place(*trimButton, left, 6240, width, height);
    AddButton(w, kQualifierValuesButton, -1, elim, "Valeurs", left, 6675, width, height).setVisible(false);
}

// The work lists, out of sight until "Valeurs".
void buildWorkPanel(Zenkor& w, Control* elim) {
    Control& work = place(w.add(Kind::Frame, kQualifierWorkFrame, -1, elim), 0, 3000, 12000, 4800);
    work.setVisible(false);
    list(w, kQualifierGridList, -1, &work, true, 120, 240, 5000, 1800);
    list(w, kQualifierTiesList, -1, &work, true, 5220, 240, 3000, 900);
    list(w, kQualifierMaximaList, -1, &work, true, 8340, 240, 900, 1800);
    list(w, "ListPremiers", -1, &work, false, 9360, 240, 1200, 1800);
    list(w, "ListSeconds", -1, &work, false, 10620, 240, 1200, 1800);
    list(w, "ListMeilleurB", -1, &work, true, 5220, 1260, 3000, 1500);
    AddTextBox(w, kQualifierEntryText, -1, &work, 120, 2160, 5000, 2400).setMultiLine(true);
    AddButton(w, kQualifierActionButtons, 0, &work, "Remplir", 5220, 2880, 1215, 375);
    AddButton(w, kQualifierActionButtons, 2, &work, "RAZ", 6540, 2880, 1215, 375);
    AddButton(w, kQualifierHolderButton, -1, &work, kQualifierHolderButton, 7860, 2880, 1215, 375);
}

}  // namespace

void BuildQualifierDesign(Zenkor& w) {
    Control* elim = w.find("FraElim");
    if (elim == nullptr) elim = &w.add(Kind::Frame, "FraElim");
    buildGrid(w, elim);
    buildTable(w, elim);
    buildPlayOffs(w, elim);
    buildFixtureList(w, elim);
    buildBoard(w, elim);
    buildCommands(w, elim);
    buildWorkPanel(w, elim);
}

namespace qualifiers_detail {

void BindGridMember(Zenkor& w, int k) {
    if (Control* team = w.find("EquiElim", k)) {
        team->MouseMove = [&w, k](int b, int s, float x, float y) { EquiElim_MouseMove(w, k, b, s, x, y); };
    }
    if (Control* score = w.find("ButElim", k)) {
        score->Change = [&w, k] { ButElim_Change(w, k); };
        score->Click = [&w, k] { ButElim_Click(w, k); };
        score->GotFocus = [&w, k] { ButElim_GotFocus(w, k); };
    }
}

}  // namespace qualifiers_detail

void WireQualifiers(Zenkor& w) {
    for (int k : w.indexes("ButElim")) qualifiers_detail::BindGridMember(w, k);
    for (int i : w.indexes("bTNgrp")) w("bTNgrp", i).Click = [&w, i] { bTNgrp_Click(w, i); };
    for (int i : w.indexes("ButBAR")) {
        Control& c = w("ButBAR", i);
        c.Change = [&w, i] { ButBAR_Change(w, i); };
        c.GotFocus = [&w, i] { ButBAR_GotFocus(w, i); };
    }
    for (int i : w.indexes("NEElim")) w("NEElim", i).DblClick = [&w, i] { NEElim_DblClick(w, i); };
    for (int i : w.indexes(kQualifierActionButtons))
        w(kQualifierActionButtons, i).Click = [&w, i] { Command22_Click(w, i); };
    using RowHandler = void (*)(Zenkor&, int, int, int, float, float);
    const RowHandler forward = SortEQU_MouseMove;
    for (const char* name : {"SortRang", "SortEQU", "SortPTS", "SortJ", "SortG", "SortN", "SortP", "SortBP",
                             "SortBC", "SortDiff"}) {
        for (int i : w.indexes(name)) {
            w(name, i).MouseMove = [&w, forward, i](int b, int s, float x, float y) {
                forward(w, i, b, s, x, y);
            };
        }
    }
    w(kQualifierSaveButton).Click = [&w] { Command23_Click(w); };
    w(kQualifierCloseButton).Click = [&w] { Command24_Click(w); };
    w(kQualifierRecalcButton).Click = [&w] { Command25_Click(w); };
    w(kQualifierCalendarButton).Click = [&w] { Command27_Click(w); };
    w(kQualifierValuesButton).Click = [&w] { Command28_Click(w); };
    w(kQualifierHolderButton).Click = [&w] { Command29_Click(w); };
    Control& fixtures = w(kQualifierFixturesList);
    fixtures.MouseDown = [&w](int b, int s, float x, float y) { List7_MouseDown(w, b, s, x, y); };
    fixtures.DblClick = [&w] { List7_DblClick(w); };
    w("QuaBar").DblClick = [&w] { QuaBar_DblClick(w); };
}

}  // namespace zenkor
