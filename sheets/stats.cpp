// The statistics window: the teams ranked by how far they came, the goals of each team, the podium.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/artwork.h"
#include "app/design.h"
#include "app/main_names.h"
#include "group_stage/group_stage.h"
#include "platform/printer.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "sheets/sheet_names.h"
#include "sheets/sheet_windows.h"
#include "sheets/sheets.h"

namespace zenkor {

using platform::Color;

namespace {

using platform::kDarkBlue;
constexpr Color kWinnerColour = platform::kDarkGreen;
constexpr const char* kDesignTitle = "Statistiques de l'Euro";
// The marks after a team's name in the ranking, by how far it went.
constexpr int kChampionMessage = 33;
constexpr int kRunnerUpMessage = 34;
constexpr int kThirdMessage = 35;
constexpr int kRoundOf16Message = 36;
constexpr int kQuarterFinalMessage = 37;

std::unique_ptr<Stats>& owner() {
    static std::unique_ptr<Stats> stats;
    return stats;
}

Control& place(Stats& s, Kind kind, const char* name, int index, const char* container, int left, int top,
               int width, int height) {
    Control& c = container ? s.add(kind, name, index, container) : s.add(kind, name, index);
    c.move(left, top, width, height);
    return c;
}

Control& heading(Stats& s, const char* name, const char* caption, int left, int top, int width, int height) {
    Control& c = place(s, Kind::Label, name, -1, nullptr, left, top, width, height);
    c.setCaption(caption);
    c.setForeColor(kDarkBlue);
    c.setBackStyle(platform::BackStyle::Transparent);
    c.setBorderStyle(platform::BorderStyle::None);
    return c;
}

void buildDesign(Stats& s) {
    Control& form = s.self();
    form.setCaption("Statistiques");
    form.move(0, 0, 13530, 7875);
    form.setBackColor(platform::kWhite);

    place(s, Kind::Image, kStatsLogoPicture, -1, nullptr, 30, 60, 1755, 1575).setStretch(true);
    AddPicture(s, kStatsNoPodiumPicture, -1, nullptr, artwork::kNoPodium, 390, 105, 6345, 7650)
        .setVisible(false);
    Control& title = place(s, Kind::TextBox, kStatsTitleText, -1, nullptr, 7200, 60, 5685, 510);
    title.setText(kDesignTitle);
    title.setFontBold(true);
    title.setFontSize(18);
    title.setBorderStyle(platform::BorderStyle::None);
    heading(s, kStatsGoalTotalLabel, "Buts marqués au total : ", 9975, 660, 3480, 300).setFontBold(true);
    heading(s, kStatsRankingHeadingLabel, "Classement : ", 7005, 1050, 2265, 195);
    // Wide enough for a team out after the groups with its suffix ("21 République tchèque (group stage)").
    place(s, Kind::ListBox, kStatsRankingList, -1, nullptr, 6885, 1305, 2910, 6465);
    heading(s, kStatsScorersHeadingLabel, "Meilleurs buteurs: ", 9975, 1050, 2265, 195);
    place(s, Kind::ListBox, kStatsScorersList, -1, nullptr, 9975, 1305, 2130, 6465);

    Control& podium = place(s, Kind::Frame, kStatsPodiumFrame, -1, nullptr, 90, 2565, 5925, 5175);
    podium.setBackColor(platform::kWhite);
    podium.setBorderStyle(platform::BorderStyle::None);
    AddPicture(s, kStatsTrophyPicture, -1, s.find(kStatsPodiumFrame), artwork::kTrophy, 1200, 345, 1905,
               3750);
    const std::array<std::array<int, 4>, 3> lines = {
        {{285, 60, 5595, 675}, {285, 3960, 5310, 420}, {285, 4440, 5310, 690}}};
    for (int i = 0; i <= 2; ++i) {
        const auto& r = lines[static_cast<size_t>(i)];
        Control& c = place(s, Kind::Label, "Vainq", i, kStatsPodiumFrame, r[0], r[1], r[2], r[3]);
        c.setCaption(std::to_string(i + 1));
        c.setFontName("Arial");
        c.setFontBold(true);
        c.setFontSize(i == 0 ? 27.75 : 18);
        c.setForeColor(i == 0 ? kWinnerColour : kDarkBlue);
        c.setBackStyle(platform::BackStyle::Transparent);
        c.setBorderStyle(platform::BorderStyle::None);
    }

    // The panel is narrowed and shortened to stay inside the window; the buttons keep their places.
    Control& panel = place(s, Kind::Frame, kStatsButtonsFrame, -1, nullptr, 12210, 6360, 1290, 1485);
    panel.setBackColor(platform::kWhite);
    panel.setBorderStyle(platform::BorderStyle::None);
    // Picture buttons without captions; the tooltip names what they do.
    for (const auto& [name, top, word, picture] :
         {std::tuple{kStatsPrintButton, 15, "Imprimer", artwork::kPrint},
          std::tuple{kStatsCloseButton, 720, "Fermer", artwork::kClose}}) {
        Control& b = place(s, Kind::CommandButton, name, -1, kStatsButtonsFrame, 240, top, 1020, 720);
        b.setPicture(PictureFile(picture));
        b.setToolTipText(word);
    }
}

void Command5_Click(Stats& s) {
    auto step = [](auto&& f) {
        try {
            f();
        } catch (...) {
        }
    };
    step([&] { s(kStatsButtonsFrame).setVisible(false); });
    step([] { platform::DoEvents(); });
    step([&] { platform::PrintForm(s); });
    step([&] { s(kStatsButtonsFrame).setVisible(true); });
}

void wire(Stats& s) {
    s(kStatsCloseButton).Click = [&s] { s.unload(); };
    s(kStatsPrintButton).Click = [&s] { Command5_Click(s); };
}

// Goals scored by the team in group matches, round of 16, quarter-finals, semi-finals and the final.
std::int64_t goalCount(Zenkor& w, const std::string& name) {
    std::int64_t count = 0;
    auto add = [&](const char* teams, const char* scores, int last, bool captions) {
        for (int k = 0; k <= last; ++k) {
            Control& team = w(teams, k);
            if ((captions ? team.Caption() : team.Text()) == name)
                count += platform::ValWhole(w(scores, k).Text());
        }
    };
    for (int g = 0; g < 6; ++g) add(GroupControlNames(g).fixture, GroupControlNames(g).score, 11, true);
    add("Huit", "Buthui", 15, false);
    add("Qua", "ButQua", 7, false);
    add("DEM", "ButDem", 3, false);
    add("FIN", "ButFIN", 1, false);
    return std::clamp<std::int64_t>(count, 0, 999);
}

std::string replaceAll(std::string text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
    }
    return text;
}

}  // namespace

