#pragma once
// The zoom window: one chart of a result window drawn large, in a modal dialog that can copy it
// to the clipboard. Loaded anew for every zoom, so its picture starts empty.

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/picturebox.h"

namespace platform {
class Canvas;
}

class frmWideChart : public platform::Form {
public:
    frmWideChart();

    // The picture the Draw procedures draw on.
    platform::Canvas& chartCanvas();
    // Whether a canvas is the picture of a loaded zoom window: the Draw procedures then use the
    // zoom layout and leave the picture uncleared.
    static bool isZoomPicture(const platform::Canvas& canvas);

protected:
    void Form_Load() override;

private:
    void cmdOk_Click();
    void cmdClipboard_Click();

    platform::PictureBox picChart{*this, 8415, 6015};
    platform::CommandButton cmdOk{*this, "OK"};
    platform::CommandButton cmdClipboard{*this, "Copy to Clipboard"};
};
