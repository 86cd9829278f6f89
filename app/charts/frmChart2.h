#pragma once
// The result window of one differential simulation: the waveforms at the measuring point, their
// sum V+ + V- and difference V+ - V-, the spectrum of the sum, and (behind a check box) the
// common-mode choke's impedance, with the same menus as the filter circuit's window. The
// simulation number lives only in the caption.

#include <cstdint>
#include <functional>
#include <string>

#include "app/charts/diff_charts.h"
#include "app/charts/result_window.h"
#include "platform/controls.h"
#include "platform/menu.h"
#include "platform/picturebox.h"

namespace platform {
class Canvas;
}

class frmChart2 : public ResultWindow {
public:
    static constexpr int ChartCountOfWindow = 5;

    frmChart2();
    ~frmChart2() override;

    // Draw one chart of simulation sim on a target: one of this window's pictures, the zoom
    // window's picture or the printer. Voltage chart index: 0 measuring point, 1 V+ + V-,
    // 2 V+ - V-. A failure shows the error box; it closes this window only when the chart was
    // being drawn into the window's own picture.
    void DrawFreqChart(std::int16_t sim, platform::Canvas& target, bool monochrome);
    void DrawVoltageChart(std::int16_t sim, platform::Canvas& target, bool monochrome, std::int16_t index);
    void DrawSpectrumChart(std::int16_t sim, platform::Canvas& target, bool monochrome);

    // picChart(index): 0 choke impedance, 1 measuring point, 2 V+ + V-, 3 V+ - V-, 4 spectrum.
    platform::PictureBox& chartPicture(int index) { return picChart(index); }
    // Redraws the five charts of simulation sim into this window's pictures (after a range change).
    void redrawCharts(std::int16_t sim);

    // The choke chart's switch and the menu items, reached by tests and other windows by name.
    platform::CheckBox& freqChartSwitch() { return chkFreqChart; }
    platform::MenuItem* menuByName(const std::string& name);
    // Zooms chart index (0..4) of simulation sim into a fresh frmWideChart, shown modally.
    void ShowScaleup(std::int16_t index, std::int16_t sim);

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;

private:
    // Menu, check box and picture events.
    void chkFreqChart_Click();
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
    void FixFormSize();
    void reviewSettings();
    void showDialog(const std::string& name);
    charts::TargetKind targetKind(const platform::Canvas& target);
    void drawTrapped(const char* procedure, platform::Canvas& target,
                     const std::function<void(const charts::ChartTarget&)>& draw);

    platform::CheckBox chkFreqChart{*this};
    platform::ControlArray<platform::PictureBox> picChart;
    platform::ControlArray<platform::Line> lineConnector;
    charts::DiffCharts charts_;
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
    platform::MenuArray mnuChartScaleupIndex{mnuChartScaleup, ChartCountOfWindow};
    platform::MenuItem mnuChartRange{mnuChart, "&Expand/Contract"};
    platform::MenuItem mnudChartBar2{mnuChart, "-"};
    platform::MenuItem mnuChartClipboard{mnuChart, "&Copy to Clipboard"};
    platform::MenuArray mnuChartClipboardIndex{mnuChartClipboard, ChartCountOfWindow};
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
    platform::MenuItem mnuChartrcBar2{mnuChartrc, "-"};
    platform::MenuItem mnuChartrcClipboard{mnuChartrc, "&Copy to Clipboard"};
};
