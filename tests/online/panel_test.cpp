// The update-preparation panel: its access, its fields, sending predictions and the author's entries.
#include "app/ini_file.h"
#include "tests/online/online_support.h"

namespace online_testing {
namespace {

class PanelTest : public OnlineTest {
  protected:
    // Opens the panel filled, as the author does: a right click with Shift on the help title.
    void openWithCode(zenkor::Zenkor& w) {
        box.dialogs->inputs.push_back(zenkor::kAccessCode);
        w("Label2").raiseMouseDown(2, 1, 0, 0);
    }
};

TEST_F(PanelTest, TheAccessCodeTypedAfterAShiftRightClickFillsAndOpensThePanel) {
    EXPECT_TRUE(zenkor::SaveSetting("mdp", "secret"));
    EXPECT_TRUE(zenkor::SaveSetting("pseudo", "Zidou"));
    zenkor::Zenkor& w = start();
    w("Fraide").setVisible(true);

    // A wrong answer, and a cancelled box, leave the panel closed without a word.
    box.dialogs->inputs.push_back("6RIVU");
    w("Label2").raiseMouseDown(2, 1, 0, 0);
    w("Label2").raiseMouseDown(2, 1, 0, 0);
    EXPECT_FALSE(w("Frame20").Visible());
    EXPECT_EQ(box.dialogs->prompts, (std::vector<std::string>{"Mot de passe ?", "Mot de passe ?"}));
    // With Ctrl held too, or another button, nothing is asked.
    w("Label2").raiseMouseDown(2, 3, 0, 0);
    w("Label2").raiseMouseDown(4, 1, 0, 0);
    EXPECT_EQ(box.dialogs->prompts.size(), 2u);

    openWithCode(w);
    EXPECT_TRUE(w("Frame20").Visible());
    EXPECT_FALSE(w("Fraide").Visible());
    EXPECT_EQ(w("Text2", 0).Text(), "6rivu");
    EXPECT_EQ(w("Text2", 1).Text(), "Zidou");
    EXPECT_EQ(w("Text2", 2).Text(), "1.0");
    EXPECT_EQ(w("Text2", 3).Text(), zenkor::ReadIni("Zenkor2024", "CV", "0", "-"));
    EXPECT_EQ(w("Text4", 1).Text(), zenkor::ReadIni("Zenkor2024", "Lien", "1", "-"));
    EXPECT_EQ(w("Text3", 0).Text(), zenkor::ReadIni("Zenkor2024", "Mess", "0", "-"));
    EXPECT_FALSE(w("Image13").Stretch());
    EXPECT_FALSE(w("Image14").Stretch());
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(PanelTest, AStoredCodeOpensThePanelWithAnyButtonButTheLeftOne) {
    server.answer("/imzenkor.php", kGif1);
    server.answer("/imelimzenkor.php", kGif2);
    zenkor::Zenkor& w = start();
    w("Label2").raiseMouseDown(4, 0, 0, 0);
    EXPECT_FALSE(w("Frame20").Visible());

    EXPECT_TRUE(zenkor::SaveSetting("mdp", zenkor::kAccessCode));
    w("Label2").raiseMouseDown(1, 0, 0, 0);  // the left button only fetches the pictures
    settle();
    EXPECT_FALSE(w("Frame20").Visible());
    EXPECT_EQ(server.requests().size(), 2u);
    w("Label2").raiseMouseDown(4, 0, 0, 0);
    EXPECT_TRUE(w("Frame20").Visible());
    EXPECT_EQ(w("Text2", 0).Text(), zenkor::kAccessCode);
    EXPECT_TRUE(box.dialogs->prompts.empty());
}

TEST_F(PanelTest, SendingPutsTheFileOnTheClipboardAndOpensTheContestPage) {
    zenkor::Zenkor& w = start();
    platform::ClipboardSetText("before");

    w("Command16").raiseClick();  // disabled buttons still run when called; the pseudonym is checked
    EXPECT_EQ(messages(), std::vector<std::string>{"Pseudo ???"});
    EXPECT_EQ(w("Text2", 1).BackColor(), 255);
    EXPECT_EQ(platform::ClipboardText(), "before");
    EXPECT_TRUE(opened.empty());

    w("Text2", 0).setText("mdp1");
    w("Text2", 1).setText("Zidou");
    w("Command16").raiseClick();
    EXPECT_EQ(platform::ClipboardText(), inFolder("Zenkor2024.ini"));
    EXPECT_EQ(opened, std::vector<std::string>{site("/expZenkor2024.php?mdp=mdp1&pseudo=Zidou")});

    w("Command20", 1).raiseClick();
    EXPECT_EQ(platform::ClipboardText(), inFolder("Elim2024.ini"));
    EXPECT_EQ(opened.back(), site("/expELIMZenkor2024.php?mdp=mdp1&pseudo=Zidou"));
}

TEST_F(PanelTest, SpecialCharactersStayInsideTheirQueryValue) {
    zenkor::Zenkor& w = start();
    w("Text2", 0).setText("a&pseudo=x");
    w("Text2", 1).setText("Jean Zoé#1");
    w("Command16").raiseClick();
    EXPECT_EQ(opened, std::vector<std::string>{
                          site("/expZenkor2024.php?mdp=a%26pseudo%3Dx&pseudo=Jean%20Zo%C3%A9%231")});
}

TEST_F(PanelTest, SavingWritesTheEntriesIntoTheCurrentEditionAndTheQualifiersFile) {
    zenkor::Zenkor& w = start();
    openWithCode(w);
    w("Text3", 0).setText("Bonjour");
    w("Text3", 1).setText("Hello");
    w("Text3", 2).setText("Hola");
    w("Text4", 0).setText("Le site");
    w("Text4", 1).setText("https://www.valmirade.example/");
    w("Text2", 3).setText("1.1");
    // While an earlier edition is on display the entries still go to the current one.
    w("Text1").setText("Zenkor2016");
    w("Command18").raiseClick();

    EXPECT_EQ(zenkor::ReadIni("Zenkor2024", "Mess", "0"), "Bonjour");
    EXPECT_EQ(zenkor::ReadIni("Zenkor2024", "Mess", "2"), "Hola");
    EXPECT_EQ(zenkor::ReadIni("Zenkor2024", "Lien", "0"), "Le site");
    EXPECT_EQ(zenkor::ReadIni("Zenkor2024", "Lien", "1"), "https://www.valmirade.example/");
    EXPECT_EQ(zenkor::ReadIni("Zenkor2024", "CV", "0"), "1.1");
    EXPECT_EQ(zenkor::ReadIni("Elim2024", "Mess", "1"), "Hello");
    EXPECT_FALSE(exists("Zenkor2016.ini"));
    // A version other than the program's is written, and marked.
    EXPECT_EQ(w("Text2", 3).BackColor(), 255);
    EXPECT_TRUE(box.dialogs->messages.empty());

    // The manual edit opens the file on display.
    w("Command17").raiseClick();
    EXPECT_EQ(opened, std::vector<std::string>{inFolder("Zenkor2016.ini")});
}

TEST_F(PanelTest, AnEntryThatCannotBeWrittenIsReported) {
    zenkor::Zenkor& w = start();
    openWithCode(w);
    std::filesystem::create_directory(inFolder("Elim2024.ini"));  // a folder where the file should be
    w("Command18").raiseClick();
    EXPECT_EQ(messages(),
              std::vector<std::string>{
                  "Les modifications n'ont pas pu être enregistrées.\nread Elim2024.ini: Is a directory"});
}

TEST_F(PanelTest, ClosingSavesTheSettingsAndShowsThePicture) {
    server.answer("/imzenkor.php", kGif1);
    server.answer("/imelimzenkor.php", kGif2);
    EXPECT_TRUE(zenkor::SaveSetting("mdp", "ancien"));
    zenkor::Zenkor& w = start();
    w("Image14").raiseMouseDown(2, 0, 0, 0);
    ASSERT_TRUE(w("Frame20").Visible());
    w("Text2", 1).setText("Zidou");
    w("ChChargeImage").setValue(0);
    server.forgetRequests();
    w("Command19").raiseClick();
    settle();

    EXPECT_FALSE(w("Frame20").Visible());
    EXPECT_EQ(setting("pseudo"), "Zidou");
    EXPECT_EQ(setting("mdp"), "ancien");  // an empty password box keeps the stored one
    EXPECT_EQ(setting("ChImage"), "0");
    EXPECT_TRUE(w("Image14").Visible());
    EXPECT_EQ(server.requests(), (std::vector<std::string>{"/imzenkor.php", "/imelimzenkor.php"}));

    server.forgetRequests();
    w("Command20", 0).raiseClick();
    settle();
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST_F(PanelTest, AShiftClickOnTheNoticeMakesTheSendButtonAvailable) {
    zenkor::Zenkor& w = start();
    w("Label17", 6).raiseMouseDown(1, 3, 0, 0);
    EXPECT_FALSE(w("Command16").Enabled());
    w("Label17", 6).raiseMouseDown(1, 1, 0, 0);
    EXPECT_TRUE(w("Command16").Enabled());
    EXPECT_EQ(w("Shape9").FillColor(), 65280);
}

}  // namespace
}  // namespace online_testing
