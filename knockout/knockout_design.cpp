// The knockout view: one frame per round laid out as a bracket, rounds as columns from left to right,
// the final under the semi-finals and the podium beside it.
#include "app/artwork.h"
#include "app/design.h"
#include "app/main_names.h"
#include "knockout/knockout.h"
#include "knockout/knockout_names.h"

namespace zenkor {

namespace {

using platform::Color;

constexpr Color kPenaltyGrey = platform::kGrey;

// One match row: team slot, score, penalty, penalty, score, team slot. The slot is wide enough for the
// longest team name ("République tchèque") in the front end's default font at 15 twips per pixel.
constexpr int kSlotWidth = 1800;
constexpr int kScoreWidth = 330;
constexpr int kPenaltyWidth = 285;
constexpr int kRowHeight = 315;
constexpr int kSlotGap = 45;
constexpr int kBoxGap = 15;
constexpr int kPenaltyGap = 30;
constexpr int kRowWidth =
    2 * (kSlotWidth + kSlotGap + kScoreWidth + kBoxGap + kPenaltyWidth) + kPenaltyGap;  // 4980

// Round frames.
constexpr int kFramePadding = 75;
constexpr int kFrameWidth = kRowWidth + 2 * kFramePadding;  // 5130
constexpr int kFirstRowTop = 300;                           // below the frame caption
constexpr int kColumnGap = 60;
constexpr int kColumn1 = 60;
constexpr int kColumn2 = kColumn1 + kFrameWidth + kColumnGap;
constexpr int kColumn3 = kColumn2 + kFrameWidth + kColumnGap;
constexpr int kColumn4 = kColumn3 + kFrameWidth + kColumnGap;  // podium and trophy
constexpr int kColumn4Width = 17640 - 60 - kColumn4;
constexpr int kBracketTop = 105;
constexpr int kPitch = 810;  // between two round-of-16 rows
constexpr int kBracketHeight = kFirstRowTop + 7 * kPitch + kRowHeight + 120;
constexpr int kLowerTop = kBracketTop + kBracketHeight + 75;  // final, hidden panels, podium
constexpr int kSingleRowFrameHeight = kFirstRowTop + kRowHeight + 120;

static_assert(kColumn4Width >= 1860, "the podium column must hold a long name in bold");
static_assert(kLowerTop + kSingleRowFrameHeight <= 7950 - 60, "the final must fit in the knockout view");

Control& entryBox(Zenkor& w, const char* name, int index, Control* container, int left, int top, int width,
                  bool penalty) {
    Control& c = w.add(Kind::TextBox, name, index, container);
    c.setText("-");
    c.move(left, top, width, kRowHeight);
    c.setAlignment(platform::Alignment::Center);
    if (penalty) c.setBackColor(kPenaltyGrey);
    return c;
}

// Team slot 2k, score 2k, penalty 2k, penalty 2k+1, score 2k+1, team slot 2k+1, in this (tab) order.
void matchRow(Zenkor& w, Control* container, int k, int top, const char* slots, const char* scores,
              const char* penalties) {
    int x = kFramePadding;
    Control& first = w.add(Kind::TextBox, slots, 2 * k, container);
    first.move(x, top, kSlotWidth, kRowHeight);
    first.setLocked(true);
    x += kSlotWidth + kSlotGap;
    entryBox(w, scores, 2 * k, container, x, top, kScoreWidth, false);
    x += kScoreWidth + kBoxGap;
    entryBox(w, penalties, 2 * k, container, x, top, kPenaltyWidth, true);
    x += kPenaltyWidth + kPenaltyGap;
    entryBox(w, penalties, 2 * k + 1, container, x, top, kPenaltyWidth, true);
    x += kPenaltyWidth + kBoxGap;
    entryBox(w, scores, 2 * k + 1, container, x, top, kScoreWidth, false);
    x += kScoreWidth + kSlotGap;
    Control& second = w.add(Kind::TextBox, slots, 2 * k + 1, container);
    second.move(x, top, kSlotWidth, kRowHeight);
    second.setLocked(true);
    second.setAlignment(platform::Alignment::Right);
}

// Top of match k of a round whose matches each gather 2^level round-of-16 matches: centred between the
// rows that feed it.
int bracketRowTop(int level, int k) {
    const int span = 1 << level;
    return kFirstRowTop + (2 * span * k + span - 1) * kPitch / 2;
}

void buildRounds(Zenkor& w, Control* view) {
    Control* r16 = &AddFrame(w, kRoundOf16Frame, -1, view, "Huitième de Finale", kColumn1, kBracketTop,
                             kFrameWidth, kBracketHeight);
    for (int k = 0; k < 8; ++k) matchRow(w, r16, k, bracketRowTop(0, k), "Huit", "Buthui", "ButPen");
    Control* quarters = &AddFrame(w, kQuarterFinalsFrame, -1, view, "Quart de Finale", kColumn2, kBracketTop,
                                  kFrameWidth, kBracketHeight);
    for (int k = 0; k < 4; ++k) matchRow(w, quarters, k, bracketRowTop(1, k), "Qua", "ButQua", "ButPen4");
    Control* semis = &AddFrame(w, kSemiFinalsFrame, -1, view, "Demi Finale", kColumn3, kBracketTop,
                               kFrameWidth, kBracketHeight);
    for (int k = 0; k < 2; ++k) matchRow(w, semis, k, bracketRowTop(2, k), "DEM", "ButDem", "ButPen2");
    Control* final = &AddFrame(w, kFinalFrame, -1, view, "Finale", kColumn3, kLowerTop, kFrameWidth,
                               kSingleRowFrameHeight);
    matchRow(w, final, 0, kFirstRowTop, "FIN", "ButFIN", "ButPenFIN");
    // The third-place match stays hidden: the program never shows it.
    Control* third = &AddFrame(w, kThirdPlaceFrame, -1, view, "Petite Finale", kColumn2, kLowerTop,
                               kFrameWidth, kSingleRowFrameHeight);
    third->setVisible(false);
    matchRow(w, third, 0, kFirstRowTop, "pf", "Butpetfin", "ButPenpetfin");
}

void buildPodium(Zenkor& w, Control* view) {
    Control& trophy = AddPicture(w, kTrophyPicture, -1, view, artwork::kTrophy,
                                 kColumn4 + (kColumn4Width - 1500) / 2, kLowerTop - 2100, 1500, 1950);
    trophy.setVisible(false);
    struct Place {
        int top, height;
        bool bold;
    };
    const Place places[] = {{kLowerTop, 285, true},
                            {kLowerTop + 300, 255, false},
                            {kLowerTop + 585, 450, false},
                            {kLowerTop + 1065, 255, false}};
    for (int i = 1; i <= 4; ++i) {
        const Place& p = places[i - 1];
        Control& label = w.add(Kind::Label, "pod", i, view);
        label.move(kColumn4, p.top, kColumn4Width, p.height);
        label.setBackStyle(platform::BackStyle::Transparent);
        label.setFontBold(p.bold);
        label.setAlignment(platform::Alignment::Center);
    }
}

void buildHiddenPanel(Zenkor& w, Control* view) {
    Control* panel = &AddFrame(w, kKnockoutEditionFrame, -1, view, "", kColumn1, kLowerTop, kFrameWidth,
                               kSingleRowFrameHeight);
    panel->setVisible(false);
    Control& total = w.add(Kind::Label, kKnockoutGoalTotalLabel, -1, panel);
    total.move(120, 330, 2400, 255);
    total.setBackStyle(platform::BackStyle::Transparent);
    AddButton(w, kKnockoutOpenButton, -1, panel, "Ouvrir", 3960, 240, 1035, 375);
    Control& editions = w.add(Kind::ComboBox, kKnockoutEditionsCombo, -1, panel);
    editions.move(2640, 270, 1200, 315);
}

// The help panel's example row, elements 16 and 17 of the round-of-16 arrays.
void buildHelpExample(Zenkor& w) {
    Control* help = w.find("Fraide");
    if (help == nullptr) return;
    const int top = 7320;
    int x = 600;
    entryBox(w, "Buthui", 16, help, x, top, kScoreWidth, false);
    x += kScoreWidth + kBoxGap;
    entryBox(w, "ButPen", 16, help, x, top, kPenaltyWidth, true);
    x += kPenaltyWidth + kPenaltyGap;
    entryBox(w, "ButPen", 17, help, x, top, kPenaltyWidth, true);
    x += kPenaltyWidth + kBoxGap;
    entryBox(w, "Buthui", 17, help, x, top, kScoreWidth, false);
}

void buildWorkLists(Zenkor& w) {
    for (int i = 0; i <= 3; ++i) {
        Control& list = w.add(Kind::ListBox, kKnockoutWorkLists, i);
        list.move(0, 0, 1215, 255);
        list.setVisible(false);
        list.setSorted(i != 3);
    }
}

}  // namespace

void BuildKnockoutDesign(Zenkor& w) {
    Control* view = w.find(kKnockoutViewFrame);
    if (view == nullptr) view = &AddFrame(w, kKnockoutViewFrame, -1, nullptr, "", 15, 930, 17640, 7950);
    view->setVisible(false);
    buildRounds(w, view);
    buildPodium(w, view);
    buildHiddenPanel(w, view);
    buildHelpExample(w);
    buildWorkLists(w);
}

}  // namespace zenkor
