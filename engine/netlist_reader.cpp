#include "engine/netlist_reader.h"

#include "engine/circuit.h"
#include "engine/source.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

namespace velmar {

namespace {

constexpr std::string_view kDelimiters = " ,()\t\n";

bool isDelimiter(char c)
{
    return kDelimiters.find(c) != std::string_view::npos;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

std::size_t skipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

// Text of a record: its bytes up to the first NUL, at most one record long.
std::string_view recordText(const char* record)
{
    std::size_t length = 0;
    while (length < NetlistReader::kRecordLength && record[length] != '\0')
        ++length;
    return {record, length};
}

std::string_view firstToken(std::string_view text, std::size_t& pos)
{
    pos = 0;
    return detail::splitToken(text, pos);
}

constexpr std::int32_t kDefaultHarmonics = SignalSource::kDefaultHarmonics;

}  // namespace

namespace detail {

std::string_view splitToken(std::string_view text, std::size_t& pos)
{
    while (pos < text.size() && isDelimiter(text[pos]))
        ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && !isDelimiter(text[pos]))
        ++pos;
    return text.substr(start, pos - start);
}

bool convertInt(std::string_view token, std::int32_t& value)
{
    std::size_t i = 0;
    const bool negative = i < token.size() && token[i] == '-';
    if (i < token.size() && (token[i] == '+' || token[i] == '-'))
        ++i;
    const std::size_t digitsEnd = skipDigits(token, i);
    if (digitsEnd == i)
        return false;
    // Accumulate towards the negative side so that INT32_MIN itself fits.
    std::int64_t magnitude = 0;
    for (std::size_t k = i; k < digitsEnd; ++k) {
        magnitude = magnitude * 10 + (token[k] - '0');
        if (magnitude > std::int64_t{1} << 31)
            return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<std::int32_t>::max())
        return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

bool convertDouble(std::string_view token, double& value)
{
    std::size_t i = 0;
    if (i < token.size() && (token[i] == '+' || token[i] == '-'))
        ++i;
    const std::size_t integerStart = i;
    const std::size_t integerEnd = skipDigits(token, i);
    std::size_t end = integerEnd;
    std::size_t fractionDigits = 0;
    if (end < token.size() && token[end] == '.') {
        const std::size_t fractionEnd = skipDigits(token, end + 1);
        fractionDigits = fractionEnd - (end + 1);
        end = fractionEnd;
    }
    if (integerEnd == integerStart && fractionDigits == 0)
        return false;
    // An exponent counts only with at least one digit: "1e" and "1e+" convert as "1".
    std::int64_t exponent = 0;
    if (end < token.size() && (token[end] == 'e' || token[end] == 'E')) {
        std::size_t e = end + 1;
        const bool negativeExponent = e < token.size() && token[e] == '-';
        if (e < token.size() && (token[e] == '+' || token[e] == '-'))
            ++e;
        const std::size_t exponentEnd = skipDigits(token, e);
        if (exponentEnd > e) {
            for (std::size_t k = e; k < exponentEnd && exponent < 100000; ++k)
                exponent = exponent * 10 + (token[k] - '0');
            if (negativeExponent)
                exponent = -exponent;
            end = exponentEnd;
        }
    }
    // from_chars takes no leading "+"; the prefix is validated, so only the range can fail.
    const char* first = token.data() + (token[0] == '+' ? 1 : 0);
    double parsed = 0.0;
    const auto result = std::from_chars(first, token.data() + end, parsed, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Decimal magnitude of the leading significant digit decides overflow or underflow.
        std::int64_t magnitude = exponent;
        std::size_t k = integerStart;
        while (k < integerEnd && token[k] == '0')
            ++k;
        if (k < integerEnd) {
            magnitude += static_cast<std::int64_t>(integerEnd - k);
        } else {
            std::size_t f = integerEnd + 1;
            while (f < end && token[f] == '0')
                ++f;
            magnitude -= static_cast<std::int64_t>(f - integerEnd - 1);
        }
        if (magnitude > 0)
            return false;
        parsed = token[0] == '-' ? -0.0 : 0.0;
    } else if (result.ec != std::errc{}) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace detail

std::int32_t NetlistReader::Read(char* block, Circuit& circuit, std::int32_t& sourceCount,
                                 SignalSource* sources)
{
    circuit_ = &circuit;
    block_ = block;
    fileName_.clear();
    sourceCount = 0;
    spectrumSize_ = 0;
    recordNumber_ = 0;
    brokenRecord_ = false;
    std::int32_t result = 1;

    bool more = NextRecord() != 0;
    while (more) {
        const std::string_view command = token_;
        const char letter = lowerAscii(command[0]);
        std::int32_t done = 1;
        if (equalsIgnoringCase(command, ".end")) {
            break;
        } else if (letter == 'r') {
            done = ReadResistor();
        } else if (letter == 'c') {
            done = ReadCapacitor();
        } else if (letter == 'l') {
            done = ReadInductor();
        } else if (letter == 'z') {
            done = ReadZElement();
        } else if (letter == 'f') {
            done = ReadFElement();
        } else if (letter == 'v') {
            if (sourceCount >= kSourceSlots) {
                std::printf("Error: Too Many Sources: Max =%d: Record No. = %d: File = %s\n",
                            kSourceSlots, recordNumber_, fileName_.c_str());
                done = 0;
            } else {
                SignalSource& source = sources[sourceCount];
                ++sourceCount;
                done = ReadSource(source);
            }
        } else if (equalsIgnoringCase(command, ".print")) {
            done = ReadPrint();
        } else if (equalsIgnoringCase(command, ".spectrum")) {
            done = ReadSpectrum();
        } else {
            printRecordMessage("Illegal command", command, recordNumber_);
            done = 0;
        }
        if (done == 0) {
            result = 0;
            break;
        }
        more = NextRecord() != 0;
    }
    if (brokenRecord_)
        result = 0;

    if (spectrumSize_ > 0)
        for (std::int32_t i = 0; i < sourceCount; ++i)
            sources[i].SetSpectrumSize(spectrumSize_);
    return result;
}

std::int32_t NetlistReader::RequestedHarmonics(const char* block)
{
    std::int32_t requested = kDefaultHarmonics;
    if (block == nullptr)
        return requested;
    for (int r = 0; r < kMaxRecords && block[r * kRecordLength] != '\0'; ++r) {
        const std::string_view text = recordText(block + r * kRecordLength);
        std::size_t pos = 0;
        const std::string_view command = firstToken(text, pos);
        if (command.empty() || command[0] == '*')
            continue;
        if (equalsIgnoringCase(command, ".end"))
            break;
        if (!equalsIgnoringCase(command, ".spectrum"))
            continue;
        std::string_view field = detail::splitToken(text, pos);
        // The value may stand on the continuation record that follows (comments in between).
        for (int next = r + 1; field.empty() && next < kMaxRecords
                               && block[next * kRecordLength] != '\0'; ++next) {
            const std::string_view nextText = recordText(block + next * kRecordLength);
            std::size_t nextPos = 0;
            const std::string_view marker = firstToken(nextText, nextPos);
            if (marker.empty() || marker[0] == '*')
                continue;
            if (marker[0] == '+')
                field = detail::splitToken(nextText, nextPos);
            break;
        }
        std::int32_t value = 0;
        requested = detail::convertInt(field, value) && value > 0 ? value : kDefaultHarmonics;
    }
    return requested;
}

std::int32_t NetlistReader::ReadResistor()
{
    return readTwoTerminal(&Circuit::AddResistor);
}

std::int32_t NetlistReader::ReadCapacitor()
{
    return readTwoTerminal(&Circuit::AddCapacitor);
}

std::int32_t NetlistReader::ReadInductor()
{
    return readTwoTerminal(&Circuit::AddInductor);
}

std::int32_t NetlistReader::readTwoTerminal(AddTwoTerminal add)
{
    std::int32_t node1 = 0, node2 = 0;
    double value = 0.0;
    if (!ReadInt(node1) || !ReadInt(node2) || !ReadDouble(value))
        return 0;
    (circuit_->*add)(node1, node2, value);  // a refused element does not stop reading
    return 1;
}

std::int32_t NetlistReader::ReadZElement()
{
    std::int32_t node1 = 0, node2 = 0;
    if (!ReadInt(node1) || !ReadInt(node2) || !NextToken())
        return 0;
    const std::string_view keyword = token_;
    if (equalsIgnoringCase(keyword, "linea")) {
        double length = 0, h = 0, w = 0, t = 0, er = 0;
        if (!ReadDouble(length) || !ReadDouble(h) || !ReadDouble(w) || !ReadDouble(t)
            || !ReadDouble(er))
            return 0;
        circuit_->AddMicrostripLine(node1, node2, length, h, w, t, er);
        return 1;
    }
    if (equalsIgnoringCase(keyword, "lineb")) {
        double length = 0, z0 = 0, eeff = 0;
        if (!ReadDouble(length) || !ReadDouble(z0) || !ReadDouble(eeff))
            return 0;
        circuit_->AddLine(node1, node2, length, z0, eeff);
        return 1;
    }
    const bool impedance = equalsIgnoringCase(keyword, "custom");
    if (impedance || equalsIgnoringCase(keyword, "ymatrix")) {
        std::int32_t rowCount = 0;
        std::vector<double> rows;
        if (!readTable(impedance ? 3 : 9, rowCount, rows))
            return 0;
        if (impedance)
            circuit_->AddImpedanceTable(node1, node2, rowCount, rows.data());
        else
            circuit_->AddYMatrixTable(node1, node2, rowCount, rows.data());
        return 1;
    }
    printRecordMessage("Illegal name", keyword, recordNumber_);
    return 0;
}

// Interpolation needs two rows to bracket a frequency, so shorter tables are refused here.
// Rows are collected as they are read: the count alone never decides an allocation.
bool NetlistReader::readTable(std::int32_t fieldsPerRow, std::int32_t& rowCount,
                              std::vector<double>& rows)
{
    if (!ReadInt(rowCount))
        return false;
    if (rowCount < 2) {
        std::printf("Error: Too few table rows = %d: Record No. = %d: File = %s\n", rowCount,
                    recordNumber_, fileName_.c_str());
        return false;
    }
    const std::int64_t fields = std::int64_t{rowCount} * fieldsPerRow;
    for (std::int64_t i = 0; i < fields; ++i) {
        double value = 0.0;
        if (!ReadDouble(value))
            return false;
        rows.push_back(value);
    }
    return true;
}

std::int32_t NetlistReader::ReadFElement()
{
    std::int32_t node1 = 0, node2 = 0, node3 = 0, node4 = 0;
    if (!ReadInt(node1) || !ReadInt(node2) || !ReadInt(node3) || !ReadInt(node4) || !NextToken())
        return 0;
    const std::string_view keyword = token_;
    if (equalsIgnoringCase(keyword, "dual_linea")) {
        double length = 0, h = 0, w = 0, s = 0, er = 0;
        if (!ReadDouble(length) || !ReadDouble(h) || !ReadDouble(w) || !ReadDouble(s)
            || !ReadDouble(er))
            return 0;
        circuit_->AddCoupledMicrostrip(node1, node2, node3, node4, length, h, w, s, er);
        return 1;
    }
    if (equalsIgnoringCase(keyword, "dual_lineb")) {
        double length = 0, ze = 0, eeffEven = 0, zo = 0, eeffOdd = 0;
        if (!ReadDouble(length) || !ReadDouble(ze) || !ReadDouble(eeffEven) || !ReadDouble(zo)
            || !ReadDouble(eeffOdd))
            return 0;
        circuit_->AddCoupledLine(node1, node2, node3, node4, length, ze, eeffEven, zo, eeffOdd);
        return 1;
    }
    if (equalsIgnoringCase(keyword, "trans")) {
        double l1 = 0, l2 = 0, k = 0;
        if (!ReadDouble(l1) || !ReadDouble(l2) || !ReadDouble(k))
            return 0;
        circuit_->AddTransformer(node1, node2, node3, node4, l1, l2, k);
        return 1;
    }
    printRecordMessage("Illegal name", keyword, recordNumber_);
    return 0;
}

std::int32_t NetlistReader::ReadSource(SignalSource& source)
{
    std::int32_t node = 0;
    if (!ReadInt(node))
        return 0;
    source.SetNode(node);
    if (!NextToken())
        return 0;
    const std::string_view keyword = token_;
    if (equalsIgnoringCase(keyword, "pulse")) {
        double v1 = 0, v2 = 0, rise = 0, fall = 0, width = 0, period = 0;
        if (!ReadDouble(v1) || !ReadDouble(v2) || !ReadDouble(rise) || !ReadDouble(fall)
            || !ReadDouble(width) || !ReadDouble(period))
            return 0;
        // The delay stands only on the period's own record; a token there that does not
        // convert fails the statement like any other field.
        double delay = 0.0;
        if (splitLineToken() && !detail::convertDouble(token_, delay))
            return 0;
        if (!(period > 0.0) || !std::isfinite(period)) {
            std::printf("Error: Illegal pulse period = %g: Record No. = %d: File = %s\n", period,
                        recordNumber_, fileName_.c_str());
            return 0;
        }
        source.SetPulse(v1, v2, rise, fall, width, period, delay);
        return 1;
    }
    if (equalsIgnoringCase(keyword, "sin")) {
        double offset = 0, amplitude = 0, frequency = 0;
        if (!ReadDouble(offset) || !ReadDouble(amplitude) || !ReadDouble(frequency))
            return 0;
        const double period = 1.0 / frequency;
        if (!(period > 0.0) || !std::isfinite(period)) {
            std::printf("Error: Illegal signal frequency = %g: Record No. = %d: File = %s\n",
                        frequency, recordNumber_, fileName_.c_str());
            return 0;
        }
        source.SetSine(offset, amplitude, frequency);
        return 1;
    }
    printRecordMessage("Illegal signal name", keyword, recordNumber_);
    return 0;
}

std::int32_t NetlistReader::ReadPrint()
{
    std::int32_t node = 0;
    if (!ReadInt(node))
        return 0;
    circuit_->SetPrintNode(node);
    return 1;
}

std::int32_t NetlistReader::ReadSpectrum()
{
    std::int32_t harmonics = 0;
    if (!ReadInt(harmonics))
        return 0;
    if (harmonics > kMaxHarmonics) {
        std::printf("Error: Too many harmonics = %d: Max =%d: Record No. = %d: File = %s\n",
                    harmonics, kMaxHarmonics, recordNumber_, fileName_.c_str());
        return 0;
    }
    spectrumSize_ = harmonics;
    return 1;
}

std::int32_t NetlistReader::ReadInt(std::int32_t& value)
{
    return NextToken() && detail::convertInt(token_, value) ? 1 : 0;
}

std::int32_t NetlistReader::ReadDouble(double& value)
{
    return NextToken() && detail::convertDouble(token_, value) ? 1 : 0;
}

std::int32_t NetlistReader::NextRecord()
{
    while (recordNumber_ < kMaxRecords) {
        char* record = block_ + static_cast<std::ptrdiff_t>(recordNumber_) * kRecordLength;
        if (record[0] == '\0')
            return 0;
        ++recordNumber_;
        const char last = record[kRecordLength - 1];
        if (last != ' ' && last != '\0') {
            std::printf("Error: Record too long: Max =%d: Record No. = %d: File = %s\n",
                        kRecordLength - 1, recordNumber_, fileName_.c_str());
            brokenRecord_ = true;
            return 0;
        }
        // Byte 0 is never cut: an all-blank record must not turn into the end of the block
        // when the same block is read again.
        for (int i = kRecordLength - 1; i > 0 && record[i] == ' '; --i)
            record[i] = '\0';
        const std::string_view text = recordText(record);
        std::copy(text.begin(), text.end(), line_.begin());
        line_[text.size()] = '\0';
        lineLength_ = text.size();
        linePos_ = 0;
        if (!splitLineToken() || token_[0] == '*')
            continue;  // a comment, or a record with no token at all
        return 1;
    }
    return 0;
}

std::int32_t NetlistReader::NextToken()
{
    if (splitLineToken())
        return 1;
    if (!NextRecord()) {
        if (!brokenRecord_)
            std::printf("Error: Unexpected EOF:  File =%s\n", fileName_.c_str());
        return 0;
    }
    if (token_[0] != '+') {
        std::printf("Error: Data missing: Record No. =%d: File = %s\n", recordNumber_ - 1,
                    fileName_.c_str());
        return 0;
    }
    if (splitLineToken())
        return 1;
    std::printf("Error: No data: Record No. = %d: File = %s\n", recordNumber_, fileName_.c_str());
    return 0;
}

bool NetlistReader::splitLineToken()
{
    token_ = detail::splitToken(std::string_view(line_.data(), lineLength_), linePos_);
    return !token_.empty();
}

void NetlistReader::printRecordMessage(const char* what, std::string_view token,
                                       std::int32_t record) const
{
    std::printf("Error: %s = %.*s: Record No. = %d: File = %s\n", what,
                static_cast<int>(token.size()), token.data(), record, fileName_.c_str());
}

}  // namespace velmar
