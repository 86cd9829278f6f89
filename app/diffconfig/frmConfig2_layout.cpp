// Construction of the differential form: names, layout, captions and the wiring of its events.
#include <utility>

#include "app/diffconfig/frmConfig2.h"
#include "platform/convert.h"
#include "platform/strings.h"

namespace {

// Layout is designed in pixels and placed in twips.
constexpr int px(int pixels) { return pixels * platform::TwipsPerPixel; }

// Rows of the line group: label k and box k on row k.
constexpr int kLineRowTop = 70;
constexpr int kLineRowStep = 28;
constexpr int kLineBoxLeft = 250;

}  // namespace

frmConfig2::frmConfig2() : ConfigFormOf("frmConfig2", "trans2") {
    for (int k = 0; k < 5; ++k) lblConfigTrans.add(k, fraDensou);
    for (int k = 5; k < 9; ++k) lblConfigTrans.add(k, fraImp);
    for (int k = 0; k < 8; ++k) lineCircuit.add(k, fraCircuit, 0, 0, 0, 0);
    nameControls();
    layoutControls();
    // The interface fixes frequency and levels: the user never types them.
    txtClockFreq.setEnabled(false);
    for (int i = 0; i < 2; ++i) {
        txtVolHigh(i).setEnabled(false);
        txtVolLow(i).setEnabled(false);
    }
    // Designer default: the geometry, so that no mode change computes on empty boxes at load.
    optConfigTrans(0).setValue(true);
    wireEvents();
    // Tab reads the form column by column, the start last; the figure button stands beside the
    // line's first row, the material list on its fifth.
    setTabOrder({&fraDcc, &fraClock, &fraFilter, &optConfigTrans(0), &optConfigTrans(1), &optConfigTrans(2),
                 &optConfigTrans(3), &txtConfigTrans(0), &cmdFigure, &txtConfigTrans(1), &txtConfigTrans(2),
                 &txtConfigTrans(3), &cboMaterial, &txtConfigTrans(4), &cmdSimulation});
}

void frmConfig2::nameControls() {
    const std::pair<platform::Control*, const char*> single[] = {
        {&fraDcc, "fraDcc"},           {&lblDcc, "lblDcc"},           {&cboDcc, "cboDcc"},
        {&lblDccClock, "lblDccClock"}, {&cboDccClock, "cboDccClock"}, {&fraClock, "fraClock"},
        {&lblV1, "lblV1"},             {&lblV2, "lblV2"},             {&lblClockHz, "lblClockHz"},
        {&txtClockFreq, "txtClockFreq"}, {&lblVolHigh, "lblVolHigh"}, {&lblVolLow, "lblVolLow"},
        {&lblRiseTime, "lblRiseTime"}, {&lblFallTime, "lblFallTime"}, {&lblScue, "lblScue"},
        {&txtScue, "txtScue"},         {&cmdWave, "cmdWave"},         {&fraFilter, "fraFilter"},
        {&cmdSelect, "cmdSelect"},     {&cmdReset, "cmdReset"},       {&fraDensou, "fraDensou"},
        {&cboMaterial, "cboMaterial"}, {&cmdFigure, "cmdFigure"},     {&fraImp, "fraImp"},
        {&fraCircuit, "fraCircuit"},   {&lblCircuitTitle, "lblCircuitTitle"}, {&lblMeasure, "lblMeasure"},
        {&lblWarning, "lblWarning"},   {&cmdSimulation, "cmdSimulation"},
    };
    for (const auto& [control, name] : single) control->setName(name);
    txtVolHigh.setName("txtVolHigh");
    txtVolLow.setName("txtVolLow");
    txtRiseTime.setName("txtRiseTime");
    txtFallTime.setName("txtFallTime");
    txtFilter.setName("txtFilter");
    optConfigTrans.setName("optConfigTrans");
    lblConfigTrans.setName("lblConfigTrans");
    txtConfigTrans.setName("txtConfigTrans");
    lineCircuit.setName("Line");
    lblCircuit.setName("lblCircuit");
    imgCircuit.setName("imgCircuit");
}

