#pragma once
// The netlist of one engine run of a differential simulation: the V+ and V- pulse sources, the
// interface's driver network, the common-mode choke's model from filter.dat, the coupled line,
// the receiver terminations and the three control lines, written from the simulation's record.
//
// Node plan: sources 100 (V+) and 200 (V-), IEEE1394 driver centre 110, driver outputs 300/400,
// choke outputs 500/600, the line's far ends 200 above its start (700/800 with the choke), the
// IEEE1394 receiver centre 710. Numbers are written from parsed values in a compact C-locale form,
// never as typed text: a digit grouping "1,000" would otherwise reach the engine as "1.000".

#include <cstdint>
#include <string>

#include "app/shared/engine_run.h"
#include "app/shared/SimConfig2Record.h"
#include "app/shared/mdlPublic.h"

namespace app {

enum DiffNode : std::int16_t { NodePlus = 0, NodeMinus = 1 };

// The nodes the writers chose, and how many statements they wrote.
struct DiffNetlistNodes {
    std::int16_t LineNodePlus = 0;   // where the coupled line starts, V+ side
    std::int16_t LineNodeMinus = 0;
    std::int16_t RecvNodePlus = 0;   // receiver and measuring nodes
    std::int16_t RecvNodeMinus = 0;
    int lines = 0;                   // statements written, ".END" included
};

// Fills `block` (all 100 lines blank-padded to 128 characters) for one run: partState WithPart
// (0, the choke in) or WithoutPart (1), node NodePlus or NodeMinus for ".PRINT", harmonics for
// ".SPECTRUM". partnumType is the part-number view (0: global numbers) by which the choke
// is looked up in FilterIndex; its record is read from filter.dat in the data folder.
// Raises a run-time error when a value does not convert, the choke is not in the index or its
// record cannot be read, a choice lies outside its list, or a statement would not fit in 127
// characters: a netlist with a piece missing would simulate another circuit than the one shown.
DiffNetlistNodes MakeNetlist(mdlPublic::NetlistBlock& block, const SimConfig2Record& record,
                             std::int16_t harmonics, std::int16_t partState, std::int16_t measureNode,
                             int partnumType);

// Number texts of the netlist: shortest C-locale text that reads back to the same single, or a
// double with 15 significant digits; no grouping, "." as decimal sign, "e" exponents.
std::string netSingle(float value);
std::string netDouble(double value);

}  // namespace app
