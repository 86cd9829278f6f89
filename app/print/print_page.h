#pragma once
// The printed report: one landscape page per simulation, drawn straight on the printer in twips
// (title bar, circuit picture, condition band, charts, comment, warning and maker line).
//
// Nothing here traps errors: a failure passes to the print run, which ends the job cleanly.

#include <array>
#include <cstdint>
#include <string>

namespace platform {
class Canvas;
}
class frmChart;
class frmChart2;
class ResultWindow;

namespace printing {

// Which circuit family a simulation belongs to, as its own stored record says. A number outside
// 0..99 or one that neither table holds is error 9, with the simulation named.
enum class Family { Filter, Differential };
Family simulationFamily(std::int16_t n);

// The first two lines of a comment: cut at line feeds, a carriage return before a line feed
// dropped; anything after the second line break is not printed.
std::array<std::string, 2> commentLines(const std::string& comment);

// A stored part number in both numberings: the stored one as it is and its counterpart from the
// first index entry that carries it (empty when none does, or when nothing is stored).
struct PartNumbers {
    std::string global;
    std::string previous;
};
PartNumbers partNumbers(const std::string& stored);

// The imlMain key of the circuit picture of filter-circuit simulation n: "cksvjxe" and
// "cksvqtae" for the two-part circuits, else by the series of the part's index entry; empty when
// that series is not one of KSV, QTA and JX (the page then shows no picture).
std::string circuitPictureKey(std::int16_t n);

// Text with its top-left corner at (x, y) in the current font.
void PrintText(platform::Canvas& printer, float x, float y, const std::string& text);

// The condition band; both leave the font size at 9 points and the line width at 1.
void PrintCondition(platform::Canvas& printer, std::int16_t n);
void PrintCondition2(platform::Canvas& printer, std::int16_t n);

// A whole page of simulation n, its charts drawn by the given window's Draw procedures (which
// draw simulation n whatever window they belong to). Charts are monochrome when the target is
// the printer and it does not print in colour.
void PrintConfigPage(platform::Canvas& printer, frmChart& charts, const std::string& comment, std::int16_t n);
void PrintConfigPage2(platform::Canvas& printer, frmChart2& charts, const std::string& comment, std::int16_t n);

// Page n of whichever family its record belongs to. Its charts are drawn by `window` when that is
// a result window of the family, else by the one of that family created last; with none open the
// page fails with error 91.
void printSimulationPage(platform::Canvas& printer, ResultWindow* window, const std::string& comment, std::int16_t n);

// Chart frame geometry in page twips (left, top, right, bottom) of frame `index` of the scale
// table: full frames 0..2 of the filter page, half frames 0..4 of the differential page.
struct FrameBox {
    double left, top, right, bottom;
};
FrameBox chartFrame(int index, bool half);

}  // namespace printing
