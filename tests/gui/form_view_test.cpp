// A small form of every kind of control, shown offscreen and driven with real key and mouse events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui/qt_runtime.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "tests/gui/gui_support.h"

using gui_testing::WidgetOf;
using platform::Control;
using platform::Form;
using platform::Kind;

namespace {

class FormViewTest : public ::testing::Test {
  protected:
    FormViewTest() : form("Essai") {
        gui::InstallQtRuntime();  // a sandbox of another test may have put the headless services back
        form.self().setCaption("Essai");
        form.self().move(0, 0, 9000, 6000);
    }
    ~FormViewTest() override {
        if (!form.unloaded()) form.unload();
        gui_testing::FlushDeletes();
    }

    void showForm() {
        form.show();
        ASSERT_NE(gui::FormView::of(form), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window()));
        window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window()));
    }
    QWidget* window() { return gui_testing::ViewOf(form).window(); }

    Control& box(const char* name, int index, int left, int top) {
        Control& c = form.add(Kind::TextBox, name, index);
        c.move(left, top, 900, 300);
        return c;
    }

    Form form;
};

// A score box drops the "-" placeholder, as the group boxes do.
void DropPlaceholder(Control& c, std::vector<std::string>& seen) {
    seen.push_back(c.Text());
    if (c.Text().size() > 1 && c.Text().find('-') != std::string::npos)
        c.setText(platform::Replace(c.Text(), "-", ""));
}

TEST_F(FormViewTest, TypingSetsTheTextOnceAndAHandlerRewriteDoesNotEcho) {
    Control& score = box("But", 0, 150, 150);
    score.setText("-");
    std::vector<std::string> seen;
    score.Change = [&] { DropPlaceholder(score, seen); };
    showForm();
    auto* edit = WidgetOf<QLineEdit>(score);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "-");

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, "3");
    EXPECT_EQ(score.Text(), "3");
    EXPECT_EQ(edit->text(), "3");
    // One Change for the keystroke, one for the handler's own rewrite; nothing echoed from the widget.
    EXPECT_EQ(seen, (std::vector<std::string>{"-3", "3"}));

    QTest::keyClicks(edit, "1");
    EXPECT_EQ(score.Text(), "31");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(score.Text(), "3");
    EXPECT_EQ(seen, (std::vector<std::string>{"-3", "3", "31", "3"}));
    // The model knows where the caret is.
    EXPECT_EQ(score.SelStart(), 1);
}

TEST_F(FormViewTest, ASelectionMadeOnMouseDownIsReplacedByTheNextKeystroke) {
    Control& score = box("But", 0, 150, 150);
    score.setText("12");
    std::vector<int> buttons, shifts;
    score.MouseDown = [&](int button, int shift, float, float) {
        buttons.push_back(button);
        shifts.push_back(shift);
        score.setSelStart(0);
        score.setSelLength(platform::Len(score.Text()));
    };
    showForm();
    auto* edit = WidgetOf<QLineEdit>(score);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 3, edit->height() / 2));
    EXPECT_EQ(edit->selectedText(), "12");
    QTest::keyClicks(edit, "4");
    EXPECT_EQ(score.Text(), "4");

    QTest::mouseClick(edit, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(3, 3));
    EXPECT_EQ(buttons, (std::vector<int>{1, 2}));
    EXPECT_EQ(shifts, (std::vector<int>{0, 3}));
}

TEST_F(FormViewTest, KeyPressMaySwallowOrReplaceTheKey) {
    Control& name = box("Nom", -1, 150, 150);
    name.KeyPress = [](int& key) {
        if (key == 'x') key = 0;
        if (key == 'a') key = 'b';
        if (key == 'e') key = 0xE9;  // é
    };
    showForm();
    auto* edit = WidgetOf<QLineEdit>(name);
    QTest::keyClicks(edit, "axce");
    EXPECT_EQ(name.Text(), "bcé");
    EXPECT_EQ(edit->text(), "bcé");
}

