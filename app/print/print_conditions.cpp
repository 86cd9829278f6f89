// The condition band of a printed page: five columns of labels and stored values, in twips.
#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/print/print_page.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/convert.h"
#include "platform/dispatch.h"
#include "platform/strings.h"

namespace printing {

namespace {

using platform::LoadResString;

// Five columns across the band, 2820 twips each (14100 / 5).
constexpr double ColumnWidth = 2820;
constexpr double BandTop = 2800;
constexpr double BandBottom = 4550;
constexpr double TitleRule = 3050;
constexpr double LabelFont = 8;
constexpr double SmallFont = 6;
// Two 6-point lines set solid: 120 twips apart, the second 135 high. In the last row they end
// this far above the column's bottom edge, clear of its line as a single 8-point row is.
constexpr double TwoLines = SmallFont * 20 + 135;
constexpr double BottomGap = 15;

double labelX(int column) { return 650 + column * ColumnWidth; }
double valueX(int column) { return labelX(column) + 1450; }
double rowY(int row) { return 2850 + 250.0 * row; }

// The frame around the band, drawn first by both tables; leaves the line width at 1.
void beginBand(platform::Canvas& printer) {
    printer.setFontSize(LabelFont);
    printer.setDrawWidth(3);
    printer.Line(500, 2700, 14700, 4650, mdlPublic::GetColor("black"), platform::LineShape::Box);
    printer.setDrawWidth(1);
}

// Box and title rule of a column reaching to x `right`, and its title.
void column(platform::Canvas& printer, int c, double right, const std::string& title) {
    const double left = 600 + c * ColumnWidth;
    const platform::Color black = mdlPublic::GetColor("black");
    printer.Line(left, BandTop, right, BandBottom, black, platform::LineShape::Box);
    printer.Line(left, TitleRule, right, TitleRule, black);
    PrintText(printer, static_cast<float>(labelX(c)), static_cast<float>(rowY(0)), title);
}

void column(platform::Canvas& printer, int c, const std::string& title) {
    column(printer, c, 500 + (c + 1) * ColumnWidth, title);
}

double columnRight(int c) { return 500 + (c + 1) * ColumnWidth; }

// A text one line cannot hold split in two at the last blank that lets both lines fit, if any.
std::optional<std::array<std::string, 2>> splitAtBlank(const platform::Canvas& printer, const std::string& text,
                                                       double width) {
    for (std::size_t blank = text.rfind(' '); blank != std::string::npos && blank > 0; blank = text.rfind(' ', blank - 1)) {
        std::array<std::string, 2> lines{text.substr(0, blank), text.substr(blank + 1)};
        if (printer.TextWidth(lines[0]) <= width && printer.TextWidth(lines[1]) <= width) return lines;
    }
    return std::nullopt;
}

// As splitAtBlank, else after as many characters as fit; what even two lines cannot hold ends in "...".
std::array<std::string, 2> splitInTwo(const platform::Canvas& printer, const std::string& text, double width) {
    if (const auto lines = splitAtBlank(printer, text, width)) return *lines;
    const auto fits = [&](const std::string& s) { return printer.TextWidth(s) <= width; };
    std::size_t cut = 1;
    // Never inside a character of several bytes.
    const auto next = [&](std::size_t at) {
        do ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80);
        return at;
    };
    while (next(cut) <= text.size() && fits(text.substr(0, next(cut)))) cut = next(cut);
    std::string second = text.substr(cut);
    second.erase(0, second.find_first_not_of(' '));
    if (!fits(second)) {
        while (!second.empty() && !fits(second + "...")) second.pop_back();
        second += "...";
    }
    return {text.substr(0, cut), second};
}

// Text at (x, row) in the current font, kept short of `limit` (its neighbour or the column's edge).
// A text too long for one line is printed smaller, down to 6 points; one still too long takes two
// 6-point lines set solid within its row.
void at(platform::Canvas& printer, double x, int row, const std::string& text, double limit) {
    const double size = printer.FontSize();
    double fitted = size;
    while (fitted > SmallFont && x + printer.TextWidth(text) > limit)
        printer.setFontSize(fitted = std::max(SmallFont, fitted - 0.5));
    if (x + printer.TextWidth(text) <= limit) {
        PrintText(printer, static_cast<float>(x), static_cast<float>(rowY(row)), text);
    } else {
        // Raised into the gap above the row, the two lines end before the next row (or the
        // column's bottom edge) and stay below the title rule.
        const double top = std::min(std::max(rowY(row) - 60, TitleRule), BandBottom - BottomGap - TwoLines);
        const std::array<std::string, 2> lines = splitInTwo(printer, text, limit - x);
        PrintText(printer, static_cast<float>(x), static_cast<float>(top), lines[0]);
        PrintText(printer, static_cast<float>(x), static_cast<float>(top + SmallFont * 20), lines[1]);
    }
    if (fitted != size) printer.setFontSize(size);
}

// Whether `at` prints the text whole: on one line at 6 points or more, or on two split at a blank.
bool printsWhole(platform::Canvas& printer, const std::string& text, double width) {
    const double size = printer.FontSize();
    printer.setFontSize(SmallFont);
    const bool whole = printer.TextWidth(text) <= width || splitAtBlank(printer, text, width);
    printer.setFontSize(size);
    return whole;
}

// How the run reads a stored number: as a single or as a double, in the locale.
enum class Reading { Single, Double };

// A value cell: a plain text, or stored numbers (V+ and V- joined by " / ") followed by a unit.
struct Cell {
    Cell(std::string text) : unit(std::move(text)) {}
    Cell(const char* text) : unit(text) {}
    Cell(std::vector<std::string> typed, std::string suffix, Reading how)
        : numbers(std::move(typed)), unit(std::move(suffix)), reading(how) {}
    std::vector<std::string> numbers;
    std::string unit;
    Reading reading = Reading::Single;
};

Cell asSingle(const std::string& typed, const std::string& unit = {}) { return {{typed}, unit, Reading::Single}; }
Cell asDouble(std::vector<std::string> typed, const std::string& unit = {}) {
    return {std::move(typed), unit, Reading::Double};
}

// The number the run reads from a stored text, in the locale's general form with at most `digits`
// significant digits ("10", "1.234568E-09"); a text that is no number stays as it is.
std::string readNumber(const std::string& typed, Reading how, int digits) {
    if (!platform::IsNumeric(typed)) return typed;
    return platform::generalNumber(how == Reading::Single ? static_cast<double>(platform::CSng(typed)) : platform::CDbl(typed), digits);
}

// A label of column c, with its value starting at valueAt; a value reaching to the column's edge.
void label(platform::Canvas& printer, int c, int row, const std::string& text, double valueAt) {
    at(printer, labelX(c), row, text, valueAt - 60);
}

// Numbers print as typed while that shows them whole. A typed number the cell cannot hold would be
// cut into another number, so the cell then shows each number as the run read it, in as many
// significant digits as let the whole text fit.
void value(platform::Canvas& printer, double x, int row, const Cell& cell, double right) {
    const double width = right - 60 - x;
    const auto shown = [&](int digits) {
        std::string text;
        for (std::size_t i = 0; i < cell.numbers.size(); ++i)
            text += (i ? " / " : "") + (digits ? readNumber(cell.numbers[i], cell.reading, digits) : cell.numbers[i]);
        return text + cell.unit;
    };
    std::string text = shown(0);
    for (int digits = cell.reading == Reading::Single ? 7 : 15;
         !cell.numbers.empty() && digits > 0 && !printsWhole(printer, text, width); --digits)
        text = shown(digits);
    at(printer, x, row, text, right - 60);
}

// The levels of both lines [V], as the run reads them.
Cell levels(const std::string& plus, const std::string& minus) { return asDouble({plus, minus}, " [V]"); }
Cell levels(float value) { return levels(platform::CStr(value), platform::CStr(value)); }

void partRows(platform::Canvas& printer, double x, int firstRow, const std::string& stored) {
    const PartNumbers numbers = partNumbers(stored);
    value(printer, x, firstRow, numbers.global, columnRight(2));
    value(printer, x, firstRow + 1, numbers.previous, columnRight(2));
}

}  // namespace

