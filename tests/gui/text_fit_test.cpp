// Every window and panel opened in French, English and Spanish, offscreen, in the real widgets: each caption,
// label, button, box text and list line must fit its control at its own font.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/edition_files.h"
#include "app/language.h"
#include "app/main_window.h"
#include "app/panels.h"
#include "assembly/startup.h"
#include "gui/qt_runtime.h"
#include "gui/widgets.h"
#include "online/online.h"
#include "qualifiers/qualifiers.h"
#include "sheets/sheet_windows.h"
#include "sheets/sheets.h"
#include "tests/gui/gui_support.h"
#include "tests/support/fakes.h"

using platform::Control;

namespace {

// Why a control's text does not fit, or "" when it does.
std::string Overflow(QWidget* widget, const std::string& text) {
    const QFontMetrics fm(widget->font());
    const QString t = QString::fromStdString(text);
    auto describe = [](int need, int room, const char* what) {
        return "needs " + std::to_string(need) + " px of " + what + ", has " + std::to_string(room);
    };
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        const QRect room = label->contentsRect();
        const QRect need = fm.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, t);
        if (need.width() > room.width()) return describe(need.width(), room.width(), "width");
        if (need.height() > room.height()) return describe(need.height(), room.height(), "height");
        return {};
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        // The room the style draws the caption in, beside the picture when there is one.
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = t;
        int room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
        if (!button->icon().isNull()) room -= button->iconSize().width() + 4;
        const int need = fm.horizontalAdvance(t);
        return need > room ? describe(need, room, "width") : std::string();
    }
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        const int need = box->sizeHint().width();
        return need > box->width() ? describe(need, box->width(), "width") : std::string();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        // The box's own frame and its two-pixel inner margins.
        const int room = edit->contentsRect().width() - edit->textMargins().left() -
                         edit->textMargins().right() - 2 * (edit->hasFrame() ? 3 : 2);
        const int need = fm.horizontalAdvance(t);
        return need > room ? describe(need, room, "width") : std::string();
    }
    if (qobject_cast<gui::FrameWidget*>(widget)) {
        const int need = fm.horizontalAdvance(t) + 6 + 4;
        return need > widget->width() ? describe(need, widget->width(), "width") : std::string();
    }
    return {};
}

// Every text on screen in the form's window that does not fit its control.
std::vector<std::string> CutTexts(platform::Form& form) {
    std::vector<std::string> cut;
    gui::FormView& view = gui_testing::ViewOf(form);
    for (Control* c : form.controls()) {
        QWidget* widget = view.widget(*c);
        if (widget == nullptr || !widget->isVisibleTo(view.window())) continue;
        if (auto* list = qobject_cast<QListWidget*>(widget)) {
            const QFontMetrics fm(list->font());
            for (const std::string& item : c->items()) {
                const int need = fm.horizontalAdvance(QString::fromStdString(item)) + 6;
                if (need > list->viewport()->width())
                    cut.push_back(c->displayName() + " line \"" + item + "\": needs " + std::to_string(need) +
                                  " px, has " + std::to_string(list->viewport()->width()));
            }
            continue;
        }
        if (c->kind() == platform::Kind::TextBox && c->MultiLine()) continue;
        if (c->Caption().empty()) continue;
        const std::string why = Overflow(widget, c->Caption());
        if (!why.empty()) cut.push_back(c->displayName() + " \"" + c->Caption() + "\": " + why);
    }
    return cut;
}

// A language, and compact mode on or off.
class TextFitTest : public ::testing::TestWithParam<std::tuple<int, bool>> {
  protected:
    TextFitTest() {
        for (const char* file : {"Zenkor2024.ini", "Zenkor2016.ini", "Zenkor2020.ini", "Elim2024.ini",
                                 "langFr.txt", "langEn.txt", "langSp.txt"})
            sandbox.copyDataFile(file);
        gui::InstallViewFactory();
        gui::InstallEventPump();
        w = std::make_unique<zenkor::Zenkor>();
        w->show();
        zenkor::lang_Click(*w, std::get<0>(GetParam()));
        if (std::get<1>(GetParam())) zenkor::Command14_Click(*w);
    }
    ~TextFitTest() override {
        zenkor::ReleaseSheets();
        if (!w->unloaded()) w->unload();
        w.reset();
        gui_testing::FlushDeletes();
    }

    // Looks at the form as it is now; what is cut is reported under the view's name, and a screenshot
    // of it is kept under the language's name.
    void look(platform::Form& form, const std::string& view) {
        QWidget* window = gui_testing::ViewOf(form).window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << view;
        for (const std::string& entry : CutTexts(form)) cut.insert(view + ": " + entry);
        const int language = std::get<0>(GetParam());
        std::string file = std::string(language == 0   ? "fr"
                                       : language == 1 ? "en"
                                                       : "es") +
                           (std::get<1>(GetParam()) ? "_compact_" : "_") + view + ".png";
        for (char& c : file) {
            if (c == ' ') c = '_';
        }
        EXPECT_TRUE(gui_testing::SaveScreenshot(window, file));
    }
    void showOnly(const char* panel) {
        for (const char* other : {"Frame9", "Fraide", "FraElim", "FraHisto", "Frame18", "Frame21", "Frame20"})
            (*w)(other).setVisible(false);
        if (panel != nullptr) (*w)(panel).setVisible(true);
    }

