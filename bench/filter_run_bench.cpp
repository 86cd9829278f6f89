// One filter-circuit simulation as the user starts it: the form's checks, four engine runs and the
// drawn result window, for a 10 MHz clock (100 harmonics) and a 1 MHz clock (1000 harmonics).

#include <string>

#include "app/config/frmConfig.h"
#include "gui_bench.h"

namespace {

using namespace guibench;

// The program started on the sample catalogue, the filter-circuit form filled with a bead.
frmConfig& configuredForm(const std::string& clockMHz) {
    static frmConfig* form = nullptr;
    if (!form) {
        form = &startProgram<frmConfig>(0);
        for (int i = 0; i < 2; ++i) {
            t::click(control<platform::OptionButton>(*form, "optSelectIc", i));
            pickText(control<platform::ComboBox>(*form, "cboSelectIcPrimary", i), "CMOS");
            pickText(control<platform::ComboBox>(*form, "cboSelectIc", i), "74HC04");
        }
        auto& part = control<platform::TextBox>(*form, "txtFilter", 0);
        t::type(part, "KSV1608S601");
        t::pressKey(part, 13);
    }
    t::type(control<platform::TextBox>(*form, "txtClockFreq"), clockMHz);
    return *form;
}

void BM_FilterSimulation(benchmark::State& state) {
    frmConfig& form = configuredForm(std::to_string(state.range(0)));
    timeSimulations(state, control<platform::CommandButton>(form, "cmdSimulation"), "frmChart",
                    [] { return mdlPublic::LastChart != nullptr; });
}
BENCHMARK(BM_FilterSimulation)->Arg(10)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
