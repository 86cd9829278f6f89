// Construction of the filter-circuit form: names, layout, the designer's pictures and the wiring of
// its events, and the diagram's layout for each circuit type.
#include <utility>

#include "app/config/frmConfig.h"
#include "app/shared/mdlPublic.h"
#include "platform/convert.h"

using namespace mdlPublic;

namespace {

// Layout is designed in pixels and placed in twips.
constexpr int px(int pixels) { return pixels * platform::TwipsPerPixel; }

// Numeric boxes show 15 characters; the third column (line and parts) shows the longest part text
// of the catalogue. Pixels.
constexpr int kNumberBox = 122;
constexpr int kColumn2 = 274;
constexpr int kColumn3 = 745;

// Where the diagram's wire ends before the line block: past the hidden second part in type 0, at
// the second part in types 1 and 2.
constexpr int kSecondPartX = 300;  // pixels
constexpr int kWireEndOnePart = 5000;
constexpr int kWireEndTwoParts = px(kSecondPartX);

}  // namespace

// ---- Construction -------------------------------------------------------------------------------

frmConfig::frmConfig() : ConfigFormOf("frmConfig", "trans") {
    for (int i = 0; i < 2; ++i) {
        platform::Frame& group = fraSelectIc(i);
        platform::Frame& radio = fraRadio.add(i, group);
        optSelectIc.add(i, radio);
        optSelectCircuit.add(i, radio);
        lblSelectIcPrimary.add(i, group);
        cboSelectIcPrimary.add(i, group);
        lblSelectIc.add(i, group);
        cboSelectIc.add(i, group);
        picSelectedIc.add(i, group, px(64), px(56));
        lblR.add(i, group);
        txtR.add(i, group);
        lblL.add(i, group);
        txtL.add(i, group);
        lblC.add(i, group);
        txtC.add(i, group);
    }
    lblR.add(2, fraSelectIc(1));
    txtR.add(2, fraSelectIc(1));

    nameControls();
    layoutControls();
    drawDesignerPictures();

    // Designer defaults: line by geometry, no measuring point, the IC lists in view.
    optConfigTrans(0).setValue(true);
    for (int i = 0; i < 2; ++i) {
        chkMeasure(i).setEnabled(false);
        showIcMode(i, true);
    }
    wireEvents();

    // Tab goes through the form as it reads: signal, driver, receiver, line, parts and their measuring
    // points, then the start. The IC groups are filled last above, so the order they were made in
    // would put them at the end; the receiver's values read L, R, C, Ro.
    setTabOrder({&fraClock, &fraRadio(0), &cboSelectIcPrimary(0), &cboSelectIc(0), &txtR(0), &txtL(0), &txtC(0),
                 &fraRadio(1), &cboSelectIcPrimary(1), &cboSelectIc(1), &txtL(1), &txtR(1), &txtC(1), &txtR(2),
                 &fraConfigTrans, &cmdFigure, &txtConfigTrans(0), &txtConfigTrans(1), &txtConfigTrans(2), &cboMaterial,
                 &txtFilter(0), &txtFilter(1), &cmdSelect, &cmdReset, &chkMeasure(0), &chkMeasure(1), &cmdSimulation});
}

