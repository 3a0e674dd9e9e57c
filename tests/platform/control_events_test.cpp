#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/control.h"
#include "platform/text.h"
#include "tests/support/errors.h"

using platform::Control;
using platform::Form;
using platform::Kind;

TEST(ControlEvents, ChangeRunsAtOnceAndOnlyOnARealChange) {
    Form form("F");
    Control& box = form.add(Kind::TextBox, "Box", 0);
    std::vector<std::string> seen;
    box.Change = [&] { seen.push_back(box.Text()); };
    box.setText("1");
    box.setText("1");  // same value: nothing runs
    box.setTag("x");   // tags fire nothing
    box.setTop(100);
    EXPECT_EQ(seen, std::vector<std::string>{"1"});
}

TEST(ControlEvents, ChangeIsReentrantBeforeTheNextStatement) {
    // A handler rewriting its own box runs itself again inside, then finishes its outer run.
    Form form("F");
    Control& box = form.add(Kind::TextBox, "Box", 0);
    std::vector<std::string> trace;
    box.Change = [&] {
        trace.push_back("in:" + box.Text());
        if (box.Text().size() > 1 && box.Text().find('-') != std::string::npos) {
            box.setText(platform::Replace(box.Text(), "-", ""));
        }
        trace.push_back("out:" + box.Text());
    };
    box.setText("-3");
    EXPECT_EQ(trace, (std::vector<std::string>{"in:-3", "in:3", "out:3", "out:3"}));
}

TEST(ControlEvents, HandlerExceptionsNeverEscape) {
    Form form("F");
    Control& box = form.add(Kind::TextBox, "Box");
    testing_support::ErrorLog log;
    box.Change = [] { throw std::runtime_error("boom"); };
    EXPECT_NO_THROW(box.setText("x"));
    EXPECT_EQ(log.errors, std::vector<std::string>{"Box_Change: boom"});
}

// Records what a view would be told.
class Recorder : public platform::FormObserver {
  public:
    void controlCreated(Control&) override {}
    void propertyChanged(Control& c, platform::Prop) override { changed.push_back(c.displayName()); }
    void focusRequested(Control& c) override { changed.push_back("focus " + c.displayName()); }
    void formShown(Form&, bool) override {}
    void formHidden(Form&) override {}
    void formUnloaded(Form&) override {}
    std::vector<std::string> changed;
};

TEST(ControlLookups, MissedNamesAreReportedAndTheirSinkOutlivesTheNextMiss) {
    Form form("F");
    form.add(Kind::TextBox, "Box");
    Recorder view;
    form.setObserver(&view);
    testing_support::ErrorLog log;
    // Two missed names held at once, as a handler holds the controls it works on.
    Control& a = form("Labl1");
    Control& b = form("Box", 3);
    a.setText("lost");
    a.Click = [&] { form("Box").setText("clicked"); };
    b.setCaption("lost");
    a.raiseClick();
    a.SetFocus();
    form.setObserver(nullptr);
    EXPECT_EQ(log.errors, (std::vector<std::string>{"no control Labl1 in F", "no control Box(3) in F"}));
    // Nothing reached the view, no handler ran, the focus stayed where it was.
    EXPECT_TRUE(view.changed.empty());
    EXPECT_EQ(form("Box").Text(), "");
    EXPECT_EQ(form.focused(), nullptr);
}

// Every test program fails a test whose code looks up a control the window does not have.
TEST(ControlLookups, AMisspeltNameFailsTheTestThatUsesIt) {
    static Form form("F");
    form.add(Kind::Label, "Label1");
    EXPECT_NONFATAL_FAILURE(form("Labl1").setCaption("x"), "no control Labl1 in F");
}

TEST(ControlArrays, SparseMembersAndRunTimeCreation) {
    Form form("F");
    for (int i : {0, 1, 2, 3, 5})
        form.add(Kind::CommandButton, "Command22", i).setCaption("c" + std::to_string(i));
    EXPECT_EQ(form.indexes("Command22"), (std::vector<int>{0, 1, 2, 3, 5}));
    EXPECT_FALSE(form.exists("Command22", 4));
    // An absent member is a sink: writing it does nothing, crashes nothing and is reported.
    {
        testing_support::ErrorLog log;
        form("Command22", 4).setCaption("lost");
        EXPECT_EQ(log.errors.size(), 1u);
    }
    EXPECT_FALSE(form.exists("Command22", 4));
    // Creating a member copies the lowest one; creating one that exists is refused.
    Control* created = form.load("Command22", 7);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->Caption(), "c0");
    EXPECT_FALSE(created->Visible());
    EXPECT_EQ(form.load("Command22", 7), nullptr);
    EXPECT_EQ(form.load("Nothing", 1), nullptr);
}

TEST(ControlLists, SortedListsOrderLikeThePlatform) {
    Form form("F");
    Control& list = form.add(Kind::ListBox, "List");
    list.setSorted(true);
    for (const char* s : {"Suisse", "Écosse", "allemagne", "Espagne", "écosse", "Angleterre"})
        list.AddItem(s);
    std::vector<std::string> expected{"allemagne", "Angleterre", "écosse", "Écosse", "Espagne", "Suisse"};
    // "Écosse" sorts with E, before "Espagne" (c < s) and before "Suisse".
    EXPECT_EQ(list.items(), expected);
}

TEST(ControlLists, StandingsEntriesSortByKeyThenIndex) {
    Form form("F");
    Control& list = form.add(Kind::ListBox, "ListA");
    list.setSorted(true);
    for (const char* s : {"13,0010x 4", "13,0010x 1", "09,9900x 2", "17,0420x 3"}) list.AddItem(s);
    EXPECT_EQ(list.List(0), "09,9900x 2");
    EXPECT_EQ(list.List(1), "13,0010x 1");
    EXPECT_EQ(list.List(2), "13,0010x 4");
    EXPECT_EQ(list.List(3), "17,0420x 3");
    EXPECT_EQ(list.List(4), "");
}

TEST(ControlSelection, SelectionClampsToTheText) {
    Form form("F");
    Control& box = form.add(Kind::TextBox, "Box");
    box.setText("-");
    box.setSelStart(0);
    box.setSelLength(2);
    EXPECT_EQ(box.SelLength(), 1);
    box.setSelText("3");
    EXPECT_EQ(box.Text(), "3");
}

TEST(ControlTimers, TicksRunOnlyWhileEnabled) {
    Form form("F");
    Control& timer = form.add(Kind::Timer, "Timer1");
    int ticks = 0;
    timer.Timer = [&] { ++ticks; };
    timer.tick();
    timer.setEnabled(false);
    timer.tick();
    EXPECT_EQ(ticks, 1);
}

TEST(ControlCombo, ChoosingAnItemSetsTextThenClicks) {
    Form form("F");
    Control& combo = form.add(Kind::ComboBox, "Combo1");
    std::vector<std::string> trace;
    combo.Change = [&] { trace.push_back("change:" + combo.Text()); };
    combo.Click = [&] { trace.push_back("click:" + combo.Text()); };
    combo.AddItem("2016");
    combo.AddItem("2020");
    combo.setListIndex(1);
    EXPECT_EQ(trace, (std::vector<std::string>{"change:2020", "click:2020"}));
}
