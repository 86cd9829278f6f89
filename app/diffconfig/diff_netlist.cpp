#include "app/diffconfig/diff_netlist.h"

#include <charconv>
#include <system_error>

#include "app/shared/data_files.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace app {

std::string netSingle(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string netDouble(double value) {
    char text[40];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    return std::string(text, result.ptr);
}

namespace {

using platform::CDbl;
using platform::CSng;
using platform::raiseError;

std::string node(int n) { return std::to_string(n); }

// A typed length [mm] taken as a single in the locale and turned into metres in double precision.
std::string metres(const std::string& typedMillimetres) {
    return netDouble(static_cast<double>(CSng(typedMillimetres)) * 1e-3);
}

// A typed or stored number, read in the locale and written back compactly.
std::string value(const std::string& text) { return netDouble(CDbl(text)); }

class DiffNetlistWriter {
public:
    DiffNetlistWriter(mdlPublic::NetlistBlock& block, const SimConfig2Record& record, int partnumType)
        : block_(block), r_(record), partnumType_(partnumType) {}

    DiffNetlistNodes make(std::int16_t harmonics, std::int16_t partState, std::int16_t measureNode) {
        if (partState != WithPart && partState != WithoutPart)
            raiseError(platform::errInvalidArgument, "Unknown part state " + std::to_string(partState));
        if (measureNode != NodePlus && measureNode != NodeMinus)
            raiseError(platform::errInvalidArgument, "Unknown measuring node " + std::to_string(measureNode));
        for (std::string& line : block_.Line) line.assign(mdlPublic::NetlistLineLength, ' ');
        SetPulse();
        SetDriver();
        SetFil(partState);
        SetTrans();
        SetReceiver();
        write(".SPECTRUM " + std::to_string(harmonics));
        write(".PRINT " + node(measureNode == NodePlus ? nodes_.RecvNodePlus : nodes_.RecvNodeMinus));
        write(".END");
        nodes_.lines = counter_;
        return nodes_;
    }

private:
    // One statement per record; the engine reads at most 127 characters of a record, so a longer
    // statement is refused rather than cut into another circuit.
    void write(const std::string& text) {
        if (text.size() >= static_cast<std::size_t>(mdlPublic::NetlistLineLength))
            raiseError(platform::errInvalidArgument, "A netlist line is longer than 127 characters: " + text);
        if (counter_ >= mdlPublic::NetlistLineCount) raiseError(platform::errSubscript);
        std::string& line = block_.Line[static_cast<std::size_t>(counter_)];
        line = text;
        line.resize(mdlPublic::NetlistLineLength, ' ');
        ++counter_;
    }

    enum class Interface { Usb, Lvds, Ieee1394 };

    Interface dccType() const {
        if (r_.DccType == "USB2.0") return Interface::Usb;
        if (r_.DccType == "LVDS") return Interface::Lvds;
        if (r_.DccType == "IEEE1394") return Interface::Ieee1394;
        raiseError(platform::errInvalidArgument, "Unknown interface \"" + r_.DccType + "\"");
    }

    // Each source starts at its low level and pulses to its high level; the typed 10 %-90 % edges
    // become full ramps, and each pulse stays above half its swing for half a period. V- is
    // delayed by half a period less the skew, so without skew the pair switches together.
    void SetPulse() {
        const double period = 1.0 / CDbl(r_.ClockFreq) / 1e6;  // s
        const float t = static_cast<float>(period);
        std::string sources[2];
        for (int k = 0; k < 2; ++k) {
            const double rise = CDbl(r_.RiseTime[static_cast<std::size_t>(k)]) / 1e9 / 0.8;
            const double fall = CDbl(r_.FallTime[static_cast<std::size_t>(k)]) / 1e9 / 0.8;
            const float width = (t - static_cast<float>(rise) - static_cast<float>(fall)) / 2.0f;
            sources[k] = value(r_.VolLow[static_cast<std::size_t>(k)]) + " " +
                         value(r_.VolHigh[static_cast<std::size_t>(k)]) + " " + netDouble(rise) + " " +
                         netDouble(fall) + " " + netSingle(width) + " " + netDouble(period);
        }
        const double delay = static_cast<double>(t / 2.0f) - CDbl(r_.Skew) / 1e9;
        write("V 100 PULSE(" + sources[0] + ")");
        write("V 200 PULSE(" + sources[1] + " " + netDouble(delay) + ")");
    }

    void SetDriver() {
        switch (dccType()) {
        case Interface::Usb:
            for (const char* s : {"R1 100 300 28", "R11 100 0 15e3", "R2 200 400 28", "R21 200 0 15e3"}) write(s);
            break;
        case Interface::Lvds:
            for (const char* s : {"R1 100 300 75", "R2 200 400 75", "C1 300 0 10E-12", "C2 400 0 10E-12"}) write(s);
            break;
        case Interface::Ieee1394:
            for (const char* s : {"R1 100 110 55", "R11 100 300 1.0e-12", "R2 200 110 55", "R21 200 400 1.0e-12",
                                  "C1 110 0 250E-12", "R3 110 0 5.0e3"})
                write(s);
            break;
        }
    }

    // The first entry whose number in the current view is the record's; the record keeps the
    // number of the view it was stored in, so the other view is tried next.
    int chokeRecordNumber() const {
        const bool global = partnumType_ == 0;
        for (const bool view : {global, !global}) {
            if (r_.PartNum.empty()) break;
            for (int i = 0; i < mdlPublic::FilterCount; ++i) {
                const mdlPublic::FilterIndexRecord& entry = mdlPublic::FilterIndex.at(static_cast<std::size_t>(i));
                if ((view ? entry.GlobalPartNum : entry.PrevPartNum) == r_.PartNum) return entry.RecNo;
            }
        }
        raiseError(platform::errInvalidArgument, "The part \"" + r_.PartNum + "\" is not in the catalogue.");
    }

    // The choke sits between the driver outputs 300/400 and 500/600 as its record wires it. A
    // record that cannot be read ends the run: the pair must never be simulated without its choke
    // while the chart says it has one.
    void SetFil(std::int16_t partState) {
        if (partState == WithoutPart) {
            nodes_.LineNodePlus = 300;
            nodes_.LineNodeMinus = 400;
            return;
        }
        nodes_.LineNodePlus = 500;
        nodes_.LineNodeMinus = 600;
        const FilterRecord choke = readFilterRecord(mdlPublic::dataFolder(), chokeRecordNumber());
        for (const FilterElement& e : choke.Elements) {
            static constexpr const char* Letters[] = {"R ", "C ", "L "};
            if (e.kind < 1 || e.kind > 3) continue;
            const float v = e.value == 0.0f ? 1e-6f : e.value;  // a zero would short or open the node
            write(Letters[e.kind - 1] + node(e.node1) + " " + node(e.node2) + " " + netSingle(v));
        }
        for (const FilterTransElement& e : choke.TransElements) {
            if (e.kind != 4) continue;
            write("F " + node(e.node1) + " " + node(e.node2) + " " + node(e.node3) + " " + node(e.node4) + " TRANS(" +
                  netSingle(e.L1) + " " + netSingle(e.L2) + " " + netSingle(e.k) + ")");
        }
    }

    void SetTrans() {
        const int a = nodes_.LineNodePlus, b = nodes_.LineNodeMinus;
        const std::string ends = "F " + node(a) + " " + node(a + 200) + " " + node(b) + " " + node(b + 200);
        // Common mode in the engine's even-mode places, differential mode in the odd-mode ones.
        const auto lineB = [&](const std::string& z0, const std::string& k0, const std::string& z1,
                               const std::string& k1) {
            write(ends + " DUAL_LINEB(" + metres(r_.LineLength) + " " + z0 + " " + k0 + " " + z1 + " " + k1 + ")");
        };
        switch (r_.LineMode) {
        case 0: {
            const mdlPublic::MaterialRecord* material = nullptr;
            for (const mdlPublic::MaterialRecord& m : mdlPublic::Materials)
                if (m.Name == r_.Material) {
                    material = &m;
                    break;
                }
            if (!material) raiseError(platform::errInvalidArgument, "\"" + r_.Material + "\" is not a board material.");
            write(ends + " DUAL_LINEA(" + metres(r_.LineLength) + " " + metres(r_.LineH) + " " + metres(r_.LineW) +
                  " " + metres(r_.LinePitch) + " " + netSingle(material->K) + ")");
            break;
        }
        case 1: lineB(value(r_.LineZ[0]), value(r_.LineK[0]), value(r_.LineZ[1]), value(r_.LineK[1])); break;
        case 2:
            // The standard cable of the interface; LVDS has none. The datasheets give the pair's differential and
            // common-mode impedance (USB2.0 90 and 30 ohm, IEEE1394 110 and 33 ohm); a line of the pair has twice
            // the common mode as its even mode and half the differential as its odd mode.
            if (dccType() == Interface::Usb)
                lineB("60", "2.3", "45", "2.3");
            else if (dccType() == Interface::Ieee1394)
                lineB("66", "2.3", "55", "2.3");
            else
                raiseError(platform::errInvalidArgument, "There is no interface cable for " + r_.DccType + ".");
            break;
        case 3:
            nodes_.RecvNodePlus = static_cast<std::int16_t>(a);
            nodes_.RecvNodeMinus = static_cast<std::int16_t>(b);
            return;
        default: raiseError(platform::errInvalidArgument, "Unknown line mode " + std::to_string(r_.LineMode));
        }
        nodes_.RecvNodePlus = static_cast<std::int16_t>(a + 200);
        nodes_.RecvNodeMinus = static_cast<std::int16_t>(b + 200);
    }

    void SetReceiver() {
        const std::string p = node(nodes_.RecvNodePlus), m = node(nodes_.RecvNodeMinus);
        switch (dccType()) {
        case Interface::Usb:
            write("R2 " + p + " 0 45");
            write("R3 " + m + " 0 45");
            break;
        case Interface::Lvds: write("R1 " + p + " " + m + " 100"); break;
        case Interface::Ieee1394:
            write("R1 " + p + " 710 55");
            write("R2 " + m + " 710 55");
            break;
        }
        write("C1 " + p + " 0 5E-12");
        write("C2 " + m + " 0 5E-12");
        if (dccType() == Interface::Ieee1394) write("C10 710 0 0.3e-6");
    }

    mdlPublic::NetlistBlock& block_;
    const SimConfig2Record& r_;
    const int partnumType_;
    int counter_ = 0;
    DiffNetlistNodes nodes_;
};

}  // namespace

DiffNetlistNodes MakeNetlist(mdlPublic::NetlistBlock& block, const SimConfig2Record& record,
                             std::int16_t harmonics, std::int16_t partState, std::int16_t measureNode,
                             int partnumType) {
    return DiffNetlistWriter(block, record, partnumType).make(harmonics, partState, measureNode);
}

}  // namespace app
