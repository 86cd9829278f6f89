#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/shell/frmMain.h"
#include "app/shell/shell_fixture.h"
#include "platform/canvas.h"
#include "platform/help.h"
#include "platform/menu.h"
#include "platform/strings.h"

namespace {

using namespace mdlPublic;
using shelltest::FakeConfig;
using shelltest::FakeConfig2;
using shelltest::NamedForm;
using shelltest::ShellTest;

const char* const kImageKeys[] = {"ksvb", "ksvqtar", "jxb", "jxr", "icb", "icr", "inb", "inr", "in-b", "in-r",
                                  "qtab", "qtar", "transb", "transr", "wqb", "wqr", "trans", "trans2", "cksve",
                                  "cksvjxe", "cksvjxj", "cksvj", "cksvqtae", "cksvqtaj", "cwqe", "cwqj", "cjxe",
                                  "cjxj", "cqtae", "cqtaj"};

class MainWindow : public ShellTest {
protected:
    // Starts the program past the start dialog, as with "StartDialog" = "1".
    frmMain& start(const std::string& simType = "0") {
        setSetting("StartDialog", "1");
        setSetting("SimType", simType);
        Main();
        EXPECT_NE(platform::loadedForm<frmMain>(), nullptr);
        return frmMain::instance();
    }
    static platform::MenuItem& viewItem(frmMain& main, int i) { return *main.menus().at(1)->items().at(i); }

    template <class F, class... Args>
    static F& load(Args&&... args) {
        return platform::Load<F>(std::forward<Args>(args)...);
    }
};

TEST_F(MainWindow, CaptionsMenusAndPictures) {
    setSetting("PartnumType", "1");
    frmMain& main = start();
    EXPECT_EQ(main.Caption(), "Quenlis");
    EXPECT_EQ(platform::AppTitle(), "Quenlis");  // set with the string table, as main() does
    EXPECT_EQ(&platform::Forms()(0), &main);
    EXPECT_EQ(platform::testing::menuBarCaptions(main), (std::vector<std::string>{"&File", "&View", "&Option", "&Help"}));
    EXPECT_FALSE(main.viewCurrentChecked());
    EXPECT_TRUE(main.viewOldChecked());

    // Every key the forms and the printed page ask for has a picture; sheet saved for a person to look at.
    ASSERT_EQ(main.imlMain.count(), std::size(kImageKeys));
    QImage sheet(800, 2400, QImage::Format_RGB32);
    sheet.fill(Qt::lightGray);
    QPainter painter(&sheet);
    int y = 10;
    for (const char* key : kImageKeys) {
        const platform::Picture picture = main.imlMain.picture(key);
        ASSERT_FALSE(picture.isNull()) << key;
        painter.drawText(4, y + 12, key);
        painter.drawImage(60, y, picture.image());
        y += std::max(56, picture.heightPx() + 8);
    }
    painter.end();
    if (const char* out = std::getenv("QUENLIS_TEST_OUT")) sheet.save(QString(out) + "/imlMain.png");
    // Black and red blocks differ only in colour.
    EXPECT_NE(main.imlMain.picture("jxb").image(), main.imlMain.picture("jxr").image());
    EXPECT_THROW(main.imlMain.picture("nokey"), platform::RuntimeError);
}

TEST_F(MainWindow, ConfigurationFormNotBuiltYetIsReportedNotFatal) {
    start("1");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "This circuit type is not available yet.");
    EXPECT_EQ(platform::Forms().Count(), 1);
}

TEST_F(MainWindow, StartsTheRememberedCircuitDirectly) {
    shelltest::registerFakeConfigForms();
    SimCount = 4;
    start("3");
    EXPECT_TRUE(boxes().empty());
    auto* config2 = platform::loadedForm<FakeConfig2>();
    ASSERT_NE(config2, nullptr);
    EXPECT_TRUE(config2->Visible());
    EXPECT_EQ(config2->WindowState(), 2);
    EXPECT_EQ(CurrentSim, 4);
    EXPECT_EQ(platform::loadedForm<FakeConfig>(), nullptr);
}

