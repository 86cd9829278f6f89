#pragma once
// The part chooser: a modal dialog in which the user picks the part (or the two parts) of the open
// configuration form by walking the catalogue's classification or from the part-number lists,
// with the candidates' frequency chart beside each panel. Opened only through ArrangeSelectFil.
// Slot 0 is the first part, slot 1 the second part of a two-part filter circuit.

#include <string>

#include "app/shared/mdlPublic.h"
#include "app/shared/part_chooser.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/picturebox.h"

class ConfigForm;

class frmSelectFil : public app::PartChooser {
public:
    frmSelectFil();

    void arrange() override;

protected:
    void Form_Load() override;

private:
    // Event procedures.
    void cboPrimary_Click(int slot);
    void cboSecondary_Click(int slot);
    void cboTertiary_Click(int slot);
    // index 2*slot is the slot's global list, 2*slot+1 its previous list.
    void cboPartNumber_Click(int index);
    void cmdOk_Click();
    void cmdSimulation_Click();
    void cmdCancel_Click();

    // Fills the slot's lists and reproduces the part the configuration form's box holds.
    void InitSelectLists(int slot, ConfigForm& config);
    void SetPrimaryList(int slot);
    void SetSecondaryList(const std::string& primary, int slot);
    void SetTertiaryList(const std::string& primary, const std::string& secondary, int slot);
    void SetPartNumberList(const std::string& primary, const std::string& secondary, const std::string& tertiary,
                           int slot);
    bool CheckPartSelected(int slot);
    // Write the choice into frmConfig / frmConfig2; false keeps the dialog open (a message was shown).
    bool SetFilToConfig(ConfigForm& config);
    bool SetFilToConfig2(ConfigForm& config);
    void DrawFreqChart(int slot);

    // Helpers.
    void layoutControls();
    void fitScreenWidth();
    void nameControls();
    void wireEvents();
    // Hands the choice to the open configuration form; nullptr when the dialog must stay open.
    ConfigForm* transferChoice();
    // The part chosen in the slot's lists (nullptr: none), and its text as a part box shows it.
    const mdlPublic::FilterIndexRecord* chosenPart(int slot) const;
    std::string chosenText(int slot) const;
    void prompt(int slot, int textId, double y);
    void clearPartLists(int slot);
    void enablePartLists(int slot, bool on);
    void addPartNumbers(int slot, int filterIndex);

    platform::ControlArray<platform::Frame> fraFil;
    platform::ControlArray<platform::Label> lblPrimary;
    platform::ControlArray<platform::ComboBox> cboPrimary;
    platform::ControlArray<platform::Label> lblSecondary;
    platform::ControlArray<platform::ComboBox> cboSecondary;
    platform::ControlArray<platform::Label> lblTertiary;
    platform::ControlArray<platform::ComboBox> cboTertiary;
    platform::ControlArray<platform::Frame> fraPartNumber;
    platform::ControlArray<platform::Label> lblPartNumber;
    platform::ControlArray<platform::ComboBox> cboPartNumber;
    platform::ControlArray<platform::PictureBox> picChart;
    platform::CommandButton cmdOk{*this};
    platform::CommandButton cmdSimulation{*this};
    platform::CommandButton cmdCancel{*this};

    // Set while a part list selects the twin entry in the other list, which must not answer back.
    bool settingTwin_ = false;
};
