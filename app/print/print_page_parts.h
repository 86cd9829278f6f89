#pragma once
// The pieces both page kinds are composed of; only the page composers use them.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {
class Canvas;
}
class ResultWindow;

namespace printing {

// One chart frame of the page: its place in the frame table and the Draw call that fills it
// (given whether the printer is monochrome).
struct FrameDrawing {
    int index;
    bool half;
    std::function<void(bool mono)> draw;
};

void PrintHeader(platform::Canvas& printer, std::int16_t n);
// The circuit box; no picture when the key is empty.
void PrintFilter(platform::Canvas& printer, const std::string& pictureKey);
void PrintCharts(platform::Canvas& printer, const std::vector<FrameDrawing>& frames);
void PrintComment(platform::Canvas& printer, const std::string& comment);
void PrintDisclaimer(platform::Canvas& printer);
void PrintFooter(platform::Canvas& printer);

// The differential half of printSimulationPage.
void printDifferentialPage(platform::Canvas& printer, ResultWindow* window, const std::string& comment, std::int16_t n);
// Error 91 naming the missing result window.
[[noreturn]] void noResultWindow(std::int16_t n);

}  // namespace printing