TEST_F(FormViewTest, TheViewFollowsEveryModelWrite) {
    Control& frame = form.add(Kind::Frame, "Cadre");
    frame.setCaption("Groupe A");
    frame.move(150, 150, 4500, 3000);
    Control& label = form.add(Kind::Label, "Lab", 0, &frame);
    label.move(300, 450, 1500, 300);
    label.setCaption("Equipe");
    Control& list = form.add(Kind::ListBox, "Liste");
    list.move(4800, 150, 1500, 1200);
    showForm();
    auto* text = WidgetOf<QLabel>(label);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->parentWidget(), WidgetOf(frame));
    EXPECT_EQ(text->geometry(), QRect(20, 30, 100, 20));

    label.setCaption("Suisse");
    label.setLeft(600);
    label.setForeColor(255);
    label.setBackColor(platform::RGB(255, 242, 171));
    label.setFontBold(true);
    label.setFontSize(12);
    label.setToolTipText("<b>pas du balisage</b>");
    EXPECT_EQ(text->text(), "Suisse");
    EXPECT_EQ(text->x(), 40);
    EXPECT_EQ(text->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(text->palette().color(QPalette::Window), QColor(255, 242, 171));
    EXPECT_TRUE(text->font().bold());
    EXPECT_EQ(text->font().pixelSize(), 16);
    EXPECT_TRUE(text->toolTip().contains("&lt;b&gt;"));

    label.setVisible(false);
    EXPECT_FALSE(text->isVisible());
    frame.setVisible(false);
    label.setVisible(true);
    EXPECT_FALSE(text->isVisible());  // its frame is hidden
    frame.setVisible(true);
    EXPECT_TRUE(text->isVisible());

    // Members created at run time appear, hidden until shown, like their model.
    Control* second = form.load("Lab", 1);
    ASSERT_NE(second, nullptr);
    auto* copy = WidgetOf<QLabel>(*second);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text(), "Suisse");
    EXPECT_FALSE(copy->isVisible());
    second->setTop(900);
    second->setVisible(true);
    EXPECT_TRUE(copy->isVisible());
    EXPECT_EQ(copy->y(), 60);
    EXPECT_TRUE(form.unloadMember("Lab", 1));
    EXPECT_EQ(gui_testing::ViewOf(form).widget(label), text);

    list.AddItem("Italie");
    list.AddItem("Albanie");
    auto* items = WidgetOf<QListWidget>(list);
    ASSERT_EQ(items->count(), 2);
    list.setListIndex(1);
    EXPECT_EQ(items->currentRow(), 1);

    form.self().setCaption("Nouveau titre");
    EXPECT_EQ(window()->windowTitle(), "Nouveau titre");
}

TEST_F(FormViewTest, CompactModeScalesTheDisplayButNotTheModel) {
    Control& team = box("A", 4, 3270, 1635);
    showForm();
    auto* edit = WidgetOf<QLineEdit>(team);
    EXPECT_EQ(edit->y(), 109);
    EXPECT_EQ(edit->font().pixelSize(), 11);
    form.setDisplayScale(0.85);
    EXPECT_EQ(team.Top(), 1635);
    EXPECT_EQ(edit->y(), 93);  // 1635 twips * 0.85 / 15
    EXPECT_EQ(edit->font().pixelSize(), 9);
    EXPECT_EQ(window()->width(), 510);
    form.setDisplayScale(1.0);
    EXPECT_EQ(edit->y(), 109);
}

TEST_F(FormViewTest, LabelsAndPicturesLieBeneathWindowedControls) {
    Control& front = form.add(Kind::Frame, "Devant");
    front.move(150, 150, 3000, 3000);
    Control& back = form.add(Kind::Frame, "Derriere");
    back.move(1500, 1500, 3000, 3000);
    Control& hotspot = form.add(Kind::Label, "Label12");
    hotspot.move(0, 0, 6000, 6000);
    hotspot.setBackStyle(platform::BackStyle::Transparent);
    showForm();
    const QPoint overlap(120, 120);
    EXPECT_EQ(window()->childAt(overlap), WidgetOf(back));  // created later, on top
    front.ZOrderFront();
    EXPECT_EQ(window()->childAt(overlap), WidgetOf(front));
    EXPECT_EQ(window()->childAt(QPoint(380, 20)), WidgetOf(hotspot));  // only where nothing windowed is
    // Added at run time, a label still lies beneath the frames, above the older label.
    Control& late = form.add(Kind::Label, "Tard");
    late.move(0, 0, 9000, 6000);
    EXPECT_EQ(window()->childAt(overlap), WidgetOf(front));
    EXPECT_EQ(window()->childAt(QPoint(380, 20)), WidgetOf(late));
}

