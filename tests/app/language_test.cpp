// Language files: the line format, the message table that is never cleared, the switch between
// languages and the shipped files themselves.
#include "app/language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <set>
#include <string>

#include "app/settings.h"
#include "platform/text.h"
#include "tests/support/fakes.h"

using namespace zenkor;
using testing_support::Sandbox;

namespace {

class Language : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) savedConfig_ = old;
        setenv("XDG_CONFIG_HOME", box.folder().c_str(), 1);
        LangMessages().fill("");
    }
    void TearDown() override {
        if (savedConfig_) {
            setenv("XDG_CONFIG_HOME", savedConfig_->c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_HOME");
        }
        LangMessages().fill("");
    }

    // Writes a language file as the shipped ones are: Windows-1252, CR LF.
    void writeLanguage(const std::string& name, const std::string& utf8Lines) {
        std::string text;
        for (const std::string& line : platform::SplitLines(utf8Lines)) text += line + "\r\n";
        box.writeFile(name, platform::Utf8ToCp1252(text));
    }

    Sandbox box;
    Zenkor w;
    std::optional<std::string> savedConfig_;
};

}  // namespace

TEST_F(Language, MessageLines) {
    writeLanguage("langFr.txt",
                  "MSG\\Bonjour\\7\n"
                  "MSG\\Trop\\101\n"
                  "MSG\\Moins\\-1\n"
                  "msg\\Minuscules\\8\n"
                  "MSGxyz\\Suffixe ignoré\\9\n"
                  "MSG\\ Blancs \\ 12 \n"
                  "MSG\\Arrondi\\20.5\n"
                  "MSG\\Vide\\\n"
                  "MSG\\Rien\n"
                  "MSG\n");
    LoadLanguageFile(w, "\\langFr.txt");
    EXPECT_EQ(Message(7), "Bonjour");
    EXPECT_EQ(Message(100), "");
    EXPECT_EQ(Message(8), "");
    EXPECT_EQ(Message(9), "Suffixe ignoré");
    EXPECT_EQ(Message(12), " Blancs ");
    EXPECT_EQ(Message(20), "Arrondi");  // halves go to the even neighbour
    EXPECT_EQ(Message(0), "Vide");      // an empty index field reads 0
    // A line without an index field stores nothing, neither at 0 nor at the previous line's index.
    EXPECT_EQ(Message(21), "");
}

TEST_F(Language, MessageLineWithoutIndexLeavesThePreviousOne) {
    writeLanguage("langFr.txt", "MSG\\B\nMSG\\A\\5\nMSG\\B\n");
    LoadLanguageFile(w, "\\langFr.txt");
    EXPECT_EQ(Message(5), "A");
    EXPECT_EQ(Message(0), "");
}

TEST_F(Language, ControlLinesAndTheIndexSelector) {
    w("LabTer", 0).setToolTipText("avant");
    writeLanguage("langFr.txt",
                  "LabTer\\X\\\\\\\n"  // every member: captions set, tooltips emptied
                  "Label13\\Titre\n"
                  "LabTer\\Y\\\\Deux\\2\n"
                  "Label13\\Jamais\n"  // the selector 2 stays and this line has no index field
                  "Command12\\Ouvrir\\\\Voir\\\n"
                  "Combo1\\\\Texte\n"
                  "Command3\\\\\\\\\n"
                  "Inconnu\\Rien\\\\\\\n");
    LoadLanguageFile(w, "\\langFr.txt");
    EXPECT_EQ(w("LabTer", 0).Caption(), "X");
    EXPECT_EQ(w("LabTer", 0).ToolTipText(), "");
    EXPECT_EQ(w("LabTer", 1).Caption(), "X");
    EXPECT_EQ(w("LabTer", 2).Caption(), "Y");
    EXPECT_EQ(w("LabTer", 2).ToolTipText(), "Deux");
    EXPECT_EQ(w("Label13").Caption(), "Titre");
    EXPECT_EQ(w("Command12").Caption(), "Ouvrir");
    EXPECT_EQ(w("Command12").ToolTipText(), "Voir");
    EXPECT_EQ(w("Command3").Caption(), "");
    EXPECT_EQ(w("Command3").ToolTipText(), "");
}

TEST_F(Language, ControlLineFiresTheChangeOfWhatItSets) {
    int changes = 0;
    Control& label = w.add(Kind::Label, "LabInfo");
    label.Change = [&changes] { ++changes; };
    writeLanguage("langFr.txt", "LabInfo\\Survolez un match\\\\\\\n");
    LoadLanguageFile(w, "\\langFr.txt");
    EXPECT_EQ(label.Caption(), "Survolez un match");
    EXPECT_EQ(changes, 1);
}

