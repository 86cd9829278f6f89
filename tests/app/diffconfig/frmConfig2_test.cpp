// The differential form driven as a user drives it: picks, typing, Enter and clicks, with the
// message boxes recorded and the line impedances computed by the engine library of the build.
#include <QStyleOptionComboBox>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/shared/chart_window.h"
#include "app/shared/frmTransFigure.h"
#include "app/diffconfig/frmWave.h"
#include "app/shell/frmStart.h"
#include "app/diffconfig/diff_checks.h"
#include "diff_fixture.h"
#include "engine/microstrip.h"
#include "field_solver.h"
#include "platform/convert.h"
#include "platform/msgbox.h"

namespace {

using namespace difftest;
using namespace mdlPublic;

// A result window, known to the form by its kind only.
class FakeChart : public app::ChartWindow {
public:
    explicit FakeChart(const std::string& name) : ChartWindow(name, platform::FormKind::MdiChild) {
        setCaption("Simulation No.01-" + std::string(kChoke) + "-Input Signal Frequency=240[MHz]");
    }
    void switchPartnumType(std::int32_t) override {}
};

// What DualLineImp gives for a geometry in millimetres and the material's single-precision K.
std::pair<std::string, std::string> engineImpedances(double w, double h, double d, float k) {
    double ze = 0, ee = 0, zo = 0, eo = 0;
    velmar::CoupledMicrostripParams(h * 1e-3, w * 1e-3, d * 1e-3, static_cast<double>(k), ze, ee, zo, eo);
    return {platform::Format(ze, "0.00"), platform::Format(zo, "0.00")};
}

class Config2 : public DiffTest {};

TEST_F(Config2, FirstStartShowsTheDefaultsAndStoresTheInterface) {
    open();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(form_->Caption(), "Simulation No.01");
    EXPECT_EQ(form_->cboDcc.Text(), "USB2.0");
    EXPECT_EQ(form_->cboDccClock.Text(), "LS(1.5Mbps)");
    EXPECT_EQ(form_->txtClockFreq.Text(), "0.75");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(form_->txtVolHigh(i).Text(), "3.3");
        EXPECT_EQ(form_->txtVolLow(i).Text(), "0");
        EXPECT_EQ(form_->txtRiseTime(i).Text(), "1");
        EXPECT_EQ(form_->txtFallTime(i).Text(), "1");
        EXPECT_FALSE(form_->txtVolHigh(i).Enabled());
        EXPECT_FALSE(form_->txtVolLow(i).Enabled());
        EXPECT_TRUE(form_->txtRiseTime(i).Enabled());
    }
    EXPECT_FALSE(form_->txtClockFreq.Enabled());
    EXPECT_EQ(form_->txtScue.Text(), "0");
    EXPECT_TRUE(form_->optConfigTrans(0).Value());
    const char* geometry[4] = {"0.5", "1", "1", "100"};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(lineBox(k).Text(), geometry[k]);
    EXPECT_FALSE(lineBox(4).Visible());
    EXPECT_EQ(form_->cboMaterial.Text(), "Epoxy-glass (K=4.6)");
    // The impedances shown are the engine's for the default geometry.
    const auto [common, differential] = engineImpedances(0.5, 1, 1, Materials[3].K);
    EXPECT_EQ(lineLabel(7).Caption(), common);
    EXPECT_EQ(lineLabel(8).Caption(), differential);
    EXPECT_EQ(GetAppSetting("DccType"), "1");
    EXPECT_EQ(picture(0), "inb");
    EXPECT_EQ(picture(1), "in-b");
    EXPECT_EQ(picture(3), "wqr");
    EXPECT_EQ(picture(4), "transb");
    EXPECT_EQ(picture(5), "transb");
    EXPECT_TRUE(form_->txtFilter(0).Text().empty());
    EXPECT_TRUE(form_->cmdSelect.Enabled());  // the part chooser is part of the program
    EXPECT_FALSE(form_->mnuWindowClose.Enabled());
    EXPECT_EQ(form_->mnuWindowClose.Caption(), "&Close all Chart Windows");
}

