// A started main window with a qualifiers file in its program folder, and the gestures of the panel.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "platform/text.h"
#include "tests/app/startup_support.h"

namespace qualifiers_testing {

using platform::Control;
using zenkor::Zenkor;

inline const std::string kQualifierMessages =
    "MSG\\ matches joués sur \\18\r\n"
    "MSG\\ matches\\19\r\n"
    "MSG\\ : ne peut plus finir dans les deux premiers\\20\r\n"
    "MSG\\ : assuré de finir dans les deux premiers\\22\r\n";

// One group of a qualifiers file: its teams and the scores of some fixtures, by (home, away) team index.
struct Group {
    std::string letter;
    std::vector<std::string> teams;
    std::map<std::pair<int, int>, std::pair<std::string, std::string>> scores;
    std::map<int, std::string> advantages;
};

// The fixture row that pairs team i at home with team j, as the group loader fills the rows.
inline int rowOf(int i, int j, int teams = 6) {
    return i * (teams - 1) + (j < i ? j : j - 1);
}

inline std::string iniText(const std::vector<Group>& groups, const std::string& extra = "") {
    std::string text;
    for (const Group& g : groups) {
        text += "[Equip" + g.letter + "]\r\n";
        for (size_t k = 0; k < g.teams.size(); ++k) text += std::to_string(k) + "=" + g.teams[k] + "\r\n";
        text += "[But" + g.letter + "]\r\n";
        const int n = static_cast<int>(g.teams.size());
        for (const auto& [pair, score] : g.scores) {
            const int row = rowOf(pair.first, pair.second, n);
            text += std::to_string(2 * row) + "=" + score.first + "\r\n";
            text += std::to_string(2 * row + 1) + "=" + score.second + "\r\n";
        }
        if (!g.advantages.empty()) {
            text += "[TrimElim" + g.letter + "]\r\n";
            for (const auto& [k, v] : g.advantages) text += std::to_string(k) + "=" + v + "\r\n";
        }
    }
    return platform::Utf8ToCp1252(text + extra);
}

class QualifiersTest : public startup_testing::StartupTest {
  protected:
    void SetUp() override {
        StartupTest::SetUp();
        box.writeFile("langFr.txt",
                      platform::Utf8ToCp1252(startup_testing::kFrenchFile + kQualifierMessages));
        save("FirstUse", "1");
        at("01/06/2024 12:00:00");
    }

    void writeQualifiers(const std::vector<Group>& groups, const std::string& extra = "") {
        box.writeFile("Elim2024.ini", iniText(groups, extra));
    }
    std::string stored(const std::string& section, const std::string& key) {
        return zenkor::ReadIni("Elim2024", section, key, "<none>");
    }

    static void open(Zenkor& w) { w("Command26").raiseClick(); }
    static void showGroup(Zenkor& w, char letter) { w("bTNgrp", letter - 'A').raiseClick(); }
    static std::string team(Zenkor& w, int row) { return w("SortEQU", row).Text(); }
    static std::vector<std::string> table(Zenkor& w) {
        std::vector<std::string> names;
        for (int r = 1; r <= 6; ++r) names.push_back(w("SortEQU", r).Text());
        return names;
    }
    static void score(Zenkor& w, int row, const std::string& home, const std::string& away) {
        w("ButElim", 2 * row).setText(home);
        w("ButElim", 2 * row + 1).setText(away);
    }
};

// Six teams whose names sort as their indexes do.
inline std::vector<std::string> sixTeams(const std::string& prefix = "") {
    return {prefix + "Aa", prefix + "Bb", prefix + "Cc", prefix + "Dd", prefix + "Ee", prefix + "Ff"};
}

}  // namespace qualifiers_testing
