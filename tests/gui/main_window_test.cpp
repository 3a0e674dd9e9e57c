// The real main window, started offscreen on the shipped edition file and typed into like a user would.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/edition_files.h"
#include "gui/picture_widgets.h"
#include "gui/qt_runtime.h"
#include "online/online.h"
#include "platform/settings.h"
#include "platform/text.h"
#include "qualifiers/qualifiers.h"
#include "sheets/sheet_windows.h"
#include "sheets/sheets.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/tournament.h"
#include "tests/support/fakes.h"

using gui_testing::WidgetOf;
using platform::Control;

namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        for (const char* file : {"Zenkor2024.ini", "langFr.txt", "langEn.txt", "langSp.txt", "pictures"}) {
            if (std::filesystem::exists(std::filesystem::path(ZENKOR_DATA_DIR) / file))
                sandbox.copyDataFile(file);
        }
        gui::InstallEventPump();  // the yield repaints and ticks the timers, as in the program
    }
    ~MainWindowTest() override {
        if (w && !w->unloaded()) w->unload();
        w.reset();
        gui_testing::FlushDeletes();
    }

    void start() {
        w = std::make_unique<zenkor::Zenkor>();
        w->show();
        ASSERT_NE(gui::FormView::of(*w), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window()));
    }
    QWidget* window() { return gui_testing::ViewOf(*w).window(); }
    // The first-use panel goes on the fifth tick of its timer.
    void passFirstUsePanel() {
        for (int i = 0; i < 5; ++i) (*w)("Timer2").tick();
    }

    // A user's entry: a click at the right end of the box, then the keys.
    void type(Control& box, const QString& keys) {
        auto* edit = WidgetOf<QLineEdit>(box);
        ASSERT_NE(edit, nullptr) << box.displayName();
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
        QTest::keyClicks(edit, keys);
    }

    gui_testing::KeepModuleData moduleData;
    testing_support::Sandbox sandbox;
    std::unique_ptr<zenkor::Zenkor> w;
};

TEST_F(MainWindowTest, TypedGroupScoresMoveTheTableOnScreen) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(w->exists("ButA", 0));
    Control& first = (*w)("ButA", 0);
    std::vector<std::string> changes;
    auto inner = first.Change;
    first.Change = [&, inner] {
        changes.push_back(first.Text());
        if (inner) inner();
    };

    // Germany 5-1 Scotland, Hungary 1-3 Switzerland, Germany 2-0 Hungary, Switzerland 1-1 Scotland,
    // Switzerland 1-1 Germany, Scotland 0-1 Hungary.
    const std::array<const char*, 12> scores = {"5", "1", "1", "3", "2", "0", "1", "1", "1", "1", "0", "1"};
    for (int i = 0; i < 12; ++i)
        ASSERT_NO_FATAL_FAILURE(type((*w)("ButA", i), scores[static_cast<size_t>(i)]));

    // The placeholder went, the widget shows what the model holds, and the keystroke reached Change once.
    EXPECT_EQ(first.Text(), "5");
    EXPECT_EQ(WidgetOf<QLineEdit>(first)->text(), "5");
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), "5");
    EXPECT_LE(changes.size(), 2u);  // the typed text, and the handler's rewrite without the "-"
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(WidgetOf<QLineEdit>((*w)("ButA", i))->text().toStdString(), (*w)("ButA", i).Text()) << i;
    }

    // Germany 7, Switzerland 5, Hungary 3, Scotland 1: the team boxes move to their rows.
    const std::array<int, 5> expectedPlace = {0, 1, 4, 3, 2};
    for (int team = 1; team <= 4; ++team) {
        Control& box = (*w)("A", team);
        EXPECT_EQ(w->teamPlace(0, team), expectedPlace[static_cast<size_t>(team)]) << box.Text();
        EXPECT_EQ(WidgetOf(box)->y(), static_cast<int>(std::lround(box.Top() / 15.0))) << box.Text();
    }
    EXPECT_EQ((*w)("A", 1).Top(), 690);
    EXPECT_EQ((*w)("A", 2).Top(), 1635);
    passFirstUsePanel();
    ASSERT_TRUE(gui_testing::SaveScreenshot(window(), "main_window.png"));
}

