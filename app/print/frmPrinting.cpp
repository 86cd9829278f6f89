#include "app/print/frmPrinting.h"

#include "platform/screen.h"
#include "platform/strings.h"

frmPrinting::frmPrinting() : Form("frmPrinting") {
    setClientSize(3030, 690);
    lblPrinting.setName("lblPrinting");
    lblPrinting.Move(960, 240, 1695, 255);
}

void frmPrinting::Form_Load() {
    setCaption(platform::LoadResString(5900));
    lblPrinting.setCaption(platform::LoadResString(5901));
    platform::centreOnMain(*this);
}
