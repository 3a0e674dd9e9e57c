// Edition files: "Sauve" and the load through the window's boxes, the match information, the version
// prompt, the history panel and the failures a user must see.
#include "app/edition_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "app/language.h"
#include "platform/ini.h"
#include "platform/opener.h"
#include "platform/runtime.h"
#include "tests/support/fakes.h"

using namespace zenkor;
using testing_support::Sandbox;

namespace {

struct Boxes {
    const char* name;
    int first;
    int last;
};

// Every box the user fills, besides the lots marks (Tags of the team boxes).
const std::vector<Boxes> kUserBoxes = {
    {"ButA", 0, 11},     {"ButB", 0, 11},
    {"ButC", 0, 11},     {"ButD", 0, 11},
    {"ButE", 0, 11},     {"ButF", 0, 11},
    {"A", 1, 4},         {"B", 1, 4},
    {"C", 1, 4},         {"D", 1, 4},
    {"E", 1, 4},         {"F", 1, 4},
    {"Buthui", 0, 15},   {"ButPen", 0, 15},
    {"ButQua", 0, 7},    {"ButPen4", 0, 7},
    {"ButDem", 0, 3},    {"ButPen2", 0, 3},
    {"ButFIN", 0, 1},    {"ButPenFIN", 0, 1},
    {"Butpetfin", 0, 1}, {"ButPenpetfin", 0, 1},
};

bool isTeamBox(const std::string& name) {
    return name.size() == 1;
}

// A text for each box: scores, "-" for matches not played, emptied boxes, and team names with accents.
std::string sampleText(const std::string& name, int i) {
    if (isTeamBox(name)) return "Équipe " + name + std::to_string(i);
    const int pick = (static_cast<int>(name.size()) * 7 + i) % 6;
    if (pick == 4) return "-";
    if (pick == 5) return "";
    return std::to_string(pick);
}

class EditionFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) savedConfig_ = old;
        setenv("XDG_CONFIG_HOME", box.folder().c_str(), 1);
        LangMessages().fill("");
        LangMessages()[15] = "Une version plus récente est nécessaire. La télécharger ?";
        platform::SetEndHandler(nullptr);
        platform::SetOpener([this](const std::string& target) { opened.push_back(target); });
    }
    void TearDown() override {
        platform::SetOpener(nullptr);
        if (savedConfig_) {
            setenv("XDG_CONFIG_HOME", savedConfig_->c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_HOME");
        }
        LangMessages().fill("");
    }

    // Types every user box and sets the lots marks, as after a full evening of predictions.
    static void fillEverything(Zenkor& w) {
        for (const auto& b : kUserBoxes) {
            for (int i = b.first; i <= b.last; ++i) w(b.name, i).setText(sampleText(b.name, i));
        }
        for (int g = 0; g < 6; ++g) {
            for (int k = 1; k <= 4; ++k) w(Zenkor::groupName(g), k).setTag((g + k) % 3 == 0 ? "1" : "");
        }
    }

    void writeEdition(const std::string& name, const std::string& body) {
        box.writeFile(name + ".ini", body);
    }

    Sandbox box;
    std::vector<std::string> opened;
    std::optional<std::string> savedConfig_;
};

std::string fullMatchSection() {
    std::string s = "[Match]\r\n";
    for (int g = 0; g < 6; ++g) {
        for (int m = 0; m < 6; ++m) s += std::to_string(12 * g + 2 * m) + "=DOR(TF1) 14/06/24 21:00\r\n";
    }
    for (int k : {100, 102, 104, 106, 108, 110, 112, 114, 200, 202, 204, 206, 300, 302, 400, 500}) {
        s += std::to_string(k) + "=LEI(M6) 0" + std::to_string(k / 100) + "/07/24 18:00\r\n";
    }
    return s;
}

}  // namespace

