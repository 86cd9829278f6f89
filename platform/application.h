#pragma once
// Start-up glue for main(): the Qt application object and the event loop.

#include <functional>

namespace platform {

// Creates the application, runs `startup` (under the event dispatcher) and then the event loop until
// the last form is unloaded. Returns the process's exit code.
int runApplication(int argc, char** argv, const std::function<void()>& startup);

}  // namespace platform
