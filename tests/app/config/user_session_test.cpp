// A careless user at the keyboard: a fixed-seed sequence of random actions on the configuration
// form and the result windows, with the real engine library and sample catalogue. Whatever is
// typed or clicked, the program must keep running, report bad input with a message and never let
// a run-time error escape its procedures. Beside it, the keyboard alone in the dialogs: Enter and
// Space press the focused button.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/app_test_support.h"
#include "app/charts/frmChart.h"
#include "app/charts/frmChart2.h"
#include "app/charts/result_window.h"
#include "app/config/frmConfig.h"
#include "app/diffconfig/frmConfig2.h"
#include "app/shared/form_registry.h"
#include "app/shell/frmMain.h"
#include "app/shared/mdlPublic.h"
#include "platform/binding.h"
#include "platform/controls.h"
#include "platform/errors.h"
#include "platform/menu.h"
#include "platform/msgbox.h"
#include "platform/picturebox.h"
#include "platform/printer.h"
#include "platform/strings.h"
#include "support/testing.h"

namespace {

namespace t = platform::testing;
namespace fs = std::filesystem;

constexpr int kActions = 300;

template <class C>
C* find(platform::Form& form, const std::string& name, int index = -1) {
    return dynamic_cast<C*>(form.controlByName(name, index));
}

// A control a user can reach: shown and enabled.
bool usable(const platform::Control* c) { return c && c->Visible() && c->Enabled(); }

using apptest::findMenuItem;

// The buttons of `form` showing the default marking, by name.
std::string markedButtons(platform::Form& form) {
    std::string names;
    for (platform::Control* c : form.controls())
        if (auto* b = dynamic_cast<platform::CommandButton*>(c); b && static_cast<QPushButton*>(b->widget())->isDefault())
            names += (names.empty() ? "" : " ") + b->Name();
    return names;
}

std::vector<platform::Form*> charts(const char* name = "frmChart") { return apptest::formsNamed(name); }

class UserSession : public apptest::SampleProgramTest {
protected:
    // kActions of `step` with the checks after each: the program never ends, the one error the
    // forms show on purpose (a circuit the engine cannot solve: a line of absurd geometry, say)
    // comes with its own procedure's title, and the windows and numbers stay within their bounds.
    void session(const std::function<void()>& step, const char* chartName) {
        const std::set<int> meant = {1001};
        std::size_t seen = 0;
        for (action_ = 0; action_ < kActions; ++action_) {
            // Half-way the user has been at it all day: the last simulation numbers are near.
            if (action_ == kActions / 2) mdlPublic::SimCount = std::max<int>(mdlPublic::SimCount, 97);
            try {
                step();
            } catch (const t::ProgramEnded& e) {
                FAIL() << "the program ended at action " << action_ << (e.stopped ? ": stop in " + e.where : ": End");
            }
            const auto& boxes = t::messageBoxes();
            for (; seen < boxes.size(); ++seen) {
                const auto& m = boxes[seen];
                if (m.text.rfind("Unexpected Error ", 0) != 0) continue;
                const int number = std::atoi(m.text.c_str() + 17);
                EXPECT_TRUE(m.title != platform::AppTitle() && meant.count(number))
                    << "action " << action_ << ": " << m.title << ": " << m.text;
            }
            ASSERT_LE(charts(chartName).size(), static_cast<std::size_t>(mdlPublic::MaxCharts)) << "action " << action_;
            ASSERT_LE(mdlPublic::SimCount, mdlPublic::MaxSims) << "action " << action_;
            t::flushUnloaded();
        }
        // The session did reach the engine and the result windows.
        EXPECT_GT(started_, 10);
        EXPECT_GT(opened_, 0);
        std::printf("%d actions, %d simulation starts, %d result windows, last number %d, %zu messages\n",
                    kActions, started_, opened_, mdlPublic::SimCount, t::messageBoxes().size());
    }

