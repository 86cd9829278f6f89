#pragma once
// What the two Expand/Contract dialogs share: the number forms of the shown ranges, the checks, the
// layout of a chart's frame, the decade choice of the frequency chart, and the search for the
// result window to redraw.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

#include "platform/controls.h"
#include "platform/form.h"

namespace ranges {

// A range value as the dialogs show it: a whole number when it lies within 0.01 of one, else at
// most two decimals. Times and frequencies are judged in double precision...
std::string rangeText(double value);
// ...voltages in single precision, as they are stored.
std::string voltText(float value);

// Whether a box holds a number the checks can use: the locale-aware conversion accepts it and it
// fits a single (1E+40 does not).
bool isRangeNumber(const std::string& text);

// The spectrum chart's range as typed in its From and To boxes, in MHz. It passes the check when it
// lies from 0 up to 1000 MHz with the end above the start.
struct SpectrumEntry {
    float fromMHz;
    float toMHz;
    void store(float& specMin, float& specMax) const;
};
// Shows the stored range (Hz) in the boxes, in MHz.
void showSpectrum(platform::TextBox& from, platform::TextBox& to, float specMin, float specMax);
// The boxes' range when it passes the spectrum check; otherwise shows string `message` and gives none.
std::optional<SpectrumEntry> readSpectrum(const platform::TextBox& from, const platform::TextBox& to, int message);

// Selects the whole text of a box, as the boxes do when they receive the focus.
void selectAll(platform::TextBox& box);

// Shows why OK refused the entries.
void refuse(const std::string& text);
// Whether every box holds a range number; when one does not, shows string `message` once.
bool allRangeNumbers(std::initializer_list<const platform::TextBox*> boxes, int message);

// The captions of a waveform chart's rows (its start, fixed at "0", then end time and voltages)...
inline constexpr const char* WaveformRows[] = {"From [nsec]:", "To [nsec]:", "Min[V]:", "Max[V]:"};
// ...and of the spectrum chart's rows.
inline constexpr const char* SpectrumRows[] = {"From [MHz]:", "To [MHz]:"};

// Row `row` of a chart's frame, 360 twips apart: the caption at the left, its box or fixed value
// beside it.
void placeRow(platform::Label& caption, platform::TextBox& value, int row);
void placeRow(platform::Label& caption, platform::Label& value, int row);

// Adds the spectrum frame's two rows to `frame` as element `index` of the dialog's arrays.
void addSpectrumRows(platform::Frame& frame, int index, platform::ControlArray<platform::Label>& lblFrom,
                     platform::ControlArray<platform::TextBox>& txtFrom, platform::ControlArray<platform::Label>& lblTo,
                     platform::ControlArray<platform::TextBox>& txtTo);

// The decade choice of the impedance chart: "From" 1, 10 or 100 MHz and "To" 10, 100 or 1000 MHz,
// kept in order by enabling only the buttons that cannot cross the other choice.
class DecadeChoice {
public:
    // Creates fraChartFrom, fraChartTo and the six option buttons inside group.
    explicit DecadeChoice(platform::Frame& group);

    // Disables the group for the whole opening: the stored decades are shown but cannot change.
    void lock();
    // Selects the stored decades; a value that is no decade leaves its group as it was.
    void show(float freqMin, float freqMax);
    // The selected decades in Hz.
    void store(float& freqMin, float& freqMax) const;

    platform::Frame& group;
    platform::Frame fraChartFrom;
    platform::Frame fraChartTo;
    platform::ControlArray<platform::OptionButton> optFrom;
    platform::ControlArray<platform::OptionButton> optTo;

private:
    void optFrom_Click(int index);
    void optTo_Click(int index);
    bool locked_ = false;
};

// The loaded result window of kind W whose caption carries simulation sim ("Simulation No.",
// sim + 1 in at least two digits, "-"), searched in load order; nullptr when none is open. A window of the other circuit family with the same number is passed over.
template <class W>
W* resultWindowFor(std::int16_t sim);

std::string captionPrefix(std::int16_t sim);

template <class W>
W* resultWindowFor(std::int16_t sim) {
    const std::string prefix = captionPrefix(sim);
    const platform::FormsCollection forms = platform::Forms();
    for (int i = 0; i < forms.Count(); ++i) {
        if (forms(i).Caption().rfind(prefix, 0) != 0) continue;
        if (auto* window = dynamic_cast<W*>(&forms(i))) return window;
    }
    return nullptr;
}

}  // namespace ranges
