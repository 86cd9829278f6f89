#include "app/config/filter_netlist.h"

#include <algorithm>

#include "app/config/config_record.h"
#include "app/shared/data_files.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace app {
namespace {

using platform::CSng;
using platform::CStr;
using platform::raiseError;

std::string node(int n) { return std::to_string(n); }

// A typed value taken as a single in the locale, then scaled in double precision.
double typed(const std::string& text, double scale) { return static_cast<double>(CSng(text)) * scale; }

// An IC's R or L of zero shorts its model and the engine cannot solve it. The record replaces only
// the exact text "0"; a zero typed otherwise ("0.0", "-0", "00") gets the same tiny value here.
std::string nonZero(const std::string& text, const char* tiny) { return CSng(text) == 0 ? tiny : text; }

// Rise and fall time [ns] of a driver from the list, corrected for the listed families whose
// data-sheet edges differ from what the simple driver model produces. Kept as numbers, never as
// texts to read back: a fixed "3.5" would not convert in a locale with a decimal comma. A rule
// worked in single precision gives a single; one worked in double keeps all its digits (3.1188, not
// the nearest single).
struct EdgeTimes {
    double rise;
    double fall;
};

EdgeTimes correctedEdges(const std::string& ic, float rise, float fall, float clockMHz) {
    if (ic == "74ALS04") return {rise + 1.0f, fall < 3 ? 2.5 : double(fall) - 0.5};
    if (ic == "74AS04") return {double(rise) + 1.2, double(fall) + 1.2};
    if (ic == "74F04") return {rise, 3.0};
    if (ic == "74LS04") return {rise + 2.0f, fall + 2.0f};
    if (ic == "74S04") return {rise < 6 ? 3.5 : rise - 2.0f, 4.0};
    if (ic == "74AC04" || ic == "74HC04" || ic == "74LVC04") {
        // The edge of these CMOS families slows with the clock: 3.606 ns less 24.36 ps per MHz.
        const double edge = 3.606 - 0.02436 * double(clockMHz);
        return {edge, edge};
    }
    return {rise, fall};  // any other listed driver is taken as typed
}

class NetlistWriter {
public:
    NetlistWriter(mdlPublic::NetlistBlock& block, const SimConfigRecord& record, const NetlistFormValues& form)
        : block_(block), r_(record), form_(form) {}

    NetlistNodes make(std::int16_t harmonics, std::int16_t partState, std::int16_t measurePoint) {
        for (std::string& line : block_.Line) line.assign(mdlPublic::NetlistLineLength, ' ');
        counter_ = 0;
        SetPulse();
        SetIc(Driver);
        SetFil(partState, 0);
        if (form_.simType == "1" || form_.simType == "2") SetFil(partState, 1);
        SetTrans();
        SetIc(Receiver);
        SetSpectrum(harmonics);
        SetPrint(measurePoint);
        SetEnd();
        return {outputNode_, measureNode_};
    }

private:
    enum Which : int { Driver = 0, Receiver = 1 };

    // One statement per record; the engine takes at most 127 characters of a record, so a longer
    // statement is refused here rather than cut into a different circuit.
    void write(const std::string& text) {
        if (text.size() >= mdlPublic::NetlistLineLength)
            raiseError(platform::errInvalidArgument, "A netlist line is longer than 127 characters: " + text);
        if (counter_ >= mdlPublic::NetlistLineCount) raiseError(platform::errSubscript);
        std::string& line = block_.Line[counter_];
        line = text;
        line.resize(mdlPublic::NetlistLineLength, ' ');
        ++counter_;
    }

    void element(char letter, int node1, int node2, const std::string& value) {
        write(std::string(1, letter) + " " + node(node1) + " " + node(node2) + " " + value);
    }

