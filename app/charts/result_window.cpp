#include "app/charts/result_window.h"

#include <utility>

#include "app/config/frmConfig.h"
#include "app/diffconfig/frmConfig2.h"
#include "app/shell/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/clipboard.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/menu.h"
#include "platform/picturebox.h"

ResultWindow::ResultWindow(std::string name) : Form(std::move(name), platform::FormKind::MdiChild) {}

std::int16_t ResultWindow::readSimNumber() {
    // Every digit after "Simulation No." counts, so the hundredth simulation reads as 99.
    const int n = mdlPublic::captionSimNumber(Caption());
    if (n < 0) platform::raiseError(platform::errTypeMismatch);
    if (n >= mdlPublic::MaxSims) platform::raiseError(platform::errSubscript);
    mdlPublic::CurrentSim = static_cast<std::int16_t>(n);
    return mdlPublic::CurrentSim;
}

void ResultWindow::placeNewWindow(int secondTop) {
    const int open = mdlPublic::ChartCount;
    if (open == 0) {
        Move(0, 0);
    } else if (open == 1 && secondTop >= 0) {
        Move(0, secondTop);
    } else {
        setLeft(static_cast<int>(platform::Rnd() * 500));
    }
}

void ResultWindow::copyToClipboard(platform::PictureBox& picture) {
    platform::Clipboard::Clear();
    platform::Clipboard::SetData(picture.Picture());
}

void ResultWindow::countOut() {
    const int n = mdlPublic::captionSimNumber(Caption());
    if (n >= 0 && n < mdlPublic::MaxSims) {
        for (int kind = 0; kind < 2; ++kind) {
            // Swapping with empty vectors gives the memory back, not only the contents.
            mdlPublic::SimResultRecord released;
            std::swap(mdlPublic::SimResults[static_cast<std::size_t>(kind)][static_cast<std::size_t>(n)], released);
        }
    }
    --mdlPublic::ChartCount;
    if (mdlPublic::ChartCount != 0) return;
    const platform::FormsCollection forms = platform::Forms();
    for (int i = 0; i < forms.Count(); ++i)
        if (auto* config = dynamic_cast<frmConfig*>(&forms(i))) {
            if (platform::MenuItem* item = config->menuByName("mnuWindowClose")) item->setEnabled(false);
        } else if (auto* config2 = dynamic_cast<frmConfig2*>(&forms(i))) {
            if (platform::MenuItem* item = config2->menuByName("mnuWindowClose")) item->setEnabled(false);
        }
}
