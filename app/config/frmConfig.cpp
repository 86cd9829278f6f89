#include "app/config/frmConfig.h"

#include <utility>

#include "app/config/config_checks.h"
#include "app/config/config_record.h"
#include "app/shared/main_window.h"
#include "app/shared/mdlPublic.h"
#include "platform/convert.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/strings.h"

using namespace mdlPublic;

namespace {

// Layout is designed in pixels and placed in twips.
constexpr int px(int pixels) { return pixels * platform::TwipsPerPixel; }

// Numeric boxes show 15 characters; the third column (line and parts) shows the longest part text
// of the catalogue. Pixels.
constexpr int kNumberBox = 122;
constexpr int kColumn2 = 274;
constexpr int kColumn3 = 745;

// Normal-state size of the window, twips.
constexpr int kNormalWidth = 15660;
constexpr int kNormalHeight = 7550;

// Where the diagram's wire ends before the line block: past the hidden second part in type 0, at
// the second part in types 1 and 2.
constexpr int kWireEndOnePart = 5000;

// Series of a stored part number; empty for a number of no filter series, which the series lookup
// would treat as a programming error.
std::string seriesOf(const std::string& partnum) {
    const std::string head = partnum.substr(0, 2);
    for (const char* known : {"KS", "QT", "R(", "JX"})
        if (head == known) return GetSeriesFromPartnum(partnum);
    return {};
}

}  // namespace

using app::FlagScope;

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
    constexpr int blockX[6] = {74, 152, 230, 380, 466, 300};
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

// ---- Load, window state and menus ---------------------------------------------------------------

void frmConfig::Form_Load() {
    if (ConfigWindowState == platform::StateNormal) {
        setWidth(kNormalWidth);
        setHeight(kNormalHeight);
    }
    setCaptions();
    setCaption(mdlPublic::simCaptionPrefix(SimCount));
    fillLists();
    enableAtLoad(cmdSelect);
    // Unfinished blocks until their inputs are complete.
    setPicture(0, "inr");
    setPicture(1, "icr");
    setPicture(3, "transr");
    setPicture(4, "icr");
    if (CurrentSim == SimCount)
        newSimulationDefaults();
    else
        LoadConfig(CurrentSim);
    setWindowState(ConfigWindowState);
}

void frmConfig::setCaptions() {
    setMenuCaptions(5086);

    const auto text = [](int id) { return platform::LoadResString(id); };
    const int type = simType();
    // Part captions by circuit type: diagram block 2, block 5, part box 0, part box 1.
    static const char* const partCaptions[3][4] = {
        {"Filter", "", "Filter", ""},
        {"EMI Filter", "Chip Capacitor", "EMI Filter", "Chip Capacitor"},
        {"EMI Filter(KSV+QTA)", "", "EMI Filter(KSV)", "EMI Filter(QTA)"},
    };
    lblCircuitTitle.setCaption(text(5217) + "\n" + text(5218));
    lblCircuit(0).setCaption(text(5211));
    lblCircuit(1).setCaption(text(5212));
    lblCircuit(2).setCaption(partCaptions[type][0]);
    lblCircuit(5).setCaption(partCaptions[type][1]);
    lblCircuit(3).setCaption(text(5214));
    lblCircuit(4).setCaption(text(5215));
    lblMeasure(0).setCaption(text(5216));
    lblMeasure(1).setCaption(text(5219));
    fraClock.setCaption(text(5211));
    lblClockHz.setCaption(text(5221));
    lblDuty.setCaption(text(5222));
    lblUp.setCaption(text(5223));
    lblDown.setCaption(text(5224));
    lblVoltage.setCaption(text(5225));
    fraSelectIc(0).setCaption(text(5212));
    fraSelectIc(1).setCaption(text(5215));
    for (int i = 0; i < 2; ++i) {
        optSelectIc(i).setCaption(text(5232));
        optSelectCircuit(i).setCaption(text(5293 + i));
        lblSelectIcPrimary(i).setCaption(text(5234));
        lblSelectIc(i).setCaption(text(5235));
    }
    fraFilter.setCaption("Filter " + text(5241));
    lblFilter(0).setCaption(partCaptions[type][2]);
    lblFilter(1).setCaption(partCaptions[type][3]);
    cmdSelect.setCaption(text(5242));
    cmdReset.setCaption(text(5243));
    fraDensou.setCaption(text(5214));
    for (int k = 0; k < 3; ++k) optConfigTrans(k).setCaption(text(5251 + k));
    for (int k = 0; k < 5; ++k) lblConfigTrans(k).setCaption(text(5254 + k));
    cmdFigure.setCaption(text(5202));
    cmdSimulation.setCaption(text(5270));
    lblWarning.setCaption(text(5401) + "\n" + text(5402));
}

