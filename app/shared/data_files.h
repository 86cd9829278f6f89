#pragma once
// The part and IC data files: fixed-length little-endian records, packed without padding,
// 16-bit integers and single-precision reals. The program only reads them; every read opens
// the file, takes one whole record and closes it again.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace app {

constexpr std::size_t FilterRecordLength = 3678;  // filter.dat
constexpr std::size_t IcRecordLength = 58;        // ic.dat
constexpr int FilterElementCount = 35;
constexpr int FilterTransElementCount = 5;
constexpr int CurvePoints = 201;
constexpr int CurveBlocks = 4;
constexpr int IcElementCount = 5;

// A two-terminal element of a part: kind 0 unused, 1 R [ohm], 2 C [F], 3 L [H], others ignored.
struct FilterElement {
    std::int16_t kind = 0;
    std::int16_t node1 = 0;
    std::int16_t node2 = 0;
    float value = 0;
};

// Coupled inductors of a part: kind 4, any other kind ignored. node1 and node3 are the dotted
// ends of the primary and secondary winding.
struct FilterTransElement {
    std::int16_t kind = 0;
    std::int16_t node1 = 0;
    std::int16_t node2 = 0;
    std::int16_t node3 = 0;
    std::int16_t node4 = 0;
    float L1 = 0;  // H
    float L2 = 0;  // H
    float k = 0;
};

// One record of filter.dat: the part's circuit and four curves of 201 points. Block 0 holds the
// frequencies in MHz; blocks 1 to 3 the characteristics the charts read by series.
struct FilterRecord {
    std::int16_t reserved = 0;
    std::array<FilterElement, FilterElementCount> Elements{};
    std::array<FilterTransElement, FilterTransElementCount> TransElements{};
    std::array<float, CurvePoints * CurveBlocks> FreqCurves{};

    std::span<const float, CurvePoints> curve(int block) const {
        return std::span<const float, CurvePoints>(FreqCurves.data() + CurvePoints * block, CurvePoints);
    }
};

// An element of an IC network: kind 10-19 R, 20-29 C, 30-39 L, anything else ignored.
struct IcElement {
    std::int16_t kind = 0;
    std::int16_t node1 = 0;
    std::int16_t node2 = 0;
    float value = 0;
};

// One record of ic.dat.
struct IcRecord {
    std::array<std::uint8_t, 8> header{};
    std::array<IcElement, IcElementCount> Elements{};
};

// Decode one packed record; a span of another length raises 62.
FilterRecord decodeFilterRecord(std::span<const std::uint8_t> bytes);
IcRecord decodeIcRecord(std::span<const std::uint8_t> bytes);

// dataFolder & separator & name; the folder may end with the separator or not.
std::string dataFilePath(const std::string& dataFolder, const std::string& name);

// Record r (from 1) of dataFolder/filter.dat or dataFolder/ic.dat. A missing folder or file
// raises 53, a record number below 1 raises 63, a record the file does not hold in full 62.
FilterRecord readFilterRecord(const std::string& dataFolder, std::int64_t recordNumber);
IcRecord readIcRecord(const std::string& dataFolder, std::int64_t recordNumber);

}  // namespace app
