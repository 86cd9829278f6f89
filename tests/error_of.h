#pragma once
// The number of the run-time error a piece of code raises, or 0 when it raises none.

#include <functional>

#include "platform/errors.h"

inline int errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const platform::RuntimeError& e) {
        return e.number();
    }
    return 0;
}
