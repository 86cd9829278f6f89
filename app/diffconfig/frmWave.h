#pragma once
// The preview of the two input waveforms: what VH, VL and the skew of the differential inputs mean.
// Modeless and kept on top, so the user can go on typing in the configuration form.

#include "app/shared/chart_window.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/picturebox.h"

class frmWave : public app::ClosesWithCharts {
public:
    frmWave();

    platform::PictureBox& wavePicture() { return picWave; }

protected:
    void Form_Load() override;

private:
    void drawWaveforms();

    platform::PictureBox picWave{*this, 3090, 1665};
    platform::CommandButton cmdOk{*this, "OK"};
};
