// The filter-circuit result window and the zoom window, driven as a user would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QImage>

#include "app/charts/chart_fixture.h"
#include "app/charts/frmChart.h"
#include "app/charts/frmWideChart.h"
#include "app/config/frmConfig.h"
#include "app/shared/form_registry.h"
#include "platform/clipboard.h"
#include "platform/menu.h"
#include "platform/msgbox.h"
#include "platform/picturebox.h"
#include "support/testing.h"

using namespace chart_test;
namespace pt = platform::testing;

namespace {

using apptest::menuItem;
using apptest::outputFile;
using apptest::sameImage;

platform::PictureBox& picture(platform::Form& form, int index) {
    return dynamic_cast<platform::PictureBox&>(*form.controlByName("picChart", index));
}

class FrmChartTest : public FilterChartTest {
protected:
    void TearDown() override {
        FilterChartTest::TearDown();
        app::unregisterFormLoader("frmConfig");
    }
};

}  // namespace

TEST_F(FrmChartTest, CaptionCarriesNumberPartsAndClock) {
    frmChart& first = openChart(2);
    EXPECT_EQ(first.Caption(), "Simulation No.03-KSV1005A601-Input Signal Frequency=25[MHz]");

    mdlPublic::saveAppSetting("SimType", "1");
    fillSimulation(3, 25, [](int k, double ph) { return sampleWave(k, ph, 3.3); }, sampleAmplitude);
    mdlPublic::SimConfigs[3].PartNum = {"KSV1005A601", "JX18B102"};
    mdlPublic::SimConfigs[3].SimType = 1;
    mdlPublic::SimCount = 3;
    frmChart& second = platform::Load<frmChart>();
    EXPECT_EQ(second.Caption(), "Simulation No.04-KSV1005A601+JX18B102-Input Signal Frequency=25[MHz]");
}

TEST_F(FrmChartTest, WindowsArePlacedAndCountedAndKeepTheirSize) {
    frmChart& first = openChart(0);
    frmChart& second = openChart(1);
    frmChart& third = openChart(2);
    EXPECT_EQ(mdlPublic::ChartCount, 3);
    EXPECT_EQ(first.Left(), 0);
    EXPECT_EQ(first.Top(), 0);
    EXPECT_EQ(second.Left(), 0);
    EXPECT_EQ(second.Top(), 3450);
    EXPECT_GE(third.Left(), 0);
    EXPECT_LT(third.Left(), 500);
    EXPECT_EQ(first.Width(), 11050);
    EXPECT_EQ(first.Height(), 3450);

    first.setWindowState(platform::StateMaximized);
    first.setWindowState(platform::StateNormal);
    EXPECT_EQ(first.Width(), 11050);
    EXPECT_EQ(first.Height(), 3450);
}

TEST_F(FrmChartTest, TenWindowsOnTheDesktopHideNoneAndStayInside) {
    struct Desktop : platform::Form {
        Desktop() : Form("frmMain", platform::FormKind::MdiParent) {}
    };
    auto& desk = platform::Load<Desktop>();
    desk.Move(0, 0, 1600 * 15, 1000 * 15);
    desk.Show();
    std::vector<frmChart*> charts;
    for (int sim = 0; sim < 10; ++sim) charts.push_back(&openChart(sim));
    EXPECT_EQ(charts[1]->Top(), 3450) << "the second window keeps its own place";
    for (std::size_t i = 0; i < charts.size(); ++i) {
        const frmChart& a = *charts[i];
        EXPECT_GE(a.Top(), 0);
        EXPECT_LE(a.Left() + a.Width(), desk.ScaleWidth()) << "window " << i;
        EXPECT_LE(a.Top() + a.Height(), desk.ScaleHeight()) << "window " << i;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(a.Left() == charts[j]->Left() && a.Top() == charts[j]->Top())
                << "window " << i << " lies exactly over window " << j;
    }
    EXPECT_GT(charts[2]->Top(), charts[1]->Top()) << "the third cascades below the second";
    apptest::grab(desk, "ten_result_windows");
}

