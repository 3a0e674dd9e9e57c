// The goal total of every entered score, shown in the history panel and the knockout view; on the way each
// group score box shows by its colour whether it holds a score.
#include "knockout/knockout.h"
#include "knockout/knockout_detail.h"

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
    struct Round {
        const char* scores;
        int count;
    };
    static constexpr Round kRounds[] = {
        {"Buthui", 16}, {"ButQua", 8}, {"ButDem", 4}, {"Butpetfin", 2}, {"ButFIN", 2}};
    for (const Round& round : kRounds) {
        for (int i = 0; i < round.count; ++i) {
            const std::string& text = w(round.scores, i).Text();
            if (text != "-") add(text);
        }
    }
    const std::string caption = (counted ? platform::NumText(total) : std::string()) + " " + Message(10);
    w("Label15").setCaption(caption);
    w("Label21").setCaption(caption);
}

}  // namespace zenkor