PartNumbers partNumbers(const std::string& stored) {
    const bool global = mdlPublic::partnumType() == 0;
    PartNumbers out;
    (global ? out.global : out.previous) = stored;
    // An empty number is no part: entries without a number in one numbering must not answer it.
    if (stored.empty()) return out;
    for (int i = 0; i < mdlPublic::FilterCount; ++i) {
        const mdlPublic::FilterIndexRecord& entry = mdlPublic::FilterIndex.at(static_cast<std::size_t>(i));
        if ((global ? entry.GlobalPartNum : entry.PrevPartNum) != stored) continue;
        (global ? out.previous : out.global) = global ? entry.PrevPartNum : entry.GlobalPartNum;
        return out;
    }
    // The previous view shows and stores a part without a previous number under its global one.
    if (!global)
        for (int i = 0; i < mdlPublic::FilterCount; ++i) {
            const mdlPublic::FilterIndexRecord& entry = mdlPublic::FilterIndex.at(static_cast<std::size_t>(i));
            if (entry.PrevPartNum.empty() && entry.GlobalPartNum == stored) return {stored, ""};
        }
    return out;
}

void PrintCondition(platform::Canvas& printer, std::int16_t n) {
    const SimConfigRecord& r = mdlPublic::SimConfigs.at(static_cast<std::size_t>(n));
    beginBand(printer);

    const auto labels = [&](int c, double valueAt, std::initializer_list<std::string> texts, int firstRow = 1) {
        int row = firstRow;
        for (const std::string& text : texts) label(printer, c, row++, text, valueAt);
    };
    const auto values = [&](int c, double x, std::initializer_list<Cell> cells, int firstRow = 1) {
        int row = firstRow;
        for (const Cell& cell : cells) value(printer, x, row++, cell, columnRight(c));
    };

    column(printer, 0, LoadResString(5211));
    labels(0, valueX(0), {LoadResString(5840), LoadResString(5841), LoadResString(5842), LoadResString(5843)});
    values(0, valueX(0),
           {asSingle(r.ClockFreq, " [MHz]"), asSingle(r.Duty, " [%]"), asSingle(r.RiseTime, " [nsec]"),
            asSingle(r.FallTime, " [nsec]")});

    column(printer, 1, LoadResString(5212));
    if (r.DriverByLcr != 0) {
        labels(1, valueX(1), {"R", "L", "C"});
        values(1, valueX(1), {asSingle(r.DriverR, " [ohm]"), asSingle(r.DriverL, " [nH]"), asSingle(r.DriverC, " [pF]")});
    } else {
        labels(1, valueX(1), {LoadResString(5234), LoadResString(5235)});
        values(1, valueX(1), {r.DriverIcType, r.DriverIc});
    }

    // The part column: numbers in the small font, their values a little further left.
    column(printer, 2, "Filter");
    const double partX = valueX(2) - 200;
    printer.setFontSize(SmallFont);
    labels(2, partX, {LoadResString(5844), LoadResString(5851)});
    printer.setFontSize(LabelFont);
    switch (r.SimType) {
    case mdlPublic::CircuitOnePart: labels(2, partX, {LoadResString(5845)}, 3); break;
    case mdlPublic::CircuitBeadCapacitor:
    case mdlPublic::CircuitBeadFilter:
        printer.setFontSize(SmallFont);
        labels(2, partX, {LoadResString(5844), LoadResString(5851)}, 4);
        printer.setFontSize(LabelFont);
        break;
    default: platform::stopProgram("PrintCondition: SimType " + std::to_string(r.SimType));
    }
    printer.setFontSize(SmallFont);
    partRows(printer, partX, 1, r.PartNum[0]);
    if (r.SimType == mdlPublic::CircuitOnePart)
        values(2, partX, {r.PartNote}, 3);
    else
        partRows(printer, partX, 4, r.PartNum[1]);
    printer.setFontSize(LabelFont);

    column(printer, 3, LoadResString(5214));
    const double lineX = valueX(3);
    const double impedanceX = lineX + 350;
    printer.setFontSize(SmallFont);
    switch (r.LineMode) {
    case 0:
        labels(3, lineX, {LoadResString(5846), LoadResString(5847), LoadResString(5848), LoadResString(5257)});
        labels(3, impedanceX, {LoadResString(5849)}, 5);
        printer.setFontSize(LabelFont);
        values(3, lineX,
               {asSingle(r.LineW, " [mm]"), asSingle(r.LineH, " [mm]"), asSingle(r.LineLength, " [mm]"), r.Material});
        values(3, impedanceX, {asSingle(r.LineZ0, " [ohm]")}, 5);
        break;
    case 1:
        labels(3, impedanceX, {LoadResString(5849)});
        labels(3, lineX, {LoadResString(5850), LoadResString(5848)}, 2);
        printer.setFontSize(LabelFont);
        values(3, impedanceX, {asSingle(r.LineZ0, " [ohm]")});
        values(3, lineX, {asSingle(r.LineK), asSingle(r.LineLength, " [mm]")}, 2);
        break;
    case 2:
        labels(3, impedanceX, {LoadResString(5849)});
        printer.setFontSize(LabelFont);
        values(3, impedanceX, {"0 [ohm]"});
        break;
    default: platform::stopProgram("PrintCondition: LineMode " + std::to_string(r.LineMode));
    }

    column(printer, 4, LoadResString(5215));
    if (r.ReceiverByLcr != 0) {
        labels(4, valueX(4), {"R", "L", "C", "Ro"});
        values(4, valueX(4),
               {asSingle(r.ReceiverR, " [ohm]"), asSingle(r.ReceiverL, " [nH]"), asSingle(r.ReceiverC, " [pF]"),
                asSingle(r.ReceiverR2, " [ohm]")});
    } else {
        labels(4, valueX(4), {LoadResString(5234), LoadResString(5235)});
        values(4, valueX(4), {r.ReceiverIcType, r.ReceiverIc});
    }
    printer.setFontSize(9);
}