TEST_F(Config2, EveryInterfaceAndClockSetsFrequencyAndLevels) {
    struct Row {
        const char *type, *clock, *freq, *high, *low, *setting;
        bool cable;
    };
    const Row rows[] = {
        {"USB2.0", "LS(1.5Mbps)", "0.75", "3.3", "0", "1", true},
        {"USB2.0", "FS(12Mbps)", "6", "3.3", "0", "1", true},
        {"USB2.0", "HS(480Mbps)", "240", "0.4", "0", "1", true},
        {"LVDS", "65MHz", "65", "1.4", "1", "2", false},
        {"LVDS", "122MHz", "122", "1.4", "1", "2", false},
        {"LVDS", "133MHz", "133", "1.4", "1", "2", false},
        {"IEEE1394", "100Mbps", "50", "1.955", "1.725", "3", true},
        {"IEEE1394", "200Mbps", "100", "1.955", "1.725", "3", true},
        {"IEEE1394", "400Mbps", "200", "1.955", "1.725", "3", true},
    };
    open();
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.type) + " " + row.clock);
        pickText(form_->cboDcc, row.type);
        EXPECT_EQ(form_->cboDccClock.ListCount(), 3);
        pickText(form_->cboDccClock, row.clock);
        EXPECT_EQ(form_->txtClockFreq.Text(), row.freq);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(form_->txtVolHigh(i).Text(), row.high);
            EXPECT_EQ(form_->txtVolLow(i).Text(), row.low);
        }
        EXPECT_EQ(GetAppSetting("DccType"), row.setting);
        EXPECT_EQ(form_->optConfigTrans(2).Enabled(), row.cable);
    }
    // The next new simulation starts with the interface chosen last.
    open();
    EXPECT_EQ(form_->cboDcc.Text(), "IEEE1394");
    EXPECT_EQ(form_->cboDccClock.Text(), "100Mbps");
}

TEST_F(Config2, LineModesShowTheirBoxesAndKeepTheirTexts) {
    struct Row {
        int mode;
        std::vector<int> boxes;        // visible boxes
        std::vector<int> labels;       // visible labels
        std::vector<std::string> captions;  // of labels 0..4 where shown
        bool extras;                   // material, figure, impedance frame
        const char* linePicture;       // right after the switch
    };
    const Row rows[] = {
        {1, {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, {text(6661), text(6662), text(6663), text(6664), text(6665)}, false, "transr"},
        {2, {1}, {0, 1}, {"IEEE1394", text(6658)}, false, "transr"},
        {3, {}, {}, {}, false, "transb"},
        {0, {0, 1, 2, 3}, {0, 1, 2, 3, 4, 5, 6, 7, 8}, {text(6655), text(6656), text(6657), text(6658), text(6659)}, true, "transb"},
    };
    open();
    pickText(form_->cboDcc, "IEEE1394");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        t::click(form_->optConfigTrans(row.mode));
        for (int k = 0; k < 5; ++k) {
            const bool shown = std::find(row.boxes.begin(), row.boxes.end(), k) != row.boxes.end();
            EXPECT_EQ(lineBox(k).Visible(), shown) << "box " << k;
        }
        for (int k = 0; k < 9; ++k) {
            const bool shown = std::find(row.labels.begin(), row.labels.end(), k) != row.labels.end();
            EXPECT_EQ(lineLabel(k).Visible(), shown) << "label " << k;
        }
        for (std::size_t k = 0; k < row.captions.size(); ++k) EXPECT_EQ(lineLabel(static_cast<int>(k)).Caption(), row.captions[k]);
        EXPECT_EQ(form_->cboMaterial.Visible(), row.extras);
        EXPECT_EQ(form_->cmdFigure.Visible(), row.extras);
        EXPECT_EQ(form_->fraImp.Visible(), row.extras);
        EXPECT_EQ(picture(4), row.linePicture);
        EXPECT_EQ(picture(5), row.linePicture);
        if (row.mode == 1) {
            for (int k = 0; k < 5; ++k) EXPECT_TRUE(lineBox(k).Text().empty());
            const char* typed[5] = {"30", "90", "2.3", "2.3", "50"};
            // Written, not typed, so that the picture shows them.
            for (int k = 0; k < 5; ++k) lineBox(k).setText(typed[k]);
            EXPECT_EQ(picture(4), "transb");
        }
        if (row.mode == 2) {
            lineBox(1).setText("250");
            EXPECT_EQ(picture(4), "transb");
        }
        apptest::grab(*form_, "frmConfig2_mode" + std::to_string(row.mode));
    }
    // Back in geometry the defaults are restored and recomputed; the other modes kept theirs.
    EXPECT_EQ(lineBox(0).Text(), "0.5");
    EXPECT_EQ(lineLabel(7).Caption(), engineImpedances(0.5, 1, 1, Materials[3].K).first);
    t::click(form_->optConfigTrans(1));
    EXPECT_EQ(lineBox(0).Text(), "30");
    EXPECT_EQ(lineBox(4).Text(), "50");
    t::click(form_->optConfigTrans(2));
    EXPECT_EQ(lineBox(1).Text(), "250");
    pickText(form_->cboDcc, "USB2.0");
    EXPECT_EQ(lineLabel(0).Caption(), "USB2.0");
    // LVDS has no cable: choosing it leaves the cable mode for the geometry.
    pickText(form_->cboDcc, "LVDS");
    EXPECT_TRUE(form_->optConfigTrans(0).Value());
    EXPECT_FALSE(form_->optConfigTrans(2).Enabled());
    EXPECT_TRUE(messages().empty());
}