TEST_F(MainWindow, ShowConfigFormVariants) {
    shelltest::registerFakeConfigForms();
    start("3");
    ConfigWindowState = 0;

    ShowConfigForm(0, false);
    EXPECT_EQ(platform::loadedForm<FakeConfig2>(), nullptr);  // one configuration form at a time
    FakeConfig* config = platform::loadedForm<FakeConfig>();
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(config->imgCircuit(2).PictureKey(), "ksvqtar");
    EXPECT_EQ(config->imgCircuit(5).PictureKey(), "");
    EXPECT_FALSE(config->imgCircuit(5).Visible());
    EXPECT_FALSE(config->lblCircuit(5).Visible());
    EXPECT_FALSE(config->lblFilter(1).Visible());
    EXPECT_FALSE(config->txtFilter(1).Visible());
    EXPECT_EQ(config->Line2.X2(), 5000);
    EXPECT_EQ(config->WindowState(), 0);
    EXPECT_TRUE(config->Visible());

    ShowConfigForm(2, false);
    config = platform::loadedForm<FakeConfig>();
    EXPECT_EQ(config->imgCircuit(5).PictureKey(), "qtar");
    EXPECT_EQ(config->Line2.X2(), 4500);

    // A review leaves the part pictures to the LoadConfig that follows.
    ConfigWindowState = 2;
    ShowConfigForm(1, true);
    config = platform::loadedForm<FakeConfig>();
    EXPECT_EQ(config->imgCircuit(2).PictureKey(), "");
    EXPECT_EQ(config->imgCircuit(5).PictureKey(), "");
    EXPECT_TRUE(config->imgCircuit(5).Visible());
    EXPECT_TRUE(config->lblCircuit(5).Visible());
    EXPECT_TRUE(config->txtFilter(1).Visible());
    EXPECT_EQ(config->WindowState(), 2);

    ShowConfigForm(1, false);
    EXPECT_EQ(platform::loadedForm<FakeConfig>()->imgCircuit(5).PictureKey(), "jxr");
}

TEST_F(MainWindow, SetPartnumTypeRewritesOpenWindowsAndTheirRecords) {
    writeData("1,0,\"Chip Ferrite Bead (KSV series)\",S,T,100MHz,KSV1,OLD1\r\n"
              "2,2,\"Chip Capacitor (JX)\",S,T,,JX2,OLDJX2\r\n"
              "3,3,\"Chip Common Mode Choke Coil\",S,T,90ohm,WQA,WQB\r\n"
              "4,3,\"Chip Common Mode Choke Coil\",S,T,,WQC,WQA\r\n"
              "5,2,\"Chip Capacitor (JX)\",S,T,,JX5,\r\n",
              shelltest::icLines(1));
    shelltest::registerFakeConfigForms();
    frmMain& main = start("1");
    FakeConfig& config = *platform::loadedForm<FakeConfig>();
    config.txtFilter(0).setText("ksv1 (100MHz)");
    config.txtFilter(1).setText("JX2");
    config.changes.clear();

    SimConfigs[0].SimType = 1;  // two parts, only the second known
    SimConfigs[0].PartNum = {"UNKNOWN", "JX2"};
    SimConfigs[0].ClockFreq = "10";
    SimConfigs[99].SimType = 0;
    SimConfigs[99].PartNum = {"KSV1", ""};
    SimConfigs[99].ClockFreq = "25";
    SimConfigs2[1].PartNum = "WQA";
    SimConfigs2[1].ClockFreq = "12";
    auto& chart0 = load<NamedForm>("frmChart", "Simulation No.01-old caption");
    auto& chart99 = load<NamedForm>("frmChart", "Simulation No.100-old caption");
    auto& chart1 = load<NamedForm>("frmChart2", "Simulation No.02-old caption");
    // Dialogs whose names only begin like the forms above have no part boxes and are left alone.
    load<NamedForm>("frmConfigRange", "Simulation No.01-range");
    load<NamedForm>("frmChartDummy", "Simulation No.01-x");

    platform::testing::click(viewItem(main, 1));  // View > Previous Part Number
    EXPECT_TRUE(boxes().empty()) << boxes()[0].text;
    EXPECT_EQ(setting("PartnumType"), "1");
    EXPECT_FALSE(main.viewCurrentChecked());
    EXPECT_TRUE(main.viewOldChecked());
    EXPECT_EQ(config.txtFilter(0).Text(), "OLD1 (100MHz)");
    EXPECT_EQ(config.txtFilter(1).Text(), "OLDJX2");
    EXPECT_EQ(config.changes, (std::vector<int>{0, 1}));
    EXPECT_EQ(SimConfigs[0].PartNum[0], "UNKNOWN");
    EXPECT_EQ(SimConfigs[0].PartNum[1], "OLDJX2");
    EXPECT_EQ(chart0.Caption(), "Simulation No.01-UNKNOWN+OLDJX2-Input Signal Frequency=10[MHz]");
    EXPECT_EQ(chart99.Caption(), "Simulation No.100-OLD1-Input Signal Frequency=25[MHz]");
    EXPECT_EQ(SimConfigs2[1].PartNum, "WQB");
    EXPECT_EQ(chart1.Caption(), "Simulation No.02-WQB-Input Signal Frequency=12[MHz]");

    // Back to global numbers: the differential walk goes on with the replaced value, so WQB
    // becomes WQA at entry 3 and then WQC at entry 4.
    platform::testing::click(viewItem(main, 0));
    EXPECT_EQ(setting("PartnumType"), "0");
    EXPECT_TRUE(main.viewCurrentChecked());
    EXPECT_EQ(config.txtFilter(0).Text(), "KSV1 (100MHz)");
    EXPECT_EQ(SimConfigs2[1].PartNum, "WQC");
    EXPECT_EQ(chart1.Caption(), "Simulation No.02-WQC-Input Signal Frequency=12[MHz]");

    // A hidden second box is not rewritten, and an empty number never takes an entry's empty one.
    config.txtFilter(1).setVisible(false);
    config.txtFilter(1).setText("JX2");
    SetPartnumType(1);
    EXPECT_EQ(config.txtFilter(1).Text(), "JX2");
    SimConfigs[0].PartNum = {"KSV1", ""};
    SetPartnumType(0);  // entry 5 has no previous number
    EXPECT_EQ(SimConfigs[0].PartNum[1], "");
}

