// ReadIni and WriteIni against real files in the program folder.
#include "app/ini_file.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/fakes.h"

using namespace zenkor;
using testing_support::Sandbox;

namespace {

// Written by hand on another system: CR LF line ends, Windows-1252 accents, a comment, odd spacing.
const std::string kHandWritten =
    "; Valmirade 2024\r\n"
    "[EquipA]\r\n"
    "1=Allemagne\r\n"
    "2 = \xC9"
    "cosse  \r\n"
    "3=Hongrie\r\n"
    "4=Suisse\r\n"
    "\r\n"
    "[ButA]\r\n"
    "0=5\r\n"
    "1=\r\n"
    "un texte sans signe \xE9gal\r\n"
    "[Mess]\r\n"
    "0=R\xE9sultats \xE0 jour\r\n";

}  // namespace

TEST(IniFile, ReadsAHandWrittenWindowsFile) {
    Sandbox box;
    box.writeFile("Zenkor2024.ini", kHandWritten);
    EXPECT_EQ(ReadIni("Zenkor2024", "EquipA", "1"), "Allemagne");
    EXPECT_EQ(ReadIni("Zenkor2024", "EquipA", "2"), "Écosse");  // blanks trimmed, decoded from the code page
    EXPECT_EQ(ReadIni("Zenkor2024", "Mess", "0"), "Résultats à jour");
    EXPECT_EQ(ReadIni("Zenkor2024", "equipa", "4", "x"), "Suisse");  // names compare without case
    EXPECT_EQ(ReadIni("Zenkor2024", "BUTA", "0", "-"), "5");
}

TEST(IniFile, MissingKeyGivesTheDefaultButAnEmptyValueGivesEmpty) {
    Sandbox box;
    box.writeFile("Zenkor2024.ini", kHandWritten);
    EXPECT_EQ(ReadIni("Zenkor2024", "ButA", "1", "-"), "");
    EXPECT_EQ(ReadIni("Zenkor2024", "ButA", "2", "-"), "-");
    EXPECT_EQ(ReadIni("Zenkor2024", "ButZ", "0", "-"), "-");
    EXPECT_EQ(ReadIni("Zenkor2024", "ButA", "2"), "");
    EXPECT_EQ(ReadIni("Absent", "ButA", "0", "D3"), "D3");
    EXPECT_EQ(ReadIni("", "ButA", "0", "d"), "d");  // names ".ini", which is not there
}

TEST(IniFile, LongValuesAreCutTo1023Characters) {
    Sandbox box;
    const std::string longValue(1500, 'x');
    ASSERT_TRUE(WriteIni("Long", "S", "k", longValue));
    EXPECT_EQ(ReadIni("Long", "S", "k"), std::string(1023, 'x'));
    // Characters, not bytes: an accented value is cut at the same count.
    std::string accented;
    for (int i = 0; i < 1100; ++i) accented += "é";
    ASSERT_TRUE(WriteIni("Long", "S", "e", accented));
    const std::string read = ReadIni("Long", "S", "e");
    EXPECT_EQ(read.size(), 1023u * 2);
}

TEST(IniFile, WriterCreatesTheFileSectionAndKey) {
    Sandbox box;
    EXPECT_TRUE(WriteIni("Neuf", "ButBAR", "3", "2"));
    EXPECT_EQ(box.readFile("Neuf.ini"), "[ButBAR]\r\n3=2\r\n");
    EXPECT_EQ(ReadIni("Neuf", "butBAR", "3"), "2");
    EXPECT_TRUE(WriteIni("Neuf", "butbar", "4", "1"));
    EXPECT_TRUE(WriteIni("Neuf", "EquipA", "1", "Côte d'Ivoire"));
    EXPECT_EQ(box.readFile("Neuf.ini"), "[ButBAR]\r\n3=2\r\n4=1\r\n[EquipA]\r\n1=C\xF4te d'Ivoire\r\n");
}

TEST(IniFile, WriterReplacesOneValueAndKeepsEveryOtherByte) {
    Sandbox box;
    box.writeFile("Zenkor2024.ini", kHandWritten);
    ASSERT_TRUE(WriteIni("Zenkor2024", "equipa", "2", "Écosse B"));
    std::string expected = kHandWritten;
    expected.replace(expected.find("\xC9"
                                   "cosse  "),
                     8,
                     "\xC9"
                     "cosse B");
    EXPECT_EQ(box.readFile("Zenkor2024.ini"), expected);

    // A new key goes after the last key of its section, before the blank line and the next section.
    ASSERT_TRUE(WriteIni("Zenkor2024", "EquipA", "5", "Autriche"));
    expected.insert(expected.find("4=Suisse\r\n") + 10, "5=Autriche\r\n");
    EXPECT_EQ(box.readFile("Zenkor2024.ini"), expected);

    // An empty value is stored as such and reads back empty, not as the default.
    ASSERT_TRUE(WriteIni("Zenkor2024", "ButA", "0", ""));
    EXPECT_EQ(ReadIni("Zenkor2024", "ButA", "0", "-"), "");
    EXPECT_NE(box.readFile("Zenkor2024.ini").find("[ButA]\r\n0=\r\n1=\r\n"), std::string::npos);
}

