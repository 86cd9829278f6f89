#include "platform/dispatch.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

#include "platform/internal.h"
#include "platform/msgbox.h"
#include "platform/seams.h"
#include "platform/strings.h"

namespace platform {

namespace {
int depth = 0;
}

int handlerDepth() { return depth; }

HandlerScope::HandlerScope() { ++depth; }

HandlerScope::~HandlerScope() {
    // Not deleted here: Qt may still be inside an event of the unloaded form's widgets.
    if (--depth == 0) detail::requestFlush();
}

void showErrorBox(const std::string& source, const RuntimeError& error) {
    MsgBox("Unexpected Error " + std::to_string(error.number()) + "\n" + error.description(), MsgBoxCritical,
           source);
}

RuntimeError trappedError() {
    try {
        throw;
    } catch (const testing::ProgramEnded&) {
        throw;
    } catch (const RuntimeError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return RuntimeError(7, "Out of memory");
    } catch (const std::exception& e) {
        return RuntimeError(51, *e.what() ? e.what() : "Internal error");
    } catch (...) {
        return RuntimeError(51, "Internal error");
    }
}

void dispatchEvent(const std::function<void()>& handler) {
    if (!handler) return;
    HandlerScope scope;
    try {
        handler();
    } catch (...) {
        // An error no procedure trapped: show it and carry on with the next event.
        const RuntimeError error = trappedError();
        try {
            showErrorBox(AppTitle(), error);
        } catch (const testing::ProgramEnded&) {
            throw;
        } catch (...) {
            // The box itself failed; there is nowhere left to report it.
        }
    }
}

void stopProgram(const std::string& where) {
    if (detail::headless()) throw testing::ProgramEnded{true, where};
    std::fflush(stdout);
    std::fprintf(stderr, "Internal error: impossible case in %s\n", where.c_str());
    std::abort();
}

void End() {
    if (detail::headless()) throw testing::ProgramEnded{false, {}};
    std::fflush(stdout);
    std::fflush(stderr);
    // At once: no unload procedure, no destructor of a window may run.
    std::_Exit(0);
}

}  // namespace platform
