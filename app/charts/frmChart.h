#pragma once
// The result window of one filter-circuit simulation: the part's characteristic, the voltage
// waveform and the spectrum side by side, with menus to zoom, copy, switch the waveform between
// one and two clock periods, review the settings and print. The simulation number lives only in
// the caption.

#include <cstdint>
#include <functional>
#include <string>

#include "app/charts/filter_charts.h"
#include "app/charts/result_window.h"
#include "platform/controls.h"
#include "platform/menu.h"
#include "platform/picturebox.h"

namespace platform {
class Canvas;
}

class frmChart : public ResultWindow {
public:
    frmChart();
    ~frmChart() override;

    // Draw one chart of simulation sim on a target: one of this window's pictures, the zoom
    // window's picture or the printer. A failure shows the error box; it closes this window only
    // when the chart was being drawn into the window's own picture.
    void DrawFreqChart(std::int16_t sim, platform::Canvas& target, bool monochrome);
    void DrawVoltageChart(std::int16_t sim, platform::Canvas& target, bool monochrome);
    void DrawSpectrumChart(std::int16_t sim, platform::Canvas& target, bool monochrome);

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;

private:
    // Menu and picture events.
    void mnuFileNew_Click();
    void mnuFilePageSetup_Click();
    void mnuFilePrint_Click();
    void mnuFileExit_Click();
    void mnuViewCurrent_Click();
    void mnuViewOld_Click();
    void mnuSimConfReview_Click();
    void mnuSimFilconf_Click();
    void mnuChartScaleupIndex_Click(int index);
    void mnuChartRange_Click();
    void mnuChartCycle_Click();
    void mnuChartClipboardIndex_Click(int index);
    void mnuOptConf_Click();
    void mnuWindowClose_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    void mnuChartrcScaleup_Click();
    void mnuChartrcClipboard_Click();
    void picChart_MouseUp(int index, int button, int shift, float x, float y);

    // Helpers.
    void wireEvents();
    void setMenuCaptions();
    void showViewChecks();
    void setWindowCaption();
    void FixFormSize();
    void ShowScaleup(std::int16_t index, std::int16_t sim);
    void switchCycle();
    void reviewSettings();
    void showDialog(const std::string& name);
    charts::TargetKind targetKind(const platform::Canvas& target);
    void drawTrapped(const char* procedure, platform::Canvas& target,
                     const std::function<void(const charts::ChartTarget&)>& draw);

    platform::ControlArray<platform::PictureBox> picChart;
    charts::FilterCharts charts_;
    bool fixingSize_ = false;

    platform::MenuItem mnuFile{*this, "&File"};
    platform::MenuItem mnuFileNew{mnuFile, "&New Simulation"};
    platform::MenuItem mnuFileBar1{mnuFile, "-"};
    platform::MenuItem mnuFilePageSetup{mnuFile, "P&rint Setup..."};
    platform::MenuItem mnuFilePrint{mnuFile, "&Print..."};
    platform::MenuItem mnuFileBar2{mnuFile, "-"};
    platform::MenuItem mnuFileExit{mnuFile, "E&xit"};
    platform::MenuItem mnuView{*this, "&View"};
    platform::MenuItem mnuViewCurrent{mnuView, "&Global Part Number"};
    platform::MenuItem mnuViewOld{mnuView, "&Previous Part Number"};
    platform::MenuItem mnuSim{*this, "&Simulation"};
    platform::MenuItem mnuSimConfReview{mnuSim, "&See Configuration"};
    platform::MenuItem mnuSimFilconf{mnuSim, "Select &Filter..."};
    platform::MenuItem mnuChart{*this, "&Chart"};
    platform::MenuItem mnuChartScaleup{mnuChart, "&Zoom in"};
    platform::MenuArray mnuChartScaleupIndex{mnuChartScaleup, 3};
    platform::MenuItem mnuChartRange{mnuChart, "&Expand/Contract"};
    platform::MenuItem mnuChartCycle{mnuChart, "Change the &Voltage-Waveform Cycle time"};
    platform::MenuItem mnudChartBar2{mnuChart, "-"};
    platform::MenuItem mnuChartClipboard{mnuChart, "&Copy to Clipboard"};
    platform::MenuArray mnuChartClipboardIndex{mnuChartClipboard, 3};
    platform::MenuItem mnuOpt{*this, "&Option"};
    platform::MenuItem mnuOptConf{mnuOpt, "&Setting"};
    platform::MenuItem mnuWindow{*this, "&Window"};
    platform::MenuItem mnuWindowClose{mnuWindow, "&Close all Chart Windows"};
    platform::MenuItem mnuHelp{*this, "&Help"};
    platform::MenuItem mnuHelpContents{mnuHelp, "&Contents"};
    platform::MenuItem mnuHelpBar1{mnuHelp, "-"};
    platform::MenuItem mnuHelpAbout{mnuHelp, "&About..."};
    // The pop-up menu of a right click on a chart; never in the menu bar.
    platform::MenuItem mnuChartrc{*this, "Chart"};
    platform::MenuItem mnuChartrcReview{mnuChartrc, "&See Configuration"};
    platform::MenuItem mnuChartrcBar1{mnuChartrc, "-"};
    platform::MenuItem mnuChartrcScaleup{mnuChartrc, "&Zoom in..."};
    platform::MenuItem mnuChartrcRange{mnuChartrc, "&Expand/Contract"};
    platform::MenuItem mnuChartrcCycle{mnuChartrc, "Change the &Voltage-Waveform Cycle time"};
    platform::MenuItem mnuChartrcBar2{mnuChartrc, "-"};
    platform::MenuItem mnuChartrcClipboard{mnuChartrc, "&Copy to Clipboard"};
};
