#include "app/shell/dialog_placement.h"

#include "app/shell/frmMain.h"
#include "platform/form.h"

namespace app {

void centreOnMain(platform::Form& dialog) {
    const frmMain* main = platform::loadedForm<frmMain>();
    if (!main) return;
    dialog.setTop(main->Top() + (main->Height() - dialog.Height()) / 2);
    dialog.setLeft(main->Left() + (main->Width() - dialog.Width()) / 2);
}

}  // namespace app
