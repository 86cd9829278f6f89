#pragma once
// The windows that the shared procedures find by kind: those that Close all Chart Windows unloads,
// and among them the result windows, whose caption names their simulation's parts.

#include <cstdint>

#include "platform/form.h"

namespace app {

// A window that Close all Chart Windows unloads: a result window, or a helper window shown beside
// a configuration form (the waveform preview, the line figure).
class ClosesWithCharts : public platform::Form {
protected:
    using Form::Form;
};

// A result window as the shared procedures ask of one; each family's window implements it.
class ChartWindow : public ClosesWithCharts {
public:
    // Switches the window's simulation record to part-number view t and rewrites its caption.
    virtual void switchPartnumType(std::int32_t t) = 0;

protected:
    using ClosesWithCharts::ClosesWithCharts;
    // The switch of each family's record: the filter circuits' (SimConfigs) and the differential
    // pair's (SimConfigs2).
    void switchFilterRecord(std::int32_t t);
    void switchDiffRecord(std::int32_t t);
};

}  // namespace app
