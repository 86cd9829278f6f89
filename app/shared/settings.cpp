// The four settings of the program in section "Settings" of the per-user store.
#include <string>
#include <string_view>

#include "app/shared/mdlPublic.h"
#include "platform/dispatch.h"
#include "platform/settings.h"

namespace mdlPublic {
namespace {

struct SettingKey {
    std::string_view name;
    std::string_view values;  // each value is one of these digits; "0" is every key's default
};

constexpr SettingKey kKeys[] = {
    {"PartnumType", "01"},
    {"SimType", "0123"},
    {"DccType", "0123"},
    {"StartDialog", "01"},
};

const SettingKey& knownKey(const std::string& key) {
    for (const SettingKey& k : kKeys)
        if (k.name == key) return k;
    platform::stopProgram("GetAppSetting: " + key);
}

}  // namespace

std::string GetAppSetting(const std::string& key) {
    const SettingKey& k = knownKey(key);
    const std::string value = platform::GetSetting(AppName, SettingsSection, key, "0");
    // A damaged store must never keep the program from starting: the readers convert the value
    // and would stop at anything they do not expect.
    if (value.size() != 1 || k.values.find(value[0]) == std::string_view::npos) return "0";
    return value;
}

void saveAppSetting(const std::string& key, const std::string& value) {
    knownKey(key);
    platform::SaveSetting(AppName, SettingsSection, key, value);
}

int partnumType() { return GetAppSetting("PartnumType") == "1" ? 1 : 0; }

}  // namespace mdlPublic