void frmConfig::fillLists() {
    // Driver entries come first in the IC table; the receiver families start at the first input model.
    int d = 0;
    while (d < IcCount && IcIndex[static_cast<std::size_t>(d)].Kind != 1) ++d;
    const auto fill = [](platform::ComboBox& list, int from, int to) {
        for (int j = from; j < to; ++j) {
            const std::string& family = IcIndex[static_cast<std::size_t>(j)].Family;
            bool known = false;
            for (int k = 0; k < list.ListCount(); ++k) known = known || list.List(k) == family;
            if (!known) list.AddItem(family);
        }
    };
    fill(cboSelectIcPrimary(0), 0, d);
    fill(cboSelectIcPrimary(1), d, IcCount);
    for (const MaterialRecord& m : Materials) cboMaterial.AddItem(m.Name);
}

void frmConfig::newSimulationDefaults() {
    {
        const FlagScope guard(settingMeasure_);
        for (int i = 0; i < 2; ++i) setMeasure(i, 0, false);
    }
    setSignalDefaults();
    setLineDefaults();
}

void frmConfig::setSignalDefaults() {
    txtClockFreq.setText("10");
    txtDuty.setText("50");
    txtUp.setText("2");
    txtDown.setText("2");
    txtVoltage.setText(SetIcVoltage());
}

void frmConfig::setLineDefaults() {
    optConfigTrans(0).setValue(true);
    txtConfigTrans(0).setText(platform::CStr(0.1));
    txtConfigTrans(1).setText(platform::CStr(1.6));
    txtConfigTrans(2).setText("100");
    cboMaterial.setText(Materials[3].Name);
}

// The part box takes the focus when the form is shown (ShowConfigForm); a window restored or
// maximized by the user keeps the focus where the user put it.
void frmConfig::Form_Resize() {
    if (!Visible() || WindowState() == platform::StateMinimized) return;
    ConfigWindowState = static_cast<std::int16_t>(WindowState());
}

void frmConfig::mnuSimFilconf_Click() { ArrangeSelectFil(txtFilter(1).Visible() ? 1 : 0); }

void frmConfig::mnuWindowClose_Click() {
    unloadForms({"frmChart", "frmChart2"});
    mnuWindowClose.setEnabled(false);
}

// ---- Buttons ----------------------------------------------------------------------------------

void frmConfig::cmdReset_Click() {
    trapped("cmdReset_Click", [this] {
        {
            const FlagScope guard(settingMeasure_);
            for (int i = 0; i < 2; ++i) {
                txtFilter(i).setText("");
                setMeasure(i, 0, false);
            }
        }
        setPicture(2, "ksvqtar");
        switch (simType()) {
        case 0: imgCircuit(5).setVisible(false); break;
        case 1:
            setPicture(5, "jxr");
            imgCircuit(5).setVisible(true);
            break;
        case 2:
            setPicture(5, "qtar");
            imgCircuit(5).setVisible(true);
            break;
        }
        txtFilter(0).SetFocus();
    });
}

// ---- Option groups ------------------------------------------------------------------------------

void frmConfig::showIcMode(int i, bool byList) {
    for (platform::Control* c : {static_cast<platform::Control*>(&lblSelectIcPrimary(i)),
                                 static_cast<platform::Control*>(&cboSelectIcPrimary(i)),
                                 static_cast<platform::Control*>(&lblSelectIc(i)),
                                 static_cast<platform::Control*>(&cboSelectIc(i))})
        c->setVisible(byList);
    for (platform::Control* c : {static_cast<platform::Control*>(&picSelectedIc(i)),
                                 static_cast<platform::Control*>(&lblR(i)), static_cast<platform::Control*>(&txtR(i)),
                                 static_cast<platform::Control*>(&lblL(i)), static_cast<platform::Control*>(&txtL(i)),
                                 static_cast<platform::Control*>(&lblC(i)), static_cast<platform::Control*>(&txtC(i))})
        c->setVisible(!byList);
    if (i == 1) {
        lblR(2).setVisible(!byList);
        txtR(2).setVisible(!byList);
    }
}

