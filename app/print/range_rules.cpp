#include "app/print/range_rules.h"

#include <cmath>

#include "app/charts/chart_primitives.h"
#include "platform/convert.h"

namespace ranges {

std::string rangeText(double value) {
    if (std::fabs(value - std::nearbyint(value)) < 0.01) return platform::Format(value, "0");
    return platform::Format(value, "0.##");
}

std::string voltText(float value) {
    const float whole = std::nearbyint(value);
    if (std::fabs(value - whole) < 0.01f) return platform::Format(value, "0");
    return platform::Format(value, "0.##");
}

bool isRangeNumber(const std::string& text) { return platform::IsNumeric(text); }

float megahertzToHz(float mhz) { return charts::toSingle(static_cast<double>(mhz) * 1e6); }

bool spectrumRangeValid(float fromMHz, float toMHz) {
    const float from = megahertzToHz(fromMHz);
    const float to = megahertzToHz(toMHz);
    return !(from < 0 || to <= 0 || to > 1e9f || toMHz <= fromMHz);
}

void selectAll(platform::TextBox& box) {
    box.setSelStart(0);
    box.setSelLength(static_cast<int>(platform::Len(box.Text())));
}

std::string captionPrefix(std::int16_t sim) { return "Simulation No." + platform::Format(sim + 1, "00") + "-"; }

// --- Decade choice ---------------------------------------------------------------------------------

namespace {

constexpr float FromDecades[] = {1e6f, 1e7f, 1e8f};
constexpr float ToDecades[] = {1e7f, 1e8f, 1e9f};
const char* const FromCaptions[] = {"1", "10", "100"};
const char* const ToCaptions[] = {"10", "100", "1000"};

}  // namespace

DecadeChoice::DecadeChoice(platform::Frame& frame)
    : group(frame), fraChartFrom(frame, "From [MHz]"), fraChartTo(frame, "To [MHz]") {
    fraChartFrom.setName("fraChartFrom");
    fraChartFrom.Move(120, 240, 1095, 1335);
    optFrom.setName("optFrom");
    for (int k = 0; k < 3; ++k) optFrom.add(k, fraChartFrom, FromCaptions[k]).Move(120, 240 + 360 * k, 855, 255);
    fraChartTo.setName("fraChartTo");
    fraChartTo.Move(1320, 240, 1095, 1335);
    optTo.setName("optTo");
    for (int k = 0; k < 3; ++k) optTo.add(k, fraChartTo, ToCaptions[k]).Move(120, 240 + 360 * k, 855, 255);
    // 1 MHz to 1000 MHz until the stored decades are shown.
    optFrom(0).setValue(true);
    optTo(2).setValue(true);
    optFrom.Click = [this](int index) { optFrom_Click(index); };
    optTo.Click = [this](int index) { optTo_Click(index); };
}

void DecadeChoice::lock() {
    locked_ = true;
    group.setEnabled(false);
    fraChartFrom.setEnabled(false);
    fraChartTo.setEnabled(false);
    for (int k = 0; k < 3; ++k) {
        optFrom(k).setEnabled(false);
        optTo(k).setEnabled(false);
    }
}

void DecadeChoice::show(float freqMin, float freqMax) {
    for (int k = 0; k < 3; ++k) {
        if (freqMin == FromDecades[k]) optFrom(k).setValue(true);
        if (freqMax == ToDecades[k]) optTo(k).setValue(true);
    }
}

void DecadeChoice::store(float& freqMin, float& freqMax) const {
    for (int k = 0; k < 3; ++k) {
        if (optFrom(k).Value()) freqMin = FromDecades[k];
        if (optTo(k).Value()) freqMax = ToDecades[k];
    }
}

void DecadeChoice::optFrom_Click(int index) {
    if (locked_) return;
    // An end decade below the start cannot be chosen; 1000 MHz is always above it.
    for (int j = 0; j < 2; ++j) optTo(j).setEnabled(j >= index);
}

void DecadeChoice::optTo_Click(int index) {
    if (locked_) return;
    // A start decade above the end cannot be chosen; 1 MHz is always below it.
    for (int j = 1; j < 3; ++j) optFrom(j).setEnabled(j <= index);
}

}  // namespace ranges