TEST_F(EditionFiles, SaveThenLoadRestoresEveryUserBox) {
    writeEdition("Zenkor2024",
                 "[CV]\r\n0=1.0\r\n[Lien]\r\n0=Nouvelles\r\n1=http://example.org/news\r\n"
                 "[Mess]\r\n0=Bonjour\r\n1=Hello\r\n" +
                     fullMatchSection());
    {
        Zenkor w;
        w.FChargee = true;
        LoadEditionFile(w, "Zenkor2024");
        fillEverything(w);
        w("Command3").raiseClick();
        EXPECT_TRUE(box.dialogs->messages.empty());
    }
    Zenkor w;
    w.FChargee = true;
    LoadEditionFile(w, "Zenkor2024");
    for (const auto& b : kUserBoxes) {
        for (int i = b.first; i <= b.last; ++i) {
            EXPECT_EQ(w(b.name, i).Text(), sampleText(b.name, i)) << b.name << "(" << i << ")";
        }
    }
    for (int g = 0; g < 6; ++g) {
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(w(Zenkor::groupName(g), k).Tag(), (g + k) % 3 == 0 ? "1" : "") << g << " " << k;
        }
    }
    // What only the author supplies survives the save.
    EXPECT_EQ(ReadIni("Zenkor2024", "CV", "0"), "1.0");
    EXPECT_EQ(ReadIni("Zenkor2024", "Lien", "1"), "http://example.org/news");
    EXPECT_EQ(ReadIni("Zenkor2024", "Mess", "1"), "Hello");
    EXPECT_EQ(ReadIni("Zenkor2024", "Match", "500"), "LEI(M6) 05/07/24 18:00");
    EXPECT_EQ(w("Lablien").Caption(), "Nouvelles");
    EXPECT_EQ(w("Lablien").Tag(), "http://example.org/news");
}

