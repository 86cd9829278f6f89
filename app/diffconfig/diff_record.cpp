#include "app/diffconfig/diff_record.h"

#include <string>

#include "app/diffconfig/diff_dcc.h"
#include "platform/convert.h"
#include "platform/dispatch.h"
#include "platform/errors.h"

namespace diffconfig {

void storeConfig(const DiffInputs& in, SimConfig2Record& r) {
    r.DccType = in.dccType;
    r.DccClock = in.dccClock;
    r.ClockFreq = in.clockFreq;
    for (std::size_t i = 0; i < 2; ++i) {
        const SourceLevels levels = storedLevels(in.dccType, in.dccClock, in.volHigh[i], in.volLow[i]);
        r.VolHigh[i] = levels.high;
        r.VolLow[i] = levels.low;
        r.RiseTime[i] = in.rise[i];
        r.FallTime[i] = in.fall[i];
    }
    r.Skew = in.skew;

    // "number (note)": the number ends at the first blank, the note lies inside the brackets.
    const std::size_t blank = in.partText.find(' ');
    if (blank == std::string::npos)
        platform::raiseError(platform::errInvalidArgument, "The part box holds no part number with its note.");
    r.PartNum = in.partText.substr(0, blank);
    const std::size_t noteStart = blank + 2;
    r.PartNote = noteStart < in.partText.size() ? in.partText.substr(noteStart, in.partText.size() - noteStart - 1)
                                                : std::string();

    const auto& box = in.lineText;
    switch (in.lineMode) {
    case 0:
        r.LineMode = 0;
        r.LineW = box[0];
        r.LineH = box[1];
        r.LinePitch = box[2];
        r.LineLength = box[3];
        r.Material = in.material;
        r.LineZ = in.lineZShown;
        break;
    case 1:
        r.LineMode = 1;
        r.LineZ = {box[0], box[1]};
        r.LineK = {box[2], box[3]};
        r.LineLength = box[4];
        break;
    case 2:
        r.LineMode = 2;
        r.LineLength = box[1];
        break;
    case 3: r.LineMode = 3; break;
    default: platform::stopProgram("frmConfig2.SaveConfig: line mode " + std::to_string(in.lineMode));
    }

    r.FreqMin = InitialFreqMin;
    r.FreqMax = InitialFreqMax;
    r.TimeMin = 0;
    // Seven quarters of a period: the chart shows one full period and the edges around it.
    r.TimeMax = static_cast<float>(7.0 / (4.0 * static_cast<double>(platform::CSng(in.clockFreq)) * 1e6));
    r.SpecMin = 0;
    r.SpecMax = InitialSpecMax;
}

}  // namespace diffconfig
