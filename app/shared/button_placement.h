#pragma once
// Dialogs open centred on the main window, wholly on the screen, and carry their OK and Cancel
// buttons alike.

#include "platform/screen.h"

namespace platform {
class CommandButton;
}  // namespace platform

namespace app {

// Centres the dialog's outer frame on the main window's, inside the work area; call it once the
// dialog has its size.
using platform::centreOnMain;

// Names the button "cmdOk", places it (375 twips high) and makes Enter click it.
void placeOkButton(platform::CommandButton& ok, int left, int top, int width);
// Names the button "cmdCancel", places it (375 twips high) and makes Esc click it.
void placeCancelButton(platform::CommandButton& cancel, int left, int top, int width);

}  // namespace app