TEST_F(MainWindowTest, TheKnockoutViewCarriesTheTournamentToItsPodiumAndTrophy) {
    ASSERT_NO_FATAL_FAILURE(start());
    gui_testing::EnterGroupResults2024(*w);
    auto* button = WidgetOf<QPushButton>((*w)("Command1"));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE((*w)("Frame9").Visible());
    EXPECT_TRUE(WidgetOf((*w)("Frame9"))->isVisible());
    passFirstUsePanel();
    // The knockout view covers the group frames.
    QWidget* knockout = WidgetOf((*w)("Frame9"));
    QWidget* groupA = WidgetOf((*w)("Frame1"));
    QWidget* top = window()->childAt(groupA->geometry().center());
    EXPECT_TRUE(top == knockout || knockout->isAncestorOf(top));

    EXPECT_FALSE(WidgetOf((*w)("Image8"))->isVisible());
    gui_testing::EnterKnockoutResults2024(*w);
    EXPECT_EQ((*w)("pod", 1).Caption(), "Espagne");
    EXPECT_EQ((*w)("pod", 2).Caption(), "Angleterre");
    auto* trophy = WidgetOf<gui::PictureWidget>((*w)("Image8"));
    ASSERT_NE(trophy, nullptr);
    EXPECT_TRUE(trophy->isVisible());
    EXPECT_TRUE(trophy->picture().isVector());
    // Resting on the final shows its stadium in the knockout view's match panel.
    QWidget* finalist = WidgetOf((*w)("FIN", 0));
    QTest::mouseMove(finalist, finalist->rect().center());
    EXPECT_EQ((*w)("LabTer", 3).Caption(), "Berlin");
    EXPECT_TRUE(WidgetOf<gui::PictureWidget>((*w)("Terrain", 11))->picture().isVector());
    ASSERT_TRUE(gui_testing::SaveScreenshot(window(), "knockout_view.png"));
}

