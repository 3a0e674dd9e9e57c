#include "platform/text.h"

#include <gtest/gtest.h>

#include "platform/datetime.h"
#include "platform/runtime.h"

using namespace platform;

TEST(LeadingNumber, ReadsLikeTheRuntime) {
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("-"), 0);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val("12x"), 12);
    EXPECT_EQ(Val("17,0420x 1"), 17);
    EXPECT_EQ(Val("  -3"), -3);
    EXPECT_DOUBLE_EQ(Val("2.5"), 2.5);
    EXPECT_EQ(Val("1 2"), 12);
    // Huge input saturates instead of failing.
    EXPECT_GT(Val(std::string(400, '9')), 1e300);
    EXPECT_EQ(ValWhole(std::string(40, '9')), 2147483647);
}

TEST(NumberFormat, PatternsPadAndRoundHalvesAway) {
    SetDecimalSeparator(",");
    EXPECT_EQ(Format(17.042, "00.0000"), "17,0420");
    EXPECT_EQ(Format(10, "00.0000"), "10,0000");
    EXPECT_EQ(Format(7.5, "000"), "008");
    EXPECT_EQ(Format(123456, "00"), "123456");
    EXPECT_EQ(Format(0.00005, "0.0000"), "0,0001");
    EXPECT_EQ(Format(-2.5, "00"), "-03");
    SetDecimalSeparator(".");
    EXPECT_EQ(Format(3.14159, "0000.00000"), "0003.14159");
    EXPECT_EQ(NumText(2.5), "2.5");
    EXPECT_EQ(NumText(3.0), "3");
    EXPECT_EQ(NumText(-3), "-3");
    SetDecimalSeparator(",");
}

TEST(TextHelpers, CountCharactersNotBytesAndClamp) {
    EXPECT_EQ(Len("Écosse"), 6);
    EXPECT_EQ(Left("Écosse", 2), "Éc");
    EXPECT_EQ(Mid("Türkiye", 2, 3), "ürk");
    EXPECT_EQ(Right("Türkiye", 3), "iye");
    EXPECT_EQ(Mid("abc", 10), "");
    EXPECT_EQ(Left("abc", -1), "");
    EXPECT_EQ(InStr("Côte x 3", "x"), 6);
    EXPECT_EQ(InStr("abc", "z"), 0);
    EXPECT_EQ(Replace("1-2-", "-", ""), "12");
    EXPECT_EQ(Split("3A|3D|3B|3C", "|"), (std::vector<std::string>{"3A", "3D", "3B", "3C"}));
    EXPECT_EQ(UCase("écosse"), "ÉCOSSE");
}

TEST(CodePage, RoundTripsWindows1252) {
    const std::string bytes =
        "Cr\xe9"
        "ation \x80 \x9c";
    const std::string text = Cp1252ToUtf8(bytes);
    EXPECT_EQ(text, "Création € œ");
    EXPECT_EQ(Utf8ToCp1252(text), bytes);
    EXPECT_EQ(Utf8ToCp1252("日"), "?");
    // Overlong encodings are no characters: they never smuggle a line break or a blank into a file.
    EXPECT_EQ(Utf8ToCp1252("\xC0\x8D"), "\xC0?");
    EXPECT_EQ(Utf8ToCp1252("\xE0\x80\xA0").find(' '), std::string::npos);
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST(Dates, DayFirstAndMidnight) {
    const DateTime fixed = DateValue("27/06/2024");
    EXPECT_EQ(Day(fixed), 27);
    EXPECT_EQ(Month(fixed), 6);
    EXPECT_EQ(Hour(fixed), 0);
    EXPECT_LT(MakeDateTime(2024, 6, 26, 23, 59, 59), fixed);
    EXPECT_EQ(MakeDateTime(2024, 6, 27), fixed);
    EXPECT_EQ(DateValue("05/07/24"), MakeDateTime(2024, 7, 5));
    EXPECT_FALSE(ParseDate("31/02/2024").has_value());
    EXPECT_EQ(FormatDateTime(*ParseDate("14/06/2024 21:00")), "14/06/2024 21:00:00");
}

TEST(Random, SameSequenceAtEveryStart) {
    ResetRandom();
    std::vector<float> first;
    for (int i = 0; i < 5; ++i) first.push_back(Rnd());
    ResetRandom();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Rnd(), first[static_cast<size_t>(i)]);
    for (float r : first) {
        EXPECT_GE(r, 0.0f);
        EXPECT_LT(r, 1.0f);
    }
}