void SetButtonTip(platform::Form& sheet, const char* button, int message, const char* french) {
    sheet.ctl(button).setToolTipText(MessageOr(message, french));
}

Stats::Stats(Zenkor& w) : platform::Form("Stats"), main(&w) {
    setOwner(&w);
    buildDesign(*this);
    wire(*this);
}

Stats* CurrentStats() {
    return owner().get();
}

void UnloadStats() {
    if (Stats* stats = CurrentStats()) stats->unload();
}

// Group key plus fixed bonuses for the knockout boxes reached and won. Ranked by numbers (bonus, then
// group key), so no typed score can push a team across a stage.
void RankTeamsByProgress(Zenkor& w, Stats& stats) {
    struct Entry {
        std::string name;
        std::int64_t bonus = 0;
        std::int64_t key = 0;  // group key scaled by 10000
    };
    std::vector<Entry> entries;
    for (int g = 0; g < 6; ++g) {
        const auto keys = GroupStandingKeys(w, g);
        for (int i = 1; i <= 4; ++i) {
            entries.push_back({w(GroupControlNames(g).team, i).Text(), 0, keys[static_cast<size_t>(i)]});
        }
    }
    auto won = [&](Control& box, const std::string& name) {
        return box.Text() == name && box.BackColor() == kWinnerColour;
    };
    for (Entry& e : entries) {
        for (int k = 0; k <= 15; ++k) {
            Control& box = w("Huit", k);
            if (box.Text() == e.name) e.bonus += 50;
            if (won(box, e.name)) e.bonus += 100;
        }
        for (int k = 0; k <= 7; ++k) e.bonus += won(w("Qua", k), e.name) ? 200 : 0;
        for (int k = 0; k <= 3; ++k) e.bonus += won(w("DEM", k), e.name) ? 1000 : 0;
        for (int k = 0; k <= 1; ++k) e.bonus += won(w("pf", k), e.name) ? 500 : 0;
        for (int k = 0; k <= 1; ++k) e.bonus += won(w("FIN", k), e.name) ? 2000 : 0;
    }
    // Best first; equal scores put the name later in list order first.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.bonus != b.bonus) return a.bonus > b.bonus;
        if (a.key != b.key) return a.key > b.key;
        return platform::CompareListText(a.name, b.name) > 0;
    });

    Control& work = w(kStatsWorkList);
    work.Clear();
    Control& list = stats(kStatsRankingList);
    int r = 0;
    for (const Entry& e : entries) {
        ++r;
        const double group = std::clamp(static_cast<double>(e.key) / 10000.0 + 10.0, 0.0, 49.0);
        work.AddItem(platform::Format(static_cast<double>(e.bonus) + group, "0000.00000") + " X " + e.name);
        const double v = std::floor(static_cast<double>(e.bonus) + group);
        const std::string position = std::to_string(r) + " " + e.name;
        if (v > 3000) {
            list.AddItem(e.name + MessageOr(kChampionMessage, " 1er"));
        } else if (v >= 1000) {
            list.AddItem(e.name + MessageOr(kRunnerUpMessage, " 2eme"));
        } else if (v >= 200) {
            list.AddItem(e.name + MessageOr(kThirdMessage, " 3eme"));
        } else if (v < 50) {
            list.AddItem(position + " " + Message(14));
        } else if (v <= 100) {
            list.AddItem(position + MessageOr(kRoundOf16Message, " 1/8"));
        } else {
            list.AddItem(position + MessageOr(kQuarterFinalMessage, " 1/4"));
        }
    }
}

