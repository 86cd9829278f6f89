#pragma once
// Dialogs open centred on the main window.

namespace platform {
class Form;
}

namespace app {

// Top := main top + (main height - own height) / 2, then Left likewise (outer sizes, twips).
void centreOnMain(platform::Form& dialog);

}  // namespace app