void frmConfig::nameControls() {
    const std::pair<platform::Control*, const char*> single[] = {
        {&fraClock, "fraClock"},     {&lblClockHz, "lblClockHz"},   {&txtClockFreq, "txtClockFreq"},
        {&lblDuty, "lblDuty"},       {&txtDuty, "txtDuty"},         {&lblUp, "lblUp"},
        {&txtUp, "txtUp"},           {&lblDown, "lblDown"},         {&txtDown, "txtDown"},
        {&lblVoltage, "lblVoltage"}, {&txtVoltage, "txtVoltage"},   {&fraFilter, "fraFilter"},
        {&cmdSelect, "cmdSelect"},   {&cmdReset, "cmdReset"},       {&picLogo, "picLogo"},
        {&fraDensou, "fraDensou"},   {&fraConfigTrans, "fraConfigTrans"}, {&cboMaterial, "cboMaterial"},
        {&cmdFigure, "cmdFigure"},   {&fraCircuit, "fraCircuit"},   {&lblCircuitTitle, "lblCircuitTitle"},
        {&cmdSimulation, "cmdSimulation"}, {&lblWarning, "lblWarning"}, {&Line0, "Line0"},
        {&Line1, "Line1"},           {&Line2, "Line2"},             {&Line3, "Line3"},
        {&Line4, "Line4"},           {&Line5, "Line5"},             {&Line6, "Line6"},
    };
    for (const auto& [control, name] : single) control->setName(name);

    fraSelectIc.setName("fraSelectIc");
    fraRadio.setName("fraRadio");
    optSelectIc.setName("optSelectIc");
    optSelectCircuit.setName("optSelectCircuit");
    lblSelectIcPrimary.setName("lblSelectIcPrimary");
    cboSelectIcPrimary.setName("cboSelectIcPrimary");
    lblSelectIc.setName("lblSelectIc");
    cboSelectIc.setName("cboSelectIc");
    picSelectedIc.setName("picSelectedIc");
    lblR.setName("lblR");
    txtR.setName("txtR");
    lblL.setName("lblL");
    txtL.setName("txtL");
    lblC.setName("lblC");
    txtC.setName("txtC");
    lblFilter.setName("lblFilter");
    txtFilter.setName("txtFilter");
    optConfigTrans.setName("optConfigTrans");
    lblConfigTrans.setName("lblConfigTrans");
    txtConfigTrans.setName("txtConfigTrans");
    lblCircuit.setName("lblCircuit");
    imgCircuit.setName("imgCircuit");
    chkMeasure.setName("chkMeasure");
    lblMeasure.setName("lblMeasure");
}

void frmConfig::layoutControls() {
    setClientSize(px(kColumn3 + 291), px(442));

    // Input signal: five rows of label and box.
    fraClock.Move(px(1), px(4), px(kColumn2 - 4), px(146));
    const std::pair<platform::Label*, platform::TextBox*> signal[] = {
        {&lblClockHz, &txtClockFreq}, {&lblDuty, &txtDuty}, {&lblUp, &txtUp}, {&lblDown, &txtDown},
        {&lblVoltage, &txtVoltage}};
    for (int k = 0; k < 5; ++k) {
        signal[k].first->Move(px(3), px(25 + 24 * k), px(140), px(18));
        signal[k].second->Move(px(143), px(22 + 24 * k), px(kNumberBox), px(22));
    }
    cmdSimulation.Move(px(1), px(160), px(kColumn2 - 4), px(34));
    lblWarning.Move(px(1), px(204), px(kColumn2 - 4), px(90));
    lblWarning.setForeColor(platform::RGB(192, 0, 0));

    for (int i = 0; i < 2; ++i) layoutIcGroup(i);

    // Line: the three modes, then up to three value rows, the material and the impedance.
    fraDensou.Move(px(kColumn3), px(4), px(290), px(296));
    fraConfigTrans.Move(px(1), px(18), px(288), px(68));
    for (int k = 0; k < 3; ++k) optConfigTrans(k).Move(px(1), px(3 + 21 * k), px(286), px(20));
    cmdFigure.Move(px(8), px(90), px(110), px(24));
    for (int k = 0; k < 3; ++k) {
        lblConfigTrans(k).Move(px(8), px(120 + 32 * k), px(152), px(30));
        txtConfigTrans(k).Move(px(162), px(122 + 32 * k), px(kNumberBox), px(22));
    }
    lblConfigTrans(3).Move(px(8), px(216), px(274), px(18));
    cboMaterial.Move(px(8), px(234), px(274), px(24));
    lblConfigTrans(4).Move(px(8), px(262), px(152), px(30));
    lblConfigTrans(5).Move(px(162), px(266), px(kNumberBox), px(18));

    layoutDiagram();

    // Parts.
    fraFilter.Move(px(kColumn3), px(304), px(290), px(134));
    for (int k = 0; k < 2; ++k) {
        lblFilter(k).Move(px(8), px(20 + 40 * k), px(274), px(18));
        txtFilter(k).Move(px(8), px(37 + 40 * k), px(274), px(22));
    }
    cmdSelect.Move(px(8), px(104), px(108), px(24));
    cmdReset.Move(px(120), px(104), px(56), px(24));
    picLogo.Move(px(254), px(100), px(28), px(28));
}

