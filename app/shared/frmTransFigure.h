#pragma once
// The line-model picture: what width, board thickness and length of a printed line mean.
// Modeless and kept on top, so the user can go on typing in the configuration form.

#include <string>

#include "app/shared/chart_window.h"
#include "platform/controls.h"
#include "platform/form.h"

class frmTransFigure : public app::ClosesWithCharts {
public:
    frmTransFigure();

    // Shows the imlMain picture of key in place of the layout's default one. The first time after
    // loading, the window also goes beside the form it was opened from, where it hides no input.
    void setFigure(const std::string& key);
    const std::string& figureKey() const { return imgTrans.PictureKey(); }

protected:
    void Form_Load() override;

private:
    void cmdOk_Click();

    bool placed_ = false;
    platform::Image imgTrans{*this};
    platform::CommandButton cmdOk{*this, "OK"};
};
