#include "app/diffconfig/diff_dcc.h"

#include "platform/convert.h"
#include "platform/dispatch.h"

namespace diffconfig {
namespace {

int typeIndex(const std::string& type) {
    const auto& types = dccTypes();
    for (int i = 0; i < 3; ++i)
        if (types[static_cast<std::size_t>(i)] == type) return i;
    platform::stopProgram("frmConfig2: interface " + type);
}

int clockIndex(const std::string& type, const std::string& clock) {
    const auto& clocks = dccClocks(type);
    for (int i = 0; i < 3; ++i)
        if (clocks[static_cast<std::size_t>(i)] == clock) return i;
    platform::stopProgram("frmConfig2: clock " + clock + " of " + type);
}

}  // namespace

const std::array<std::string, 3>& dccTypes() {
    static const std::array<std::string, 3> types{"USB2.0", "LVDS", "IEEE1394"};
    return types;
}

const std::array<std::string, 3>& dccClocks(const std::string& type) {
    static const std::array<std::string, 3> clocks[3] = {
        {"LS(1.5Mbps)", "FS(12Mbps)", "HS(480Mbps)"},
        {"65MHz", "122MHz", "133MHz"},
        {"100Mbps", "200Mbps", "400Mbps"},
    };
    return clocks[typeIndex(type)];
}

DccDefaults dccDefaults(const std::string& type, const std::string& clock) {
    const int c = clockIndex(type, clock);
    switch (typeIndex(type)) {
    case 0: {
        static const char* const freq[3] = {nullptr, "6", "240"};
        return {c == 0 ? platform::CStr(0.75) : freq[c], platform::CStr(c == 2 ? 0.4 : 3.3), "0"};
    }
    case 1: {
        static const char* const freq[3] = {"65", "122", "133"};
        return {freq[c], platform::CStr(1.4), "1"};
    }
    default: {
        static const char* const freq[3] = {"50", "100", "200"};
        return {freq[c], platform::CStr(1.955), platform::CStr(1.725)};
    }
    }
}

std::string dccSetting(const std::string& type) { return std::to_string(typeIndex(type) + 1); }

std::string dccTypeOfSetting(const std::string& setting) {
    if (setting == "2") return dccTypes()[1];
    if (setting == "3") return dccTypes()[2];
    return dccTypes()[0];
}

SourceLevels storedLevels(const std::string& type, const std::string& clock, const std::string& shownHigh,
                          const std::string& shownLow) {
    const int c = clockIndex(type, clock);
    switch (typeIndex(type)) {
    case 0: return {platform::CStr(c == 2 ? 0.65 : 5.35), platform::CStr(0.0)};
    case 1: return {platform::CStr(1.7), platform::CStr(0.7)};
    default: return {shownHigh, shownLow};
    }
}

}  // namespace diffconfig