void frmConfig::layoutIcGroup(int i) {
    // Wide enough for the longest option text, "Enter an Output Condition of an IC by LCR Parameter".
    fraSelectIc(i).Move(px(kColumn2), px(4 + 150 * i), px(kColumn3 - kColumn2 - 3), px(146));
    fraRadio(i).Move(px(1), px(18), px(kColumn3 - kColumn2 - 5), px(50));
    optSelectIc(i).Move(px(1), px(3), px(kColumn3 - kColumn2 - 7), px(20));
    optSelectCircuit(i).Move(px(1), px(24), px(kColumn3 - kColumn2 - 7), px(20));

    lblSelectIcPrimary(i).Move(px(10), px(82), px(108), px(18));
    cboSelectIcPrimary(i).Move(px(120), px(78), px(kColumn3 - kColumn2 - 133), px(24));
    lblSelectIc(i).Move(px(10), px(112), px(108), px(18));
    cboSelectIc(i).Move(px(120), px(108), px(kColumn3 - kColumn2 - 133), px(24));

    // R, L, C in a two-by-two grid beside the IC picture; the receiver's order is L, R, C, Ro.
    picSelectedIc(i).Move(px(10), px(76), px(64), px(56));
    const auto place = [](platform::Label& label, platform::TextBox& box, int column, int row) {
        label.Move(px(86 + 190 * column), px(84 + 30 * row), px(58), px(18));
        box.Move(px(146 + 190 * column), px(80 + 30 * row), px(kNumberBox), px(22));
    };
    if (i == 0) {
        place(lblR(0), txtR(0), 0, 0);
        place(lblL(0), txtL(0), 1, 0);
        place(lblC(0), txtC(0), 0, 1);
    } else {
        place(lblL(1), txtL(1), 0, 0);
        place(lblR(1), txtR(1), 1, 0);
        place(lblC(1), txtC(1), 0, 1);
        place(lblR(2), txtR(2), 1, 1);
    }
    lblR(i).setCaption("R[ohm]");
    lblL(i).setCaption("L[nH]");
    lblC(i).setCaption("C[pF]");
    if (i == 1) lblR(2).setCaption("Ro[ohm]");
}

void frmConfig::layoutDiagram() {
    fraCircuit.Move(px(1), px(304), px(kColumn3 - 4), px(134));
    lblCircuitTitle.Move(px(4), px(56), px(66), px(36));

    // Blocks of 64 x 48 pixels on one wire; the second part sits where the type 1 and 2 wire ends.
    constexpr int blockX[6] = {74, 152, 230, 380, 466, kSecondPartX};
    constexpr int blockTop = 52, wireY = 52 + 24;
    for (int k = 0; k < 6; ++k) {
        imgCircuit(k).Move(px(blockX[k]), px(blockTop), px(64), px(48));
        // The first part's caption may run over the second part's place, which type 2 leaves empty.
        lblCircuit(k).Move(px(blockX[k] - 7), px(16), px(k == 2 ? 140 : k == 3 ? 84 : 78), px(34));
    }
    const auto wire = [](platform::Line& line, int x1, int x2) {
        line.setX1(x1);
        line.setY1(px(wireY));
        line.setX2(x2);
        line.setY2(px(wireY));
    };
    wire(Line0, px(138), px(152));
    wire(Line1, px(216), px(230));
    wire(Line2, px(294), kWireEndOnePart);
    wire(Line3, kWireEndOnePart, px(380));
    wire(Line4, px(444), px(466));

    // Measuring points A (driver side of the part) and B (receiver), each marked down to its box.
    constexpr int pointX[2] = {223, 455};
    platform::Line* marks[2] = {&Line5, &Line6};
    for (int i = 0; i < 2; ++i) {
        marks[i]->setX1(px(pointX[i]));
        marks[i]->setY1(px(wireY));
        marks[i]->setX2(px(pointX[i]));
        marks[i]->setY2(px(108));
        chkMeasure(i).Move(px(pointX[i] - 7), px(108), px(18), px(18));
        lblMeasure(i).Move(px(pointX[i] - 128), px(110), px(118), px(18));
    }
}

