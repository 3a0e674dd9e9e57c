// The goal total of every entered score, shown in the history panel and the knockout view; on the way each
// group score box shows by its colour whether it holds a score.
#include "app/main_names.h"
#include "knockout/knockout.h"
#include "knockout/knockout_detail.h"
#include "knockout/knockout_names.h"

namespace zenkor {

using namespace knockout_detail;

void ShowTotalGoals(Zenkor& w) {
    bool counted = false;  // no entered box: the total shows no number at all
    double total = 0;
    auto add = [&](const std::string& text) {
        counted = true;
        total = Saturate(total + Goals(text));
    };
    for (int i = 0; i < 12; ++i) {
        for (int g = 0; g < 6; ++g) {
            Control& box = w(ScoreBox(g), i);
            if (box.Text() != "-") {
                add(box.Text());
                box.setBackColor(platform::kWhite);
            } else {
                box.setBackColor(platform::kButtonFace);
            }
        }
    }
    // Every knockout score counts, penalties never; Buthui 16 and 17 are the help panel's example.
    auto addEntered = [&](const char* scores, int i) {
        const std::string& text = w(scores, i).Text();
        if (text != "-") add(text);
    };
    for (int i = 0; i < 16; ++i) addEntered("Buthui", i);
    for (int i = 0; i < 8; ++i) addEntered("ButQua", i);
    for (int i = 0; i < 4; ++i) addEntered("ButDem", i);
    for (int i = 0; i < 2; ++i) {
        addEntered("Butpetfin", i);
        addEntered("ButFIN", i);
    }
    const std::string caption =
        (counted ? platform::NumText(total) : std::string()) + " " + MessageOr(10, kGoalsWord);
    w(kHistoryGoalTotalLabel).setCaption(caption);
    w(kKnockoutGoalTotalLabel).setCaption(caption);
}

}  // namespace zenkor