    void SetPulse() {
        const double period = 1.0 / typed(r_.ClockFreq, 1e6);  // s
        const double fall0 = typed(r_.FallTime, 1e-9);         // s, uncorrected

        const float typedRise = CSng(r_.RiseTime), typedFall = CSng(r_.FallTime);
        const EdgeTimes edges = form_.driverFromList
                                    ? correctedEdges(r_.DriverIc, typedRise, typedFall, CSng(form_.clockFreq))
                                    : EdgeTimes{typedRise, typedFall};
        // The typed edge runs 10 % to 90 %: the ramp from 0 % to 100 % takes 1 / 0.8 of it.
        const double rise = edges.rise / 0.8 / 1e9;
        const double fall = edges.fall / 0.8 / 1e9;

        const std::string periodText = CStr(period);
        const std::string riseText = CStr(rise);
        const std::string fallText = CStr(fall);

        // The width is formed from the times as written, taken back at single precision.
        const float t = static_cast<float>(period);
        const float tr = static_cast<float>(rise);
        const float tf = static_cast<float>(fall);
        const float tf0 = static_cast<float>(fall0);
        const double high = static_cast<double>(t * CSng(form_.duty) / 100.0f);
        double width;
        if (r_.DriverIcType == "CMOS")
            width = high - tr / 0.8;
        else if (r_.DriverIcType == "TTL")
            width = high + tf0 / 2.0f - tr / 0.8;
        else
            width = high - ((tr + tf) / 2.0f) / 0.8;

        write("V 1 PULSE(0.0 " + r_.Voltage + " " + riseText + " " + fallText + " " + CStr(width) + " " +
              periodText + ")");
    }

    // The side is passed in: guessing it from the line counter fails when nothing was written
    // before the receiver (a driver without elements, no part, no line).
    void SetIc(Which which) {
        const bool byLcr = (which == Driver ? r_.DriverByLcr : r_.ReceiverByLcr) != 0;
        if (byLcr)
            SetIcLcr(which);
        else
            SetIcList(which);
    }

    void SetIcLcr(Which which) {
        if (which == Driver) {
            write("R 1 2 " + nonZero(r_.DriverR, config::TinyR));
            write("L 2 10 " + CStr(typed(nonZero(r_.DriverL, config::TinyL), 1e-9)));
            write("C 10 0 " + CStr(typed(nonZero(r_.DriverC, config::TinyC), 1e-12)));
            return;
        }
        const int p = measureNode_;
        element('R', p, p + 1, nonZero(r_.ReceiverR, config::TinyR));
        element('L', p + 1, p + 2, CStr(typed(nonZero(r_.ReceiverL, config::TinyL), 1e-9)));
        element('C', p + 2, 0, CStr(typed(nonZero(r_.ReceiverC, config::TinyC), 1e-12)));
        element('R', p, 0, r_.ReceiverR2);
    }

    void SetIcList(Which which) {
        const std::string& name = which == Driver ? r_.DriverIc : r_.ReceiverIc;
        int recordNumber = 0;
        for (int i = 0; i < mdlPublic::IcCount && recordNumber == 0; ++i) {
            const mdlPublic::IcIndexRecord& entry = mdlPublic::IcIndex.at(i);
            if (entry.Name == name && entry.Kind == which) recordNumber = i + 1;
        }
        if (recordNumber == 0)
            raiseError(platform::errInvalidArgument, "The IC \"" + name + "\" is not in the IC list.");

        IcRecord ic = readIcRecord(mdlPublic::dataFolder(), recordNumber);
        if (which == Receiver) {
            // The data's node 1 is the receiver input (point B); a second node 10 is its ground.
            const int shift = measureNode_ - 1;
            for (IcElement& e : ic.Elements) {
                const bool toGround = e.node2 == 10;
                e.node1 = static_cast<std::int16_t>(e.node1 + shift);
                e.node2 = toGround ? std::int16_t{0} : static_cast<std::int16_t>(e.node2 + shift);
            }
        }
        for (const IcElement& e : ic.Elements) {
            if (e.kind >= 10 && e.kind <= 19)
                element('R', e.node1, e.node2, CStr(e.value));
            else if (e.kind >= 20 && e.kind <= 29)
                element('C', e.node1, e.node2, CStr(e.value));
            else if (e.kind >= 30 && e.kind <= 39)
                element('L', e.node1, e.node2, CStr(e.value));
        }
    }

