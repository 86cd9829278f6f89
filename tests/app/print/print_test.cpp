// The printed report: the Print dialog driven as a user would, the pages it writes (to PDF, as on
// a machine without a printer) and the condition tables of both circuit families.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/charts/chart_fixture.h"
#include "print_fixture.h"
#include "app/charts/frmChart.h"
#include "app/charts/frmChart2.h"
#include "app/charts/result_window.h"
#include "app/shared/frmTransFigure.h"
#include "app/print/print_page.h"
#include "app/shared/form_registry.h"
#include "app/shell/frmMain.h"
#include "platform/controls.h"
#include "platform/menu.h"
#include "platform/printer.h"
#include "platform/strings.h"
#include "support/testing.h"

using namespace chart_test;
namespace pt = platform::testing;
using platform::Printer;

namespace {

using apptest::control;
using apptest::menuItem;
using apptest::outputFile;

// What pdftotext says of one page (1-based) of a PDF, in the given mode ("-layout", "-bbox").
QByteArray pdftotext(const std::string& pdf, int page, const char* mode) {
    QProcess p;
    p.start("pdftotext", {mode, "-f", QString::number(page), "-l", QString::number(page),
                          QString::fromStdString(pdf), "-"});
    p.waitForFinished();
    return p.readAllStandardOutput();
}

// The text of one page (1-based) of a PDF, as pdftotext lays it out.
std::string pdfPageText(const std::string& pdf, int page) { return pdftotext(pdf, page, "-layout").toStdString(); }

// One page (1-based) of a PDF as <stem>.png, for a person to look at and for pixel checks.
QImage pngOfPage(const std::string& pdf, int page, int dpi, const QString& stem) {
    QProcess::execute("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", QString::number(page), "-l",
                                   QString::number(page), "-singlefile", QString::fromStdString(pdf), stem});
    return QImage(stem + ".png");
}

// The first page of a PDF as a PNG beside it.
void renderPng(const std::string& pdf) { pngOfPage(pdf, 1, 110, QString::fromStdString(pdf.substr(0, pdf.size() - 4))); }

// One page of a PDF at 100 dpi, kept beside it as <stem>-<page>.png.
QImage pagePicture(const std::string& pdf, int page) {
    return pngOfPage(pdf, page, 100, QString::fromStdString(pdf.substr(0, pdf.size() - 4)) + "-" + QString::number(page));
}

// A word of a PDF page as pdftotext -bbox places it, in points from the page's top-left corner.
struct PdfWord {
    std::string text;
    double xMin, yMin, xMax, yMax;
};

std::vector<PdfWord> pdfWords(const std::string& pdf, int page) {
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<PdfWord> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(QString::fromUtf8(pdftotext(pdf, page, "-bbox"))))
        words.push_back({m.captured(5).replace("&amp;", "&").toStdString(), m.captured(1).toDouble(),
                         m.captured(2).toDouble(), m.captured(3).toDouble(), m.captured(4).toDouble()});
    return words;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A differential simulation with the conditions the differential form's SaveConfig would store.
void fillDiffSimulation(int sim, double clockMHz) {
    SimConfig2Record& c = print_test::fillPairSimulation(sim, clockMHz);
    c.VolHigh = {"3", "3"};  // the HS levels are the interface's, whatever was stored
    c.VolLow = {"0", "0"};
    c.RiseTime = {"0.5", "0.6"};
    c.FallTime = {"0.5", "0.6"};
    c.Skew = "0.1";
    c.LineMode = 0;
    c.LineW = "0.2";
    c.LineH = "0.4";
    c.LinePitch = "0.3";
    c.LineLength = "50";
    c.Material = "Epoxy-glass (K=4.6)";
    c.LineZ = {"38.2", "98.7"};
}

// The conditions a filter-circuit user typed, on top of fillSimulation's signal and ranges.
void fillFilterConditions(SimConfigRecord& c) {
    c.Duty = "50";
    c.RiseTime = "1";
    c.FallTime = "1.2";
    c.DriverIcType = "CMOS 3.3V";
    c.DriverIc = "LVC04 out";
    c.PartNum = {"KSV1005A601", ""};
    c.PartNote = "600 ohm, 200 mA";
    c.LineMode = 0;
    c.LineW = "0.3";
    c.LineH = "0.8";
    c.LineLength = "100";
    c.Material = "Epoxy-glass (K=4.6)";
    c.LineZ0 = "72.5";
    c.ReceiverIcType = "CMOS 3.3V";
    c.ReceiverIc = "LVC04 in";
}

struct PrinterSnapshot {
    double fontSize;
    std::string fontName;
    int drawWidth;
    int orientation;
    bool operator==(const PrinterSnapshot&) const = default;
};

PrinterSnapshot printerState() {
    return {Printer.FontSize(), Printer.FontName(), Printer.DrawWidth(), Printer.Orientation()};
}

class PrintTest : public print_test::ProgramChartTest {
protected:
    void SetUp() override {
        ProgramChartTest::SetUp();
        written_.clear();
        noticeAtEnd_ = false;
        Printer.setPdfWrittenHandler([this](const std::string& path) {
            written_.push_back(path);
            // The notice is still up while the document goes out.
            platform::Form* notice = platform::Forms().byName("frmPrinting");
            noticeAtEnd_ = notice && notice->Visible() &&
                           control<platform::Label>(*notice, "lblPrinting").Caption() == "Now Printing...";
            if (notice && grabNotice_) apptest::grab(*notice, "print_notice");
        });
        Printer.setColorMode(platform::ColorModeColor);
        // A state no run sets, so its restoring shows.
        Printer.setOrientation(platform::OrientPortrait);
        Printer.setFontName("Courier New");
        Printer.setFontSize(12);
        Printer.setDrawWidth(2);
    }
    void TearDown() override {
        ProgramChartTest::TearDown();
        Printer.setPdfOutput("");
        Printer.setPdfWrittenHandler({});
        Printer.setColorMode(platform::ColorModeColor);
    }

