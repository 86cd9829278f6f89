#pragma once
// What the simulation runs of both circuit families share: the part states of a run, the netlist
// block as the engine takes it, the spectrum runs' harmonic count and the error of a run the engine
// could not solve.

#include <array>
#include <cstddef>
#include <cstdint>

#include "app/shared/mdlPublic.h"

namespace app {

enum PartState : std::int16_t { WithPart = 0, WithoutPart = 1 };

constexpr std::size_t NetlistBlockBytes = mdlPublic::NetlistLineCount * mdlPublic::NetlistLineLength;

// Turns every "," into "." in the written lines: line by line until the first line that begins
// with a blank (the engine would take a decimal comma for a field separator).
void replaceDecimalCommas(mdlPublic::NetlistBlock& block);

// The 8-bit copy handed to the engine: record i at byte 128 i, blank-padded, no terminating NUL.
std::array<char, NetlistBlockBytes> toEngineBlock(const mdlPublic::NetlistBlock& block);

// A run the engine could not solve: our own number, above the run-time's.
constexpr int errEngineFailed = 1001;

// The spectrum runs' harmonic count for a clock of f MHz: 1000 / f, halves to even. An overflow
// of the 16-bit count is error 6.
std::int16_t harmonicCount(float clockMHz);

}  // namespace app
