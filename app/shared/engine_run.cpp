#include "app/shared/engine_run.h"

#include <algorithm>
#include <string>

#include "platform/binding.h"
#include "platform/convert.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/form.h"
#include "platform/msgbox.h"
#include "platform/strings.h"

namespace app {

namespace {

// Clears the hourglass on every way out of the run.
struct HourglassScope {
    HourglassScope() { platform::setMousePointer(platform::PointerHourglass); }
    ~HourglassScope() { platform::setMousePointer(platform::PointerDefault); }
    HourglassScope(const HourglassScope&) = delete;
    HourglassScope& operator=(const HourglassScope&) = delete;
};

}  // namespace

void replaceDecimalCommas(mdlPublic::NetlistBlock& block) {
    for (std::string& line : block.Line) {
        if (line.empty() || line.front() == ' ') break;
        mdlPublic::ReplaceAll(line, ",", ".");
    }
}

std::array<char, NetlistBlockBytes> toEngineBlock(const mdlPublic::NetlistBlock& block) {
    std::array<char, NetlistBlockBytes> bytes;
    bytes.fill(' ');
    for (std::size_t i = 0; i < block.Line.size(); ++i) {
        const std::string& line = block.Line[i];
        std::copy_n(line.begin(), std::min(line.size(), std::size_t{mdlPublic::NetlistLineLength}),
                    bytes.begin() + i * mdlPublic::NetlistLineLength);
    }
    return bytes;
}

std::int16_t harmonicCount(float clockMHz) {
    const std::int16_t n = platform::CInt(1000.0 / static_cast<double>(clockMHz));
    // The spectrum holds 2n + 2 values indexed by a 16-bit count.
    if (n > 16383) platform::raiseError(platform::errOverflow);
    // No harmonic at all would make the engine fall back to 100 and overrun the buffers.
    if (n < 1) platform::raiseError(platform::errInvalidArgument, "The clock frequency is too high for a spectrum.");
    return n;
}

EngineOutput::EngineOutput(std::int16_t harmonics) {
    const auto n = static_cast<std::size_t>(harmonics);
    time.assign(2 * n + 1, 0.0);
    wave.assign(2 * n + 1, 0.0);
    freq.assign(n + 1, 0.0);
    spectrum.assign(2 * n + 2, 0.0);
}

void runEngine(mdlPublic::NetlistBlock& block, EngineOutput& out) {
    replaceDecimalCommas(block);
    auto bytes = toEngineBlock(block);
    if (platform::Simulate(bytes.data(), out.time.data(), out.wave.data(), out.freq.data(), out.spectrum.data()) == 0)
        platform::raiseError(errEngineFailed, "The simulation engine could not solve this circuit.");
}

void sizeResult(mdlPublic::SimResultRecord& r, std::size_t wavePoints, std::int16_t n) {
    r.Time.assign(wavePoints, 0.0);
    r.Wave.assign(wavePoints, 0.0);
    r.Freq.assign(static_cast<std::size_t>(n) + 1, 0.0);
    r.Spectrum.assign(2 * static_cast<std::size_t>(n) + 2, 0.0);
}

void storePeriod(const EngineOutput& out, double period, mdlPublic::SimResultRecord& r) {
    std::copy_n(out.time.begin(), WavePoints, r.Time.begin());
    std::copy_n(out.wave.begin(), WavePoints, r.Wave.begin());
    r.Time[WavePoints] = period;
    r.Wave[WavePoints] = out.wave[0];
}

void storeSpectrum(const EngineOutput& out, mdlPublic::SimResultRecord& r) {
    std::copy(out.freq.begin(), out.freq.end(), r.Freq.begin());
    std::copy(out.spectrum.begin(), out.spectrum.end(), r.Spectrum.begin());
}

bool roomForSimulation(std::int16_t s) {
    if (s < mdlPublic::MaxSims) return true;
    platform::MsgBox(platform::LoadResString(5283) + "\n" + platform::LoadResString(5284), platform::MsgBoxCritical);
    return false;
}

void runUnderHourglass(const platform::Form& form, const std::function<void()>& run) {
    HourglassScope hourglass;
    try {
        run();
    } catch (...) {
        platform::setMousePointer(platform::PointerDefault);
        platform::showErrorBox("Vandor." + form.Name() + ".StartSimulation", platform::trappedError());
    }
}

}  // namespace app
