#pragma once
// Dialogs carry their OK and Cancel buttons alike.

namespace platform {
class CommandButton;
}  // namespace platform

namespace app {

// Names the button "cmdOk", places it (375 twips high) and makes Enter click it.
void placeOkButton(platform::CommandButton& ok, int left, int top, int width);
// Names the button "cmdCancel", places it (375 twips high) and makes Esc click it.
void placeCancelButton(platform::CommandButton& cancel, int left, int top, int width);

}  // namespace app