    int pickInt(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    template <class T>
    const T& pickOf(const std::vector<T>& v) { return v[pickInt(static_cast<int>(v.size()))]; }

    // The user in every modal dialog: picks a circuit type and confirms in the start dialog, looks
    // around in the others and closes them.
    void driveDialog(platform::Form& f) {
        if (f.Name() == "frmStart") {
            if (auto* opt = find<platform::OptionButton>(f, "optSimType", pickInt(3))) t::click(*opt);
            if (auto* ok = find<platform::CommandButton>(f, chance(0.85) ? "cmdOk" : "cmdCancel")) return t::click(*ok);
        } else if (f.Name() == "frmWideChart") {
            if (auto* copy = find<platform::CommandButton>(f, "cmdClipboard"); copy && chance(0.5)) t::click(*copy);
            if (auto* ok = find<platform::CommandButton>(f, "cmdOk"); ok && f.isLoaded()) return t::click(*ok);
        } else if (f.Name() == "frmConfigApp") {
            if (auto* box = find<platform::CheckBox>(f, "chkStart"); box && chance(0.5)) t::click(*box);
            if (auto* b = find<platform::CommandButton>(f, chance(0.5) ? "cmdOk" : "cmdCancel")) return t::click(*b);
        }
        if (f.isLoaded()) t::close(f);
    }

    std::string numericText() {
        static const std::vector<std::string> texts = {
            "", "abc", "-1", "0", "1e40", "1,5", "99999999999999999999", "123456789012345678", "1.5.5", " ",
            "10", "50", "2", "5", "3.3", "0.5", "100", "1e-3", "25", "1E3", "+7", ".5", "1e", "-0", "0.0", "00",
            "nan", "inf", "1e-9", "1e-30", "1000", "1e30", "3000000", "0.0001", "7", "99.9", "1",
            "5\u00b5", "\uff11\uff10", "\u00c4\u00d6", "1\t0", "10 "};
        return pickOf(texts);
    }

    // As the user types: key by key, the form may swallow some keys; now and then pasted whole.
    void enter(platform::TextBox& box, const std::string& text) {
        const bool ascii = std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 128; });
        if (!ascii || chance(0.3)) return t::type(box, text);
        t::type(box, "");
        for (char c : text)
            if (box.Visible()) t::pressKey(box, static_cast<unsigned char>(c));
    }

    static const std::vector<std::pair<std::string, int>>& numericBoxes() {
        static const std::vector<std::pair<std::string, int>> boxes = {
            {"txtClockFreq", -1}, {"txtDuty", -1}, {"txtUp", -1}, {"txtDown", -1}, {"txtVoltage", -1},
            {"txtR", 0}, {"txtR", 1}, {"txtR", 2}, {"txtL", 0}, {"txtL", 1}, {"txtC", 0}, {"txtC", 1},
            {"txtConfigTrans", 0}, {"txtConfigTrans", 1}, {"txtConfigTrans", 2}};
        return boxes;
    }

    void typeSomewhere(frmConfig& form) {
        const auto& [name, index] = pickOf(numericBoxes());
        if (auto* box = find<platform::TextBox>(form, name, index); usable(box)) enter(*box, numericText());
    }

    void actOnForm(frmConfig& form) {
        switch (pickInt(16)) {
            case 0: case 1: case 2: typeSomewhere(form); break;
            case 3: {
                static const std::vector<std::pair<std::string, int>> options = {
                    {"optSelectIc", 0}, {"optSelectIc", 1}, {"optSelectCircuit", 0}, {"optSelectCircuit", 1},
                    {"optConfigTrans", 0}, {"optConfigTrans", 1}, {"optConfigTrans", 2}};
                const auto& [name, index] = pickOf(options);
                if (auto* opt = find<platform::OptionButton>(form, name, index); usable(opt)) t::click(*opt);
                break;
            }
            case 4: case 5: {
                static const std::vector<std::pair<std::string, int>> lists = {
                    {"cboSelectIcPrimary", 0}, {"cboSelectIcPrimary", 1}, {"cboSelectIc", 0},
                    {"cboSelectIc", 1}, {"cboMaterial", -1}};
                const auto& [name, index] = pickOf(lists);
                auto* list = find<platform::ComboBox>(form, name, index);
                if (usable(list) && list->ListCount() > 0) t::pick(*list, pickInt(list->ListCount()));
                break;
            }
            case 6: case 7: {
                auto* box = find<platform::TextBox>(form, "txtFilter", pickInt(2));
                if (!usable(box)) break;
                enter(*box, partNumber());
                if (box->Visible()) t::pressKey(*box, 13);
                break;
            }
            case 8:
                if (auto* point = find<platform::CheckBox>(form, "chkMeasure", pickInt(2)); usable(point))
                    t::click(*point);
                break;
            case 9:
                if (chance(0.5)) {
                    if (auto* reset = find<platform::CommandButton>(form, "cmdReset"); usable(reset)) t::click(*reset);
                } else if (auto* logo = find<platform::PictureBox>(form, "picLogo"); usable(logo)) {
                    t::dblClick(*logo);
                }
                break;
            case 10: case 11: startSimulation(form); break;
            case 12: case 13: fillIn(form); break;
            case 14: {
                static const std::vector<std::string> items = {"mnuViewCurrent", "mnuViewOld", "mnuSimFilconf",
                                                               "mnuWindowClose", "mnuOptConf", "mnuHelpAbout"};
                platform::MenuItem* item = form.menuByName(pickOf(items));
                if (item && item->Enabled() && item->Visible()) t::click(*item);
                break;
            }
            case 15:
                // A stray key in a box (Escape, Backspace, Enter), or the form closed by its close box.
                if (chance(0.8)) {
                    const auto& [name, index] = pickOf(numericBoxes());
                    if (auto* box = find<platform::TextBox>(form, name, index); usable(box))
                        t::pressKey(*box, pickOf(std::vector<int>{27, 8, 13}));
                } else {
                    t::close(form);
                }
                break;
        }
    }