TEST_F(FormViewTest, MouseMovesReachOnlyTheInnermostControl) {
    Control& frame = form.add(Kind::Frame, "Cadre");
    frame.move(1500, 1500, 4500, 3000);
    Control& label = form.add(Kind::Label, "Lab", -1, &frame);
    label.move(1500, 1500, 1500, 600);
    std::vector<std::string> moves;
    frame.MouseMove = [&](int, int, float, float) { moves.push_back("frame"); };
    label.MouseMove = [&](int, int, float x, float y) {
        moves.push_back("label " + std::to_string(static_cast<int>(x)) + "," +
                        std::to_string(static_cast<int>(y)));
    };
    form.MouseMove = [&](int, int, float, float) { moves.push_back("form"); };
    showForm();

    QTest::mouseMove(WidgetOf(label), QPoint(10, 4));
    ASSERT_EQ(moves, (std::vector<std::string>{"label 150,60"}));
    moves.clear();
    QTest::mouseMove(WidgetOf(frame), QPoint(250, 150));
    EXPECT_EQ(moves, (std::vector<std::string>{"frame"}));
    moves.clear();
    QTest::mouseMove(window(), QPoint(20, 20));
    EXPECT_EQ(moves, (std::vector<std::string>{"form"}));
}

TEST_F(FormViewTest, ClicksReachButtonsLabelsBoxesAndLists) {
    std::vector<std::string> events;
    Control& button = form.add(Kind::CommandButton, "Command1");
    button.move(150, 150, 1500, 450);
    button.setCaption("Phase Finale");
    button.Click = [&] { events.push_back("button"); };
    Control& label = form.add(Kind::Label, "Lab");
    label.move(150, 900, 1500, 300);
    label.Click = [&] { events.push_back("label click"); };
    label.DblClick = [&] { events.push_back("label dblclick"); };
    Control& check = form.add(Kind::CheckBox, "Coche");
    check.move(150, 1500, 3000, 300);
    check.Click = [&] { events.push_back("check " + std::to_string(check.Value())); };
    Control& combo = form.add(Kind::ComboBox, "Combo3");
    combo.move(150, 2100, 900, 315);
    for (const char* day : {"01", "02", "03"}) combo.AddItem(day);
    combo.Click = [&] { events.push_back("combo " + combo.Text()); };
    combo.GotFocus = [&] { events.push_back("combo focus"); };
    std::vector<int> pressed;
    combo.KeyPress = [&](int& key) { pressed.push_back(key); };
    showForm();

    // Each click lands elsewhere than the one before, so that none makes a double-click with it.
    QTest::mouseClick(WidgetOf(button), Qt::LeftButton);
    QTest::mouseClick(WidgetOf(label), Qt::LeftButton);
    QTest::mouseClick(WidgetOf(check), Qt::LeftButton, {}, QPoint(150, 10));  // off its box and caption
    // A double-click as the window system gives it: click, double-click, release.
    QTest::mouseClick(WidgetOf(label), Qt::LeftButton);
    QTest::mouseDClick(WidgetOf(label), Qt::LeftButton);
    QTest::mouseRelease(WidgetOf(label), Qt::LeftButton);
    QTest::mouseClick(WidgetOf(check), Qt::LeftButton);
    auto* days = WidgetOf<QComboBox>(combo);
    days->setFocus();
    QTest::keyClick(days, Qt::Key_Down);
    EXPECT_EQ(events, (std::vector<std::string>{"button", "label click", "check 1", "label click",
                                                "label dblclick", "check 0", "combo focus", "combo 01"}));
    EXPECT_EQ(combo.ListIndex(), 0);

    QTest::keyClicks(days->lineEdit(), "7");
    EXPECT_EQ(pressed, (std::vector<int>{'7'}));
    EXPECT_EQ(combo.Text(), "017");
}

TEST_F(FormViewTest, FocusRaisesGotFocusOnce) {
    Control& first = box("Un", -1, 150, 150);
    Control& second = box("Deux", -1, 150, 600);
    int gotFirst = 0, gotSecond = 0;
    first.GotFocus = [&] { ++gotFirst; };
    second.GotFocus = [&] { ++gotSecond; };
    showForm();
    gotFirst = 0;  // the window gave the first box the focus when it became active
    QTest::mouseClick(WidgetOf(second), Qt::LeftButton);
    EXPECT_EQ(gotSecond, 1);
    first.SetFocus();  // raises GotFocus itself; the widget's focus must not raise it twice
    EXPECT_EQ(gotFirst, 1);
    EXPECT_EQ(form.focused(), &first);
    EXPECT_TRUE(WidgetOf(first)->hasFocus());
}

TEST_F(FormViewTest, TimersTickThroughTheEventLoopAndTheYield) {
    Control& timer = form.add(Kind::Timer, "Timer1");
    timer.setInterval(10);
    int ticks = 0;
    timer.Timer = [&] {
        timer.setTag(platform::NumText(static_cast<int>(platform::Val(timer.Tag())) + 1));
        if (++ticks == 3) timer.setEnabled(false);
    };
    showForm();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 3; }, 2000));
    QTest::qWait(60);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(timer.Tag(), "3");

    // A long procedure yielding lets a due tick run inside it.
    timer.setEnabled(true);
    QTest::qWait(30);
    platform::DoEvents();
    EXPECT_GE(ticks, 4);
}

