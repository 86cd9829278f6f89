// The differential page: the choke's circuit, the pair's conditions and five half-height charts.
#include <cstdint>
#include <string>

#include "app/charts/frmChart2.h"
#include "app/print/print_page.h"
#include "app/print/print_page_parts.h"
#include "app/shared/mdlPublic.h"

namespace printing {

void PrintConfigPage2(platform::Canvas& printer, frmChart2& charts, const std::string& comment, std::int16_t n) {
    PrintHeader(printer, n);
    PrintFilter(printer, "cwqe");
    PrintCondition2(printer, n);
    PrintCharts(printer, {
        {0, true, [&](bool mono) { charts.DrawFreqChart(n, printer, mono); }},
        {1, true, [&](bool mono) { charts.DrawVoltageChart(n, printer, mono, 0); }},
        {3, true, [&](bool mono) { charts.DrawVoltageChart(n, printer, mono, 1); }},
        {4, true, [&](bool mono) { charts.DrawVoltageChart(n, printer, mono, 2); }},
        {2, true, [&](bool mono) { charts.DrawSpectrumChart(n, printer, mono); }},
    });
    PrintComment(printer, comment);
    PrintDisclaimer(printer);
    PrintFooter(printer);
}

void printDifferentialPage(platform::Canvas& printer, ResultWindow* window, const std::string& comment, std::int16_t n) {
    frmChart2* charts = dynamic_cast<frmChart2*>(window);
    if (!charts) charts = mdlPublic::LastChart2;
    if (!charts) noResultWindow(n);
    PrintConfigPage2(printer, *charts, comment, n);
}

}  // namespace printing