    // Now and then the user does it right: the logo's sample settings and catalogue parts that the
    // boxes accept, tried until one is taken.
    void fillIn(frmConfig& form) {
        if (auto* logo = find<platform::PictureBox>(form, "picLogo"); usable(logo)) t::dblClick(*logo);
        for (int i = 0; i < 2; ++i) {
            auto* box = find<platform::TextBox>(form, "txtFilter", i);
            for (int tries = 0; tries < 12 && usable(box); ++tries) {
                const std::size_t boxes = t::messageBoxes().size();
                const auto& record = mdlPublic::FilterIndex[pickInt(mdlPublic::FilterCount)];
                t::type(*box, record.GlobalPartNum);
                t::pressKey(*box, 13);
                if (t::messageBoxes().size() == boxes) break;
            }
        }
        // ... and then changes one more value.
        if (chance(0.6)) typeSomewhere(form);
    }

    std::string partNumber() {
        std::string number;
        switch (pickInt(6)) {
            case 0: return "";
            case 1:
                return pickOf(std::vector<std::string>{"XYZ123", "KSV", "ksv9999z999", "12345", "QTA18C10", "R(", "JX",
                                                       " KSV1005A101", "KSV1005A101 ", "\uff2b\uff33\uff36",
                                                       "KSV1005A101 (100 ohm, 300 mA)"});
            default: {
                const auto& record = mdlPublic::FilterIndex[pickInt(mdlPublic::FilterCount)];
                number = chance(0.7) || record.PrevPartNum.empty() ? record.GlobalPartNum : record.PrevPartNum;
            }
        }
        const auto lower = [](unsigned char c) { return static_cast<char>(std::tolower(c)); };
        if (chance(0.2)) std::transform(number.begin(), number.end(), number.begin(), lower);
        return number;
    }

    void startSimulation(frmConfig& form) {
        const int sims = mdlPublic::SimCount;
        const std::size_t boxes = t::messageBoxes().size();
        const std::size_t windows = charts().size();
        platform::MenuItem* start = form.menuByName("mnuSimStart");
        if (chance(0.7) || !start) t::click(*find<platform::CommandButton>(form, "cmdSimulation"));
        else t::click(*start);
        ++started_;
        // Every press either opened a result window or said why not.
        EXPECT_TRUE(t::messageBoxes().size() > boxes || charts().size() > windows)
            << "a simulation start did nothing, action " << action_;
        // One number per start, and a result window only for a numbered run.
        EXPECT_LE(mdlPublic::SimCount, sims + 1) << "action " << action_;
        if (charts().size() > windows) {
            EXPECT_EQ(mdlPublic::SimCount, sims + 1) << "action " << action_;
            ++opened_;
        }
    }

