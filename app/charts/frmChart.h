#pragma once
// The result window of one filter-circuit simulation: the part's characteristic, the voltage
// waveform and the spectrum side by side, with menus to zoom, copy, switch the waveform between
// one and two clock periods, review the settings and print. The simulation number lives only in
// the caption.

#include <cstdint>

#include "app/drawing/filter_charts.h"
#include "app/charts/result_window.h"

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

    void switchPartnumType(std::int32_t t) override { switchFilterRecord(t); }

protected:
    void Form_Load() override;
    void drawChart(int index, std::int16_t sim, platform::Canvas& target) override;
    void reviewSettings() override;

private:
    void mnuChartCycle_Click();

    void setWindowCaption();
    void switchCycle();

    charts::FilterCharts charts_;
};
