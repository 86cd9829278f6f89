#pragma once
// The about box: the program's version and the notice on its results.

#include <string>

#include "platform/controls.h"
#include "platform/form.h"

class frmAbout : public platform::Form {
public:
    frmAbout();

    std::string versionText() const { return lblVersion.Caption(); }
    std::string disclaimerText() const { return lblDisclaimer.Caption(); }

protected:
    void Form_Load() override;

private:
    void cmdOk_Click();

    platform::Label lblVersion{*this};
    platform::Label lblDisclaimer{*this};
    platform::CommandButton cmdOk{*this, "OK"};
};
