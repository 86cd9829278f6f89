#include "app/shared/button_placement.h"

#include "platform/controls.h"

namespace app {

namespace {
constexpr int ButtonHeight = 375;
}  // namespace

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
