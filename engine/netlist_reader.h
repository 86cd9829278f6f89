#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

class Circuit;
class SignalSource;

namespace detail {

// Longest-prefix conversions of one netlist field, the same in every locale. An integer is an
// optional sign and digits; a real adds at most one "." and an optional exponent ("e"/"E",
// optional sign, digits). The value is that of the longest leading part of the token with this
// syntax; false when that part is empty, or the value does not fit (32 bits, finite double).
bool convertInt(std::string_view token, std::int32_t& value);
bool convertDouble(std::string_view token, double& value);

// The next token of text at or after pos, or an empty view when none is left; pos moves past it.
std::string_view splitToken(std::string_view text, std::size_t& pos);

}  // namespace detail

// Reads a netlist block of 128-byte text records (one statement each, "+" continuation records,
// "*" comments) into a circuit, the source slots and the run settings. Messages go to standard
// output. The block is changed in place: the trailing blanks of every record taken become NUL.
class NetlistReader {
public:
    static constexpr int kRecordLength = 128;
    static constexpr int kMaxRecords = 100;
    static constexpr int kSourceSlots = 2;
    static constexpr int kMaxHarmonics = 10000;

    NetlistReader() = default;

    // 1 when reading ended at ".end" or at the end of the block, 0 when a statement failed or a
    // record held no statement. What was read before a failure stays in the circuit and sources;
    // sources holds kSourceSlots slots. A ".spectrum" size above 0 is given to every source used.
    std::int32_t Read(char* block, Circuit& circuit, std::int32_t& sourceCount,
                      SignalSource* sources);

    // The harmonic count a caller sizes its result arrays for: the value of the block's last
    // ".spectrum" statement before ".end", or 100 when there is none or its value is 0 or below
    // or does not convert. Reads the block without changing it, whether it was read before or not.
    static std::int32_t RequestedHarmonics(const char* block);

private:
    std::int32_t ReadResistor();
    std::int32_t ReadCapacitor();
    std::int32_t ReadInductor();
    std::int32_t ReadZElement();
    std::int32_t ReadFElement();
    std::int32_t ReadSource(SignalSource& source);
    std::int32_t ReadPrint();
    std::int32_t ReadSpectrum();
    std::int32_t ReadInt(std::int32_t& value);
    std::int32_t ReadDouble(double& value);
    std::int32_t NextRecord();
    std::int32_t NextToken();

    // node1 node2 value, as the R, C and L statements share it.
    using AddTwoTerminal = std::int32_t (Circuit::*)(const std::int32_t&, const std::int32_t&,
                                                     const double&);
    std::int32_t readTwoTerminal(AddTwoTerminal add);
    bool readTable(std::int32_t fieldsPerRow, std::int32_t& rowCount, std::vector<double>& rows);
    bool splitLineToken();
    void printRecordMessage(const char* what, std::string_view token, std::int32_t record) const;

    Circuit* circuit_ = nullptr;
    std::string fileName_;  // the block has no file name; messages print it empty
    std::array<char, kRecordLength> line_{};
    std::size_t lineLength_ = 0;
    std::size_t linePos_ = 0;
    std::string_view token_;  // empty when the record has no more tokens
    std::int32_t recordNumber_ = 0;
    char* block_ = nullptr;
    std::int32_t spectrumSize_ = 0;
    bool brokenRecord_ = false;  // reading met a record over the length limit
};

}  // namespace velmar