TEST_F(Language, CompleteReadRefillsTheHistoryListAndViewButton) {
    writeLanguage("langFr.txt", "MSG\\Phase Finale\\1\nMSG\\Phase de Groupes\\2\nMSG\\Choisissez\\6\n");
    LoadLanguageFile(w, "\\langFr.txt");
    Control& editions = w("Combo1");
    ASSERT_EQ(editions.ListCount(), 8);
    EXPECT_EQ(editions.List(0), "Choisissez");
    EXPECT_EQ(editions.List(1), "2000");
    EXPECT_EQ(editions.List(7), "2024");
    EXPECT_EQ(editions.Text(), "Choisissez");
    EXPECT_EQ(w("Command1").Caption(), "Phase Finale");

    // In the knockout view the button names the way back, whatever the language file does.
    w.knockoutView = true;
    LoadLanguageFile(w, "\\langFr.txt");
    EXPECT_EQ(w("Command1").Caption(), "Phase de Groupes");
    EXPECT_EQ(editions.ListCount(), 8);
}

TEST_F(Language, SwitchThereAndBackKeepsWhatTheSecondFileLacks) {
    writeLanguage("langFr.txt",
                  "MSG\\Phase Finale\\1\nMSG\\Phase de Groupes\\2\nMSG\\Tirage au sort\\3\n"
                  "Command12\\Ouvrir\\\\Ouvrir l'édition\\\nLabel13\\Choisissez :\\\\\\\n");
    writeLanguage("langEn.txt",
                  "MSG\\Knockout stage\\1\nMSG\\Group stage\\2\nCommand12\\Open\\\\Open it\\\n");
    box.writeFile("Zenkor2024.ini", "[Mess]\r\n0=Bonjour\r\n1=Hello\r\n");
    w("Text1").setText("Zenkor2024");

    w("lang", 0).raiseClick();
    EXPECT_EQ(w.sage, 0);
    EXPECT_EQ(w("Label10").Caption(), "Bonjour");
    w("lang", 1).raiseClick();
    EXPECT_EQ(w.sage, 1);
    EXPECT_EQ(Message(1), "Knockout stage");
    EXPECT_EQ(Message(3), "Tirage au sort");  // not in the English file
    EXPECT_EQ(w("Command12").Caption(), "Open");
    EXPECT_EQ(w("Label13").Caption(), "Choisissez :");
    EXPECT_EQ(w("Command1").Caption(), "Knockout stage");
    EXPECT_EQ(w("Label10").Caption(), "Hello");
    EXPECT_TRUE(w("Shape3").Visible());
    EXPECT_EQ(GetSetting("langue"), "1");

    w("lang", 0).raiseClick();
    EXPECT_EQ(Message(1), "Phase Finale");
    EXPECT_EQ(w("Command12").Caption(), "Ouvrir");
    EXPECT_EQ(w("Command12").ToolTipText(), "Ouvrir l'édition");
    EXPECT_EQ(w("Label10").Caption(), "Bonjour");
    EXPECT_EQ(GetSetting("langue"), "0");
}

// The play-off frame takes its caption from the label that holds it, in every language.
TEST_F(Language, ThePlayOffFrameFollowsItsLabel) {
    for (const char* name : {"langFr.txt", "langEn.txt", "langSp.txt"}) box.copyDataFile(name);
    const std::string captions[] = {"Matches de barrages", "Play-off matches", "Partidos de repesca"};
    for (int index : {1, 2, 0}) {
        w("lang", index).raiseClick();
        EXPECT_EQ(w("Label17", 3).Caption(), captions[index]);
        EXPECT_EQ(w("Frame22").Caption(), captions[index]);
    }
    writeLanguage("langEn.txt", "Label17\\Play-offs\\\\\\3\n");
    w("lang", 1).raiseClick();
    EXPECT_EQ(w("Frame22").Caption(), "Play-offs");
}

