#pragma once
// The configuration form of the three filter circuits ("SimType" 0, 1, 2): signal, driver and
// receiver ICs, the part or parts, the printed-circuit line and the circuit diagram whose blocks
// turn from red to black as their inputs are completed.

#include <array>
#include <cstdint>
#include <string>

#include "app/shared/config_form.h"
#include "app/config/config_inputs.h"
#include "app/shared/SimConfigRecord.h"
#include "platform/controls.h"
#include "platform/picturebox.h"

// The menus, the part-number view, the start of a simulation and the registration of its run
// (setSimulationRunner, StartSimulation) come from ConfigForm.
class frmConfig : public ConfigFormOf<frmConfig> {
public:
    frmConfig();

    // True when the form can be simulated; otherwise one message has been shown.
    bool CheckConfig() override;
    // Puts the stored settings of simulation s back into the form, for review.
    void LoadConfig(std::int16_t s) override;
    void mnuSimFilconf_Click() override;
    void mnuWindowClose_Click() override;
    void prepareFor(std::int32_t t, bool review) override;
    int partSlots() const override;
    platform::TextBox& partBox(int slot) override { return txtFilter(slot); }
    void showChosenPart(int slot, const std::string& series) override;

    // Stores the form's inputs as the record of simulation s; the simulation run calls it first.
    void SaveConfig(std::int16_t s);
    // The form's inputs as they stand.
    config::ConfigInputs inputs() const;

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    // Event procedures.
    void cmdSelect_Click() { mnuSimFilconf_Click(); }
    void cmdReset_Click();
    void optConfigTrans_Click(int index);
    void optSelectIc_Click(int index);
    void optSelectCircuit_Click(int index);
    void txtConfigTrans_Change(int index);
    void txtConfigTrans_KeyPress(int index, int& keyAscii);
    void txtFilter_KeyPress(int index, int& keyAscii);
    void cboSelectIcPrimary_Click(int index);
    void cboSelectIc_Click(int index);
    void cboMaterial_Click() { CalcLineImpedance(); }
    void chkMeasure_Click(int index);
    void picLogo_DblClick();

    // Checks; the first three also repaint their completeness mark.
    bool IsConfigComplete();
    bool CheckClockConfig();
    bool CheckTransConfig();
    bool CheckCircuitConfig(int which);
    bool CheckNumeric();
    bool CheckPositive();
    bool CheckPeriodEnd();
    bool checkParts();

    // IC, part and line inputs.
    std::string SetIcVoltage() const;
    void SetSelectedFil(int part, int box);
    void SetMeasureCheck(int part);
    // The measuring points a part of the one-part circuit allows: a bead keeps those ticked (at
    // least one), behind any other part only the receiver's.
    void showMeasuringPoints(bool bead);
    void CalcLineImpedance();

    // LoadConfig's steps, each group of the form from the stored record.
    void loadSignal(const SimConfigRecord& r);
    void loadDriver(const SimConfigRecord& r);
    void loadParts(const SimConfigRecord& r);
    void loadLine(const SimConfigRecord& r);
    void loadReceiver(const SimConfigRecord& r);

    // Helpers.
    void nameControls();
    void layoutControls();
    void layoutIcGroup(int i);
    void layoutDiagram();
    void drawDesignerPictures();
    void wireEvents();
    void setCaptions();
    void fillLists();
    void newSimulationDefaults();
    void setSignalDefaults();
    void setLineDefaults();
    void showIcMode(int i, bool byList);
    // The captions, remembered texts and controls of a line mode; showLineControls only shows and
    // hides (any mode but 0 and 1 hides the value rows).
    void showLineMode(int mode);
    void showLineControls(int mode);
    void setPicture(int index, const std::string& key);
    void setMeasure(int index, int value, bool enabled);
    int selectedLineMode() const;
    int simType() const;

