#pragma once
// What the benches that drive the program's forms share: the program started on the sample
// catalogue and the built engine, and the timed loop of simulation starts.

#include <benchmark/benchmark.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "app/charts/result_window.h"
#include "app/shared/form_registry.h"
#include "app/shell/program_forms.h"
#include "app/shared/mdlPublic.h"
#include "app/shared/string_table.h"
#include "platform/binding.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "support/testing.h"

namespace guibench {

namespace t = platform::testing;

template <class C>
C& control(platform::Form& form, const std::string& name, int index = -1) {
    auto* c = dynamic_cast<C*>(form.controlByName(name, index));
    if (!c) throw std::runtime_error("no control " + name);
    return *c;
}

inline void pickText(platform::ComboBox& list, const std::string& text) {
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i) == text) return t::pick(list, i);
    throw std::runtime_error("no item " + text);
}

// Starts the program on the sample catalogue and picks the circuit type in the start dialog.
template <class ConfigForm>
ConfigForm& startProgram(int simType) {
    mdlPublic::ProgramFolder = QUENLIS_OUT_DIR;
    platform::setEngineFolder(QUENLIS_OUT_DIR);
    app::registerStringTable();
    app::registerProgramForms();
    t::setModalDriver([simType](platform::Form& f) {
        if (f.Name() != "frmStart") return;
        t::click(control<platform::OptionButton>(f, "optSimType", simType));
        t::click(control<platform::CommandButton>(f, "cmdOk"));
    });
    mdlPublic::Main();
    t::setModalDriver({});
    ConfigForm* form = platform::loadedForm<ConfigForm>();
    if (!form) throw std::runtime_error("the configuration form did not open");
    return *form;
}

// Times clicks on `start`, each of which must open a result window (`opened` says whether the
// last one did); the windows are closed and the simulation numbers reused between clicks.
inline void timeSimulations(benchmark::State& state, platform::CommandButton& start, const char* windowName,
                            const std::function<bool()>& opened) {
    for (auto _ : state) {
        t::clearMessageBoxes();
        t::click(start);
        state.PauseTiming();
        if (!t::messageBoxes().empty() || !opened()) {
            const std::string why = t::messageBoxes().empty() ? "no result window" : t::messageBoxes()[0].text;
            state.SkipWithError(("the simulation failed: " + why).c_str());
            break;
        }
        const platform::FormsCollection forms = platform::Forms();
        for (int i = forms.Count() - 1; i >= 0; --i)
            if (forms(i).Name() == windowName) platform::Unload(forms(i));
        t::flushUnloaded();
        // Simulation numbers run out at 100; the bench reuses them.
        if (mdlPublic::SimCount >= 90) mdlPublic::SimCount = 0;
        state.ResumeTiming();
    }
}

}  // namespace guibench