    void actOnChart(platform::Form& chart) {
        static const std::vector<std::vector<std::string>> items = {
            {"&Chart", "Change the &Voltage-Waveform Cycle time"},
            {"&Chart", "&Zoom in", "&Impedance/IL-Frequency..."},
            {"&Chart", "&Zoom in", "&Voltage-Waveform..."},
            {"&Chart", "&Zoom in", "&Spectrum-Frequency..."},
            {"&Chart", "&Copy to Clipboard", "&Impedance/IL-Frequency"},
            {"&Chart", "&Copy to Clipboard", "&Voltage-Waveform"},
            {"&Chart", "&Copy to Clipboard", "&Spectrum-Frequency"},
            {"&Chart", "&Expand/Contract"},
            {"&Simulation", "&See Configuration"},
            {"&View", "&Global Part Number"},
            {"&View", "&Previous Part Number"},
            {"&Window", "&Close all Chart Windows"}};
        if (chance(0.25)) return t::close(chart);
        t::activate(chart);
        if (chance(0.2)) {
            // A right click on one of the charts, and a pick from its pop-up menu.
            auto* picture = find<platform::PictureBox>(chart, "picChart", pickInt(3));
            if (!picture) return;
            picture->userMouseUp(platform::PictureBox::RightButton, 0, 20, 20);
            platform::MenuItem* popup = t::lastPopupMenu();
            if (!popup || !chart.isLoaded()) return;
            std::vector<platform::MenuItem*> items;
            for (platform::MenuItem* item : popup->items())
                if (item->Caption() != "-" && item->Enabled() && item->Visible()) items.push_back(item);
            if (!items.empty()) t::click(*pickOf(items));
            return;
        }
        const auto& path = pickOf(items);
        platform::MenuItem* item = nullptr;
        if (path.size() == 2) item = findMenuItem(chart, {path[0], path[1]});
        else item = findMenuItem(chart, {path[0], path[1], path[2]});
        if (!item) {
            ADD_FAILURE() << "no menu item " << path.back();
            return;
        }
        if (item->Enabled() && item->Visible()) t::click(*item);
    }

    void act() {
        std::vector<platform::Form*> open = charts();
        frmConfig* form = platform::loadedForm<frmConfig>();
        const int roll = pickInt(20);
        if (!form || roll == 0) {
            // File > New Simulation from the main window: the start dialog picks the circuit type.
            platform::MenuItem* item = findMenuItem(form ? static_cast<platform::Form&>(*form) : frmMain::instance(),
                                                {"&File", "&New Simulation"});
            ASSERT_NE(item, nullptr);
            t::click(*item);
            return;
        }
        if (!open.empty() && roll < 6) return actOnChart(*open[pickInt(static_cast<int>(open.size()))]);
        actOnForm(*form);
    }

    // ---- The differential pair ---------------------------------------------------------------

    void actOnDiffForm(frmConfig2& form) {
        switch (pickInt(14)) {
            case 0: case 1: case 2: {
                std::vector<platform::TextBox*> boxes = {&form.txtClockFreq, &form.txtScue};
                for (int i = 0; i < 2; ++i)
                    for (auto* box : {&form.txtVolHigh(i), &form.txtVolLow(i), &form.txtRiseTime(i), &form.txtFallTime(i)})
                        boxes.push_back(box);
                for (int i = 0; i < 5; ++i) boxes.push_back(&form.txtConfigTrans(i));
                platform::TextBox* box = pickOf(boxes);
                if (!usable(box)) break;
                enter(*box, numericText());
                if (chance(0.4) && box->Visible()) t::pressKey(*box, 13);
                break;
            }
            case 3:
                if (auto& opt = form.optConfigTrans(pickInt(4)); usable(&opt)) t::click(opt);
                break;
            case 4: case 5: {
                platform::ComboBox* list = pickOf(std::vector<platform::ComboBox*>{&form.cboDcc, &form.cboDccClock, &form.cboMaterial});
                if (usable(list) && list->ListCount() > 0) t::pick(*list, pickInt(list->ListCount()));
                break;
            }
            case 6: case 7: {
                auto& box = form.txtFilter(0);
                if (!usable(&box)) break;
                enter(box, chance(0.5) ? chokeNumber() : partNumber());
                if (box.Visible()) t::pressKey(box, 13);
                break;
            }
            case 8:
                if (auto* b = pickOf(std::vector<platform::CommandButton*>{&form.cmdReset, &form.cmdWave, &form.cmdFigure}); usable(b))
                    t::click(*b);
                break;
            case 9: case 10: startDiffSimulation(form); break;
            case 11: {
                static const std::vector<std::string> items = {"mnuViewCurrent", "mnuViewOld", "mnuSimFilconf",
                                                               "mnuWindowClose", "mnuOptConf", "mnuHelpAbout"};
                platform::MenuItem* item = form.menuByName(pickOf(items));
                if (item && item->Enabled() && item->Visible()) t::click(*item);
                break;
            }
            case 12: {
                // Now and then a choke the box takes, after a reset to the interface's values.
                if (usable(&form.cmdReset) && chance(0.5)) t::click(form.cmdReset);
                if (!usable(&form.txtFilter(0))) break;
                t::type(form.txtFilter(0), chokeNumber());
                t::pressKey(form.txtFilter(0), 13);
                break;
            }
            case 13:
                if (chance(0.9)) {
                    if (usable(&form.txtClockFreq)) t::pressKey(form.txtClockFreq, pickOf(std::vector<int>{27, 8, 13}));
                } else {
                    t::close(form);
                }
                break;
        }
    }