// Every picture the designs name is our own drawing, found and drawn: the flags in their colours, the
// channel badges of the day's matches, the stadium of the match under the pointer.
TEST_F(MainWindowTest, TheDesignPicturesAreDrawn) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE((*w)("Frame21").Visible());
    EXPECT_TRUE(WidgetOf<gui::PictureWidget>((*w)("Image19"))->picture().isVector());
    ASSERT_TRUE(gui_testing::SaveScreenshot(window(), "first_use.png"));
    passFirstUsePanel();
    auto picture = [&](const char* name, int index = -1) {
        auto* widget = WidgetOf<gui::PictureWidget>((*w)(name, index));
        return widget ? widget->picture() : gui::Picture();
    };
    std::vector<std::pair<const char*, int>> designed = {
        {"Image6", -1}, {"Image8", -1}, {"Image17", -1}, {"Image11", -1}, {"Image19", -1}, {"Image2", -1},
        {"Image3", -1}, {"Image5", -1}, {"Image14", -1}, {"Image21", -1}, {"Image18", 0},  {"Image18", 1},
        {"ico", 0},     {"ico", 1},     {"Terrain", 13}, {"ImChaine", 9},
    };
    for (int i = 0; i <= 2; ++i) designed.emplace_back("lang", i);
    for (int i = 0; i <= 9; ++i) designed.emplace_back("ImChaine", i);
    for (int i = 0; i <= 9; ++i) designed.emplace_back("Terrain", i);
    for (int i = 1; i <= 7; ++i) designed.emplace_back("Image10", i);
    for (const auto& [name, index] : designed) EXPECT_TRUE(picture(name, index).isVector()) << name << index;
    for (const char* name : {"Command1", "Command3", "Command6", "Command21", "Command26"}) {
        auto* button = WidgetOf<gui::PictureButton>((*w)(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_FALSE(button->pictureRect().isEmpty()) << name;
        // The caption stands below its picture, inside the button.
        EXPECT_LE(button->pictureRect().bottom(), button->height() - button->fontMetrics().height()) << name;
    }

    // The French flag: blue, white, red from left to right.
    const QImage flag = WidgetOf((*w)("lang", 0))->grab().toImage();
    const int y = flag.height() / 2;
    EXPECT_GT(flag.pixelColor(flag.width() / 6, y).blue(), 150);
    EXPECT_GT(flag.pixelColor(flag.width() / 2, y).lightness(), 240);
    EXPECT_GT(flag.pixelColor(flag.width() * 5 / 6, y).red(), 200);

    // The advertised picture, as a player with a pseudonym sees it: at its place, beside the buttons.
    (*w)("Image14").setVisible(true);
    QWidget* advert = WidgetOf((*w)("Image14"));
    EXPECT_EQ(advert->geometry(), QRect(665, 29, 160, 15));
    EXPECT_EQ(window()->childAt(advert->geometry().center()), advert);

    // The day's matches show their channels' badges.
    Control& day = (*w)("Frame18");
    if (!day.Visible()) QTest::mouseClick(WidgetOf((*w)("Command15")), Qt::LeftButton);
    ASSERT_TRUE(day.Visible());
    (*w)("Combo4").setText("06");
    (*w)("Combo3").setText("20");
    ASSERT_EQ((*w)("LabCAL", 3).Caption().substr(0, 5), "21:00");
    // MUC and FRA on beIN alone, which has no badge; ARE on M6.
    EXPECT_TRUE(picture("RepIm", 3).isVector());
    EXPECT_TRUE(WidgetOf((*w)("RepIm", 3))->isVisible());
    ASSERT_TRUE(gui_testing::SaveScreenshot(window(), "calendar.png"));

    // Resting on Germany - Scotland: Munich, its stadium and its channel. (The pointer goes where no other
    // test leaves it: a move to the pointer's last place sends no event.)
    QWidget* fixture = WidgetOf((*w)("lm", 0));
    QTest::mouseMove(fixture, fixture->rect().center() + QPoint(5, 1));
    EXPECT_EQ((*w)("LabTer", 0).Caption(), "Munich");
    auto* stadium = WidgetOf<gui::PictureWidget>((*w)("Terrain", 10));
    EXPECT_TRUE(stadium->isVisible());
    EXPECT_TRUE(stadium->picture().isVector());
    EXPECT_EQ((*w)("Terrain", 10).Picture(), (*w)("Terrain", 7).Picture());
    EXPECT_TRUE(WidgetOf((*w)("ImChaine", 1))->isVisible());
    ASSERT_TRUE(gui_testing::SaveScreenshot(window(), "match_panel.png"));

    // The update confirmation shows the current edition's emblem.
    zenkor::FREC confirmation(*w);
    confirmation.show();
    EXPECT_TRUE(WidgetOf<gui::PictureWidget>(confirmation("Image2"))->picture().isVector());
    ASSERT_TRUE(
        gui_testing::SaveScreenshot(gui_testing::ViewOf(confirmation).window(), "update_confirmation.png"));
    confirmation.unload();
}

// "Stats", "Tableau" and "Mise à jour" open their windows tied to the main window and over it (centred,
// kept inside the screen, which offscreen is smaller than the main window), so that a window manager
// keeps them there.
TEST_F(MainWindowTest, TheSecondaryWindowsOpenOverTheMainWindow) {
    ASSERT_NO_FATAL_FAILURE(start());
    window()->move(0, 0);
    const auto expectOver = [this](platform::Form& form) {
        QWidget* secondary = gui_testing::ViewOf(form).window();
        ASSERT_NE(secondary->windowHandle(), nullptr) << form.name();
        EXPECT_EQ(secondary->windowHandle()->transientParent(), window()->windowHandle()) << form.name();
        EXPECT_TRUE(window()->frameGeometry().contains(secondary->geometry()))
            << form.name() << " at " << secondary->x() << "," << secondary->y();
    };
    (*w)("Command21").raiseClick();
    ASSERT_NE(zenkor::CurrentStats(), nullptr);
    expectOver(*zenkor::CurrentStats());
    (*w)("Command13").raiseClick();
    ASSERT_NE(zenkor::CurrentImpress(), nullptr);
    expectOver(*zenkor::CurrentImpress());
    bool checked = false;
    QTimer::singleShot(0, [&] {
        zenkor::FREC* frec = zenkor::CurrentUpdateConfirmation();
        ASSERT_NE(frec, nullptr);
        expectOver(*frec);
        checked = true;
        (*frec)("Command2").raiseClick();
    });
    (*w)("Command8").raiseClick();  // returns when the confirmation window is closed
    EXPECT_TRUE(checked);
    zenkor::ReleaseSheets();
}

TEST_F(MainWindowTest, CompactModeShrinksTheWindowAndKeepsThePlaces) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(w->exists("A", 4));
    ASSERT_TRUE(w->exists("Command14"));
    const int fullWidth = window()->width();
    // "Aide", then "Passer en mode réduit" in the help panel.
    QTest::mouseClick(WidgetOf((*w)("Command6")), Qt::LeftButton);
    ASSERT_TRUE(WidgetOf((*w)("Command14"))->isVisible());
    passFirstUsePanel();
    ASSERT_TRUE(gui_testing::SaveScreenshot(window(), "help.png"));
    QTest::mouseClick(WidgetOf((*w)("Command14")), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(w->displayScale(), 0.85);
    EXPECT_EQ((*w)("A", 4).Top(), 1635);
    EXPECT_EQ(WidgetOf((*w)("A", 4))->y(), 93);
    EXPECT_LT(window()->width(), fullWidth);
    ASSERT_TRUE(gui_testing::SaveScreenshot(window(), "main_window_compact.png"));
}

TEST_F(MainWindowTest, ShowsTheShippedEditionInFrenchThenInEnglishAndSpanishAfterAClickOnTheirFlags) {
    ASSERT_NO_FATAL_FAILURE(start());
    passFirstUsePanel();
    EXPECT_EQ((*w)("A", 1).Text(), "Allemagne");
    EXPECT_EQ((*w)("F", 4).Text(), "République tchèque");
    EXPECT_EQ((*w)("Frame1").Caption(), "Groupe A");
    EXPECT_EQ((*w)("Command1").Caption(), "Phase Finale");

    QTest::mouseClick(WidgetOf((*w)("lang", 1)), Qt::LeftButton);
    EXPECT_EQ(w->sage, 1);
    EXPECT_EQ((*w)("Frame1").Caption(), "Group A");
    EXPECT_EQ((*w)("Command1").Caption(), "Knockout Stage");
    EXPECT_EQ(WidgetOf<QPushButton>((*w)("Command1"))->text().toStdString(), "Knockout Stage");
    EXPECT_EQ((*w)("A", 1).Text(), "Allemagne");  // team names are the edition's data
    ASSERT_TRUE(gui_testing::SaveScreenshot(window(), "main_window_english.png"));

    QTest::mouseClick(WidgetOf((*w)("lang", 2)), Qt::LeftButton);
    EXPECT_EQ(w->sage, 2);
    EXPECT_EQ((*w)("Command6").Caption(), "Ayuda");
    ASSERT_TRUE(gui_testing::SaveScreenshot(window(), "main_window_spanish.png"));
}

TEST_F(MainWindowTest, TheQualifiersViewCoversTheGroups) {
    if (std::filesystem::exists(std::filesystem::path(ZENKOR_DATA_DIR) / "Elim2024.ini"))
        sandbox.copyDataFile("Elim2024.ini");
    ASSERT_NO_FATAL_FAILURE(start());
    passFirstUsePanel();
    zenkor::Command26_Click(*w);
    ASSERT_TRUE((*w)("FraElim").Visible());
    QWidget* qualifiers = WidgetOf((*w)("FraElim"));
    QWidget* top = window()->childAt(WidgetOf((*w)("Frame1"))->geometry().center());
    EXPECT_TRUE(top == qualifiers || qualifiers->isAncestorOf(top));
    ASSERT_TRUE(gui_testing::SaveScreenshot(window(), "qualifiers_view.png"));
}

TEST_F(MainWindowTest, QuitterUnloadsTheWindowAndEndsTheProgram) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(w->exists("Command5"));
    auto* quit = WidgetOf<QPushButton>((*w)("Command5"));
    ASSERT_NE(quit, nullptr);
    QTimer::singleShot(0, [quit] { QTest::mouseClick(quit, Qt::LeftButton); });
    EXPECT_EQ(QApplication::exec(), 0);  // returns only because the program ended
    EXPECT_TRUE(platform::EndRequested());
    EXPECT_TRUE(w->unloaded());
    EXPECT_EQ(gui::FormView::of(*w), nullptr);
    gui::InstallEndHandler();
}

