#pragma once
// Message boxes, the bell, the mouse pointer.

#include <string>

namespace platform {

// Styles the forms use; add an icon to a button set: MsgBoxCritical | MsgBoxOkOnly.
enum MsgBoxStyle : int {
    MsgBoxOkOnly = 0,
    MsgBoxCritical = 16,
};
// What the user chose.
enum MsgBoxResult : int { MsgBoxOk = 1 };

// Shows a message box and waits for the user; an empty title means the program title (AppTitle).
int MsgBox(const std::string& text, int style = MsgBoxOkOnly, const std::string& title = {});

void Beep();

enum MousePointerShape : int { PointerDefault = 0, PointerHourglass = 1 };
// The pointer over all windows, as an absolute state: Hourglass twice then Default once gives Default.
void setMousePointer(int shape);
int mousePointer();

}  // namespace platform
