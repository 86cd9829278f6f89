#include "app/shared/form_registry.h"
#include "app/shell/program_forms.h"

#include <map>
#include <utility>

#include "app/charts/result_window.h"
#include "app/config/filter_run.h"
#include "app/config/frmConfig.h"
#include "app/config/frmSelectFil.h"
#include "app/diffconfig/diff_run.h"
#include "app/diffconfig/frmConfig2.h"
#include "app/print/frmConfigPrint.h"
#include "app/print/frmConfigRange.h"
#include "app/print/frmConfigRange2.h"
#include "app/print/frmPrinting.h"
#include "platform/form.h"

namespace app {
namespace {

struct Entry {
    FormLoader load;
    FormBuilder build;
};

std::map<std::string, Entry>& loaders() {
    static std::map<std::string, Entry> table;
    return table;
}

std::map<std::string, WindowOpener>& openers() {
    static std::map<std::string, WindowOpener> table;
    return table;
}

template <class F>
FormBuilder builder() {
    return [] { return std::unique_ptr<platform::Form>(std::make_unique<F>()); };
}

}  // namespace

void registerFormLoader(const std::string& name, FormLoader loader, FormBuilder builder) {
    loaders()[name] = {std::move(loader), std::move(builder)};
}

void unregisterFormLoader(const std::string& name) { loaders().erase(name); }

bool formAvailable(const std::string& name) { return loaders().count(name) != 0; }

void registerWindowOpener(const std::string& name, WindowOpener opener) { openers()[name] = std::move(opener); }

platform::Form* defaultFormByName(const std::string& name) {
    const auto it = loaders().find(name);
    if (it == loaders().end()) return nullptr;
    return &it->second.load();
}

std::unique_ptr<platform::Form> buildForm(const std::string& name) {
    const auto it = loaders().find(name);
    if (it == loaders().end() || !it->second.build) return nullptr;
    return it->second.build();
}

platform::Form* openNewWindow(const std::string& name) {
    const auto it = openers().find(name);
    if (it == openers().end()) return nullptr;
    return &it->second();
}

void registerProgramForms() {
    // One registerFormLoader call per form opened by name, added as each form is built.
    // The configuration forms are measured too: the main window opens large enough for them.
    registerFormLoader("frmConfig", []() -> platform::Form& { return platform::defaultForm<frmConfig>(); },
                       builder<frmConfig>());
    registerFilterRun();
    registerFormLoader("frmConfig2", []() -> platform::Form& { return platform::defaultForm<frmConfig2>(); },
                       builder<frmConfig2>());
    registerDiffRun();
    registerFormLoader("frmSelectFil", []() -> platform::Form& { return platform::defaultForm<frmSelectFil>(); });
    registerFormLoader("frmConfigRange", []() -> platform::Form& { return platform::defaultForm<frmConfigRange>(); });
    registerFormLoader("frmConfigRange2", []() -> platform::Form& { return platform::defaultForm<frmConfigRange2>(); });
    registerFormLoader("frmConfigPrint", []() -> platform::Form& { return platform::defaultForm<frmConfigPrint>(); });
    registerFormLoader("frmPrinting", []() -> platform::Form& { return platform::defaultForm<frmPrinting>(); });
    registerResultWindows();
}

}  // namespace app