TEST_F(MainWindow, APartWithoutANumberInTheOtherViewKeepsItsNumberBothWays) {
    writeData("1,0,\"Chip Ferrite Bead (KSV series)\",S,T,10ohm,KSV7,\r\n"
              "2,3,\"Chip Common Mode Choke Coil\",S,T,90ohm,WQ7,\r\n",
              shelltest::icLines(1));
    shelltest::registerFakeConfigForms();
    start("0");
    FakeConfig& config = *platform::loadedForm<FakeConfig>();
    config.txtFilter(0).setText("KSV7 (10ohm)");
    SimConfigs[0].SimType = 0;
    SimConfigs[0].PartNum = {"KSV7", ""};
    SimConfigs[0].ClockFreq = "10";
    SimConfigs2[1].PartNum = "WQ7";
    SimConfigs2[1].ClockFreq = "12";
    auto& chart0 = load<NamedForm>("frmChart", "Simulation No.01-KSV7-x");
    auto& chart1 = load<NamedForm>("frmChart2", "Simulation No.02-WQ7-x");

    for (int t : {1, 0}) {
        SetPartnumType(t);
        EXPECT_EQ(config.txtFilter(0).Text(), "KSV7 (10ohm)") << t;
        EXPECT_EQ(SimConfigs[0].PartNum[0], "KSV7") << t;
        EXPECT_EQ(SimConfigs2[1].PartNum, "WQ7") << t;
        EXPECT_EQ(chart0.Caption(), "Simulation No.01-KSV7-Input Signal Frequency=10[MHz]") << t;
        EXPECT_EQ(chart1.Caption(), "Simulation No.02-WQ7-Input Signal Frequency=12[MHz]") << t;
    }
}

