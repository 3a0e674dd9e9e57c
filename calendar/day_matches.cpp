// The matches-of-the-day panel: the matches of the day and month in the pickers, with kick-off time,
// teams and channel logo, and the "Calendrier" button.
#include <string>

#include "app/main_names.h"
#include "calendar/calendar.h"
#include "platform/text.h"

namespace zenkor {

namespace {

using platform::Left;
using platform::Mid;
using platform::Right;

constexpr int kRows = 4;
constexpr int kNoLogo = 5;
constexpr char kMoreMatches[] = "........";

std::string caption(Zenkor& w, const std::string& name, int index) {
    const Control* c = w.find(name, index);
    return c == nullptr ? std::string() : c->Caption();
}

std::string tag(Zenkor& w, const std::string& name, int index) {
    const Control* c = w.find(name, index);
    return c == nullptr ? std::string() : c->Tag();
}

// The day line of one match information line, or "" when its round letter names no boxes.
std::string DayLine(Zenkor& w, const std::string& line) {
    const char letter = line.empty() ? ' ' : line[0];
    int slot = static_cast<int>(platform::Val(Mid(line, 2, 1)));
    if (slot == 1) slot = static_cast<int>(platform::Val(Mid(line, 2, 2)));

    std::string first, second, info;
    if (letter >= 'A' && letter <= 'F') {
        static const char* const kFixtures[] = {"lm", "lmB", "lmC", "lmD", "lmE", "lmF"};
        const std::string labels = kFixtures[letter - 'A'];
        first = caption(w, labels, slot);
        second = caption(w, labels, slot + 1);
        info = tag(w, labels, slot + 1);
    } else {
        const char* boxes = nullptr;
        switch (letter) {
            case 'V':
                boxes = "Huit";
                break;
            case 'W':
                boxes = "Qua";
                break;
            case 'X':
                boxes = "DEM";
                break;
            case 'Y':
                boxes = "pf";
                break;
            case 'Z':
                boxes = "FIN";
                break;
            default:
                return {};
        }
        first = caption(w, boxes, slot);
        second = caption(w, boxes, slot + 1);
        info = tag(w, boxes, slot);
    }
    return Right(line, 5) + " " + first + " Vs " + second + std::to_string(ChannelLogoIndex(info));
}

}  // namespace

std::int16_t ChannelLogoIndex(const std::string& info) {
    struct Logo {
        const char* channel;
        std::int16_t index;
    };
    static constexpr Logo kLogos[] = {{"TF1", 1}, {"F2", 2}, {"M6", 3}, {"TMC", 8}, {"C+", 0}};
    for (const Logo& logo : kLogos) {
        if (info.find(logo.channel) != std::string::npos) return logo.index;
    }
    return kNoLogo;
}

void FillDayMatches(Zenkor& w) {
    Control& list2 = w(kDayMatchesList);
    list2.Clear();
    const std::string day = w(kDayMatchesDayCombo).Text() + "/" + w(kDayMatchesMonthCombo).Text();
    for (const std::string& line : w(kEditionMatchesList).items()) {
        if (Left(Right(line, 14), 5) != day) continue;
        const std::string dayLine = DayLine(w, line);
        if (!dayLine.empty()) list2.AddItem(dayLine);
    }

    for (int k = 0; k < kRows; ++k) {
        Control& row = w("LabCAL", k);
        row.setCaption("");
        row.setAlignment(platform::Alignment::Left);
        Control& logo = w("RepIm", k);
        logo.setPicture("");
        logo.setToolTipText("");
    }

    const int n = list2.ListCount();
    for (int j = 0; j < n; ++j) {
        const int row = n == 1 ? j + 2 : n <= 3 ? j + 1 : j;
        if (row >= kRows) break;
        const std::string& line = list2.List(j);
        std::string text = Left(line, platform::Len(line) - 1);
        if (row == kRows - 1 && n > kRows) text += kMoreMatches;
        w("LabCAL", row).setCaption(text);
        const int logo = static_cast<int>(platform::Val(Right(line, 1)));
        if (logo == kNoLogo) continue;
        // A logo whose picture file is missing still names its channel.
        if (const Control* bank = w.find("ImChaine", logo)) {
            Control& image = w("RepIm", row);
            image.setPicture(bank->Picture());
            image.setToolTipText(bank->ToolTipText());
        }
    }

    if (n == 0) {
        const std::string texts[kRows] = {"", Message(7), Message(8), "!!!"};
        for (int k = 0; k < kRows; ++k) {
            Control& row = w("LabCAL", k);
            row.setAlignment(platform::Alignment::Center);
            row.setCaption(texts[k]);
        }
    }
}

void Combo3_Click(Zenkor& w) {
    FillDayMatches(w);
}
void Combo3_Change(Zenkor& w) {
    FillDayMatches(w);
}
void Combo4_Click(Zenkor& w) {
    FillDayMatches(w);
}
void Combo4_Change(Zenkor& w) {
    FillDayMatches(w);
}

// Once the user works the pickers, the panel stays until closed; the tick count is kept.
void Combo3_GotFocus(Zenkor& w) {
    w(kDayMatchesTimer).setEnabled(false);
}
void Combo4_GotFocus(Zenkor& w) {
    w(kDayMatchesTimer).setEnabled(false);
}
void Combo3_KeyPress(Zenkor& w, int&) {
    w(kDayMatchesTimer).setEnabled(false);
}
void Combo4_KeyPress(Zenkor& w, int&) {
    w(kDayMatchesTimer).setEnabled(false);
}

void Command15_Click(Zenkor& w) {
    w("FraHisto").setVisible(false);
    if (w("FraElim").Visible()) return;
    Control& panel = w(kDayMatchesFrame);
    if (w(kKnockoutViewFrame).Visible()) {
        panel.setLeft(7830);
        panel.setTop(6345);
    } else {
        panel.setLeft(13380);
        panel.setTop(990);
    }
    panel.setVisible(!panel.Visible());
    w("Fraide").setVisible(false);
}

}  // namespace zenkor
