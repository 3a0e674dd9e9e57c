// A main window as start-up leaves it for the knockout stage: loading finished, messages set, team names
// "A1" to "F4" (group letter and team index). Handler errors are collected so a test can insist on none.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <iostream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "knockout/knockout.h"
#include "tests/support/fakes.h"
#include "tests/support/restore.h"

namespace knockout_test {

inline constexpr const char* kOpenView = "Phase Finale";
inline constexpr const char* kCloseView = "Phase de Groupes";
inline constexpr const char* kGoalsWord = "buts";
inline constexpr platform::Color kWinnerBack = 32768;
inline constexpr platform::Color kGrey = 13158600;  // RGB(200, 200, 200)

inline std::string TeamName(int g, int i) {
    return zenkor::Zenkor::groupName(g) + std::to_string(i);
}

class KnockoutWindow : public ::testing::Test {
  protected:
    KnockoutWindow() {
        platform::SetErrorSink([this](const std::string& e) { errors.push_back(e); });
        auto& messages = zenkor::LangMessages();
        messages[1] = kOpenView;
        messages[2] = kCloseView;
        messages[3] = "Tirage au sort";
        messages[10] = kGoalsWord;
        for (int g = 0; g < 6; ++g) {
            for (int i = 1; i <= 4; ++i) team(g, i).setText(TeamName(g, i));
        }
        w("Text1").setText("Zenkor2024");
        w.FChargee = true;
    }
    ~KnockoutWindow() override {
        EXPECT_TRUE(errors.empty()) << errors.front();
        platform::SetErrorSink([](const std::string& e) { std::cerr << "Zenkor: " << e << '\n'; });
    }

    platform::Control& team(int g, int i) { return w(zenkor::Zenkor::groupName(g), i); }
    platform::Control& score(int g, int k) { return w("But" + zenkor::Zenkor::groupName(g), k); }

    // A complete group: team 1 wins all, team 2 beats the other two, and the third-placed team (box 3 or 4)
    // beats the last a-b (a > b). The third's key is 3 + (a - b - 2) / 100 + a / 1000.
    void playGroup(int g, int a = 1, int b = 0, int thirdIndex = 3) {
        const std::string sa = std::to_string(a), sb = std::to_string(b);
        const std::array<std::string, 12> scores = {
            "1", "0", thirdIndex == 3 ? sa : sb, thirdIndex == 3 ? sb : sa, "1", "0", "0", "1", "0", "1",
            "1", "0"};
        for (int k = 0; k < 12; ++k) score(g, k).setText(scores[static_cast<size_t>(k)]);
    }
    void playAllGroups() {
        for (int g = 0; g < 6; ++g) playGroup(g);
    }

    // Types the scores (and shoot-out goals, "-" for none) of match k of a round.
    void playMatch(const char* scores, const char* penalties, int k, const char* first, const char* second,
                   const char* penFirst = "-", const char* penSecond = "-") {
        w(penalties, 2 * k).setText(penFirst);
        w(penalties, 2 * k + 1).setText(penSecond);
        w(scores, 2 * k).setText(first);
        w(scores, 2 * k + 1).setText(second);
    }

    std::vector<std::string> texts(const char* name, int from, int to) {
        std::vector<std::string> out;
        for (int i = from; i <= to; ++i) out.push_back(w(name, i).Text());
        return out;
    }

    testing_support::Restore<std::array<std::string, 101>> keptMessages{zenkor::LangMessages()};
    testing_support::Sandbox sandbox;
    std::vector<std::string> errors;
    zenkor::Zenkor w;
};

}  // namespace knockout_test
