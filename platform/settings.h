#pragma once
// The per-user settings store: text values by application, section and key, kept in the user's
// config folder (one file per application).

#include <string>

namespace platform {

// The stored value, or def when the key was never saved.
std::string GetSetting(const std::string& application, const std::string& section, const std::string& key,
                       const std::string& def = {});
// An empty application, section or key is error 5; a store that cannot be written is error 75.
void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                 const std::string& value);

// Seam: the folder the store lives in (empty: the user's config folder).
void setSettingsFolder(const std::string& folder);
// The file that holds an application's settings.
std::string settingsFile(const std::string& application);

}  // namespace platform
