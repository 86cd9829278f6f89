#pragma once
// What the shared procedures ask of the part chooser, which is opened by name.

#include "platform/form.h"

namespace app {

class PartChooser : public platform::Form {
public:
    // Places the buttons and sizes the dialog for the part panels it shows, which follow the
    // circuit type.
    virtual void arrange() = 0;

protected:
    using Form::Form;
};

}  // namespace app