// Closed, the material box shows each name whole (drawn in its edit field less a pixel at either end).
TEST_F(Config2, ClosedMaterialBoxShowsWholeNames) {
    const QWidget* box = open().cboMaterial.widget();
    QStyleOptionComboBox closed;
    closed.initFrom(box);
    const int room = box->style()->subControlRect(QStyle::CC_ComboBox, &closed, QStyle::SC_ComboBoxEditField, box).width() - 2;
    for (const MaterialRecord& m : Materials)
        EXPECT_LE(box->fontMetrics().horizontalAdvance(QString::fromStdString(m.Name)), room) << m.Name;
    pickText(form_->cboMaterial, Materials[2].Name);  // the widest
    apptest::grab(*form_, "frmConfig2_widest_material");
}

TEST_F(Config2, ImpedancesFollowMaterialAndEnterAndRefuseBadGeometry) {
    open();
    pickText(form_->cboMaterial, Materials[6].Name);
    EXPECT_EQ(lineLabel(7).Caption(), engineImpedances(0.5, 1, 1, Materials[6].K).first);
    // Typing alone changes nothing shown; Enter recomputes.
    t::type(lineBox(0), "0.25");
    EXPECT_EQ(lineLabel(8).Caption(), engineImpedances(0.5, 1, 1, Materials[6].K).second);
    t::pressKey(lineBox(0), 13);
    EXPECT_EQ(lineLabel(8).Caption(), engineImpedances(0.25, 1, 1, Materials[6].K).second);

    struct Row {
        int box;
        const char* typed;
        int message;
        // A positive but absurd geometry has no impedances: none is shown rather than an old one.
        bool emptied = false;
    };
    // A geometry outside the formulas is refused naming the first bound it breaks (W, d, h 1, 1, 1 here).
    const Row rows[] = {{0, "abc", 6680},         {0, "0", 6681},          {3, "0", 6681},
                        {2, "-1", 6681},          {0, "0.04", 6693, true}, {2, "0.04", 6694, true},
                        {0, "91", 6695, true},    {2, "1001", 6696, true}, {1, "0.05", 6697, true},
                        {1, "1E39", 6693, true},  {0, "1E30", 6695, true}, {1, "1E-30", 6695, true},
                        {1, "1E30", 6693, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        const std::string shown = lineLabel(7).Caption();
        t::clearMessageBoxes();
        typeEnter(lineBox(row.box), row.typed);
        EXPECT_EQ(messages(), std::vector<std::string>{text(row.message)});
        EXPECT_EQ(lineLabel(7).Caption(), row.emptied ? "" : shown);
        if (row.emptied) {
            EXPECT_EQ(lineLabel(8).Caption(), "");
            apptest::grab(*form_, "frmConfig2_refused_geometry");
        }
        t::type(lineBox(row.box), row.box == 3 ? "100" : "1");
    }
    // In impedance entry Enter computes nothing.
    t::click(form_->optConfigTrans(1));
    t::clearMessageBoxes();
    typeEnter(lineBox(0), "abc");
    EXPECT_TRUE(messages().empty());
}

// The solver first: one strip as the closed single-strip formula gives it (within 1.2 % for W/h 0.1 to
// 10), and the odd mode of two strips far above ground as coplanar strips, exactly: Z = 60 pi K(k) / K(k').
TEST(FieldSolution, MatchesTheSingleStripAndCoplanarStrips) {
    const auto ellipticK = [](double k) {
        double a = 1, b = std::sqrt(1 - k * k);
        for (int i = 0; i < 30; ++i) std::tie(a, b) = std::pair{(a + b) / 2, std::sqrt(a * b)};
        return 3.14159265358979 / (2 * a);
    };
    for (const double er : {1.0, 4.6})
        for (const double u : {0.1, 0.3, 1.0, 3.0, 10.0}) {
            const double z = velmar::MicrostripImpedance(1, u, 0, velmar::MicrostripEffPermittivity(1, u, er));
            EXPECT_NEAR(fieldtest::pairImpedances(u, 1e6, 1, er).first / z, 1, er == 1 ? 0.001 : 0.012) << u << " " << er;
        }
    for (const double s : {0.1, 1.0, 3.0}) {
        const double k = s / (s + 2);
        EXPECT_NEAR(fieldtest::pairImpedances(1, s, 1000, 1).second, 60 * 3.14159265358979 * ellipticK(k) / ellipticK(std::sqrt(1 - k * k)), 0.5) << s;
    }
}

// Every geometry the form accepts has both impedances within 6 % of the field solution, and every one with
// W/h and d/h of 0.1 to 10 is accepted. A grid of W 0.05-20, h 0.01-3.2, d 0.05-100 mm, K 4.0 and 4.7; past it
// each bound as typed on boards and just outside, the worst corner kept (W 90 h, d 0.05 h), and pairs 170 h wide
// (off by 6.4 %) or 150 h wide close together (Zo > Ze).
TEST_F(Config2, AcceptedPairsAreWithinSixPercentOfTheFieldSolution) {
    const double beyond[12][4] = {{0.08, 1.6, 0.08, 1}, {0.0799, 1.6, 0.08, 0}, {0.08, 1.6, 0.0799, 0}, {19.8, 0.22, 2.2, 1},
                                  {19.81, 0.22, 2.2, 0}, {2.2, 0.22, 2.2, 1}, {2.21, 0.22, 2.21, 0}, {0.5, 0.22, 220, 1},
                                  {0.5, 0.22, 220.1, 0}, {9, 0.1, 0.005, 1}, {17, 0.1, 1, 0}, {300, 2, 0.2, 0}};  // W, h, d [mm], accepted
    int accepted = 0;
    double worst = 0;
    for (const std::size_t material : {5u, 6u})
        for (int i = 0; i < 7 * 6 * 8 + 12; ++i) {
            const double* b = i < 7 * 6 * 8 ? nullptr : beyond[i - 7 * 6 * 8];
            const double w = b ? b[0] : 0.05 * std::pow(400, i % 7 / 6.0), h = b ? b[1] : 0.01 * std::pow(320, i / 7 % 6 / 5.0),
                         d = b ? b[2] : 0.05 * std::pow(2000, i / 42 / 7.0);
            diffconfig::DiffInputs in;
            in.material = Materials[material].Name;
            in.lineText = {platform::CStr(w), platform::CStr(h), platform::CStr(d), "100", ""};
            diffconfig::LineImpedance z;
            const bool ok = diffconfig::geometryMessage(in, z) == 0;
            EXPECT_TRUE(b ? ok == (b[3] > 0) : ok || std::min(w, d) < 0.1 * h || std::max(w, d) > 10 * h) << w << " " << h << " " << d;
            if (!ok) continue;
            const auto [even, odd] = fieldtest::pairImpedances(w, d, h, Materials[material].K);
            const double off = std::max(std::abs(z.even / even - 1), std::abs(z.odd / odd - 1));
            EXPECT_LE(off, 0.06) << w << " " << h << " " << d;
            worst = std::max(worst, off), ++accepted;
        }
    std::printf("%d of 696 geometries accepted, worst %.1f %% from the field solution\n", accepted, 100 * worst);
}

TEST_F(Config2, ChokeEnterResetAndPictures) {
    open();
    typeEnter(form_->txtFilter(0), "wq2012s900");
    EXPECT_EQ(form_->txtFilter(0).Text(), kChokeShown);
    EXPECT_EQ(picture(3), "wqb");
    t::pressKey(form_->txtFilter(0), 13);  // the shown text finds the same part
    EXPECT_EQ(form_->txtFilter(0).Text(), kChokeShown);
    EXPECT_TRUE(messages().empty());
    t::click(form_->cmdReset);
    EXPECT_TRUE(form_->txtFilter(0).Text().empty());
    EXPECT_EQ(picture(3), "wqr");
    // A bead is no choke.
    typeEnter(form_->txtFilter(0), "KSV1005A101");
    EXPECT_EQ(messages(), std::vector<std::string>{text(5282)});
    EXPECT_EQ(form_->txtFilter(0).Text(), "KSV1005A101");
    // The inputs' pictures turn red with any empty box, black with the last one filled.
    t::type(form_->txtFallTime(1), "");
    EXPECT_EQ(picture(0), "inr");
    EXPECT_EQ(picture(1), "in-r");
    t::type(form_->txtFallTime(1), "1");
    EXPECT_EQ(picture(0), "inb");
}

TEST_F(Config2, CheckConfigRefusesInOrderWithOneMessage) {
    struct Row {
        const char* name;
        std::function<void(frmConfig2&)> change;
        int message;  // 0: accepted
        bool emptied = false;  // the impedances of a refused geometry are no longer shown
    };
    const auto setBox = [](platform::TextBox& (*which)(frmConfig2&), const char* value) {
        return [which, value](frmConfig2& f) { which(f).setText(value); };
    };
    const auto freq = [](frmConfig2& f) -> platform::TextBox& { return f.txtClockFreq; };
    const auto skew = [](frmConfig2& f) -> platform::TextBox& { return f.txtScue; };
    const auto high0 = [](frmConfig2& f) -> platform::TextBox& { return f.txtVolHigh(0); };
    const auto low1 = [](frmConfig2& f) -> platform::TextBox& { return f.txtVolLow(1); };
    const auto rise1 = [](frmConfig2& f) -> platform::TextBox& { return f.txtRiseTime(1); };
    const auto width = [](frmConfig2& f) -> platform::TextBox& { return f.txtConfigTrans(0); };
    const auto cable = [](const char* length) {
        return [length](frmConfig2& f) {
            t::click(f.optConfigTrans(2));
            t::type(f.txtConfigTrans(1), length);
        };
    };
    const Row rows[] = {
        {"complete", [](frmConfig2&) {}, 0},
        {"ten charts", [](frmConfig2& f) { ChartCount = 10; t::type(f.txtScue, ""); }, 5292},
        {"empty skew", setBox(skew, ""), 5281},
        {"empty part", [](frmConfig2& f) { t::click(f.cmdReset); }, 5281},
        {"unknown part", [](frmConfig2& f) { t::type(f.txtFilter(0), "WQ0000"); }, 5282},
        {"letters in rise", setBox(rise1, "fast"), 5291},
        {"beyond single", setBox(rise1, "1E39"), 5291},
        {"skew 0", setBox(skew, "0"), 0},
        {"skew -1", setBox(skew, "-1"), 5295},
        {"frequency 0", setBox(freq, "0"), 5295},
        {"frequency 0.75", setBox(freq, "0.75"), 0},
        {"frequency 240", setBox(freq, "240"), 0},
        {"frequency 0.7499", setBox(freq, "0.7499"), 6686},
        {"frequency 240.01", setBox(freq, "240.01"), 6686},
        {"VH 4.5", setBox(high0, "4.5"), 6684},
        {"VL -1", setBox(low1, "-1"), 6684},
        {"VH = VL", [](frmConfig2& f) { f.txtVolHigh(1).setText("1"); f.txtVolLow(1).setText("1"); }, 6685},
        {"VH 4, VL 0", [](frmConfig2& f) { f.txtVolHigh(0).setText("4"); }, 0},
        {"trailing point", setBox(rise1, "12."), 5290},
        {"trailing point in the line", setBox(width, "0.5."), 5291},
        {"line width 12.", setBox(width, "12."), 5290},
        {"no material", [](frmConfig2& f) { f.cboMaterial.setListIndex(-1); }, 5281},
        // The line's ranges come last: after the inputs' ranges, the trailing point and the edges.
        {"wide strips far apart", [](frmConfig2& f) { f.txtConfigTrans(0).setText("30"); f.txtConfigTrans(2).setText("30"); }, 6697, true},
        {"width 1E+39", setBox(width, "1E+39"), 6695, true},
        {"length 1E+6", [](frmConfig2& f) { f.txtConfigTrans(3).setText("1E+6"); }, 6689},
        {"length 1E+6, frequency 300", [](frmConfig2& f) { f.txtConfigTrans(3).setText("1E+6"); f.txtClockFreq.setText("300"); }, 6686},
        {"length 1E+6, VH 4.5", [](frmConfig2& f) { f.txtConfigTrans(3).setText("1E+6"); f.txtVolHigh(0).setText("4.5"); }, 6684},
        {"width 30, rise 12.", [](frmConfig2& f) { f.txtConfigTrans(0).setText("30"); f.txtRiseTime(1).setText("12."); }, 5290},
        {"cable length letters", cable("long"), 5291},
        {"cable length 0", cable("0"), 5295},
        {"cable length 12.", cable("12."), 5290},
        {"cable length 250", cable("250"), 0},
        {"LVDS with the cable", [](frmConfig2& f) {
             t::pick(f.cboDcc, 1);
             f.optConfigTrans(2).setValue(true);
             f.txtConfigTrans(1).setText("250");
         }, 5281},
        {"ignore with letters in the boxes", [](frmConfig2& f) { t::click(f.optConfigTrans(3)); f.txtConfigTrans(0).setText("x"); }, 0},
        {"edges longer than the period", [](frmConfig2& f) {
             f.txtClockFreq.setText("240");
             for (int i = 0; i < 2; ++i) { f.txtRiseTime(i).setText("3"); f.txtFallTime(i).setText("3"); }
         }, 6687},
        {"rise 5000.", setBox(rise1, "5000."), 5290},
        {"rise 5000, wide strips far apart", [](frmConfig2& f) { f.txtRiseTime(1).setText("5000"); f.txtConfigTrans(0).setText("30"); f.txtConfigTrans(2).setText("30"); }, 6687},
        {"edges filling the period", [](frmConfig2& f) {
             f.txtClockFreq.setText("200");
             f.txtRiseTime(0).setText("2");
             f.txtFallTime(0).setText("2");
         }, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        open();
        typeEnter(form_->txtFilter(0), kChoke);
        t::clearMessageBoxes();
        ChartCount = 0;
        row.change(*form_);
        t::clearMessageBoxes();
        EXPECT_EQ(form_->CheckConfig(), row.message == 0);
        const std::vector<std::string> expected =
            row.message == 0 ? std::vector<std::string>{} : std::vector<std::string>{text(row.message)};
        EXPECT_EQ(messages(), expected);
        if (row.message != 0) {
            EXPECT_EQ(t::messageBoxes()[0].style, platform::MsgBoxCritical);
        }
        EXPECT_EQ(lineLabel(7).Caption().empty() && lineLabel(8).Caption().empty(), row.emptied);
    }
    ChartCount = 0;
}

TEST_F(Config2, AChokeTypedWithoutEnterIsWrittenOutWhenAccepted) {
    open();
    mdlPublic::saveAppSetting("PartnumType", "1");
    t::type(form_->txtFilter(0), "yz2012-900");
    EXPECT_TRUE(form_->CheckConfig());
    EXPECT_EQ(form_->txtFilter(0).Text(), "YZ2012-900 (90 ohm, USB2.0 HS)");
    EXPECT_EQ(picture(3), "wqb");
    form_->SaveConfig(0);
    EXPECT_EQ(SimConfigs2[0].PartNum, kChokePrevious);
    EXPECT_EQ(SimConfigs2[0].PartNote, "90 ohm, USB2.0 HS");
}

TEST_F(Config2, StoredSimulationsReviewAsTheyWereEntered) {
    struct Row {
        const char *type, *clock, *setting;
        int mode;
        std::function<void(frmConfig2&)> enter;
        std::vector<std::string> boxes;   // txtConfigTrans(0..4) after the review
        const char *storedHigh, *storedLow, *shownHigh, *shownLow;
    };
    const Row rows[] = {
        {"USB2.0", "HS(480Mbps)", "1", 0, [](frmConfig2&) {}, {"0.5", "1", "1", "100"}, "0.65", "0", "0.4", "0"},
        {"LVDS", "122MHz", "2", 1,
         [](frmConfig2& f) {
             const char* typed[5] = {"60", "45", "2.1", "2.2", "40"};
             for (int k = 0; k < 5; ++k) t::type(f.txtConfigTrans(k), typed[k]);
         },
         {"60", "45", "2.1", "2.2", "40"}, "1.7", "0.7", "1.4", "1"},
        {"IEEE1394", "400Mbps", "3", 2, [](frmConfig2& f) { t::type(f.txtConfigTrans(1), "300"); }, {"", "300"}, "1.955", "1.725",
         "1.955", "1.725"},
        {"USB2.0", "FS(12Mbps)", "1", 3, [](frmConfig2&) {}, {}, "5.35", "0", "3.3", "0"},
    };
    std::int16_t sim = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        open();
        pickText(form_->cboDcc, row.type);
        pickText(form_->cboDccClock, row.clock);
        t::click(form_->optConfigTrans(row.mode));
        row.enter(*form_);
        t::type(form_->txtRiseTime(1), "0.5");
        t::type(form_->txtScue, "0.1");
        typeEnter(form_->txtFilter(0), kChoke);
        ASSERT_TRUE(form_->CheckConfig());
        form_->SaveConfig(sim);
        const SimConfig2Record& r = SimConfigs2[static_cast<std::size_t>(sim)];
        EXPECT_EQ(r.LineMode, row.mode);
        EXPECT_EQ(r.VolHigh[0], row.storedHigh);
        EXPECT_EQ(r.VolLow[1], row.storedLow);
        EXPECT_FLOAT_EQ(r.TimeMax, static_cast<float>(7.0 / (4.0 * platform::CSng(form_->txtClockFreq.Text()) * 1e6)));
        EXPECT_EQ(r.FreqMax, 1e9F);
        EXPECT_EQ(r.VoltMax[0], 0.0F);
        ++SimCount;

        // Review: the form reopens with the stored inputs.
        saveAppSetting("DccType", "0");
        CurrentSim = sim;
        ShowConfigForm(3, true);
        form_ = platform::loadedForm<frmConfig2>();
        ASSERT_NE(form_, nullptr);
        EXPECT_TRUE(messages().empty());
        EXPECT_EQ(form_->Caption(), simCaptionPrefix(sim));
        EXPECT_EQ(form_->cboDcc.Text(), row.type);
        EXPECT_EQ(form_->cboDccClock.Text(), row.clock);
        EXPECT_EQ(GetAppSetting("DccType"), row.setting);
        EXPECT_EQ(form_->txtVolHigh(0).Text(), row.shownHigh);
        EXPECT_EQ(form_->txtVolLow(1).Text(), row.shownLow);
        EXPECT_EQ(form_->txtRiseTime(1).Text(), "0.5");
        EXPECT_EQ(form_->txtScue.Text(), "0.1");
        EXPECT_EQ(form_->txtFilter(0).Text(), kChokeShown);
        EXPECT_EQ(picture(3), "wqb");
        EXPECT_TRUE(form_->optConfigTrans(row.mode).Value());
        for (std::size_t k = 0; k < row.boxes.size(); ++k)
            if (!row.boxes[k].empty()) {
                EXPECT_EQ(lineBox(static_cast<int>(k)).Text(), row.boxes[k]);
            }
        EXPECT_EQ(form_->cboMaterial.Visible(), row.mode == 0);
        EXPECT_EQ(lineBox(4).Visible(), row.mode == 1);
        // A material is chosen whatever the mode, so a switch to the geometry computes with it.
        EXPECT_EQ(form_->cboMaterial.Text(), "Epoxy-glass (K=4.6)");
        t::clearMessageBoxes();
        CurrentSim = SimCount;
        ++sim;
    }
}

TEST_F(Config2, ReviewedLineModeSwitchedToGeometryNeedsItsBoxes) {
    open();
    t::click(form_->optConfigTrans(1));
    const char* typed[5] = {"30", "90", "2.1", "2.2", "40"};
    for (int k = 0; k < 5; ++k) t::type(lineBox(k), typed[k]);
    typeEnter(form_->txtFilter(0), kChoke);
    form_->SaveConfig(0);
    SimCount = 1;
    CurrentSim = 0;
    ShowConfigForm(3, true);
    form_ = platform::loadedForm<frmConfig2>();
    t::clearMessageBoxes();
    // The review's geometry boxes are empty: the switch asks for them instead of computing.
    t::click(form_->optConfigTrans(0));
    EXPECT_EQ(messages(), std::vector<std::string>{text(6681)});
    const char* geometry[4] = {"0.3", "0.8", "0.6", "50"};
    for (int k = 0; k < 4; ++k) t::type(lineBox(k), geometry[k]);
    t::pressKey(lineBox(3), 13);
    EXPECT_EQ(lineLabel(7).Caption(), engineImpedances(0.3, 0.8, 0.6, Materials[3].K).first);
}

TEST_F(Config2, PreviewOpensOnceOnTopWithOneSkewLabel) {
    open();
    t::click(form_->cmdWave);
    t::click(form_->cmdWave);
    int previews = 0;
    for (int i = 0; i < platform::Forms().Count(); ++i) previews += platform::Forms()(i).Name() == "frmWave";
    EXPECT_EQ(previews, 1);
    frmWave* wave = platform::loadedForm<frmWave>();
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->Caption(), "View Input Signal Waveform");
    EXPECT_TRUE(wave->Visible());
    EXPECT_TRUE(wave->window()->windowFlags() & Qt::WindowStaysOnTopHint);
    int skews = 0;
    for (const auto& p : wave->wavePicture().canvas().displayList())
        skews += p.kind == platform::PrimitiveKind::Text && p.text == "Skew";
    EXPECT_EQ(skews, 1);
    apptest::grab(*wave, "frmWave");
    // The line figure opens the same way, with the coupled pair.
    t::click(form_->cmdFigure);
    ASSERT_NE(platform::loadedForm<frmTransFigure>(), nullptr);
    EXPECT_EQ(platform::loadedForm<frmTransFigure>()->figureKey(), "trans2");
}

