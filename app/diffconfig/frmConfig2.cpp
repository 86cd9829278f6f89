#include "app/diffconfig/frmConfig2.h"

#include <utility>

#include "app/shared/shared_checks.h"
#include "app/diffconfig/diff_checks.h"
#include "app/diffconfig/diff_dcc.h"
#include "app/diffconfig/diff_line.h"
#include "app/diffconfig/diff_record.h"
#include "app/diffconfig/frmWave.h"
#include "app/shared/main_window.h"
#include "platform/convert.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/strings.h"

using namespace mdlPublic;
using app::refuse;

namespace {

// Normal-state size and place of the window, twips.
constexpr int kNormalWidth = 11620;
constexpr int kNormalHeight = 8450;

// A refused geometry has no impedances to show.
void clearImpedances(frmConfig2& form) {
    form.lblConfigTrans(7).setCaption("");
    form.lblConfigTrans(8).setCaption("");
}

}  // namespace

// ---- Load, window state and menus ---------------------------------------------------------------

void frmConfig2::Form_Load() {
    if (Config2WindowState == platform::StateNormal) Move(0, 0, kNormalWidth, kNormalHeight);
    setCaptions();
    showLineControls(diffconfig::LineGeometry);
    setCaption(simCaptionPrefix(SimCount));
    for (const MaterialRecord& m : Materials) cboMaterial.AddItem(m.Name);
    for (const std::string& type : diffconfig::dccTypes()) cboDcc.AddItem(type);

    enableAtLoad(cmdSelect);
    // The driver's picture never changes; the other pieces start unfinished.
    setPicture(2, "icb");
    for (const auto& [index, key] : {std::pair{0, "inr"}, {1, "in-r"}, {3, "wqr"}, {4, "transr"}, {5, "transr"}})
        setPicture(index, key);

    if (CurrentSim != SimCount)
        LoadConfig(CurrentSim);
    else
        newSimulationDefaults();
    setWindowState(Config2WindowState);
}

void frmConfig2::newSimulationDefaults() {
    cboDcc.setText(diffconfig::dccTypeOfSetting(GetAppSetting("DccType")));
    SetDccClockList(cboDcc.Text());
    cboDccClock.setListIndex(0);
    SetDccDefaults(cboDcc.Text(), cboDccClock.Text());
    for (int i = 0; i < 2; ++i) {
        txtRiseTime(i).setText("1");
        txtFallTime(i).setText("1");
    }
    txtScue.setText("0");
    optConfigTrans(diffconfig::LineGeometry).setValue(true);
    txtConfigTrans(0).setText(platform::CStr(0.5));
    txtConfigTrans(1).setText("1");
    txtConfigTrans(2).setText("1");
    txtConfigTrans(3).setText("100");
    cboMaterial.setListIndex(3);
}

void frmConfig2::Form_Resize() {
    if (!Visible() || WindowState() == platform::StateMinimized) return;
    Config2WindowState = static_cast<std::int16_t>(WindowState());
}

void frmConfig2::mnuSimFilconf_Click() { ArrangeSelectFil(0); }

void frmConfig2::mnuWindowClose_Click() {
    closeChartWindows();
    mnuWindowClose.setEnabled(false);
}

void frmConfig2::cmdWave_Click() { SetTopMost(platform::defaultForm<frmWave>(), 1); }

// ---- Interface and clock ------------------------------------------------------------------------

void frmConfig2::cboDcc_Click() {
    const std::string type = cboDcc.Text();
    saveAppSetting("DccType", diffconfig::dccSetting(type));
    SetDccClockList(type);
    const bool cable = optConfigTrans(diffconfig::LineCable).Value();
    if (type != "LVDS") {
        optConfigTrans(diffconfig::LineCable).setEnabled(true);
        if (cable) lblConfigTrans(0).setCaption(type);
    } else {
        optConfigTrans(diffconfig::LineCable).setEnabled(false);
        // LVDS has no interface cable: the pair would have no line model at all.
        if (cable) optConfigTrans(diffconfig::LineGeometry).setValue(true);
    }
}

