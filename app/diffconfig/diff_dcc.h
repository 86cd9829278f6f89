#pragma once
// The three interfaces of the differential pair: their clocks, the signal frequency and levels
// each clock implies, and the source voltages the driver model needs.

#include <array>
#include <string>

namespace diffconfig {

// "USB2.0", "LVDS", "IEEE1394", in the order of the interface list.
const std::array<std::string, 3>& dccTypes();
// The three clocks of an interface, first the default. Another type is an internal error.
const std::array<std::string, 3>& dccClocks(const std::string& type);

// Texts of the frequency [MHz] and level [V] boxes for an interface and clock, in the locale.
struct DccDefaults {
    std::string clockFreq;
    std::string volHigh;
    std::string volLow;
};
DccDefaults dccDefaults(const std::string& type, const std::string& clock);

// "DccType" setting of an interface ("1", "2", "3") and the interface of a setting: "0" (never
// written) and any value but "2" and "3" mean USB2.0.
std::string dccSetting(const std::string& type);
std::string dccTypeOfSetting(const std::string& setting);

// The source swing of the driver model as the record stores it: USB2.0 and LVDS by their fixed
// model, IEEE1394 as shown. Levels shown again on review are those of dccDefaults.
struct SourceLevels {
    std::string high;
    std::string low;
};
SourceLevels storedLevels(const std::string& type, const std::string& clock, const std::string& shownHigh,
                          const std::string& shownLow);

}  // namespace diffconfig