TEST_F(Config2, CloseAllUnloadsChartsAndHelpersOnly) {
    open();
    for (int i = 0; i < 3; ++i) platform::Load<FakeChart>("frmChart2");
    t::click(form_->cmdWave);
    t::click(form_->cmdFigure);
    form_->mnuWindowClose.setEnabled(true);
    t::click(form_->mnuWindowClose);
    t::flushUnloaded();
    std::vector<std::string> left;
    for (int i = 0; i < platform::Forms().Count(); ++i)
        if (platform::Forms()(i).Name() != "frmStart") left.push_back(platform::Forms()(i).Name());
    EXPECT_EQ(left, (std::vector<std::string>{"frmMain", "frmConfig2"}));
    EXPECT_FALSE(form_->mnuWindowClose.Enabled());
}

TEST_F(Config2, StartDialogOpensTheFormAndStartSimulationChecksFirst) {
    int runs = 0;
    frmConfig2::setSimulationRunner([&runs](frmConfig2&, std::int16_t s) {
        EXPECT_EQ(s, SimCount);
        ++runs;
    });
    t::setModalDriver([](platform::Form& dialog) {
        auto& start = dynamic_cast<frmStart&>(dialog);
        t::click(dynamic_cast<platform::OptionButton&>(*start.controlByName("optSimType", 3)));
        t::click(dynamic_cast<platform::CommandButton&>(*start.controlByName("cmdOk")));
    });
    frmMain::instance().mnuFileNew_Click();
    t::setModalDriver({});
    form_ = platform::loadedForm<frmConfig2>();
    ASSERT_NE(form_, nullptr);
    EXPECT_TRUE(form_->Visible());
    EXPECT_EQ(GetAppSetting("SimType"), "3");
    t::click(form_->cmdSimulation);
    EXPECT_EQ(messages(), std::vector<std::string>{text(5281)});
    EXPECT_EQ(runs, 0);
    typeEnter(form_->txtFilter(0), kChoke);
    t::click(form_->cmdSimulation);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(SimCount, 1);
    EXPECT_TRUE(form_->mnuWindowClose.Enabled());
    t::click(form_->mnuSimStart);
    EXPECT_EQ(runs, 2);
}

}  // namespace