// Damaged files at start-up: each is reported, kept, and the window still shows sound texts and data.
class DamagedFilesTest : public MainWindowTest {
  protected:
    void restart() {
        if (w && !w->unloaded()) w->unload();
        w.reset();
        gui_testing::FlushDeletes();
        sandbox.dialogs->messages.clear();
        ASSERT_NO_FATAL_FAILURE(start());
    }
    std::vector<std::string> namesEndingWith(const std::string& end) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(sandbox.folder())) {
            const std::string name = entry.path().filename().string();
            if (name.ends_with(end)) names.push_back(name);
        }
        return names;
    }
    void click(const char* button) {
        auto* widget = WidgetOf<QPushButton>((*w)(button));
        ASSERT_NE(widget, nullptr) << button;
        QTest::mouseClick(widget, Qt::LeftButton);
    }
    static std::string garbage(const std::string& head) {
        std::string bytes = head;
        for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 37 + 11) % 256);
        return bytes;
    }
};

// A file that is no text is kept aside under a dated name and the previous save takes its place.
TEST_F(DamagedFilesTest, ABinaryOrUtf16EditionFileIsKeptAsideAndThePreviousSaveComesBack) {
    std::string previous = sandbox.readFile("Zenkor2024.ini");
    const size_t at = previous.find("[ButA]\r\n0=-\r\n");
    ASSERT_NE(at, std::string::npos);
    previous.replace(at, 13, "[ButA]\r\n0=3\r\n");
    std::string utf16 = "\xFF\xFE";
    for (char c : previous) utf16 += std::string{c, '\0'};
    for (const std::string& damaged : {garbage("[ButA]\r\n0=7\r\n"), utf16}) {
        for (const std::string& name : namesEndingWith(".damaged"))
            std::filesystem::remove(sandbox.folder() / name);
        sandbox.writeFile("Zenkor2024.ini.bak", previous);
        sandbox.writeFile("Zenkor2024.ini", damaged);
        ASSERT_NO_FATAL_FAILURE(restart());

        const std::vector<std::string> aside = namesEndingWith(".damaged");
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_TRUE(aside[0].starts_with("Zenkor2024-")) << aside[0];
        EXPECT_EQ(sandbox.readFile(aside[0]), damaged);
        ASSERT_EQ(sandbox.dialogs->messages.size(), 1u);
        const std::string& text = sandbox.dialogs->messages[0].text;
        EXPECT_EQ(
            text,
            "Le fichier Zenkor2024.ini est illisible (ce n'est pas du texte) : il est gardé sous le nom " +
                aside[0] + " et la sauvegarde précédente Zenkor2024.ini.bak le remplace.");
        EXPECT_EQ(sandbox.readFile("Zenkor2024.ini"), previous);
        EXPECT_EQ(WidgetOf<QLineEdit>((*w)("ButA", 0))->text(), "3");
        EXPECT_EQ((*w)("A", 2).Text(), "Écosse");

        ASSERT_NO_FATAL_FAILURE(type((*w)("ButA", 1), "2"));
        ASSERT_NO_FATAL_FAILURE(click("Command3"));
        EXPECT_EQ(sandbox.dialogs->messages.size(), 1u);
        EXPECT_NE(sandbox.readFile("Zenkor2024.ini").find("[ButA]\r\n0=3\r\n1=2\r\n"), std::string::npos);
    }
}

