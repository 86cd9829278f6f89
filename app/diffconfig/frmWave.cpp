#include "app/diffconfig/frmWave.h"

#include "platform/screen.h"
#include "platform/strings.h"

namespace {

// Where the word "Skew" stands in the picture, twips: just above the skew marks.
constexpr int kSkewTextX = 650;
constexpr int kSkewTextY = 100;

// The drawing, in pixels of the 206 x 111 picture.
constexpr int kHigh = 40;
constexpr int kLow = 90;
constexpr int kSkewMark = 27;

}  // namespace

frmWave::frmWave() : ClosesWithCharts("frmWave") {
    picWave.setName("picWave");
    cmdOk.setName("cmdOk");
    picWave.Move(60, 60, 3090, 1665);
    cmdOk.Move(1800, 1800, 1215, 375);
    cmdOk.setDefault(true);
    cmdOk.setCancel(true);
    setClientSize(3210, 2295);
    cmdOk.Click = [this] { platform::Unload(*this); };
    drawWaveforms();
}

void frmWave::drawWaveforms() {
    platform::Canvas& c = picWave.canvas();
    c.setScaleMode(platform::ScalePixels);
    c.setBackColor(platform::RGB(224, 224, 224));
    c.setForeColor(platform::RGB(0, 0, 0));
    c.setFontSize(7);
    const auto trace = [&c](const int (*points)[2], int count) {
        for (int k = 1; k < count; ++k) c.Line(points[k - 1][0], points[k - 1][1], points[k][0], points[k][1]);
    };
    // D+ starts high, D- low; each ramp lasts 20 pixels and the two cross three times.
    static const int plus[][2] = {{4, kHigh},   {50, kHigh},  {70, kLow},  {100, kLow}, {120, kHigh},
                                  {150, kHigh}, {170, kLow},  {202, kLow}};
    static const int minus[][2] = {{4, kLow},    {40, kLow},   {60, kHigh}, {90, kHigh}, {110, kLow},
                                   {140, kLow},  {160, kHigh}, {202, kHigh}};
    trace(plus, 8);
    trace(minus, 8);

    // The skew: from the start of the first D- rise to the start of the first D+ fall.
    c.setDrawStyle(platform::StyleDot);
    c.Line(40, kLow, 40, kSkewMark);
    c.Line(50, kHigh, 50, kSkewMark);
    c.setDrawStyle(platform::StyleSolid);
    c.Line(34, kSkewMark, 56, kSkewMark);
    for (const int x : {40, 50}) {
        const int d = x == 40 ? -1 : 1;  // both arrows point at the gap between the marks
        c.Line(x + 4 * d, kSkewMark - 2, x, kSkewMark);
        c.Line(x + 4 * d, kSkewMark + 2, x, kSkewMark);
    }

    const auto label = [&c](int x, int y, const char* text) {
        c.setCurrentX(x);
        c.setCurrentY(y);
        c.Print(text);
    };
    label(6, kHigh - 14, "D+");
    label(6, kLow + 3, "D-");
    label(184, kHigh - 14, "VH");
    label(184, kLow + 3, "VL");
}

void frmWave::Form_Load() {
    setCaption(platform::LoadResString(6800));
    platform::Canvas& c = picWave.canvas();
    c.setScaleMode(platform::ScaleTwips);
    c.setCurrentX(kSkewTextX);
    c.setCurrentY(kSkewTextY);
    c.Print(platform::LoadResString(6801));
    // Beside the form whose inputs it explains, so the user goes on typing there.
    if (platform::Form* opener = platform::ActiveForm(); opener && opener != this)
        placeBeside(*opener);
    else
        platform::centreOnMain(*this);
}
