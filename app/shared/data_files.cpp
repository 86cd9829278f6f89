#include "app/shared/data_files.h"

#include "platform/errors.h"
#include "platform/files.h"

#include <bit>
#include <vector>

namespace app {

namespace {

// Reads the packed little-endian fields in order, whatever the host's byte order and alignment.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::int16_t int16() {
        const auto value = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return static_cast<std::int16_t>(value);
    }
    float single() {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | bytes_[pos_ + static_cast<std::size_t>(i)];
        pos_ += 4;
        return std::bit_cast<float>(value);
    }
    std::uint8_t byte() { return bytes_[pos_++]; }
    std::size_t position() const { return pos_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

void requireLength(std::span<const std::uint8_t> bytes, std::size_t length) {
    if (bytes.size() != length) platform::raiseError(platform::errInputPastEnd);
}

}  // namespace

FilterRecord decodeFilterRecord(std::span<const std::uint8_t> bytes) {
    requireLength(bytes, FilterRecordLength);
    ByteReader in(bytes);
    FilterRecord record;
    record.reserved = in.int16();
    for (auto& e : record.Elements) {
        e.kind = in.int16();
        e.node1 = in.int16();
        e.node2 = in.int16();
        e.value = in.single();
    }
    for (auto& t : record.TransElements) {
        t.kind = in.int16();
        t.node1 = in.int16();
        t.node2 = in.int16();
        t.node3 = in.int16();
        t.node4 = in.int16();
        t.L1 = in.single();
        t.L2 = in.single();
        t.k = in.single();
    }
    for (auto& v : record.FreqCurves) v = in.single();
    return record;
}

IcRecord decodeIcRecord(std::span<const std::uint8_t> bytes) {
    requireLength(bytes, IcRecordLength);
    ByteReader in(bytes);
    IcRecord record;
    for (auto& b : record.header) b = in.byte();
    for (auto& e : record.Elements) {
        e.kind = in.int16();
        e.node1 = in.int16();
        e.node2 = in.int16();
        e.value = in.single();
    }
    return record;
}

std::string dataFilePath(const std::string& dataFolder, const std::string& name) {
    if (dataFolder.empty() || dataFolder.back() == '/') return dataFolder + name;
    return dataFolder + "/" + name;
}

FilterRecord readFilterRecord(const std::string& dataFolder, std::int64_t recordNumber) {
    const std::vector<std::uint8_t> bytes =
        platform::readRecord(dataFilePath(dataFolder, "filter.dat"), FilterRecordLength, recordNumber);
    return decodeFilterRecord(bytes);
}

IcRecord readIcRecord(const std::string& dataFolder, std::int64_t recordNumber) {
    const std::vector<std::uint8_t> bytes =
        platform::readRecord(dataFilePath(dataFolder, "ic.dat"), IcRecordLength, recordNumber);
    return decodeIcRecord(bytes);
}

}  // namespace app