    std::string chokeNumber() {
        std::vector<const mdlPublic::FilterIndexRecord*> chokes;
        for (int i = 0; i < mdlPublic::FilterCount; ++i)
            if (mdlPublic::FilterIndex[i].PartType == 3) chokes.push_back(&mdlPublic::FilterIndex[i]);
        if (chokes.empty()) return "WQ";
        return pickOf(chokes)->GlobalPartNum;
    }

    void startDiffSimulation(frmConfig2& form) {
        const int sims = mdlPublic::SimCount;
        const std::size_t boxes = t::messageBoxes().size();
        const std::size_t windows = charts("frmChart2").size();
        if (chance(0.7)) t::click(form.cmdSimulation);
        else t::click(form.mnuSimStart);
        ++started_;
        EXPECT_TRUE(t::messageBoxes().size() > boxes || charts("frmChart2").size() > windows)
            << "a simulation start did nothing, action " << action_;
        EXPECT_LE(mdlPublic::SimCount, sims + 1) << "action " << action_;
        if (charts("frmChart2").size() > windows) ++opened_;
    }

    void actOnDiffChart(frmChart2& chart) {
        static const std::vector<std::string> items = {
            "mnuChartScaleupIndex(0)", "mnuChartScaleupIndex(1)", "mnuChartScaleupIndex(2)", "mnuChartScaleupIndex(3)",
            "mnuChartScaleupIndex(4)", "mnuChartClipboardIndex(0)", "mnuChartClipboardIndex(4)", "mnuChartRange",
            "mnuSimConfReview", "mnuViewCurrent", "mnuViewOld", "mnuWindowClose", "mnuSimFilconf"};
        if (chance(0.2)) return t::close(chart);
        t::activate(chart);
        if (chance(0.15)) return t::click(chart.freqChartSwitch());
        if (chance(0.2)) {
            auto& picture = chart.chartPicture(pickInt(5));
            picture.userMouseUp(platform::PictureBox::RightButton, 0, 20, 20);
            platform::MenuItem* popup = t::lastPopupMenu();
            if (!popup || !chart.isLoaded()) return;
            std::vector<platform::MenuItem*> entries;
            for (platform::MenuItem* item : popup->items())
                if (item->Caption() != "-" && item->Enabled() && item->Visible()) entries.push_back(item);
            if (!entries.empty()) t::click(*pickOf(entries));
            return;
        }
        platform::MenuItem* item = chart.menuByName(pickOf(items));
        ASSERT_NE(item, nullptr);
        if (item->Enabled() && item->Visible()) t::click(*item);
    }

    void actDiff() {
        std::vector<platform::Form*> open = charts("frmChart2");
        frmConfig2* form = platform::loadedForm<frmConfig2>();
        const int roll = pickInt(20);
        if (!form || roll == 0) {
            platform::Form& window = form ? static_cast<platform::Form&>(*form) : frmMain::instance();
            platform::MenuItem* item = findMenuItem(window, {"&File", "&New Simulation"});
            ASSERT_NE(item, nullptr);
            t::click(*item);
            return;
        }
        if (!open.empty() && roll < 6)
            return actOnDiffChart(*dynamic_cast<frmChart2*>(open[pickInt(static_cast<int>(open.size()))]));
        actOnDiffForm(*form);
    }