TEST_F(FrmChartTest, CycleSwitchTogglesOneAndTwoPeriods) {
    frmChart& chart = openChart(0, 10);
    pt::click(menuItem(chart, {"&Chart", "Change the &Voltage-Waveform Cycle time"}));
    EXPECT_EQ(mdlPublic::SimConfigs[0].Cycles, 2);
    EXPECT_FLOAT_EQ(mdlPublic::SimConfigs[0].TimeMax, 2.0e-7f);
    EXPECT_NE(findText(picture(chart, 1).canvas(), "200"), nullptr);
    pt::click(menuItem(chart, {"Chart", "Change the &Voltage-Waveform Cycle time"}));
    EXPECT_EQ(mdlPublic::SimConfigs[0].Cycles, 1);
    EXPECT_FLOAT_EQ(mdlPublic::SimConfigs[0].TimeMax, 1.0e-7f);
}

TEST_F(FrmChartTest, ClipboardGetsTheChartPicture) {
    frmChart& chart = openChart(0);
    pt::click(menuItem(chart, {"&Chart", "&Copy to Clipboard", "&Voltage-Waveform"}));
    EXPECT_TRUE(sameImage(platform::Clipboard::GetData(), picture(chart, 1).Picture()));

    // The pop-up acts on the picture last clicked with the right button.
    picture(chart, 2).userMouseUp(platform::PictureBox::RightButton, 0, 10, 10);
    EXPECT_EQ(mdlPublic::ChartPicIndex, 2);
    EXPECT_EQ(pt::lastPopupMenu(), &menuItem(chart, {"Chart"}));
    pt::click(menuItem(chart, {"Chart", "&Copy to Clipboard"}));
    EXPECT_TRUE(sameImage(platform::Clipboard::GetData(), picture(chart, 2).Picture()));
}

TEST_F(FrmChartTest, ZoomDrawsLargeAndCopiesItsOwnPicture) {
    frmChart& chart = openChart(0);
    bool driven = false;
    pt::setModalDriver([&](platform::Form& form) {
        auto* wide = dynamic_cast<frmWideChart*>(&form);
        ASSERT_NE(wide, nullptr);
        driven = true;
        EXPECT_EQ(wide->Caption(), chart.Caption());
        const auto blue = linesIn(wide->chartCanvas(), platform::RGB(0, 0, 255));
        ASSERT_FALSE(blue.empty());
        EXPECT_EQ(blue.front().width, 2);
        EXPECT_DOUBLE_EQ(blue.front().x1, 90);
        pt::click(dynamic_cast<platform::CommandButton&>(*wide->controlByName("cmdClipboard")));
        EXPECT_TRUE(wide->isLoaded());
        EXPECT_EQ(platform::Clipboard::GetData().widthPx(), 561);
        pt::click(dynamic_cast<platform::CommandButton&>(*wide->controlByName("cmdOk")));
        EXPECT_FALSE(wide->isLoaded());
    });
    pt::click(menuItem(chart, {"&Chart", "&Zoom in", "&Voltage-Waveform..."}));
    EXPECT_TRUE(driven);
}

TEST_F(FrmChartTest, UnloadReleasesResultsAndDisablesCloseAllWithTheLastWindow) {
    frmChart& first = openChart(0);
    frmChart& second = openChart(99);
    EXPECT_EQ(second.Caption().substr(0, 17), "Simulation No.100");
    frmConfig& config = platform::defaultForm<frmConfig>();
    platform::MenuItem& closeAll = *config.menuByName("mnuWindowClose");
    closeAll.setEnabled(true);

    platform::Unload(second);
    EXPECT_TRUE(mdlPublic::SimResults[0][99].Wave.empty());
    EXPECT_TRUE(mdlPublic::SimResults[1][99].Spectrum.empty());
    EXPECT_FALSE(mdlPublic::SimResults[2][99].Wave.empty());
    EXPECT_FALSE(mdlPublic::SimResults[0][0].Wave.empty());
    EXPECT_EQ(mdlPublic::ChartCount, 1);
    EXPECT_TRUE(closeAll.Enabled());

    pt::close(first);
    EXPECT_EQ(mdlPublic::ChartCount, 0);
    pt::activate(config);  // the form decides as it comes back
    EXPECT_FALSE(closeAll.Enabled());
}

