#include "app/shell/circuit_pictures.h"

#include <cmath>
#include <functional>
#include <initializer_list>
#include <numbers>

#include "platform/canvas.h"

namespace app {
namespace {

using platform::Color;
using platform::ImageCanvas;

constexpr Color kBlack = platform::RGB(0, 0, 0);
constexpr Color kRed = platform::RGB(255, 0, 0);

// Diagram blocks are drawn in a cell of 64 x 48 pixels whose signal wire runs at y = 24.
constexpr int kCellW = 64;
constexpr int kCellH = 48;
constexpr int kWireY = 24;

// Draws in pixel units on a canvas, relative to an origin, in one colour.
class Pen {
public:
    Pen(ImageCanvas& canvas, double x0, double y0, Color color) : c_(canvas), x0_(x0), y0_(y0), color_(color) {}

    void line(double x1, double y1, double x2, double y2) { c_.Line(x0_ + x1, y0_ + y1, x0_ + x2, y0_ + y2, color_); }
    void box(double x1, double y1, double x2, double y2, bool filled = false) {
        c_.Line(x0_ + x1, y0_ + y1, x0_ + x2, y0_ + y2, color_,
                filled ? platform::LineShape::FilledBox : platform::LineShape::Box);
    }
    void polyline(std::initializer_list<std::pair<double, double>> points) {
        const std::pair<double, double>* prev = nullptr;
        for (const auto& p : points) {
            if (prev) line(prev->first, prev->second, p.first, p.second);
            prev = &p;
        }
    }
    // An arc of the circle around (cx, cy), angles in degrees counter-clockwise from +x (y grows down).
    void arc(double cx, double cy, double r, double from, double to) {
        constexpr int steps = 16;
        const double k = std::numbers::pi / 180.0;
        for (int i = 0; i < steps; ++i) {
            const double a = (from + (to - from) * i / steps) * k;
            const double b = (from + (to - from) * (i + 1) / steps) * k;
            line(cx + r * std::cos(a), cy - r * std::sin(a), cx + r * std::cos(b), cy - r * std::sin(b));
        }
    }
    void text(double x, double y, const std::string& s) {
        const Color keep = c_.ForeColor();
        c_.setForeColor(color_);
        c_.setCurrentX(x0_ + x);
        c_.setCurrentY(y0_ + y);
        c_.Print(s);
        c_.setForeColor(keep);
    }
    Pen at(double dx, double dy) const { return Pen(c_, x0_ + dx, y0_ + dy, color_); }

private:
    ImageCanvas& c_;
    double x0_, y0_;
    Color color_;
};

void groundSymbol(Pen& p, double x, double y) {
    p.line(x - 7, y, x + 7, y);
    p.line(x - 4, y + 3, x + 4, y + 3);
    p.line(x - 1, y + 6, x + 1, y + 6);
}

// A capacitor from a wire at y = top down to ground; 18 pixels high.
void capacitorToGround(Pen& p, double x, double top) {
    p.line(x, top, x, top + 5);
    p.line(x - 8, top + 5, x + 8, top + 5);
    p.line(x - 8, top + 8, x + 8, top + 8);
    p.line(x, top + 8, x, top + 12);
    groundSymbol(p, x, top + 12);
}

// --- Blocks (64 x 48). ------------------------------------------------------------------------

void signalBlock(Pen& p, bool inverted) {
    p.arc(16, kWireY, 12, 0, 360);
    const double hi = kWireY - 5, lo = kWireY + 5;
    const double a = inverted ? lo : hi, b = inverted ? hi : lo;
    p.polyline({{8, b}, {11, b}, {13, a}, {19, a}, {21, b}, {24, b}});
    p.line(28, kWireY, kCellW, kWireY);
    p.line(16, kWireY + 12, 16, kWireY + 16);
    groundSymbol(p, 16, kWireY + 16);
}

void icBlock(Pen& p) {
    p.line(0, kWireY, 18, kWireY);
    p.polyline({{18, 8}, {46, kWireY}, {18, 40}, {18, 8}});
    p.line(46, kWireY, kCellW, kWireY);
}

void lineBlock(Pen& p) {
    p.line(0, kWireY, 8, kWireY);
    p.box(8, kWireY - 3, 56, kWireY + 3, true);
    p.line(56, kWireY, kCellW, kWireY);
    p.line(8, kWireY + 12, 56, kWireY + 12);
    p.line(8, kWireY + 14, 56, kWireY + 14);
}

void beadBlock(Pen& p) {
    p.line(0, kWireY, 18, kWireY);
    p.box(18, kWireY - 8, 46, kWireY + 8, true);
    p.line(46, kWireY, kCellW, kWireY);
}

void capacitorBlock(Pen& p) {
    p.line(0, kWireY, kCellW, kWireY);
    capacitorToGround(p, 32, kWireY);
}

void capFilterBlock(Pen& p) {
    p.line(0, kWireY, 20, kWireY);
    p.box(20, kWireY - 5, 44, kWireY + 5);
    p.line(44, kWireY, kCellW, kWireY);
    capacitorToGround(p, 32, kWireY + 5);
}

void unknownPartBlock(Pen& p) {
    p.line(0, kWireY, 14, kWireY);
    p.box(14, kWireY - 12, 50, kWireY + 12);
    p.text(28, kWireY - 7, "?");
    p.line(50, kWireY, kCellW, kWireY);
}

void chokeBlock(Pen& p) {
    for (double y : {12.0, 36.0}) {
        p.line(0, y, 14, y);
        for (int k = 0; k < 4; ++k) p.arc(18 + 9 * k, y, 4.5, 0, 180);
        p.line(50, y, kCellW, y);
    }
    p.line(14, kWireY - 1, 50, kWireY - 1);
    p.line(14, kWireY + 1, 50, kWireY + 1);
}

// --- Line figures. ----------------------------------------------------------------------------

void dimensionArrow(Pen& p, double x1, double y1, double x2, double y2, const std::string& label, double lx, double ly) {
    p.line(x1, y1, x2, y2);
    const bool horizontal = y1 == y2;
    for (int end = 0; end < 2; ++end) {
        const double x = end ? x2 : x1, y = end ? y2 : y1, s = end ? -1 : 1;
        if (horizontal) {
            p.line(x, y, x + 5 * s, y - 3);
            p.line(x, y, x + 5 * s, y + 3);
        } else {
            p.line(x, y, x - 3, y + 5 * s);
            p.line(x, y, x + 3, y + 5 * s);
        }
    }
    p.text(lx, ly, label);
}

// A microstrip in perspective: one strip (or two) on a board over a ground plane.
void lineFigure(Pen& p, bool coupled) {
    // Board: front face and top face.
    p.box(40, 120, 320, 160);
    p.polyline({{40, 120}, {100, 60}, {380, 60}, {320, 120}});
    p.polyline({{380, 60}, {380, 100}, {320, 160}});
    // Ground plane under the board.
    p.box(40, 160, 320, 166, true);
    p.polyline({{320, 166}, {380, 106}, {380, 100}});
    auto strip = [&](double x) {
        p.polyline({{x, 120}, {x + 60, 60}, {x + 90, 60}, {x + 30, 120}, {x, 120}});
        p.box(x, 114, x + 30, 120, true);
    };
    strip(130);
    if (coupled) {
        strip(190);
        dimensionArrow(p, 160, 104, 190, 104, "d", 168, 84);
    }
    dimensionArrow(p, 130, 134, 160, 134, "W", 138, 136);
    dimensionArrow(p, 24, 120, 24, 160, "h", 8, 132);
    dimensionArrow(p, 200 + (coupled ? 60 : 0), 40, 280 + (coupled ? 40 : 0), 40, "Length", 220 + (coupled ? 50 : 0), 16);
    p.text(150, 176, "Ground");
}

// --- Circuit diagrams (720 x 96): the blocks in a row, each named below. ------------------------

using BlockDraw = std::function<void(Pen&)>;
struct DiagramBlock {
    BlockDraw draw;
    std::string label;
};

void diagram(Pen& p, const std::vector<DiagramBlock>& blocks) {
    const double pitch = 720.0 / blocks.size();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const double x = pitch * i + (pitch - kCellW) / 2;
        Pen cell = p.at(x, 12);
        blocks[i].draw(cell);
        if (i + 1 < blocks.size()) p.line(x + kCellW, 12 + kWireY, x + pitch, 12 + kWireY);
        p.text(pitch * i + 6, 70, blocks[i].label);
    }
}

void differentialDiagram(Pen& p) {
    const std::vector<std::string> labels = {"Driver", "Choke Coil", "Line", "Receiver"};
    const double pitch = 720.0 / labels.size();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const double x = pitch * i + (pitch - kCellW) / 2;
        Pen cell = p.at(x, 10);
        switch (i) {
        case 0:
            // V+ and V-: opposite pulses on the two wires.
            for (double y : {12.0, 36.0}) {
                const double hi = y - 5, lo = y + 5;
                const double a = y < kWireY ? hi : lo, b = y < kWireY ? lo : hi;
                cell.box(4, y - 9, 32, y + 9);
                cell.polyline({{8, b}, {12, b}, {14, a}, {22, a}, {24, b}, {28, b}});
                cell.line(32, y, kCellW, y);
            }
            break;
        case 1: chokeBlock(cell); break;
        case 2:
            cell.box(4, 10, 60, 14, true);
            cell.box(4, 34, 60, 38, true);
            cell.line(0, 12, 4, 12);
            cell.line(0, 36, 4, 36);
            cell.line(60, 12, kCellW, 12);
            cell.line(60, 36, kCellW, 36);
            break;
        case 3:
            cell.line(0, 12, 20, 12);
            cell.line(0, 36, 20, 36);
            cell.box(20, 6, 44, 42);
            cell.text(24, 17, "RX");
            break;
        }
        if (i + 1 < labels.size())
            for (double y : {22.0, 46.0}) p.line(x + kCellW, y, x + pitch, y);
        p.text(pitch * i + 6, 70, labels[i]);
    }
}

