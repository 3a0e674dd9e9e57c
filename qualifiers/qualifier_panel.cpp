// The qualifiers panel: opening and closing, group buttons, fixture lists, score entry, team following,
// manual advantages and the test aids.
#include <cmath>

#include "app/ini_file.h"
#include "app/main_names.h"
#include "platform/datetime.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "qualifiers/qualifier_detail.h"
#include "qualifiers/qualifier_names.h"
#include "qualifiers/qualifiers.h"

namespace zenkor {

using qualifiers_detail::kFile;
using qualifiers_detail::kFollowOn;

namespace {

using platform::kDarkGrey;
using platform::kYellow;

// Fixtures on or after this moment are listed: all of them, or from a day ago when past ones are hidden.
platform::DateTime listThreshold(Zenkor& w) {
    if (w(kHidePastFixturesCheck).Value() == 1) return platform::AddDays(platform::Now(), -1);
    return platform::DateValue("1/1/2000");
}

bool listed(const std::vector<std::string>& fields, platform::DateTime threshold) {
    return fields.size() >= 4 && platform::DateValue(fields[0]) >= threshold;
}

void showCount(Zenkor& w) {
    Control& fixtures = w(kQualifierFixturesList);
    fixtures.setVisible(true);
    Control& count = w(kQualifierCountLabels, 2);
    count.setCaption(std::to_string(fixtures.ListCount()) + Message(19));
    count.setVisible(fixtures.Visible());
}

void setRandomScore(Zenkor& w, int k) {
    if (Control* box = w.find("ButElim", k)) {
        box->setText(std::to_string(static_cast<int>(std::floor(platform::Rnd() * 5))));
    }
}

}  // namespace

void Command26_Click(Zenkor& w) {
    w.self().setMousePointer(platform::Pointer::Hourglass);
    w(kDayMatchesFrame).setVisible(false);
    Control& panel = w("FraElim");
    if (!panel.Visible()) {
        if (w(kQualifierGridList).ListCount() == 0) BuildQualifierGrid(w);
        Command25_Click(w);
    }
    platform::DoEvents();
    panel.setVisible(!panel.Visible());
    w.self().setMousePointer(platform::Pointer::Default);
}

void Command24_Click(Zenkor& w) {
    w("FraElim").setVisible(false);
}

void bTNgrp_Click(Zenkor& w, int index) {
    Control* button = w.find("bTNgrp", index);
    if (button == nullptr) return;
    if (!SaveElimChanges(w)) return;
    const platform::DateTime threshold = listThreshold(w);
    Control& fixtures = w(kQualifierFixturesList);
    fixtures.setTag("");
    const std::string letter = button->Caption();
    w("ELIMGRP").setText(letter);
    LoadElimGroup(w);
    CalcElimStandings(w);
    if (w(kQualifierRecalcButton).Tag() != "AUTO") {
        fixtures.Clear();
        for (int k = 0; k <= 259; ++k) {
            const auto fields = platform::Split(QualifierFixtures()[static_cast<size_t>(k)], "|");
            if (listed(fields, threshold) && fields[3] == letter) {
                fixtures.AddItem(fields[0] + " " + fields[1] + " - " + fields[2]);
            }
        }
        showCount(w);
    }
    const bool sixTeams = !w("SortEQU", 6).Text().empty();
    for (const char* column : {"SortRang", "SortEQU", "SortPTS", "SortJ", "SortG", "SortN", "SortP", "SortBP",
                               "SortBC", "SortDiff"}) {
        w(column, 6).setVisible(sixTeams);
    }
}

void Command27_Click(Zenkor& w) {
    const platform::DateTime threshold = listThreshold(w);
    Control& fixtures = w(kQualifierFixturesList);
    fixtures.Clear();
    for (int k = 0; k <= 259; ++k) {
        const auto fields = platform::Split(QualifierFixtures()[static_cast<size_t>(k)], "|");
        if (listed(fields, threshold)) {
            fixtures.AddItem(fields[3] + " " + fields[0] + " " + fields[1] + " - " + fields[2]);
        }
    }
    showCount(w);
}

void List7_MouseDown(Zenkor& w, int, int, float, float) {
    Control& fixtures = w(kQualifierFixturesList);
    const std::string line = fixtures.List(fixtures.ListIndex());
    if (line.size() < 2) return;
    if (line[1] != ' ') {
        const auto teams = platform::Split(platform::Mid(line, 12), " - ");
        if (teams.size() < 2) return;
        for (int x = 0; x <= 58; x += 2) {
            const bool match = w("EquiElim", x).Text() == teams[0] && w("EquiElim", x + 1).Text() == teams[1];
            w("EquiElim", x).setBackColor(match ? kDarkGrey : platform::kWhite);
            w("EquiElim", x + 1).setBackColor(match ? kDarkGrey : platform::kWhite);
            if (match) {
                w("ButElim", x).SetFocus();
                w(kQualifierActionButtons, 1).setTag(std::to_string(x));
            }
        }
        return;
    }
    const int index = static_cast<unsigned char>(line[0]) - 65;
    if (index >= 0 && index <= 8) bTNgrp_Click(w, index);
}

void List7_DblClick(Zenkor& w) {
    Control& fixtures = w(kQualifierFixturesList);
    fixtures.setBackColor(fixtures.BackColor() == platform::kWhite ? kFollowOn : platform::kWhite);
}

void EquiElim_MouseMove(Zenkor& w, int index, int, int, float, float) {
    Control& fixtures = w(kQualifierFixturesList);
    if (fixtures.BackColor() == platform::kWhite) return;
    const std::string name = w("EquiElim", index).Text();
    const bool someone = !platform::Trim(name).empty();
    for (int x = 0; x <= 59; ++x) {
        Control& box = w("EquiElim", x);
        box.setBackColor(someone && box.Text() == name ? kYellow : platform::kWhite);
    }
    if (fixtures.ListCount() >= 15) return;
    for (int i = 0; i < fixtures.ListCount(); ++i) {
        fixtures.setSelected(i, false);
        if (someone && platform::InStr(fixtures.List(i), name) > 0) fixtures.setSelected(i, true);
    }
}

void ButElim_Change(Zenkor& w, int index) {
    w(kQualifierEntryText).setText("");
    if (w(kPlayOffsFrame).Tag().empty()) {
        const int partner = index % 2 == 1 ? index - 1 : index + 1;
        if (w("ButElim", partner).Text() != "-") CalcElimStandings(w);
    }
    Control& box = w("ButElim", index);
    if (platform::Len(box.Text()) > 1) box.setText(platform::Replace(box.Text(), "-", ""));
}

void ButElim_Click(Zenkor& w, int index) {
    w(kQualifierActionButtons, 1).setTag(std::to_string(index));
}

void ButElim_GotFocus(Zenkor& w, int index) {
    Control& box = w("ButElim", index);
    box.setSelStart(0);
    box.setSelLength(platform::Len(box.Text()));
}

void ButBAR_GotFocus(Zenkor& w, int index) {
    Control& box = w("ButBAR", index);
    box.setSelStart(0);
    box.setSelLength(platform::Len(box.Text()));
}

void ButBAR_Change(Zenkor& w, int index) {
    Control& box = w("ButBAR", index);
    if (platform::Len(box.Text()) > 1) box.setText(platform::Replace(box.Text(), "-", ""));
    MarkBarrageWinners(w);
}

void NEElim_DblClick(Zenkor& w, int index) {
    const std::string section = "TrimElim" + w("ELIMGRP").Text();
    const std::string key = std::to_string(index);
    const double value = platform::Val(ReadIni(kFile, section, key, "0"));
    // Unsaved, the table keeps its order: what the user sees is all a failure would tell.
    static_cast<void>(WriteIni(kFile, section, key, platform::NumText(value + 10)));
    CalcElimStandings(w);
}

void Command22_Click(Zenkor& w, int index) {
    switch (index) {
        case 0:
            for (int k : w.indexes("ButElim")) setRandomScore(w, k);
            break;
        case 1: {
            Control& fill = w(kQualifierActionButtons, 1);
            const auto v = static_cast<int>(platform::ValWhole(fill.Tag()));
            setRandomScore(w, v);
            fill.setTag(std::to_string(v == 59 ? 0 : v + 1));
            break;
        }
        case 2:
            for (int k : w.indexes("ButElim")) w("ButElim", k).setText("-");
            break;
        case 3: {
            Control& fixtures = w(kQualifierFixturesList);
            const auto t = static_cast<int>(platform::ValWhole(fixtures.Tag()));
            if (t >= 0 && t < fixtures.ListCount()) fixtures.setListIndex(t);
            platform::DoEvents();
            List7_MouseDown(w, 1, 0, 0, 0);
            fixtures.setTag(t + 1 >= fixtures.ListCount() ? std::string() : std::to_string(t + 1));
            Command22_Click(w, 1);
            Command22_Click(w, 1);
            break;
        }
        case 5:
            w("FraTrim").setVisible(!w("FraTrim").Visible());
            break;
        default:
            break;
    }
}

void Command28_Click(Zenkor& w) {
    w(kQualifierActionButtons, 1).setVisible(true);
    w(kQualifierActionButtons, 3).setVisible(true);
    Control& work = w(kQualifierWorkFrame);
    work.setVisible(!work.Visible());
    work.setLeft(0);
    w.bringToFront(work);
}

void Command29_Click(Zenkor& w) {
    Control* picture = w.find(kQualifierAdvertPreview);
    const Control* holder = picture != nullptr ? picture->container() : nullptr;
    platform::MsgBox(holder != nullptr ? holder->name() : std::string());
}

}  // namespace zenkor