TEST_F(EditionFiles, SaveWritesTheFileOnDisplayInTheCodePage) {
    Zenkor w;
    LoadEditionFile(w, "Zenkor2016");
    w("A", 2).setText("Écosse");
    ASSERT_TRUE(SaveEditionFile(w));
    const std::string bytes = box.readFile("Zenkor2016.ini");
    EXPECT_NE(bytes.find("2=\xC9"
                         "cosse"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(box.folder() / "Zenkor2024.ini"));
}

TEST_F(EditionFiles, MissingFileLoadsAnEmptyEdition) {
    writeEdition("Zenkor2024",
                 "[ButA]\r\n0=3\r\n[EquipA]\r\n1=Allemagne\r\n[TSA]\r\n1=1\r\n[Lien]\r\n0=x\r\n"
                 "[Mess]\r\n0=Nouvelles\r\n" +
                     fullMatchSection());
    Zenkor w;
    w.FChargee = true;
    LoadEditionFile(w, "Zenkor2024");
    ASSERT_EQ(w("A", 1).Text(), "Allemagne");
    ASSERT_TRUE(w("Shape3").Visible());

    LoadEditionFile(w, "Zenkor2012");
    EXPECT_EQ(w("Text1").Text(), "Zenkor2012");
    EXPECT_EQ(w("ButA", 0).Text(), "-");
    EXPECT_EQ(w("Butpetfin", 1).Text(), "-");
    EXPECT_EQ(w("A", 1).Text(), "A1");
    EXPECT_EQ(w("D", 3).Text(), "D3");
    EXPECT_EQ(w("A", 1).Tag(), "");
    EXPECT_EQ(w("Lablien").Caption(), "");
    EXPECT_EQ(w("Label10").Caption(), "");
    EXPECT_FALSE(w("Shape3").Visible());
    EXPECT_EQ(w("lm", 0).Tag(), "");
    EXPECT_EQ(w("FIN", 1).Tag(), "");
    ASSERT_EQ(w("List1").ListCount(), 52);
    EXPECT_EQ(w("List1").List(0), "A0");
    EXPECT_EQ(w("List1").List(51), "Z0");
    EXPECT_TRUE(box.dialogs->messages.empty());
}

TEST_F(EditionFiles, TruncatedFileLoadsWhatItHolds) {
    {
        Zenkor w;
        LoadEditionFile(w, "Zenkor2024");
        fillEverything(w);
        ASSERT_TRUE(SaveEditionFile(w));
    }
    const std::string bytes = box.readFile("Zenkor2024.ini");
    // Cut inside a line of the team names of group D: the key's text is broken off.
    const auto cut = bytes.find("[EquipD]");
    ASSERT_NE(cut, std::string::npos);
    const auto line = bytes.find("1=", cut);
    writeEdition("Zenkor2024", bytes.substr(0, line + 5));  // "1=" and three bytes of "Équipe D1"

    Zenkor w;
    w.FChargee = true;
    LoadEditionFile(w, "Zenkor2024");
    EXPECT_EQ(w("ButA", 3).Text(), sampleText("ButA", 3));
    EXPECT_EQ(w("C", 4).Text(), sampleText("C", 4));
    EXPECT_EQ(w("D", 1).Text(), "Équ");  // the broken line keeps what is left of it
    EXPECT_EQ(w("D", 2).Text(), "D2");
    EXPECT_EQ(w("ButE", 0).Text(), "-");
    EXPECT_EQ(w("F", 4).Text(), "F4");
    EXPECT_EQ(w("ButFIN", 0).Text(), "-");
    EXPECT_EQ(w("A", 3).Tag(), "");  // the lots marks come last in the file
    EXPECT_EQ(w("List1").ListCount(), 52);
}

TEST_F(EditionFiles, EmptiedKeysLoadEmptyAndMissingKeysTakeTheirDefaults) {
    writeEdition("Zenkor2024", "[ButB]\r\n4=\r\n[EquipD]\r\n1=Espagne\r\n[TSE]\r\n2=1\r\n[Pen8]\r\n3=\r\n");
    Zenkor w;
    LoadEditionFile(w, "Zenkor2024");
    EXPECT_EQ(w("ButB", 4).Text(), "");
    EXPECT_EQ(w("ButB", 5).Text(), "-");
    EXPECT_EQ(w("D", 1).Text(), "Espagne");
    EXPECT_EQ(w("D", 4).Text(), "D4");
    EXPECT_EQ(w("E", 2).Tag(), "1");
    EXPECT_EQ(w("E", 3).Tag(), "");
    EXPECT_EQ(w("ButPen", 3).Text(), "");
    EXPECT_EQ(w("ButPen", 4).Text(), "-");
}

TEST_F(EditionFiles, NegativeScoreLoadsWithoutItsSign) {
    writeEdition("Zenkor2024", "[ButA]\r\n0=-3\r\n[But4]\r\n1=-2\r\n");
    Zenkor w;
    w.FChargee = true;
    LoadEditionFile(w, "Zenkor2024");
    EXPECT_EQ(w("ButA", 0).Text(), "3");
    EXPECT_EQ(w("ButQua", 1).Text(), "2");
}

TEST_F(EditionFiles, MatchInformationFillsTagsAndFiftyTwoListLines) {
    std::string match = "[Match]\r\n";
    for (int g = 0; g < 6; ++g) {
        for (int m = 0; m < 6; ++m)
            match +=
                std::to_string(12 * g + 2 * m) + "=G" + std::to_string(g) + "m" + std::to_string(m) + "\r\n";
    }
    for (int k = 0; k < 8; ++k) match += std::to_string(100 + 2 * k) + "=R" + std::to_string(k) + "\r\n";
    for (int k = 0; k < 4; ++k) match += std::to_string(200 + 2 * k) + "=Q" + std::to_string(k) + "\r\n";
    match += "300=S0\r\n302=S1\r\n400=P\r\n";  // no final
    writeEdition("Zenkor2024", match);
    Zenkor w;
    LoadEditionFile(w, "Zenkor2024");

    std::vector<std::string> expected;
    for (int m = 0; m < 6; ++m) {
        for (int g = 0; g < 6; ++g) {
            expected.push_back(Zenkor::groupName(g) + std::to_string(2 * m) + "G" + std::to_string(g) + "m" +
                               std::to_string(m));
        }
    }
    for (int k = 0; k < 8; ++k) expected.push_back("V" + std::to_string(2 * k) + "R" + std::to_string(k));
    for (int k = 0; k < 4; ++k) expected.push_back("W" + std::to_string(2 * k) + "Q" + std::to_string(k));
    expected.insert(expected.end(), {"X0S0", "X2S1", "Y0P", "Z0"});
    EXPECT_EQ(w("List1").items(), expected);

    EXPECT_EQ(w("lmB", 10).Tag(), "G1m5");
    EXPECT_EQ(w("lmB", 11).Tag(), "G1m5");
    EXPECT_EQ(w("lmF", 0).Tag(), "G5m0");
    for (int i : {6, 7, 22, 23}) EXPECT_EQ(w("Huit", i).Tag(), "R3") << i;
    EXPECT_EQ(w("Qua", 7).Tag(), "Q3");
    EXPECT_EQ(w("DEM", 2).Tag(), "S1");
    EXPECT_EQ(w("pf", 1).Tag(), "P");
    EXPECT_EQ(w("FIN", 0).Tag(), "");

    // A second load replaces the list rather than adding to it.
    LoadEditionFile(w, "Zenkor2024");
    EXPECT_EQ(w("List1").ListCount(), 52);
}

TEST_F(EditionFiles, NewsMessageFollowsTheLanguageIndex) {
    writeEdition("Zenkor2024", "[Mess]\r\n0=Bonjour\r\n1=Hello\r\n2=\r\n");
    Zenkor w;
    w.sage = 1;
    LoadEditionFile(w, "Zenkor2024");
    EXPECT_EQ(w("Label10").Caption(), "Hello");
    EXPECT_TRUE(w("Shape3").Visible());
    w.sage = 2;
    LoadEditionFile(w, "Zenkor2024");
    EXPECT_EQ(w("Label10").Caption(), "");
    EXPECT_FALSE(w("Shape3").Visible());
}

// Records what the window holds at the moment a message box is shown.
class WatchingDialogs : public testing_support::ScriptedDialogs {
  public:
    explicit WatchingDialogs(Zenkor*& w) : w_(w) {}
    platform::Answer msgBox(const std::string& text, int style, const std::string& title) override {
        seenText1 = (*w_)("Text1").Text();
        seenScore = (*w_)("ButA", 0).Text();
        return ScriptedDialogs::msgBox(text, style, title);
    }
    std::string seenText1, seenScore;

  private:
    Zenkor*& w_;
};

TEST_F(EditionFiles, NewerDataVersionPromptsBeforeLoading) {
    writeEdition("Zenkor2024", "[CV]\r\n0=1.1\r\n[ButA]\r\n0=4\r\n");
    Zenkor* current = nullptr;
    auto dialogs = std::make_shared<WatchingDialogs>(current);
    platform::SetDialogs(dialogs);
    Zenkor w;
    current = &w;

    dialogs->answers.push_back(platform::Answer::No);
    LoadEditionFile(w, "Zenkor2024");
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].text, LangMessages()[15]);
    EXPECT_EQ(dialogs->messages[0].style, platform::vbYesNo);
    EXPECT_EQ(dialogs->messages[0].title, "Valmirade");
    EXPECT_EQ(dialogs->seenText1, "Zenkor2024");
    EXPECT_EQ(dialogs->seenScore, "-");   // nothing but the name had changed
    EXPECT_EQ(w("ButA", 0).Text(), "4");  // No: the load went on
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(platform::EndRequested());

    // Yes: the program's page opens and the program ends without loading anything further.
    writeEdition("Zenkor2016", "[CV]\r\n0=1.1\r\n[ButA]\r\n0=2\r\n");
    dialogs->answers.push_back(platform::Answer::Yes);
    LoadEditionFile(w, "Zenkor2016");
    EXPECT_EQ(dialogs->messages.size(), 2u);
    EXPECT_EQ(opened, std::vector<std::string>{platform::SiteAddress("/zenkor.php")});
    EXPECT_TRUE(platform::EndRequested());
    EXPECT_EQ(w("ButA", 0).Text(), "4");
    platform::SetEndHandler(nullptr);
}