// --- Rendering. -------------------------------------------------------------------------------

platform::Picture render(int widthPx, int heightPx, Color color, const std::function<void(Pen&)>& draw,
                         double fontSize = 8) {
    ImageCanvas canvas(widthPx, heightPx);
    canvas.setScaleMode(platform::ScalePixels);
    canvas.setFontName("DejaVu Sans");
    canvas.setFontSize(fontSize);
    Pen pen(canvas, 0, 0, color);
    draw(pen);
    return canvas.snapshot();
}

platform::Picture block(Color color, const std::function<void(Pen&)>& draw) {
    return render(kCellW, kCellH, color, draw);
}

}  // namespace

std::vector<std::pair<std::string, platform::Picture>> drawCircuitPictures() {
    const DiagramBlock signal{[](Pen& p) { signalBlock(p, false); }, "Signal"};
    const DiagramBlock driver{icBlock, "Driver IC"};
    const DiagramBlock line{lineBlock, "Line"};
    const DiagramBlock receiver{icBlock, "Receiver IC"};
    const DiagramBlock bead{beadBlock, "KSV"};
    const DiagramBlock cap{capacitorBlock, "JX"};
    const DiagramBlock capFilter{capFilterBlock, "QTA"};
    auto circuit = [&](std::vector<DiagramBlock> parts) {
        std::vector<DiagramBlock> blocks = {signal, driver};
        blocks.insert(blocks.end(), parts.begin(), parts.end());
        blocks.push_back(line);
        blocks.push_back(receiver);
        return render(720, 96, kBlack, [blocks](Pen& p) { diagram(p, blocks); });
    };
    const platform::Picture cksv = circuit({bead});
    const platform::Picture cksvjx = circuit({bead, cap});
    const platform::Picture cksvqta = circuit({bead, capFilter});
    const platform::Picture cjx = circuit({cap});
    const platform::Picture cqta = circuit({capFilter});
    const platform::Picture cwq = render(720, 96, kBlack, differentialDiagram);
    auto figure = [](bool coupled) {
        return render(400, 200, kBlack, [coupled](Pen& p) { lineFigure(p, coupled); }, 10);
    };

    return {
        {"ksvb", block(kBlack, beadBlock)},
        {"ksvqtar", block(kRed, unknownPartBlock)},
        {"jxb", block(kBlack, capacitorBlock)},
        {"jxr", block(kRed, capacitorBlock)},
        {"icb", block(kBlack, icBlock)},
        {"icr", block(kRed, icBlock)},
        {"inb", block(kBlack, [](Pen& p) { signalBlock(p, false); })},
        {"inr", block(kRed, [](Pen& p) { signalBlock(p, false); })},
        {"in-b", block(kBlack, [](Pen& p) { signalBlock(p, true); })},
        {"in-r", block(kRed, [](Pen& p) { signalBlock(p, true); })},
        {"qtab", block(kBlack, capFilterBlock)},
        {"qtar", block(kRed, capFilterBlock)},
        {"transb", block(kBlack, lineBlock)},
        {"transr", block(kRed, lineBlock)},
        {"wqb", block(kBlack, chokeBlock)},
        {"wqr", block(kRed, chokeBlock)},
        {"trans", figure(false)},
        {"trans2", figure(true)},
        {"cksve", cksv},
        {"cksvjxe", cksvjx},
        {"cksvjxj", cksvjx},
        {"cksvj", cksv},
        {"cksvqtae", cksvqta},
        {"cksvqtaj", cksvqta},
        {"cwqe", cwq},
        {"cwqj", cwq},
        {"cjxe", cjx},
        {"cjxj", cjx},
        {"cqtae", cqta},
        {"cqtaj", cqta},
    };
}

}  // namespace app
