#pragma once
// What the differential form holds at one moment, as plain values: the checks and the record work
// on this snapshot instead of on the controls.

#include <array>
#include <string>

namespace diffconfig {

struct DiffInputs {
    std::string dccType;                     // cboDcc
    std::string dccClock;                    // cboDccClock
    std::string clockFreq;                   // MHz
    std::array<std::string, 2> volHigh;      // V+ (0), V- (1), V
    std::array<std::string, 2> volLow;       // V
    std::array<std::string, 2> rise;         // ns
    std::array<std::string, 2> fall;         // ns
    std::string skew;                        // ns
    std::string partText;                    // txtFilter(0)
    int lineMode = 3;                        // the selected optConfigTrans; 3 when none is
    std::array<std::string, 5> lineText;     // txtConfigTrans(0..4)
    std::string material;                    // cboMaterial; empty when none is selected
    std::array<std::string, 2> lineZShown;   // lblConfigTrans(7), lblConfigTrans(8)
};

}  // namespace diffconfig