TEST_F(MainWindow, ClosingUnloadsEveryOtherFormLastFirst) {
    frmMain& main = start("1");
    std::vector<std::string> unloads;
    for (const char* c : {"a", "b", "c"}) load<NamedForm>("frmChart", c, &unloads);
    platform::testing::close(main);
    EXPECT_EQ(unloads, (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(platform::Forms().Count(), 0);
}

TEST_F(MainWindow, ExitEndsAtOnceWithoutUnloading) {
    frmMain& main = start("1");
    std::vector<std::string> unloads;
    load<NamedForm>("frmChart", "a", &unloads);
    try {
        platform::testing::click(*main.menus()[0]->items()[2]);
        ADD_FAILURE() << "the program went on";
    } catch (const platform::testing::ProgramEnded& end) {
        EXPECT_FALSE(end.stopped);
    }
    EXPECT_TRUE(unloads.empty());
    EXPECT_EQ(setting("StartDialog"), "1");
}

TEST_F(MainWindow, HelpOpensTheProgramsOwnFile) {
    frmMain& main = start("1");
    platform::testing::clearMessageBoxes();
    const std::string title = platform::AppTitle();
    platform::setAppTitle("Another Program");  // the window bears the program's title, whichever it is
    main.mnuHelpContents_Click();  // no help file beside the program: the viewer says so
    platform::setAppTitle(title);
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(platform::helpVisible());
    QCoreApplication::processEvents();  // the window system activates it
    EXPECT_TRUE(QApplication::activeWindow() && QApplication::activeWindow()->windowTitle() == "Another Program Help");
    platform::closeHelp();

    const std::string installed = std::string(std::getenv("QUENLIS_SOURCE_DIR")) + "/app/shell/help/vandore.html";
    ASSERT_TRUE(QFile::copy(QString::fromStdString(installed), QString::fromStdString(ProgramFolder + "/vandore.html")));
    platform::testing::click(*main.menus()[3]->items()[0]);
    EXPECT_TRUE(platform::helpVisible());
    EXPECT_NE(platform::helpText().find("How a simulation runs"), std::string::npos);
    EXPECT_EQ(main.dlgCommonDialog.HelpCommand, 3);
    platform::closeHelp();
}

class FakeChooser : public platform::Form {
public:
    FakeChooser() : Form("frmSelectFil") {
        cmdOk.setName("cmdOk");
        cmdSimulation.setName("cmdSimulation");
        cmdCancel.setName("cmdCancel");
    }
    platform::CommandButton cmdOk{*this};
    platform::CommandButton cmdSimulation{*this};
    platform::CommandButton cmdCancel{*this};
};

TEST_F(MainWindow, ArrangeSelectFilLayouts) {
    start("1");
    platform::testing::clearMessageBoxes();
    ArrangeSelectFil(0);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "The part chooser is not available yet.");

    app::registerFormLoader("frmSelectFil", []() -> platform::Form& { return platform::defaultForm<FakeChooser>(); });
    for (int layout : {0, 1}) {
        int shown = 0;
        platform::testing::setModalDriver([&](platform::Form& f) {
            auto& chooser = dynamic_cast<FakeChooser&>(f);
            ++shown;
            for (auto* b : {&chooser.cmdOk, &chooser.cmdSimulation, &chooser.cmdCancel})
                EXPECT_EQ(b->Top(), layout == 0 ? 3100 : 6600);
            EXPECT_NEAR(f.Height(), layout == 0 ? 3950 : 7425, shelltest::kFrameTolerance);
            platform::Unload(f);
        });
        ArrangeSelectFil(layout);
        EXPECT_EQ(shown, 1);
    }
}

TEST_F(MainWindow, PrintAtAndSetTopMost) {
    platform::RecordingCanvas canvas(400, 300);
    canvas.setScaleMode(platform::ScalePixels);
    canvas.setFontSize(9);
    PrintAt(canvas, 10, 20, "big", 14);
    PrintAt(canvas, 30, 40, "plain", 0);
    const auto& list = canvas.displayList();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].text, "big");
    EXPECT_DOUBLE_EQ(list[0].x1, 10);
    EXPECT_DOUBLE_EQ(list[0].y1, 20);
    EXPECT_DOUBLE_EQ(list[0].fontSize, 14);
    EXPECT_DOUBLE_EQ(list[1].fontSize, 9);
    EXPECT_DOUBLE_EQ(canvas.FontSize(), 9);

    auto& tool = load<NamedForm>("frmTransFigure", "figure");
    EXPECT_EQ(SetTopMost(tool, 2), 0);
    EXPECT_FALSE(tool.Visible());
    EXPECT_NE(SetTopMost(tool, 1), 0);
    EXPECT_TRUE(tool.Visible());
    EXPECT_NE(SetTopMost(tool, 0), 0);
}

// Each text box of the form that the client area can show cut by its edge (its middle scrolled
// towards the bottom or top edge, else the right or left, or the area at an end), pressed and released by the mouse on the part
// shown: how many, and those that did not take the focus or did not come whole into view after.
std::pair<int, std::string> clickCutTextBoxes(platform::Form& config, QMdiArea& area) {
    QWidget* const view = area.viewport();
    const auto shown = [view](const QWidget* w) { return QRect(w->mapTo(view, QPoint(0, 0)), w->size()); };
    int pressed = 0;
    std::string wrong;
    for (platform::Control* c : config.controls()) {
        QWidget* const w = c->widget();
        if (!dynamic_cast<platform::TextBox*>(c) || !w->isVisible() || !w->isEnabled() || w->hasFocus()) continue;
        bool cut = false;
        for (QScrollBar* bar : {area.verticalScrollBar(), area.horizontalScrollBar()}) {
            const bool down = bar == area.verticalScrollBar();
            const int middle = (down ? shown(w).center().y() : shown(w).center().x()) + bar->value();
            for (const int value : {middle - (down ? view->height() : view->width()), middle, bar->minimum(), bar->maximum()}) {
                if (cut) continue;
                bar->setValue(value);  // as near as the bar goes
                cut = view->rect().intersects(shown(w)) && !view->rect().contains(shown(w));
            }
        }
        if (!cut) continue;
        ++pressed;
        const QPoint at = w->mapFrom(view, (view->rect() & shown(w)).center());
        platform::testing::mouseClick(*c, at.x(), at.y());
        if (QApplication::focusWidget() != w || !view->rect().contains(shown(w)))
            wrong += " " + c->Name() + "(" + std::to_string(c->Index()) + ")";
    }
    return {pressed, wrong};
}

