#pragma once
// The catalogue tool's model: source rows of parts and ICs, the rules every row must keep,
// the curves computed from each part's model, and the four files written from them.

#include "app/shared/data_files.h"
#include "nodal.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace mkcatalog {

// A refused source row; the message names the file, line and part.
class RowError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PartRow {
    std::string where;  // "parts.txt:12" for messages
    int partType = 0;
    std::string primary, secondary, tertiary, note, globalNum, prevNum;
    std::string grid;   // "wide": 0.5 MHz to 2 GHz; "chart": 1 MHz to 1 GHz
    std::vector<Element> model;
};

struct IcRow {
    std::string where;
    int kind = 0;
    std::string family, name;
    float voltage = 0;
    std::vector<Element> model;
};

using Curve = std::array<double, app::CurvePoints>;

struct Curves {
    Curve freqMHz{}, block1{}, block2{}, block3{};
};

// Parse the readable sources; a malformed row throws RowError.
std::vector<PartRow> parsePartRows(const std::string& text, const std::string& fileName);
std::vector<IcRow> parseIcRows(const std::string& text, const std::string& fileName);

// Every rule of the catalogue; the first broken one throws RowError naming the row.
void validateParts(const std::vector<PartRow>& parts);
void validateIcs(const std::vector<IcRow>& ics);

// "KSV", "QTA", "JX" or "WQ" from the category caption, as the program maps it.
std::string seriesOfCategory(const std::string& primary);

// The 201 frequencies of a grid [MHz] and the part's curves on it.
Curve frequencyGrid(const std::string& grid);
Curves computeCurves(const PartRow& part);

// The four files' contents.
std::string filterIndexText(const std::vector<PartRow>& parts);
std::string icIndexText(const std::vector<IcRow>& ics);
std::vector<std::uint8_t> filterData(const std::vector<PartRow>& parts);
std::vector<std::uint8_t> icData(const std::vector<IcRow>& ics);

}  // namespace mkcatalog