void frmConfig2::layoutControls() {
    setClientSize(px(766), px(520));

    // Interface.
    fraDcc.Move(px(4), px(4), px(296), px(80));
    lblDcc.Move(px(10), px(24), px(158), px(18));
    cboDcc.Move(px(172), px(20), px(116), px(24));
    lblDccClock.Move(px(10), px(52), px(158), px(18));
    cboDccClock.Move(px(172), px(48), px(116), px(24));

    // Inputs: one row per quantity, V+ and V- side by side.
    fraClock.Move(px(4), px(88), px(296), px(232));
    lblV1.Move(px(170), px(18), px(56), px(16));
    lblV2.Move(px(230), px(18), px(56), px(16));
    const std::pair<platform::Label*, int> rows[] = {
        {&lblClockHz, 0}, {&lblVolHigh, 1}, {&lblVolLow, 2}, {&lblRiseTime, 3}, {&lblFallTime, 4}, {&lblScue, 5}};
    for (const auto& [label, row] : rows) label->Move(px(10), px(40 + 26 * row), px(158), px(18));
    const auto place = [](platform::TextBox& box, int row, int column) {
        box.Move(px(170 + 60 * column), px(37 + 26 * row), px(56), px(22));
    };
    place(txtClockFreq, 0, 0);
    for (int i = 0; i < 2; ++i) {
        place(txtVolHigh(i), 1, i);
        place(txtVolLow(i), 2, i);
        place(txtRiseTime(i), 3, i);
        place(txtFallTime(i), 4, i);
    }
    place(txtScue, 5, 0);
    cmdWave.Move(px(10), px(198), px(276), px(24));

    cmdSimulation.Move(px(4), px(326), px(296), px(38));

    // Choke.
    fraFilter.Move(px(304), px(4), px(458), px(84));
    txtFilter(0).Move(px(10), px(22), px(438), px(22));
    cmdSelect.Move(px(10), px(52), px(150), px(24));
    cmdReset.Move(px(166), px(52), px(90), px(24));

    layoutLineGroup();
    layoutDiagram();
    lblWarning.Move(px(580), px(380), px(180), px(80));
    lblWarning.setForeColor(platform::RGB(192, 0, 0));
}

void frmConfig2::layoutLineGroup() {
    fraDensou.Move(px(304), px(92), px(458), px(272));
    optConfigTrans(0).Move(px(10), px(20), px(200), px(20));
    optConfigTrans(1).Move(px(214), px(20), px(238), px(20));
    optConfigTrans(2).Move(px(10), px(42), px(200), px(20));
    optConfigTrans(3).Move(px(214), px(42), px(238), px(20));
    for (int k = 0; k < 5; ++k) {
        lblConfigTrans(k).Move(px(10), px(kLineRowTop + 3 + kLineRowStep * k), px(kLineBoxLeft - 14), px(18));
        txtConfigTrans(k).Move(px(kLineBoxLeft), px(kLineRowTop + kLineRowStep * k), px(70), px(22));
    }
    // The material takes the fifth row, whose box the geometry does not use, out to the right edge
    // of the button and the impedance frame: the closed box shows every name with its constant.
    cboMaterial.Move(px(122), px(kLineRowTop - 4 + kLineRowStep * 4), px(326), px(24));
    cmdFigure.Move(px(330), px(kLineRowTop), px(118), px(24));
    fraImp.Move(px(10), px(216), px(438), px(46));
    lblConfigTrans(5).Move(px(8), px(18), px(130), px(18));
    lblConfigTrans(7).Move(px(140), px(18), px(64), px(18));
    lblConfigTrans(6).Move(px(216), px(18), px(150), px(18));
    lblConfigTrans(8).Move(px(368), px(18), px(64), px(18));
}

void frmConfig2::layoutDiagram() {
    fraCircuit.Move(px(4), px(370), px(570), px(144));
    lblCircuitTitle.Move(px(8), px(56), px(64), px(36));

    // V+ runs along the top row and V- along the bottom one; driver and choke sit between them.
    constexpr int top = 32, bottom = 88, middle = 60, wire = 24;
    const int pieces[6][2] = {{74, top}, {74, bottom}, {166, middle}, {262, middle}, {368, top}, {368, bottom}};
    for (int k = 0; k < 6; ++k) imgCircuit(k).Move(px(pieces[k][0]), px(pieces[k][1]), px(64), px(48));
    const int captions[5] = {66, 158, 254, 350, 474};
    for (int k = 0; k < 5; ++k) lblCircuit(k).Move(px(captions[k]), px(14), px(k == 3 ? 116 : 90), px(16));

    const auto wireLine = [this](int k, int x1, int y1, int x2, int y2) {
        lineCircuit(k).setX1(px(x1));
        lineCircuit(k).setY1(px(y1));
        lineCircuit(k).setX2(px(x2));
        lineCircuit(k).setY2(px(y2));
    };
    wireLine(0, 138, top + wire, 166, middle + wire);      // V+ into the driver
    wireLine(1, 138, bottom + wire, 166, middle + wire);   // V- into the driver
    wireLine(2, 230, middle + wire, 262, middle + wire);   // driver to choke
    wireLine(3, 326, middle + wire, 368, top + wire);      // choke to the V+ strip
    wireLine(4, 326, middle + wire, 368, bottom + wire);   // choke to the V- strip
    wireLine(5, 432, top + wire, 470, top + wire);         // to the V+ receiver
    wireLine(6, 432, bottom + wire, 470, bottom + wire);   // to the V- receiver
    wireLine(7, 470, top + wire, 470, bottom + wire);      // the receivers' measuring nodes
    lblMeasure.Move(px(478), px(middle + 6), px(88), px(36));
}

