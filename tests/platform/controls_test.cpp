#include <string>
#include <vector>

#include "platform/controls.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

#include "platform/form.h"
#include "platform/msgbox.h"
#include "support/testing.h"

namespace pt = platform::testing;
using platform::ComboBox;
using platform::Form;

namespace {

// A small dialog with one control of each kind; every event appends to a log.
class frmProbe : public Form {
public:
    frmProbe() : Form("frmProbe") {
        txtName.setText("designer text");
        optMode(1).setValue(true);
        chkFlag.setValue(1);
        cboList.AddItem("a");
        cboList.AddItem("b");
        cboList.setListIndex(0);

        txtName.Change = [this] { log.push_back("txtName_Change"); };
        txtName.KeyPress = [this](int& key) {
            log.push_back("txtName_KeyPress " + std::to_string(key));
            if (key == 13) key = swallowEnter ? 0 : 13;
            if (key == 'a') key = 'A';
        };
        optMode.Click = [this](int i) { log.push_back("optMode_Click " + std::to_string(i)); };
        optOther.Click = [this] { log.push_back("optOther_Click"); };
        chkFlag.Click = [this] { log.push_back("chkFlag_Click " + std::to_string(chkFlag.Value())); };
        cboList.Click = [this] { log.push_back("cboList_Click " + cboList.Text()); };
        cmdOk.setDefault(true);
        cmdOk.Click = [this] { log.push_back("cmdOk_Click"); };
        cmdCancel.setCancel(true);
        cmdCancel.Click = [this] { log.push_back("cmdCancel_Click"); };
    }

    platform::TextBox txtName{*this};
    platform::ControlArray<platform::OptionButton> optMode{*this, 3};
    platform::Frame fraOther{*this, "Other"};
    platform::OptionButton optOther{fraOther, "other"};
    platform::CheckBox chkFlag{*this, "flag"};
    ComboBox cboList{*this};
    platform::CommandButton cmdOk{*this, "OK"};
    platform::CommandButton cmdCancel{*this, "Cancel"};
    std::vector<std::string> log;
    bool swallowEnter = true;
};

class Controls : public ::testing::Test {
protected:
    void SetUp() override { pt::clearMessageBoxes(); }
    void TearDown() override { pt::discardAllForms(); }
    frmProbe& f = platform::Load<frmProbe>();
};

using Log = std::vector<std::string>;

TEST_F(Controls, DesignerDefaultsRaiseNothing) {
    EXPECT_TRUE(f.log.empty());
    EXPECT_EQ(f.txtName.Text(), "designer text");
    EXPECT_TRUE(f.optMode(1).Value());
    EXPECT_EQ(f.chkFlag.Value(), 1);
    EXPECT_EQ(f.cboList.Text(), "a");
}

TEST_F(Controls, TextChangeRunsInsideTheSetterOnlyOnAChange) {
    f.txtName.setText("x");
    f.txtName.setText("x");
    EXPECT_EQ(f.log, Log({"txtName_Change"}));
    pt::type(f.txtName, "x");  // the same text typed: nothing changes
    pt::type(f.txtName, "xy");
    EXPECT_EQ(f.log, Log({"txtName_Change", "txtName_Change"}));
    EXPECT_EQ(f.txtName.Text(), "xy");
}

TEST_F(Controls, HandlersNestAndTheirErrorsReachTheCodeThatSetTheValue) {
    f.txtName.Change = [this] {
        f.log.push_back(f.txtName.Text());
        if (f.txtName.Text() == "outer") f.txtName.setText("inner");
    };
    f.txtName.setText("outer");
    EXPECT_EQ(f.log, Log({"outer", "inner"}));

    f.chkFlag.Click = [] { platform::raiseError(platform::errTypeMismatch); };
    try {
        f.chkFlag.setValue(0);
        FAIL() << "the handler's error did not reach the setter's caller";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), 13);
    }
    EXPECT_TRUE(pt::messageBoxes().empty());
}

