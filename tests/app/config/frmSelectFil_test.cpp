// The part chooser driven as a user would: from the configuration form's "Select from List"
// through the classification lists and part numbers to OK, Start Simulation or Cancel, over the
// sample catalogue and the real engine; and the part chart it draws.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLocale>
#include <QStyle>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/app_test_support.h"
#include "app/charts/frmChart.h"
#include "app/config/frmConfig.h"
#include "app/config/part_chart.h"
#include "app/diffconfig/frmConfig2.h"
#include "app/shared/form_registry.h"
#include "app/shell/frmMain.h"
#include "app/shared/mdlPublic.h"
#include "platform/binding.h"
#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/menu.h"
#include "platform/picturebox.h"
#include "platform/settings.h"
#include "platform/strings.h"
#include "support/testing.h"

namespace {

namespace t = platform::testing;
namespace fs = std::filesystem;
using platform::ComboBox;
using platform::Form;

constexpr const char* kBeads = "Chip Ferrite Bead (KSV series)";
constexpr const char* kQta = "Chip TESSOR (QTA :Capacitor type)";
constexpr const char* kCaps = "Chip Capacitor (JX series)";
constexpr const char* kChokes = "Chip Common Mode Choke Coil (WQ series)";
const std::string kNoClass = "(No Classification)";

using apptest::control;
ComboBox& list(Form& f, const std::string& name, int index) { return control<ComboBox>(f, name, index); }

std::vector<std::string> items(const ComboBox& box) {
    std::vector<std::string> out;
    for (int i = 0; i < box.ListCount(); ++i) out.push_back(box.List(i));
    return out;
}

// Picks an entry of an enabled list, as a user can.
void choose(ComboBox& box, const std::string& text) {
    if (!box.Enabled()) throw std::runtime_error("list disabled when choosing " + text);
    for (int i = 0; i < box.ListCount(); ++i)
        if (box.List(i) == text) return t::pick(box, i);
    throw std::runtime_error("no item " + text);
}

// Walks a slot's classification down to a part number in the global list (empty: stop earlier).
void walk(Form& f, int slot, const std::string& primary, const std::string& secondary = {},
          const std::string& tertiary = {}, const std::string& number = {}) {
    choose(list(f, "cboPrimary", slot), primary);
    if (!secondary.empty()) choose(list(f, "cboSecondary", slot), secondary);
    if (!tertiary.empty()) choose(list(f, "cboTertiary", slot), tertiary);
    if (!number.empty()) choose(list(f, "cboPartNumber", 2 * slot), number);
}

std::vector<std::string> drawnTexts(const platform::Canvas& canvas) {
    std::vector<std::string> out;
    for (const auto& p : canvas.displayList())
        if (p.kind == platform::PrimitiveKind::Text) out.push_back(p.text);
    return out;
}
std::vector<std::string> chartTexts(Form& f, int slot) {
    return drawnTexts(control<platform::PictureBox>(f, "picChart", slot).canvas());
}
bool contains(const std::vector<std::string>& v, const std::string& s) { return std::find(v.begin(), v.end(), s) != v.end(); }

using apptest::LocaleScope;
using apptest::messages;
using apptest::text;

class Chooser : public apptest::SampleProgramTest {
protected:
    void SetUp() override {
        SampleProgramTest::SetUp();
        t::resetBeepCount();
    }

    // Starts the program with a part-number view and picks the circuit type in the start dialog.
    Form& startProgram(int simType, const std::string& partnumType = "0") {
        platform::SaveSetting("vandore", "Settings", "PartnumType", partnumType);
        return SampleProgramTest::startProgram(simType);
    }

    // "Select from List" on the form (or Simulation > Select Filter); `user` acts in the dialog.
    // Returns whether it opened.
    static bool openChooser(Form& config, const std::function<void(Form&)>& user, bool byMenu = false) {
        bool opened = false;
        t::setModalDriver([&](Form& f) {
            if (f.Name() != "frmSelectFil") return;
            opened = true;
            user(f);
        });
        if (byMenu) {
            platform::MenuItem* item = nullptr;
            if (auto* filter = dynamic_cast<frmConfig*>(&config)) item = filter->menuByName("mnuSimFilconf");
            if (auto* diff = dynamic_cast<frmConfig2*>(&config)) item = diff->menuByName("mnuSimFilconf");
            if (!item) throw std::runtime_error("no Select Filter menu item");
            EXPECT_TRUE(item->Enabled());
            t::click(*item);
        } else {
            auto& select = control<platform::CommandButton>(config, "cmdSelect");
            EXPECT_TRUE(select.Enabled());
            t::click(select);
        }
        t::setModalDriver({});
        if (Form* left = platform::Forms().byName("frmSelectFil")) platform::Unload(*left);
        return opened;
    }