void frmConfig2::setCaptions() {
    setMenuCaptions(6671);

    const auto text = [](int id) { return platform::LoadResString(id); };
    fraDcc.setCaption(text(6601));
    lblDcc.setCaption(text(6602));
    lblDccClock.setCaption(text(6603));
    fraClock.setCaption(text(6612));
    lblV1.setCaption("V+");
    lblV2.setCaption("V-");
    lblClockHz.setCaption(text(6620));
    lblVolHigh.setCaption(text(6621));
    lblVolLow.setCaption(text(6622));
    lblRiseTime.setCaption(text(6623));
    lblFallTime.setCaption(text(6624));
    lblScue.setCaption(text(6625));
    cmdWave.setCaption(text(6626));
    fraFilter.setCaption("EMI Filter");
    cmdSelect.setCaption(text(6640));
    cmdReset.setCaption(text(6641));
    fraDensou.setCaption(text(6615));
    for (int k = 0; k < 4; ++k) optConfigTrans(k).setCaption(text(6650 + k));
    for (int k = 0; k < 5; ++k) lblConfigTrans(k).setCaption(text(6655 + k));
    fraImp.setCaption(text(6660));
    lblConfigTrans(5).setCaption(text(6661));
    lblConfigTrans(6).setCaption(text(6662));
    cmdFigure.setCaption(text(6654));
    lblCircuitTitle.setCaption(text(6610) + "\n" + text(6611));
    const int pieceNames[5] = {6612, 6613, 0, 6615, 6617};
    for (int k = 0; k < 5; ++k) lblCircuit(k).setCaption(pieceNames[k] ? text(pieceNames[k]) : "EMI Filter");
    lblMeasure.setCaption(text(6619));
    lblWarning.setCaption(text(5401) + "\n" + text(5402));
    cmdSimulation.setCaption(text(6670));
}

void frmConfig2::wireEvents() {
    wireMenus();

    cboDcc.Click = [this] { cboDcc_Click(); };
    cboDccClock.Click = [this] { cboDccClock_Click(); };
    cboMaterial.Click = [this] {
        // A chosen material completes the geometry.
        CheckTransConfig();
        if (!quietMaterial_) CalcLineImpedance();
    };
    cmdSimulation.Click = [this] { cmdSimulation_Click(); };
    cmdSelect.Click = [this] { mnuSimFilconf_Click(); };
    cmdReset.Click = [this] { cmdReset_Click(); };
    cmdFigure.Click = [this] { cmdFigure_Click(); };
    cmdWave.Click = [this] { cmdWave_Click(); };

    const auto clockChanged = [this] { CheckClockConfig(); };
    const auto clockArrayChanged = [this](int) { CheckClockConfig(); };
    txtClockFreq.Change = clockChanged;
    txtScue.Change = clockChanged;
    for (auto* boxes : {&txtVolHigh, &txtVolLow, &txtRiseTime, &txtFallTime}) boxes->Change = clockArrayChanged;
    txtConfigTrans.Change = [this](int index) { txtConfigTrans_Change(index); };
    txtConfigTrans.KeyPress = [this](int index, int& key) { txtConfigTrans_KeyPress(index, key); };
    txtFilter.KeyPress = [this](int index, int& key) { txtFilter_KeyPress(index, key); };
    optConfigTrans.Click = [this](int index) { optConfigTrans_Click(index); };

    // Entering a box selects its whole text, so typing replaces it.
    const auto selectAll = [](platform::TextBox& box) {
        box.setSelStart(0);
        box.setSelLength(static_cast<int>(platform::Len(box.Text())));
    };
    for (platform::TextBox* box : {&txtClockFreq, &txtScue}) box->GotFocus = [box, selectAll] { selectAll(*box); };
    for (auto* boxes : {&txtVolHigh, &txtVolLow, &txtRiseTime, &txtFallTime, &txtConfigTrans, &txtFilter})
        boxes->GotFocus = [boxes, selectAll](int i) { selectAll((*boxes)(i)); };
}
