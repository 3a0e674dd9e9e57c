// A main window as start-up leaves it for the group stage: loading finished, lots prompt text and team
// colours set; every handler error is collected so that a test can insist there was none.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <iostream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "group_stage/group_stage.h"
#include "tests/support/fakes.h"
#include "tests/support/restore.h"

namespace group_test {

inline constexpr const char* kLotsPrompt = "Tirage au sort : cliquez sur le vainqueur";
inline constexpr std::array<platform::Color, 5> kTeamColours = {0, 686335, 11250687, 11268863, 65535};
inline constexpr platform::Color kGrey = 13158600;  // RGB(200, 200, 200)

class GroupWindow : public ::testing::Test {
  protected:
    GroupWindow() {
        platform::SetErrorSink([this](const std::string& e) { errors.push_back(e); });
        zenkor::LangMessages()[3] = kLotsPrompt;
        for (int g = 0; g < 6; ++g) {
            for (int i = 1; i <= 4; ++i) team(g, i).setBackColor(kTeamColours[static_cast<size_t>(i)]);
        }
        w.FChargee = true;
    }
    ~GroupWindow() override {
        EXPECT_TRUE(errors.empty()) << errors.front();
        platform::SetErrorSink([](const std::string& e) { std::cerr << "Zenkor: " << e << '\n'; });
    }

    static const zenkor::GroupNames& names(int g) { return zenkor::GroupControlNames(g); }
    platform::Control& team(int g, int i) { return w(names(g).team, i); }
    platform::Control& score(int g, int k) { return w(names(g).score, k); }
    std::string column(const char* name, int i) { return w(name, i).Caption(); }

    // Types the twelve scores of a group, box 0 to 11.
    void typeGroup(int g, const std::array<const char*, 12>& scores) {
        for (int k = 0; k < 12; ++k) score(g, k).setText(scores[static_cast<size_t>(k)]);
    }
    // Team indexes from first place to fourth, as the places say.
    std::vector<int> standing(int g) {
        std::vector<int> byPlace(4);
        for (int i = 1; i <= 4; ++i) byPlace[static_cast<size_t>(w.teamPlace(g, i) - 1)] = i;
        return byPlace;
    }
    std::vector<std::string> entries(int g) { return w(names(g).list).items(); }

    testing_support::Restore<std::array<std::string, 101>> keptMessages{zenkor::LangMessages()};
    testing_support::Sandbox sandbox;
    std::vector<std::string> errors;
    zenkor::Zenkor w;
};

}  // namespace group_test
