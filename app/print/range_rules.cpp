#include "app/print/range_rules.h"

#include <cmath>

#include "app/drawing/chart_primitives.h"
#include "platform/convert.h"
#include "platform/msgbox.h"
#include "platform/strings.h"

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

namespace {

// MHz as typed to the stored Hz.
float megahertzToHz(float mhz) { return charts::toSingle(static_cast<double>(mhz) * 1e6); }

bool spectrumRangeValid(float fromMHz, float toMHz) {
    const float from = megahertzToHz(fromMHz);
    const float to = megahertzToHz(toMHz);
    return !(from < 0 || to <= 0 || to > 1e9f || toMHz <= fromMHz);
}

}  // namespace

void SpectrumEntry::store(float& specMin, float& specMax) const {
    specMin = megahertzToHz(fromMHz);
    specMax = megahertzToHz(toMHz);
}

void showSpectrum(platform::TextBox& from, platform::TextBox& to, float specMin, float specMax) {
    from.setText(rangeText(specMin / 1e6));
    to.setText(rangeText(specMax / 1e6));
}

std::optional<SpectrumEntry> readSpectrum(const platform::TextBox& from, const platform::TextBox& to, int message) {
    const SpectrumEntry entry{platform::CSng(from.Text()), platform::CSng(to.Text())};
    if (spectrumRangeValid(entry.fromMHz, entry.toMHz)) return entry;
    refuse(platform::LoadResString(message));
    return std::nullopt;
}

void selectAll(platform::TextBox& box) {
    box.setSelStart(0);
    box.setSelLength(static_cast<int>(platform::Len(box.Text())));
}

void refuse(const std::string& text) { platform::MsgBox(text, platform::MsgBoxCritical | platform::MsgBoxOkOnly); }

bool allRangeNumbers(std::initializer_list<const platform::TextBox*> boxes, int message) {
    for (const platform::TextBox* box : boxes) {
        if (!isRangeNumber(box->Text())) {
            refuse(platform::LoadResString(message));
            return false;
        }
    }
    return true;
}

// --- Frame layout ----------------------------------------------------------------------------------

namespace {

// Wider than the boxes' gap needs, so "From [nsec]:" stays on one line in the platform font.
constexpr int LabelWidth = 1200;
constexpr int ValueLeft = 1320;
constexpr int BoxWidth = 855;
constexpr int RowHeight = 255;
constexpr int BoxHeight = 270;

int rowTop(int row) { return 360 * (row + 1); }

void placeCaption(platform::Label& caption, int row) { caption.Move(120, rowTop(row), LabelWidth, RowHeight); }

}  // namespace

void placeRow(platform::Label& caption, platform::TextBox& value, int row) {
    placeCaption(caption, row);
    value.Move(ValueLeft, rowTop(row), BoxWidth, BoxHeight);
}

void placeRow(platform::Label& caption, platform::Label& value, int row) {
    placeCaption(caption, row);
    value.Move(ValueLeft, rowTop(row), BoxWidth, RowHeight);
}

void addSpectrumRows(platform::Frame& frame, int index, platform::ControlArray<platform::Label>& lblFrom,
                     platform::ControlArray<platform::TextBox>& txtFrom, platform::ControlArray<platform::Label>& lblTo,
                     platform::ControlArray<platform::TextBox>& txtTo) {
    platform::Label& from = lblFrom.add(index, frame, SpectrumRows[0]);
    placeRow(from, txtFrom.add(index, frame), 0);
    platform::Label& to = lblTo.add(index, frame, SpectrumRows[1]);
    placeRow(to, txtTo.add(index, frame), 1);
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
