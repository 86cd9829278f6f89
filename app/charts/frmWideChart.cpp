#include "app/charts/frmWideChart.h"

#include "app/drawing/chart_primitives.h"
#include "app/charts/result_window.h"
#include "platform/screen.h"
#include "platform/strings.h"

frmWideChart::frmWideChart() : Form("frmWideChart") {
    setClientSize(8655, 6690);
    picChart.Move(120, 120);
    picChart.setName("picChart");
    cmdOk.Move(4560, 6240, 1935, 375);
    cmdOk.setName("cmdOk");
    // Escape closes it, as it does every dialog.
    cmdOk.setCancel(true);
    cmdClipboard.Move(6600, 6240, 1935, 375);
    cmdClipboard.setName("cmdClipboard");
    charts::setChartSpace(picChart.canvas());
    cmdOk.Click = [this] { cmdOk_Click(); };
    cmdClipboard.Click = [this] { cmdClipboard_Click(); };
}

platform::Canvas& frmWideChart::chartCanvas() { return picChart.canvas(); }

bool frmWideChart::isZoomPicture(const platform::Canvas& canvas) {
    const platform::FormsCollection forms = platform::Forms();
    for (int i = 0; i < forms.Count(); ++i)
        if (auto* wide = dynamic_cast<frmWideChart*>(&forms(i)); wide && &wide->picChart.canvas() == &canvas)
            return true;
    return false;
}

void frmWideChart::Form_Load() {
    // Named after the result window whose menu asked for the zoom.
    if (platform::Form* active = platform::ActiveForm(); active && active != this) setCaption(active->Caption());
    cmdOk.setCaption(platform::LoadResString(6001));
    cmdClipboard.setCaption(platform::LoadResString(6003));
    platform::centreOnMain(*this);
}

void frmWideChart::cmdOk_Click() { platform::Unload(*this); }

void frmWideChart::cmdClipboard_Click() { ResultWindow::copyToClipboard(picChart); }
