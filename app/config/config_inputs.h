#pragma once
// What the filter-circuit form holds at one moment, as plain values: the checks and the record work
// on this snapshot instead of on the controls.

#include <array>
#include <string>

namespace config {

// One IC group: chosen from the list, or given by its R, L, C equivalent.
struct IcInputs {
    bool byList = false;       // optSelectIc(i) selected
    bool byCircuit = false;    // optSelectCircuit(i) selected
    std::string family;        // cboSelectIcPrimary(i)
    std::string name;          // cboSelectIc(i)
    std::string r, l, c;       // ohm, nH, pF as typed
    std::string r2;            // receiver only: resistance to ground, ohm
};

struct ConfigInputs {
    int simType = 0;                         // 0, 1, 2
    std::array<int, 2> measureValue{};       // chkMeasure(i).Value
    std::array<bool, 2> measureEnabled{};
    std::string clockFreq, duty, rise, fall, voltage;
    IcInputs driver, receiver;
    std::array<std::string, 2> partText;     // txtFilter(0), txtFilter(1)
    int lineMode = 0;                        // the selected optConfigTrans; 2 when none is
    std::array<std::string, 3> lineText;     // txtConfigTrans(0..2)
    std::string material;                    // cboMaterial
    std::string lineImpedanceShown;          // lblConfigTrans(5)
};

}  // namespace config
