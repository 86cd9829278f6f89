#pragma once
// The start dialog: chooses the circuit type of a new simulation.

#include "platform/controls.h"
#include "platform/form.h"

class frmStart : public platform::Form {
public:
    frmStart();

    // At start-up the dialog also offers to skip itself next time.
    void showStartupOption();

protected:
    void Form_Load() override;

private:
    void cmdOk_Click();
    void cmdCancel_Click();

    platform::Frame fraSimType{*this};
    platform::ControlArray<platform::OptionButton> optSimType{fraSimType, 4};
    platform::CheckBox chkNext{*this};
    platform::CommandButton cmdOk{*this};
    platform::CommandButton cmdCancel{*this};
};
