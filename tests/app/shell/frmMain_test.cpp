#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/shared/part_chooser.h"
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
using shelltest::NamedChart;
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

TEST_F(MainWindow, AnUnregisteredConfigurationFormOpensNothing) {
    start("1");
    EXPECT_TRUE(boxes().empty());
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

    // Each form readies its own diagram (frmConfig's tests check what it shows); a review leaves the
    // part pictures to the LoadConfig that follows.
    using Prepared = std::pair<int, bool>;
    ShowConfigForm(0, false);
    EXPECT_EQ(platform::loadedForm<FakeConfig2>(), nullptr);  // one configuration form at a time
    FakeConfig* config = platform::loadedForm<FakeConfig>();
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(config->prepared, (std::vector<Prepared>{{0, false}}));
    EXPECT_EQ(config->WindowState(), 0);
    EXPECT_TRUE(config->Visible());

    ConfigWindowState = 2;
    for (const Prepared& p : {Prepared{2, false}, Prepared{1, true}, Prepared{1, false}}) {
        ShowConfigForm(p.first, p.second);
        config = platform::loadedForm<FakeConfig>();
        EXPECT_EQ(config->prepared.back(), p);
        EXPECT_EQ(config->WindowState(), 2);
    }
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
    auto& chart0 = load<NamedChart>("frmChart", "Simulation No.01-old caption");
    auto& chart99 = load<NamedChart>("frmChart", "Simulation No.100-old caption");
    auto& chart1 = load<NamedChart>("frmChart2", "Simulation No.02-old caption");
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
    auto& chart0 = load<NamedChart>("frmChart", "Simulation No.01-KSV7-x");
    auto& chart1 = load<NamedChart>("frmChart2", "Simulation No.02-WQ7-x");

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
    const std::string page = platform::helpText();
    EXPECT_NE(page.find("How a simulation runs"), std::string::npos);
    EXPECT_EQ(main.dlgCommonDialog.HelpCommand, 3);
    platform::closeHelp();

    // Sentences of the page against the program, on the sample catalogue and engine: each row the words that
    // follow the sentence's opening in its paragraph, in the program's order (a Tab sentence: exactly those).
    platform::testing::discardAllForms();
    QTemporaryDir sample;
    apptest::useSampleProgram(sample.path());
    const std::pair<const char*, const char*> named[] = {  // Tab stops as the page names them
        {" txtClockFreq txtDuty txtUp txtDown txtVoltage ", "the input signal"}, {" cboDcc cboDccClock ", "Circuit Type"},
        {" optSelectIc optSelectCircuit cboSelectIcPrimary cboSelectIc txtR txtL txtC ", "the driver"}, {" cmdReset ", "Reset"},
        {" optConfigTrans cmdFigure txtConfigTrans cboMaterial ", "the line"}, {" txtFilter ", "the part box"},
        {" cmdSelect ", "Select from List"}, {" cmdWave ", "View Input Signal Waveform"}, {" cmdSimulation ", "Start Simulation"},
        {" chkMeasure ", "the measuring points"}, {" txtRiseTime txtFallTime txtScue ", "the two signals and their skew"}};
    const auto tabWords = [&named](platform::Form& form, bool pair) {  // "a, b, then c"
        std::vector<std::string> out;
        for (const std::string& stop : platform::testing::tabStops(form)) {
            std::string words = "stop " + stop;
            for (const auto& [stops, name] : named)
                if (std::string(stops).find(" " + stop.substr(0, stop.find('(')) + " ") != std::string::npos) words = name;
            if (words == "the driver" && stop.find("(0)") == std::string::npos) words = "the receiver";
            if (pair) words = words == "the part box" ? "the choke" : words == "the line" ? "the coupled line" : words;
            if (out.empty() || out.back() != words) out.push_back(words);
        }
        std::rotate(out.begin(), std::find(out.begin(), out.end(), pair ? "Circuit Type" : "the input signal"), out.end());
        std::string sentence = "form: ";
        for (std::size_t i = 0; i < out.size(); ++i) sentence += (i ? ", " : "") + std::string(i + 1 == out.size() ? "then " : "") + out[i];
        return sentence;
    };
    start("0");
    platform::Form& filter = *platform::Forms().byName("frmConfig");
    const std::string none = tabWords(filter, false);  // no part known
    apptest::typeEnter(apptest::control<platform::TextBox>(filter, "txtFilter", 0), "QTA18C220");  // a capacitor: (B) alone
    EXPECT_EQ(tabWords(filter, false), none);
    apptest::typeEnter(apptest::control<platform::TextBox>(filter, "txtFilter", 0), "KSV1608S601");  // a bead: both points
    std::string bead = tabWords(filter, false), measured = bead;
    if (const std::size_t at = measured.find(", the measuring points"); at != std::string::npos) measured.erase(at, 22);
    EXPECT_EQ(measured, none);
    ShowConfigForm(3, false);
    platform::Form& pair = *platform::Forms().byName("frmConfig2");
    const auto type = [&pair](int k, const char* typed) { apptest::typeEnter(apptest::control<platform::TextBox>(pair, "txtConfigTrans", k), typed); };
    const auto shown = [&pair](int k) { return apptest::control<platform::Label>(pair, "lblConfigTrans", k).Caption(); };
    for (const auto& [box, typed] : {std::pair{0, "0.15"}, {1, "0.1"}, {2, "0.15"}, {3, "50"}}) type(box, typed);
    const std::string even = shown(7), odd = shown(8);
    type(2, "0.3");  // centre to centre
    const std::string centres = shown(8);
    const std::pair<const char*, std::vector<std::string>> rows[] = {
        {"On a filter circuit's form: ", {bead + "."}},
        {"On the differential form: ", {tabWords(pair, true) + ","}},
        {"Example, a 100 ohm LVDS pair: ", {"Common Mode " + even, "Differential Mode " + odd, "Differential Mode " + centres}},
    };
    for (const auto& [opening, expected] : rows) {
        const std::size_t from = page.find(opening);
        ASSERT_NE(from, std::string::npos) << opening;
        const std::string words = page.substr(from, page.find('\n', from) - from);
        for (std::size_t at = 0; const std::string& phrase : expected)
            EXPECT_NE(at = words.find(phrase, at), std::string::npos) << phrase << "\nnot in: " << words;
    }
}