TEST_F(EditionFiles, OnlyAThreeCharacterNewerVersionPrompts) {
    Zenkor w;
    for (const char* version : {"1.10", "-", "1.0", "0.9", "", "10"}) {
        writeEdition("Zenkor2024", std::string("[CV]\r\n0=") + version + "\r\n");
        LoadEditionFile(w, "Zenkor2024");
        EXPECT_TRUE(box.dialogs->messages.empty()) << version;
    }
    writeEdition("Zenkor2024", "[CV]\r\n0=2-0\r\n");
    box.dialogs->answers.push_back(platform::Answer::No);
    LoadEditionFile(w, "Zenkor2024");
    EXPECT_EQ(box.dialogs->messages.size(), 1u);
}

TEST_F(EditionFiles, OnlyLettersAndDigitsNameAnEditionFile) {
    const auto outside = box.folder().parent_path() / "Zenkor2024.ini";
    std::filesystem::remove(outside);
    writeEdition("Zenkor2024", "[ButA]\r\n0=1\r\n");
    Zenkor w;
    LoadEditionFile(w, "Zenkor2024");
    LoadEditionFile(w, "../Zenkor2024");
    LoadEditionFile(w, "Zenkor 2024");
    LoadEditionFile(w, "");
    EXPECT_EQ(w("Text1").Text(), "Zenkor2024");
    EXPECT_EQ(w("ButA", 0).Text(), "1");

    // A save aimed outside the program folder writes nothing and says so.
    w("Text1").setText("../Zenkor2024");
    w("Command3").raiseClick();
    EXPECT_FALSE(std::filesystem::exists(outside));
    ASSERT_EQ(box.dialogs->messages.size(), 1u);
    EXPECT_NE(box.dialogs->messages[0].text.find("n'a pas pu être enregistré"), std::string::npos);

    EXPECT_TRUE(IsEditionBaseName("Zenkor2008"));
    EXPECT_FALSE(IsEditionBaseName("Zenkor2008.ini"));
    EXPECT_FALSE(IsEditionBaseName("Zenkor\\2008"));
    EXPECT_FALSE(IsEditionBaseName("Zenkorété"));
}

