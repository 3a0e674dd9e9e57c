// The INI engine on bytes: which section and key a reader finds.
#include "platform/ini.h"

#include <gtest/gtest.h>

using platform::IniAssign;
using platform::IniEncoding;
using platform::IniFind;

namespace {
constexpr auto kCp = IniEncoding::Cp1252;
}

TEST(IniEngine, FirstSectionAndFirstKeyWin) {
    const std::string text = "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n";
    EXPECT_EQ(IniFind(text, "A", "k", kCp), "1");
    EXPECT_EQ(IniFind(text, "a", "j", kCp), std::nullopt);  // only the first section named "a"
    EXPECT_EQ(IniAssign(text, "a", "k", "9", kCp), "[A]\r\nk=9\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n");
}

TEST(IniEngine, CommentsKeysOutsideSectionsAndBrokenLinesAreIgnored) {
    const std::string text = "k=0\n;k=1\n[S\nk=2\n[ S ]\n ; k=3\n  k  =  4  \n";
    EXPECT_EQ(IniFind(text, "S", "k", kCp), "4");
    EXPECT_EQ(IniFind(text, "", "k", kCp), std::nullopt);
}

TEST(IniEngine, AccentedNamesFoldInTheCodePageOnly) {
    const std::string cp = "[\xC9quipe]\r\n\xC9l\xE8ve=1\r\n";  // "Équipe", "Élève"
    EXPECT_EQ(IniFind(cp, "\xE9QUIPE", "\xE9L\xC8VE", kCp), "1");
    const std::string utf8 = "[\xC3\x89quipe]\nk=1\n";  // UTF-8 bytes are not folded as letters
    EXPECT_EQ(IniFind(utf8, "\xC3\x89QUIPE", "K", IniEncoding::Utf8), "1");
    EXPECT_EQ(IniFind(utf8, "\xC3\xA9quipe", "k", IniEncoding::Utf8), std::nullopt);
}

TEST(IniEngine, ANewKeyGoesAfterTheLastKeyOfItsSection) {
    const std::string text = "[A]\r\n1=x\r\n; note\r\n\r\n[B]\r\n1=y\r\n";
    EXPECT_EQ(IniAssign(text, "A", "2", "z", kCp), "[A]\r\n1=x\r\n2=z\r\n; note\r\n\r\n[B]\r\n1=y\r\n");
    EXPECT_EQ(IniAssign("[E]", "E", "1", "v", kCp), "[E]\r\n1=v\r\n");
    EXPECT_EQ(IniAssign("", "E", "1", "v", kCp), "[E]\r\n1=v\r\n");
}