    frmChart& openFilterChart(int sim, const std::function<void(SimConfigRecord&)>& edit = {}) {
        fillSimulation(sim, 25, [](int k, double ph) { return sampleWave(k, ph, 3.3); }, sampleAmplitude);
        SimConfigRecord& c = mdlPublic::SimConfigs[static_cast<std::size_t>(sim)];
        fillFilterConditions(c);
        if (edit) edit(c);
        mdlPublic::saveAppSetting("SimType", std::to_string(c.SimType));
        mdlPublic::SimCount = static_cast<std::int16_t>(sim);
        frmChart& chart = platform::Load<frmChart>();
        chart.Show();
        mdlPublic::LastChart = &chart;
        return chart;
    }

    frmChart2& openDiffChart(int sim) {
        fillDiffSimulation(sim, 240);
        mdlPublic::SimCount = static_cast<std::int16_t>(sim);
        frmChart2& chart = platform::Load<frmChart2>();
        chart.Show();
        mdlPublic::LastChart2 = &chart;
        return chart;
    }

    // File > Print... of the window, the comment typed, all results or the active one, then OK
    // (or Cancel); the pages go to the PDF file `name`.
    void printFrom(platform::Form& window, const std::string& name, const std::string& comment, bool all,
                   bool ok = true, bool grabDialog = false) {
        pdf_ = outputFile(name + ".pdf");
        std::filesystem::remove(pdf_);
        Printer.setPdfOutput(pdf_);
        pt::setModalDriver([&](platform::Form& dialog) {
            if (dialog.Name() != "frmConfigPrint") return;
            platform::TextBox& box = control<platform::TextBox>(dialog, "txtComment");
            // Typed as a user would; for the picture the box shows it too.
            if (grabDialog)
                box.setText(comment);
            else
                pt::type(box, comment);
            if (all) pt::click(control<platform::OptionButton>(dialog, "optConfigPrint", 1));
            if (grabDialog) apptest::grab(dialog, "print_dialog");
            pt::click(control<platform::CommandButton>(dialog, ok ? "cmdOk" : "cmdCancel"));
        });
        pt::activate(window);
        platform::MenuItem& print = menuItem(window, {"&File", "&Print..."});
        ASSERT_TRUE(print.Enabled());
        pt::click(print);
        pt::setModalDriver(nullptr);
    }

    // A document of pages composed straight on the printer, set up as the print run sets it.
    void beginDocument(const std::string& name) {
        pdf_ = outputFile(name + ".pdf");
        Printer.setPdfOutput(pdf_);
        Printer.setScaleMode(platform::ScaleTwips);
        Printer.setOrientation(platform::OrientLandscape);
        Printer.setFontName("Arial");
        Printer.setFontSize(9);
    }

    std::string pdf_;
    std::vector<std::string> written_;
    bool noticeAtEnd_ = false;
    bool grabNotice_ = false;
};

// Texts drawn on a recording canvas in twips, by position.
struct PlacedText {
    std::string text;
    double x, y, size;
};

std::vector<PlacedText> textsOf(const platform::Canvas& canvas) {
    std::vector<PlacedText> out;
    for (const auto& p : canvas.displayList())
        if (p.kind == platform::PrimitiveKind::Text) out.push_back({p.text, p.x1, p.y1, p.fontSize});
    return out;
}

const PlacedText* textAt(const std::vector<PlacedText>& texts, double x, double y) {
    for (const PlacedText& t : texts)
        if (std::abs(t.x - x) < 0.5 && std::abs(t.y - y) < 0.5) return &t;
    return nullptr;
}

// A canvas the size of a landscape page, in twips.
struct TwipsPage {
    platform::RecordingCanvas canvas{1650, 1100, 100};
    TwipsPage() {
        canvas.setScaleMode(platform::ScaleTwips);
        canvas.setFontName("Arial");
        canvas.setFontSize(9);
    }
};

// Row y of the condition band.
constexpr double rowY(int r) { return 2850 + 250.0 * r; }

}  // namespace

// --- Condition tables ----------------------------------------------------------------------------