// The first window on four desktops, with the program's own configuration forms: each of them,
// maximized in it as it opens, shows every control (hidden ones too, which its other entry modes
// show) without scrolling, and the window stays on the work area. A desktop too narrow for that
// opens the window maximized, and its client area scrolls to every control and to each that Tab focuses.
class FirstWindow : public apptest::SampleProgramTest {};

TEST_F(FirstWindow, ShowsEveryControlOfEitherConfigurationForm) {
    struct Row {
        int width, height;  // the desktop's work area, pixels
        bool fits;
    };
    for (const Row& row : {Row{1600, 1000, true}, Row{1366, 768, true}, Row{1024, 768, false}, Row{800, 600, false}}) {
        platform::testing::setWorkArea(0, 0, row.width * 15, row.height * 15);
        int pressedInRow = 0;
        for (int simType : {0, 1, 2, 3}) {
            const std::string trace = std::to_string(row.width) + "x" + std::to_string(row.height) + " type " +
                                      std::to_string(simType);
            platform::Form& config = startProgram(simType);
            frmMain& main = frmMain::instance();
            QCoreApplication::processEvents();  // the window system's answer to the size asked
            EXPECT_EQ(main.WindowState(), row.fits ? 0 : 2) << trace;
            auto* area = main.window()->findChild<QMdiArea*>();
            const QWidget* view = area->viewport();
            const QScrollBar &across = *area->horizontalScrollBar(), &down = *area->verticalScrollBar();  // at the focus
            const QRect reach(-across.value(), -down.value(), view->width() + across.maximum(), view->height() + down.maximum());
            // A maximized window is the window system's to place.
            if (row.fits) {
                EXPECT_TRUE(QRect(0, 0, row.width * 15, row.height * 15)
                                .contains(QRect(main.Left(), main.Top(), main.Width(), main.Height())))
                    << trace;
                EXPECT_EQ(reach.size(), view->size()) << trace << ": no scrolling needed";
            }
            for (platform::Control* c : config.controls()) {
                const QRect shown(c->widget()->mapTo(view, QPoint(0, 0)), c->widget()->size());
                EXPECT_TRUE(reach.contains(shown)) << trace << ": " << c->Name() << "(" << c->Index() << ")";
            }
            if (simType == 0)
                apptest::grab(main, "first_window_" + std::to_string(row.width) + "x" + std::to_string(row.height));
            main.setWindowState(0);  // as large as the work area allows: the offscreen screen is another
            QCoreApplication::processEvents();
            for (const int state : {2, 0}) {
                config.setWindowState(state);
                std::string cut;  // the Tab stops, numbered from 0, that the client area does not show whole
                const std::vector<std::string> stops = platform::testing::tabStops(config, [&](int n) {
                    const QWidget* focus = main.window()->focusWidget();
                    if (!view->rect().contains(QRect(focus->mapTo(view, QPoint(0, 0)), focus->size()))) cut += " " + std::to_string(n);
                    if (row.width == 800 && focus == config.controlByName("cmdReset")->widget())
                        apptest::grab(main, "focus_in_view_800x600_type" + std::to_string(simType) + "_state" + std::to_string(state));
                });
                EXPECT_EQ(cut, "") << trace << " state " << state << ": " << ::testing::PrintToString(stops);
            }
            for (const int state : {2, 0}) {  // the same by the mouse, after the walks and their pictures
                config.setWindowState(state);
                QCoreApplication::processEvents();
                const auto [pressed, unseen] = clickCutTextBoxes(config, *area);
                pressedInRow += pressed;
                EXPECT_EQ(unseen, "") << trace << " state " << state << ": pressed by the mouse";
            }
            platform::testing::discardAllForms();
            apptest::resetShared();
        }
        EXPECT_TRUE(row.fits || pressedInRow > 0) << row.width << "x" << row.height << ": no text box cut";
    }
    platform::testing::setWorkArea(0, 0, 0, 0);
}

}  // namespace
