#include "app/shell/form_registry.h"

#include <map>

#include "app/config/filter_run.h"
#include "app/config/frmConfig.h"
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
}

}  // namespace app
