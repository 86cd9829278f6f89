#pragma once
// The registration of every form the program opens by name (app/shared/form_registry.h).

namespace app {

// Registers every form of the program that is opened by name; main() calls it before Main.
void registerProgramForms();

}  // namespace app