void Command21_Click(Zenkor& w) {
    auto& stats = owner();
    // A window closed by its own button is freed here, outside its handlers.
    if (stats && stats->unloaded()) stats.reset();
    if (!stats) stats = std::make_unique<Stats>(w);
    Stats& s = *stats;
    s.main = &w;
    s(kStatsRankingList).Clear();
    RankTeamsByProgress(w, s);
    ChargeInfo(ImpressObject(w));

    struct Goals {
        std::string name;
        std::int64_t count;
    };
    std::vector<Goals> goals;
    std::int64_t total = 0;
    for (int i = 1; i <= 24; ++i) {
        const std::string& name = GroupOrderTeams()[static_cast<size_t>(i)];
        goals.push_back({name, goalCount(w, name)});
        total += goals.back().count;
    }
    Control& sorter = w(kKnockoutWorkLists, 0);
    sorter.Clear();
    for (const Goals& g : goals)
        sorter.AddItem(platform::Format(static_cast<double>(g.count), "000") + " | " + g.name);
    std::stable_sort(goals.begin(), goals.end(), [](const Goals& a, const Goals& b) {
        if (a.count != b.count) return a.count > b.count;
        return platform::CompareListText(a.name, b.name) > 0;
    });
    Control& list = s(kStatsScorersList);
    list.Clear();
    for (const Goals& g : goals) list.AddItem(" " + g.name + " (" + std::to_string(g.count) + ")");

    s(kStatsGoalTotalLabel).setCaption(MessageOr(10, kGoalsWord) + " : " + std::to_string(total));
    s(kStatsScorersHeadingLabel).setCaption(Message(11));
    s(kStatsRankingHeadingLabel).setCaption(Message(13));
    if (w(kEditionNameText).Text() == "Zenkor2024") {
        s(kStatsLogoPicture).setPicture(w("ImaRepLogo", 0).Picture());
        s(kStatsTitleText).setText(Message(9) + " 2024");
    }
    s.self().setCaption(s(kStatsTitleText).Text());
    SetButtonTip(s, kStatsPrintButton, kPrintMessage, "Imprimer");
    SetButtonTip(s, kStatsCloseButton, kCloseMessage, "Fermer");

    const std::string first = w("pod", 1).Caption();
    const std::string second = w("pod", 2).Caption();
    s("Vainq", 0).setCaption("1: " + first);
    s("Vainq", 1).setCaption("2: " + second);
    s("Vainq", 2).setCaption("3: " + replaceAll(w("pod", 3).Caption(), "\r\n", " / "));
    const bool podium = !(first + second).empty();
    s(kStatsPodiumFrame).setVisible(podium);
    s(kStatsNoPodiumPicture).setVisible(!podium);

    s.show(false);
    s(kStatsCloseButton).SetFocus();
    s(kStatsTrophyPicture).setPicture(w(kTrophyPicture).Picture());
}

void ReleaseSheets() {
    ReleaseImpressObject();
    UnloadStats();
    owner().reset();
}

void WireSheets(Zenkor& w) {
    Control& work = w.add(Kind::ListBox, kStatsWorkList);
    work.move(0, 0, 1215, 255);
    work.setVisible(false);
    work.setSorted(true);
}

}  // namespace zenkor
