#include "app/shell/form_registry.h"

#include <map>

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

std::map<std::string, FormLoader>& loaders() {
    static std::map<std::string, FormLoader> table;
    return table;
}

}  // namespace

void registerFormLoader(const std::string& name, FormLoader loader) { loaders()[name] = std::move(loader); }

void unregisterFormLoader(const std::string& name) { loaders().erase(name); }

bool formAvailable(const std::string& name) { return loaders().count(name) != 0; }

platform::Form* defaultFormByName(const std::string& name) {
    const auto it = loaders().find(name);
    if (it == loaders().end()) return nullptr;
    return &it->second();
}

void registerProgramForms() {
    // One registerFormLoader call per form the shell opens by name, added as each form is built.
    registerFormLoader("frmConfig", []() -> platform::Form& { return platform::defaultForm<frmConfig>(); });
    registerFilterRun();
    registerFormLoader("frmConfig2", []() -> platform::Form& { return platform::defaultForm<frmConfig2>(); });
    registerDiffRun();
    registerFormLoader("frmSelectFil", []() -> platform::Form& { return platform::defaultForm<frmSelectFil>(); });
    registerFormLoader("frmConfigRange", []() -> platform::Form& { return platform::defaultForm<frmConfigRange>(); });
    registerFormLoader("frmConfigRange2", []() -> platform::Form& { return platform::defaultForm<frmConfigRange2>(); });
    registerFormLoader("frmConfigPrint", []() -> platform::Form& { return platform::defaultForm<frmConfigPrint>(); });
    registerFormLoader("frmPrinting", []() -> platform::Form& { return platform::defaultForm<frmPrinting>(); });
}

}  // namespace app
