#pragma once
// The settings of one differential simulation: the form's inputs as typed, and its chart ranges.

#include <array>
#include <cstdint>
#include <string>

struct SimConfig2Record {
    std::string DccType;                     // "USB2.0", "LVDS" or "IEEE1394"
    std::string DccClock;                    // clock choice as listed
    std::string ClockFreq;                   // MHz
    std::array<std::string, 2> VolHigh;      // V+ (0) and V- (1), V
    std::array<std::string, 2> VolLow;       // V
    std::array<std::string, 2> RiseTime;     // ns
    std::array<std::string, 2> FallTime;     // ns
    std::string Skew;                        // ns, V- against V+
    std::string PartNum;                     // choke part number without its note
    std::string PartNote;
    std::int16_t LineMode = 0;               // 0 geometry, 1 impedances, 2 interface cable, 3 line ignored
    std::string LineW;                       // mm
    std::string LineH;                       // mm
    std::string LinePitch;                   // mm
    std::string LineLength;                  // mm
    std::string Material;                    // a name of Materials
    std::array<std::string, 2> LineZ;        // common (0) and differential (1) mode, ohm
    std::array<std::string, 2> LineK;        // common (0) and differential (1) mode
    float FreqMin = 0;                       // Hz
    float FreqMax = 0;                       // Hz
    float TimeMin = 0;                       // s
    float TimeMax = 0;                       // s
    std::array<float, 3> VoltMin{};          // V, per voltage chart; both 0: not chosen yet
    std::array<float, 3> VoltMax{};          // V
    float SpecMin = 0;                       // Hz
    float SpecMax = 0;                       // Hz
};
