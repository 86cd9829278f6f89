#include "platform/dispatch.h"

#include <functional>
#include <stdexcept>

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/msgbox.h"
#include "platform/strings.h"
#include "support/testing.h"

namespace pt = platform::testing;

namespace {

class frmWork : public platform::Form {
public:
    frmWork() : Form("frmWork") {
        cmdGo.Click = [this] {
            ++runs;
            if (fail) fail();
        };
        cmdTrap.Click = [this] { StartSimulation(); };
    }
    void StartSimulation() {
        try {
            platform::raiseError(platform::errFileNotFound);
        } catch (...) {
            platform::showErrorBox("Vandor.frmConfig.StartSimulation", platform::trappedError());
        }
    }
    platform::CommandButton cmdGo{*this, "Go"};
    platform::CommandButton cmdTrap{*this, "Trap"};
    std::function<void()> fail;
    int runs = 0;
};

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override {
        pt::clearMessageBoxes();
        platform::setAppTitle("Quenlis");
    }
    void TearDown() override { pt::discardAllForms(); }
    frmWork& f = platform::Load<frmWork>();
};

TEST_F(Dispatch, TrappedErrorShowsTheErrorBoxTitledWithItsSource) {
    pt::click(f.cmdTrap);
    ASSERT_EQ(pt::messageBoxes().size(), 1u);
    const auto& box = pt::messageBoxes()[0];
    EXPECT_EQ(box.text, "Unexpected Error 53\nFile not found");
    EXPECT_EQ(box.title, "Vandor.frmConfig.StartSimulation");
    EXPECT_EQ(box.style, platform::MsgBoxCritical);
}

TEST_F(Dispatch, UntrappedErrorIsShownAndTheProgramGoesOn) {
    f.fail = [] { platform::raiseError(platform::errSubscript); };
    pt::click(f.cmdGo);
    f.fail = [] { throw std::out_of_range("vector index"); };
    pt::click(f.cmdGo);
    f.fail = nullptr;
    pt::click(f.cmdGo);

    EXPECT_EQ(f.runs, 3);
    ASSERT_EQ(pt::messageBoxes().size(), 2u);
    EXPECT_EQ(pt::messageBoxes()[0].text, "Unexpected Error 9\nSubscript out of range");
    EXPECT_EQ(pt::messageBoxes()[0].title, "Quenlis");
    EXPECT_EQ(pt::messageBoxes()[0].style, platform::MsgBoxCritical);
    EXPECT_EQ(pt::messageBoxes()[1].text, "Unexpected Error 51\nvector index");
}

TEST_F(Dispatch, StopAndEndPassEveryTrap) {
    f.fail = [this] {
        try {
            platform::stopProgram("SetDccClockList");
        } catch (...) {
            platform::showErrorBox("Vandor.frmConfig2.Form_Load", platform::trappedError());
        }
    };
    try {
        pt::click(f.cmdGo);
        FAIL() << "the stop was caught";
    } catch (const pt::ProgramEnded& e) {
        EXPECT_TRUE(e.stopped);
        EXPECT_EQ(e.where, "SetDccClockList");
    }
    f.fail = [] { platform::End(); };
    EXPECT_THROW(pt::click(f.cmdGo), pt::ProgramEnded);
    EXPECT_TRUE(pt::messageBoxes().empty());
}

TEST(MessageBox, DefaultTitleIsTheProgramTitleAndTheAnswerIsRecorded) {
    pt::clearMessageBoxes();
    platform::setAppTitle("Quenlis");
    pt::setMessageBoxAnswer([](const pt::MessageBoxCall& call) { return call.style == 0 ? 1 : 2; });
    EXPECT_EQ(platform::MsgBox("Part Number is not selected.", platform::MsgBoxCritical), 2);
    EXPECT_EQ(platform::MsgBox("plain", platform::MsgBoxOkOnly, "Vandor.frmMain.mnuHelpContents_Click"), 1);
    pt::setMessageBoxAnswer({});
    ASSERT_EQ(pt::messageBoxes().size(), 2u);
    EXPECT_EQ(pt::messageBoxes()[0].title, "Quenlis");
    EXPECT_EQ(pt::messageBoxes()[1].title, "Vandor.frmMain.mnuHelpContents_Click");
}

TEST(MessageBox, BeepAndPointerStates) {
    pt::resetBeepCount();
    platform::Beep();
    EXPECT_EQ(pt::beepCount(), 1);
    platform::setMousePointer(platform::PointerHourglass);
    platform::setMousePointer(platform::PointerHourglass);
    EXPECT_EQ(platform::mousePointer(), platform::PointerHourglass);
    platform::setMousePointer(platform::PointerDefault);
    EXPECT_EQ(platform::mousePointer(), platform::PointerDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "one Default undoes any number of Hourglass";
}

}  // namespace
