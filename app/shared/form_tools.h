#pragma once
// Small tools the forms' procedures share: the error trap of a procedure, a flag held for a scope,
// the refusal message, and the open forms of a kind.

#include <string>
#include <utility>
#include <vector>

#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/form.h"
#include "platform/msgbox.h"
#include "platform/strings.h"

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

// Shows message id `message` with the critical icon; always false, so a check can return it.
inline bool refuse(int message) {
    platform::MsgBox(platform::LoadResString(message), platform::MsgBoxCritical);
    return false;
}

// The loaded forms of kind F, in the order of the forms collection: how a form finds the open
// windows of a kind it does not include (F is then an interface of app/shared).
template <class F>
std::vector<F*> openForms() {
    std::vector<F*> found;
    const platform::FormsCollection forms = platform::Forms();
    for (int i = 0; i < forms.Count(); ++i)
        if (auto* form = dynamic_cast<F*>(&forms(i))) found.push_back(form);
    return found;
}

}  // namespace app
