// One differential simulation as the user starts it: the form's checks, eight engine runs and the
// drawn result window, for USB2.0 HS (240 MHz, 4 harmonics) and USB2.0 LS (0.75 MHz, 1333).

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

#include "app/diffconfig/frmConfig2.h"
#include "app/shell/form_registry.h"
#include "app/shell/mdlPublic.h"
#include "app/shell/string_table.h"
#include "platform/binding.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/testing.h"

namespace {

namespace t = platform::testing;

void pickText(platform::ComboBox& list, const std::string& text) {
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i) == text) return t::pick(list, i);
    throw std::runtime_error("no item " + text);
}

// The program started on the sample catalogue, the differential form filled with a choke.
frmConfig2& configuredForm(const std::string& clock) {
    static frmConfig2* form = nullptr;
    if (!form) {
        mdlPublic::ProgramFolder = QUENLIS_OUT_DIR;
        platform::setEngineFolder(QUENLIS_OUT_DIR);
        app::registerStringTable();
        app::registerProgramForms();
        t::setModalDriver([](platform::Form& f) {
            if (f.Name() != "frmStart") return;
            t::click(*dynamic_cast<platform::OptionButton*>(f.controlByName("optSimType", 3)));
            t::click(*dynamic_cast<platform::CommandButton*>(f.controlByName("cmdOk", -1)));
        });
        mdlPublic::Main();
        t::setModalDriver({});
        form = platform::loadedForm<frmConfig2>();
        if (!form) throw std::runtime_error("the differential form did not open");
        pickText(form->cboDcc, "USB2.0");
    }
    pickText(form->cboDccClock, clock);
    t::type(form->txtFilter(0), "WQ2012S900");
    t::pressKey(form->txtFilter(0), 13);
    return *form;
}

void closeResultWindows() {
    const platform::FormsCollection forms = platform::Forms();
    for (int i = forms.Count() - 1; i >= 0; --i)
        if (forms(i).Name() == "frmChart2") platform::Unload(forms(i));
    t::flushUnloaded();
}

void BM_DiffSimulation(benchmark::State& state) {
    frmConfig2& form = configuredForm(state.range(0) == 0 ? "HS(480Mbps)" : "LS(1.5Mbps)");
    for (auto _ : state) {
        t::clearMessageBoxes();
        t::click(form.cmdSimulation);
        state.PauseTiming();
        if (!t::messageBoxes().empty() || mdlPublic::LastChart2 == nullptr) {
            const std::string why = t::messageBoxes().empty() ? "no result window" : t::messageBoxes()[0].text;
            state.SkipWithError(("the simulation failed: " + why).c_str());
            break;
        }
        closeResultWindows();
        // Simulation numbers run out at 100; the bench reuses them.
        if (mdlPublic::SimCount >= 90) mdlPublic::SimCount = 0;
        state.ResumeTiming();
    }
}
// 0: USB2.0 HS at 240 MHz; 1: USB2.0 LS at 0.75 MHz.
BENCHMARK(BM_DiffSimulation)->ArgName("usb_ls")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