TEST_F(Controls, ComboStartsEmptyAndRaisesNothingOnAddOrClear) {
    ComboBox& c = f.cboList;
    c.Clear();
    EXPECT_EQ(c.ListIndex(), -1);
    EXPECT_EQ(c.Text(), "");
    c.AddItem("USB2.0");
    c.AddItem("LVDS");
    EXPECT_EQ(c.ListIndex(), -1) << "adding must not select an item";
    EXPECT_EQ(c.ListCount(), 2);
    EXPECT_EQ(c.List(1), "LVDS");
    EXPECT_TRUE(f.log.empty());

    c.setText("LVDS");
    c.setListIndex(1);
    EXPECT_EQ(f.log, Log({"cboList_Click LVDS"}));
    c.AddItem("first", 0);
    EXPECT_EQ(c.ListIndex(), 2) << "the selection follows its item";
    EXPECT_EQ(c.Text(), "LVDS");
    c.setListIndex(-1);
    EXPECT_EQ(c.Text(), "");
    EXPECT_EQ(f.log.size(), 1u);
}

TEST_F(Controls, ComboTextOutsideTheListIsError383) {
    try {
        f.cboList.setText("A");  // case matters
        FAIL();
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), 383);
    }
    EXPECT_EQ(f.cboList.Text(), "a");
    EXPECT_THROW(f.cboList.List(2), platform::RuntimeError);
    EXPECT_THROW(f.cboList.setListIndex(5), platform::RuntimeError);
}

TEST_F(Controls, UserPickRunsClickOnlyForANewItem) {
    pt::pick(f.cboList, 0);
    pt::pick(f.cboList, 1);
    EXPECT_EQ(f.log, Log({"cboList_Click b"}));
}

TEST_F(Controls, OptionGroupClicksOnlyTheNewlySelectedButton) {
    f.optMode(2).setValue(true);
    EXPECT_EQ(f.log, Log({"optMode_Click 2"}));
    EXPECT_FALSE(f.optMode(1).Value());
    f.optMode(2).setValue(true);
    pt::click(f.optMode(2));  // already selected
    EXPECT_EQ(f.log.size(), 1u);

    // A frame is a group of its own.
    pt::click(f.optOther);
    EXPECT_TRUE(f.optMode(2).Value());
    pt::click(f.optMode(0));
    EXPECT_TRUE(f.optOther.Value());
    EXPECT_EQ(f.log, Log({"optMode_Click 2", "optOther_Click", "optMode_Click 0"}));

    f.optMode(0).setValue(false);  // clearing raises nothing
    EXPECT_EQ(f.log.size(), 3u);
}

// Arrow keys tick the previous (Up, Left) or next (Down, Right) button of a group in reading order, focused
// and with one Click; they stop at the ends (a frame's lone button stays) and skip disabled and hidden ones.
TEST_F(Controls, ArrowKeysTickTheNeighbourInTheGroup) {
    for (int i = 0; i < 3; ++i) f.optMode(i).Move(0, 300 * (2 - i));  // reading order 2, 1, 0
    f.Show();
    platform::OptionButton *m0 = &f.optMode(0), *m1 = &f.optMode(1), *m2 = &f.optMode(2), *o = &f.optOther;
    using K = pt::Key;
    struct Row { platform::OptionButton *from, *to; K key; bool middleDisabled = false, middleHidden = false; };
    for (const Row& r : {Row{m1, m0, K::Down}, Row{m1, m0, K::Right}, Row{m1, m2, K::Up}, Row{m1, m2, K::Left}, Row{m0, m0, K::Down},
                         Row{m2, m2, K::Left}, Row{m2, m0, K::Down, true}, Row{m0, m2, K::Up, false, true}, Row{o, o, K::Down}}) {
        r.from->setValue(true);
        m1->setEnabled(!r.middleDisabled);
        m1->setVisible(!r.middleHidden);
        f.log.clear();
        pt::sendKey(*r.from, r.key);
        EXPECT_TRUE(r.to->Value() && (r.to == r.from || f.window()->focusWidget() == r.to->widget())) << int(r.key);
        EXPECT_EQ(f.log.size(), r.to == r.from ? 0u : 1u) << int(r.key);
    }
}

