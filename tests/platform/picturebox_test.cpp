#include "platform/picturebox.h"

#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/menu.h"
#include "support/testing.h"

namespace pt = platform::testing;

namespace {

class frmMain : public platform::Form {
public:
    frmMain() : Form("frmMain", platform::FormKind::MdiParent) { setClientSize(9000, 6000); }
    platform::MenuItem mnuFile{*this, "&File"};
    platform::MenuItem mnuFileExit{mnuFile, "E&xit"};
};

// A form with a few controls of each kind, laid out as a designer would.
class frmSample : public platform::Form {
public:
    frmSample() : Form("frmSample", platform::FormKind::MdiChild) {
        setClientSize(7200, 3600);
        setCaption("Simulation No.01");
        fraClock.Move(120, 120, 3300, 1500);
        lblClock.Move(120, 300, 1500, 255);
        txtClock.Move(1700, 300, 1400, 300);
        txtClock.setText("25");
        optMode(0).Move(120, 700, 2500, 255);
        optMode(1).Move(120, 1000, 2500, 255);
        optMode(0).setCaption("Configuration");
        optMode(1).setCaption("Ignore Transmission Line");
        optMode(0).setValue(true);
        cboIc.Move(120, 1800, 3300, 315);
        cboIc.AddItem("74HC04");
        cboIc.setListIndex(0);
        chkMeasure.Move(120, 2300, 3000, 255);
        chkMeasure.setValue(1);
        cmdSimulation.Move(120, 2900, 1935, 375);
        picChart.Move(3600, 120, 3495, 2895);
        wire.setX2(7000);
    }
    platform::Frame fraClock{*this, "Input Signal"};
    platform::Label lblClock{fraClock, "Signal Frequency[MHz]"};
    platform::TextBox txtClock{fraClock};
    platform::ControlArray<platform::OptionButton> optMode{fraClock, 2};
    platform::ComboBox cboIc{*this};
    platform::CheckBox chkMeasure{*this, "Measuring Point(B)"};
    platform::CommandButton cmdSimulation{*this, "Start Simulation"};
    platform::PictureBox picChart{*this, 3495, 2895};
    platform::Line wire{*this, 120, 3450, 5000, 3450};
    platform::MenuItem mnuSim{*this, "&Simulation"};
    platform::MenuItem mnuSimStart{mnuSim, "&Start Simulation"};
};

void drawChart(platform::Canvas& c) {
    c.setScaleLeft(0);
    c.setScaleTop(1000);
    c.setScaleWidth(1000);
    c.setScaleHeight(-1000);
    c.Line(100, 100, 900, 900, platform::RGB(0, 0, 255), platform::LineShape::Box);
    c.Line(100, 100, 900, 900, platform::RGB(255, 0, 0));
    c.setCurrentX(120);
    c.setCurrentY(880);
    c.Print("Voltage");
}

class PictureBoxes : public ::testing::Test {
protected:
    void TearDown() override { pt::discardAllForms(); }
};

TEST_F(PictureBoxes, DrawnBeforeShownAndMouseUpInTheUserScale) {
    auto& f = platform::Load<frmSample>();
    drawChart(f.picChart.canvas());  // the form is not shown yet
    EXPECT_EQ(f.picChart.Width(), 3495);
    EXPECT_EQ(f.picChart.canvas().deviceWidthPx(), 233);

    const platform::Picture snap = f.picChart.Picture();
    const QColor centre = snap.image().pixelColor(snap.widthPx() / 2, snap.heightPx() / 2);
    EXPECT_EQ(centre, QColor(255, 0, 0)) << "the diagonal runs through the middle";

    std::vector<float> got;
    f.picChart.MouseUp = [&](int button, int, float x, float y) {
        got = {static_cast<float>(button), x, y};
    };
    f.picChart.userMouseUp(platform::PictureBox::RightButton, 0, 0, 0);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], 2.0f);
    EXPECT_NEAR(got[1], 0.0f, 5.0f);
    EXPECT_NEAR(got[2], 1000.0f, 5.0f) << "y runs upward in this scale";

    f.picChart.setWidth(4000);
    EXPECT_EQ(f.picChart.canvas().deviceWidthPx(), 267) << "the image follows the control's size";
}

TEST_F(PictureBoxes, RealWindowsGrabToPng) {
    auto& main = platform::Load<frmMain>();
    main.Show();
    auto& f = platform::Load<frmSample>();
    drawChart(f.picChart.canvas());
    f.Show();
    main.window()->resize(700, 420);

    const QImage shot = main.window()->grab().toImage();
    EXPECT_GT(shot.width(), 400);
    const char* out = std::getenv("QUENLIS_TEST_OUT");
    if (out) {
        QDir().mkpath(out);
        EXPECT_TRUE(shot.save(QString::fromUtf8(out) + "/platform_mdi_form.png"));
    }
}

}  // namespace
