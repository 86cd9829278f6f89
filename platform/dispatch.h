#pragma once
// The event dispatcher and the ways a run ends.
//
// Every user action (a click, a keystroke, a pick, a menu choice, closing a window) runs its handler
// through dispatchEvent: whatever the handler lets escape is shown in the error box titled with the
// program title, and the program goes on. A handler run because code changed a property is called
// directly instead, so its errors reach the code that made the change.
//
// A procedure that traps its errors does so with
//
//     try { ... } catch (...) { platform::showErrorBox("Vandor.frmX.DoThing", platform::trappedError()); }
//
// trappedError() turns the current exception into a run-time error and lets an internal stop or an
// End pass on untouched, so that no procedure's trap can catch those.

#include <functional>
#include <string>

#include "platform/errors.h"

namespace platform {

// Critical icon, OK button, text "Unexpected Error <number>\n<description>", title `source`.
void showErrorBox(const std::string& source, const RuntimeError& error);

// Inside a catch block: the caught exception as a run-time error (a RuntimeError as it is, anything
// else as error 51 with its message). Rethrows a stop or an End.
RuntimeError trappedError();

// Runs a user-originated handler, catching everything it throws (see above).
void dispatchEvent(const std::function<void()>& handler);

// A selector value that cannot occur: the program stops at once, no error trap can catch it.
[[noreturn]] void stopProgram(const std::string& where);

// Ends the program at once (File > Exit): no Unload procedure runs afterwards, nothing is saved.
[[noreturn]] void End();

// Layer internals: nesting of running handlers, for deferred deletion of unloaded forms.
int handlerDepth();
struct HandlerScope {
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

}  // namespace platform
