#pragma once
// A picture box: a control that shows a persistent image drawn through its canvas. The image
// exists from creation, so a picture can be drawn before its form is shown.

#include <functional>
#include <memory>

#include "platform/canvas.h"
#include "platform/control.h"

namespace platform {

class PictureBox : public Control {
public:
    // Size in twips; the canvas starts in twips mode over the whole picture.
    PictureBox(Container& holder, int widthTwips = 1500, int heightTwips = 1500);
    ~PictureBox() override;

    ImageCanvas& canvas() { return *canvas_; }
    // 0 none, 1 a single line around the picture; the canvas covers what lies inside it. Other
    // values are error 380.
    void setBorderStyle(int style);
    // A copy of the current image (for the clipboard).
    platform::Picture Picture() const { return canvas_->snapshot(); }

    // Mouse buttons as MouseUp reports them.
    enum Button : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
    // Button, shift state (1 Shift, 2 Ctrl, 4 Alt), position in the canvas's user scale.
    std::function<void(int button, int shift, float x, float y)> MouseUp;
    std::function<void()> DblClick;

    // Layer internals.
    void userMouseUp(int button, int shift, int xPx, int yPx);
    void userDblClick();

protected:
    void geometryChanged() override;
    bool widgetEvent(QEvent* event) override;

private:
    std::unique_ptr<ImageCanvas> canvas_;
    int border_ = 0;  // pixels each side
};

}  // namespace platform