TEST_F(EditionFiles, FailedSaveIsReportedAndNothingFollows) {
    Zenkor w;
    LoadEditionFile(w, "Zenkor2024");
    w.MISAJOUR = true;
    Control& shape9 = w.add(Kind::Shape, "Shape9");
    Control& send = w.add(Kind::CommandButton, "Command16");
    send.setEnabled(false);
    std::filesystem::create_directory(box.folder() / "Zenkor2024.ini");  // the file's path is a folder

    w("ButA", 0).setText("2");
    w("Command3").raiseClick();
    ASSERT_EQ(box.dialogs->messages.size(), 1u);
    EXPECT_EQ(box.dialogs->messages[0].style, platform::vbExclamation);
    // The message names the file and the cause.
    EXPECT_EQ(box.dialogs->messages[0].text,
              "Le fichier Zenkor2024.ini n'a pas pu être enregistré.\nread Zenkor2024.ini: Is a directory");
    EXPECT_FALSE(send.Enabled());
    EXPECT_NE(shape9.FillColor(), 65280);

    // Once the file can be written, the same click saves and unlocks the send button.
    std::filesystem::remove(box.folder() / "Zenkor2024.ini");
    w("Command3").raiseClick();
    EXPECT_EQ(box.dialogs->messages.size(), 1u);
    EXPECT_EQ(ReadIni("Zenkor2024", "ButA", "0"), "2");
    EXPECT_TRUE(send.Enabled());
    EXPECT_EQ(shape9.FillColor(), 65280);
}

// A write that fails at any step (a full disk, a folder made read-only meanwhile) fails the save and leaves
// the file as it was, with no temporary beside it.
TEST_F(EditionFiles, AWriteFailingAtAnyStepFailsTheSaveAndLeavesTheFile) {
    const std::string before = "[ButA]\r\n0=1\r\n";
    box.writeFile("Zenkor2024.ini", before);
    Zenkor w;
    LoadEditionFile(w, "Zenkor2024");
    w("ButA", 0).setText("3");
    for (const char* step : {"open", "write", "fsync", "rename"}) {
        SCOPED_TRACE(step);
        platform::SetWriteFault([step](std::string_view at, const std::filesystem::path& file) {
            return at == step && file.filename() == "Zenkor2024.ini" ? ENOSPC : 0;
        });
        const platform::Result saved = SaveEditionFile(w);
        platform::SetWriteFault(nullptr);
        EXPECT_FALSE(saved);
        EXPECT_NE(saved.reason().find("No space left on device"), std::string::npos) << saved.reason();
        EXPECT_EQ(box.readFile("Zenkor2024.ini"), before);
        for (const auto& entry : std::filesystem::directory_iterator(box.folder()))
            EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    }
    ASSERT_TRUE(SaveEditionFile(w));
    EXPECT_EQ(ReadIni("Zenkor2024", "ButA", "0"), "3");
}

// An edition file that is a symbolic link stays one: the save replaces the file it names.
TEST_F(EditionFiles, SavingThroughASymbolicLinkWritesTheFileItNames) {
    std::filesystem::create_directory(box.folder() / "elsewhere");
    box.writeFile("elsewhere/mine.ini", "[ButA]\r\n0=1\r\n");
    std::filesystem::create_symlink("elsewhere/mine.ini", box.folder() / "Zenkor2024.ini");
    Zenkor w;
    LoadEditionFile(w, "Zenkor2024");
    ASSERT_EQ(w("ButA", 0).Text(), "1");
    w("ButA", 0).setText("4");
    ASSERT_TRUE(SaveEditionFile(w));
    EXPECT_TRUE(std::filesystem::is_symlink(box.folder() / "Zenkor2024.ini"));
    EXPECT_NE(box.readFile("elsewhere/mine.ini").find("0=4\r\n"), std::string::npos);
    EXPECT_EQ(box.readFile("Zenkor2024.ini.bak"), "[ButA]\r\n0=1\r\n");
}

