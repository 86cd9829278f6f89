#pragma once
// Shared set-up of the chart tests: a 1000 x 1000 upward chart canvas, a synthetic simulation in
// the shared tables, a small filter.dat of hand-made parts, and result windows over the sample
// catalogue.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/app_test_support.h"
#include "app/drawing/chart_primitives.h"
#include "app/charts/frmChart.h"
#include "app/shared/mdlPublic.h"
#include "app/shared/string_table.h"
#include "platform/canvas.h"
#include "platform/form.h"
#include "support/testing.h"

namespace chart_test {

inline void setChartScale(platform::Canvas& canvas) {
    canvas.setScaleLeft(0);
    canvas.setScaleTop(1000);
    canvas.setScaleWidth(1000);
    canvas.setScaleHeight(-1000);
}

inline std::vector<platform::DrawnPrimitive> ofKind(const platform::Canvas& canvas, platform::PrimitiveKind kind) {
    std::vector<platform::DrawnPrimitive> out;
    for (const auto& p : canvas.displayList())
        if (p.kind == kind) out.push_back(p);
    return out;
}

inline std::vector<platform::DrawnPrimitive> linesIn(const platform::Canvas& canvas, platform::Color color) {
    std::vector<platform::DrawnPrimitive> out;
    for (const auto& p : ofKind(canvas, platform::PrimitiveKind::Line))
        if (p.color == color) out.push_back(p);
    return out;
}

inline const platform::DrawnPrimitive* findText(const platform::Canvas& canvas, const std::string& text) {
    for (const auto& p : canvas.displayList())
        if (p.kind == platform::PrimitiveKind::Text && p.text == text) return &p;
    return nullptr;
}

// One part of the hand-made catalogue: 201 log-spaced samples from 0.1 MHz to 10 GHz by default.
struct TestPart {
    std::string number;
    std::int32_t type;
    std::string primary;
    std::function<float(double mhz)> block1, block2, block3;
    std::function<double(int m)> frequencyMHz = [](int m) { return 0.1 * std::pow(10.0, m / 40.0); };
};

// Writes filter.dat for the parts into <folder>/data and fills FilterIndex in that order.
inline void writeCatalogue(const std::filesystem::path& folder, const std::vector<TestPart>& parts) {
    std::filesystem::create_directories(folder / "data");
    std::ofstream out(folder / "data" / "filter.dat", std::ios::binary);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::vector<unsigned char> record(3678, 0);
        const auto put = [&](int block, int m, float value) {
            std::memcpy(record.data() + 462 + 4 * (201 * block + m), &value, 4);
        };
        for (int m = 0; m < 201; ++m) {
            const double mhz = parts[i].frequencyMHz(m);
            put(0, m, static_cast<float>(mhz));
            if (parts[i].block1) put(1, m, parts[i].block1(mhz));
            if (parts[i].block2) put(2, m, parts[i].block2(mhz));
            if (parts[i].block3) put(3, m, parts[i].block3(mhz));
        }
        out.write(reinterpret_cast<const char*>(record.data()), static_cast<std::streamsize>(record.size()));
        auto& entry = mdlPublic::FilterIndex[i];
        entry = {};
        entry.RecNo = static_cast<std::int16_t>(i + 1);
        entry.PartType = parts[i].type;
        entry.Primary = parts[i].primary;
        entry.GlobalPartNum = parts[i].number;
        entry.PrevPartNum = "P" + parts[i].number;
    }
    mdlPublic::FilterCount = static_cast<std::int16_t>(parts.size());
    mdlPublic::ProgramFolder = folder.string();
    mdlPublic::PathSep = "/";
}

constexpr const char* BeadCategory = "Chip Ferrite Bead (KSV series)";
constexpr const char* FilterCategory = "Chip TESSOR (QTA :Capacitor type)";
constexpr const char* CapacitorCategory = "Chip Capacitor (JX series)";

// Harmonics of the clock up to 1000 MHz (the 0th at a near-zero frequency), amplitude(k) volts
// each, as a run stores them.
inline void fillSpectrum(mdlPublic::SimResultRecord& r, double clockMHz, const std::function<double(int k)>& amplitude) {
    const double period = 1.0 / (clockMHz * 1e6);
    const int n = static_cast<int>(std::nearbyint(1000.0 / clockMHz));
    for (int k = 0; k <= n; ++k) {
        r.Freq.push_back(k == 0 ? 0.0001 / period : k / period);
        r.Spectrum.push_back(amplitude(k));
        r.Spectrum.push_back(0.0);
    }
}