TEST_F(Controls, CheckBoxClicksOnEveryChangeAlsoWhenDisabled) {
    f.chkFlag.setEnabled(false);
    f.chkFlag.setValue(0);
    f.chkFlag.setValue(0);
    f.chkFlag.setValue(1);
    EXPECT_EQ(f.log, Log({"chkFlag_Click 0", "chkFlag_Click 1"}));
    EXPECT_THROW(f.chkFlag.setValue(3), platform::RuntimeError);
    f.chkFlag.setEnabled(true);
    pt::click(f.chkFlag);
    EXPECT_EQ(f.chkFlag.Value(), 0);
}

TEST_F(Controls, KeyPressCanSwallowOrReplaceTheKey) {
    EXPECT_FALSE(pt::pressKey(f.txtName, 13));
    EXPECT_EQ(f.log, Log({"txtName_KeyPress 13"})) << "a swallowed Enter must not reach the default button";

    f.swallowEnter = false;
    EXPECT_TRUE(pt::pressKey(f.txtName, 13));
    EXPECT_EQ(f.log.back(), "cmdOk_Click");

    f.log.clear();
    f.txtName.setText("");
    f.log.clear();
    pt::pressKey(f.txtName, 'a');
    EXPECT_EQ(f.txtName.Text(), "A");
    pt::pressKey(f.txtName, 27);
    EXPECT_EQ(f.log, Log({"txtName_KeyPress 97", "txtName_Change", "txtName_KeyPress 27", "cmdCancel_Click"}));
}