void frmConfig2::cboDccClock_Click() { SetDccDefaults(cboDcc.Text(), cboDccClock.Text()); }

void frmConfig2::SetDccClockList(const std::string& type) {
    cboDccClock.Clear();
    for (const std::string& clock : diffconfig::dccClocks(type)) cboDccClock.AddItem(clock);
    cboDccClock.setListIndex(0);
}

void frmConfig2::SetDccDefaults(const std::string& type, const std::string& clock) {
    const diffconfig::DccDefaults d = diffconfig::dccDefaults(type, clock);
    txtClockFreq.setText(d.clockFreq);
    for (int i = 0; i < 2; ++i) {
        txtVolHigh(i).setText(d.volHigh);
        txtVolLow(i).setText(d.volLow);
    }
}

// ---- Choke --------------------------------------------------------------------------------------

void frmConfig2::showChosenPart(int, const std::string&) { setPicture(3, "wqb"); }

void frmConfig2::showChoke(int k) {
    txtFilter(0).setText(partDisplayText(FilterIndex.at(static_cast<std::size_t>(k)), partnumType()));
    setPicture(3, "wqb");
}

void frmConfig2::txtFilter_KeyPress(int, int& keyAscii) {
    if (keyAscii != 13) return;
    keyAscii = 0;
    const std::int16_t k = CheckFilPartnum(txtFilter(0).Text(), 4, partnumType());
    if (k < 0) {
        refuse(diffconfig::msgUnknownPart);
        return;
    }
    showChoke(k);
}

void frmConfig2::cmdReset_Click() {
    trapped("cmdReset_Click", [this] {
        txtFilter(0).setText("");
        setPicture(3, "wqr");
        txtFilter(0).SetFocus();
    });
}

// ---- Checks -------------------------------------------------------------------------------------

bool frmConfig2::CheckConfig() {
    using namespace diffconfig;
    if (ChartCount >= MaxCharts) return refuse(msgTooManyCharts);
    if (!IsConfigComplete()) return refuse(msgNotComplete);
    const std::int16_t k = CheckFilPartnum(txtFilter(0).Text(), 4, partnumType());
    if (k < 0) return refuse(msgUnknownPart);
    // As Enter does: what is stored and looked up later is always the part's own text.
    showChoke(k);
    const DiffInputs in = inputs();
    if (!allNumeric(in)) return refuse(msgNotNumeric);
    if (!allPositive(in)) return refuse(msgNotPositive);
    if (const int message = rangeMessage(in)) return refuse(message);
    if (!noPeriodEnd(in)) return refuse(msgPeriodEnd);
    if (!edgesFit(in)) return refuse(msgEdgesTooLong);
    // The line's ranges come after every check of the inputs themselves.
    if (const int message = startGeometryMessage(in)) {
        // As after Enter: the impedances of a refused geometry are not shown.
        clearImpedances(*this);
        return refuse(message);
    }
    if (const int message = lineMessage(in)) return refuse(message);
    return true;
}

bool frmConfig2::IsConfigComplete() {
    // Both run, so both picture groups are refreshed.
    const bool clock = CheckClockConfig();
    const std::string part = txtFilter(0).Text();
    const bool line = CheckTransConfig();
    return clock && line && !part.empty();
}

bool frmConfig2::CheckClockConfig() {
    return trappedCheck("CheckClockConfig", [this] {
        const bool complete = diffconfig::clockComplete(inputs());
        setPicture(0, complete ? "inb" : "inr");
        setPicture(1, complete ? "in-b" : "in-r");
        return complete;
    });
}

bool frmConfig2::CheckTransConfig() {
    return trappedCheck("CheckTransConfig", [this] {
        const bool complete = diffconfig::lineComplete(inputs());
        for (const int index : {4, 5}) setPicture(index, complete ? "transb" : "transr");
        return complete;
    });
}

