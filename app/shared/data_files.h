#pragma once
// The part and IC data files: fixed-length little-endian records, packed without padding,
// 16-bit integers and single-precision reals, and the part numbers as their index stores them.
// The program only reads them; every read opens the file, takes one whole record and closes it
// again. The catalogue tool writes them by this same layout and normalisation, so this header
// holds to the standard library.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace app {

// What the indexes hold at most: the program reads no more.
constexpr int MaxFilters = 268;  // filtere.idx, one line a record of filter.dat
constexpr int MaxIcs = 30;       // ic.idx, one line a record of ic.dat

constexpr int FilterElementCount = 35;
constexpr int FilterTransElementCount = 5;
constexpr int CurvePoints = 201;
constexpr int CurveBlocks = 4;
constexpr int IcElementCount = 5;

// Packed sizes of the records' parts, in bytes.
constexpr std::size_t FilterElementBytes = 10;       // kind, node1, node2, value
constexpr std::size_t FilterTransElementBytes = 22;  // kind, node1 to node4, L1, L2, k
constexpr std::size_t IcHeaderBytes = 8;
constexpr std::size_t FilterRecordLength =  // filter.dat: 3678
    2 + FilterElementCount * FilterElementBytes + FilterTransElementCount * FilterTransElementBytes +
    4 * CurvePoints * CurveBlocks;
constexpr std::size_t IcRecordLength = IcHeaderBytes + IcElementCount * FilterElementBytes;  // ic.dat: 58
static_assert(FilterRecordLength == 3678 && IcRecordLength == 58);

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

// a to z in upper case, everything else as it is. Bytes of a UTF-8 sequence are all >= 0x80, so a
// byte-wise pass leaves other characters whole.
inline std::string upperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

// The typed part number as the index stores it: the text before the first blank (the note
// dropped), upper case, no packing suffix "PT" or "PB", and characters 5 to 7 of an "R(" array
// filter (its value letters) in lower case. Characters are counted in UTF-8 code points, as the
// part boxes show them; the stored numbers are ASCII, where code points and bytes agree. A stored
// number is found only when it survives this unchanged.
inline std::string normalisePartnum(const std::string& partnum) {
    std::string q = upperAscii(partnum.substr(0, partnum.find(' ')));
    if (q.ends_with("PT") || q.ends_with("PB")) q.resize(q.size() - 2);
    if (!q.starts_with("R(")) return q;
    // Byte offset of code point `chars` (from 0), or the end.
    const auto offset = [&q](std::size_t chars) {
        std::size_t pos = 0;
        for (; chars > 0 && pos < q.size(); --chars) {
            const auto lead = static_cast<unsigned char>(q[pos]);
            pos += lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 1;
        }
        return std::min(pos, q.size());
    };
    for (std::size_t i = offset(4), end = offset(7); i < end; ++i)
        if (q[i] >= 'A' && q[i] <= 'Z') q[i] = static_cast<char>(q[i] + 32);
    return q;
}

// dataFolder & separator & name; the folder may end with the separator or not.
std::string dataFilePath(const std::string& dataFolder, const std::string& name);

// Record r (from 1) of dataFolder/filter.dat or dataFolder/ic.dat. A missing folder or file
// raises 53, a record number below 1 raises 63, a record the file does not hold in full 62.
FilterRecord readFilterRecord(const std::string& dataFolder, std::int64_t recordNumber);
IcRecord readIcRecord(const std::string& dataFolder, std::int64_t recordNumber);

}  // namespace app
