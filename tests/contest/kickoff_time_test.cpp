// Kick-offs are published in the tournament's wall-clock time (Paris) and locked in UTC: the hour they
// move by follows summer time, including on the nights it changes.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/datetime.h"
#include "site/contest/upload_reader.h"

namespace {

std::int64_t At(int year, int month, int day, int hour, int minute) {
    return platform::MakeDateTime(year, month, day, hour, minute, 0).seconds;
}

TEST(KickoffTime, FollowsSummerTimeOnTheNightsItChanges) {
    using contest::ParisToUtc;
    using contest::UtcToParis;
    EXPECT_EQ(ParisToUtc(At(2024, 6, 14, 21, 0)), At(2024, 6, 14, 19, 0));
    EXPECT_EQ(ParisToUtc(At(2024, 1, 10, 21, 0)), At(2024, 1, 10, 20, 0));
    // 31 March 2024: 02:00 becomes 03:00; the skipped half hour counts in winter time.
    EXPECT_EQ(ParisToUtc(At(2024, 3, 31, 1, 59)), At(2024, 3, 31, 0, 59));
    EXPECT_EQ(ParisToUtc(At(2024, 3, 31, 2, 30)), At(2024, 3, 31, 1, 30));
    EXPECT_EQ(ParisToUtc(At(2024, 3, 31, 3, 0)), At(2024, 3, 31, 1, 0));
    // 27 October 2024: 03:00 goes back to 02:00; the half hour met twice counts as the first one.
    EXPECT_EQ(ParisToUtc(At(2024, 10, 27, 2, 30)), At(2024, 10, 27, 0, 30));
    EXPECT_EQ(ParisToUtc(At(2024, 10, 27, 3, 0)), At(2024, 10, 27, 2, 0));
    EXPECT_EQ(UtcToParis(At(2024, 10, 27, 0, 59)), At(2024, 10, 27, 2, 59));
    EXPECT_EQ(UtcToParis(At(2024, 10, 27, 1, 0)), At(2024, 10, 27, 2, 0));
    EXPECT_EQ(UtcToParis(At(2024, 3, 31, 1, 0)), At(2024, 3, 31, 3, 0));
    EXPECT_EQ(UtcToParis(At(2028, 7, 1, 12, 0)), At(2028, 7, 1, 14, 0));
}

}  // namespace
