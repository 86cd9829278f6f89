#pragma once
// Dialogs open centred on the main window and carry their OK and Cancel buttons alike.

namespace platform {
class CommandButton;
class Form;
}  // namespace platform

namespace app {

// Top := main top + (main height - own height) / 2, then Left likewise (outer sizes, twips).
void centreOnMain(platform::Form& dialog);

// Names the button "cmdOk", places it (375 twips high) and makes Enter click it.
void placeOkButton(platform::CommandButton& ok, int left, int top, int width);
// Names the button "cmdCancel", places it (375 twips high) and makes Esc click it.
void placeCancelButton(platform::CommandButton& cancel, int left, int top, int width);

}  // namespace app