// A filter-circuit simulation at clock MHz: waveforms from wave(kind, t / period), spectra with
// amplitude amplitude(kind, k) volts at harmonic k, and the record SaveConfig would store.
inline void fillSimulation(int sim, double clockMHz, const std::function<double(int kind, double phase)>& wave,
                           const std::function<double(int kind, int k)>& amplitude) {
    const double period = 1.0 / (clockMHz * 1e6);
    for (int kind = 0; kind < 3; ++kind) {
        auto& r = mdlPublic::SimResults[static_cast<std::size_t>(kind)][static_cast<std::size_t>(sim)];
        r = {};
        for (int p = 0; p <= 201; ++p) {
            const double t = p == 201 ? period : p * period / 201.0;
            r.Time.push_back(t);
            r.Wave.push_back(wave(kind, p == 201 ? 0.0 : t / period));
        }
        fillSpectrum(r, clockMHz, [&](int k) { return amplitude(kind, k); });
    }
    SimConfigRecord& c = mdlPublic::SimConfigs[static_cast<std::size_t>(sim)];
    c = {};
    c.SimType = 0;
    c.Measure = {1, 3};
    char clock[32];
    std::snprintf(clock, sizeof clock, "%g", clockMHz);
    c.ClockFreq = clock;
    c.FreqMin = 1e6f;
    c.FreqMax = 1e9f;
    c.TimeMin = 0;
    c.TimeMax = static_cast<float>(period);
    c.SpecMin = 0;
    c.SpecMax = 1e9f;
    c.Cycles = 1;
}

// A trapezoid between 0 and high volts with some ringing, kind by kind.
inline double sampleWave(int kind, double phase, double high) {
    const double edge = phase < 0.1 ? phase / 0.1 : phase < 0.5 ? 1.0 : phase < 0.6 ? (0.6 - phase) / 0.1 : 0.0;
    const double ring = (kind == 1 ? 0.15 : 0.05) * high * std::sin(40 * phase) * std::exp(-6 * phase);
    return edge * high + ring;
}

inline double sampleAmplitude(int kind, int k) {
    if (k == 0) return 1.5;
    const double base = (k % 2 == 1 ? 2.0 : 0.4) / k;
    return kind == 0 ? base / (1.0 + k * 0.05) : base;
}

inline void resetShared() {
    app::registerStringTable();
    apptest::resetShared();
}

constexpr platform::Color Black = platform::RGB(0, 0, 0);
constexpr platform::Color Blue = platform::RGB(0, 0, 255);
constexpr platform::Color Red = platform::RGB(255, 0, 0);
constexpr platform::Color Magenta = platform::RGB(255, 0, 255);

// Charts of one family drawn on a recording canvas of a picture box's size, in chart scale, with
// a folder for a hand-made catalogue.
template <class Charts>
class ChartCanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetShared();
        setChartScale(canvas);
    }

    charts::ChartTarget target(charts::TargetKind kind) { return {canvas, kind}; }

    platform::RecordingCanvas canvas{466, 386};
    Charts charts;
    QTemporaryDir folderOwner;
    const std::filesystem::path folder = folderOwner.path().toStdString();
};

// Result windows over the sample catalogue, with no form or message left from another test.
class ResultWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::testing::discardAllForms();
        platform::testing::clearMessageBoxes();
        resetShared();
        mdlPublic::saveAppSetting("PartnumType", "0");
        apptest::useSampleCatalogue();
    }
    void TearDown() override {
        platform::testing::setModalDriver(nullptr);
        platform::testing::discardAllForms();
    }

    // The result window of simulation sim as the run opens it: numbered, shown and active.
    template <class Window>
    Window& showResultWindow(int sim) {
        mdlPublic::SimCount = static_cast<std::int16_t>(sim);
        Window& window = platform::Load<Window>();
        window.Show();
        platform::testing::activate(window);
        return window;
    }
};

// The filter circuit's result windows, while "SimType" names a filter circuit.
class FilterChartTest : public ResultWindowTest {
protected:
    void SetUp() override {
        ResultWindowTest::SetUp();
        mdlPublic::saveAppSetting("SimType", "0");
    }

    // Simulation sim of the catalogue bead at clock MHz, then its result window as the run opens it.
    frmChart& openChart(int sim, double clockMHz = 25, const std::string& bead = "KSV1005A601") {
        fillSimulation(sim, clockMHz, [](int k, double ph) { return sampleWave(k, ph, 3.3); }, sampleAmplitude);
        mdlPublic::SimConfigs[static_cast<std::size_t>(sim)].PartNum[0] = bead;
        return showResultWindow<frmChart>(sim);
    }
};

}  // namespace chart_test
