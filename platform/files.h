#pragma once
// Files as the forms read them: the index files field by field, and the data files record by
// record. Every file is closed before the call that opened it returns or throws.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace platform {

// Sequential text input with the field rules of the index files: fields end at a comma or a
// line end (CR LF, LF or CR); blanks before a field are skipped; a field that starts with a
// double quote runs to the closing quote and may hold commas and line ends; an unquoted field
// loses its trailing blanks. Fields are counted, not lines, so a record may span two lines.
// The file is read whole when opened and closed at once.
class TextInput {
public:
    // Raises 53 when the file cannot be opened.
    explicit TextInput(const std::string& path);

    // True when nothing but blanks and line ends is left, so a final empty line ends the input.
    bool atEnd() const;

    // Raise 62 when the input is used up before the field starts, or inside a quoted field.
    std::string readString();
    // A decimal number with "." as the decimal sign in any locale; an empty field is 0.
    // Text that is not a number raises 13.
    double readNumber();
    // Whole numbers round halves to even; a value beyond the type raises 6.
    std::int16_t readInteger();
    std::int32_t readLong();
    float readSingle();

private:
    std::string nextField();

    std::string path_;
    std::string text_;
    std::size_t pos_ = 0;
    bool afterComma_ = false;
};

// Random access to fixed-length records with no header: record n (from 1) starts at byte
// (n - 1) * record length.
class RandomAccessFile {
public:
    // Raises 53 when the file cannot be opened, 5 for a record length of 0.
    RandomAccessFile(const std::string& path, std::size_t recordLength);

    // The raw bytes of one whole record. A record number below 1 raises 63; a record that the
    // file does not hold in full raises 62.
    std::vector<std::uint8_t> get(std::int64_t recordNumber);

    // Whole records in the file.
    std::int64_t recordCount();

private:
    std::ifstream file_;
    std::string path_;
    std::size_t recordLength_;
};

// Opens, reads one record and closes, as every reader of the data files does.
std::vector<std::uint8_t> readRecord(const std::string& path, std::size_t recordLength, std::int64_t recordNumber);

}  // namespace platform