    std::mt19937 rng_{20261208};
    int action_ = 0;
    int started_ = 0;
    int opened_ = 0;
};

TEST_F(UserSession, RandomActionsKeepTheProgramRunningAndReportBadInput) {
    t::setModalDriver([this](platform::Form& f) {
        if (f.Name() == "frmStart") {
            t::click(*find<platform::OptionButton>(f, "optSimType", 0));
            t::click(*find<platform::CommandButton>(f, "cmdOk"));
        } else {
            driveDialog(f);
        }
    });
    mdlPublic::Main();
    t::setModalDriver([this](platform::Form& f) { driveDialog(f); });
    ASSERT_NE(platform::loadedForm<frmConfig>(), nullptr);

    session([this] { act(); }, "frmChart");
}

// The same careless user on the differential pair: its form, its runs and its result windows.
TEST_F(UserSession, RandomActionsOnTheDifferentialPairKeepTheProgramRunning) {
    const auto dialogs = [this](platform::Form& f) {
        if (f.Name() == "frmStart") {
            t::click(*find<platform::OptionButton>(f, "optSimType", 3));
            t::click(*find<platform::CommandButton>(f, chance(0.9) ? "cmdOk" : "cmdCancel"));
        } else if (f.Name() == "frmSelectFil" || f.Name() == "frmConfigRange2" || f.Name() == "frmConfigPrint") {
            if (f.isLoaded()) t::close(f);
        } else {
            driveDialog(f);
        }
    };
    t::setModalDriver([&](platform::Form& f) {
        if (f.Name() != "frmStart") return dialogs(f);
        t::click(*find<platform::OptionButton>(f, "optSimType", 3));
        t::click(*find<platform::CommandButton>(f, "cmdOk"));
    });
    mdlPublic::Main();
    t::setModalDriver(dialogs);
    ASSERT_NE(platform::loadedForm<frmConfig2>(), nullptr);

    session([this] { actDiff(); }, "frmChart2");
}