class FakeChooser : public app::PartChooser {
public:
    FakeChooser() : PartChooser("frmSelectFil") {}
    void arrange() override { ++arranged; }
    int arranged = 0;
};

// The chooser arranges itself (frmSelectFil's tests check how) before it shows modal.
TEST_F(MainWindow, ArrangeSelectFilLayouts) {
    start("1");
    platform::testing::clearMessageBoxes();
    ArrangeSelectFil(0);
    EXPECT_TRUE(boxes().empty());

    app::registerFormLoader("frmSelectFil", []() -> platform::Form& { return platform::defaultForm<FakeChooser>(); });
    for (int layout : {0, 1}) {
        int shown = 0;
        platform::testing::setModalDriver([&](platform::Form& f) {
            ++shown;
            EXPECT_EQ(dynamic_cast<FakeChooser&>(f).arranged, 1);
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
                std::string cut;    // the Tab stops, numbered from 0, that the client area does not show whole
                std::string moved;  // those that scrolled the view though they stood wholly in it
                QPoint was(across.value(), down.value());
                const std::vector<std::string> stops = platform::testing::tabStops(config, [&](int n) {
                    const QWidget* focus = main.window()->focusWidget();
                    // An option or check box draws its caption from the left; the rest of it is empty.
                    const bool boxed = qobject_cast<const QRadioButton*>(focus) || qobject_cast<const QCheckBox*>(focus);
                    const QRect shown(focus->mapTo(view, QPoint(0, 0)),
                                      QSize(boxed ? std::min(focus->width(), focus->sizeHint().width()) : focus->width(), focus->height()));
                    const QPoint now(across.value(), down.value());
                    if (now != was && view->rect().contains(shown.translated(now - was))) moved += " " + std::to_string(n);
                    was = now;
                    if (!view->rect().contains(shown)) cut += " " + std::to_string(n);
                    if (row.width == 800 && focus == config.controlByName("cmdReset")->widget())
                        apptest::grab(main, "focus_in_view_800x600_type" + std::to_string(simType) + "_state" + std::to_string(state));
                });
                EXPECT_EQ(cut, "") << trace << " state " << state << ": " << ::testing::PrintToString(stops);
                EXPECT_EQ(moved, "") << trace << " state " << state << ": " << ::testing::PrintToString(stops);
            }
            // The user maximizes and restores the window by its frame: the focus stays where the user put it.
            platform::Control& put = *config.controlByName(simType == 3 ? "txtScue" : "txtDuty");
            ASSERT_TRUE(platform::testing::tabTo(put)) << trace;
            auto* frame = qobject_cast<QMdiSubWindow*>(config.window()->parentWidget());
            for (const bool maximize : {true, false}) {
                maximize ? frame->showMaximized() : frame->showNormal();
                QCoreApplication::processEvents();
                EXPECT_EQ(QApplication::focusWidget(), put.widget()) << trace << (maximize ? " maximized" : " restored");
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
    // At 800x600 the user restores the filter form (its view scrolled to the part box), opens the
    // second type and maximizes it, then the differential form, and restores it: it lands at the corner.
    platform::Form* config = &startProgram(0);
    for (const int simType : {1, 3, -1}) {
        QCoreApplication::processEvents();
        auto* frame = qobject_cast<QMdiSubWindow*>(config->window()->parentWidget());
        simType == 3 ? frame->showMaximized() : frame->showNormal();
        if (simType < 0) break;
        ShowConfigForm(simType, false);
        config = platform::Forms().byName(simType == 3 ? "frmConfig2" : "frmConfig");
    }
    const auto* area = frmMain::instance().window()->findChild<QMdiArea*>();
    EXPECT_EQ(config->window()->parentWidget()->pos() + QPoint(area->horizontalScrollBar()->value(), 0), QPoint(0, 0));
    platform::testing::setWorkArea(0, 0, 0, 0);
}

}  // namespace
