#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "app/charts/frmWideChart.h"
#include "app/config/frmConfig.h"
#include "app/config/frmSelectFil.h"
#include "app/shared/frmTransFigure.h"
#include "app/diffconfig/frmWave.h"
#include "app/print/frmConfigPrint.h"
#include "app/print/frmConfigRange.h"
#include "app/print/frmConfigRange2.h"
#include "app/print/frmPrinting.h"
#include "app/shell/frmAbout.h"
#include "app/shell/frmConfigApp.h"
#include "app/shell/frmMain.h"
#include "app/shell/frmStart.h"
#include "app/shell/shell_fixture.h"
#include "platform/printer.h"
#include "platform/strings.h"

namespace {

using namespace mdlPublic;
using shelltest::ShellTest;
using platform::testing::click;

using apptest::control;

class Dialogs : public ShellTest {
protected:
    // Starts the program as a user would; `user` acts in the start dialog when it opens.
    void startProgram(std::function<void(platform::Form&)> user) {
        startDialogShown = 0;
        platform::testing::setModalDriver([this, user](platform::Form& f) {
            if (f.Name() == "frmStart") ++startDialogShown;
            user(f);
        });
        Main();
        platform::testing::setModalDriver({});
    }
    static void expectCentredOnMain(platform::Form& dialog) {
        const frmMain& main = frmMain::instance();
        EXPECT_NEAR(dialog.Top(), main.Top() + (main.Height() - dialog.Height()) / 2, shelltest::kFrameTolerance);
        EXPECT_NEAR(dialog.Left(), main.Left() + (main.Width() - dialog.Width()) / 2, shelltest::kFrameTolerance);
    }
    void openEveryWindowNearEveryCorner(QPoint origin);
    int startDialogShown = 0;
};

TEST_F(Dialogs, FirstStartShowsTheStartDialog) {
    shelltest::registerFakeConfigForms();
    startProgram([](platform::Form& start) {
        EXPECT_EQ(start.Caption(), "Select a new simulation circuit");
        EXPECT_NEAR(start.Width(), 7500, shelltest::kFrameTolerance);
        EXPECT_NEAR(start.Height(), 3750, shelltest::kFrameTolerance);
        expectCentredOnMain(start);
        EXPECT_EQ(control<platform::Frame>(start, "fraSimType").Caption(), "Select circuit type for simulation.");
        for (int i = 0; i < 4; ++i) {
            auto& opt = control<platform::OptionButton>(start, "optSimType", i);
            EXPECT_EQ(opt.Caption(), platform::LoadResString(6204 + i));
            EXPECT_EQ(opt.Value(), i == 0);
        }
        auto& next = control<platform::CheckBox>(start, "chkNext");
        EXPECT_TRUE(next.Visible());
        EXPECT_EQ(next.Value(), 0);
        shelltest::grab(start, "frmStart");
        click(control<platform::CommandButton>(start, "cmdOk"));
    });
    EXPECT_EQ(startDialogShown, 1);
    EXPECT_EQ(setting("SimType"), "0");
    EXPECT_EQ(setting("StartDialog"), "0");
    EXPECT_NE(platform::loadedForm<shelltest::FakeConfig>(), nullptr);
    EXPECT_EQ(platform::loadedForm<frmStart>(), nullptr);
    shelltest::grab(frmMain::instance(), "frmMain");
}

TEST_F(Dialogs, SkippingTheStartDialogAndGettingItBack) {
    shelltest::registerFakeConfigForms();
    startProgram([](platform::Form& start) {
        click(control<platform::OptionButton>(start, "optSimType", 3));
        click(control<platform::CheckBox>(start, "chkNext"));
        click(control<platform::CommandButton>(start, "cmdOk"));
    });
    EXPECT_EQ(setting("SimType"), "3");
    EXPECT_EQ(setting("StartDialog"), "1");
    EXPECT_NE(platform::loadedForm<shelltest::FakeConfig2>(), nullptr);

    // Next start: straight to the differential form.
    platform::testing::discardAllForms();
    SimCount = 2;
    startProgram([](platform::Form&) { ADD_FAILURE() << "a dialog opened"; });
    EXPECT_EQ(startDialogShown, 0);
    EXPECT_NE(platform::loadedForm<shelltest::FakeConfig2>(), nullptr);
    EXPECT_EQ(CurrentSim, 2);

    // File > New: the box is hidden and unticked, so OK brings the dialog back for the next start.
    platform::testing::setModalDriver([](platform::Form& start) {
        EXPECT_FALSE(control<platform::CheckBox>(start, "chkNext").Visible());
        EXPECT_TRUE(control<platform::OptionButton>(start, "optSimType", 3).Value());
        click(control<platform::OptionButton>(start, "optSimType", 2));
        click(control<platform::CommandButton>(start, "cmdOk"));
    });
    frmMain::instance().mnuFileNew_Click();
    EXPECT_EQ(setting("StartDialog"), "0");
    EXPECT_EQ(setting("SimType"), "2");
    EXPECT_EQ(platform::loadedForm<shelltest::FakeConfig2>(), nullptr);
    EXPECT_EQ(platform::loadedForm<shelltest::FakeConfig>()->prepared, (std::vector<std::pair<int, bool>>{{2, false}}));
}

TEST_F(Dialogs, CancelAtStartUpLeavesTheEmptyMainWindow) {
    shelltest::registerFakeConfigForms();
    startProgram([](platform::Form& start) {
        click(control<platform::OptionButton>(start, "optSimType", 2));
        click(control<platform::CommandButton>(start, "cmdCancel"));
    });
    EXPECT_EQ(setting("SimType"), "<unset>");
    EXPECT_EQ(setting("StartDialog"), "<unset>");
    EXPECT_EQ(platform::Forms().Count(), 1);
    EXPECT_TRUE(frmMain::instance().Visible());
}

TEST_F(Dialogs, OptionsDialog) {
    startProgram([](platform::Form& start) { click(control<platform::CommandButton>(start, "cmdCancel")); });
    frmMain& main = frmMain::instance();

    platform::testing::setModalDriver([](platform::Form& f) {
        EXPECT_EQ(f.Caption(), "Setting");
        EXPECT_NEAR(f.Width(), 7000, shelltest::kFrameTolerance);
        EXPECT_NEAR(f.Height(), 2700, shelltest::kFrameTolerance);
        expectCentredOnMain(f);
        auto& box = control<platform::CheckBox>(f, "chkStart");
        EXPECT_EQ(box.Caption(), "Display the Select New Simulation Circuit dialog box upon startup.");
        EXPECT_EQ(box.Value(), 1);  // "StartDialog" is "0"
        shelltest::grab(f, "frmConfigApp");
        click(box);
        click(control<platform::CommandButton>(f, "cmdOk"));
    });
    main.mnuOptConf_Click();
    EXPECT_EQ(setting("StartDialog"), "1");

    platform::testing::setModalDriver([](platform::Form& f) {
        auto& box = control<platform::CheckBox>(f, "chkStart");
        EXPECT_EQ(box.Value(), 0);
        click(box);
        click(control<platform::CommandButton>(f, "cmdCancel"));
    });
    main.mnuOptConf_Click();
    EXPECT_EQ(setting("StartDialog"), "1");
    EXPECT_EQ(platform::loadedForm<frmConfigApp>(), nullptr);
}

TEST_F(Dialogs, AboutBox) {
    startProgram([](platform::Form& start) { click(control<platform::CommandButton>(start, "cmdCancel")); });
    bool shown = false;
    platform::testing::setModalDriver([&](platform::Form& f) {
        shown = true;
        auto& about = dynamic_cast<frmAbout&>(f);
        EXPECT_EQ(about.Caption(), "Version Information");
        EXPECT_EQ(about.versionText(), "Version 1.0.0");  // the project's version
        EXPECT_EQ(about.disclaimerText(),
                  "Warning\r\nPlease use any results of this software as tentative results.\r\n"
                  "If you need a result simulated precisely, please contact us."
                  "We are glad to provide you any SPICE data for your simulation software.");
        expectCentredOnMain(about);
        shelltest::grab(about, "frmAbout");
        click(control<platform::CommandButton>(about, "cmdOk"));
    });
    frmMain::instance().mnuHelpAbout_Click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(platform::loadedForm<frmAbout>(), nullptr);
}

template <class F>
platform::Form* open() { return &platform::Load<F>(); }
platform::Form* openLineFigure() {
    platform::defaultForm<frmTransFigure>().setFigure("trans2");
    return platform::loadedForm<frmTransFigure>();
}
platform::Form* openShownLineFigure() {  // placed after it shows, before the window manager frames it
    SetTopMost(platform::defaultForm<frmTransFigure>(), 1);
    return openLineFigure();
}
// The notice it shows, the active window, is no form; it bears the program's title, here another one.
constexpr const char* kNoticeTitle = "Another Program";
platform::Form* printWithoutPrinter() {
    const std::string title = platform::AppTitle();
    platform::setAppTitle(kNoticeTitle);
    platform::Printer.setPdfOutput(apptest::outputFile("no_printer.pdf"));
    platform::Printer.Line(0, 0, 100, 100);
    platform::Printer.EndDoc();
    QCoreApplication::processEvents();
    platform::setAppTitle(title);
    return nullptr;
}
QRect frameOf(const QWidget& w) { return {w.frameGeometry().topLeft(), w.size().grownBy(QMargins(4, 30, 4, 4))}; }

// Each window the program places, the main window (maximized as it opens on an 800x600 work area,
// the start dialog centred on it, then restored) in the middle of that area and hanging over each
// corner of it and of a larger one: its frame, a 30-pixel title bar included, lies inside the area,
// centred on the main window where that fits (the waveform preview and the line figure beside or
// over it), and Escape closes it (but the printing notice).
TEST_F(Dialogs, WindowsOpenInsideTheWorkAreaNearEveryCornerAndCloseWithEscape) {
    shelltest::registerFakeConfigForms();
    app::registerFormLoader("frmConfig", [] () -> platform::Form& { return platform::defaultForm<shelltest::FakeConfig>(); },
                            [] { return std::unique_ptr<platform::Form>(std::make_unique<frmConfig>()); });  // its size
    openEveryWindowNearEveryCorner({40, 30});  // the main window's designed place
    platform::testing::discardAllForms();
    apptest::resetShared();
    openEveryWindowNearEveryCorner({300, 200});
}
void Dialogs::openEveryWindowNearEveryCorner(QPoint origin) {
    const QRect small(origin, QSize(800, 600)), large(origin, QSize(1024, 700));
    platform::testing::setWorkArea(origin.x() * 15, origin.y() * 15, 800 * 15, 600 * 15);
    platform::testing::setWindowFrame(60, 450, 60, 60);
    startProgram([&](platform::Form& start) {
        EXPECT_LE((frameOf(*start.window()).center() - small.center()).manhattanLength(), 2);
        click(control<platform::CommandButton>(start, "cmdCancel"));
    });
    frmMain::instance().setWindowState(platform::StateNormal);
    EXPECT_TRUE(small.contains(frameOf(*frmMain::instance().window())));
    ShowConfigForm(3, false);  // the waveform preview's opener
    frmMain& main = frmMain::instance();
    const std::pair<platform::Form* (*)(), bool> kinds[] = {
        {open<frmAbout>, true},       {open<frmStart>, true},        {open<frmConfigApp>, true},
        {open<frmSelectFil>, true},   {open<frmConfigPrint>, true},  {open<frmPrinting>, true},
        {open<frmConfigRange>, true}, {open<frmConfigRange2>, true}, {open<frmWideChart>, true},
        {printWithoutPrinter, true},  {open<frmWave>, false},        {openLineFigure, false},
        {openShownLineFigure, false}};
    QRect figureAt;
    for (const QPoint corner : {small.center(), small.topLeft(), small.topRight(), small.bottomLeft(), small.bottomRight(),
                                large.topRight(), large.bottomLeft(), large.bottomRight()}) {
        const QRect area = small.contains(corner) ? small : large;
        platform::testing::setWorkArea(area.left() * 15, area.top() * 15, area.width() * 15, area.height() * 15);
        QRect around = frameOf(*main.window());  // its centre half-way in (the smaller windows fit) or a quarter
        around.moveCenter(corner + (area.center() - corner) / (corner.y() == area.top() ? 2 : 4));
        main.Move(around.left() * 15, around.top() * 15);
        for (const auto& [openWindow, centred] : kinds) {
            platform::Form* f = openWindow();
            QWidget& w = f ? *f->window() : *QApplication::activeWindow();
            ASSERT_TRUE(f || w.inherits("QMessageBox"));
            EXPECT_TRUE(f || w.windowTitle() == kNoticeTitle);
            QRect frame = frameOf(w), middle = frame;
            middle.moveCenter(around.center());
            SCOPED_TRACE(w.windowTitle().toStdString() + " near " + std::to_string(corner.x()) + "," + std::to_string(corner.y()));
            EXPECT_TRUE(area.contains(frame));
            EXPECT_TRUE(!centred || !area.contains(middle) || (frame.center() - middle.center()).manhattanLength() <= 2);
            EXPECT_TRUE(centred || frame.intersects(around.adjusted(-10, -10, 10, 10)));
            if (openWindow == openLineFigure) figureAt = frame;
            EXPECT_TRUE(openWindow != openShownLineFigure || frame == figureAt);
            if (f && !f->Visible() && corner == small.center())  // placed unshown, the restored main window behind
                platform::testing::saveDesktopPicture(apptest::outputFile(f->Name() + "_800x600.png"), {&main, f});
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(&w, &escape);
            EXPECT_EQ(f ? f->isLoaded() : w.isVisible(), f && f->Name() == "frmPrinting");
            if (f && f->isLoaded()) platform::Unload(*f);
        }
    }
    // Maximized on the larger area, by the window system too, on a screen of its own.
    main.setWindowState(platform::StateMaximized);
    QCoreApplication::processEvents();
    EXPECT_LE((frameOf(*open<frmAbout>()->window()).center() - large.center()).manhattanLength(), 2);
    platform::testing::setWindowFrame(0, 0, 0, 0);
    platform::testing::setWorkArea(0, 0, 0, 0);
}

}  // namespace