// Tab to a button, then Enter (or Space) presses it once, as a click would, whatever the default
// button; from an option or a text box Enter is the dialog's OK, and the keypad's Enter is Enter. The
// default marking shows the button Enter presses, and no other. What the user sees after: the runs,
// a page printed or not, the form with its part, circuit type and end time kept, the windows left open.
TEST_F(UserSession, EnterPressesTheFocusedButtonElseTheDefaultOne) {
    // Each menu opens by its access key and stays open, the bar's, through the activation its
    // opening may bring: right after the window opened and after a dialog closed.
    const auto menusStayOpen = [](platform::Form& window, const char* when) {
        for (platform::MenuItem* menu : window.menus()) {
            const std::string caption = menu->Caption();
            if (!menu->Visible()) continue;
            t::activate(window);
            t::pressAltKey(window, caption[caption.find('&') + 1]);
            t::activate(window);
            EXPECT_EQ(t::openMenu(window), caption) << window.Name() << " " << when;
            t::closeMenus();
        }
    };
    auto& form = dynamic_cast<frmConfig&>(startProgram(0));
    menusStayOpen(form, "opened");
    auto& part = *find<platform::TextBox>(form, "txtFilter", 0);
    t::dblClick(*find<platform::PictureBox>(form, "picLogo"));
    apptest::typeEnter(part, "KSV1608S601");
    t::click(*find<platform::CommandButton>(form, "cmdSimulation"));
    auto* chart = dynamic_cast<ResultWindow*>(charts().at(0));
    menusStayOpen(*chart, "opened");
    int printed = 0;
    platform::Printer.setPdfOutput(apptest::outputFile("keys_print.pdf"));
    platform::Printer.setPdfWrittenHandler([&](const std::string&) { ++printed; });
    const auto dialogs = {"frmStart", "frmConfigPrint", "frmConfigRange", "frmWideChart", "frmSelectFil",
                          "frmTransFigure"};
    const auto seen = [&] {
        std::string open;
        for (const char* name : dialogs)
            if (platform::Form* f = platform::Forms().byName(name); f && f->Visible()) open += name;
        const std::string kept = platform::loadedForm<frmConfig>() == &form ? part.Text() : "another form";
        return std::tuple(mdlPublic::SimCount, printed, open, kept + mdlPublic::GetAppSetting("SimType") +
                                                                std::to_string(mdlPublic::SimConfigs[0].TimeMax));
    };
    struct Row {
        platform::MenuItem* open;  // none: the key goes to the form
        const char *window, *control;
        t::Key key;
        int runs, printed;
        std::string left;  // the window left open
        int index = -1;
        const char* back = nullptr;    // the text box Tab goes on to before the key
        const char* marked = nullptr;  // the buttons showing the default marking then
    };
    const t::Key enter = t::Key::Enter, space = t::Key::Space, keypad = t::Key::KeypadEnter;
    const Row rows[] = {{chart->menuByName("mnuFilePrint"), "frmConfigPrint", "cmdCancel", enter, 0, 0, ""},
                        {chart->menuByName("mnuFilePrint"), "frmConfigPrint", "optConfigPrint", enter, 0, 1, "", 0},
                        {chart->menuByName("mnuChartRange"), "frmConfigRange", "cmdCancel", enter, 0, 0, ""},
                        {chart->menuByName("mnuChartScaleupIndex(1)"), "frmWideChart", "cmdOk", enter, 0, 0, ""},
                        {chart->menuByName("mnuChartScaleupIndex(1)"), "frmWideChart", "cmdOk", space, 0, 0, ""},
                        {nullptr, "frmConfig", "cmdFigure", enter, 0, 0, "frmTransFigure"},
                        {nullptr, "frmConfig", "cmdSelect", enter, 0, 0, "frmSelectFil"},
                        {form.menuByName("mnuSimFilconf"), "frmSelectFil", "cmdSimulation", enter, 1, 0, ""},
                        {nullptr, "frmConfig", "cmdSimulation", enter, 1, 0, ""},
                        {form.menuByName("mnuFileNew"), "frmStart", "cmdCancel", enter, 0, 0, ""},
                        {chart->menuByName("mnuFilePrint"), "frmConfigPrint", "optConfigPrint", keypad, 0, 1, "", 0},
                        {chart->menuByName("mnuChartRange"), "frmConfigRange", "cmdCancel", keypad, 0, 0, "", -1,
                         nullptr, "cmdCancel"},
                        {chart->menuByName("mnuFilePrint"), "frmConfigPrint", "cmdCancel", enter, 0, 1, "", -1,
                         "txtComment", "cmdOk"}};
    for (const Row& row : rows) {
        printed = 0;
        const auto before = seen();
        const auto press = [&](platform::Form& f) {
            platform::Control& target = *f.controlByName(row.control, row.index);
            // A changed range shows if it is stored.
            if (auto* end = find<platform::TextBox>(f, "txtTo", 1)) t::type(*end, "50");
            EXPECT_TRUE(t::tabTo(target)) << row.control;
            platform::Control& at = row.back ? *f.controlByName(row.back) : target;
            EXPECT_TRUE(!row.back || t::tabTo(at)) << row.back;
            EXPECT_TRUE(!row.marked || markedButtons(f) == row.marked) << markedButtons(f) << " marked at " << row.control;
            std::string shot = std::string("keys_") + row.window + "_" + row.control;
            if (row.back) shot += std::string("_") + row.back;
            if (row.key == keypad) shot += "_keypad";
            apptest::grab(f, shot);
            t::sendKey(at, row.key);
        };
        t::setModalDriver([&](platform::Form& f) { if (f.Name() == row.window) press(f); });
        if (row.open) {
            t::click(*row.open);
        } else {
            form.setWindowState(platform::StateNormal);  // a run minimized it
            t::activate(form);
            press(form);
        }
        EXPECT_EQ(seen(), std::tuple(std::get<0>(before) + row.runs, row.printed, row.left, std::get<3>(before)))
            << row.window << " " << row.control;
        for (const char* name : dialogs)
            if (platform::Form* f = platform::Forms().byName(name)) platform::Unload(*f);
        if (row.open) menusStayOpen(row.open->form(), row.window);
    }
    platform::Printer.setPdfOutput("");
    platform::Printer.setPdfWrittenHandler({});
}

}  // namespace