diffconfig::DiffInputs frmConfig2::inputs() const {
    diffconfig::DiffInputs in;
    in.dccType = cboDcc.Text();
    in.dccClock = cboDccClock.Text();
    in.clockFreq = txtClockFreq.Text();
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        in.volHigh[k] = txtVolHigh(i).Text();
        in.volLow[k] = txtVolLow(i).Text();
        in.rise[k] = txtRiseTime(i).Text();
        in.fall[k] = txtFallTime(i).Text();
    }
    in.skew = txtScue.Text();
    in.partText = txtFilter(0).Text();
    in.lineMode = selectedLineMode();
    for (int k = 0; k < 5; ++k) in.lineText[static_cast<std::size_t>(k)] = txtConfigTrans(k).Text();
    in.material = cboMaterial.Text();
    in.lineZShown = {lblConfigTrans(7).Caption(), lblConfigTrans(8).Caption()};
    return in;
}

int frmConfig2::selectedLineMode() const {
    for (int m = 0; m < 3; ++m)
        if (optConfigTrans(m).Value()) return m;
    return diffconfig::LineIgnored;
}

void frmConfig2::setPicture(int index, const std::string& key) {
    imgCircuit(index).setPicture(key, app::mainWindow().imlMain.picture(key));
}

// ---- Line group ---------------------------------------------------------------------------------

void frmConfig2::optConfigTrans_Click(int index) {
    if (index < 0 || index > 3) return;
    CheckTransConfig();
    showLineMode(index);
    if (index == diffconfig::LineGeometry) {
        lblConfigTrans(7).setCaption("");
        lblConfigTrans(8).setCaption("");
        CalcLineImpedance();
    }
}

void frmConfig2::showLineControls(int mode) {
    using namespace diffconfig;
    for (int k = 0; k < 5; ++k)
        if (const int id = lineCaptionId(mode, k)) lblConfigTrans(k).setCaption(platform::LoadResString(id));
    if (mode == LineCable) lblConfigTrans(0).setCaption(cboDcc.Text());
    for (int k = 0; k < 9; ++k) lblConfigTrans(k).setVisible(lineLabelShown(mode, k));
    for (int k = 0; k < 5; ++k) txtConfigTrans(k).setVisible(lineBoxShown(mode, k));
    for (platform::Control* c : {static_cast<platform::Control*>(&cboMaterial),
                                 static_cast<platform::Control*>(&cmdFigure), static_cast<platform::Control*>(&fraImp)})
        c->setVisible(geometryExtrasShown(mode));
    // The material list shares the fifth row with its caption.
    platform::Label& fifth = lblConfigTrans(4);
    fifth.setWidth(mode == LineGeometry ? cboMaterial.Left() - fifth.Left() - 60 : txtConfigTrans(4).Left() - fifth.Left() - 60);
}

void frmConfig2::showLineMode(int mode) {
    showLineControls(mode);
    if (mode == diffconfig::LineIgnored) return;
    const auto& kept = TransTexts[static_cast<std::size_t>(mode)];
    for (const int k : diffconfig::lineBoxes(mode)) txtConfigTrans(k).setText(kept[static_cast<std::size_t>(k)]);
}

void frmConfig2::txtConfigTrans_Change(int index) {
    CheckTransConfig();
    for (int m = 0; m < 3; ++m)
        if (optConfigTrans(m).Value())
            TransTexts[static_cast<std::size_t>(m)][static_cast<std::size_t>(index)] = txtConfigTrans(index).Text();
}

void frmConfig2::txtConfigTrans_KeyPress(int index, int& keyAscii) {
    if (keyAscii != 13 || !optConfigTrans(diffconfig::LineGeometry).Value()) return;
    if (!checks::isLineNumber(txtConfigTrans(index).Text())) {
        refuse(diffconfig::msgEnterNumeric);
        return;
    }
    CalcLineImpedance();
}

