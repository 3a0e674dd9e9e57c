// A started main window with the shipped edition and French language files, for the calendar's tests.
#pragma once

#include <string>

#include "calendar/calendar.h"
#include "tests/app/startup_support.h"

namespace calendar_testing {

class CalendarTest : public startup_testing::StartupTest {
  protected:
    void SetUp() override {
        StartupTest::SetUp();
        box.copyDataFile("langFr.txt");
        box.copyDataFile("langEn.txt");
        box.copyDataFile("langSp.txt");
        save("FirstUse", "1");
    }

    // Picks a day as the user would, from the pickers' lists.
    static void pick(zenkor::Zenkor& w, const char* day, const char* month) {
        w("Combo3").setText(day);
        w("Combo4").setText(month);
    }
    static std::string row(zenkor::Zenkor& w, int k) { return w("LabCAL", k).Caption(); }

    // Every group ends in its design order: team 1 first (9 points), team 2 second, then 3 and 4.
    static void playGroupsInOrder(zenkor::Zenkor& w) {
        static const char* const kScores[12] = {"3", "0", "1", "0", "2", "0", "1", "1", "0", "1", "2", "0"};
        for (const char* box : {"ButA", "ButB", "ButC", "ButD", "ButE", "ButF"}) {
            for (int i = 0; i < 12; ++i) w(box, i).setText(kScores[i]);
        }
    }

    // Hovers a control as the pointer would.
    static void hover(zenkor::Zenkor& w, const char* name, int index = -1) {
        w(name, index).raiseMouseMove(0, 0, 10, 10);
    }
};

}  // namespace calendar_testing
