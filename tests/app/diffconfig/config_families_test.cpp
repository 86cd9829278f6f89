// The differential form among the program's other windows: a filter result window reached while
// "SimType" names the differential pair, and the part chooser handing it a choke.
#include <string>

#include "app/charts/chart_fixture.h"
#include "app/charts/frmChart.h"
#include "app/config/frmConfig.h"
#include "diff_fixture.h"

namespace {

using namespace difftest;
using namespace mdlPublic;

using apptest::menuItem;

class Families : public DiffTest {
protected:
    // A finished filter simulation with its result window, then File > New for the differential pair.
    frmChart& filterChartThenDifferentialForm() {
        saveAppSetting("SimType", "0");
        chart_test::fillSimulation(0, 25, [](int k, double ph) { return chart_test::sampleWave(k, ph, 3.3); },
                                   chart_test::sampleAmplitude);
        SimConfigs[0].PartNum[0] = "KSV1005A601";
        SimCount = 0;
        frmChart& chart = platform::Load<frmChart>();
        chart.Show();
        SimCount = 1;
        open();
        return chart;
    }
    static bool loaded(const std::string& name) { return platform::Forms().byName(name) != nullptr; }
};

TEST_F(Families, FilterChartWindowsCloseWhileTheDifferentialPairIsChosen) {
    for (const bool differentialFormOpen : {true, false}) {
        SCOPED_TRACE(differentialFormOpen);
        frmChart& chart = filterChartThenDifferentialForm();
        t::click(form_->cmdWave);
        if (!differentialFormOpen) platform::Unload(*form_);
        ASSERT_EQ(GetAppSetting("SimType"), "3");
        // Neither menu may load the filter form, whose circuit types exclude the pair.
        EXPECT_NO_THROW(t::click(menuItem(chart, {"&Simulation", "Select &Filter..."})));
        EXPECT_NO_THROW(t::click(menuItem(chart, {"&Window", "&Close all Chart Windows"})));
        t::flushUnloaded();
        EXPECT_FALSE(loaded("frmChart"));
        EXPECT_FALSE(loaded("frmWave"));
        EXPECT_FALSE(loaded("frmConfig"));
        EXPECT_EQ(loaded("frmConfig2"), differentialFormOpen);
        EXPECT_EQ(ChartCount, 0);
        t::discardAllForms();
        frmMain::instance();
        t::clearMessageBoxes();
    }
}

TEST_F(Families, ThePartChooserHandsTheChokeBack) {
    open();
    typeEnter(form_->txtFilter(0), kChoke);
    t::click(form_->cmdReset);
    typeEnter(form_->txtFilter(0), kChoke);
    ASSERT_TRUE(form_->cmdSelect.Enabled());
    bool shown = false;
    t::setModalDriver([&shown](platform::Form& chooser) {
        shown = chooser.Name() == "frmSelectFil";
        t::click(dynamic_cast<platform::CommandButton&>(*chooser.controlByName("cmdOk")));
    });
    t::click(form_->cmdSelect);
    t::setModalDriver({});
    EXPECT_TRUE(shown);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(form_->txtFilter(0).Text(), kChokeShown);
    EXPECT_EQ(picture(3), "wqb");
}

}  // namespace