TEST_F(FormViewTest, AModalFormHoldsItsCallerUntilItUnloads) {
    Form dialog("FREC");
    dialog.self().move(0, 0, 4500, 2000);
    Control& yes = dialog.add(Kind::CommandButton, "Command1");
    yes.move(150, 150, 1500, 450);
    std::vector<std::string> trace;
    dialog.Load = [&] { trace.push_back("load"); };
    dialog.Unload = [&] { trace.push_back("unload"); };
    yes.Click = [&] { dialog.unload(); };
    QTimer::singleShot(50, [&] {
        trace.push_back(QApplication::activeModalWidget() ? "modal" : "not modal");
        QTest::mouseClick(WidgetOf(yes), Qt::LeftButton);
    });
    dialog.show(true);
    trace.push_back("returned");
    EXPECT_EQ(trace, (std::vector<std::string>{"load", "modal", "unload", "returned"}));
    EXPECT_EQ(gui::FormView::of(dialog), nullptr);
}

TEST_F(FormViewTest, TheTitleBarCloseUnloadsTheForm) {
    int unloads = 0;
    form.Unload = [&] { ++unloads; };
    showForm();
    window()->close();
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(form.unloaded());
    EXPECT_EQ(gui::FormView::of(form), nullptr);
}

TEST_F(FormViewTest, EndProgramLeavesTheEventLoop) {
    showForm();
    QTimer::singleShot(0, [] { platform::EndProgram(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(platform::EndRequested());
    gui::InstallEndHandler();
}

TEST_F(FormViewTest, AllControlKindsDrawTidily) {
    form.self().setCaption("Zenkor — essai");
    Control& frame = form.add(Kind::Frame, "Frame1");
    frame.setCaption("Groupe A");
    frame.move(90, 90, 6495, 2205);
    Control& team = form.add(Kind::TextBox, "A", 1, &frame);
    team.move(3270, 690, 1425, 285);
    team.setText("République tchèque");
    team.setBackColor(platform::RGB(255, 120, 10));
    team.setForeColor(255);
    Control& score = form.add(Kind::TextBox, "ButA", 0, &frame);
    score.move(1230, 540, 375, 285);
    score.setText("10");
    score.setAlignment(platform::Alignment::Center);
    Control& heading = form.add(Kind::Label, "Label1", 1, &frame);
    heading.move(5010, 450, 330, 210);
    heading.setCaption("BP");
    heading.setFontBold(true);
    heading.setAlignment(platform::Alignment::Center);
    Control& shape = form.add(Kind::Shape, "Shape9");
    shape.move(90, 2500, 1500, 500);
    shape.setFillColor(255);
    Control& line = form.add(Kind::Line, "Ligne", 0);
    line.setLine(1800, 2500, 3300, 3000);
    Control& option = form.add(Kind::OptionButton, "Option", 0);
    option.move(3600, 2500, 2000, 300);
    option.setCaption("Français");
    option.setValue(1);
    Control& check = form.add(Kind::CheckBox, "ChChargeImage");
    check.move(3600, 2900, 4500, 300);
    check.setCaption("Ne pas recharger l'image au lancement.");
    check.setValue(2);
    showForm();
    ASSERT_TRUE(gui_testing::SaveScreenshot(window(), "controls.png"));
    EXPECT_EQ(WidgetOf<QCheckBox>(check)->checkState(), Qt::PartiallyChecked);
}

TEST(Dialogs, MessageAndInputBoxesAreAnsweredInTheirWindows) {
    gui::QtDialogs dialogs;
    QString seenTitle, seenText;
    QTimer::singleShot(30, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        seenText = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(dialogs.msgBox("Écraser le fichier ?", platform::vbYesNo + platform::vbQuestion, "Zenkor"),
              platform::Answer::No);
    EXPECT_EQ(seenTitle, "Zenkor");
    EXPECT_EQ(seenText, "Écraser le fichier ?");

    QTimer::singleShot(30, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->close();  // no button: cancel
    });
    EXPECT_EQ(dialogs.msgBox("Continuer ?", platform::vbOKCancel, ""), platform::Answer::Cancel);

    QTimer::singleShot(30, [] {
        auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(input, nullptr);
        input->setTextValue("Dastinor");
        input->accept();
    });
    EXPECT_EQ(dialogs.inputBox("Pseudo ?", "", ""), "Dastinor");
    QTimer::singleShot(30, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(dialogs.inputBox("Pseudo ?", "", "x"), "");
}

}  // namespace
