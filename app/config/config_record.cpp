#include "app/config/config_record.h"

#include <cstdint>

#include "app/shared/mdlPublic.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace config {

std::string storedLcr(const std::string& typed, const char* tiny) { return typed == "0" ? tiny : typed; }

std::string shownLcr(const std::string& stored, const char* tiny) { return stored == tiny ? "0" : stored; }

PartText splitPartText(const std::string& text) {
    const long blank = platform::InStr(text, " ");
    if (blank == 0) return {text, {}, false};
    PartText part{platform::Left(text, blank - 1), {}, true};
    // Skip the blank and the "(", drop the ")".
    const std::string rest = platform::Mid(text, blank + 2);
    const long length = static_cast<long>(platform::Len(rest));
    if (length > 0) part.note = platform::Left(rest, length - 1);
    return part;
}

void storeConfig(const ConfigInputs& in, SimConfigRecord& r) {
    r.SimType = static_cast<std::int16_t>(in.simType);
    for (int i = 0; i < 2; ++i)
        r.Measure[static_cast<std::size_t>(i)] =
            static_cast<std::int16_t>(in.measureValue[static_cast<std::size_t>(i)] + (in.measureEnabled[static_cast<std::size_t>(i)] ? 0 : 2));
    r.ClockFreq = in.clockFreq;
    r.Duty = in.duty;
    r.RiseTime = in.rise;
    r.FallTime = in.fall;
    r.Voltage = in.voltage;

    if (in.driver.byList) {
        r.DriverByLcr = 0;
        r.DriverIcType = in.driver.family;
        r.DriverIc = in.driver.name;
    } else {
        r.DriverByLcr = 1;
        r.DriverR = storedLcr(in.driver.r, TinyR);
        r.DriverL = storedLcr(in.driver.l, TinyL);
        r.DriverC = storedLcr(in.driver.c, TinyC);
    }

    // Only part numbers go into the record: the netlist and the charts look parts up by number.
    const PartText first = splitPartText(in.partText[0]);
    r.PartNum[0] = first.number;
    if (first.hasNote) r.PartNote = first.note;
    if (mdlPublic::hasSecondPart(in.simType)) r.PartNum[1] = splitPartText(in.partText[1]).number;

    if (in.lineMode == 0) {
        r.LineMode = 0;
        r.LineW = in.lineText[0];
        r.LineH = in.lineText[1];
        r.LineLength = in.lineText[2];
        r.Material = in.material;
        r.LineZ0 = in.lineImpedanceShown;
    } else if (in.lineMode == 1) {
        r.LineMode = 1;
        r.LineZ0 = in.lineText[0];
        r.LineK = in.lineText[1];
        r.LineLength = in.lineText[2];
    } else {
        r.LineMode = 2;
    }

    if (in.receiver.byList) {
        r.ReceiverByLcr = 0;
        r.ReceiverIcType = in.receiver.family;
        r.ReceiverIc = in.receiver.name;
    } else {
        r.ReceiverByLcr = 1;
        r.ReceiverL = storedLcr(in.receiver.l, TinyL);
        r.ReceiverR = storedLcr(in.receiver.r, TinyR);
        r.ReceiverC = storedLcr(in.receiver.c, TinyC);
        r.ReceiverR2 = in.receiver.r2;
    }

    const double f = platform::CSng(in.clockFreq);
    if (f == 0) platform::raiseError(platform::errDivisionByZero);
    r.FreqMin = 1000000;
    r.FreqMax = 1000000000;
    r.TimeMin = 0;
    r.TimeMax = static_cast<float>(1 / (f * 1e6));  // one clock period, s
    r.SpecMin = 0;
    r.SpecMax = 1000000000;
    r.Cycles = 1;
}

}  // namespace config