    void SetFil(std::int16_t partState, int which) {
        if (partState == WithoutPart) {
            outputNode_ = 10;
            return;
        }
        switch (r_.SimType) {
        case mdlPublic::CircuitOnePart: outputNode_ = mdlPublic::GetSeriesFromPartnum(r_.PartNum[0]) == "JX" ? 10 : 50; break;
        case mdlPublic::CircuitBeadCapacitor: outputNode_ = 50; break;
        case mdlPublic::CircuitBeadFilter: outputNode_ = 90; break;
        default: raiseError(platform::errInvalidArgument, "Unknown circuit type " + std::to_string(r_.SimType));
        }

        const std::string& partNum = r_.PartNum[which];
        // Found as the check found it, so a part the check accepted is always in the netlist.
        const std::int16_t k = mdlPublic::CheckFilPartnum(partNum, 0, form_.partnumType);
        const int recordNumber = k < 0 ? 0 : mdlPublic::FilterIndex.at(k).RecNo;
        if (recordNumber == 0)
            raiseError(platform::errInvalidArgument, "The part \"" + partNum + "\" is not in the catalogue.");

        FilterRecord part = readFilterRecord(mdlPublic::dataFolder(), recordNumber);
        if (r_.SimType == mdlPublic::CircuitBeadFilter && which == 0) {
            // The bead goes in front of the filter: its nodes 10..50 become 50..90.
            for (FilterElement& e : part.Elements) {
                if (e.node1 != 0) e.node1 = static_cast<std::int16_t>(e.node1 + 40);
                if (e.node2 != 0) e.node2 = static_cast<std::int16_t>(e.node2 + 40);
            }
        }
        for (const FilterElement& e : part.Elements) {
            const float value = e.value == 0.0f ? 1e-6f : e.value;  // a zero would short or open the node
            if (e.kind == 1)
                element('R', e.node1, e.node2, CStr(value));
            else if (e.kind == 2)
                element('C', e.node1, e.node2, CStr(value));
            else if (e.kind == 3)
                element('L', e.node1, e.node2, CStr(value));
        }
        for (const FilterTransElement& e : part.TransElements) {
            if (e.kind != 4) continue;
            write("F " + node(e.node1) + " " + node(e.node2) + " " + node(e.node3) + " " + node(e.node4) +
                  " TRANS(" + CStr(e.L1) + " " + CStr(e.L2) + " " + CStr(e.k) + ")");
        }
    }

    void SetTrans() {
        const int out = outputNode_;
        measureNode_ = static_cast<std::int16_t>(out + 10);
        const std::string line = "Z " + node(out) + " " + node(out + 10) + " ";
        switch (r_.LineMode) {
        case 0: {
            // An unknown material leaves er out: the engine then refuses the line as incomplete.
            std::string er;
            for (const mdlPublic::MaterialRecord& m : mdlPublic::Materials) {
                if (m.Name == r_.Material) {
                    er = CStr(m.K);
                    break;
                }
            }
            // Strip thickness 0: the engine applies no thickness correction.
            write(line + "LINEA(" + CStr(typed(r_.LineLength, 1e-3)) + " " + CStr(typed(r_.LineH, 1e-3)) + " " +
                  CStr(typed(r_.LineW, 1e-3)) + " 0 " + er + ")");
            break;
        }
        case 1:
            write(line + "LINEB(" + CStr(typed(r_.LineLength, 1e-3)) + " " + r_.LineZ0 + " " + r_.LineK + ")");
            break;
        default: measureNode_ = static_cast<std::int16_t>(out); break;
        }
    }

    void SetSpectrum(std::int16_t harmonics) { write(".SPECTRUM " + node(harmonics)); }

    void SetPrint(std::int16_t measurePoint) {
        if (measurePoint == MeasurePointA)
            write(".PRINT 10");
        else if (measurePoint == MeasurePointB)
            write(".PRINT " + node(measureNode_));
        else
            raiseError(platform::errInvalidArgument, "Unknown measuring mode " + std::to_string(measurePoint));
    }

    void SetEnd() { write(".END"); }

    mdlPublic::NetlistBlock& block_;
    const SimConfigRecord& r_;
    const NetlistFormValues& form_;
    int counter_ = 0;
    std::int16_t outputNode_ = 10;
    std::int16_t measureNode_ = 20;
};

}  // namespace

NetlistNodes MakeNetlist(mdlPublic::NetlistBlock& block, const SimConfigRecord& record,
                         const NetlistFormValues& form, std::int16_t harmonics, std::int16_t partState,
                         std::int16_t measurePoint) {
    return NetlistWriter(block, record, form).make(harmonics, partState, measurePoint);
}

}  // namespace app