// A DOS end-of-file mark at the end, a form feed or a lone NUL leave an intact file of 110 values as it
// is: the mark ends the file, a stray control byte reads as a blank, and nothing is set aside.
TEST_F(DamagedFilesTest, AStrayControlByteOrAnEndOfFileMarkLeavesEveryValueShown) {
    struct Value {
        std::string section, key, boxes;
        int index;
        std::string text;
    };
    std::vector<Value> values;
    for (int g = 0; g < 6; ++g) {
        const std::string letter(1, static_cast<char>('A' + g));
        for (int i = 0; i < 12; ++i)
            values.push_back(
                {"But" + letter, std::to_string(i), "But" + letter, i, std::to_string((g * 12 + i) % 9)});
        for (int k = 1; k <= 4; ++k)
            values.push_back(
                {"Equip" + letter, std::to_string(k), letter, k, "Équipe " + letter + std::to_string(k)});
    }
    for (int i = 0; i < 14; ++i)
        values.push_back({"But8", std::to_string(i), "Buthui", i, std::to_string(i % 5)});
    ASSERT_EQ(values.size(), 110u);
    std::string file;
    std::string section;
    for (const Value& v : values) {
        if (v.section != section) {
            section = v.section;
            // A page break before the third group's scores, as some editors write it.
            file += (section == "ButC" ? "\f[" : "[") + section + "]\r\n";
        }
        // A NUL after one value in the middle of the file.
        file += v.key + "=" + platform::Utf8ToCp1252(v.text) +
                (v.section == "EquipD" && v.key == "2" ? std::string(1, '\0') : std::string()) + "\r\n";
    }
    std::string withPageBreak = file;
    std::string withNul = file;
    std::string plain = file;
    plain.replace(plain.find('\f'), 1, "");
    plain.replace(plain.find('\0'), 1, "");
    withPageBreak.replace(withPageBreak.find('\0'), 1, "");
    withNul.replace(withNul.find('\f'), 1, "");
    for (const std::string& bytes : {plain + "\x1A", withPageBreak, withNul}) {
        sandbox.writeFile("Zenkor2024.ini", bytes);
        ASSERT_NO_FATAL_FAILURE(restart());
        EXPECT_TRUE(sandbox.dialogs->messages.empty());
        EXPECT_TRUE(namesEndingWith(".damaged").empty());
        int shown = 0;
        for (const Value& v : values) {
            EXPECT_EQ((*w)(v.boxes, v.index).Text(), v.text) << v.section << " " << v.key;
            if ((*w)(v.boxes, v.index).Text() == v.text) ++shown;
        }
        EXPECT_EQ(shown, 110);
        EXPECT_EQ(WidgetOf<QLineEdit>((*w)("D", 2))->text(), QString::fromUtf8("Équipe D2"));
        EXPECT_EQ(WidgetOf<QLineEdit>((*w)("ButC", 0))->text(), "6");
    }
}

