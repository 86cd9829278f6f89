#pragma once
// The part chooser's frequency chart: the impedance (beads, chokes) or insertion loss (filters,
// capacitors) of every candidate part of a classification group, 1 MHz to 1 GHz, one colour per
// part with its number as the legend. Drawn from filter.dat on any canvas in the chart's own
// scale: x 0 at the left edge growing right, y 1000 at the top edge growing up.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class Canvas;
}

namespace config {

// Parts one chart holds; a larger group shows its first ones.
constexpr std::size_t PartChartMaxParts = 18;
// A capacitor-type filter's secondary group, shown before a tertiary is chosen.
constexpr std::size_t PartChartMaxSecondaryGroup = 9;

// Gives a canvas of the given size (twips) the chart's scale.
void setPartChartScale(platform::Canvas& canvas, int widthTwips, int heightTwips);

// RecNo of the parts the chart of a group draws, in index order: the tertiary group, or for a
// capacitor-type filter category with no tertiary yet its secondary group.
std::vector<std::int16_t> partChartGroup(const std::string& primary, const std::string& secondary,
                                         const std::string& tertiary);

// Top of the value axis of an ohm chart whose largest value in range is vMax.
std::int32_t partChartOhmTop(float vMax);

// Clears the canvas and draws the chart of the parts (series "KSV", "QTA", "JX" or "WQ"); the
// legend shows previous part numbers when previousNumbers is set. Reads each part's record from
// filter.dat in the data folder; a missing or short file raises its run-time error. Leaves the
// drawing colour black.
void drawPartChart(platform::Canvas& canvas, const std::string& series, const std::vector<std::int16_t>& recNos,
                   bool previousNumbers);

}  // namespace config
