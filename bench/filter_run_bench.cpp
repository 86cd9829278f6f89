// One filter-circuit simulation as the user starts it: the form's checks, four engine runs and the
// drawn result window, for a 10 MHz clock (100 harmonics) and a 1 MHz clock (1000 harmonics).

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

#include "app/config/frmConfig.h"
#include "app/shell/form_registry.h"
#include "app/shell/mdlPublic.h"
#include "app/shell/string_table.h"
#include "platform/binding.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/testing.h"

namespace {

namespace t = platform::testing;

template <class C>
C& control(platform::Form& form, const std::string& name, int index = -1) {
    auto* c = dynamic_cast<C*>(form.controlByName(name, index));
    if (!c) throw std::runtime_error("no control " + name);
    return *c;
}

void pickText(platform::ComboBox& list, const std::string& text) {
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i) == text) return t::pick(list, i);
    throw std::runtime_error("no item " + text);
}

// The program started on the sample catalogue, the filter-circuit form filled with a bead.
frmConfig& configuredForm(const std::string& clockMHz) {
    static frmConfig* form = nullptr;
    if (!form) {
        mdlPublic::ProgramFolder = QUENLIS_OUT_DIR;
        platform::setEngineFolder(QUENLIS_OUT_DIR);
        app::registerStringTable();
        app::registerProgramForms();
        if (!app::formAvailable("frmConfig"))
            app::registerFormLoader("frmConfig", []() -> platform::Form& { return platform::defaultForm<frmConfig>(); });
        t::setModalDriver([](platform::Form& f) {
            if (f.Name() != "frmStart") return;
            t::click(control<platform::OptionButton>(f, "optSimType", 0));
            t::click(control<platform::CommandButton>(f, "cmdOk"));
        });
        mdlPublic::Main();
        t::setModalDriver({});
        form = platform::loadedForm<frmConfig>();
        if (!form) throw std::runtime_error("the configuration form did not open");
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

void closeResultWindows() {
    const platform::FormsCollection forms = platform::Forms();
    for (int i = forms.Count() - 1; i >= 0; --i)
        if (forms(i).Name() == "frmChart") platform::Unload(forms(i));
    t::flushUnloaded();
}

void BM_FilterSimulation(benchmark::State& state) {
    frmConfig& form = configuredForm(std::to_string(state.range(0)));
    auto& start = control<platform::CommandButton>(form, "cmdSimulation");
    for (auto _ : state) {
        t::clearMessageBoxes();
        t::click(start);
        state.PauseTiming();
        if (!t::messageBoxes().empty() || mdlPublic::LastChart == nullptr) {
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
BENCHMARK(BM_FilterSimulation)->Arg(10)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
