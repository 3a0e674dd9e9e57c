// The site reads its tournament off a window model of its own making, smaller than the program's window:
// after an edition file loads, every control it has must hold what the whole window shows.
#include <gtest/gtest.h>

#include <string>

#include "app/edition_files.h"
#include "app/main_names.h"
#include "app/main_window.h"
#include "site/tournament.h"
#include "tests/support/fakes.h"

namespace site_testing {
namespace {

void ExpectSameAsTheWholeWindow(const std::string& edition) {
    testing_support::Sandbox sandbox;
    sandbox.copyDataFile(edition + ".ini");
    const auto model = site::TournamentWindow();
    zenkor::LoadEditionFile(*model, edition);
    zenkor::Zenkor whole;
    zenkor::LoadEditionFile(whole, edition);

    int compared = 0;
    for (const platform::Control* c : model->controls()) {
        const platform::Control* same = whole.find(c->name(), c->index());
        ASSERT_NE(same, nullptr) << c->displayName();
        EXPECT_EQ(c->Text(), same->Text()) << edition << " " << c->displayName();
        EXPECT_EQ(c->Tag(), same->Tag()) << edition << " " << c->displayName();
        // The online services, which the site leaves out, colour the update button.
        if (c->name() != zenkor::kUpdateButton) {
            EXPECT_EQ(c->BackColor(), same->BackColor()) << edition << " " << c->displayName();
        }
        EXPECT_EQ(c->ForeColor(), same->ForeColor()) << edition << " " << c->displayName();
        ++compared;
    }
    EXPECT_GT(compared, 500);
    EXPECT_FALSE(model->find("Huit", 7) == nullptr);
}

TEST(TournamentModel, HoldsWhatTheWholeWindowShowsAfterALoad) {
    ExpectSameAsTheWholeWindow("Zenkor2016");  // real group scores: tables, thirds, round of 16
    ExpectSameAsTheWholeWindow("Zenkor2024");
}

}  // namespace
}  // namespace site_testing