    // Input signal.
    platform::Frame fraClock{*this};
    platform::Label lblClockHz{fraClock};
    platform::TextBox txtClockFreq{fraClock};
    platform::Label lblDuty{fraClock};
    platform::TextBox txtDuty{fraClock};
    platform::Label lblUp{fraClock};
    platform::TextBox txtUp{fraClock};
    platform::Label lblDown{fraClock};
    platform::TextBox txtDown{fraClock};
    platform::Label lblVoltage{fraClock};
    platform::TextBox txtVoltage{fraClock};

    // Driver (0) and receiver (1) ICs; txtR(2) is the receiver's resistance to ground.
    platform::ControlArray<platform::Frame> fraSelectIc{*this, 2};
    platform::ControlArray<platform::Frame> fraRadio;
    platform::ControlArray<platform::OptionButton> optSelectIc;
    platform::ControlArray<platform::OptionButton> optSelectCircuit;
    platform::ControlArray<platform::Label> lblSelectIcPrimary;
    platform::ControlArray<platform::ComboBox> cboSelectIcPrimary;
    platform::ControlArray<platform::Label> lblSelectIc;
    platform::ControlArray<platform::ComboBox> cboSelectIc;
    platform::ControlArray<platform::PictureBox> picSelectedIc;
    platform::ControlArray<platform::Label> lblR;
    platform::ControlArray<platform::TextBox> txtR;
    platform::ControlArray<platform::Label> lblL;
    platform::ControlArray<platform::TextBox> txtL;
    platform::ControlArray<platform::Label> lblC;
    platform::ControlArray<platform::TextBox> txtC;

    // Parts.
    platform::Frame fraFilter{*this};
    platform::ControlArray<platform::Label> lblFilter{fraFilter, 2};
    platform::ControlArray<platform::TextBox> txtFilter{fraFilter, 2};
    platform::CommandButton cmdSelect{fraFilter};
    platform::CommandButton cmdReset{fraFilter};
    platform::PictureBox picLogo{fraFilter};

    // Printed-circuit line.
    platform::Frame fraDensou{*this};
    platform::Frame fraConfigTrans{static_cast<platform::Container&>(fraDensou)};
    platform::ControlArray<platform::OptionButton> optConfigTrans{fraConfigTrans, 3};
    platform::ControlArray<platform::Label> lblConfigTrans{fraDensou, 6};
    platform::ControlArray<platform::TextBox> txtConfigTrans{fraDensou, 3};
    platform::ComboBox cboMaterial{fraDensou};
    platform::CommandButton cmdFigure{fraDensou};

    // Circuit diagram with the measuring points; the wires come first so the blocks cover them.
    platform::Frame fraCircuit{*this};
    platform::Line Line0{fraCircuit, 0, 0, 0, 0};
    platform::Line Line1{fraCircuit, 0, 0, 0, 0};
    platform::Line Line2{fraCircuit, 0, 0, 0, 0};
    platform::Line Line3{fraCircuit, 0, 0, 0, 0};
    platform::Line Line4{fraCircuit, 0, 0, 0, 0};
    platform::Line Line5{fraCircuit, 0, 0, 0, 0};
    platform::Line Line6{fraCircuit, 0, 0, 0, 0};
    platform::Label lblCircuitTitle{fraCircuit};
    platform::ControlArray<platform::Label> lblCircuit{fraCircuit, 6};
    platform::ControlArray<platform::Image> imgCircuit{fraCircuit, 6};
    platform::ControlArray<platform::CheckBox> chkMeasure{fraCircuit, 2};
    platform::ControlArray<platform::Label> lblMeasure{fraCircuit, 2};

    platform::CommandButton cmdSimulation{*this};
    platform::Label lblWarning{*this};

    // Line texts last typed in mode 0 (W, h, length) and mode 1 (Z0, K, length).
    std::array<std::array<std::string, 3>, 2> TransText;
    // Set while the form's own code changes the measuring points: only the user's click may be
    // refused for leaving neither point ticked.
    bool settingMeasure_ = false;
};
