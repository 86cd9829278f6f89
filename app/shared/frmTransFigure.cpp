#include "app/shared/frmTransFigure.h"

#include "app/shared/main_window.h"
#include "platform/screen.h"
#include "platform/strings.h"

namespace {
// The figure is drawn at 480 x 240 pixels; the window leaves room for it and the button below.
constexpr int kFigureLeft = 120, kFigureTop = 120;
constexpr int kButtonWidth = 1200, kButtonHeight = 375;
}  // namespace

frmTransFigure::frmTransFigure() : ClosesWithCharts("frmTransFigure") {
    imgTrans.setName("imgTrans");
    cmdOk.setName("cmdOk");
    imgTrans.Move(kFigureLeft, kFigureTop);
    cmdOk.setDefault(true);
    cmdOk.setCancel(true);
    cmdOk.Click = [this] { cmdOk_Click(); };
}

void frmTransFigure::Form_Load() { setCaption(platform::LoadResString(6400)); }

void frmTransFigure::setFigure(const std::string& key) {
    imgTrans.setPicture(key, app::mainWindow().imlMain.picture(key));
    // Fit the window to the picture, with the button centred below it.
    const int width = imgTrans.Width() + 2 * kFigureLeft;
    const int buttonTop = kFigureTop + imgTrans.Height() + 120;
    cmdOk.Move((width - kButtonWidth) / 2, buttonTop, kButtonWidth, kButtonHeight);
    setClientSize(width, buttonTop + kButtonHeight + 120);
    // Opened by a button of the active configuration form; later openings leave it where it is.
    if (placed_) return;
    placed_ = true;
    if (platform::Form* opener = platform::ActiveForm(); opener && opener != this)
        placeBeside(*opener);
    else
        platform::centreOnMain(*this);
}

void frmTransFigure::cmdOk_Click() { platform::Unload(*this); }
