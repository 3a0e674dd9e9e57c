// The group view's design: six group frames, the round-of-16 summary and the hidden score-fill buttons.
// Team names run up to "République tchèque": the narrow face keeps them whole in the fixed columns.
#include "app/design.h"
#include "app/main_names.h"
#include "group_stage/group_names.h"
#include "group_stage/group_stage.h"

namespace zenkor {

namespace {

constexpr const char* kNarrowFont = "Arial Narrow";
constexpr double kFixtureFontSize = 7;

constexpr std::array<GroupNames, 6> kNames = {{
    {kGroupAFrame, "A", "ButA", "lm", "MJ", "BP", "BC", "Delta", "PTs", "ListA", "LabTir"},
    {kGroupBFrame, "B", "ButB", "lmB", "MJb", "BPB", "BCB", "DeltaB", "PTsB", "ListB", "LabTIRB"},
    {kGroupCFrame, "C", "ButC", "lmC", "MJC", "BPC", "BCC", "DeltaC", "PTsC", "ListC", "LabTirC"},
    {kGroupDFrame, "D", "ButD", "lmD", "MJD", "BPD", "BCD", "DeltaD", "PTsD", "ListD", "LabTIRD"},
    {kGroupEFrame, "E", "ButE", "lmE", "MJE", "BPE", "BCE", "DeltaE", "PTsE", "ListE", "LabTIRE"},
    {kGroupFFrame, "F", "ButF", "lmF", "MJF", "BPF", "BCF", "DeltaF", "PTsF", "ListF", "LabTIRF"},
}};

struct FramePlace {
    int left, top;
};
constexpr std::array<FramePlace, 6> kFramePlaces = {
    {{90, 1005}, {90, 3360}, {90, 5700}, {6615, 1005}, {6615, 3360}, {6615, 5700}}};
constexpr int kFrameWidth = 6495, kFrameHeight = 2205;

// Score and team boxes are 285 high on rows 255 apart: neighbouring rows share their borders.
constexpr int kRowBoxHeight = 285;
// Match rows: score boxes, left labels, right labels.
constexpr std::array<int, 6> kScoreTop = {540, 795, 1050, 1305, 1560, 1815};
constexpr std::array<int, 6> kLeftLabelTop = {600, 852, 1104, 1356, 1608, 1860};
constexpr std::array<int, 6> kRightLabelTop = {600, 852, 1095, 1350, 1608, 1860};

// Table columns to the right of the team boxes; headings share their Lefts so the rows line up.
struct Column {
    int left, width;
};
constexpr int kTeamLeft = 3270, kTeamWidth = 1425;
constexpr Column kPlayedColumn = {4755, 225};
constexpr Column kGoalsForColumn = {5010, 330};
constexpr Column kGoalsAgainstColumn = {5370, 330};
constexpr Column kDifferenceColumn = {5730, 390};
constexpr Column kPointsColumn = {6150, 300};
constexpr int kHeadingTop = 450, kHeadingHeight = 210, kColumnHeight = 225;

Control& label(Zenkor& w, const char* name, int index, Control* container, const char* caption, int left,
               int top, int width, int height) {
    Control& c = AddLabel(w, name, index, container, caption, left, top, width, height);
    c.setFontName(kNarrowFont);
    return c;
}

Control& heading(Zenkor& w, const char* name, int index, Control* frame, const char* caption, Column column) {
    Control& c =
        label(w, name, index, frame, caption, column.left, kHeadingTop, column.width, kHeadingHeight);
    c.setAlignment(platform::Alignment::Center);
    c.setFontBold(true);
    return c;
}

// Label1 numbering: group A "Equipe", "BP", "BC", "Delta", "pts" at 0..4; groups B..F run the other way
// round ("pts" .. "Equipe") at 5g..5g+4; Label1(30) is the caption over the best thirds. The played
// headings are LabJ(g).
void buildHeadings(Zenkor& w, int g, Control* frame) {
    const bool forward = g == 0;
    auto at = [&](int slot) { return forward ? slot : 5 * g + 4 - slot; };
    Control& team = label(w, kGroupHeadingLabels, at(0), frame, "Equipe", kTeamLeft, kHeadingTop, kTeamWidth,
                          kHeadingHeight);
    team.setFontBold(true);
    heading(w, kGroupHeadingLabels, at(1), frame, "BP", kGoalsForColumn);
    heading(w, kGroupHeadingLabels, at(2), frame, "BC", kGoalsAgainstColumn);
    heading(w, kGroupHeadingLabels, at(3), frame, "Delta", kDifferenceColumn);
    heading(w, kGroupHeadingLabels, at(4), frame, "pts", kPointsColumn);
    heading(w, "LabJ", g, frame, "J", kPlayedColumn);
}

void buildColumns(Zenkor& w, const GroupNames& n, Control* frame) {
    auto column = [&](const char* name, Column col, int i, int dy) {
        Control& c = label(w, name, i, frame, "", col.left, kPlaceTop[static_cast<size_t>(i)] + dy, col.width,
                           kColumnHeight);
        c.setAlignment(platform::Alignment::Center);
    };
    for (int i = 1; i <= 4; ++i) {
        column(n.played, kPlayedColumn, i, 15);
        column(n.goalsFor, kGoalsForColumn, i, 0);
        column(n.goalsAgainst, kGoalsAgainstColumn, i, 0);
        column(n.difference, kDifferenceColumn, i, 0);
        column(n.points, kPointsColumn, i, 0);
    }
}

void buildMatches(Zenkor& w, const GroupNames& n, Control* frame) {
    for (int m = 0; m < 6; ++m) {
        const auto row = static_cast<size_t>(m);
        Control& left = label(w, n.fixture, 2 * m, frame, "Eq", 120, kLeftLabelTop[row], 1065, 195);
        Control& right = label(w, n.fixture, 2 * m + 1, frame, "Eq", 2100, kRightLabelTop[row], 1065, 195);
        for (Control* c : {&left, &right}) {
            c->setBackStyle(platform::BackStyle::Opaque);
            c->setFontSize(kFixtureFontSize);
        }
        left.setAlignment(platform::Alignment::Right);  // the name stands next to its score box
        for (int side = 0; side < 2; ++side) {
            Control& box = w.add(Kind::TextBox, n.score, 2 * m + side, frame);
            box.move(side == 0 ? 1230 : 1680, kScoreTop[row], 375, kRowBoxHeight);
            box.setText("-");
            box.setAlignment(platform::Alignment::Center);
        }
    }
}

void buildGroupFrame(Zenkor& w, int g) {
    const GroupNames& n = kNames[static_cast<size_t>(g)];
    const FramePlace place = kFramePlaces[static_cast<size_t>(g)];
    Control& frame = AddFrame(w, n.frame, -1, nullptr, "Groupe " + Zenkor::groupName(g), place.left,
                              place.top, kFrameWidth, kFrameHeight);

    Control& list = w.add(Kind::ListBox, n.list, -1, &frame);
    list.move(120, 240, 1065, 255);
    list.setVisible(false);
    list.setSorted(true);

    buildMatches(w, n, &frame);
    for (int i = 1; i <= 4; ++i) {
        Control& team = w.add(Kind::TextBox, n.team, i, &frame);
        team.move(kTeamLeft, kPlaceTop[static_cast<size_t>(i)], kTeamWidth, kRowBoxHeight);
        team.setText(n.team + std::to_string(i));
        team.setFontName(kNarrowFont);
        team.setLocked(g != 2);  // group C's names are editable from the start
    }
    buildHeadings(w, g, &frame);
    buildColumns(w, n, &frame);

    Control& lots = label(w, n.lots, -1, &frame, "Tirage", kTeamLeft, 1950,
                          kPointsColumn.left + kPointsColumn.width - kTeamLeft, 210);
    lots.setForeColor(platform::kDarkRed);
}

void buildRoundOf16Summary(Zenkor& w) {
    Control& frame =
        AddFrame(w, kRoundOf16SummaryFrame, -1, nullptr, "Huitièmes de Finale", 13560, 1005, 3765, 3390);
    // One row per match: slot 16 + 2m against slot 17 + 2m; below them, the caption of the best thirds,
    // whose box lies just under the frame.
    for (int m = 0; m < 8; ++m) {
        for (int side = 0; side < 2; ++side) {
            Control& slot = w.add(Kind::TextBox, "Huit", 16 + 2 * m + side, &frame);
            slot.move(side == 0 ? 120 : 1965, 285 + 360 * m, 1680, 285);
            slot.setLocked(true);
            slot.setFontName(kNarrowFont);
            slot.setAlignment(side == 0 ? platform::Alignment::Right : platform::Alignment::Left);
        }
    }
    label(w, kGroupHeadingLabels, 30, &frame, "Meilleurs troisièmes:", 120, 3135, 3525, 225);
    Control& thirds = w.add(Kind::TextBox, "TexMeillTrois");
    thirds.move(frame.Left(), frame.Top() + frame.Height(), frame.Width(), 510);
    thirds.setMultiLine(true);
    thirds.setLocked(true);
    thirds.setFontName(kNarrowFont);
}

}  // namespace

const GroupNames& GroupControlNames(int group) {
    if (group < 0 || group > 5) group = 0;
    return kNames[static_cast<size_t>(group)];
}

void BuildGroupDesign(Zenkor& w) {
    for (int g = 0; g < 6; ++g) buildGroupFrame(w, g);
    Control& text1 = w.add(Kind::TextBox, kEditionNameText, -1, kGroupAFrame);
    text1.move(1230, 240, 1425, 285);
    text1.setVisible(false);

    buildRoundOf16Summary(w);

    for (int i = 0; i < 2; ++i) {
        Control& fill = AddButton(w, kScoreFillButtons, i, nullptr, i == 0 ? kScoreFillButtons : "-",
                                  i == 0 ? 810 : 1260, 8580, 345, 345);
        fill.setVisible(false);
    }
}

}  // namespace zenkor