void PrintCondition2(platform::Canvas& printer, std::int16_t n) {
    const SimConfig2Record& r = mdlPublic::SimConfigs2.at(static_cast<std::size_t>(n));
    beginBand(printer);

    // The coupled line takes the last two columns.
    const double lineRight = columnRight(4);
    const auto labels = [&](int c, double valueAt, std::initializer_list<std::string> texts, int firstRow = 1) {
        int row = firstRow;
        for (const std::string& text : texts) label(printer, c, row++, text, valueAt);
    };
    const auto values = [&](double x, double right, std::initializer_list<Cell> cells, int firstRow = 1) {
        int row = firstRow;
        for (const Cell& cell : cells) value(printer, x, row++, cell, right);
    };

    column(printer, 0, LoadResString(6601));
    labels(0, valueX(0), {LoadResString(6602)});
    printer.setFontSize(SmallFont);
    labels(0, valueX(0), {LoadResString(6603)}, 2);
    printer.setFontSize(LabelFont);
    values(valueX(0), columnRight(0), {r.DccType, r.DccClock});

    // The levels of USB2.0 and LVDS are fixed by the interface; IEEE1394 prints what was typed.
    std::optional<Cell> high, low;
    if (r.DccType == "USB2.0") {
        if (r.DccClock == "LS(1.5Mbps)" || r.DccClock == "FS(12Mbps)") {
            high = levels(3.3f);
            low = levels(0.0f);
        } else if (r.DccClock == "HS(480Mbps)") {
            high = levels(0.4f);
            low = levels(0.0f);
        } else {
            platform::stopProgram("PrintCondition2: DccClock " + r.DccClock);
        }
    } else if (r.DccType == "LVDS") {
        high = levels(1.4f);
        low = levels(1.0f);
    } else if (r.DccType == "IEEE1394") {
        high = levels(r.VolHigh[0], r.VolHigh[1]);
        low = levels(r.VolLow[0], r.VolLow[1]);
    } else {
        platform::stopProgram("PrintCondition2: DccType " + r.DccType);
    }

    column(printer, 1, LoadResString(6612));
    for (int row = 1; row <= 6; ++row) label(printer, 1, row, LoadResString(5861 + row), valueX(1));
    values(valueX(1), columnRight(1),
           {asDouble({r.ClockFreq}), *high, *low, asDouble({r.RiseTime[0], r.RiseTime[1]}, " [nsec]"),
            asDouble({r.FallTime[0], r.FallTime[1]}, " [nsec]"), asDouble({r.Skew}, " [nsec]")});

    column(printer, 2, "EMI Filter");
    const double partX = valueX(2) - 200;
    printer.setFontSize(SmallFont);
    labels(2, partX, {LoadResString(5844), LoadResString(5851)});
    partRows(printer, partX, 1, r.PartNum);
    printer.setFontSize(LabelFont);

    column(printer, 3, lineRight, LoadResString(5214));
    const double lineX = valueX(3);
    printer.setFontSize(SmallFont);
    switch (r.LineMode) {
    case 0:
        labels(3, lineX, {LoadResString(5846), LoadResString(5847), LoadResString(5868), LoadResString(5848),
                          LoadResString(5257)});
        labels(4, lineRight, {LoadResString(5849)});
        labels(4, valueX(4), {"  " + LoadResString(5869), "  " + LoadResString(5870)}, 2);
        printer.setFontSize(LabelFont);
        values(lineX, labelX(4),
               {asSingle(r.LineW, " [mm]"), asSingle(r.LineH, " [mm]"), asSingle(r.LinePitch, " [mm]"),
                asSingle(r.LineLength, " [mm]")});
        values(lineX, lineRight, {r.Material}, 5);
        values(valueX(4), lineRight, {asDouble({r.LineZ[0]}, " [ohm]"), asDouble({r.LineZ[1]}, " [ohm]")}, 2);
        break;
    case 1:
        labels(3, lineX + 800, {LoadResString(5869), LoadResString(5870), LoadResString(5871), LoadResString(5872),
                                LoadResString(5848)});
        printer.setFontSize(LabelFont);
        values(lineX + 800, lineRight,
               {asDouble({r.LineZ[0]}, " [ohm]"), asDouble({r.LineZ[1]}, " [ohm]"), asDouble({r.LineK[0]}),
                asDouble({r.LineK[1]}), asSingle(r.LineLength, " [mm]")});
        break;
    case 2:
        labels(3, lineX, {LoadResString(5848)});
        printer.setFontSize(LabelFont);
        values(lineX, lineRight, {asSingle(r.LineLength, " [mm]")});
        break;
    case 3:
        labels(3, lineX, {LoadResString(5849)});
        printer.setFontSize(LabelFont);
        values(lineX, lineRight, {"0 [ohm]"});
        break;
    default: platform::stopProgram("PrintCondition2: LineMode " + std::to_string(r.LineMode));
    }
    printer.setFontSize(9);
}

}  // namespace printing