TEST_F(PrintTest, FilterConditionRowsShowValuesUnitsAndPartNumbersOfBothNumberings) {
    struct Expect {
        double x;
        int row;
        std::string text;  // empty: nothing printed there
        double size = 0;   // 0: not checked
    };
    struct Case {
        const char* name;
        std::string partnumType;
        std::function<void(SimConfigRecord&)> edit;
        std::vector<Expect> expect;
    };
    const std::vector<Case> cases = {
        {"one part, ICs, line geometry",
         "0",
         [](SimConfigRecord&) {},
         {{650, 0, "Input Signal", 8}, {2100, 1, "25 [MHz]", 8}, {2100, 2, "50 [%]"}, {2100, 3, "1 [nsec]"},
          {2100, 4, "1.2 [nsec]"}, {3470, 1, "IC Type"}, {4920, 1, "CMOS 3.3V"}, {4920, 2, "LVC04 out"},
          {6290, 0, "Filter"}, {6290, 1, "Global Part Number", 6}, {7540, 1, "KSV1005A601", 6},
          {7540, 2, "KS15F601", 6}, {6290, 3, "Type", 8}, {7540, 3, "600 ohm, 200 mA", 6}, {6290, 4, ""},
          {9110, 1, "Width of Line (W)", 6}, {10560, 1, "0.3 [mm]", 8}, {10560, 2, "0.8 [mm]"},
          {10560, 3, "100 [mm]"}, {10560, 4, "Epoxy-glass (K=4.6)"}, {10910, 5, "72.5 [ohm]"},
          {11930, 0, "Receiver IC"}, {13380, 2, "LVC04 in"}}},
        {"two parts in previous numbers, R L C ends, line ignored",
         "1",
         [](SimConfigRecord& c) {
             c.SimType = 1;
             c.PartNum = {"KS15F601", "JX15B101"};
             c.DriverByLcr = 1;
             c.DriverR = "33";
             c.DriverL = "2";
             c.DriverC = "3";
             c.ReceiverByLcr = 1;
             c.ReceiverR = "10";
             c.ReceiverL = "4";
             c.ReceiverC = "5";
             c.ReceiverR2 = "1000";
             c.LineMode = 2;
         },
         {{3470, 1, "R"}, {4920, 1, "33 [ohm]"}, {4920, 2, "2 [nH]"}, {4920, 3, "3 [pF]"}, {3470, 4, ""},
          {7540, 1, "KSV1005A601"}, {7540, 2, "KS15F601"}, {6290, 3, ""}, {7540, 3, ""},
          {6290, 4, "Global Part Number", 6}, {7540, 4, "JX15C101"}, {7540, 5, "JX15B101"},
          {9110, 1, "Characteristic Impedance"}, {10910, 1, "0 [ohm]", 8}, {10560, 2, ""},
          {11930, 4, "Ro"}, {13380, 1, "10 [ohm]"}, {13380, 2, "4 [nH]"}, {13380, 3, "5 [pF]"},
          {13380, 4, "1000 [ohm]"}}},
        {"a number no entry carries, impedance entered",
         "0",
         [](SimConfigRecord& c) {
             c.SimType = 2;
             c.PartNum = {"KSV9999Z", "QTA18C220"};
             c.LineMode = 1;
             c.LineK = "4.4";
         },
         {{7540, 1, "KSV9999Z"}, {7540, 2, ""}, {7540, 4, "QTA18C220"}, {7540, 5, "QT18C220"},
          {9110, 2, "Dielectric Constant"}, {10910, 1, "72.5 [ohm]"}, {10560, 2, "4.4"}, {10560, 3, "100 [mm]"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mdlPublic::saveAppSetting("PartnumType", c.partnumType);
        fillSimulation(4, 25, [](int k, double ph) { return sampleWave(k, ph, 3.3); }, sampleAmplitude);
        fillFilterConditions(mdlPublic::SimConfigs[4]);
        c.edit(mdlPublic::SimConfigs[4]);
        TwipsPage page;
        printing::PrintCondition(page.canvas, 4);
        const std::vector<PlacedText> texts = textsOf(page.canvas);
        for (const Expect& e : c.expect) {
            SCOPED_TRACE(e.text + " at " + std::to_string(e.x) + ", row " + std::to_string(e.row));
            const PlacedText* t = textAt(texts, e.x, rowY(e.row));
            if (e.text.empty()) {
                EXPECT_TRUE(!t || t->text.empty());
                continue;
            }
            ASSERT_NE(t, nullptr);
            EXPECT_EQ(t->text, e.text);
            if (e.size != 0) {
                EXPECT_EQ(t->size, e.size);
            }
        }
        EXPECT_EQ(page.canvas.FontSize(), 9);
        EXPECT_EQ(page.canvas.DrawWidth(), 1);
    }
}

TEST_F(PrintTest, DifferentialConditionRowsShowInterfaceLevelsAndLine) {
    struct Case {
        const char* name;
        std::function<void(SimConfig2Record&)> edit;
        std::vector<std::tuple<double, int, std::string>> expect;
    };
    const std::vector<Case> cases = {
        {"USB2.0 HS: fixed levels whatever is stored; line geometry",
         [](SimConfig2Record&) {},
         {{650, 0, "Circuit Type"}, {2100, 1, "USB2.0"}, {2100, 2, "HS(480Mbps)"}, {4920, 1, "240"},
          {4920, 2, "0.4 / 0.4 [V]"}, {4920, 3, "0 / 0 [V]"}, {4920, 4, "0.5 / 0.6 [nsec]"},
          {4920, 6, "0.1 [nsec]"}, {6290, 0, "EMI Filter"}, {7540, 1, "WQ2012S900"}, {7540, 2, "YZ2012-900"},
          {9110, 3, "Line Pitch (d)"}, {10560, 3, "0.3 [mm]"}, {10560, 5, "Epoxy-glass (K=4.6)"},
          {11930, 2, "  Common Mode"}, {13380, 2, "38.2 [ohm]"}, {13380, 3, "98.7 [ohm]"}}},
        {"USB2.0 FS; impedances entered",
         [](SimConfig2Record& c) {
             c.DccClock = "FS(12Mbps)";
             c.LineMode = 1;
             c.LineK = {"3.1", "3.3"};
         },
         {{4920, 2, "3.3 / 3.3 [V]"}, {4920, 3, "0 / 0 [V]"}, {9110, 1, "Common Mode"},
          {11360, 1, "38.2 [ohm]"}, {11360, 3, "3.1"}, {11360, 4, "3.3"}, {11360, 5, "50 [mm]"}}},
        {"LVDS; interface cable",
         [](SimConfig2Record& c) {
             c.DccType = "LVDS";
             c.LineMode = 2;
         },
         {{4920, 2, "1.4 / 1.4 [V]"}, {4920, 3, "1 / 1 [V]"}, {9110, 1, "Length of Line"}, {10560, 1, "50 [mm]"},
          {9110, 2, ""}}},
        {"IEEE1394 prints the stored levels; line ignored",
         [](SimConfig2Record& c) {
             c.DccType = "IEEE1394";
             c.VolHigh = {"2.8", "2.7"};
             c.VolLow = {"1.2", "1.1"};
             c.LineMode = 3;
         },
         {{4920, 2, "2.8 / 2.7 [V]"}, {4920, 3, "1.2 / 1.1 [V]"}, {9110, 1, "Characteristic Impedance"},
          {10560, 1, "0 [ohm]"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fillDiffSimulation(7, 240);
        c.edit(mdlPublic::SimConfigs2[7]);
        TwipsPage page;
        printing::PrintCondition2(page.canvas, 7);
        const std::vector<PlacedText> texts = textsOf(page.canvas);
        for (const auto& [x, row, text] : c.expect) {
            SCOPED_TRACE(text);
            const PlacedText* t = textAt(texts, x, rowY(row));
            if (text.empty()) {
                EXPECT_EQ(t, nullptr);
                continue;
            }
            ASSERT_NE(t, nullptr);
            EXPECT_EQ(t->text, text);
        }
        EXPECT_EQ(page.canvas.FontSize(), 9);
    }
}

TEST_F(PrintTest, PartNumberCounterpartsSearchTheWholeIndex) {
    // A full index whose only match is its very last entry; one entry has no previous number.
    for (int i = 0; i < mdlPublic::MaxFilters; ++i) {
        mdlPublic::FilterIndex[static_cast<std::size_t>(i)] = {};
        mdlPublic::FilterIndex[static_cast<std::size_t>(i)].GlobalPartNum = "G" + std::to_string(i);
        mdlPublic::FilterIndex[static_cast<std::size_t>(i)].PrevPartNum = i == 5 ? "" : "P" + std::to_string(i);
    }
    mdlPublic::FilterCount = mdlPublic::MaxFilters;
    struct Case {
        std::string numbering, stored, global, previous;
    };
    for (const Case& c : std::vector<Case>{{"0", "G267", "G267", "P267"},
                                           {"1", "P267", "G267", "P267"},
                                           {"0", "G5", "G5", ""},
                                           {"0", "X1", "X1", ""},
                                           {"1", "X1", "", "X1"},
                                           // The previous view stores a part without one by its global number.
                                           {"1", "G5", "G5", ""},
                                           {"1", "", "", ""}}) {
        SCOPED_TRACE(c.numbering + " " + c.stored);
        mdlPublic::saveAppSetting("PartnumType", c.numbering);
        const printing::PartNumbers n = printing::partNumbers(c.stored);
        EXPECT_EQ(n.global, c.global);
        EXPECT_EQ(n.previous, c.previous);
    }
}

TEST_F(PrintTest, CircuitPictureFollowsTheCircuitAndThePartsIndexEntry) {
    struct Case {
        std::string numbering;
        std::int16_t simType;
        std::string part, key;
    };
    for (const Case& c : std::vector<Case>{{"0", 0, "KSV1005A601", "cksve"},
                                           {"1", 0, "KS15F601", "cksve"},
                                           {"0", 0, "QTA18C220", "cqtae"},
                                           {"0", 0, "JX15C101", "cjxe"},
                                           {"0", 0, "WQ2012S900", ""},  // a choke: no filter circuit shows it
                                           {"0", 0, "KSV9999Z", ""},
                                           {"0", 0, "", ""},
                                           {"0", 1, "QTA18C220", "cksvjxe"},
                                           {"0", 2, "", "cksvqtae"}}) {
        SCOPED_TRACE(c.part + " type " + std::to_string(c.simType));
        mdlPublic::saveAppSetting("PartnumType", c.numbering);
        mdlPublic::SimConfigs[3] = {};
        mdlPublic::SimConfigs[3].SimType = c.simType;
        mdlPublic::SimConfigs[3].PartNum[0] = c.part;
        EXPECT_EQ(printing::circuitPictureKey(3), c.key);
    }
}

TEST_F(PrintTest, CommentKeepsItsFirstTwoLines) {
    struct Case {
        std::string comment, first, second;
    };
    for (const Case& c : std::vector<Case>{{"", "", ""},
                                           {"one line", "one line", ""},
                                           {"first\nsecond", "first", "second"},
                                           {"first\r\nsecond\r\nthird", "first", "second"},
                                           {"first\r\n", "first", ""},
                                           {"\nsecond", "", "second"},
                                           {"a\rb", "a\rb", ""}}) {
        SCOPED_TRACE(c.comment);
        const auto lines = printing::commentLines(c.comment);
        EXPECT_EQ(lines[0], c.first);
        EXPECT_EQ(lines[1], c.second);
    }
}

// Every text of both condition tables is printed whole, at 6 points or more, inside its column's box
// and clear of every other text (on a second line where one cannot hold it), with every material and
// the longest values of each row, as pdftotext reads the PDF back.
TEST_F(PrintTest, ConditionTextsFitTheirCellsAtSixPointsOrMore) {
    using Edit = std::function<void(SimConfigRecord&, SimConfig2Record&)>;
    struct Case {
        std::string name;
        bool differential;
        Edit edit;
        std::vector<std::string> texts;  // printed whole, perhaps on two lines
    };
    std::vector<Case> cases;
    for (int i = 0; i < 7; ++i)
        for (bool differential : {false, true}) {
            const std::string m = platform::LoadResString(6101 + i);
            cases.push_back({m, differential, [=](SimConfigRecord& c, SimConfig2Record& d) { c.Material = d.Material = m; }, {m}});
        }
    const std::string n = "1.00000000000000";  // as long as a box takes numbers
    const std::string z = "1.0000000000000";   // the entries written to the netlist as typed
    const std::string v = "1.234568E-09";      // two to a row ("V+ / V-"), one on each line
    const std::string core = "Composite (paper core) (K=4.3)";
    cases.push_back({"ICs, line geometry", false, [&](SimConfigRecord& c, SimConfig2Record&) {
                         c.ClockFreq = c.Duty = c.RiseTime = c.FallTime = c.LineW = c.LineH = c.LineLength = c.LineZ0 = n;
                         c.DriverIcType = c.ReceiverIcType = "BiCMOS", c.DriverIc = c.ReceiverIc = "74LVT04";
                         c.PartNum = {"KSV2012P600T2R2", ""}, c.PartNote = "600 ohm, 200 mA GHz type", c.Material = core;
                     }, {n + " [MHz]", n + " [nsec]", "600 ohm, 200 mA GHz type", n + " [mm]", "1 [ohm]", core}});
    cases.push_back({"R L C ends, two parts, impedance entered", false, [&](SimConfigRecord& c, SimConfig2Record&) {
                         c.SimType = c.DriverByLcr = c.ReceiverByLcr = c.LineMode = 1;
                         c.PartNum = {"KSV2012P600T2R2", "QTA18R470R22"};
                         c.DriverR = c.DriverL = c.DriverC = c.ReceiverR = c.ReceiverL = c.ReceiverC = c.ReceiverR2 = n;
                         c.LineZ0 = c.LineK = c.LineLength = z;
                     }, {n + " [ohm]", n + " [pF]", "QTA18R470R22", "1 [ohm]", z + " [mm]"}});
    cases.push_back({"IEEE1394, line geometry", true, [&](SimConfigRecord&, SimConfig2Record& d) {
                         d.DccType = "IEEE1394", d.DccClock = "400Mbps", d.ClockFreq = d.Skew = n, d.Material = core;
                         d.VolHigh = d.VolLow = d.RiseTime = d.FallTime = {v, v};
                         d.LineW = d.LineH = d.LinePitch = d.LineLength = n, d.LineZ = {n, n};
                     }, {"Transmission Speed/Clock", v + " / " + v + " [V]", v + " / " + v + " [nsec]", n + " [nsec]",
                         n + " [mm]", n + " [ohm]", core}});
    cases.push_back({"USB2.0 LS, impedances entered", true, [&](SimConfigRecord&, SimConfig2Record& d) {
                         d.DccClock = "LS(1.5Mbps)", d.LineMode = 1, d.LineZ = d.LineK = {z, z}, d.LineLength = z;
                     }, {"LS(1.5Mbps)", "Dielectric Constant(Differential Mode)", z + " [ohm]", z + " [mm]"}});

    beginDocument("print_condition_tables");
    for (const Case& c : cases) {
        fillSimulation(4, 25, [](int k, double ph) { return sampleWave(k, ph, 3.3); }, sampleAmplitude);
        fillFilterConditions(mdlPublic::SimConfigs[4]);
        fillDiffSimulation(4, 240);
        c.edit(mdlPublic::SimConfigs[4], mdlPublic::SimConfigs2[4]);
        (c.differential ? printing::PrintCondition2 : printing::PrintCondition)(Printer, 4);
        Printer.NewPage();
    }
    Printer.EndDoc();
    // What each page says in the order printed, so a wrapped text's two lines follow each other.
    std::vector<std::string> said(1);
    for (const platform::DrawnPrimitive& p : Printer.displayList()) {
        if (p.kind == platform::PrimitiveKind::NewPage) said.emplace_back();
        if (p.kind == platform::PrimitiveKind::Text) said.back() += p.text;
    }
    const auto pt = [](double twips) { return twips / 20 + 18; };  // a quarter inch of margin
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const Case& c = cases[k];
        SCOPED_TRACE(c.name + (c.differential ? " (differential)" : " (filter)"));
        std::erase(said[k], ' ');
        for (std::string text : c.texts) EXPECT_TRUE(contains(said[k], (std::erase(text, ' '), text))) << text;
        pagePicture(pdf_, static_cast<int>(k) + 1);
        const std::vector<PdfWord> words = pdfWords(pdf_, static_cast<int>(k) + 1);
        ASSERT_GT(words.size(), 10u);
        for (const PdfWord& w : words) {
            SCOPED_TRACE(w.text);
            EXPECT_GE(w.yMax - w.yMin, 6 * 1.11);  // a line of Arial is 1.12 of its size high
            const int col = static_cast<int>((w.xMin - pt(600)) / (2820.0 / 20));
            const double right = c.differential && col >= 3 ? 14600 : 500 + 2820.0 * (col + 1);
            EXPECT_TRUE(w.xMin >= pt(600 + 2820.0 * col) && w.xMax <= pt(right) && w.yMin >= pt(2800) && w.yMax <= pt(4550) - 0.5);
            // The two lines of one text, set solid, overlap by less than a point.
            for (const PdfWord& o : words)
                if (&o != &w && std::min(w.xMax, o.xMax) - std::max(w.xMin, o.xMin) > 0.3 &&
                    std::min(w.yMax, o.yMax) - std::max(w.yMin, o.yMin) > 1)
                    ADD_FAILURE() << w.text << " runs into " << o.text;
        }
    }
}

// --- Whole pages through the dialog --------------------------------------------------------------

TEST_F(PrintTest, ActiveResultPrintsOneTidyPageOfEachFamily) {
    struct Case {
        const char* name;
        bool differential;
        int colorMode;
        std::vector<std::string> texts;  // what the page says
        std::size_t frames;
    };
    const std::vector<Case> cases = {
        {"print_filter_page", false, platform::ColorModeColor,
         {"Simulation No.03", "Quenlis", "Simulation Circuit", "Input Signal", "25 [MHz]", "KSV1005A601", "KS15F601",
          "600 ohm, 200 mA", "72.5 [ohm]", "LVC04 in", "Comment", "Checked by R&D", "second line", "Warning",
          "Please use any results of this software as tentative results.",
          "If you need a result simulated precisely, please contact us.We are glad"},
         3},
        {"print_differential_page", true, platform::ColorModeColor,
         {"Simulation No.03", "Circuit Type", "USB2.0", "HS(480Mbps)", "0.4 / 0.4 [V]", "WQ2012S900", "YZ2012-900",
          "38.2 [ohm]", "Checked by R&D", "second line", "Warning"},
         5},
        {"print_filter_page_mono", false, platform::ColorModeMonochrome, {"Simulation No.03"}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pt::discardAllForms();
        pt::clearMessageBoxes();
        written_.clear();
        mdlPublic::SimConfigs = {};
        mdlPublic::SimConfigs2 = {};
        Printer.setColorMode(c.colorMode);
        platform::Form& window = c.differential ? static_cast<platform::Form&>(openDiffChart(2))
                                                : static_cast<platform::Form&>(openFilterChart(2));
        const PrinterSnapshot before = printerState();
        grabNotice_ = !c.differential;
        printFrom(window, c.name, "Checked by R&D\r\nsecond line\r\nthird line is dropped", false, true,
                  !c.differential);

        EXPECT_TRUE(pt::messageBoxes().empty()) << pt::messageBoxes().front().text;
        ASSERT_EQ(written_.size(), 1u);
        EXPECT_EQ(written_[0], pdf_);
        EXPECT_TRUE(noticeAtEnd_);
        EXPECT_EQ(Printer.lastDocumentPages(), 1);
        const std::string text = pdfPageText(pdf_, 1);
        for (const std::string& t : c.texts) EXPECT_TRUE(contains(text, t)) << t << "\n" << text;
        EXPECT_FALSE(contains(text, "third line"));
        renderPng(pdf_);

        // After the run: the dialogs are gone, the printer is as it was, the window stays.
        EXPECT_EQ(platform::Forms().byName("frmConfigPrint"), nullptr);
        EXPECT_EQ(platform::Forms().byName("frmPrinting"), nullptr);
        EXPECT_EQ(printerState(), before);
        EXPECT_TRUE(window.isLoaded());

        // Each chart frame holds its chart: everything drawn after a frame's box lies inside it,
        // and the frames lie apart inside the chart area.
        const auto& list = Printer.displayList();
        std::vector<std::size_t> frameAt;
        std::optional<std::size_t> commentBox;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const auto& p = list[i];
            if (p.kind != platform::PrimitiveKind::Box) continue;
            if (p.x1 == 500 && p.y1 == 9400) commentBox = i;
            if (p.width == 1 && p.y1 >= 4750 && p.y2 <= 9300 && p.x1 >= 600 && p.x2 <= 14600 && !commentBox)
                frameAt.push_back(i);
        }
        ASSERT_EQ(frameAt.size(), c.frames);
        ASSERT_TRUE(commentBox);
        frameAt.push_back(*commentBox);
        bool coloured = false;
        for (std::size_t f = 0; f + 1 < frameAt.size(); ++f) {
            const auto& frame = list[frameAt[f]];
            for (std::size_t g = 0; g + 1 < frameAt.size(); ++g) {
                const auto& other = list[frameAt[g]];
                if (g == f) continue;
                EXPECT_TRUE(frame.x2 <= other.x1 || other.x2 <= frame.x1 || frame.y2 <= other.y1 ||
                            other.y2 <= frame.y1);
            }
            std::size_t inside = 0;
            for (std::size_t i = frameAt[f] + 1; i < frameAt[f + 1]; ++i) {
                const auto& p = list[i];
                if (p.kind != platform::PrimitiveKind::Line && p.kind != platform::PrimitiveKind::Text) continue;
                ++inside;
                const int slack = 2;
                EXPECT_TRUE(std::min(p.dx1, p.dx2) >= frame.dx1 - slack && std::max(p.dx1, p.dx2) <= frame.dx2 + slack &&
                            std::min(p.dy1, p.dy2) >= frame.dy1 - slack && std::max(p.dy1, p.dy2) <= frame.dy2 + slack)
                    << "frame " << f << ": " << (p.kind == platform::PrimitiveKind::Text ? p.text : "line") << " at "
                    << p.x1 << ", " << p.y1;
                if (p.kind == platform::PrimitiveKind::Line && p.color != 0 && p.color != platform::RGB(127, 127, 127) &&
                    p.color != platform::RGB(192, 192, 192))
                    coloured = true;
            }
            EXPECT_GT(inside, 20u) << "frame " << f;
        }
        EXPECT_EQ(coloured, c.colorMode == platform::ColorModeColor);
    }
}

// A typed number its cell cannot hold prints whole as the run read it, in the locale; texts that fit as typed.
TEST_F(PrintTest, LongNumbersPrintAsTheNumbersTheRunRead) {
    const auto typed = [](const std::string& lead, const char* e) { return lead + std::string(37 - lead.size(), '0') + e; };
    apptest::LocaleScope decimalComma{QLocale("de_DE")};
    for (const auto& [name, printed] : std::vector<std::pair<std::string, std::vector<const char*>>>{
             {"filter", {R"(Frequency +25 \[MHz\])", R"(0,50 \[%\])", R"(1,5 \[nsec\])", R"(1,234568 \[nsec\])"}},
             {"differential",
              {"Frequency +240 ", R"(1,5 / 2 \[nsec\])", R"(0,10 \[nsec\])", R"(1,23456789012346 /)"}}}) {
        // The last of each: as many digits as a single (7) or a double (15) holds, not one more.
        platform::Form* window = &openFilterChart(2, [&](SimConfigRecord& r) {
            r.ClockFreq = typed("2,5", "E+1"), r.Duty = "0,50", r.RiseTime = typed("1,5", "E+0");
            r.FallTime = typed("1,2345678", "E+0");
        });
        if (name == "differential") window = &openDiffChart(2);
        SimConfig2Record& pair = mdlPublic::SimConfigs2[2];  // on the filter page, a record without interface
        pair.ClockFreq = typed("2,4", "E+2"), pair.RiseTime = {typed("1,5", "E+0"), typed("2,", "E+0")}, pair.Skew = "0,10";
        pair.FallTime = {typed("1,2345678901234567", "E+0"), typed("2,", "E+0")};
        printFrom(*window, "print_long_values_" + name, "", false);
        const QString text = QString::fromStdString(pdfPageText(pdf_, 1));
        for (const char* p : printed) EXPECT_TRUE(text.contains(QRegularExpression(p))) << name << ": " << p;
        renderPng(pdf_);
    }
}

// A chart whose curves leave the chosen range is cut at its frame: outside that frame the page is
// pixel for pixel the one printed with the full ranges (white between the frames), on both kinds.
TEST_F(PrintTest, CurvesLeavingTheirRangeStayInsideTheirFrame) {
    using Results = decltype(mdlPublic::SimResults);
    using Narrow = std::function<void(SimConfigRecord&, SimConfig2Record&, Results&)>;
    // A strong harmonic below the spectrum range lifts the envelope's first segment far above the
    // axis the harmonics inside the range set.
    const std::map<bool, std::vector<std::tuple<const char*, int, Narrow>>> pages = {
        {false,
         {{"voltage 1..2 V", 1, [](SimConfigRecord& c, SimConfig2Record&, Results&) { c.VoltMin = 1, c.VoltMax = 2; }},
          {"spectrum 100..900 MHz", 2, [](SimConfigRecord& c, SimConfig2Record&, Results& r) {
               c.SpecMin = 1e8f, c.SpecMax = 9e8f, r[1][2].Spectrum[2 * 3] = 1e4;
           }}}},
        {true,
         {{"V+ + V- 30..40 V", 3, [](SimConfigRecord&, SimConfig2Record& d, Results&) { d.VoltMin[1] = 30, d.VoltMax[1] = 40; }},
          {"V+ - V- -40..-30 V", 4, [](SimConfigRecord&, SimConfig2Record& d, Results&) { d.VoltMin[2] = -40, d.VoltMax[2] = -30; }},
          {"spectrum 100..900 MHz", 2, [](SimConfigRecord&, SimConfig2Record& d, Results& r) {
               d.SpecMin = 1e8f, d.SpecMax = 9e8f, r[2][2].Spectrum[0] = 1e3;
           }}}},
    };
    for (const auto& [differential, cases] : pages) {
        ResultWindow* window = differential ? static_cast<ResultWindow*>(&openDiffChart(2)) : &openFilterChart(2);
        const SimConfigRecord filter = mdlPublic::SimConfigs[2];
        const SimConfig2Record pair = mdlPublic::SimConfigs2[2];
        const Results results = mdlPublic::SimResults;
        beginDocument(differential ? "print_clipped_differential" : "print_clipped_filter");
        printing::printSimulationPage(Printer, window, "", 2);
        for (const auto& [name, frame, narrow] : cases) {
            mdlPublic::SimConfigs[2] = filter, mdlPublic::SimConfigs2[2] = pair, mdlPublic::SimResults = results;
            narrow(mdlPublic::SimConfigs[2], mdlPublic::SimConfigs2[2], mdlPublic::SimResults);
            Printer.NewPage();
            printing::printSimulationPage(Printer, window, "", 2);
        }
        Printer.EndDoc();

        const QImage full = pagePicture(pdf_, 1);
        for (std::size_t k = 0; k < cases.size(); ++k) {
            const auto& [name, frameIndex, narrow] = cases[k];
            SCOPED_TRACE(name);
            const QImage page = pagePicture(pdf_, static_cast<int>(k) + 2);
            ASSERT_EQ(page.size(), full.size());
            // At 100 dpi from a quarter inch in; a curve's antialiased edge may touch the frame's line.
            const printing::FrameBox b = printing::chartFrame(frameIndex, differential);
            const auto px = [](double twips) { return static_cast<int>(std::lround((twips / 1440 + 0.25) * 100)); };
            const QRect frame = QRect(QPoint(px(b.left), px(b.top)), QPoint(px(b.right), px(b.bottom))).adjusted(-2, -2, 2, 2);
            int outside = 0, inside = 0;
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (page.pixel(x, y) != full.pixel(x, y)) ++(frame.contains(x, y) ? inside : outside);
            EXPECT_EQ(outside, 0);
            EXPECT_GT(inside, 100);  // the range did change the chart
        }
    }
}

TEST_F(PrintTest, PrintAllWalksTheResultWindowsInCreationOrder) {
    // Result windows of both kinds with other windows between them and no configuration form.
    frmChart& hundredth = openFilterChart(99);
    platform::Load<frmTransFigure>().Show();
    openDiffChart(0);
    frmChart& third = openFilterChart(4);
    // Print Setup... of both kinds of window reaches the printer's set-up.
    int setups = 0;
    Printer.setSetupHandler([&] { return ++setups > 0; });
    for (platform::Form* window : {static_cast<platform::Form*>(&third), platform::Forms().byName("frmChart2")}) {
        platform::MenuItem& setup = menuItem(*window, {"&File", "P&rint Setup..."});
        EXPECT_TRUE(setup.Enabled());
        pt::click(setup);
    }
    EXPECT_EQ(setups, 2);
    Printer.setSetupHandler({});
    const PrinterSnapshot before = printerState();
    printFrom(third, "print_all", "", true);

    EXPECT_TRUE(pt::messageBoxes().empty()) << pt::messageBoxes().front().text;
    ASSERT_EQ(Printer.lastDocumentPages(), 3);  // no blank page after the last
    const std::vector<std::string> titles = {"Simulation No.100", "Simulation No.01", "Simulation No.05"};
    const std::vector<std::string> family = {"Input Signal", "Circuit Type", "Input Signal"};
    for (int page = 1; page <= 3; ++page) {
        const std::string text = pdfPageText(pdf_, page);
        EXPECT_TRUE(contains(text, titles[static_cast<std::size_t>(page - 1)])) << page << "\n" << text;
        EXPECT_TRUE(contains(text, family[static_cast<std::size_t>(page - 1)])) << page;
        // An empty comment still prints its box and caption.
        EXPECT_TRUE(contains(text, "Comment")) << page;
    }
    EXPECT_EQ(printerState(), before);
    EXPECT_TRUE(hundredth.isLoaded());

    // Cancel prints nothing and leaves the printer alone.
    written_.clear();
    printFrom(third, "print_cancelled", "not printed", true, false);
    EXPECT_TRUE(written_.empty());
    EXPECT_FALSE(std::filesystem::exists(pdf_));
    EXPECT_EQ(printerState(), before);
    EXPECT_EQ(platform::Forms().byName("frmConfigPrint"), nullptr);
}

TEST_F(PrintTest, AFailedRunEndsTheJobCleanlyAndSaysWhatFailed) {
    struct Case {
        const char* name;
        std::function<void(frmChart& first, frmChart& second)> spoil;
        bool all;
        std::string title;                  // of the error box
        std::vector<std::string> message;   // parts of its text
        bool pdfWritten;
    };
    const std::string run = "Vandor.frmConfigPrint.cmdOk_Click";
    const std::vector<Case> cases = {
        {"missing circuit picture",
         [](frmChart&, frmChart&) { frmMain::instance().imlMain.clear(); },
         false, run, {"Unexpected Error 35603", "Simulation No.02"}, true},
        {"caption without a number",
         [](frmChart& first, frmChart&) { first.setCaption("Simulation No.xx"); },
         true, run, {"Unexpected Error 13", "Simulation No.xx"}, false},
        {"simulation without stored settings",
         [](frmChart&, frmChart&) { mdlPublic::SimConfigs[1] = {}; },
         true, run, {"Unexpected Error 9", "Simulation No.02 has no stored settings"}, true},
        // A chart that cannot be drawn shows its own error; the page and the run go on, and no
        // window closes.
        {"chart that cannot be drawn",
         [](frmChart&, frmChart&) { mdlPublic::SimResults[1][0] = {}; },
         true, "Vandor.frmChart.DrawVoltageChart", {"Unexpected Error 9"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pt::discardAllForms();
        pt::clearMessageBoxes();
        written_.clear();
        frmChart& first = openFilterChart(0);
        frmChart& second = openFilterChart(1);
        c.spoil(first, second);
        const PrinterSnapshot before = printerState();
        printFrom(second, std::string("print_failed_") + std::to_string(&c - cases.data()), "", c.all);

        ASSERT_FALSE(pt::messageBoxes().empty());
        const auto& box = pt::messageBoxes().front();
        EXPECT_EQ(box.title, c.title);
        for (const std::string& part : c.message) EXPECT_TRUE(contains(box.text, part)) << box.text;
        EXPECT_EQ(!written_.empty(), c.pdfWritten);
        EXPECT_FALSE(Printer.documentOpen());
        EXPECT_EQ(printerState(), before);
        EXPECT_EQ(platform::Forms().byName("frmConfigPrint"), nullptr);
        EXPECT_EQ(platform::Forms().byName("frmPrinting"), nullptr);
        EXPECT_TRUE(first.isLoaded());
        EXPECT_TRUE(second.isLoaded());
    }
}

TEST_F(PrintTest, PageFamilyComesFromTheSimulationsOwnRecord) {
    mdlPublic::SimConfigs[0].ClockFreq = "25";  // a filter circuit whose part number is empty
    mdlPublic::SimConfigs2[1].DccType = "LVDS";
    EXPECT_EQ(printing::simulationFamily(0), printing::Family::Filter);
    EXPECT_EQ(printing::simulationFamily(1), printing::Family::Differential);
    for (std::int16_t n : {std::int16_t{2}, std::int16_t{100}, std::int16_t{-1}}) {
        try {
            printing::simulationFamily(n);
            ADD_FAILURE() << n;
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.number(), platform::errSubscript) << n;
        }
    }
}

// --- A two-line comment typed at the keyboard ----------------------------------------------------

namespace {

// A key press as the window system hands it to the comment box.
void sendKey(platform::TextBox& box, int key, Qt::KeyboardModifiers held, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, held, text);
    QCoreApplication::sendEvent(box.widget(), &press);
}

void sendKeys(platform::TextBox& box, const std::string& text) {
    for (const QChar c : QString::fromStdString(text)) sendKey(box, c.toUpper().unicode(), Qt::NoModifier, c);
}

}  // namespace

// In the comment box Ctrl+Enter and Shift+Enter start the second line, and Enter alone prints: the
// page carries both lines, one below the other. The box takes no third line, typed or pasted.
TEST_F(PrintTest, LineBreakKeysGiveTheCommentItsSecondLine) {
    struct Row {
        const char* name;
        Qt::KeyboardModifiers held;
    };
    for (const Row& row : {Row{"ctrl", Qt::ControlModifier}, Row{"shift", Qt::ShiftModifier}}) {
        frmChart& chart = openFilterChart(row.held == Qt::ControlModifier ? 2 : 3);
        const std::string pdf = outputFile(std::string("print_comment_keys_") + row.name + ".pdf");
        std::filesystem::remove(pdf);
        Printer.setPdfOutput(pdf);
        pt::setModalDriver([&](platform::Form& dialog) {
            if (dialog.Name() != "frmConfigPrint") return;
            platform::TextBox& box = control<platform::TextBox>(dialog, "txtComment");
            sendKeys(box, "Checked by QA");
            sendKey(box, Qt::Key_Return, row.held, "\r");
            sendKeys(box, "second line");
            QGuiApplication::clipboard()->setText("1\n2\n3\n4\n5");
            sendKey(box, Qt::Key_V, Qt::ControlModifier, "");
            sendKey(box, Qt::Key_Return, row.held, "\r");
            sendKey(box, Qt::Key_Tab, Qt::NoModifier, "\t");  // leaves the box, types nothing
            EXPECT_EQ(box.Text(), "Checked by QA\nsecond line1");
            sendKey(box, Qt::Key_Return, Qt::NoModifier, "\r");
        });
        pt::activate(chart);
        pt::click(menuItem(chart, {"&File", "&Print..."}));
        pt::setModalDriver(nullptr);
        EXPECT_EQ(written_.size(), 1u) << row.name << ": Enter alone prints, once";
        written_.clear();
        renderPng(pdf);
        const std::string page = pdfPageText(pdf, 1);
        EXPECT_TRUE(contains(page, "Checked by QA\n")) << row.name << "\n" << page;
        EXPECT_TRUE(contains(page, "second line")) << row.name << "\n" << page;
    }
}
