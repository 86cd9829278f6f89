#pragma once
// The Print dialog of the result windows: an optional two-line comment and the choice between the
// active result and every displayed one; OK prints one landscape page per result (to a PDF file
// when no printer is installed) while "Now Printing..." shows. Opened modally with CurrentSim set;
// it is unloaded after printing or cancelling, so each opening starts afresh.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"

class ResultWindow;

class frmConfigPrint : public platform::Form {
public:
    frmConfigPrint();

protected:
    void Form_Load() override;

private:
    void cmdOk_Click();
    void cmdCancel_Click();

    // The results to print, in page order: the window showing each (null when none does) and its
    // simulation number.
    using Page = std::pair<ResultWindow*, std::int16_t>;
    std::vector<Page> chosenPages() const;
    void printPages(const std::string& comment, bool pageBreaks);

    // First in the tab order.
    platform::TextBox txtComment{*this, platform::TextBox::MultiLine};
    platform::Frame fraConfigPrint{*this};
    platform::ControlArray<platform::OptionButton> optConfigPrint;
    platform::Label lblComment{*this};
    platform::CommandButton cmdOk{*this};
    platform::CommandButton cmdCancel{*this};
};