TEST_F(Language, MissingFileIsReportedAndChangesNoText) {
    writeLanguage("langFr.txt", "MSG\\Phase Finale\\1\nCommand12\\Ouvrir\\\\\\\n");
    box.writeFile("Zenkor2024.ini", "[Mess]\r\n1=Hello\r\n");
    w("Text1").setText("Zenkor2024");
    w("lang", 0).raiseClick();
    ASSERT_TRUE(box.dialogs->messages.empty());

    w("lang", 1).raiseClick();
    ASSERT_EQ(box.dialogs->messages.size(), 1u);
    EXPECT_EQ(box.dialogs->messages[0].text, "Fichier absent.");
    EXPECT_EQ(box.dialogs->messages[0].style, platform::vbOKOnly);
    EXPECT_EQ(box.dialogs->messages[0].title, "");
    EXPECT_EQ(Message(1), "Phase Finale");
    EXPECT_EQ(w("Command12").Caption(), "Ouvrir");
    EXPECT_EQ(w.sage, 1);
    EXPECT_EQ(GetSetting("langue"), "1");
    EXPECT_EQ(w("Label10").Caption(), "Hello");
}

TEST_F(Language, IndexWithoutAFileLoadsNothing) {
    lang_Click(w, 5);
    EXPECT_TRUE(box.dialogs->messages.empty());
    EXPECT_EQ(w.sage, 5);
    EXPECT_EQ(GetSetting("langue"), "5");
    EXPECT_EQ(w("Command1").Caption(), "Phase Finale");  // the design caption stays
}

TEST_F(Language, ReadsWindowsTextWithAnyLineEnd) {
    box.writeFile("langSp.txt",
                  "MSG\\Espa\xF1"
                  "a\\4\rMSG\\Dos\\5\nMSG\\\x80 tres\\6\r\n");
    LoadLanguageFile(w, "\\langSp.txt");
    EXPECT_EQ(Message(4), "España");
    EXPECT_EQ(Message(5), "Dos");
    EXPECT_EQ(Message(6), "€ tres");
}

// The shipped files: every message the program reads, every control line naming a control of the window,
// Windows text with CR LF line ends.
class ShippedLanguage : public Language, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShippedLanguage, IsCompleteAndNamesOnlyRealControls) {
    const std::string name = GetParam();
    box.copyDataFile(name);
    const std::string bytes = box.readFile(name);
    ASSERT_FALSE(bytes.empty());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
    EXPECT_EQ(bytes.find("\xC3"), std::string::npos) << "UTF-8 where Windows-1252 is expected";

    LoadLanguageFile(w, "\\" + name);
    EXPECT_TRUE(box.dialogs->messages.empty());
    for (int i = 1; i <= 37; ++i) {
        if (i == 12 || i == 21) continue;
        EXPECT_FALSE(Message(i).empty()) << "message " << i;
    }
    EXPECT_NE(Message(1), Message(2));

    for (const std::string& line : platform::SplitLines(platform::Cp1252ToUtf8(bytes))) {
        if (line.empty() || line.starts_with("MSG")) continue;
        const auto fields = platform::Split(line, "\\");
        EXPECT_EQ(fields.size(), 5u) << line;  // every line carries its own selector
        if (fields.size() == 5 && !fields[4].empty()) {
            EXPECT_TRUE(w.exists(fields[0], std::stoi(fields[4]))) << line;
        } else {
            EXPECT_FALSE(w.indexes(fields[0]).empty()) << line;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage, ::testing::Values("langFr.txt", "langEn.txt", "langSp.txt"));

// Whatever English or Spanish set, French sets back: switching there and back equals French alone.
TEST_F(Language, ShippedFilesSwitchThereAndBack) {
    for (const char* name : {"langFr.txt", "langEn.txt", "langSp.txt"}) box.copyDataFile(name);
    w.compactMode = true;
    lang_Click(w, 1);
    EXPECT_EQ(w("Command3").Caption(), "Save");
    lang_Click(w, 2);
    EXPECT_EQ(w("Frame1").Caption(), "Grupo A");
    lang_Click(w, 0);

    Zenkor french;
    french.compactMode = true;
    lang_Click(french, 0);
    for (Control* c : w.controls()) {
        Control* other = french.find(c->name(), c->index());
        ASSERT_NE(other, nullptr) << c->displayName();
        EXPECT_EQ(c->Caption(), other->Caption()) << c->displayName();
        EXPECT_EQ(c->ToolTipText(), other->ToolTipText()) << c->displayName();
    }
    EXPECT_EQ(w("Command14").Caption(), "Passer en mode normal");
    EXPECT_EQ(w("Command3").Caption(), "Sauve");
    EXPECT_EQ(w("Label1", 9).Caption(), "Equipe");
    EXPECT_EQ(Message(10), "buts");
    EXPECT_TRUE(box.dialogs->messages.empty());
}