void frmConfig::drawDesignerPictures() {
    // The IC given by its equivalent circuit: a buffer driving its output pin.
    for (int i = 0; i < 2; ++i) {
        platform::Canvas& c = picSelectedIc(i).canvas();
        c.setScaleMode(platform::ScalePixels);
        c.setBackColor(platform::RGB(255, 255, 255));
        c.Line(12, 8, 12, 48);
        c.Line(12, 8, 44, 28);
        c.Line(12, 48, 44, 28);
        c.Line(44, 28, 60, 28);
        c.Line(2, 28, 12, 28);
        c.setCurrentX(15);
        c.setCurrentY(20);
        c.setFontSize(7);
        c.Print("IC");
    }
    platform::Canvas& logo = picLogo.canvas();
    logo.setScaleMode(platform::ScalePixels);
    logo.setBackColor(platform::RGB(0, 128, 128));
    logo.setForeColor(platform::RGB(255, 255, 255));
    logo.setFontBold(true);
    logo.setFontSize(14);
    logo.setCurrentX(7);
    logo.setCurrentY(3);
    logo.Print("Q");
}

void frmConfig::wireEvents() {
    wireMenus();

    cmdSimulation.Click = [this] { cmdSimulation_Click(); };
    cmdSelect.Click = [this] { cmdSelect_Click(); };
    cmdReset.Click = [this] { cmdReset_Click(); };
    cmdFigure.Click = [this] { cmdFigure_Click(); };
    picLogo.DblClick = [this] { picLogo_DblClick(); };

    for (platform::TextBox* box : {&txtClockFreq, &txtDuty, &txtUp, &txtDown, &txtVoltage})
        box->Change = [this] { CheckClockConfig(); };
    const auto circuitChanged = [this](int index) { CheckCircuitConfig(index); };
    txtR.Change = circuitChanged;
    txtL.Change = circuitChanged;
    txtC.Change = circuitChanged;
    txtConfigTrans.Change = [this](int index) { txtConfigTrans_Change(index); };
    txtConfigTrans.KeyPress = [this](int index, int& key) { txtConfigTrans_KeyPress(index, key); };
    txtFilter.KeyPress = [this](int index, int& key) { txtFilter_KeyPress(index, key); };

    optConfigTrans.Click = [this](int index) { optConfigTrans_Click(index); };
    optSelectIc.Click = [this](int index) { optSelectIc_Click(index); };
    optSelectCircuit.Click = [this](int index) { optSelectCircuit_Click(index); };
    cboSelectIcPrimary.Click = [this](int index) { cboSelectIcPrimary_Click(index); };
    cboSelectIc.Click = [this](int index) { cboSelectIc_Click(index); };
    cboMaterial.Click = [this] { cboMaterial_Click(); };
    chkMeasure.Click = [this](int index) { chkMeasure_Click(index); };

    // Entering a box selects its whole text, so typing replaces it.
    const auto selectAll = [](platform::TextBox& box) {
        box.setSelStart(0);
        box.setSelLength(static_cast<int>(platform::Len(box.Text())));
    };
    for (platform::TextBox* box : {&txtClockFreq, &txtDuty, &txtUp, &txtDown, &txtVoltage})
        box->GotFocus = [box, selectAll] { selectAll(*box); };
    txtR.GotFocus = [this, selectAll](int i) { selectAll(txtR(i)); };
    txtL.GotFocus = [this, selectAll](int i) { selectAll(txtL(i)); };
    txtC.GotFocus = [this, selectAll](int i) { selectAll(txtC(i)); };
    txtConfigTrans.GotFocus = [this, selectAll](int i) { selectAll(txtConfigTrans(i)); };
    txtFilter.GotFocus = [this, selectAll](int i) { selectAll(txtFilter(i)); };
}

// ---- The diagram of a circuit type ---------------------------------------------------------------

void frmConfig::prepareFor(std::int32_t t, bool review) {
    if (!review) {
        setPicture(2, "ksvqtar");
        if (t == CircuitBeadCapacitor) setPicture(5, "jxr");
        if (t == CircuitBeadFilter) setPicture(5, "qtar");
    }
    const bool secondPart = hasSecondPart(t);
    Line2.setX2(secondPart ? kWireEndTwoParts : kWireEndOnePart);
    imgCircuit(5).setVisible(secondPart);
    lblCircuit(5).setVisible(secondPart);
    lblFilter(1).setVisible(secondPart);
    txtFilter(1).setVisible(secondPart);
}
