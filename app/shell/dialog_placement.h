#pragma once
// Dialogs open centred on the main window, wholly on the screen, and carry their OK and Cancel
// buttons alike.

namespace platform {
class CommandButton;
class Form;
}  // namespace platform

namespace app {

// Centres the dialog's outer frame on the main window's; where that would leave the work area of
// the main window's screen, pushes it in along that edge. Call it once the dialog has its size.
void centreOnMain(platform::Form& dialog);
// Moves a top-level window, frame and title bar included, into that work area by the shortest way.
void keepOnScreen(platform::Form& window);

// Names the button "cmdOk", places it (375 twips high) and makes Enter click it.
void placeOkButton(platform::CommandButton& ok, int left, int top, int width);
// Names the button "cmdCancel", places it (375 twips high) and makes Esc click it.
void placeCancelButton(platform::CommandButton& cancel, int left, int top, int width);

}  // namespace app
