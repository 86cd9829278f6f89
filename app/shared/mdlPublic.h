#pragma once
// The program's one module: start-up, the tables every form shares, and the shared procedures.
// Everything here lives for the whole run and is touched from the UI thread only.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/shared/SimConfigRecord.h"
#include "app/shared/SimConfig2Record.h"
#include "app/shared/data_files.h"
#include "platform/types.h"

namespace platform {
class Canvas;
class Form;
}  // namespace platform

namespace mdlPublic {

// ---- Record types -------------------------------------------------------------------------------

// The circuit types, as the setting "SimType" and the records store them.
enum CircuitType : std::int32_t {
    CircuitOnePart = 0,         // one EMI filter or chip capacitor
    CircuitBeadCapacitor = 1,   // a chip ferrite bead with a chip capacitor
    CircuitBeadFilter = 2,      // a chip ferrite bead with a capacitor-type filter
    CircuitDifferential = 3,    // the differential pair with its common-mode choke
};
// Whether circuit type t has a second part (and a second part box).
constexpr bool hasSecondPart(std::int32_t t) { return t == CircuitBeadCapacitor || t == CircuitBeadFilter; }

// One catalogue part: one line of filtere.idx.
struct FilterIndexRecord {
    std::int16_t RecNo = 0;      // record number in filter.dat
    std::int32_t PartType = 0;   // 0 chip ferrite bead, 1 TESSOR filter, 2 chip capacitor, 3 common-mode choke
    std::string Primary;         // category caption
    std::string Secondary;
    std::string Tertiary;
    std::string PartNote;        // shown in brackets after the number for types 0 and 3
    std::string GlobalPartNum;   // shown while "PartnumType" is "0"
    std::string PrevPartNum;     // shown while "PartnumType" is "1"
};

// One IC model: one line of ic.idx.
struct IcIndexRecord {
    std::int16_t RecNo = 0;      // 1-based line number, the record number in ic.dat
    std::int16_t Kind = 0;       // 0 output model (driver), 1 input model (receiver)
    std::string Family;
    std::string Name;
    float Voltage = 0;           // supply voltage, V
};

struct MaterialRecord {
    std::string Name;            // carries the constant as "(K=4.1)", in the locale's decimal sign
    float K = 0;                 // relative dielectric constant
};

// One simulation result; the writer sizes each array before the engine fills it.
struct SimResultRecord {
    std::vector<double> Time;      // s
    std::vector<double> Wave;      // V
    std::vector<double> Freq;      // Hz
    std::vector<double> Spectrum;  // (re, im) pairs, V
};

constexpr int NetlistLineCount = 100;
constexpr int NetlistLineLength = 128;

// The netlist handed to the engine: 100 statements, each blank-padded to exactly 128 characters.
struct NetlistBlock {
    std::array<std::string, NetlistLineCount> Line;
};

// ---- Shared variables ---------------------------------------------------------------------------

using app::MaxFilters;
using app::MaxIcs;
constexpr int MaxSims = 100;
constexpr int ResultKinds = 4;
constexpr int MaxCharts = 10;

inline std::string PathSep;
inline std::int16_t FilterCount = 0;
inline std::int16_t IcCount = 0;
inline std::int16_t SimCount = 0;
inline std::int16_t CurrentSim = 0;
inline std::int16_t ChartCount = 0;
inline std::int16_t ChartPicIndex = 0;
inline std::int16_t ConfigWindowState = 0;   // 0 normal, 1 minimized, 2 maximized
inline std::int16_t Config2WindowState = 0;
inline std::array<FilterIndexRecord, MaxFilters> FilterIndex;
inline std::array<IcIndexRecord, MaxIcs> IcIndex;
inline std::array<MaterialRecord, 7> Materials;
inline std::array<SimConfigRecord, MaxSims> SimConfigs;
inline std::array<SimConfig2Record, MaxSims> SimConfigs2;
inline std::array<std::array<SimResultRecord, MaxSims>, ResultKinds> SimResults;  // [kind][simulation]

// ---- Start-up -----------------------------------------------------------------------------------

// The program's entry after the run-time is up: loads the tables and shows frmMain. A failure shows
// the error box "Vandor.Public.Main" and returns with no window open.
void Main();

// The folder that holds the program (and its data folder); set by main() before Main.
inline std::string ProgramFolder;

// Steps of Main, public so that tests can load a catalogue without opening windows.
// Each raises a run-time error on failure and leaves the tables untouched then.
void loadFilterIndex(const std::string& path);
void loadIcIndex(const std::string& path);
void fillMaterials();

// Program folder & PathSep & "data" & PathSep & name.
// The data folder beside the program, and a file in it.
std::string dataFolder();
std::string dataPath(const std::string& fileName);

// ---- Settings -----------------------------------------------------------------------------------

// "PartnumType", "SimType", "DccType" or "StartDialog" of section "Settings"; "0" when never
// written or when the stored value is not one of the key's values. Any other key stops the program.
std::string GetAppSetting(const std::string& key);
// Writes one of the keys above (each writer stores its own key at once).
void saveAppSetting(const std::string& key, const std::string& value);
// The part-number view the settings hold: 0 global numbers, 1 previous ones.
int partnumType();

constexpr const char* AppName = "vandore";
constexpr const char* SettingsSection = "Settings";

// ---- Shared procedures --------------------------------------------------------------------------

// Common logarithm; x <= 0 raises the invalid-argument error (5).
float Log10(float x);
// Replaces every occurrence of find by replacement in place, left to right, case-sensitive.
void ReplaceAll(std::string& text, const std::string& find, const std::string& replacement);
// "a" to "z" become "A" to "Z"; everything else, non-ASCII included, stays.
std::string UpperAscii(const std::string& s);
// Colour of a colour name of the drawings; an unknown name is black.
platform::Color GetColor(const std::string& name);
// Series code "KSV", "QTA", "JX" or "WQ" of a category caption / part number; other values stop
// the program.
std::string GetSeriesFromCategory(const std::string& category);
std::string GetSeriesFromPartnum(const std::string& partnum);
// Index into FilterIndex of the first entry of the mode's part types whose number (numberField 0:
// global, else previous) equals the normalised partnum; -1 when none. By previous number, a part
// that has none is found by its global number, as the previous view shows it.
// mode: 0 all, 1 beads, 2 TESSOR filters, 3 chip capacitors, 4 chokes, 5 capacitor-type TESSOR.
std::int16_t CheckFilPartnum(const std::string& partnum, std::int16_t mode, std::int32_t numberField);
// The part as a part box shows it: its number in the view (partnumType 1: previous numbers, where
// it has one), followed by " (note)" for beads and chokes, whose notes tell them apart.
std::string partDisplayText(const FilterIndexRecord& part, int partnumType);
// Loads the part chooser, which arranges itself for the one (layout 0) or two (1) part panels it
// shows, and shows it modal.
void ArrangeSelectFil(std::int32_t layout);
// Text with its top-left corner at (x, y) of the target's scale; size 0 keeps the current font size.
void PrintAt(platform::Canvas& target, float x, float y, const std::string& text, double size);
// Keeps the form above all windows (flag 1) or no longer (flag 0); other flags do nothing and give 0.
std::int32_t SetTopMost(platform::Form& form, std::int16_t flag);

// Opens the configuration form of a circuit type (0 to 3); review true leaves its pictures to the
// LoadConfig that follows.
void ShowConfigForm(std::int32_t simType, bool review);
// Switches every open window and every stored record to global (0) or previous (1) part numbers.
void SetPartnumType(std::int32_t t);

// ---- Helpers of the result-window captions ------------------------------------------------------

// "Simulation No." followed by sim + 1 with at least two digits.
std::string simCaptionPrefix(int sim);
// A result window's caption: prefix, "-", the part number(s) ("P1" or "P1+P2"), "-", text 5625,
// the clock frequency and "[MHz]".
std::string chartCaption(int sim, const std::string& parts, const std::string& clockFreq);
// The 0-based simulation number of a caption that begins "Simulation No."; every digit after it
// counts, so simulation 100 reads as 99. -1 when the caption holds no number there.
int captionSimNumber(const std::string& caption);
// The simulation number of a result window's caption; a caption without a number there is a type
// mismatch (13), a number past 100 a subscript error (9).
int windowSimNumber(const platform::Form& window);

}  // namespace mdlPublic
