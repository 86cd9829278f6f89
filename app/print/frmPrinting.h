#pragma once
// The small notice "Now Printing..." shown while a print run composes its pages.

#include "platform/controls.h"
#include "platform/form.h"

class frmPrinting : public platform::Form {
public:
    frmPrinting();

protected:
    void Form_Load() override;

private:
    platform::Label lblPrinting{*this};
};
