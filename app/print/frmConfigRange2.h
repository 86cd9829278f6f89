#pragma once
// The Expand/Contract dialog of a differential result window: the axis ranges of its five charts
// (the choke's decades, one end time and a voltage range per waveform chart, the spectrum range),
// read from the simulation's record when it opens and stored back, all checked, on OK; the window
// then redraws its charts. Opened modally with CurrentSim set; OK and Cancel unload it.

#include <memory>

#include "app/print/range_rules.h"
#include "platform/controls.h"
#include "platform/form.h"

class frmConfigRange2 : public platform::Form {
public:
    frmConfigRange2();

protected:
    void Form_Load() override;

private:
    bool CheckInput();
    void txtTo_Change(int index);
    void cmdOk_Click();
    void cmdCancel_Click();
    void redrawResultWindow();

    platform::ControlArray<platform::Frame> fraChartRange;
    std::unique_ptr<ranges::DecadeChoice> decades_;
    platform::ControlArray<platform::Label> lblFrom;
    platform::ControlArray<platform::Label> lblFrom2;
    platform::ControlArray<platform::Label> lblTo;
    platform::ControlArray<platform::Label> lblMin;
    platform::ControlArray<platform::Label> lblMax;
    platform::ControlArray<platform::TextBox> txtFrom;
    platform::ControlArray<platform::TextBox> txtTo;
    platform::ControlArray<platform::TextBox> txtMin;
    platform::ControlArray<platform::TextBox> txtMax;
    std::unique_ptr<platform::CommandButton> cmdOk;
    std::unique_ptr<platform::CommandButton> cmdCancel;
};
