#include "platform/files.h"

#include "platform/errors.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <limits>
#include <system_error>

namespace platform {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// Digits with an optional sign, one decimal point and an exponent; nothing else, so that
// hex, "inf", "nan" and stray text are refused rather than half read.
bool isPlainNumber(const std::string& s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == s.size();
}

// A folder opens as a stream on this system but holds no data; it is as missing as no file.
void requireFile(const std::string& path, bool opened) {
    std::error_code ec;
    if (!opened || std::filesystem::is_directory(path, ec)) raiseError(errFileNotFound, "File not found: " + path);
}

double wholeNumber(double value, double low, double high) {
    const double rounded = std::nearbyint(value);  // the default rounding mode takes halves to even
    if (!(rounded >= low && rounded <= high)) raiseError(errOverflow);
    return rounded;
}

}  // namespace

TextInput::TextInput(const std::string& path) : path_(path) {
    std::ifstream file(path, std::ios::binary);
    requireFile(path, static_cast<bool>(file));
    text_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool TextInput::atEnd() const {
    for (std::size_t i = pos_; i < text_.size(); ++i) {
        if (!isBlank(text_[i]) && !isLineEnd(text_[i])) return false;
    }
    return true;
}

std::string TextInput::nextField() {
    // After a comma a field follows, if only an empty one; after a line end, only blank lines
    // left means the input is used up.
    if (!afterComma_ && atEnd()) raiseError(errInputPastEnd);
    afterComma_ = false;
    while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;

    std::string value;
    if (text_[pos_] == '"') {
        const std::size_t close = text_.find('"', pos_ + 1);
        if (close == std::string::npos) raiseError(errInputPastEnd);
        value = text_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        // Anything between the closing quote and the delimiter is not part of the field.
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) ++pos_;
    } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) ++pos_;
        value = text_.substr(start, pos_ - start);
        while (!value.empty() && isBlank(value.back())) value.pop_back();
    }

    if (pos_ < text_.size()) {
        if (text_[pos_] == ',') {
            ++pos_;
            afterComma_ = true;
        } else if (text_[pos_] == '\r') {
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        } else {
            ++pos_;
        }
    }
    return value;
}

std::string TextInput::readString() { return nextField(); }

double TextInput::readNumber() {
    std::string field = nextField();
    if (field.empty()) return 0.0;
    if (!isPlainNumber(field)) raiseError(errTypeMismatch);
    if (field[0] == '+') field.erase(0, 1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec == std::errc::result_out_of_range) raiseError(errOverflow);
    if (ec != std::errc() || end != field.data() + field.size()) raiseError(errTypeMismatch);
    return value;
}

std::int16_t TextInput::readInteger() {
    return static_cast<std::int16_t>(wholeNumber(readNumber(), -32768.0, 32767.0));
}

std::int32_t TextInput::readLong() {
    return static_cast<std::int32_t>(wholeNumber(readNumber(), -2147483648.0, 2147483647.0));
}

float TextInput::readSingle() {
    const double value = readNumber();
    if (std::fabs(value) > std::numeric_limits<float>::max()) raiseError(errOverflow);
    return static_cast<float>(value);
}

RandomAccessFile::RandomAccessFile(const std::string& path, std::size_t recordLength)
    : file_(path, std::ios::binary), path_(path), recordLength_(recordLength) {
    if (recordLength == 0) raiseError(errInvalidArgument);
    requireFile(path, static_cast<bool>(file_));
}

std::int64_t RandomAccessFile::recordCount() {
    file_.clear();
    file_.seekg(0, std::ios::end);
    const std::streamoff size = file_.tellg();
    if (size < 0) raiseError(errInputPastEnd);
    return static_cast<std::int64_t>(size) / static_cast<std::int64_t>(recordLength_);
}

std::vector<std::uint8_t> RandomAccessFile::get(std::int64_t recordNumber) {
    // The upper bound keeps the byte offset far inside a 64-bit file position.
    if (recordNumber < 1 || recordNumber > std::numeric_limits<std::int32_t>::max()) raiseError(errBadRecordNumber);
    if (recordNumber > recordCount()) raiseError(errInputPastEnd);

    std::vector<std::uint8_t> bytes(recordLength_);
    file_.clear();
    file_.seekg(static_cast<std::streamoff>((recordNumber - 1) * static_cast<std::int64_t>(recordLength_)));
    file_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (file_.gcount() != static_cast<std::streamsize>(bytes.size())) raiseError(errInputPastEnd);
    return bytes;
}

std::vector<std::uint8_t> readRecord(const std::string& path, std::size_t recordLength, std::int64_t recordNumber) {
    RandomAccessFile file(path, recordLength);
    return file.get(recordNumber);
}

}  // namespace platform