// An editor's UTF-8, with or without its mark, reads as UTF-8 and stays so when saved.
TEST_F(DamagedFilesTest, AnEditionFileSavedAsUtf8ShowsItsAccentsAndStaysUtf8) {
    const std::string utf8 = platform::Cp1252ToUtf8(sandbox.readFile("Zenkor2024.ini"));
    for (const std::string mark : {"\xEF\xBB\xBF", ""}) {
        sandbox.writeFile("Zenkor2024.ini", mark + utf8);
        ASSERT_NO_FATAL_FAILURE(restart());
        EXPECT_TRUE(sandbox.dialogs->messages.empty());
        EXPECT_EQ((*w)("A", 2).Text(), "Écosse");
        EXPECT_EQ(WidgetOf<QLineEdit>((*w)("A", 2))->text(), QString::fromUtf8("Écosse"));
        EXPECT_EQ((*w)("Label10").Caption().substr(0, 11), "Bienvenue !");

        ASSERT_NO_FATAL_FAILURE(type((*w)("ButA", 0), "1"));
        ASSERT_NO_FATAL_FAILURE(click("Command3"));
        const std::string saved = sandbox.readFile("Zenkor2024.ini");
        EXPECT_TRUE(saved.starts_with(mark + "[CV]"));
        EXPECT_NE(saved.find("2=\xC3\x89"
                             "cosse\r\n"),
                  std::string::npos);
        EXPECT_NE(saved.find("[ButA]\r\n0=1\r\n"), std::string::npos);
    }
}

// A cut, empty or binary language file is reported like a missing one; the captions the file does not
// give keep the design's French.
TEST_F(DamagedFilesTest, ADamagedLanguageFileIsReportedAndLeavesNoEmptyCaption) {
    const std::string french = sandbox.readFile("langFr.txt");
    std::string cut = french.substr(0, french.size() / 2);
    while (cut.ends_with('\n') || cut.ends_with('\r')) cut.pop_back();
    for (const std::string& damaged : {cut, std::string(), garbage("MSG\\Phase\\1\r\n")}) {
        sandbox.writeFile("langFr.txt", damaged);
        ASSERT_NO_FATAL_FAILURE(restart());
        ASSERT_EQ(sandbox.dialogs->messages.size(), 1u);
        EXPECT_EQ(
            sandbox.dialogs->messages[0].text,
            "Le fichier de langue langFr.txt est endommagé : réinstallez le programme pour le retrouver.");
        EXPECT_EQ((*w)("Command1").Caption(), "Phase Finale");
        EXPECT_EQ(WidgetOf<QPushButton>((*w)("Command1"))->text(), "Phase Finale");
        EXPECT_EQ((*w)("Command9").Caption(), "Phase de Groupes");
        EXPECT_EQ((*w)("Command10").Caption(), "Phase Finale");
        EXPECT_TRUE((*w)("Label15").Caption().ends_with(" buts")) << (*w)("Label15").Caption();
        EXPECT_TRUE((*w)("Label21").Caption().ends_with(" buts")) << (*w)("Label21").Caption();
    }
}

