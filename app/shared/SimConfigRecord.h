#pragma once
// The settings of one filter-circuit simulation: the form's inputs as typed, and its chart ranges.

#include <array>
#include <cstdint>
#include <string>

struct SimConfigRecord {
    std::int16_t SimType = 0;                // 0 one part, 1 bead + chip capacitor, 2 bead + capacitor-type filter
    std::array<std::int16_t, 2> Measure{};   // points A, B: 0/1 ticked, +2 when the box was disabled
    std::string ClockFreq;                   // MHz
    std::string Duty;                        // %
    std::string RiseTime;                    // ns
    std::string FallTime;                    // ns
    std::string Voltage;                     // V
    std::int16_t DriverByLcr = 0;            // 0 IC from the list, 1 R, L, C
    std::string DriverIcType;
    std::string DriverIc;
    std::string DriverR;                     // ohm
    std::string DriverL;                     // nH
    std::string DriverC;                     // pF
    std::array<std::string, 2> PartNum;      // bare part numbers in the current numbering
    std::string PartNote;                    // note of the first part
    std::int16_t LineMode = 0;               // 0 geometry, 1 impedance, 2 line ignored
    std::string LineW;                       // mm
    std::string LineH;                       // mm
    std::string LineLength;                  // mm
    std::string Material;                    // a name of Materials
    std::string LineZ0;                      // ohm
    std::string LineK;
    std::int16_t ReceiverByLcr = 0;          // 0 IC from the list, 1 L, R, C, R2
    std::string ReceiverIcType;
    std::string ReceiverIc;
    std::string ReceiverL;                   // nH
    std::string ReceiverR;                   // ohm
    std::string ReceiverC;                   // pF
    std::string ReceiverR2;                  // ohm
    float FreqMin = 0;                       // Hz
    float FreqMax = 0;                       // Hz
    float TimeMin = 0;                       // s
    float TimeMax = 0;                       // s
    float VoltMin = 0;                       // V; both 0: not chosen yet
    float VoltMax = 0;                       // V
    float SpecMin = 0;                       // Hz
    float SpecMax = 0;                       // Hz
    std::int16_t Cycles = 0;                 // clock periods shown, 1 or 2
};
