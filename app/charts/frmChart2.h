#pragma once
// The result window of one differential simulation: the waveforms at the measuring point, their
// sum V+ + V- and difference V+ - V-, the spectrum of the sum, and (behind a check box) the
// common-mode choke's impedance, with the same menus as the filter circuit's window. The
// simulation number lives only in the caption.

#include <cstdint>

#include "app/drawing/diff_charts.h"
#include "app/charts/result_window.h"
#include "platform/controls.h"

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
    // The choke chart's switch, reached by tests and other windows.
    platform::CheckBox& freqChartSwitch() { return chkFreqChart; }

    void switchPartnumType(std::int32_t t) override { switchDiffRecord(t); }

protected:
    void Form_Load() override;
    void drawChart(int index, std::int16_t sim, platform::Canvas& target) override;
    void reviewSettings() override;

private:
    void chkFreqChart_Click();

    platform::CheckBox chkFreqChart{*this};
    platform::ControlArray<platform::Line> lineConnector;
    charts::DiffCharts charts_;
};