TEST_F(FrmChartTest, SeeConfigurationReopensTheFormWithTheSimulation) {
    app::registerFormLoader("frmConfig", []() -> platform::Form& { return platform::defaultForm<frmConfig>(); });
    frmChart& chart = openChart(4);
    SimConfigRecord& record = mdlPublic::SimConfigs[4];
    record.DriverByLcr = record.ReceiverByLcr = 1;
    record.DriverR = record.DriverL = record.DriverC = "1";
    record.ReceiverL = record.ReceiverR = record.ReceiverC = record.ReceiverR2 = "1";
    record.LineMode = 2;
    mdlPublic::saveAppSetting("SimType", "2");
    mdlPublic::SimCount = 5;  // the run has moved on to the next number

    pt::click(menuItem(chart, {"&Simulation", "&See Configuration"}));
    EXPECT_EQ(mdlPublic::CurrentSim, 4);
    EXPECT_EQ(mdlPublic::GetAppSetting("SimType"), "0");
    frmConfig* config = platform::loadedForm<frmConfig>();
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(config->Caption(), "Simulation No.05");
}

TEST_F(FrmChartTest, ADrawingFailureClosesOnlyTheWindowItWasDrawnInto) {
    frmChart& chart = openChart(0);
    mdlPublic::SimConfigs[0].VoltMin = mdlPublic::SimConfigs[0].VoltMax = 2;

    pt::setModalDriver([](platform::Form& form) { platform::Unload(form); });
    pt::click(menuItem(chart, {"&Chart", "&Zoom in", "&Voltage-Waveform..."}));
    ASSERT_EQ(pt::messageBoxes().size(), 1u);
    EXPECT_EQ(pt::messageBoxes()[0].title, "Vandor.frmChart.DrawVoltageChart");
    EXPECT_EQ(pt::messageBoxes()[0].text.rfind("Unexpected Error 11", 0), 0u);
    EXPECT_TRUE(chart.isLoaded());

    pt::click(menuItem(chart, {"&Chart", "Change the &Voltage-Waveform Cycle time"}));
    EXPECT_EQ(pt::messageBoxes().size(), 2u);
    EXPECT_FALSE(chart.isLoaded());
    EXPECT_EQ(mdlPublic::ChartCount, 0);
}

TEST_F(FrmChartTest, SampleSimulationRendersToPictures) {
    frmChart& chart = openChart(0, 25);
    ASSERT_TRUE(pt::messageBoxes().empty());
    const char* names[] = {"chart_frequency.png", "chart_voltage.png", "chart_spectrum.png"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(picture(chart, i).canvas().displayList().size(), 50u);
        EXPECT_TRUE(picture(chart, i).Picture().image().save(QString::fromStdString(outputFile(names[i]))));
    }
    const auto zoomInto = [&](const std::string& item, const std::string& file) {
        pt::setModalDriver([&](platform::Form& wide) {
            EXPECT_TRUE(picture(wide, -1).Picture().image().save(QString::fromStdString(outputFile(file))));
            platform::Unload(wide);
        });
        pt::click(menuItem(chart, {"&Chart", "&Zoom in", item}));
    };
    zoomInto("&Spectrum-Frequency...", "chart_zoom_spectrum.png");
    zoomInto("&Impedance/IL-Frequency...", "chart_zoom_frequency.png");
    EXPECT_TRUE(pt::messageBoxes().empty());
}
