#pragma once
// The netlist of one filter-circuit simulation: source, driver network, the part models from
// filter.dat, the printed-circuit line, receiver network and the three control lines, written
// from the simulation's record into the 100-line block the engine reads.
//
// Node plan: 1 source, 10 driver output and part input (point A), 50 the end of a part in series
// (90 when the first of two parts is moved by 40), the line from OutputNode to MeasureNode
// (point B), where the receiver hangs. Numbers carry the locale's decimal sign here;
// toEngineBlock() turns them into points.

#include <array>
#include <cstdint>
#include <string>

#include "app/shared/SimConfigRecord.h"
#include "app/shared/engine_run.h"
#include "app/shared/mdlPublic.h"

namespace app {

// The values the writers take from the open form and the settings rather than from the record.
struct NetlistFormValues {
    std::string clockFreq;      // txtClockFreq [MHz]: the pulse-time correction of CMOS drivers
    std::string duty;           // txtDuty [%]
    bool driverFromList = true; // optSelectIc(0): only a listed driver gets its pulse times corrected
    std::string simType;        // setting "SimType": "1" and "2" have a second part
    int partnumType = 0;        // the part-number view: 0 global part numbers, 1 previous
};

enum MeasurePoint : std::int16_t { MeasurePointA = 0, MeasurePointB = 1 };

// The written block's two nodes, for callers and tests that need them.
struct NetlistNodes {
    std::int16_t outputNode = 0;   // where the part chain ends and the line begins
    std::int16_t measureNode = 0;  // point B: the receiver end of the line
};

// Fills `block` (all 100 lines blank-padded to 128 characters) for the record. The tables of
// mdlPublic (FilterIndex, IcIndex, Materials) and the data folder beside the program are read.
// Raises a run-time error when a typed number does not convert, a data file or record cannot be
// read, an IC or part is not in its index, or a line would not fit in a record: a netlist with a
// piece missing would simulate another circuit than the one shown.
NetlistNodes MakeNetlist(mdlPublic::NetlistBlock& block, const SimConfigRecord& record,
                         const NetlistFormValues& form, std::int16_t harmonics, std::int16_t partState,
                         std::int16_t measurePoint);

}  // namespace app
