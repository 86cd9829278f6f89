#pragma once
// Forms that the shell opens by name although it is built before them (the configuration forms and
// the part chooser). Each such form registers how it is loaded, once, before Main runs; until a
// form is registered the shell treats it as not available.

#include <functional>
#include <memory>
#include <string>

namespace platform {
class Form;
}

namespace app {

// Returns the form's default instance, loading it (Form_Load runs) when it is not loaded.
using FormLoader = std::function<platform::Form&()>;
// Makes a fresh instance that is never loaded, to measure the form's layout before it is needed.
using FormBuilder = std::function<std::unique_ptr<platform::Form>()>;

// Typically: registerFormLoader("frmConfig", [] () -> platform::Form& { return platform::defaultForm<frmConfig>(); });
void registerFormLoader(const std::string& name, FormLoader loader, FormBuilder builder = {});
// Forgets the form's loader and builder.
void unregisterFormLoader(const std::string& name);
bool formAvailable(const std::string& name);
// Registers every form of the program that the shell opens by name; main() calls it before Main.
void registerProgramForms();

// The default instance of the named form, loaded now if needed; nullptr when it is not available.
platform::Form* defaultFormByName(const std::string& name);
// A fresh, never loaded instance of the named form; nullptr when it has no builder.
std::unique_ptr<platform::Form> buildForm(const std::string& name);

}  // namespace app
