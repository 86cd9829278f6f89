#include "app/shell/dialog_placement.h"

#include "app/shell/frmMain.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace app {

namespace {

constexpr int ButtonHeight = 375;

}  // namespace

void centreOnMain(platform::Form& dialog) {
    const frmMain* main = platform::loadedForm<frmMain>();
    if (!main) return;
    dialog.setTop(main->Top() + (main->Height() - dialog.Height()) / 2);
    dialog.setLeft(main->Left() + (main->Width() - dialog.Width()) / 2);
}

void placeOkButton(platform::CommandButton& ok, int left, int top, int width) {
    ok.setName("cmdOk");
    ok.Move(left, top, width, ButtonHeight);
    ok.setDefault(true);
}

void placeCancelButton(platform::CommandButton& cancel, int left, int top, int width) {
    cancel.setName("cmdCancel");
    cancel.Move(left, top, width, ButtonHeight);
    cancel.setCancel(true);
}

}  // namespace app
