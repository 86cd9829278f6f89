// Every part of the generated catalogue simulated by the engine in a 50 ohm system: the curves
// the part chooser and the result charts draw must be those of the model the netlist gets.
#include "app/shared/data_files.h"
#include "engine/circuit.h"
#include "engine/source.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using Cx = std::complex<double>;

std::string dataDir() {
    const char* v = std::getenv("QUENLIS_OUT_DIR");
    return std::string(v ? v : "") + "/data";
}

// The part's elements as the netlist writers pass them, a stored 0 taken as 1E-06.
void addPart(velmar::Circuit& c, const app::FilterRecord& r) {
    for (const auto& e : r.Elements) {
        const std::int32_t a = e.node1, b = e.node2;
        const double v = e.value == 0 ? 1e-6 : static_cast<double>(e.value);
        if (e.kind == 1) c.AddResistor(a, b, v);
        if (e.kind == 2) c.AddCapacitor(a, b, v);
        if (e.kind == 3) c.AddInductor(a, b, v);
    }
    for (const auto& t : r.TransElements) {
        if (t.kind != 4) continue;
        const std::int32_t n1 = t.node1, n2 = t.node2, n3 = t.node3, n4 = t.node4;
        const double L1 = t.L1, L2 = t.L2, k = t.k;
        c.AddTransformer(n1, n2, n3, n4, L1, L2, k);
    }
}

// 1 V at node 1 behind 50 ohm; the engine's voltage at the print node.
Cx solve(velmar::Circuit& c, double hz, std::int32_t print) {
    velmar::SignalSource source;
    source.SetNode(1);
    source.SetAmplitude({1.0, 0.0});
    c.SetPrintNode(print);
    velmar::Complex v{};
    EXPECT_EQ(c.SolveAtFrequency(hz, 1, &source, v), 1);
    return {v.re, v.im};
}

void resistor(velmar::Circuit& c, std::int32_t a, std::int32_t b, double r) { c.AddResistor(a, b, r); }

// A two-terminal impedance between 50 ohm ends: V(load) = 50 / (100 + Z).
Cx seriesImpedance(Cx loadVoltage) { return 50.0 / loadVoltage - 100.0; }

TEST(CatalogueCurves, MatchTheEngineIn50OhmSystem) {
    platform::TextInput index(dataDir() + "/filtere.idx");
    int recNo = 0, checked = 0;
    while (!index.atEnd()) {
        recNo = index.readInteger();
        const int type = index.readLong();
        const std::string primary = index.readString();
        for (int i = 0; i < 3; ++i) index.readString();
        const std::string number = index.readString();
        index.readString();
        const app::FilterRecord r = app::readFilterRecord(dataDir(), recNo);
        const bool chart = primary.rfind("Chip TESSOR (QT", 0) == 0 || type == 2;

        // Every 10th point keeps the run short; the curve is smooth between them.
        for (int j = 0; j <= 200; j += 10) {
            const double hz = r.curve(0)[j] * 1e6;
            const double stored = r.curve(1)[j];
            if (chart) {
                velmar::Circuit c;
                resistor(c, 1, 10, 50);
                addPart(c, r);
                const std::int32_t out = type == 2 ? 10 : 50;
                resistor(c, out, 0, 50);
                const double il = 20 * std::log10(0.5 / std::abs(solve(c, hz, out)));
                EXPECT_NEAR(stored, il, 0.5) << number << " at " << hz / 1e6 << " MHz";
            } else if (type == 0) {
                velmar::Circuit c;
                resistor(c, 1, 10, 50);
                addPart(c, r);
                resistor(c, 50, 0, 50);
                const Cx z = seriesImpedance(solve(c, hz, 50));
                EXPECT_NEAR(stored, std::abs(z), 0.02 * std::abs(z) + 1e-3) << number << " at " << hz / 1e6 << " MHz";
                EXPECT_NEAR(r.curve(2)[j], z.real(), 0.02 * std::abs(z) + 1e-3) << number;
                EXPECT_NEAR(r.curve(3)[j], z.imag(), 0.02 * std::abs(z) + 1e-3) << number;
            } else {
                // Common mode: both lines fed together into one load; the ties are 1 micro-ohm.
                velmar::Circuit cm;
                resistor(cm, 1, 2, 50);
                resistor(cm, 2, 300, 1e-6), resistor(cm, 2, 400, 1e-6);
                addPart(cm, r);
                resistor(cm, 500, 3, 1e-6), resistor(cm, 600, 3, 1e-6);
                resistor(cm, 3, 0, 50);
                const double zcm = std::abs(seriesImpedance(solve(cm, hz, 3)));
                EXPECT_NEAR(stored, zcm, 0.02 * zcm) << number << " common mode at " << hz / 1e6 << " MHz";
                // Normal mode: out on one line, back on the other, the far ends joined.
                velmar::Circuit nm;
                resistor(nm, 1, 300, 50);
                addPart(nm, r);
                resistor(nm, 500, 600, 1e-6);
                resistor(nm, 400, 0, 50);
                const double znm = std::abs(seriesImpedance(solve(nm, hz, 400)));
                EXPECT_NEAR(r.curve(2)[j], znm, 0.02 * znm + 1e-3) << number << " normal mode at " << hz / 1e6 << " MHz";
            }
        }
        ++checked;
    }
    EXPECT_EQ(checked, recNo);
    EXPECT_GT(checked, 0);
}

}  // namespace
