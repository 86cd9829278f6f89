#include "platform/strings.h"

#include <cstdio>

#include "platform/errors.h"

namespace platform {

namespace {

std::map<int, std::string>& table() {
    static std::map<int, std::string> strings;
    return strings;
}

std::string& title() {
    static std::string text = "vandore";
    return text;
}

struct Version {
    int major = 0, minor = 0, revision = 0;
};

const Version& version() {
    static const Version v = [] {
        Version parsed;
        std::sscanf(QUENLIS_VERSION, "%d.%d.%d", &parsed.major, &parsed.minor, &parsed.revision);
        return parsed;
    }();
    return v;
}

}  // namespace

void registerStrings(const std::map<int, std::string>& strings) {
    for (const auto& [id, text] : strings) table()[id] = text;
}

std::string LoadResString(int id) {
    const auto it = table().find(id);
    if (it == table().end())
        raiseError(326, "Resource with identifier '" + std::to_string(id) + "' not found");
    return it->second;
}

std::string AppTitle() { return title(); }
void setAppTitle(const std::string& text) { title() = text; }

int AppMajor() { return version().major; }
int AppMinor() { return version().minor; }
int AppRevision() { return version().revision; }

}  // namespace platform
