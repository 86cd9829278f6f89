#include "app/config/frmConfig.h"

#include <utility>

#include "app/config/config_checks.h"
#include "app/config/config_record.h"
#include "app/shared/chart_window.h"
#include "app/shared/main_window.h"
#include "app/shared/mdlPublic.h"
#include "platform/convert.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/strings.h"

using namespace mdlPublic;

namespace {

// Normal-state size of the window, twips.
constexpr int kNormalWidth = 15660;
constexpr int kNormalHeight = 7550;

// The black block of each filter series, in the order of the part types 0 to 2.
constexpr std::pair<const char*, const char*> kSeriesBlocks[3] = {{"KSV", "ksvb"}, {"QTA", "qtab"}, {"JX", "jxb"}};

const char* blockPicture(const std::string& series) {
    for (const auto& [known, key] : kSeriesBlocks)
        if (series == known) return key;
    platform::stopProgram("frmConfig: series " + series);
}

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
using app::refuse;

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

int frmConfig::partSlots() const { return txtFilter(1).Visible() ? 2 : 1; }

void frmConfig::showChosenPart(int slot, const std::string& series) {
    if (slot != 0) return setPicture(5, blockPicture(series));
    setPicture(2, blockPicture(series));
    showMeasuringPoints(series == "KSV");
}

void frmConfig::mnuSimFilconf_Click() { ArrangeSelectFil(txtFilter(1).Visible() ? 1 : 0); }

void frmConfig::mnuWindowClose_Click() {
    unloadForms<app::ChartWindow>();
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
        case CircuitOnePart: imgCircuit(5).setVisible(false); break;
        case CircuitBeadCapacitor:
            setPicture(5, "jxr");
            imgCircuit(5).setVisible(true);
            break;
        case CircuitBeadFilter:
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
    for (int box = 0; box < (hasSecondPart(type) ? 2 : 1); ++box) {
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
    if (simType() == CircuitBeadCapacitor && txtFilter(1).Text().empty()) return false;
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
    if (type != CircuitOnePart && index != 0 && index != 1) platform::stopProgram("txtFilter_KeyPress: box " + std::to_string(index));
    // Type 0 shows one part box only.
    const int box = type == CircuitOnePart ? 0 : index;
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
        txtFilter(box).setText(partDisplayText(p, partnumType()));
        const int type = simType();
        if (type == CircuitOnePart) {
            if (p.PartType < 0 || p.PartType > 2) platform::stopProgram("SetSelectedFil: part type " + std::to_string(p.PartType));
            setPicture(2, kSeriesBlocks[p.PartType].second);
        } else if (box == 0) {
            setPicture(2, "ksvb");
        } else if (box == 1) {
            setPicture(5, type == CircuitBeadCapacitor ? "jxb" : "qtab");
        } else {
            platform::stopProgram("SetSelectedFil: box " + std::to_string(box));
        }
    });
}

void frmConfig::SetMeasureCheck(int part) {
    if (simType() == CircuitOnePart) return showMeasuringPoints(FilterIndex.at(static_cast<std::size_t>(part)).PartType == 0);
    const FlagScope guard(settingMeasure_);
    setMeasure(0, 1, true);
    setMeasure(1, 1, true);
}

void frmConfig::showMeasuringPoints(bool bead) {
    const FlagScope guard(settingMeasure_);
    if (!bead) {
        // Only the receiver's waveform means something behind a filter or capacitor.
        setMeasure(0, 0, false);
        setMeasure(1, 1, false);
        return;
    }
    if (chkMeasure(0).Value() == 0 && chkMeasure(1).Value() == 0) {
        chkMeasure(0).setValue(1);
        chkMeasure(1).setValue(1);
    }
    chkMeasure(0).setEnabled(true);
    chkMeasure(1).setEnabled(true);
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
        if (s < 0 || s >= MaxSims) platform::raiseError(platform::errSubscript);
        const SimConfigRecord& r = SimConfigs[static_cast<std::size_t>(s)];
        loadSignal(r);
        loadDriver(r);
        loadParts(r);
        loadLine(r);
        loadReceiver(r);
        setCaption(mdlPublic::simCaptionPrefix(s));
        // The IC choices above suggest their own voltage; the review shows what was simulated.
        txtVoltage.setText(r.Voltage);
    });
}

void frmConfig::loadSignal(const SimConfigRecord& r) {
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
}

void frmConfig::loadDriver(const SimConfigRecord& r) {
    using config::shownLcr;
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
}

void frmConfig::loadParts(const SimConfigRecord& r) {
    const std::string withNote = r.PartNum[0] + " (" + r.PartNote + ")";
    switch (r.SimType) {
    case CircuitOnePart: {
        const std::string series = seriesOf(r.PartNum[0]);
        // A part of no filter series is shown as an unfinished block, for the checks to refuse.
        setPicture(2, series.empty() ? "ksvqtar" : blockPicture(series));
        txtFilter(0).setText(series == "KSV" ? withNote : r.PartNum[0]);
        break;
    }
    case CircuitBeadCapacitor:
    case CircuitBeadFilter:
        setPicture(2, "ksvb");
        txtFilter(0).setText(withNote);
        setPicture(5, r.SimType == CircuitBeadCapacitor ? "jxb" : "qtab");
        txtFilter(1).setText(r.PartNum[1]);
        break;
    }
}

void frmConfig::loadLine(const SimConfigRecord& r) {
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
}

void frmConfig::loadReceiver(const SimConfigRecord& r) {
    using config::shownLcr;
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
}
