// One differential simulation as the user starts it: the form's checks, eight engine runs and the
// drawn result window, for USB2.0 HS (240 MHz, 4 harmonics) and USB2.0 LS (0.75 MHz, 1333).

#include <string>

#include "app/diffconfig/frmConfig2.h"
#include "gui_bench.h"

namespace {

using namespace guibench;

// The program started on the sample catalogue, the differential form filled with a choke.
frmConfig2& configuredForm(const std::string& clock) {
    static frmConfig2* form = nullptr;
    if (!form) {
        form = &startProgram<frmConfig2>(3);
        pickText(form->cboDcc, "USB2.0");
    }
    pickText(form->cboDccClock, clock);
    t::type(form->txtFilter(0), "WQ2012S900");
    t::pressKey(form->txtFilter(0), 13);
    return *form;
}

void BM_DiffSimulation(benchmark::State& state) {
    frmConfig2& form = configuredForm(state.range(0) == 0 ? "HS(480Mbps)" : "LS(1.5Mbps)");
    timeSimulations(state, form.cmdSimulation, "frmChart2", [] { return mdlPublic::LastChart2 != nullptr; });
}
// 0: USB2.0 HS at 240 MHz; 1: USB2.0 LS at 0.75 MHz.
BENCHMARK(BM_DiffSimulation)->ArgName("usb_ls")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
