#pragma once
// The one way to open a form by name: forms that other forms and the shared procedures open
// without including them (the configuration forms, the part chooser, the result windows and their
// dialogs). Each such form registers how it is loaded, once, before Main runs (registerProgramForms
// on floor 4). What a caller then asks of the form goes through an interface of app/shared
// (ConfigForm, PartChooser, MainWindow, ChartWindow); open windows of a kind are found with
// app::openForms<T>.

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
// Loads one more instance beside those open, as every simulation opens a result window of its own.
using WindowOpener = std::function<platform::Form&()>;

// Typically: registerFormLoader("frmConfig", [] () -> platform::Form& { return platform::defaultForm<frmConfig>(); });
void registerFormLoader(const std::string& name, FormLoader loader, FormBuilder builder = {});
// Forgets the form's loader and builder.
void unregisterFormLoader(const std::string& name);
// Test seam: in the program every form is registered. A test that leaves one out finds it not
// available; the callers then do nothing and show no message.
bool formAvailable(const std::string& name);
// Typically: registerWindowOpener("frmChart", [] () -> platform::Form& { return platform::Load<frmChart>(); });
void registerWindowOpener(const std::string& name, WindowOpener opener);

// The default instance of the named form, loaded now if needed; nullptr when it is not available.
platform::Form* defaultFormByName(const std::string& name);
// A fresh, never loaded instance of the named form; nullptr when it has no builder.
std::unique_ptr<platform::Form> buildForm(const std::string& name);
// A new instance of the named window, loaded now; nullptr when it has no opener.
platform::Form* openNewWindow(const std::string& name);

}  // namespace app