    gui_testing::KeepModuleData moduleData;
    testing_support::Sandbox sandbox;
    std::unique_ptr<zenkor::Zenkor> w;
    std::set<std::string> cut;
};

TEST_P(TextFitTest, EveryTextFitsItsControl) {
    zenkor::Zenkor& m = *w;
    ASSERT_NO_FATAL_FAILURE(look(m, "start-up"));  // groups, matches of the day, first use

    // A day without matches shows its two message lines; the last day of the groups has four matches
    // with the longest names.
    m("Frame18").setVisible(true);
    m("Combo3").setText("13");
    ASSERT_NO_FATAL_FAILURE(look(m, "day without matches"));
    m("Combo3").setText("26");
    ASSERT_EQ(m("LabCAL", 3).Caption(), "21:00 République tchèque Vs Turquie");
    ASSERT_NO_FATAL_FAILURE(look(m, "day of four matches"));
    // The match panel with the longest city and date.
    const std::string longest = "ARE(TF1) 26/06/24 21:00";
    m("LabInfo").setCaption(longest);
    ASSERT_NO_FATAL_FAILURE(look(m, "match information"));

    showOnly(nullptr);
    m("Command1").raiseClick();
    m("LabInfo").setCaption("");
    m("LabInfo").setCaption(longest);
    ASSERT_NO_FATAL_FAILURE(look(m, "knockout view"));
    m("Command1").raiseClick();

    showOnly("Fraide");
    ASSERT_NO_FATAL_FAILURE(look(m, "help"));

    showOnly(nullptr);
    zenkor::Command26_Click(m);
    ASSERT_TRUE(m("FraElim").Visible());
    // The hover status with the longest team name of the qualifiers and each of its texts.
    Control& status = m("SortRang", 7);
    status.setVisible(true);
    for (const std::string& text :
         {zenkor::Message(20), zenkor::Message(22), ": " + m("Label17", 5).Caption()}) {
        status.setText("Liechtenstein" + text);
        ASSERT_NO_FATAL_FAILURE(look(m, "qualifiers"));
    }

    showOnly("FraHisto");
    ASSERT_NO_FATAL_FAILURE(look(m, "history"));
    for (const char* year : {"2016", "2020"}) {
        m("Combo1").setListIndex(year[3] == '6' ? 5 : 6);
        zenkor::Command12_Click(m);
        ASSERT_NO_FATAL_FAILURE(look(m, std::string("edition ") + year));
        // Real group results: the teams out after the groups carry their suffix in the ranking.
        m("Command21").raiseClick();
        ASSERT_NO_FATAL_FAILURE(look(*zenkor::CurrentStats(), std::string("statistics ") + year));
    }
    zenkor::Command4_Click(m);

    showOnly("Frame20");
    ASSERT_NO_FATAL_FAILURE(look(m, "update preparation"));
    showOnly(nullptr);

    m("Command21").raiseClick();
    ASSERT_NO_FATAL_FAILURE(look(*zenkor::CurrentStats(), "statistics"));
    m("Command13").raiseClick();
    ASSERT_NO_FATAL_FAILURE(look(*zenkor::CurrentImpress(), "bracket sheet"));

    // The file an update brings from the site: its news, the whole tournament in the statistics and the
    // bracket sheet.
    std::filesystem::copy_file(std::filesystem::path(ZENKOR_DATA_DIR) / "site" / "Zenkor2024.ini",
                               sandbox.folder() / "Zenkor2024.ini",
                               std::filesystem::copy_options::overwrite_existing);
    zenkor::Command4_Click(m);
    ASSERT_NO_FATAL_FAILURE(look(m, "updated edition"));
    m("Command21").raiseClick();
    ASSERT_NO_FATAL_FAILURE(look(*zenkor::CurrentStats(), "statistics after the update"));
    m("Command13").raiseClick();
    ASSERT_NO_FATAL_FAILURE(look(*zenkor::CurrentImpress(), "bracket sheet after the update"));

    zenkor::FREC confirmation(m);
    confirmation.show();
    ASSERT_NO_FATAL_FAILURE(look(confirmation, "update confirmation"));
    confirmation.unload();

    std::string list;
    for (const std::string& entry : cut) list += "\n  " + entry;
    EXPECT_TRUE(cut.empty()) << "cut off:" << list;
}

INSTANTIATE_TEST_SUITE_P(Languages, TextFitTest,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Bool()),
                         [](const auto& info) {
                             const int language = std::get<0>(info.param);
                             return std::string(language == 0   ? "French"
                                                : language == 1 ? "English"
                                                                : "Spanish") +
                                    (std::get<1>(info.param) ? "Compact" : "");
                         });

}  // namespace
