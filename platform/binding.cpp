#include "platform/binding.h"

#include <QCoreApplication>

#include <dlfcn.h>

#include <mutex>

#include "platform/errors.h"

namespace platform {

namespace {

using SimulateFn = int (*)(char*, double*, double*, double*, double*);
using DualLineImpFn = void (*)(double*, double*, double*, double*, double*, double*, double*, double*);

constexpr const char* LibraryName = "libvelmar.so";

struct Engine {
    std::mutex lock;
    std::string folder;  // empty: the program's folder
    void* handle = nullptr;
    SimulateFn simulate = nullptr;
    DualLineImpFn dualLineImp = nullptr;
};

Engine& engine() {
    static Engine e;
    return e;
}

std::string libraryPath(const Engine& e) {
    const std::string folder =
        e.folder.empty() ? QCoreApplication::applicationDirPath().toStdString() : e.folder;
    return folder + "/" + LibraryName;
}

// The library is loaded once and kept; each entry is looked up at its own first call, so a
// missing one fails only the routine that needs it.
template <typename Fn>
Fn bind(Engine& e, Fn& slot, const char* name) {
    if (slot) return slot;
    const std::string path = libraryPath(e);
    if (!e.handle) {
        e.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!e.handle) raiseError(errFileNotFound, "File not found: " + path);
    }
    slot = reinterpret_cast<Fn>(dlsym(e.handle, name));
    if (!slot) raiseError(errEntryPointNotFound, std::string("Can't find DLL entry point ") + name + " in " + path);
    return slot;
}

}  // namespace

int Simulate(char* netlist, double* time, double* wave, double* freq, double* spectrum) {
    Engine& e = engine();
    SimulateFn fn;
    {
        std::lock_guard guard(e.lock);
        fn = bind(e, e.simulate, "Simulate");
    }
    return fn(netlist, time, wave, freq, spectrum);
}

void DualLineImp(double* h, double* w, double* s, double* er, double* ze, double* eeffEven, double* zo,
                 double* eeffOdd) {
    Engine& e = engine();
    DualLineImpFn fn;
    {
        std::lock_guard guard(e.lock);
        fn = bind(e, e.dualLineImp, "DualLineImp");
    }
    fn(h, w, s, er, ze, eeffEven, zo, eeffOdd);
}

void setEngineFolder(const std::string& folder) {
    std::lock_guard guard(engine().lock);
    engine().folder = folder;
}

bool engineBound() {
    std::lock_guard guard(engine().lock);
    return engine().handle != nullptr;
}

}  // namespace platform