// Closed from its title bar while the bracket sheet stays open, the main window comes back through the
// sheet's close button as a fresh window with its whole start-up; its "Quitter" saves the settings.
TEST_F(MainWindowTest, TheMainWindowShownAgainByTheSheetStartsAfreshAndQuitterSavesTheSettings) {
    ASSERT_NO_FATAL_FAILURE(start());
    passFirstUsePanel();
    QTest::mouseClick(WidgetOf<QPushButton>((*w)("Command13")), Qt::LeftButton);
    zenkor::Impress* sheet = zenkor::CurrentImpress();
    ASSERT_NE(sheet, nullptr);
    window()->close();
    ASSERT_TRUE(w->unloaded());
    EXPECT_EQ(platform::GetSetting(platform::ApplicationName(), "data", "reduit", "<none>"), "0");

    // The file changed meanwhile: the fresh start-up reads it.
    std::string edited = sandbox.readFile("Zenkor2024.ini");
    const size_t at = edited.find("[ButA]\r\n0=-\r\n");
    ASSERT_NE(at, std::string::npos);
    edited.replace(at, 13, "[ButA]\r\n0=2\r\n");
    sandbox.writeFile("Zenkor2024.ini", edited);
    QTest::mouseClick(WidgetOf<QPushButton>((*sheet)("Command1")), Qt::LeftButton);
    zenkor::Zenkor* fresh = zenkor::ReopenedMainWindow();
    ASSERT_NE(fresh, nullptr);
    ASSERT_NE(fresh, w.get());
    ASSERT_NE(gui::FormView::of(*fresh), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(gui_testing::ViewOf(*fresh).window()));
    EXPECT_EQ(WidgetOf<QLineEdit>((*fresh)("ButA", 0))->text(), "2");
    EXPECT_TRUE(fresh->FChargee);
    EXPECT_EQ(fresh->self().Caption(), (*fresh)("Label2").Caption());
    EXPECT_EQ((*fresh)("Label7").Caption(), "Valmirade 2024 Version: 1.0");

    QTest::mouseClick(WidgetOf<QPushButton>((*fresh)("Command14")), Qt::LeftButton);
    ASSERT_TRUE(fresh->compactMode);
    auto* quit = WidgetOf<QPushButton>((*fresh)("Command5"));
    ASSERT_NE(quit, nullptr);
    QTimer::singleShot(0, [quit] { QTest::mouseClick(quit, Qt::LeftButton); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(fresh->unloaded());
    EXPECT_EQ(platform::GetSetting(platform::ApplicationName(), "data", "reduit", "<none>"), "1");
    zenkor::ReleaseMainWindows();
    gui::InstallEndHandler();
}

}  // namespace

namespace {

class MainWindowPanelsTest : public MainWindowTest {
  protected:
    void startWithQualifiers() {
        if (std::filesystem::exists(std::filesystem::path(ZENKOR_DATA_DIR) / "Elim2024.ini"))
            sandbox.copyDataFile("Elim2024.ini");
        ASSERT_NO_FATAL_FAILURE(start());
        passFirstUsePanel();
    }
    // The widget on top at the centre of a control's widget.
    QWidget* topAt(Control& c) {
        QWidget* widget = WidgetOf(c);
        return window()->childAt(widget->mapTo(window(), widget->rect().center()));
    }
};

TEST_F(MainWindowPanelsTest, AClickInTheFixtureListActsOnTheLineClicked) {
    ASSERT_NO_FATAL_FAILURE(startWithQualifiers());
    zenkor::Command26_Click(*w);
    zenkor::bTNgrp_Click(*w, 0);
    Control& fixtures = (*w)("List7");
    auto* list = WidgetOf<QListWidget>(fixtures);
    ASSERT_NE(list, nullptr);
    ASSERT_GE(list->count(), 4);
    for (int row : {1, 3}) {
        const QRect line = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
        QTest::qWait(QApplication::doubleClickInterval() + 50);  // two clicks, not a double-click
        EXPECT_EQ(fixtures.ListIndex(), row);
        const std::string text = fixtures.List(row);
        const auto teams = platform::Split(platform::Mid(text, 12), " - ");
        ASSERT_EQ(teams.size(), 2u) << text;
        int highlighted = 0;
        for (int x = 0; x <= 58; x += 2) {
            if ((*w)("EquiElim", x).BackColor() == platform::kWhite) continue;
            ++highlighted;
            EXPECT_EQ((*w)("EquiElim", x).Text(), teams[0]);
            EXPECT_EQ((*w)("EquiElim", x + 1).Text(), teams[1]);
        }
        EXPECT_EQ(highlighted, 1) << text;
    }
}

TEST_F(MainWindowPanelsTest, TheQualifiersBoardStandsInFrontOfTheHistoryPanel) {
    ASSERT_NO_FATAL_FAILURE(startWithQualifiers());
    zenkor::Command11_Click(*w);
    Control& editions = (*w)("Combo1");
    int year2024 = -1;
    for (int i = 0; i < editions.ListCount(); ++i)
        if (editions.List(i) == "2024") year2024 = i;
    ASSERT_GE(year2024, 1);
    editions.setListIndex(year2024);
    zenkor::Command12_Click(*w);
    ASSERT_TRUE((*w)("Command26").Enabled());
    zenkor::Command26_Click(*w);
    ASSERT_TRUE((*w)("FraHisto").Visible());
    ASSERT_TRUE((*w)("FraElim").Visible());
    QWidget* board = WidgetOf((*w)("Frame8"));
    QWidget* top = topAt((*w)("QUALIF", 0));
    EXPECT_TRUE(top == board || board->isAncestorOf(top)) << (top ? top->objectName().toStdString() : "");
    ASSERT_TRUE(gui_testing::SaveScreenshot(window(), "qualifiers_after_history.png"));
}

TEST_F(MainWindowPanelsTest, AMatchHoveredAgainAfterTheBackgroundShowsItsInformation) {
    ASSERT_NO_FATAL_FAILURE(start());
    passFirstUsePanel();
    QWidget* fixture = WidgetOf((*w)("lm", 0));
    ASSERT_NE(fixture, nullptr);
    const QPoint background(2, WidgetOf((*w)("Frame1"))->geometry().center().y());
    ASSERT_EQ(window()->childAt(background), nullptr);
    QTest::mouseMove(fixture, fixture->rect().center());
    const std::string city = (*w)("LabTer", 0).Caption();
    ASSERT_FALSE(city.empty());
    QTest::mouseMove(window(), background);
    EXPECT_EQ((*w)("LabTer", 0).Caption(), "");
    QTest::mouseMove(fixture, fixture->rect().center() + QPoint(1, 0));
    EXPECT_EQ((*w)("LabTer", 0).Caption(), city);
    EXPECT_TRUE((*w)("Shape1").Visible());
}

// What a user can read of a control: its caption or text and its tooltip.
using Texts = std::map<std::string, std::string>;

Texts ReadableTexts(platform::Form& w) {
    Texts texts;
    for (Control* c : w.controls()) {
        if (c->kind() == platform::Kind::Timer || c->kind() == platform::Kind::ListBox) continue;
        if (!c->Caption().empty()) texts[c->displayName() + " text"] = c->Caption();
        if (!c->ToolTipText().empty()) texts[c->displayName() + " tooltip"] = c->ToolTipText();
    }
    return texts;
}

// Controls whose content is the edition's data (team names, scores, fixtures) or a name that is the same
// in every language.
bool IsDataOrName(const Control& c) {
    // The bracket sheet's boxes and the statistics podium hold teams; the sheet's link shows the site.
    if (c.form().name() != "Zenkor") {
        static const std::set<std::string> sheets = {"T8", "T4", "T2", "TF", "RESULT", "Vainq"};
        return sheets.contains(c.name()) || (c.form().name() == "Impress" && c.name() == "Label1");
    }
    static const std::set<std::string> data = {
        // teams and scores of the groups and the knockout stage, the podium
        "A", "B", "C", "D", "E", "F", "lm", "lmB", "lmC", "lmD", "lmE", "lmF", "Huit", "Qua", "DEM", "FIN",
        "pf", "pod", "Text1", "LabTer",
        // the qualifiers' teams, fixtures, board and play-offs
        "EquiElim", "NEElim", "QUALIF", "BAR", "QuaBar", "ELIMGRP", "bTNgrp",
        // the matches of the day, the TV channels, the site's address and name, the language names
        "LabCAL", "ImChaine", "RepIm", "Label9", "Image2", "Image5", "Lablien", "lang"};
    if (data.contains(c.name())) return true;
    // The qualifier table's rows below its headings hold teams and numbers.
    return c.name().starts_with("Sort") && c.index() >= 1 && c.index() <= 6;
}

bool HasLetters(const std::string& s) {
    for (unsigned char ch : s) {
        if (std::isalpha(ch) || ch >= 0x80) return true;
    }
    return false;
}

// Texts still equal to the French ones, by control.
std::set<std::string> FrenchLeftovers(platform::Form& w, const Texts& french) {
    std::set<std::string> left;
    const Texts now = ReadableTexts(w);
    for (Control* c : w.controls()) {
        if (IsDataOrName(*c)) continue;
        for (const char* what : {" text", " tooltip"}) {
            const std::string key = c->displayName() + what;
            auto fr = french.find(key);
            auto current = now.find(key);
            if (fr == french.end() || current == now.end() || !HasLetters(fr->second)) continue;
            if (current->second == fr->second) {
                const std::string window = w.name() == "Zenkor" ? "" : w.name() + ".";
                left.insert(window + key + ": " + fr->second);
            }
        }
    }
    return left;
}

// Texts that stay as they are in every language: a name, a word English shares, the version line start-up
// writes, the goal totals of two panels that nothing shows, and buttons hidden for good.
const std::set<std::string> kSameInEveryLanguage = {
    "Label6(4) text: Dastinor",
    "Command21 text: Stats",
    "Label7 text: Valmirade 2024 Version: 1.0",
    "Label15 text:  buts",
    "Label21 text:  buts",
    "Command29 text: Command29",
    "Command30(0) text: Command30",
    "Command30(1) text: Command30",
};

// Switched to English and to Spanish by clicks on the language choices, the window keeps nothing French.
TEST_F(MainWindowTest, NoFrenchTextStaysInEnglishOrSpanish) {
    ASSERT_NO_FATAL_FAILURE(start());
    // The main window, the statistics window and the bracket sheet, each opened anew.
    auto windows = [&]() -> std::vector<platform::Form*> {
        zenkor::ReleaseSheets();
        (*w)("Command21").raiseClick();
        (*w)("Command13").raiseClick();
        return {w.get(), zenkor::CurrentStats(), zenkor::CurrentImpress()};
    };
    std::map<std::string, Texts> french;
    for (platform::Form* form : windows()) french[form->name()] = ReadableTexts(*form);
    for (int language : {1, 2}) {
        QTest::mouseClick(WidgetOf((*w)("lang", language)), Qt::LeftButton);
        ASSERT_EQ(w->sage, language);
        std::set<std::string> left;
        for (platform::Form* form : windows()) left.merge(FrenchLeftovers(*form, french[form->name()]));
        for (const std::string& allowed : kSameInEveryLanguage) left.erase(allowed);
        std::string list;
        for (const std::string& entry : left) list += "\n  " + entry;
        EXPECT_TRUE(left.empty()) << "still French in language " << language << ":" << list;
    }
    zenkor::ReleaseSheets();
}

}  // namespace
