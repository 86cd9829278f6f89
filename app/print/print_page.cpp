// The printed page: its boxes, title, circuit picture, chart frames, comment, warning and maker
// line, in twips on the landscape page.
#include "app/print/print_page.h"

#include <functional>
#include <vector>

#include "app/charts/frmChart.h"
#include "app/print/print_page_parts.h"
#include "app/shared/main_window.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/printer.h"
#include "platform/strings.h"

namespace printing {

namespace {

using platform::LoadResString;

// Our own footer line; the page names no company.
constexpr const char* MakerLine = "Quenlis - simulation of EMI suppression parts on digital signal lines";

// Chart text size in the half-height frames of the differential page: the proportion of an 8-point
// text to a result window's chart picture.
constexpr double HalfFrameFont = 6.5;

void box(platform::Canvas& printer, double x1, double y1, double x2, double y2) {
    printer.Line(x1, y1, x2, y2, mdlPublic::GetColor("black"), platform::LineShape::Box);
}

// Maps one chart frame to the chart space 0..1000 x 0..1000 with y upward; returns the scale it
// replaced.
struct SavedScale {
    double width, height, left, top;
};

SavedScale SetPrintScale(platform::Canvas& printer, int index, bool half) {
    const SavedScale saved{printer.ScaleWidth(), printer.ScaleHeight(), printer.ScaleLeft(), printer.ScaleTop()};
    const FrameBox frame = chartFrame(index, half);
    const double frameWidth = frame.right - frame.left;
    const double frameHeight = frame.bottom - frame.top;
    printer.setScaleWidth(saved.width * 1000 / frameWidth);
    printer.setScaleHeight(-saved.height * 1000 / frameHeight);
    printer.setScaleLeft(-frame.left * 1000 / frameWidth);
    printer.setScaleTop(frame.bottom * 1000 / frameHeight);
    return saved;
}

void RestorePrintScale(platform::Canvas& printer, const SavedScale& saved) {
    printer.setScaleWidth(saved.width);
    printer.setScaleHeight(saved.height);
    printer.setScaleLeft(saved.left);
    printer.setScaleTop(saved.top);
    printer.setScaleMode(platform::ScaleTwips);
    printer.setDrawWidth(1);
}

}  // namespace

// --- Page parts shared by both families ----------------------------------------------------------

Family simulationFamily(std::int16_t n) {
    if (n < 0 || n >= mdlPublic::MaxSims)
        platform::raiseError(platform::errSubscript, "Simulation number " + std::to_string(n + 1) + " is out of range");
    const std::size_t i = static_cast<std::size_t>(n);
    if (!mdlPublic::SimConfigs2[i].DccType.empty()) return Family::Differential;
    if (!mdlPublic::SimConfigs[i].ClockFreq.empty()) return Family::Filter;
    platform::raiseError(platform::errSubscript, mdlPublic::simCaptionPrefix(n) + " has no stored settings");
}

std::array<std::string, 2> commentLines(const std::string& comment) {
    std::array<std::string, 2> lines;
    std::size_t start = 0;
    for (std::string& line : lines) {
        if (start > comment.size()) break;
        const std::size_t end = comment.find('\n', start);
        line = comment.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
        start = end == std::string::npos ? comment.size() + 1 : end + 1;
    }
    return lines;
}

FrameBox chartFrame(int index, bool half) {
    if (!half) {
        if (index < 0 || index > 2) platform::stopProgram("chartFrame: index " + std::to_string(index));
        const double left = 600 + 4700.0 * index;
        return {left, 4750, left + 4600, 9300};
    }
    double left = 0, bottom = 0;
    switch (index) {
    case 0: left = 10000; bottom = 9300; break;
    case 1: left = 600; bottom = 8162.5; break;
    case 2: left = 10000; bottom = 7025; break;
    case 3: left = 5300; bottom = 7025; break;
    case 4: left = 5300; bottom = 9300; break;
    default: platform::stopProgram("chartFrame: half index " + std::to_string(index));
    }
    return {left, bottom - 2275, left + 4600, bottom};
}

void PrintText(platform::Canvas& printer, float x, float y, const std::string& text) {
    mdlPublic::PrintAt(printer, x, y, text, 0);
}

void PrintHeader(platform::Canvas& printer, std::int16_t n) {
    printer.setDrawWidth(3);
    box(printer, 500, 800, 14700, 1100);
    PrintText(printer, 550, 850, mdlPublic::simCaptionPrefix(n));
    const std::string title = LoadResString(5900);
    PrintText(printer, static_cast<float>(14700 - printer.TextWidth(title) - 50), 850, title);
}

void PrintFilter(platform::Canvas& printer, const std::string& pictureKey) {
    printer.setDrawWidth(3);
    box(printer, 500, 1100, 14700, 2700);
    PrintText(printer, 1000, 1400, LoadResString(5210));
    if (!pictureKey.empty()) printer.PaintPicture(app::mainWindow().imlMain.picture(pictureKey), 3000, 1150);
}

void PrintCharts(platform::Canvas& printer, const std::vector<FrameDrawing>& frames) {
    printer.setDrawWidth(3);
    box(printer, 500, 4650, 14700, 9400);
    printer.setDrawWidth(1);
    const auto* device = dynamic_cast<const platform::PrinterObject*>(&printer);
    const bool mono = device && device->ColorMode() != platform::ColorModeColor;
    for (const FrameDrawing& frame : frames) {
        const FrameBox b = chartFrame(frame.index, frame.half);
        box(printer, b.left, b.top, b.right, b.bottom);
        // Curves that leave the chosen range end at the frame, as they end at a picture's edge on
        // screen; nothing else on the page is drawn over.
        printer.setClipBox(b.left, b.top, b.right, b.bottom);
        const SavedScale saved = SetPrintScale(printer, frame.index, frame.half);
        // A half-height frame gets a smaller font, so its titles and tick labels keep apart.
        const double fontSize = printer.FontSize();
        if (frame.half) printer.setFontSize(HalfFrameFont);
        // The rest of the page is not drawn after a failure, but the printer goes back to twips
        // either way.
        const auto restore = [&] {
            printer.setFontSize(fontSize);
            RestorePrintScale(printer, saved);
            printer.clearClipBox();
        };
        try {
            frame.draw(mono);
        } catch (...) {
            restore();
            throw;
        }
        restore();
    }
}

void PrintComment(platform::Canvas& printer, const std::string& comment) {
    const std::array<std::string, 2> lines = commentLines(comment);
    printer.setDrawWidth(3);
    box(printer, 500, 9400, 14700, 9900);
    printer.Line(1400, 9400, 1400, 9900, mdlPublic::GetColor("black"));
    PrintText(printer, 550, 9450, LoadResString(5821));
    PrintText(printer, 1450, 9450, lines[0]);
    PrintText(printer, 1450, 9700, lines[1]);
}

void PrintDisclaimer(platform::Canvas& printer) {
    printer.setDrawWidth(3);
    box(printer, 500, 9900, 14700, 10450);
    printer.Line(1400, 9900, 1400, 10450, mdlPublic::GetColor("black"));
    PrintText(printer, 550, 9950, LoadResString(5401));
    PrintText(printer, 1450, 9950, LoadResString(5402));
    PrintText(printer, 1450, 10200, LoadResString(5403) + LoadResString(5404));
}

void PrintFooter(platform::Canvas& printer) {
    const double width = printer.TextWidth(MakerLine);
    PrintText(printer, static_cast<float>((14200 - width) / 2 + 500), 10550, MakerLine);
}

std::string circuitPictureKey(std::int16_t n) {
    const SimConfigRecord& r = mdlPublic::SimConfigs.at(static_cast<std::size_t>(n));
    switch (r.SimType) {
    case mdlPublic::CircuitOnePart: break;
    case mdlPublic::CircuitBeadCapacitor: return "cksvjxe";
    case mdlPublic::CircuitBeadFilter: return "cksvqtae";
    default: platform::stopProgram("PrintFilter: SimType " + std::to_string(r.SimType));
    }
    // The series of the part as its catalogue entry files it; a number the index does not carry
    // (or a series no circuit picture shows) leaves the circuit box without a picture.
    const std::int32_t numbering = mdlPublic::partnumType();
    const std::int16_t i = mdlPublic::CheckFilPartnum(r.PartNum[0], 0, numbering);
    if (i < 0) return {};
    const std::string& category = mdlPublic::FilterIndex.at(static_cast<std::size_t>(i)).Primary;
    if (category == "Chip Ferrite Bead (KSV series)") return "cksve";
    if (category.starts_with("Chip TESSOR (QT")) return "cqtae";
    if (category.starts_with("Chip Capacitor (JX")) return "cjxe";
    return {};
}

// --- The filter-circuit page ---------------------------------------------------------------------

void PrintConfigPage(platform::Canvas& printer, frmChart& charts, const std::string& comment, std::int16_t n) {
    PrintHeader(printer, n);
    PrintFilter(printer, circuitPictureKey(n));
    PrintCondition(printer, n);
    PrintCharts(printer, {
        {0, false, [&](bool mono) { charts.DrawFreqChart(n, printer, mono); }},
        {1, false, [&](bool mono) { charts.DrawVoltageChart(n, printer, mono); }},
        {2, false, [&](bool mono) { charts.DrawSpectrumChart(n, printer, mono); }},
    });
    PrintComment(printer, comment);
    PrintDisclaimer(printer);
    PrintFooter(printer);
}

void noResultWindow(std::int16_t n) {
    platform::raiseError(91, mdlPublic::simCaptionPrefix(n) + ": no result window of its kind is open to draw its charts");
}

void printSimulationPage(platform::Canvas& printer, ResultWindow* window, const std::string& comment, std::int16_t n) {
    if (simulationFamily(n) == Family::Differential) {
        printDifferentialPage(printer, window, comment, n);
        return;
    }
    frmChart* charts = dynamic_cast<frmChart*>(window);
    if (!charts) charts = mdlPublic::LastChart;
    if (!charts) noResultWindow(n);
    PrintConfigPage(printer, *charts, comment, n);
}

}  // namespace printing
