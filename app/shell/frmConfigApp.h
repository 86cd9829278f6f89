#pragma once
// The options dialog: whether the start dialog opens at start-up.

#include "platform/controls.h"
#include "platform/form.h"

class frmConfigApp : public platform::Form {
public:
    frmConfigApp();

protected:
    void Form_Load() override;

private:
    void cmdOk_Click();
    void cmdCancel_Click();

    platform::CheckBox chkStart{*this};
    platform::CommandButton cmdOk{*this};
    platform::CommandButton cmdCancel{*this};
};