void frmConfig::optSelectIc_Click(int index) {
    trapped("optSelectIc_Click", [this, index] {
        showIcMode(index, true);
        txtVoltage.setText(SetIcVoltage());
        setPicture(index == 0 ? 1 : 4, cboSelectIc(index).Text().empty() ? "icr" : "icb");
    });
}

void frmConfig::optSelectCircuit_Click(int index) {
    showIcMode(index, false);
    txtVoltage.setText(SetIcVoltage());
    CheckCircuitConfig(index);
}

void frmConfig::showLineMode(int mode) {
    static const int captions[3][6] = {
        {5254, 5255, 5256, 5257, 5258, 0}, {5258, 5259, 5256, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
    for (int k = 0; k < 6; ++k) {
        const int id = captions[mode][k];
        lblConfigTrans(k).setCaption(id ? platform::LoadResString(id) : std::string());
    }
    // The new mode's option is already selected, so the other mode's texts stay remembered.
    for (int k = 0; k < 3; ++k)
        txtConfigTrans(k).setText(mode < 2 ? TransText[static_cast<std::size_t>(mode)][static_cast<std::size_t>(k)] : "");
    showLineControls(mode);
}

void frmConfig::showLineControls(int mode) {
    const int shownLabels = mode == 0 ? 6 : mode == 1 ? 3 : 0;
    for (int k = 0; k < 6; ++k) lblConfigTrans(k).setVisible(k < shownLabels);
    for (int k = 0; k < 3; ++k) txtConfigTrans(k).setVisible(mode < 2);
    cboMaterial.setVisible(mode == 0);
    cmdFigure.setVisible(mode == 0);
}

void frmConfig::optConfigTrans_Click(int index) {
    CheckTransConfig();
    showLineMode(index);
    if (index == 0) CalcLineImpedance();
}

void frmConfig::txtConfigTrans_Change(int index) {
    CheckTransConfig();
    for (int m = 0; m < 2; ++m)
        if (optConfigTrans(m).Value())
            TransText[static_cast<std::size_t>(m)][static_cast<std::size_t>(index)] = txtConfigTrans(index).Text();
}

int frmConfig::selectedLineMode() const {
    if (optConfigTrans(0).Value()) return 0;
    if (optConfigTrans(1).Value()) return 1;
    return 2;
}

int frmConfig::simType() const {
    const std::string type = GetAppSetting("SimType");
    if (type == "0") return 0;
    if (type == "1") return 1;
    if (type == "2") return 2;
    platform::stopProgram("frmConfig: SimType " + type);
}

void frmConfig::setPicture(int index, const std::string& key) {
    imgCircuit(index).setPicture(key, app::mainWindow().imlMain.picture(key));
}

void frmConfig::setMeasure(int index, int value, bool enabled) {
    chkMeasure(index).setValue(value);
    chkMeasure(index).setEnabled(enabled);
}

config::ConfigInputs frmConfig::inputs() const {
    config::ConfigInputs in;
    in.simType = simType();
    for (int i = 0; i < 2; ++i) {
        in.measureValue[static_cast<std::size_t>(i)] = chkMeasure(i).Value();
        in.measureEnabled[static_cast<std::size_t>(i)] = chkMeasure(i).Enabled();
        in.partText[static_cast<std::size_t>(i)] = txtFilter(i).Text();
    }
    in.clockFreq = txtClockFreq.Text();
    in.duty = txtDuty.Text();
    in.rise = txtUp.Text();
    in.fall = txtDown.Text();
    in.voltage = txtVoltage.Text();
    for (int i = 0; i < 2; ++i) {
        config::IcInputs& ic = i == 0 ? in.driver : in.receiver;
        ic.byList = optSelectIc(i).Value();
        ic.byCircuit = optSelectCircuit(i).Value();
        ic.family = cboSelectIcPrimary(i).Text();
        ic.name = cboSelectIc(i).Text();
        ic.r = txtR(i).Text();
        ic.l = txtL(i).Text();
        ic.c = txtC(i).Text();
    }
    in.receiver.r2 = txtR(2).Text();
    in.lineMode = selectedLineMode();
    for (int k = 0; k < 3; ++k) in.lineText[static_cast<std::size_t>(k)] = txtConfigTrans(k).Text();
    in.material = cboMaterial.Text();
    in.lineImpedanceShown = lblConfigTrans(5).Caption();
    return in;
}

// ---- Checks -------------------------------------------------------------------------------------

bool frmConfig::CheckConfig() {
    if (ChartCount >= MaxCharts) return refuse(config::msgTooManyCharts);
    if (!IsConfigComplete()) return refuse(config::msgNotComplete);
    // Ticked counts, enabled or not.
    if (chkMeasure(0).Value() != 1 && chkMeasure(1).Value() != 1) return refuse(config::msgNoMeasuringPoint);
    if (!checkParts()) return false;
    if (!CheckNumeric()) return false;
    if (!CheckPositive()) return false;
    if (const int message = config::rangeMessage(inputs())) return refuse(message);
    if (!CheckPeriodEnd()) return false;
    // The line's ranges come after every check of the inputs themselves.
    if (const int message = config::lineMessage(inputs())) return refuse(message);
    return true;
}

bool frmConfig::checkParts() {
    const int type = simType();
    const int kind = partnumType();
    for (int box = 0; box < (type == 0 ? 1 : 2); ++box) {
        const std::int16_t k = config::findPart(txtFilter(box).Text(), type, box, kind);
        if (k < 0) return refuse(config::msgUnknownPart);
        SetSelectedFil(k, box);
    }
    return true;
}

bool frmConfig::IsConfigComplete() {
    // All three run, so both marks are refreshed.
    const bool signal = CheckClockConfig();
    const std::string part = txtFilter(0).Text();
    const bool line = CheckTransConfig();
    if (!signal || !line || part.empty()) return false;
    if (simType() == 1 && txtFilter(1).Text().empty()) return false;
    for (int i = 0; i < 2; ++i) {
        if (optSelectIc(i).Value()) {
            if (cboSelectIc(i).Text().empty()) return false;
        } else if (!CheckCircuitConfig(i)) {
            return false;
        }
    }
    return true;
}

bool frmConfig::CheckClockConfig() {
    return trappedCheck("CheckClockConfig", [this] {
        const bool complete = config::signalComplete(inputs());
        setPicture(0, complete ? "inb" : "inr");
        return complete;
    });
}

bool frmConfig::CheckTransConfig() {
    return trappedCheck("CheckTransConfig", [this] {
        const bool complete = config::lineComplete(inputs());
        setPicture(3, complete ? "transb" : "transr");
        return complete;
    });
}

bool frmConfig::CheckCircuitConfig(int which) {
    return trappedCheck("CheckCircuitConfig", [this, which] {
        const bool complete = config::circuitComplete(inputs(), which);
        setPicture(which == 0 ? 1 : 4, complete ? "icb" : "icr");
        return complete;
    });
}

bool frmConfig::CheckNumeric() {
    if (!config::allNumeric(inputs())) return refuse(config::msgNotNumeric);
    return config::allFitTheNetlist(inputs()) || refuse(config::msgNumberTooLong);
}

bool frmConfig::CheckPositive() { return config::allPositive(inputs()) || refuse(config::msgNotPositive); }

bool frmConfig::CheckPeriodEnd() { return config::noPeriodEnd(inputs()) || refuse(config::msgPeriodEnd); }

// ---- IC, part and line inputs -------------------------------------------------------------------

void frmConfig::cboSelectIcPrimary_Click(int index) {
    trapped("cboSelectIcPrimary_Click", [this, index] {
        platform::ComboBox& names = cboSelectIc(index);
        names.Clear();
        const std::string family = cboSelectIcPrimary(index).Text();
        for (int j = 0; j < IcCount; ++j) {
            const IcIndexRecord& ic = IcIndex[static_cast<std::size_t>(j)];
            if (ic.Family == family && ic.Kind == index) names.AddItem(ic.Name);
        }
        if (index == 0 || index == 1) setPicture(index == 0 ? 1 : 4, "icr");
    });
}

void frmConfig::cboSelectIc_Click(int index) {
    trapped("cboSelectIc_Click", [this, index] {
        txtVoltage.setText(SetIcVoltage());
        setPicture(index == 0 ? 1 : 4, "icb");
    });
}

std::string frmConfig::SetIcVoltage() const {
    const auto voltageOf = [](int kind, const std::string& name) {
        for (int j = 0; j < IcCount; ++j) {
            const IcIndexRecord& ic = IcIndex[static_cast<std::size_t>(j)];
            if (ic.Kind == kind && ic.Name == name) return platform::CStr(ic.Voltage);
        }
        return std::string();
    };
    // The driver's IC wins; an IC given by R, L, C sets no voltage.
    if (optSelectIc(0).Value() && !cboSelectIc(0).Text().empty()) return voltageOf(0, cboSelectIc(0).Text());
    if (optSelectIc(1).Value() && !cboSelectIc(1).Text().empty()) return voltageOf(1, cboSelectIc(1).Text());
    return "5";
}

void frmConfig::txtFilter_KeyPress(int index, int& keyAscii) {
    if (keyAscii != 13) return;
    keyAscii = 0;
    const int type = simType();
    if (type != 0 && index != 0 && index != 1) platform::stopProgram("txtFilter_KeyPress: box " + std::to_string(index));
    // Type 0 shows one part box only.
    const int box = type == 0 ? 0 : index;
    const std::int16_t k = config::findPart(txtFilter(box).Text(), type, box, partnumType());
    if (k < 0) {
        refuse(config::msgUnknownPart);
        return;
    }
    SetSelectedFil(k, index);
    SetMeasureCheck(k);
}

void frmConfig::SetSelectedFil(int part, int box) {
    trapped("SetSelectedFil", [this, part, box] {
        const FilterIndexRecord& p = FilterIndex.at(static_cast<std::size_t>(part));
        txtFilter(box).setText(config::partDisplayText(p, partnumType()));
        const int type = simType();
        if (type == 0) {
            static const char* const keys[3] = {"ksvb", "qtab", "jxb"};
            if (p.PartType < 0 || p.PartType > 2) platform::stopProgram("SetSelectedFil: part type " + std::to_string(p.PartType));
            setPicture(2, keys[p.PartType]);
        } else if (box == 0) {
            setPicture(2, "ksvb");
        } else if (box == 1) {
            setPicture(5, type == 1 ? "jxb" : "qtab");
        } else {
            platform::stopProgram("SetSelectedFil: box " + std::to_string(box));
        }
    });
}

void frmConfig::SetMeasureCheck(int part) {
    const FlagScope guard(settingMeasure_);
    const bool bead = FilterIndex.at(static_cast<std::size_t>(part)).PartType == 0;
    if (simType() == 0 && !bead) {
        // Only the receiver's waveform means something behind a filter or capacitor.
        setMeasure(0, 0, false);
        setMeasure(1, 1, false);
    } else if (simType() == 0) {
        if (chkMeasure(0).Value() == 0 && chkMeasure(1).Value() == 0) {
            chkMeasure(0).setValue(1);
            chkMeasure(1).setValue(1);
        }
        chkMeasure(0).setEnabled(true);
        chkMeasure(1).setEnabled(true);
    } else {
        setMeasure(0, 1, true);
        setMeasure(1, 1, true);
    }
}

void frmConfig::chkMeasure_Click(int index) {
    if (settingMeasure_) return;
    const bool neither = chkMeasure(0).Value() == 0 && chkMeasure(1).Value() == 0;
    if (!neither || (!chkMeasure(0).Enabled() && !chkMeasure(1).Enabled())) return;
    refuse(config::msgNoMeasuringPoint);
    const FlagScope guard(settingMeasure_);
    chkMeasure(index).setValue(1);
}

void frmConfig::txtConfigTrans_KeyPress(int index, int& keyAscii) {
    if (keyAscii != 13 || !optConfigTrans(0).Value()) return;
    if (!config::isLineNumber(txtConfigTrans(index).Text())) {
        refuse(config::msgNumericValue);
        return;
    }
    CalcLineImpedance();
}

void frmConfig::CalcLineImpedance() {
    // The length is checked too, although the impedance does not depend on it.
    if (!linePositive(txtConfigTrans, 3, config::msgLinePositive)) return;
    if (!config::lineHasImpedance(inputs())) {
        lblConfigTrans(5).setCaption("");
        refuse(config::msgLineOutside);
        return;
    }
    lblConfigTrans(5).setCaption(config::lineImpedanceText(inputs()));
}

void frmConfig::picLogo_DblClick() {
    trapped("picLogo_DblClick", [this] {
        setSignalDefaults();
        cboSelectIcPrimary(0).setText("CMOS");
        cboSelectIc(0).setText("74HC04");
        optSelectIc(0).setValue(true);
        const bool materialShown = cboMaterial.Text() == Materials[3].Name;
        setLineDefaults();
        // Without a change of material no handler has shown the impedance of the new geometry: a
        // switch of mode computed it from the texts remembered before.
        if (materialShown) CalcLineImpedance();
        cboSelectIcPrimary(1).setText("CMOS");
        cboSelectIc(1).setText("74HC04");
        optSelectIc(1).setValue(true);
        txtFilter(0).SetFocus();
    });
}

// ---- The simulation's record --------------------------------------------------------------------

void frmConfig::SaveConfig(std::int16_t s) {
    if (s < 0 || s >= MaxSims) platform::raiseError(platform::errSubscript);
    // The impedance stored (shown on review, printed) must be the simulated geometry's, also when
    // an edit was never confirmed with Enter; the checks have passed its boxes as positive numbers.
    if (selectedLineMode() == 0) lblConfigTrans(5).setCaption(config::lineImpedanceText(inputs()));
    config::storeConfig(inputs(), SimConfigs[static_cast<std::size_t>(s)]);
}

void frmConfig::LoadConfig(std::int16_t s) {
    trapped("LoadConfig", [this, s] {
        using config::shownLcr;
        if (s < 0 || s >= MaxSims) platform::raiseError(platform::errSubscript);
        const SimConfigRecord& r = SimConfigs[static_cast<std::size_t>(s)];
        {
            const FlagScope guard(settingMeasure_);
            for (int i = 0; i < 2; ++i) {
                const int m = r.Measure[static_cast<std::size_t>(i)];
                setMeasure(i, m >= 2 ? m - 2 : m, m < 2);
            }
        }
        txtClockFreq.setText(r.ClockFreq);
        txtDuty.setText(r.Duty);
        txtUp.setText(r.RiseTime);
        txtDown.setText(r.FallTime);
        txtVoltage.setText(r.Voltage);

        if (r.DriverByLcr == 1) {
            optSelectCircuit(0).setValue(true);
            txtR(0).setText(shownLcr(r.DriverR, config::TinyR));
            txtL(0).setText(shownLcr(r.DriverL, config::TinyL));
            txtC(0).setText(shownLcr(r.DriverC, config::TinyC));
            showIcMode(0, false);
        } else {
            optSelectIc(0).setValue(true);
            cboSelectIcPrimary(0).setText(r.DriverIcType);
            cboSelectIc(0).setText(r.DriverIc);
            showIcMode(0, true);
        }

        const std::string withNote = r.PartNum[0] + " (" + r.PartNote + ")";
        switch (r.SimType) {
        case 0: {
            const std::string series = seriesOf(r.PartNum[0]);
            if (series == "KSV") {
                setPicture(2, "ksvb");
                txtFilter(0).setText(withNote);
            } else {
                // A part of no filter series is shown as an unfinished block, for the checks to refuse.
                setPicture(2, series == "QTA" ? "qtab" : series == "JX" ? "jxb" : "ksvqtar");
                txtFilter(0).setText(r.PartNum[0]);
            }
            break;
        }
        case 1:
        case 2:
            setPicture(2, "ksvb");
            txtFilter(0).setText(withNote);
            setPicture(5, r.SimType == 1 ? "jxb" : "qtab");
            txtFilter(1).setText(r.PartNum[1]);
            break;
        }

        if (r.LineMode == 0) {
            optConfigTrans(0).setValue(true);
            txtConfigTrans(0).setText(r.LineW);
            txtConfigTrans(1).setText(r.LineH);
            txtConfigTrans(2).setText(r.LineLength);
            cboMaterial.setText(r.Material);
            lblConfigTrans(5).setCaption(r.LineZ0);
        } else if (r.LineMode == 1) {
            optConfigTrans(1).setValue(true);
            txtConfigTrans(0).setText(r.LineZ0);
            txtConfigTrans(1).setText(r.LineK);
            txtConfigTrans(2).setText(r.LineLength);
        } else {
            optConfigTrans(2).setValue(true);
        }
        showLineControls(r.LineMode);

        if (r.ReceiverByLcr == 1) {
            optSelectCircuit(1).setValue(true);
            txtL(1).setText(shownLcr(r.ReceiverL, config::TinyL));
            txtR(1).setText(shownLcr(r.ReceiverR, config::TinyR));
            txtC(1).setText(shownLcr(r.ReceiverC, config::TinyC));
            txtR(2).setText(r.ReceiverR2);
            showIcMode(1, false);
        } else {
            optSelectIc(1).setValue(true);
            cboSelectIcPrimary(1).setText(r.ReceiverIcType);
            cboSelectIc(1).setText(r.ReceiverIc);
            showIcMode(1, true);
        }

        setCaption(mdlPublic::simCaptionPrefix(s));
        // The IC choices above suggest their own voltage; the review shows what was simulated.
        txtVoltage.setText(r.Voltage);
    });
}