class HistoryPanel : public EditionFiles {
  protected:
    void SetUp() override {
        EditionFiles::SetUp();
        box.writeFile("langFr.txt",
                      "MSG\\Phase Finale\\1\r\nMSG\\Phase de Groupes\\2\r\nMSG\\Choisir\\6\r\n");
        writeEdition("Zenkor2024", "[ButA]\r\n0=1\r\n[EquipA]\r\n1=Allemagne\r\n");
        writeEdition("Zenkor2016", "[ButA]\r\n0=5\r\n[EquipA]\r\n1=France\r\n");
        lang_Click(w, 0);
        w.add(Kind::Label, "Label2").setCaption("Valmirade de football 2024");
        LoadEditionFile(w, "Zenkor2024");
        w.FChargee = true;
        w("Command11").raiseClick();
    }
    Zenkor w;
};

TEST_F(HistoryPanel, HistoryButtonTogglesThePanel) {
    EXPECT_TRUE(w("FraHisto").Visible());
    EXPECT_FALSE(w("Frame18").Visible());
    w("Command11").raiseClick();
    EXPECT_FALSE(w("FraHisto").Visible());
}

TEST_F(HistoryPanel, PromptEntryOpensNothing) {
    ASSERT_EQ(w("Combo1").ListIndex(), 0);
    w("Command12").raiseClick();
    EXPECT_EQ(w("Text1").Text(), "Zenkor2024");
    EXPECT_TRUE(w("Command3").Enabled());
}

TEST_F(HistoryPanel, OpenAnEarlierEditionThenReturn) {
    w("Combo1").setListIndex(5);
    ASSERT_EQ(w("Combo1").Text(), "2016");
    w("Command12").raiseClick();
    EXPECT_EQ(w("Text1").Text(), "Zenkor2016");
    EXPECT_EQ(w("A", 1).Text(), "France");
    EXPECT_EQ(w("ButA", 0).Text(), "5");
    EXPECT_FALSE(w("Command3").Enabled());
    EXPECT_FALSE(w("Command26").Enabled());
    EXPECT_EQ(w.self().Caption(), "Valmirade 2016");

    w("Command4").raiseClick();
    EXPECT_EQ(w("Text1").Text(), "Zenkor2024");
    EXPECT_EQ(w("A", 1).Text(), "Allemagne");
    EXPECT_TRUE(w("Command3").Enabled());
    EXPECT_FALSE(w("FraHisto").Visible());
    EXPECT_EQ(w.self().Caption(), "Valmirade de football 2024");
}

TEST_F(HistoryPanel, EditionsWithoutALogoStillOpen) {
    writeEdition("Zenkor2020", "[EquipB]\r\n2=Italie\r\n");
    w("Combo1").setListIndex(6);
    w("Command12").raiseClick();
    EXPECT_EQ(w("B", 2).Text(), "Italie");
    EXPECT_EQ(w("Image9").Picture(), "");

    w("Combo1").setListIndex(7);
    w("Command12").raiseClick();
    EXPECT_EQ(w("Text1").Text(), "Zenkor2024");
    EXPECT_TRUE(w("Command26").Enabled());
    EXPECT_FALSE(w("Command3").Enabled());
}

TEST_F(HistoryPanel, TypedYearThatIsNoBaseNameOpensNothing) {
    w("Combo1").setListIndex(2);
    w("Combo1").setText("../2024");
    w("Command12").raiseClick();
    EXPECT_EQ(w("Text1").Text(), "Zenkor2024");
    EXPECT_TRUE(w("Command3").Enabled());
}

// The editions shipped beside the program load quietly and carry well-formed match information.
TEST_F(EditionFiles, ShippedEditionsLoad) {
    const std::regex listLine(R"(^[A-FV-Z]\d{1,2}(.*)$)");
    const std::regex wellFormed(R"(^[A-Z]{3}\([^/]*\) \d\d/\d\d/\d\d \d\d:\d\d$)");
    for (const char* name : {"Zenkor2016", "Zenkor2020", "Zenkor2024"}) {
        box.copyDataFile(std::string(name) + ".ini");
        Zenkor w;
        w.FChargee = true;
        LoadEditionFile(w, name);
        EXPECT_TRUE(box.dialogs->messages.empty()) << name;
        EXPECT_EQ(w("Text1").Text(), name);
        EXPECT_NE(w("A", 1).Text(), "A1") << name;
        ASSERT_EQ(w("List1").ListCount(), 52) << name;
        for (const std::string& line : w("List1").items()) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(line, m, listLine)) << name << " " << line;
            const std::string value = m[1];
            EXPECT_TRUE(value.empty() || std::regex_match(value, wellFormed)) << name << " " << line;
        }
    }
}