TEST_F(Controls, RealEnterKeyGoesThroughKeyPressToTheDefaultButton) {
    f.Show();
    f.swallowEnter = false;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QCoreApplication::sendEvent(f.txtName.widget(), &enter);
    EXPECT_EQ(f.log, Log({"txtName_KeyPress 13", "cmdOk_Click"}));

    f.log.clear();
    f.swallowEnter = true;
    QKeyEvent again(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QCoreApplication::sendEvent(f.txtName.widget(), &again);
    EXPECT_EQ(f.log, Log({"txtName_KeyPress 13"}));

    // Wherever the user has the focus, Enter (pressEnter) and the keypad's Enter press one button:
    // the focused one, else the default one; that button alone shows the default marking.
    f.swallowEnter = false;
    const auto marked = [&] {
        std::string captions;
        for (platform::CommandButton* b : {&f.cmdOk, &f.cmdCancel})
            if (static_cast<QPushButton*>(b->widget())->isDefault()) captions += b->Caption();
        return captions;
    };
    struct Row {
        const char* how;
        std::vector<platform::Control*> tabs;  // tabbed to in turn; the key goes to the last
        bool setDefaultThen, keypad;           // the code sets OK as default after; the keypad's Enter
        const char* marked;
        Log log;
    };
    const Log viaBox = {"txtName_KeyPress 13", "cmdOk_Click"}, ok = {"cmdOk_Click"}, cancel = {"cmdCancel_Click"};
    for (const Row& row : {Row{"text box", {&f.txtName}, false, true, "OK", viaBox},
                           Row{"option", {&f.optMode(1)}, false, true, "OK", ok},
                           Row{"Cancel", {&f.cmdCancel}, false, false, "Cancel", cancel},
                           Row{"Cancel", {&f.cmdCancel}, false, true, "Cancel", cancel},
                           Row{"Tab to Cancel and back into the text box", {&f.cmdCancel, &f.txtName}, false, false, "OK", viaBox},
                           Row{"default set while Cancel has the focus", {&f.cmdCancel}, true, false, "Cancel", cancel}}) {
        f.log.clear();
        for (platform::Control* c : row.tabs) EXPECT_TRUE(pt::tabTo(*c)) << row.how;
        if (row.setDefaultThen) f.cmdOk.setDefault(true);
        EXPECT_EQ(marked(), row.marked) << row.how;
        row.keypad ? pt::sendKey(*row.tabs.back(), pt::Key::KeypadEnter) : pt::pressEnter(f);
        EXPECT_EQ(f.log, row.log) << row.how << (row.keypad ? ", keypad" : "");
    }
}

TEST_F(Controls, DisabledButtonIgnoresTheUser) {
    f.cmdOk.setEnabled(false);
    pt::pressEnter(f);
    pt::click(f.cmdOk);
    EXPECT_TRUE(f.log.empty());
}

TEST_F(Controls, FrameCascadesEnabledAndVisibleButKeepsTheChildsOwnValues) {
    f.Show();
    f.fraOther.setEnabled(false);
    EXPECT_TRUE(f.optOther.Enabled());
    EXPECT_FALSE(f.optOther.widget()->isEnabled());
    f.fraOther.setEnabled(true);
    EXPECT_TRUE(f.optOther.widget()->isEnabled());
    f.fraOther.setVisible(false);
    EXPECT_TRUE(f.optOther.Visible());
    EXPECT_FALSE(f.optOther.widget()->isVisible());
    f.fraOther.setVisible(true);
    EXPECT_TRUE(f.optOther.widget()->isVisible());
    EXPECT_TRUE(f.log.empty());
}

TEST_F(Controls, SetFocusMovesFocusWithEventsAndNeverFails) {
    f.txtName.GotFocus = [this] { f.log.push_back("txtName_GotFocus"); };
    f.txtName.LostFocus = [this] { f.log.push_back("txtName_LostFocus"); };
    f.cboList.GotFocus = [this] { f.log.push_back("cboList_GotFocus"); };
    f.txtName.SetFocus();  // the form is not shown yet: nothing happens, no error
    EXPECT_TRUE(f.log.empty());

    f.Show();
    f.txtName.SetFocus();
    f.txtName.SetFocus();  // already there
    f.cboList.SetFocus();
    EXPECT_EQ(f.log, Log({"txtName_GotFocus", "txtName_LostFocus", "cboList_GotFocus"}));

    f.log.clear();
    f.txtName.setEnabled(false);
    f.txtName.SetFocus();
    f.txtName.setEnabled(true);
    f.txtName.setVisible(false);
    f.txtName.SetFocus();
    EXPECT_TRUE(f.log.empty());
}

TEST_F(Controls, GeometryIsInTwipsAndReadsBackAsSet) {
    f.txtName.Move(120, 240, 3855, 315);
    EXPECT_EQ(f.txtName.Left(), 120);
    EXPECT_EQ(f.txtName.Width(), 3855);
    EXPECT_EQ(f.txtName.widget()->width(), 257);  // 3855 / 15
    EXPECT_EQ(f.txtName.Height(), 315);
    f.txtName.setWidth(3850);  // 256.67 pixels: rounded, but read back as set
    EXPECT_EQ(f.txtName.widget()->width(), 257);
    EXPECT_EQ(f.txtName.Width(), 3850);
}

TEST_F(Controls, ArraysShareOneHandlerAndReachElementsByName) {
    EXPECT_EQ(f.optMode.count(), 3);
    EXPECT_THROW(f.optMode(3), platform::RuntimeError);
    f.optMode.setName("optMode");
    EXPECT_EQ(f.controlByName("optMode", 2), &f.optMode(2));
    EXPECT_EQ(f.controlByName("optMode", 7), nullptr);
}

TEST_F(Controls, ImageRemembersItsKeyAndNaturalSize) {
    platform::Image img{f};
    QImage pixels(40, 20, QImage::Format_RGB32);
    pixels.fill(Qt::red);
    img.setPicture("icr", platform::Picture(pixels));
    EXPECT_EQ(img.PictureKey(), "icr");
    EXPECT_EQ(img.Width(), 600);
    EXPECT_EQ(img.Height(), 300);
}

TEST_F(Controls, LineEndsAreSettable) {
    platform::Line line{f, 100, 1500, 4000, 1500};
    line.setX2(5000);
    EXPECT_EQ(line.X2(), 5000);
    EXPECT_TRUE(line.widget()->geometry().contains(QPoint(5000 / 15, 100)));
}

}  // namespace
