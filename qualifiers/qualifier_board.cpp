// "Re-Calcul" over the nine groups, the best third, the play-offs and the board of qualified teams.
#include <vector>

#include "app/main_names.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "qualifiers/qualifier_detail.h"
#include "qualifiers/qualifier_names.h"
#include "qualifiers/qualifiers.h"

namespace zenkor {

namespace {

using platform::kGreen;

std::string afterBar(const std::string& item) {
    const auto fields = platform::Split(item, "|");
    return fields.size() > 1 ? fields[1] : std::string();
}

// The points adjustment of a team in the work lines; the last line naming it counts.
double pointsAdjustment(Zenkor& w, const std::string& name) {
    double adjustment = 0;
    const auto lines = platform::Split(w(kQualifierEntryText).Text(), "\r\n");
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        const auto fields = platform::Split(lines[i], "|");
        if (fields.size() > 1 && fields[0] == name) adjustment = platform::Val(fields[1]);
    }
    return adjustment;
}

// The group on display, as "Re-Calcul" records it: its third for the best-third ranking, and its first two
// when the third has taken points.
void recordGroup(Zenkor& w) {
    Control& table = w(kQualifierGridList);
    // A group of fewer than three teams has no third: it records nothing.
    if (table.ListCount() < 3) return;
    const auto fields = platform::Split(table.List(table.ListCount() - 3), "|");
    if (fields.size() < 2) return;
    const double key3 = platform::Val(fields[0]);
    const std::string& name3 = fields[1];
    const double key6 = key3 + 1000 * pointsAdjustment(w, name3);
    w("ListMeilleurB").AddItem(platform::Format(key6, "000000") + "|" + name3);
    if (key3 > 1200) {
        w("ListPremiers").AddItem(w("SortEQU", 1).Text());
        w("ListSeconds").AddItem(w("SortEQU", 2).Text());
    }
}

}  // namespace

void Command25_Click(Zenkor& w) {
    if (!SaveElimChanges(w)) return;
    QualifierPlayedCount() = 0;
    QualifierFixtureCount() = 0;
    w(kQualifierRecalcButton).setTag("AUTO");
    Control& thirds = w("ListMeilleurB");
    Control& winners = w("ListPremiers");
    Control& runnersUp = w("ListSeconds");
    thirds.Clear();
    winners.Clear();
    runnersUp.Clear();
    w(kQualifierEntryText).setText("");
    const auto groups = w.indexes("bTNgrp");
    for (auto g = groups.rbegin(); g != groups.rend(); ++g) {
        // What was typed while the previous group was on display goes to the file before the next load.
        if (!SaveElimChanges(w)) {
            w(kQualifierRecalcButton).setTag("");
            return;
        }
        bTNgrp_Click(w, *g);
        platform::DoEvents();
        recordGroup(w);
    }
    w(kQualifierRecalcButton).setTag("");
    if (QualifierPlayedCount() > 8) {
        for (int k = 0; k < winners.ListCount(); ++k) w("QUALIF", k + 1).setText(winners.List(k));
        for (int k = 0; k < runnersUp.ListCount(); ++k) w("QUALIF", k + 10).setText(runnersUp.List(k));
        if (thirds.ListCount() > 0) w("QUALIF", 19).setText(afterBar(thirds.List(thirds.ListCount() - 1)));
    }
    std::string candidates;
    for (int k = 2; k <= 9; ++k) {
        const int i = thirds.ListCount() - k;
        if (i >= 0) candidates += afterBar(thirds.List(i)) + "\r\n";
    }
    w("QuaBar").setText(candidates);
    w(kQualifierFixturesList).setVisible(false);
    w(kQualifierCountLabels, 2).setVisible(w(kQualifierFixturesList).Visible());
    w(kQualifierCountLabels, 0)
        .setCaption(std::to_string(QualifierPlayedCount()) + Message(18) +
                    std::to_string(QualifierFixtureCount()));
}

void MarkBarrageWinners(Zenkor& w) {
    if (w(kPlayOffsFrame).Tag() == "charge") return;
    for (int i = 0; i <= 6; i += 2) {
        w("BAR", i + 1).setBackColor(platform::kWhite);
        w("BAR", i).setBackColor(platform::kWhite);
        const std::string& a = w("ButBAR", i).Text();
        const std::string& b = w("ButBAR", i + 1).Text();
        if (a == "-" || b == "-") continue;
        const double first = platform::Val(a), second = platform::Val(b);
        if (first > second) {
            w("BAR", i).setBackColor(kGreen);
            AddBarrageQualified(w, w("BAR", i).Text());
        }
        if (second > first) {
            w("BAR", i + 1).setBackColor(kGreen);
            AddBarrageQualified(w, w("BAR", i + 1).Text());
        }
    }
}

void AddBarrageQualified(Zenkor& w, const std::string& name) {
    for (int k = 20; k <= 23; ++k) {
        Control& slot = w("QUALIF", k);
        const std::string held = platform::Trim(slot.Text());
        if (held == name) return;
        if (held.empty()) {
            slot.setText(name);
            return;
        }
    }
}

void QuaBar_DblClick(Zenkor& w) {
    Control& box = w("QuaBar");
    std::vector<std::string> lines = platform::Split(box.Text(), "\r\n");
    if (platform::Trim(box.SelText()).empty()) return;
    // The line the double-click lies on, so that a name holding another ("Irlande Nord", "Irlande")
    // never stands in for it.
    const size_t picked = platform::Split(platform::Left(box.Text(), box.SelStart()), "\r\n").size() - 1;
    if (picked + 1 >= lines.size()) return;
    const std::string pick = lines[picked];
    for (int k = 0; k <= 7; ++k) {
        if (!w("BAR", k).Text().empty()) continue;
        w("BAR", k).setText(pick);
        lines[picked].clear();  // its line break stays: an empty line remains
        box.setText(platform::Join(lines, "\r\n"));
        return;
    }
}

}  // namespace zenkor
