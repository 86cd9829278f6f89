#include <string>
#include <utility>
#include <vector>

#include "platform/form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "platform/controls.h"
#include "platform/dispatch.h"
#include "platform/menu.h"
#include "platform/msgbox.h"
#include "support/testing.h"

namespace pt = platform::testing;
using platform::Form;
using platform::FormKind;
using platform::Forms;

namespace {

std::vector<std::string> events;

class frmMain : public Form {
public:
    frmMain() : Form("frmMain", FormKind::MdiParent) {}
    platform::MenuItem mnuFile{*this, "&File"};
    platform::MenuItem mnuFileExit{mnuFile, "E&xit"};
    platform::MenuItem mnuHelp{*this, "&Help"};
};

class frmChild : public Form {
public:
    explicit frmChild(std::string name = "frmChild") : Form(std::move(name), FormKind::MdiChild) {
        mnuChartrc.setVisible(false);
        cmdClose.Click = [this] {
            platform::Unload(*this);
            afterUnload = true;  // the object outlives its own handler
        };
    }
    platform::MenuItem mnuFile{*this, "&File"};
    platform::MenuItem mnuFileNew{mnuFile, "&New Simulation"};
    platform::MenuItem mnuFileBar1{mnuFile, "-"};
    platform::MenuItem mnuSim{*this, "&Simulation"};
    platform::MenuItem mnuChartrc{*this, "pop-up"};
    platform::MenuItem mnuChartrcCopy{mnuChartrc, "&Copy to Clipboard"};
    platform::CommandButton cmdClose{*this, "Close"};
    bool afterUnload = false;
    int cancelQuery = 0;

protected:
    void Form_Load() override { events.push_back(Name() + " Load"); }
    void Form_Activate() override { events.push_back(Name() + " Activate"); }
    void Form_Resize() override {
        events.push_back(Name() + " Resize " + std::to_string(WindowState()) + (Visible() ? "" : " hidden"));
    }
    void Form_QueryUnload(int& cancel, int mode) override {
        events.push_back(Name() + " QueryUnload " + std::to_string(mode));
        cancel = cancelQuery;
    }
    void Form_Unload(int&) override { events.push_back(Name() + " Unload"); }
};

class frmDialog : public Form {
public:
    ~frmDialog() override { events.push_back("deleted"); }
    frmDialog() : Form("frmDialog") {
        cmdOk.Click = [this] {
            Hide();
            events.push_back("after Hide");
        };
    }
    platform::CommandButton cmdOk{*this, "OK"};
};

class Forms_ : public ::testing::Test {
protected:
    void SetUp() override {
        events.clear();
        pt::clearMessageBoxes();
    }
    void TearDown() override {
        pt::setModalDriver({});
        pt::discardAllForms();
    }
};

using Log = std::vector<std::string>;

TEST_F(Forms_, CollectionListsLoadedFormsInLoadOrder) {
    auto& main = platform::Load<frmMain>();
    auto& a = platform::Load<frmChild>("frmConfig");
    auto& b = platform::Load<frmChild>("frmChart");
    a.setCaption("Simulation No.03");
    b.setCaption("Simulation No.03-KSV10-Input Signal Frequency=25[MHz]");

    ASSERT_EQ(Forms().Count(), 3);
    EXPECT_EQ(&Forms()(0), &main);
    EXPECT_EQ(Forms()(2).Name(), "frmChart");
    EXPECT_THROW(Forms()(3), platform::RuntimeError);
    EXPECT_EQ(Forms().byName("frmConfig"), &a);
    EXPECT_EQ(Forms().byName("frmConfig2"), nullptr);
    EXPECT_EQ(Forms().nameLike("frmC*"), (std::vector<Form*>{&a, &b}));
    EXPECT_EQ(Forms().captionLike("Simulation No.??"), (std::vector<Form*>{&a}));
    EXPECT_EQ(platform::loadedForm<frmChild>(), &a);

    platform::Unload(a);
    EXPECT_EQ(Forms().Count(), 2);
    EXPECT_EQ(&Forms()(1), &b);
    EXPECT_EQ(&platform::defaultForm<frmMain>(), &main);
}

TEST_F(Forms_, UnloadingInsideTheFormsOwnHandlerIsSafe) {
    auto& f = platform::Load<frmChild>();
    f.Show();
    pt::click(f.cmdClose);
    EXPECT_TRUE(f.afterUnload);
    EXPECT_FALSE(f.isLoaded());
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(Forms().Count(), 0);
    EXPECT_EQ(events.back(), "frmChild Unload");
    pt::flushUnloaded();
}

TEST_F(Forms_, UnloadRunsQueryUnloadWhichMayCancelAndIgnoresUnloadedForms) {
    auto& f = platform::Load<frmChild>();
    f.cancelQuery = 1;
    EXPECT_FALSE(platform::Unload(f));
    EXPECT_TRUE(f.isLoaded());
    f.cancelQuery = 0;
    events.clear();
    pt::close(f);  // the user's close box
    EXPECT_FALSE(f.isLoaded());
    EXPECT_EQ(events, Log({"frmChild QueryUnload 0", "frmChild Unload"}));
    events.clear();
    EXPECT_TRUE(platform::Unload(f));
    EXPECT_TRUE(events.empty());
}

TEST_F(Forms_, LoadShowAndStateEvents) {
    platform::Load<frmMain>().Show();
    auto& f = platform::Load<frmChild>();
    f.setWindowState(platform::StateMaximized);  // before it is shown: no event
    EXPECT_EQ(events, Log({"frmChild Load"}));
    f.Show();
    EXPECT_EQ(events, Log({"frmChild Load", "frmChild Resize 2 hidden", "frmChild Activate"}))
        << "the first Resize comes before the form counts as visible";
    EXPECT_TRUE(f.Visible());
    f.setWindowState(platform::StateMinimized);
    EXPECT_EQ(events.back(), "frmChild Resize 1");
    EXPECT_EQ(f.WindowState(), 1);
    EXPECT_THROW(f.setWindowState(3), platform::RuntimeError);
}

TEST_F(Forms_, ActiveChildsMenuBarReplacesTheParents) {
    auto& main = platform::Load<frmMain>();
    main.Show();
    EXPECT_EQ(pt::menuBarCaptions(main), (std::vector<std::string>{"&File", "&Help"}));

    auto& a = platform::Load<frmChild>("frmConfig");
    a.Show();
    EXPECT_EQ(platform::ActiveForm(), &a);
    EXPECT_EQ(pt::menuBarCaptions(main), (std::vector<std::string>{"&File", "&Simulation"}))
        << "the pop-up-only menu stays out of the bar";
    a.mnuSim.setVisible(false);
    EXPECT_EQ(pt::menuBarCaptions(main), (std::vector<std::string>{"&File"}));

    auto& b = platform::Load<frmChild>("frmChart");
    b.Show();
    EXPECT_EQ(platform::ActiveForm(), &b);
    EXPECT_EQ(pt::menuBarCaptions(main).size(), 2u);

    events.clear();
    platform::Unload(b);
    EXPECT_EQ(platform::ActiveForm(), &a);
    EXPECT_EQ(events.back(), "frmConfig Activate");
    EXPECT_EQ(pt::menuBarCaptions(main), (std::vector<std::string>{"&File"}));
    platform::Unload(a);
    EXPECT_EQ(platform::ActiveForm(), nullptr);
    EXPECT_EQ(pt::menuBarCaptions(main), (std::vector<std::string>{"&File", "&Help"}));
}

TEST_F(Forms_, UnloadingTheParentUnloadsItsChildren) {
    auto& main = platform::Load<frmMain>();
    main.Show();
    auto& a = platform::Load<frmChild>();
    a.Show();
    platform::Unload(main);
    EXPECT_FALSE(a.isLoaded());
    EXPECT_EQ(Forms().Count(), 0);
}

TEST_F(Forms_, PopupMenuOpensAHiddenTopLevelMenu) {
    auto& f = platform::Load<frmChild>();
    int copies = 0;
    f.mnuChartrcCopy.Click = [&] { ++copies; };
    f.PopupMenu(f.mnuChartrc);
    ASSERT_EQ(pt::lastPopupMenu(), &f.mnuChartrc);
    pt::click(f.mnuChartrcCopy);
    EXPECT_EQ(copies, 1);
    f.mnuChartrcCopy.setEnabled(false);
    pt::click(f.mnuChartrcCopy);
    EXPECT_EQ(copies, 1);
}

TEST_F(Forms_, SeparatorIsALineWithoutText) {
    auto& f = platform::Load<frmChild>();
    struct Row {
        std::string caption;
        bool separator;
    };
    for (const Row& row : {Row{"-", true}, Row{"&Open", false}, Row{"-", true}}) {
        f.mnuFileBar1.setCaption(row.caption);
        QAction* a = f.mnuFileBar1.action();
        EXPECT_EQ(a->isSeparator(), row.separator) << row.caption;
        EXPECT_EQ(a->text().isEmpty(), row.separator) << row.caption << ": a separator draws no \"-\"";
    }
}

TEST_F(Forms_, ModalShowReturnsAfterTheDialogHidesItself) {
    auto& dlg = platform::Load<frmDialog>();
    pt::setModalDriver([](Form& shown) {
        events.push_back("driving " + shown.Name());
        pt::click(static_cast<frmDialog&>(shown).cmdOk);
    });
    dlg.Show(platform::Modal);
    events.push_back("after Show");
    EXPECT_EQ(events, Log({"driving frmDialog", "after Hide", "after Show"}));
    EXPECT_TRUE(dlg.isLoaded()) << "hidden, still loaded";
    EXPECT_FALSE(dlg.Visible());

    // Without a driver a headless modal dialog is dismissed at once rather than blocking.
    pt::setModalDriver({});
    dlg.Show(platform::Modal);
    EXPECT_FALSE(dlg.Visible());
}

// The same program on a desktop: a real nested loop, real window events, deferred deletion.
class RealLoop : public Forms_ {
protected:
    void SetUp() override {
        Forms_::SetUp();
        pt::setHeadless(false);
    }
    void TearDown() override {
        pt::setHeadless(true);
        Forms_::TearDown();
    }
};

TEST_F(RealLoop, ModalLoopEndsWhenTheDialogUnloadsItselfAndItIsDeletedLater) {
    auto& dlg = platform::Load<frmDialog>();
    dlg.cmdOk.Click = [&dlg] {
        platform::Unload(dlg);
        events.push_back("after Unload");
    };
    QTimer::singleShot(0, [&dlg] { dlg.window()->findChild<QPushButton*>()->click(); });
    dlg.Show(platform::Modal);
    EXPECT_EQ(events, Log({"after Unload"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(events, Log({"after Unload", "deleted"}));
}

TEST_F(RealLoop, ClosingTheWindowUnloadsTheForm) {
    auto& f = platform::Load<frmChild>();
    f.Show();
    f.window()->close();
    EXPECT_FALSE(f.isLoaded());
    EXPECT_EQ(events.back(), "frmChild Unload");
    EXPECT_EQ(events[events.size() - 2], "frmChild QueryUnload 0");
}

TEST_F(RealLoop, NoticeStaysShownOnTopAndPaintsAtOnce) {
    auto& notice = platform::Load<frmDialog>();
    notice.Show();
    notice.setTopMost(true);  // changing window flags hides a Qt window; the form must stay up
    EXPECT_TRUE(notice.window()->isVisible());
    EXPECT_TRUE(notice.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    notice.Refresh();
    EXPECT_TRUE(notice.Visible());
}

TEST_F(Forms_, GeometryInTwips) {
    auto& f = platform::Load<frmDialog>();
    f.Move(300, 450, 11050, 3450);
    EXPECT_EQ(f.Left(), 300);
    EXPECT_EQ(f.Top(), 450);
    EXPECT_EQ(f.Width(), 11050);
    EXPECT_EQ(f.Height(), 3450);
    f.setClientSize(7500, 3750);
    EXPECT_EQ(f.ScaleWidth(), 7500);
    EXPECT_EQ(f.Width(), 7500) << "a window without a frame yet: outer equals client";
}

TEST_F(Forms_, ResizeRunsOnlyWhenTheSizeChanges) {
    platform::Load<frmMain>().Show();
    auto& f = platform::Load<frmChild>();
    f.Show();
    events.clear();
    f.setWidth(11050);
    f.setWidth(11050);
    f.setHeight(3450);
    EXPECT_EQ(events, Log({"frmChild Resize 0", "frmChild Resize 0"}));
    EXPECT_EQ(f.Width(), 11050);
}

class frmPlain : public Form {
public:
    frmPlain() : Form("frmPlain") {}
};

// A tool window goes right of the form it serves, else left, below or above it, else into the
// desktop's corner; always wholly on the desktop, its frame and title bar too (1600 x 1000 pixels
// here, a 500 x 300 window in a frame 1, 20, 1 and 5 pixels wide).
TEST_F(Forms_, PlaceBesideKeepsTheWindowOnTheDesktopAndOffTheForm) {
    pt::setWorkArea(0, 0, 1600 * 15, 1000 * 15);
    pt::setWindowFrame(15, 300, 15, 75);
    struct Row {
        int left, top, width, height;  // the form, in pixels
        int x, y;                      // where the window goes
    };
    for (const Row& r : {Row{0, 0, 900, 500, 904, 0}, Row{1000, 100, 600, 500, 494, 100}, Row{0, 0, 1600, 500, 0, 504},
                         Row{0, 400, 1600, 600, 0, 71}, Row{0, 0, 1600, 1000, 1098, 675},
                         Row{1200, 900, 300, 300, 694, 675}}) {
        auto& form = platform::Load<frmPlain>();
        form.Move(r.left * 15, r.top * 15, r.width * 15, r.height * 15);
        auto& tool = platform::Load<frmPlain>();
        tool.setClientSize(500 * 15, 300 * 15);
        tool.placeBeside(form);
        EXPECT_EQ(tool.Left(), r.x * 15) << r.left << "," << r.top;
        EXPECT_EQ(tool.Top(), r.y * 15) << r.left << "," << r.top;
        pt::discardAllForms();
    }
    pt::setWindowFrame(0, 0, 0, 0);
    pt::setWorkArea(0, 0, 0, 0);
}

TEST_F(Forms_, TabOrderFollowsTheGivenListWithFramesInPlace) {
    auto& f = platform::Load<frmPlain>();
    platform::TextBox a{f}, b{f};
    platform::Frame frame{f};
    platform::TextBox c{frame}, d{frame};
    platform::CommandButton e{f, "E"};
    f.setTabOrder({&e, &frame, &b, &a});
    std::vector<QWidget*> chain;
    for (QWidget* w = e.widget(); chain.size() < 5; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) chain.push_back(w);
    EXPECT_EQ(chain, (std::vector<QWidget*>{e.widget(), c.widget(), d.widget(), b.widget(), a.widget()}));
}

// The user's hand on an MDI child's frame, as Qt receives it: a press on the title bar focuses the
// frame in the main window it activates; the window buttons (in the menu bar while maximized).
QMdiSubWindow* frameOf(Form& child) { return qobject_cast<QMdiSubWindow*>(child.window()->parentWidget()); }
void clickTitleBar(Form& child) {
    frameOf(child)->window()->activateWindow();
    QCoreApplication::processEvents();
    frameOf(child)->setFocus(Qt::MouseFocusReason);
}
void clickWindowButton(Form& child, int state) {
    QMdiSubWindow* frame = frameOf(child);
    if (state == platform::StateMaximized) frame->showMaximized();
    if (state == platform::StateMinimized) frame->showMinimized();
    if (state == platform::StateNormal) frame->showNormal();
}

// A configuration form puts the focus into its box when resized; a result window keeps its size.
class frmFocusing : public frmChild {
public:
    frmFocusing() : frmChild("frmConfig") {}
    platform::TextBox txtFilter{*this};

protected:
    void Form_Resize() override {
        if (Visible() && WindowState() != platform::StateMinimized) txtFilter.SetFocus();
    }
};

class frmFixed : public frmChild {
public:
    frmFixed() : frmChild("frmChart") { mnuSim.setVisible(false); }

protected:
    void Form_Resize() override {
        if (WindowState() == platform::StateNormal) Move(Left(), Top(), 6000, 3000);
    }
};

// One click on a window's title bar makes it the active child, with its menus, whatever the user did
// to the (maximized) configuration form before: restored it, nothing, minimized it, both.
TEST_F(Forms_, OneClickActivatesAChildWhateverStateTheOtherIsIn) {
    for (const std::vector<int>& clicks : std::vector<std::vector<int>>{{0}, {}, {1}, {1, 0}}) {
        auto& main = platform::Load<frmMain>();
        main.Show();
        auto& chart = platform::Load<frmFixed>();
        chart.Show();
        auto& config = platform::Load<frmFocusing>();
        config.Show();
        config.setWindowState(platform::StateMaximized);
        for (int state : clicks) clickWindowButton(config, state);
        clickTitleBar(chart);
        EXPECT_EQ(platform::ActiveForm(), &chart) << clicks.size();
        EXPECT_EQ(pt::menuBarCaptions(main), (std::vector<std::string>{"&File"})) << clicks.size();
        pt::discardAllForms();
    }
}

// Maximize, then restore: one click brings the frame back at the window's size and takes the
// window's buttons out of the main window's menu bar, whether its Resize sets its size or not.
TEST_F(Forms_, RestoreTakesOneClick) {
    for (bool fixesItsSize : {true, false}) {
        auto& main = platform::Load<frmMain>();
        main.Show();
        Form& child = fixesItsSize ? static_cast<Form&>(platform::Load<frmFixed>()) : platform::Load<frmChild>();
        child.Show();
        child.Move(0, 0, 6000, 3000);
        clickWindowButton(child, platform::StateMaximized);
        clickWindowButton(child, platform::StateNormal);
        const QWidget* buttons = static_cast<QMainWindow*>(main.window())->menuBar()->cornerWidget(Qt::TopRightCorner);
        EXPECT_FALSE(buttons && buttons->isVisible()) << fixesItsSize;
        EXPECT_EQ(child.WindowState(), platform::StateNormal) << fixesItsSize;
        EXPECT_EQ(child.Width(), 6000) << fixesItsSize;
        EXPECT_EQ(child.Height(), 3000) << fixesItsSize;
        EXPECT_GT(child.Height() - child.ScaleHeight(), 150) << fixesItsSize << ": the title bar is back";
        pt::discardAllForms();
    }
}

}  // namespace
