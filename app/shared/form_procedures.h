#pragma once
// Small tools the forms' procedures share: the error trap of a procedure, a flag held for a scope,
// and a control of another form reached by its name.

#include <string>
#include <utility>

#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/form.h"

namespace app {

// Runs procedure `procedure` of `form`, reporting its run-time errors with the error box titled
// "Vandor.<form>.<procedure>".
template <class Body>
void trapped(const platform::Form& form, const char* procedure, Body&& body) {
    try {
        std::forward<Body>(body)();
    } catch (...) {
        platform::showErrorBox("Vandor." + form.Name() + "." + procedure, platform::trappedError());
    }
}

// Keeps a flag set for the life of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), kept_(std::exchange(flag, true)) {}
    ~FlagScope() { flag_ = kept_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool kept_;
};

constexpr int errNoSuchControl = 340;

// The control `name` (element `index` of an array) of a form, as the kind it must be; a missing one
// is run-time error 340.
template <class C>
C& controlOf(platform::Form& form, const std::string& name, int index = -1) {
    C* control = dynamic_cast<C*>(form.controlByName(name, index));
    if (!control) {
        const std::string element = index < 0 ? name : name + "(" + std::to_string(index) + ")";
        platform::raiseError(errNoSuchControl, "Control '" + element + "' of " + form.Name() + " doesn't exist");
    }
    return *control;
}

}  // namespace app