TEST(IniFile, WriterFollowsTheFilesOwnLineEnds) {
    Sandbox box;
    box.writeFile("Unix.ini", "[A]\n1=x");  // LF and no final line break
    ASSERT_TRUE(WriteIni("Unix", "A", "2", "y"));
    ASSERT_TRUE(WriteIni("Unix", "B", "1", "z"));
    EXPECT_EQ(box.readFile("Unix.ini"), "[A]\n1=x\n2=y\n[B]\n1=z\n");
}

TEST(IniFile, LineBreaksInAValueBecomeBlanks) {
    Sandbox box;
    ASSERT_TRUE(WriteIni("Brk", "Mess", "0", "ligne 1\r\n[EquipA]\n1=Pirate\rfin"));
    EXPECT_EQ(ReadIni("Brk", "Mess", "0"), "ligne 1 [EquipA] 1=Pirate fin");
    EXPECT_EQ(ReadIni("Brk", "EquipA", "1", "A1"), "A1");  // no section was smuggled in
    // Names are cleaned alike on both sides.
    ASSERT_TRUE(WriteIni("Brk", " Deux\nlignes ", "\tk ", "v"));
    EXPECT_EQ(ReadIni("Brk", " Deux\r\nlignes", "k", "-"), "v");
    EXPECT_NE(box.readFile("Brk.ini").find("[Deux lignes]\r\nk=v\r\n"), std::string::npos);
}

TEST(IniFile, OuterBlanksAndQuotesSurviveARoundTrip) {
    Sandbox box;
    for (const std::string v : {" espace", "fin ", "\"cité\"", "'x'", "\"", "a=b"}) {
        ASSERT_TRUE(WriteIni("Rt", "S", "k", v));
        EXPECT_EQ(ReadIni("Rt", "S", "k"), v);
    }
}

TEST(IniFile, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    Sandbox box;
    ASSERT_TRUE(WriteIni("Cp", "S", "k", "Łódź €"));
    EXPECT_EQ(ReadIni("Cp", "S", "k"), "?ód? €");
    EXPECT_EQ(box.readFile("Cp.ini"),
              "[S]\r\nk=?\xF3"
              "d? \x80\r\n");
}

TEST(IniFile, AFailedWriteIsReportedAndLeavesTheFileAlone) {
    Sandbox box;
    box.writeFile("Ro.ini", "[S]\r\nk=1\r\n");
    std::filesystem::create_directory(box.folder() / "Dir.ini");
    EXPECT_EQ(WriteIni("Dir", "S", "k", "2").reason(), "read Dir.ini: Is a directory");  // a folder
    EXPECT_FALSE(WriteIni("../Ro", "S", "k", "2"));  // outside the program folder
    EXPECT_EQ(ReadIni("../Ro", "S", "k", "d"), "d");
    EXPECT_EQ(box.readFile("Ro.ini"), "[S]\r\nk=1\r\n");
    // No temporary file is left behind.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(box.folder())) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST(IniFile, WriteKeepsTheFilesPermissions) {
    Sandbox box;
    box.writeFile("Perm.ini", "[S]\r\nk=1\r\n");
    namespace fs = std::filesystem;
    fs::permissions(box.folder() / "Perm.ini",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteIni("Perm", "S", "k", "2"));
    EXPECT_EQ(fs::status(box.folder() / "Perm.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A load reads the file once and must answer every key exactly as the plain reader does, also after a
// write of its own and for a file that is missing or replaced under it.
TEST(IniFile, AReadScopeAnswersAsThePlainReaderAndSeesItsOwnWrites) {
    Sandbox box;
    const std::string tricky = kHandWritten +
                               "[equipa]\r\n1=second section\r\n"
                               "[Q]\r\nq=\"  quoted  \"\r\nq=later\r\n k \t= 7 \r\n=no name\r\n";
    box.writeFile("Zenkor2024.ini", tricky);
    const std::vector<std::array<const char*, 3>> reads = {
        {"EquipA", "1", "-"}, {"EQUIPA", "2", "-"}, {"ButA", "1", "-"}, {"ButA", "2", "-"},
        {"Mess", "0", ""},    {"Q", "q", "-"},      {"q", "K", "-"},    {"Q", "", "-"},
        {" Q ", "k ", "-"},   {"Absent", "0", "d"}, {"", "", "e"},
    };
    std::vector<std::string> plain;
    for (const auto& [section, key, fallback] : reads)
        plain.push_back(ReadIni("Zenkor2024", section, key, fallback));
    {
        const IniReadScope scope;
        for (size_t i = 0; i < reads.size(); ++i) {
            EXPECT_EQ(ReadIni("Zenkor2024", reads[i][0], reads[i][1], reads[i][2]), plain[i]) << i;
        }
        ASSERT_TRUE(WriteIni("Zenkor2024", "EquipA", "1", "France"));
        EXPECT_EQ(ReadIni("Zenkor2024", "EquipA", "1"), "France");
        EXPECT_EQ(ReadIni("Absent", "S", "k", "d"), "d");
        ASSERT_TRUE(WriteIni("Absent", "S", "k", "v"));
        EXPECT_EQ(ReadIni("Absent", "S", "k", "d"), "v");
    }
    // Outside any scope every read goes to the disk again.
    box.writeFile("Zenkor2024.ini", "[EquipA]\r\n1=Italie\r\n");
    EXPECT_EQ(ReadIni("Zenkor2024", "EquipA", "1"), "Italie");
}
