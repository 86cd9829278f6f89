#pragma once
// The configuration form of the differential pair ("SimType" 3): interface and clock, the two
// inputs V+ and V-, the common-mode choke, the coupled line, and the circuit picture whose pieces
// turn from red to black as their inputs are completed. One instance, reached by name.

#include <array>
#include <cstdint>
#include <string>

#include "app/shared/config_form.h"
#include "app/diffconfig/diff_inputs.h"
#include "app/shared/mdlPublic.h"
#include "platform/controls.h"

// The menus, the part-number view, the start of a simulation and the registration of its run
// (setSimulationRunner, StartSimulation) come from ConfigForm.
class frmConfig2 : public ConfigFormOf<frmConfig2> {
public:
    frmConfig2();

    // True when the form can be simulated; otherwise one message has been shown.
    bool CheckConfig() override;
    void mnuSimFilconf_Click() override;
    // Unloads the result windows and the two helper windows (preview, line figure).
    void mnuWindowClose_Click() override;
    // Puts the stored settings of simulation s back into the form, for review.
    void LoadConfig(std::int16_t s) override;
    // The circuit picture has one layout; the choke's piece follows its box.
    void prepareFor(std::int32_t, bool) override {}
    int partSlots() const override { return 1; }
    platform::TextBox& partBox(int slot) override { return txtFilter(slot); }
    void showChosenPart(int slot, const std::string& series) override;
    // Stores the form's inputs as the record of simulation s; the simulation run calls it first.
    void SaveConfig(std::int16_t s);

    // The form's inputs as they stand.
    diffconfig::DiffInputs inputs() const;
    // The selected line mode: 0 geometry, 1 impedances, 2 interface cable, 3 (or none) ignored.
    int selectedLineMode() const;

    // ---- Controls (read and written by the run, the part chooser and the shell) ----------------

    // Interface.
    platform::Frame fraDcc{*this};
    platform::Label lblDcc{fraDcc};
    platform::ComboBox cboDcc{fraDcc};
    platform::Label lblDccClock{fraDcc};
    platform::ComboBox cboDccClock{fraDcc};

    // Inputs V+ (index 0) and V- (1); frequency and levels are set by the interface only.
    platform::Frame fraClock{*this};
    platform::Label lblV1{fraClock};
    platform::Label lblV2{fraClock};
    platform::Label lblClockHz{fraClock};
    platform::TextBox txtClockFreq{fraClock};
    platform::Label lblVolHigh{fraClock};
    platform::ControlArray<platform::TextBox> txtVolHigh{fraClock, 2};
    platform::Label lblVolLow{fraClock};
    platform::ControlArray<platform::TextBox> txtVolLow{fraClock, 2};
    platform::Label lblRiseTime{fraClock};
    platform::ControlArray<platform::TextBox> txtRiseTime{fraClock, 2};
    platform::Label lblFallTime{fraClock};
    platform::ControlArray<platform::TextBox> txtFallTime{fraClock, 2};
    platform::Label lblScue{fraClock};
    platform::TextBox txtScue{fraClock};
    platform::CommandButton cmdWave{fraClock};

    // Common-mode choke.
    platform::Frame fraFilter{*this};
    platform::ControlArray<platform::TextBox> txtFilter{fraFilter, 1};
    platform::CommandButton cmdSelect{fraFilter};
    platform::CommandButton cmdReset{fraFilter};

    // Coupled line.
    platform::Frame fraDensou{*this};
    platform::ControlArray<platform::OptionButton> optConfigTrans{fraDensou, 4};
    platform::ControlArray<platform::Label> lblConfigTrans;
    platform::ControlArray<platform::TextBox> txtConfigTrans{fraDensou, 5};
    platform::ComboBox cboMaterial{fraDensou};
    platform::CommandButton cmdFigure{fraDensou};
    platform::Frame fraImp{static_cast<platform::Container&>(fraDensou)};

    // Circuit picture; the wires come first so the pieces cover them.
    platform::Frame fraCircuit{*this};
    platform::ControlArray<platform::Line> lineCircuit;
    platform::Label lblCircuitTitle{fraCircuit};
    platform::ControlArray<platform::Label> lblCircuit{fraCircuit, 5};
    platform::ControlArray<platform::Image> imgCircuit{fraCircuit, 6};
    platform::Label lblMeasure{fraCircuit};

    platform::Label lblWarning{*this};
    platform::CommandButton cmdSimulation{*this};

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    // Event procedures.
    void cboDcc_Click();
    void cboDccClock_Click();
    void cmdReset_Click();
    void cmdWave_Click();
    void optConfigTrans_Click(int index);
    void txtConfigTrans_Change(int index);
    void txtConfigTrans_KeyPress(int index, int& keyAscii);
    void txtFilter_KeyPress(int index, int& keyAscii);

    // Interface tables.
    void SetDccClockList(const std::string& type);
    void SetDccDefaults(const std::string& type, const std::string& clock);

    // Checks; the first two also repaint their pieces of the circuit picture.
    bool IsConfigComplete();
    bool CheckClockConfig();
    bool CheckTransConfig();

    // Line group: captions and visibility of a mode, then that and the mode's remembered texts.
    void showLineControls(int mode);
    void showLineMode(int mode);
    void CalcLineImpedance();

    // Helpers (frmConfig2_layout.cpp).
    void nameControls();
    void layoutControls();
    void layoutLineGroup();
    void layoutDiagram();
    void wireEvents();
    void setCaptions();
    void newSimulationDefaults();
    void setPicture(int index, const std::string& key);
    // Writes the canonical text of the choke at FilterIndex(k) and blackens its piece.
    void showChoke(int k);

    // Texts last typed per line mode (geometry, impedances, cable) and box.
    std::array<std::array<std::string, 5>, 3> TransTexts;
    // Set while a review preselects the material: nothing is computed from the boxes then.
    bool quietMaterial_ = false;
};