    static void typeEnter(Form& config, int box, const std::string& number) {
        auto& b = control<platform::TextBox>(config, "txtFilter", box);
        t::type(b, number);
        t::pressKey(b, 13);
    }
    static std::string partBox(Form& config, int box) { return control<platform::TextBox>(config, "txtFilter", box).Text(); }
    static std::string picture(Form& config, int index) {
        return control<platform::Image>(config, "imgCircuit", index).PictureKey();
    }

    static void pickIcs(Form& config) {
        for (int i = 0; i < 2; ++i) {
            t::click(control<platform::OptionButton>(config, "optSelectIc", i));
            choose(list(config, "cboSelectIcPrimary", i), "CMOS");
            choose(list(config, "cboSelectIc", i), "74HC04");
        }
    }
};

// ---- Lists ---------------------------------------------------------------------------------------

TEST_F(Chooser, OpensWithTheCategoriesOfTheCircuitType) {
    struct Row {
        int simType;
        std::vector<std::string> panels;
        std::vector<std::vector<std::string>> primaries;  // per slot in use
        std::vector<int> unclassified;                    // parts under "(No Classification)", per slot
    };
    const std::vector<std::string> allFilters = {
        kBeads, kQta, "Chip TESSOR (QTB :LC combined T type)", "Chip TESSOR (QTC :LC combined pi type)",
        "Chip TESSOR (QTE :LC combined pi type)", "Chip TESSOR (QTD :RC combined T type)", kCaps, kNoClass};
    const Row rows[] = {
        // Type 0 lists every part, chokes included, under "(No Classification)".
        {0, {"Filter"}, {allFilters}, {80}},
        {1, {"EMI Filter", "Chip Capacitor"}, {{kBeads, kNoClass}, {kCaps, kNoClass}}, {24, 13}},
        {2, {"EMI Filter(KSV)", "EMI Filter(QTA)"}, {{kBeads, kNoClass}, {kQta, kNoClass}}, {24, 16}},
        {3, {"EMI Filer"}, {{kChokes, kNoClass}}, {7}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.simType);
        Form& config = startProgram(row.simType);
        EXPECT_TRUE(openChooser(config, [&](Form& f) {
            EXPECT_EQ(f.Caption(), "Select Filter");
            // Buttons and height follow the panels shown; read back with the frame, within 6 pixels.
            const bool twoPanels = row.panels.size() == 2;
            for (const char* button : {"cmdOk", "cmdSimulation", "cmdCancel"})
                EXPECT_EQ(control<platform::CommandButton>(f, button).Top(), twoPanels ? 6600 : 3100);
            EXPECT_NEAR(f.Height(), twoPanels ? 7425 : 3950, 6 * 15);
            for (std::size_t slot = 0; slot < row.panels.size(); ++slot) {
                const int s = static_cast<int>(slot);
                EXPECT_EQ(control<platform::Frame>(f, "fraFil", s).Caption(), row.panels[slot]);
                EXPECT_EQ(items(list(f, "cboPrimary", s)), row.primaries[slot]);
                EXPECT_TRUE(contains(chartTexts(f, s), "<---Select Primary"));
                EXPECT_TRUE(list(f, "cboPrimary", s).Enabled());
                for (const char* lower : {"cboSecondary", "cboTertiary"}) EXPECT_FALSE(list(f, lower, s).Enabled());
                for (int k : {2 * s, 2 * s + 1}) EXPECT_FALSE(list(f, "cboPartNumber", k).Enabled());

                choose(list(f, "cboPrimary", s), kNoClass);
                EXPECT_EQ(list(f, "cboPartNumber", 2 * s).ListCount(), row.unclassified[slot]);
                EXPECT_TRUE(list(f, "cboPartNumber", 2 * s + 1).Enabled());
                EXPECT_FALSE(list(f, "cboSecondary", s).Enabled());
                EXPECT_TRUE(contains(chartTexts(f, s), "<---Select Part Number"));
            }
            t::click(control<platform::CommandButton>(f, "cmdCancel"));
            EXPECT_FALSE(f.isLoaded());
        }, true));
        EXPECT_EQ(partBox(config, 0), "");
        if (row.simType != 3) {
            EXPECT_EQ(picture(config, 2), "ksvqtar");
        }
        t::discardAllForms();
        apptest::resetShared();
    }
}

TEST_F(Chooser, TertiaryCaptionsSortByTheirLeadingNumberInAnyLocale) {
    struct Row {
        const char* locale;
        const char* primary;
        const char* secondary;
        std::vector<std::string> tertiaries;
    };
    const std::vector<std::string> caps = {"2.2 pF", "10 pF", "22 pF", "100 pF", "1000 pF", "10000 pF", "100000 pF"};
    const Row rows[] = {
        {"en_US", kCaps, "JX1005 (1.0x0.5mm)", caps},
        {"de_DE", kCaps, "JX1005 (1.0x0.5mm)", caps},
        {"de_DE", kBeads, "KSV2012 High Current (2.0x1.2mm)", {"2.2 A", "4 A", "6 A"}},
        {"de_DE", kBeads, "KSV1005 Standard (1.0x0.5mm)", {"10 ohm", "33 ohm", "100 ohm", "220 ohm", "600 ohm", "1000 ohm"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.locale) + " " + row.secondary);
        const LocaleScope locale{QLocale(QString::fromLatin1(row.locale))};
        Form& config = startProgram(0);
        openChooser(config, [&](Form& f) {
            walk(f, 0, row.primary, row.secondary);
            EXPECT_EQ(items(list(f, "cboTertiary", 0)), row.tertiaries);
            EXPECT_TRUE(contains(chartTexts(f, 0), "<---Select Tertiary"));
        });
        t::discardAllForms();
        apptest::resetShared();
    }
}

// ---- Choosing and handing over -------------------------------------------------------------------

TEST_F(Chooser, OkWritesTheChosenPartsAndPicturesIntoTheForm) {
    struct Pick {
        std::string primary, secondary, tertiary, number;
    };
    struct Row {
        const char* name;
        int simType;
        const char* partnumType;
        std::vector<Pick> picks;  // per slot
        const char* button;
        std::string box0, box1, picture2, picture5;
        int measure0, measure1;
        bool measureEnabled;
    };
    const Pick bead = {kBeads, "KSV1608 Standard (1.6x0.8mm)", "600 ohm", "KSV1608S601 (600 ohm, 300 mA)"};
    const Row rows[] = {
        {"bead", 0, "0", {bead}, "cmdOk", "KSV1608S601 (600 ohm, 300 mA)", "", "ksvb", "", 1, 1, true},
        {"capacitor", 0, "0", {{kCaps, "JX1005 (1.0x0.5mm)", "10 pF", "JX15C100"}}, "cmdOk", "JX15C100", "", "jxb", "", 0, 1, false},
        {"filter", 0, "0", {{kQta, "QTA1608 (1.6x0.8mm)", "100 pF", "QTA18C101"}}, "cmdOk", "QTA18C101", "", "qtab", "", 0, 1, false},
        {"bead and capacitor", 1, "0", {bead, {kCaps, "JX1608 (1.6x0.8mm)", "470 pF", "JX18C471"}}, "cmdOk",
         "KSV1608S601 (600 ohm, 300 mA)", "JX18C471", "ksvb", "jxb", 1, 1, true},
        {"bead and resistor", 2, "0", {bead, {kQta, "Damping Resistor (reference)", "22 ohm", "R(22ohm)"}}, "cmdOk",
         "KSV1608S601 (600 ohm, 300 mA)", "R(22ohm)", "ksvb", "qtab", 1, 1, true},
        // Under previous numbers a part that has none is written under its global number.
        {"bead without previous number", 0, "1",
         {{kBeads, "KSV1608 Standard (1.6x0.8mm)", "600 ohm", "KSV1608H601 (600 ohm, 800 mA)"}}, "cmdOk",
         "KSV1608H601 (600 ohm, 800 mA)", "", "ksvb", "", 1, 1, true},
        {"previous number", 0, "1", {bead}, "cmdOk", "KS18S601 (600 ohm, 300 mA)", "", "ksvb", "", 1, 1, true},
        {"cancel", 0, "0", {bead}, "cmdCancel", "", "", "ksvqtar", "", 0, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Form& config = startProgram(row.simType, row.partnumType);
        openChooser(config, [&](Form& f) {
            for (std::size_t slot = 0; slot < row.picks.size(); ++slot) {
                const Pick& p = row.picks[slot];
                walk(f, static_cast<int>(slot), p.primary, p.secondary, p.tertiary, p.number);
            }
            t::click(control<platform::CommandButton>(f, row.button));
            EXPECT_FALSE(f.isLoaded());
        });
        EXPECT_EQ(messages(), std::vector<std::string>{});
        EXPECT_EQ(partBox(config, 0), row.box0);
        EXPECT_EQ(partBox(config, 1), row.box1);
        EXPECT_EQ(picture(config, 2), row.picture2);
        if (row.simType != 0) {
            EXPECT_EQ(picture(config, 5), row.picture5);
        }
        for (int i = 0; i < 2; ++i) {
            auto& box = control<platform::CheckBox>(config, "chkMeasure", i);
            EXPECT_EQ(box.Value(), i == 0 ? row.measure0 : row.measure1) << i;
            EXPECT_EQ(box.Enabled(), row.measureEnabled) << i;
        }
        t::discardAllForms();
        apptest::resetShared();
    }
}

TEST_F(Chooser, ReopensOnThePartTheFormHolds) {
    struct Row {
        const char* name;
        int simType;
        const char* partnumType;
        std::string typed;  // into part box 0 (or 1 for the second part)
        bool enter;
        int slot;
        std::string primary, secondary, tertiary, global, previous;
    };
    const std::string s601 = "KSV1608S601 (600 ohm, 300 mA)";
    const Row rows[] = {
        {"global number", 0, "0", "ksv1608s601", true, 0, kBeads, "KSV1608 Standard (1.6x0.8mm)", "600 ohm", s601,
         "KS18S601 (600 ohm, 300 mA)"},
        {"previous number", 0, "1", "KS18S601", true, 0, kBeads, "KSV1608 Standard (1.6x0.8mm)", "600 ohm", s601,
         "KS18S601 (600 ohm, 300 mA)"},
        {"second part", 1, "0", "JX18C471", true, 1, kCaps, "JX1608 (1.6x0.8mm)", "470 pF", "JX18C471", "JX18B471"},
        {"filter of type 2", 2, "0", "QTA18C101", true, 1, kQta, "QTA1608 (1.6x0.8mm)", "100 pF", "QTA18C101", "QT18C101"},
        {"no previous number", 0, "1", "KSV1608H601", true, 0, kBeads, "KSV1608 Standard (1.6x0.8mm)", "600 ohm",
         "KSV1608H601 (600 ohm, 800 mA)", ""},
        // Not found: the first category is chosen and the secondary prompt shown.
        {"unknown number", 0, "0", "XYZ123", false, 0, kBeads, "", "", "", ""},
        {"capacitor in the bead box", 1, "0", "JX18C471", false, 0, kBeads, "", "", "", ""},
        {"choke in a filter form", 0, "0", "WQ2012S670 (67 ohm, USB2.0 HS)", false, 0, kBeads, "", "", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Form& config = startProgram(row.simType, row.partnumType);
        if (row.enter)
            typeEnter(config, row.slot, row.typed);
        else
            t::type(control<platform::TextBox>(config, "txtFilter", row.slot), row.typed);
        t::clearMessageBoxes();
        openChooser(config, [&](Form& f) {
            const int s = row.slot;
            EXPECT_EQ(list(f, "cboPrimary", s).Text(), row.primary);
            EXPECT_EQ(list(f, "cboSecondary", s).Text(), row.secondary);
            EXPECT_EQ(list(f, "cboTertiary", s).Text(), row.tertiary);
            EXPECT_EQ(list(f, "cboPartNumber", 2 * s).Text(), row.global);
            EXPECT_EQ(list(f, "cboPartNumber", 2 * s + 1).Text(), row.previous);
            const bool found = !row.global.empty();
            EXPECT_TRUE(list(f, "cboSecondary", s).Enabled());
            EXPECT_EQ(list(f, "cboTertiary", s).Enabled(), found);
            EXPECT_EQ(list(f, "cboPartNumber", 2 * s).Enabled(), found);
            const auto drawn = chartTexts(f, s);
            // The legend shows the numbers of the current view.
            const std::string& shown = std::string(row.partnumType) == "1" ? row.previous : row.global;
            if (found)
                EXPECT_TRUE(contains(drawn, shown.substr(0, shown.find(' ')))) << ::testing::PrintToString(drawn);
            else
                EXPECT_EQ(drawn, std::vector<std::string>{"<---Select Secondary"});
        });
        EXPECT_EQ(messages(), std::vector<std::string>{});
        t::discardAllForms();
        apptest::resetShared();
    }
}

TEST_F(Chooser, PartNumberListsFollowEachOther) {
    Form& config = startProgram(0);
    openChooser(config, [&](Form& f) {
        walk(f, 0, kBeads, "KSV1608 Standard (1.6x0.8mm)", "600 ohm");
        ComboBox& global = list(f, "cboPartNumber", 0);
        ComboBox& previous = list(f, "cboPartNumber", 1);
        // The lists hold the chart's parts in its order; a part without a previous number is only global.
        EXPECT_EQ(items(global), (std::vector<std::string>{"KSV1608S601 (600 ohm, 300 mA)", "KSV1608G601 (600 ohm, 200 mA GHz type)",
                                                           "KSV1608H601 (600 ohm, 800 mA)"}));
        EXPECT_EQ(items(previous), (std::vector<std::string>{"KS18S601 (600 ohm, 300 mA)", "KS18G601 (600 ohm, 200 mA GHz type)"}));
        struct Step {
            ComboBox& list;
            std::string pick, global, previous;
        };
        const Step steps[] = {
            {previous, "KS18G601 (600 ohm, 200 mA GHz type)", "KSV1608G601 (600 ohm, 200 mA GHz type)",
             "KS18G601 (600 ohm, 200 mA GHz type)"},
            {global, "KSV1608H601 (600 ohm, 800 mA)", "KSV1608H601 (600 ohm, 800 mA)", ""},
            {global, "KSV1608S601 (600 ohm, 300 mA)", "KSV1608S601 (600 ohm, 300 mA)", "KS18S601 (600 ohm, 300 mA)"},
        };
        for (const Step& step : steps) {
            SCOPED_TRACE(step.pick);
            choose(step.list, step.pick);
            EXPECT_EQ(global.Text(), step.global);
            EXPECT_EQ(previous.Text(), step.previous);
        }
        // A new choice higher up discards the lower levels.
        choose(list(f, "cboSecondary", 0), "KSV1005 Standard (1.0x0.5mm)");
        EXPECT_EQ(global.ListCount(), 0);
        EXPECT_FALSE(global.Enabled());
        EXPECT_EQ(list(f, "cboTertiary", 0).Text(), "");
    });
}

TEST_F(Chooser, RefusedChoicesKeepTheDialogOpen) {
    struct Row {
        const char* name;
        int simType;
        const char* partnumType;
        std::string before;  // part box 0 confirmed before the dialog opens
        std::function<void(Form&)> choose;
        int message;
        std::string box0After;
    };
    const Row rows[] = {
        {"nothing chosen", 0, "0", "", [](Form&) {}, 5310, ""},
        // A choke suits no filter circuit, although "(No Classification)" lists it.
        {"choke in a filter circuit", 0, "0", "", [](Form& f) { walk(f, 0, kNoClass, "", "", "WQ2012S670 (67 ohm, USB2.0 HS)"); },
         5282, ""},
        // The first part was written and is taken back.
        {"second part missing", 1, "0", "KSV1005A101",
         [](Form& f) { walk(f, 0, kBeads, "KSV1608 Standard (1.6x0.8mm)", "600 ohm", "KSV1608S601 (600 ohm, 300 mA)"); },
         5310, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Form& config = startProgram(row.simType, row.partnumType);
        if (!row.before.empty()) typeEnter(config, 0, row.before);
        t::clearMessageBoxes();
        t::resetBeepCount();
        openChooser(config, [&](Form& f) {
            row.choose(f);
            t::click(control<platform::CommandButton>(f, "cmdOk"));
            EXPECT_TRUE(f.isLoaded());
            EXPECT_EQ(messages(), std::vector<std::string>{text(row.message)});
            EXPECT_EQ(t::messageBoxes().at(0).style, 16);
            EXPECT_EQ(partBox(config, 0), row.box0After);
            t::clearMessageBoxes();
            t::click(control<platform::CommandButton>(f, "cmdSimulation"));
            EXPECT_TRUE(f.isLoaded());
            EXPECT_EQ(messages(), std::vector<std::string>{text(row.message)});
        });
        EXPECT_EQ(t::beepCount(), row.message == 5310 ? 2 : 0);
        EXPECT_EQ(mdlPublic::SimCount, 0);
        t::discardAllForms();
        apptest::resetShared();
    }
}

// ---- Start Simulation ----------------------------------------------------------------------------

TEST_F(Chooser, StartSimulationRunsTheFormsSimulation) {
    struct Row {
        const char* name;
        bool icsChosen;
        std::int16_t simCountBefore;
        std::vector<std::string> messages;
        int simCount;
        std::string chartCaption;
    };
    const Row rows[] = {
        {"complete circuit", true, 0, {}, 1, "Simulation No.01-KSV1608S601-Input Signal Frequency=10[MHz]"},
        // The form's check refuses; the part is written all the same and no number is used.
        {"ICs missing", false, 0, {text(5281)}, 0, ""},
        {"101st simulation", true, 100, {text(5283) + "\n" + text(5284)}, 100, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        mdlPublic::SimCount = row.simCountBefore;
        Form& config = startProgram(0);
        if (row.icsChosen) pickIcs(config);
        t::clearMessageBoxes();
        openChooser(config, [&](Form& f) {
            walk(f, 0, kBeads, "KSV1608 Standard (1.6x0.8mm)", "600 ohm", "KSV1608S601 (600 ohm, 300 mA)");
            t::click(control<platform::CommandButton>(f, "cmdSimulation"));
            EXPECT_FALSE(f.isLoaded());
        });
        EXPECT_EQ(messages(), row.messages);
        EXPECT_EQ(partBox(config, 0), "KSV1608S601 (600 ohm, 300 mA)");
        EXPECT_EQ(mdlPublic::SimCount, row.simCount);
        frmChart* chart = platform::loadedForm<frmChart>();
        if (row.chartCaption.empty()) {
            EXPECT_EQ(chart, nullptr);
        } else {
            ASSERT_NE(chart, nullptr);
            EXPECT_EQ(chart->Caption(), row.chartCaption);
            // With and without the bead: the waveforms differ.
            const auto& with = mdlPublic::SimResults[0][0].Wave;
            const auto& without = mdlPublic::SimResults[1][0].Wave;
            ASSERT_FALSE(with.empty());
            ASSERT_EQ(with.size(), without.size());
            EXPECT_NE(with, without);
            EXPECT_GT(*std::max_element(with.begin(), with.end()), 1.0);
        }
        t::discardAllForms();
        apptest::resetShared();
    }
}

// Once its form is closed, a filter run's window offers no Select Filter; a chooser reached through
// that form all the same (loaded again, not shown) shows its one panel and starts no run from it.
TEST_F(Chooser, NoRunFromAClosedForm) {
    Form& config = startProgram(0);
    pickIcs(config);
    typeEnter(config, 0, "KSV1608S601");
    t::click(control<platform::CommandButton>(config, "cmdSimulation"));
    t::activate(config);  // a click on its close box
    t::close(config);
    t::activate(*platform::loadedForm<frmChart>());
    EXPECT_FALSE(platform::loadedForm<frmChart>()->menuByName("mnuSimFilconf")->Enabled());
    mdlPublic::CurrentSim = 0;  // as the window's menu reads it
    openChooser(platform::defaultForm<frmConfig>(), [](Form& f) {
        EXPECT_NEAR(f.Height(), 3950, 90);
        t::click(control<platform::CommandButton>(f, "cmdSimulation"));
    });
    EXPECT_EQ(mdlPublic::SimCount, 1);
}

TEST_F(Chooser, TheDifferentialFormTakesTheChoke) {
    const std::string choke = "WQ2012S900 (90 ohm, USB2.0 HS)";
    const auto choose90 = [&](Form& f) {
        walk(f, 0, kChokes, "WQ2012 Signal Line (2.0x1.2mm)", "90 ohm", choke);
        EXPECT_TRUE(contains(chartTexts(f, 0), "Impedance-Frequency(Common Mode)"));
    };
    Form& config = startProgram(3);
    openChooser(config, [&](Form& f) {
        choose90(f);
        t::click(control<platform::CommandButton>(f, "cmdOk"));
        EXPECT_FALSE(f.isLoaded());
    });
    EXPECT_EQ(partBox(config, 0), choke);
    EXPECT_EQ(picture(config, 3), "wqb");

    // Opened again on that choke, then started from the dialog.
    t::clearMessageBoxes();
    openChooser(config, [&](Form& f) {
        EXPECT_EQ(list(f, "cboTertiary", 0).Text(), "90 ohm");
        EXPECT_EQ(list(f, "cboPartNumber", 0).Text(), choke);
        EXPECT_EQ(list(f, "cboPartNumber", 1).Text(), "YZ2012-900 (90 ohm, USB2.0 HS)");
        t::click(control<platform::CommandButton>(f, "cmdSimulation"));
        EXPECT_FALSE(f.isLoaded());
    });
    EXPECT_EQ(messages(), std::vector<std::string>{});
    EXPECT_EQ(mdlPublic::SimCount, 1);
    Form* chart = platform::Forms().byName("frmChart2");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Caption().substr(0, 28), "Simulation No.01-WQ2012S900-");
}

// ---- Pictures ------------------------------------------------------------------------------------

TEST_F(Chooser, PicturesOfTheDialogWithItsCharts) {
    struct Row {
        const char* file;
        int simType;
        std::function<void(Form&)> choose;
        std::vector<std::string> titles;  // per slot
    };
    const Row rows[] = {
        {"frmSelectFil_bead_chart", 0,
         [](Form& f) { walk(f, 0, kBeads, "KSV1608 Standard (1.6x0.8mm)", "600 ohm", "KSV1608S601 (600 ohm, 300 mA)"); },
         {"Impedance-Frequency"}},
        // A capacitor-type filter's secondary group is charted before a tertiary is chosen.
        {"frmSelectFil_db_chart", 2,
         [](Form& f) {
             walk(f, 0, kBeads, "KSV1005 Standard (1.0x0.5mm)", "100 ohm");
             walk(f, 1, kQta, "QTA1608 (1.6x0.8mm)");
         },
         {"Impedance-Frequency", "IL-Frequency"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        Form& config = startProgram(row.simType);
        openChooser(config, [&](Form& f) {
            row.choose(f);
            for (std::size_t slot = 0; slot < row.titles.size(); ++slot)
                EXPECT_TRUE(contains(chartTexts(f, static_cast<int>(slot)), row.titles[slot]));
            if (row.simType == 2) {
                EXPECT_EQ(list(f, "cboPartNumber", 2).ListCount(), 7);
                EXPECT_EQ(control<platform::Label>(f, "lblTertiary", 1).Caption(), "Tertiary(Cap.)");
            }
            // Each chart has its single-line border.
            for (std::size_t slot = 0; slot < row.titles.size(); ++slot) {
                const QImage shot = control<platform::PictureBox>(f, "picChart", static_cast<int>(slot)).widget()->grab().toImage();
                const int w = shot.width(), h = shot.height();
                for (const QPoint& edge : {QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 2, 0), QPoint(w / 2, h - 1)})
                    EXPECT_EQ(shot.pixelColor(edge), QColor(Qt::black)) << edge.x() << "," << edge.y();
            }
            apptest::grab(f, row.file);
        });
        t::discardAllForms();
        apptest::resetShared();
    }
}

// ---- The part chart ------------------------------------------------------------------------------

// A catalogue of flat curves: every part's block 1 holds one value over 0.5 MHz to 2 GHz.
struct ChartPart {
    int type;
    std::string primary, tertiary, global, previous;
    float level;
};

void writeCatalogue(const std::vector<ChartPart>& parts) {
    std::ofstream index(mdlPublic::dataPath("filtere.idx"), std::ios::binary);
    std::ofstream data(mdlPublic::dataPath("filter.dat"), std::ios::binary);
    int recNo = 0;
    for (const ChartPart& p : parts) {
        ++recNo;
        index << recNo << "," << p.type << ",\"" << p.primary << "\",\"S\",\"" << p.tertiary << "\",\"note\",\""
              << p.global << "\",\"" << p.previous << "\"\r\n";
        std::vector<char> record(3678, 0);
        for (int j = 0; j < 201; ++j) {
            const float mhz = static_cast<float>(0.5 * std::pow(4000.0, j / 200.0));
            std::memcpy(record.data() + 462 + 4 * j, &mhz, 4);
            std::memcpy(record.data() + 462 + 4 * (201 + j), &p.level, 4);
        }
        data.write(record.data(), static_cast<std::streamsize>(record.size()));
    }
    index.close();
    mdlPublic::loadFilterIndex(mdlPublic::dataPath("filtere.idx"));
}

struct DrawnChart {
    std::vector<std::string> valueLabels;  // bottom to top
    std::vector<platform::DrawnPrimitive> legend;
    std::vector<platform::DrawnPrimitive> texts;
    double firstCurveX = -1, lastCurveX = -1;
    std::size_t curveSegments = 0;
};

DrawnChart drawChart(const std::string& series, const std::string& primary, bool previous) {
    platform::RecordingCanvas canvas(369, 225);
    config::setPartChartScale(canvas, 5535, 3375);
    config::drawPartChart(canvas, series, config::partChartGroup(primary, "S", "T"), previous);
    DrawnChart out;
    // Each part's legend line comes before its curve; everything before the first is the frame.
    bool curves = false;
    for (const auto& p : canvas.displayList()) {
        if (p.kind == platform::PrimitiveKind::Text) {
            out.texts.push_back(p);
            if (p.x1 == 20 && p.y1 < 900) out.valueLabels.push_back(p.text);
            if (p.x1 == 710) {
                out.legend.push_back(p);
                curves = true;
            }
        } else if (p.kind == platform::PrimitiveKind::Line && curves) {
            if (out.firstCurveX < 0) out.firstCurveX = p.x1;
            out.lastCurveX = p.x2;
            ++out.curveSegments;
        }
    }
    return out;
}

// An open list shows every item whole, however narrow the closed box; also in a style that would
// keep the list at the box's width.
TEST_F(Chooser, OpenListsShowTheirLongestItemsWhole) {
    struct StyleScope {
        const QString kept = QApplication::style()->name();
        StyleScope() { QApplication::setStyle("Windows"); }
        ~StyleScope() { QApplication::setStyle(kept); }
    } narrowLists;
    struct Row {
        int simType;
        std::string list;
        const char* longItem;
    };
    for (const Row& row : {Row{0, "cboPrimary", "Chip TESSOR (QTD :RC combined T type)"}, Row{3, "cboPrimary", kChokes},
                           Row{0, "cboPartNumber", "KSV1608G601 (600 ohm, 200 mA GHz type)"}}) {
        openChooser(startProgram(row.simType), [&row](Form& f) {
            if (row.list == "cboPartNumber") walk(f, 0, kBeads, "KSV1608 Standard (1.6x0.8mm)", "600 ohm");
            ComboBox& box = list(f, row.list, 0);
            EXPECT_TRUE(contains(items(box), row.longItem));
            auto* combo = static_cast<QComboBox*>(box.widget());
            combo->showPopup();
            const QAbstractItemView* view = combo->view();
            // A text is cut when it is wider than its row less the item's margin on either side.
            const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
            for (const std::string& item : items(box))
                EXPECT_LE(view->fontMetrics().horizontalAdvance(QString::fromStdString(item)) + margins,
                          view->viewport()->width()) << item;
            view->parentWidget()->grab().save(QString::fromStdString(
                apptest::outputFile("frmSelectFil_open_" + row.list + std::to_string(row.simType) + ".png")));
            combo->hidePopup();
        });
        t::discardAllForms();
        apptest::resetShared();
    }
}

TEST_F(Chooser, PartChartAxesTitlesAndLegend) {
    struct Row {
        const char* name;
        const char* series;
        const char* primary;
        int type;
        std::vector<float> levels;
        std::vector<std::string> valueLabels;
        std::string title;
    };
    const Row rows[] = {
        {"350 ohm", "KSV", kBeads, 0, {350}, {" 0", " 100", " 200", " 300", " 400"}, "Impedance-Frequency"},
        {"400 ohm", "KSV", kBeads, 0, {120, 400}, {" 0", " 100", " 200", " 300", " 400"}, "Impedance-Frequency"},
        {"401 ohm", "KSV", kBeads, 0, {401}, {" 0", " 150", " 300", " 450", " 600"}, "Impedance-Frequency"},
        {"nothing above 0 ohm", "KSV", kBeads, 0, {0}, {" 0", " 50", " 100", " 150", " 200"}, "Impedance-Frequency"},
        {"empty group", "KSV", kBeads, 0, {}, {" 0", " 50", " 100", " 150", " 200"}, "Impedance-Frequency"},
        {"insertion loss", "JX", kCaps, 2, {20}, {" 100", " 75", " 50", " 25", " 0"}, "IL-Frequency"},
        {"choke", "WQ", kChokes, 3, {90}, {" 0", " 50", " 100", " 150", " 200"},
         "Impedance-Frequency(Common Mode)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<ChartPart> parts;
        for (std::size_t i = 0; i < row.levels.size(); ++i)
            parts.push_back({row.type, row.primary, "T", "P" + std::to_string(i), "", row.levels[i]});
        writeCatalogue(parts);
        const DrawnChart chart = drawChart(row.series, row.primary, false);
        EXPECT_EQ(chart.valueLabels, row.valueLabels);
        const auto title = std::find_if(chart.texts.begin(), chart.texts.end(), [](const auto& p) { return p.y1 == 950 && p.x1 > 20; });
        ASSERT_NE(title, chart.texts.end());
        EXPECT_EQ(title->text, row.title);
        EXPECT_EQ(title->x1, row.title.find("Common") != std::string::npos ? 120 : 250);
        EXPECT_EQ(chart.legend.size(), row.levels.size());
        if (!row.levels.empty()) {
            // Points below 1 MHz and above 1 GHz are cut at the range ends.
            EXPECT_DOUBLE_EQ(chart.firstCurveX, 120);
            EXPECT_NEAR(chart.lastCurveX, 699, 1e-3);
        }
    }
}

TEST_F(Chooser, PartChartOfALargeGroupCyclesItsColours) {
    // 20 parts: the chart holds 18; a reference resistor keeps its colour but is not drawn; under
    // previous numbers the legend shows them, empty where a part has none.
    std::vector<ChartPart> parts;
    for (int i = 0; i < 20; ++i) {
        const std::string global = i == 1 ? "R(10ohm)" : "QTX" + std::to_string(i);
        parts.push_back({1, kQta, "T", global, i % 2 == 0 ? "OLD" + std::to_string(i) : "", 30});
    }
    writeCatalogue(parts);
    const DrawnChart chart = drawChart("QTA", kQta, true);
    ASSERT_EQ(chart.legend.size(), 17u);
    const std::vector<const char*> palette = {"blue", "red", "black", "magenta", "dark-green", "brown", "dark-blue", "dark-cyan", "purple"};
    for (const auto& entry : chart.legend) {
        const int s = static_cast<int>(std::lround((820 - entry.y1) / 80));
        SCOPED_TRACE(s);
        EXPECT_NE(s, 1);
        EXPECT_EQ(entry.color, mdlPublic::GetColor(palette[static_cast<std::size_t>(s % 9)]));
        EXPECT_EQ(entry.text, s % 2 == 0 ? "OLD" + std::to_string(s) : "");
    }
    EXPECT_EQ(chart.curveSegments % 17, 0u);
}

}  // namespace
