#include "app/shared/engine_run.h"

#include <algorithm>
#include <string>

#include "platform/convert.h"
#include "platform/errors.h"

namespace app {

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

}  // namespace app