void frmConfig2::CalcLineImpedance() {
    // The length is checked too, although the impedances do not depend on it.
    if (!linePositive(txtConfigTrans, 4, diffconfig::msgLinePositive)) return;
    double k = 0;
    if (!diffconfig::materialConstant(cboMaterial.Text(), k)) {
        refuse(diffconfig::msgNoMaterial);
        return;
    }
    try {
        diffconfig::LineImpedance z;
        if (const int message = diffconfig::geometryMessage(inputs(), z)) {
            clearImpedances(*this);
            refuse(message);
            return;
        }
        lblConfigTrans(7).setCaption(platform::Format(z.even, "0.00"));
        lblConfigTrans(8).setCaption(platform::Format(z.odd, "0.00"));
    } catch (...) {
        clearImpedances(*this);
        // A missing engine must not take the form (or, during its load, the program) with it.
        platform::showErrorBox("Vandor.frmConfig2.CalcLineImpedance", platform::trappedError());
    }
}

// ---- The simulation's record --------------------------------------------------------------------

void frmConfig2::SaveConfig(std::int16_t s) {
    if (s < 0 || s >= MaxSims) platform::raiseError(platform::errSubscript);
    diffconfig::storeConfig(inputs(), SimConfigs2[static_cast<std::size_t>(s)]);
}

void frmConfig2::LoadConfig(std::int16_t s) {
    trapped("LoadConfig", [this, s] {
        if (s < 0 || s >= MaxSims) platform::raiseError(platform::errSubscript);
        const SimConfig2Record& r = SimConfigs2[static_cast<std::size_t>(s)];
        if (cboMaterial.ListIndex() < 0) {
            // A later switch to the geometry must find a material; the boxes may still be empty.
            quietMaterial_ = true;
            cboMaterial.setListIndex(3);
            quietMaterial_ = false;
        }
        cboDcc.setText(r.DccType);
        cboDccClock.setText(r.DccClock);
        txtClockFreq.setText(r.ClockFreq);
        // The record holds the driver model's swing; the form shows the interface's levels.
        const diffconfig::DccDefaults shown = diffconfig::dccDefaults(r.DccType, r.DccClock);
        const bool ieee = r.DccType == "IEEE1394";
        for (int i = 0; i < 2; ++i) {
            const auto k = static_cast<std::size_t>(i);
            txtVolHigh(i).setText(ieee ? r.VolHigh[k] : shown.volHigh);
            txtVolLow(i).setText(ieee ? r.VolLow[k] : shown.volLow);
        }
        for (int i = 0; i < 2; ++i) {
            txtRiseTime(i).setText(r.RiseTime[static_cast<std::size_t>(i)]);
            txtFallTime(i).setText(r.FallTime[static_cast<std::size_t>(i)]);
        }
        txtScue.setText(r.Skew);
        setPicture(3, "wqb");
        txtFilter(0).setText(r.PartNum + " (" + r.PartNote + ")");

        if (r.LineMode >= 0 && r.LineMode <= 3) {
            optConfigTrans(r.LineMode).setValue(true);
            showLineControls(r.LineMode);
            switch (r.LineMode) {
            case diffconfig::LineGeometry:
                txtConfigTrans(0).setText(r.LineW);
                txtConfigTrans(1).setText(r.LineH);
                txtConfigTrans(2).setText(r.LinePitch);
                txtConfigTrans(3).setText(r.LineLength);
                cboMaterial.setText(r.Material);
                lblConfigTrans(7).setCaption(r.LineZ[0]);
                lblConfigTrans(8).setCaption(r.LineZ[1]);
                break;
            case diffconfig::LineImpedances:
                txtConfigTrans(0).setText(r.LineZ[0]);
                txtConfigTrans(1).setText(r.LineZ[1]);
                txtConfigTrans(2).setText(r.LineK[0]);
                txtConfigTrans(3).setText(r.LineK[1]);
                txtConfigTrans(4).setText(r.LineLength);
                break;
            case diffconfig::LineCable: txtConfigTrans(1).setText(r.LineLength); break;
            default: break;
            }
        }
        setCaption(simCaptionPrefix(s));
    });
}
