#pragma once
// The Expand/Contract dialog of a filter-circuit result window: the axis ranges of its three
// charts, read from the simulation's record when it opens and stored back, checked, on OK; the
// window then redraws its charts. Opened modally with CurrentSim set; OK and Cancel unload it.

#include <memory>

#include "app/print/range_rules.h"
#include "platform/controls.h"
#include "platform/form.h"

class frmConfigRange : public platform::Form {
public:
    frmConfigRange();

protected:
    void Form_Load() override;

private:
    bool CheckInput();
    void cmdOk_Click();
    void cmdCancel_Click();
    void redrawResultWindow();

    platform::ControlArray<platform::Frame> fraChartRange;
    std::unique_ptr<ranges::DecadeChoice> decades_;
    platform::ControlArray<platform::Label> lblFrom;
    platform::ControlArray<platform::Label> lblTo;
    platform::ControlArray<platform::TextBox> txtFrom;
    platform::ControlArray<platform::TextBox> txtTo;
    std::unique_ptr<platform::Label> lblFrom2;
    std::unique_ptr<platform::Label> lblMin;
    std::unique_ptr<platform::TextBox> txtMin;
    std::unique_ptr<platform::Label> lblMax;
    std::unique_ptr<platform::TextBox> txtMax;
    std::unique_ptr<platform::CommandButton> cmdOk;
    std::unique_ptr<platform::CommandButton> cmdCancel;
};
