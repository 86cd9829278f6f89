// The differential result window, driven as a user would, on a synthetic simulation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QImage>

#include "app/charts/chart_fixture.h"
#include "app/charts/diff_chart_fixture.h"
#include "app/charts/frmChart2.h"
#include "app/charts/frmWideChart.h"
#include "app/config/frmConfig.h"
#include "app/config/frmSelectFil.h"
#include "app/diffconfig/frmConfig2.h"
#include "app/shared/form_registry.h"
#include "app/shell/frmMain.h"
#include "app/shared/mdlPublic.h"
#include "platform/clipboard.h"
#include "platform/menu.h"
#include "platform/msgbox.h"
#include "platform/picturebox.h"
#include "support/testing.h"

using namespace chart_test;
namespace pt = platform::testing;

namespace {

using apptest::sameImage;

class FrmChart2Test : public ResultWindowTest {
protected:
    // Simulation sim of a catalogue choke, then its result window as the run opens it.
    frmChart2& openChart(int sim) {
        fillDiffSimulation(sim, 240, "USB2.0", "HS(480Mbps)", pairWave,
                           [](int kind, int k) { return (k == 0 ? 0.2 : 0.05 / k) * (kind < 2 ? 1.0 : 2.0); });
        mdlPublic::SimConfigs2[static_cast<std::size_t>(sim)].PartNum = "WQ2012S900";
        return showResultWindow<frmChart2>(sim);
    }
};

TEST_F(FrmChart2Test, WindowsArePlacedCountedAndReleaseTheirChokeResults) {
    frmChart2& first = openChart(0);
    EXPECT_EQ(first.Caption(), "Simulation No.01-WQ2012S900-Input Signal Frequency=240[MHz]");
    EXPECT_EQ(first.Left(), 0);
    EXPECT_EQ(first.Top(), 0);
    EXPECT_EQ(first.Width(), 11250);
    EXPECT_EQ(first.Height(), 6500);
    // Beside exactly one window a differential window goes to a pseudo-random left, not below it.
    frmChart2& second = openChart(99);
    EXPECT_EQ(second.Caption().substr(0, 17), "Simulation No.100");
    EXPECT_GE(second.Left(), 0);
    EXPECT_LT(second.Left(), 500);
    EXPECT_EQ(mdlPublic::ChartCount, 2);
    EXPECT_EQ(mdlPublic::LastChart2, nullptr);  // only the run sets it

    const std::string zoom[] = {"&Impedance-Frequency...", "&Voltage-Waveform...", "V&oltage-Waveform V+ + V-...",
                                "Vo&ltage-Waveform V+ - V-...", "&Spectrum-Frequency V+ + V-..."};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(second.menuByName("mnuChartScaleupIndex(" + std::to_string(i) + ")")->Caption(), zoom[i]);

    pt::close(second);
    EXPECT_TRUE(mdlPublic::SimResults[0][99].Wave.empty());
    EXPECT_TRUE(mdlPublic::SimResults[1][99].Spectrum.empty());
    EXPECT_EQ(mdlPublic::ChartCount, 1);
    EXPECT_TRUE(first.isLoaded());
}

TEST_F(FrmChart2Test, PopupZoomAndClipboardActOnTheRightClickedChart) {
    frmChart2& chart = openChart(0);
    chart.chartPicture(4).userMouseUp(platform::PictureBox::RightButton, 0, 10, 10);
    EXPECT_EQ(mdlPublic::ChartPicIndex, 4);
    pt::click(*chart.menuByName("mnuChartrcClipboard"));
    EXPECT_TRUE(sameImage(platform::Clipboard::GetData(), chart.chartPicture(4).Picture()));

    // Zoom entry 1 is the measuring-point chart: four curves, pen 2, zoom layout.
    bool driven = false;
    pt::setModalDriver([&](platform::Form& form) {
        auto* wide = dynamic_cast<frmWideChart*>(&form);
        ASSERT_NE(wide, nullptr);
        driven = true;
        EXPECT_TRUE(findText(wide->chartCanvas(), "Voltage-Waveform(Measuring Point)"));
        const auto blue = linesIn(wide->chartCanvas(), platform::RGB(0, 0, 255));
        ASSERT_FALSE(blue.empty());
        EXPECT_EQ(blue.front().width, 2);
        EXPECT_DOUBLE_EQ(blue.front().x1, 90);
        platform::Unload(*wide);
    });
    pt::click(*chart.menuByName("mnuChartScaleupIndex(1)"));
    EXPECT_TRUE(driven);

    // The choke chart shows only when asked for.
    EXPECT_FALSE(chart.chartPicture(0).Visible());
    pt::click(chart.freqChartSwitch());
    EXPECT_TRUE(chart.chartPicture(0).Visible());
    pt::click(chart.freqChartSwitch());
    EXPECT_FALSE(chart.chartPicture(0).Visible());
}

TEST_F(FrmChart2Test, CloseAllWithNoConfigurationFormOpenLoadsNone) {
    app::registerFormLoader("frmConfig2", []() -> platform::Form& { return platform::defaultForm<frmConfig2>(); });
    frmMain::instance();
    frmChart2& first = openChart(0);
    openChart(1);
    pt::click(*first.menuByName("mnuWindowClose"));
    EXPECT_EQ(platform::loadedForm<frmConfig2>(), nullptr);
    EXPECT_EQ(platform::loadedForm<frmChart2>(), nullptr);
    EXPECT_EQ(mdlPublic::ChartCount, 0);
}

TEST_F(FrmChart2Test, ADrawingFailureInTheWindowClosesIt) {
    frmChart2& chart = openChart(0);
    mdlPublic::SimConfigs2[0].VoltMin[1] = mdlPublic::SimConfigs2[0].VoltMax[1] = 2;
    chart.redrawCharts(0);
    ASSERT_EQ(pt::messageBoxes().size(), 1u);
    EXPECT_EQ(pt::messageBoxes()[0].title, "Vandor.frmChart2.DrawVoltageChart");
    EXPECT_EQ(pt::messageBoxes()[0].text.rfind("Unexpected Error 11", 0), 0u);
    EXPECT_FALSE(chart.isLoaded());
    EXPECT_EQ(mdlPublic::ChartCount, 0);
}

TEST_F(FrmChart2Test, SelectFilterWhileTheFilterCircuitFormIsOpenLoadsNoSecondForm) {
    app::registerFormLoader("frmConfig", []() -> platform::Form& { return platform::defaultForm<frmConfig>(); });
    app::registerFormLoader("frmConfig2", []() -> platform::Form& { return platform::defaultForm<frmConfig2>(); });
    app::registerFormLoader("frmSelectFil", []() -> platform::Form& { return platform::defaultForm<frmSelectFil>(); });
    frmMain::instance();
    mdlPublic::saveAppSetting("SimType", "1");
    mdlPublic::ShowConfigForm(1, false);
    frmChart2& chart = openChart(0);
    std::vector<std::string> shown;
    pt::setModalDriver([&](platform::Form& form) {
        shown.push_back(form.Name());
        platform::Unload(form);
    });
    pt::click(*chart.menuByName("mnuSimFilconf"));
    // No one-part chooser over the two-part filter form, and no hidden differential form beside it.
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(platform::loadedForm<frmConfig2>(), nullptr);
    EXPECT_NE(platform::loadedForm<frmConfig>(), nullptr);
    for (const char* name : {"frmConfig", "frmSelectFil"}) app::unregisterFormLoader(name);
}

// Select Filter is enabled only while it can act: not beside the filter circuit's form, nor while
// no differential form is open; enabled again when it can.
TEST_F(FrmChart2Test, SelectFilterIsEnabledOnlyWhileItCanAct) {
    app::registerFormLoader("frmConfig", []() -> platform::Form& { return platform::defaultForm<frmConfig>(); });
    app::registerFormLoader("frmConfig2", []() -> platform::Form& { return platform::defaultForm<frmConfig2>(); });
    app::registerFormLoader("frmSelectFil", []() -> platform::Form& { return platform::defaultForm<frmSelectFil>(); });
    frmMain::instance();
    frmChart2& chart = openChart(0);
    platform::MenuItem& item = *chart.menuByName("mnuSimFilconf");
    struct Row {
        const char* simType;  // chosen in the start dialog
        int open;             // the circuit type whose form the user opens; -1: closes the open form
        bool enabled;
    };
    for (const Row& row : {Row{"1", 1, false}, Row{"3", 3, true}, Row{"3", -1, false}, Row{"2", 2, false},
                           Row{"2", -1, false}, Row{"3", 3, true}}) {
        mdlPublic::saveAppSetting("SimType", row.simType);
        if (row.open >= 0) {
            mdlPublic::ShowConfigForm(row.open, false);
        } else {
            platform::Form& form = *platform::Forms().nameLike("frmConfig*").front();
            pt::activate(form);  // a click on its close box
            pt::close(form);
        }
        pt::activate(chart);
        EXPECT_EQ(item.Enabled(), row.enabled) << row.simType << " " << row.open;
    }
    for (const char* name : {"frmConfig", "frmSelectFil"}) app::unregisterFormLoader(name);
}

}  // namespace
