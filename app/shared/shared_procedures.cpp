// The shared procedures of mdlPublic that need no window.
#include <cmath>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "app/shared/data_files.h"
#include "app/shared/mdlPublic.h"
#include "platform/dispatch.h"
#include "platform/errors.h"

namespace mdlPublic {

float Log10(float x) {
    if (!(x > 0)) platform::raiseError(platform::errInvalidArgument);
    return static_cast<float>(std::log(static_cast<double>(x)) / std::log(10.0));
}

void ReplaceAll(std::string& text, const std::string& find, const std::string& replacement) {
    if (find.empty()) return;
    // The next search starts after the inserted text, so a replacement holding find is not rescanned.
    std::size_t pos = 0;
    while ((pos = text.find(find, pos)) != std::string::npos) {
        text.replace(pos, find.size(), replacement);
        pos += replacement.size();
    }
}

std::string UpperAscii(const std::string& s) { return app::upperAscii(s); }

namespace {

struct NamedColor {
    std::string_view name;
    platform::Color color;
};

constexpr NamedColor kColors[] = {
    {"black", platform::RGB(0, 0, 0)},        {"blue", platform::RGB(0, 0, 255)},
    {"green", platform::RGB(0, 255, 0)},      {"cyan", platform::RGB(0, 255, 255)},
    {"red", platform::RGB(255, 0, 0)},        {"magenta", platform::RGB(255, 0, 255)},
    {"yellow", platform::RGB(255, 255, 0)},   {"white", platform::RGB(255, 255, 255)},
    {"dark-blue", platform::RGB(0, 0, 128)},  {"dark-green", platform::RGB(0, 128, 0)},
    {"purple", platform::RGB(128, 0, 128)},   {"dark-cyan", platform::RGB(0, 128, 128)},
    {"brown", platform::RGB(128, 0, 0)},      {"violet", platform::RGB(128, 0, 128)},
    {"gray", platform::RGB(192, 192, 192)},
};

bool startsWith(std::string_view text, std::string_view prefix) {
    // An ASCII prefix: equal bytes are equal characters in UTF-8.
    return text.substr(0, prefix.size()) == prefix;
}

bool modeConsiders(const FilterIndexRecord& entry, std::int16_t mode) {
    switch (mode) {
    case 0: return true;
    case 1: return entry.PartType == 0;
    case 2: return entry.PartType == 1;
    case 3: return entry.PartType == 2;
    case 4: return entry.PartType == 3;
    case 5: return entry.PartType == 1 && entry.Primary == "Chip TESSOR (QTA :Capacitor type)";
    }
    platform::stopProgram("CheckFilPartnum: mode " + std::to_string(mode));
}

}  // namespace

platform::Color GetColor(const std::string& name) {
    for (const NamedColor& entry : kColors)
        if (entry.name == name) return entry.color;
    return platform::RGB(0, 0, 0);
}

std::string GetSeriesFromCategory(const std::string& category) {
    if (category == "Chip Ferrite Bead (KSV series)") return "KSV";
    if (startsWith(category, "Chip TESSOR (QT")) return "QTA";
    if (startsWith(category, "Chip Capacitor (JX")) return "JX";
    if (startsWith(category, "Chip Common Mode Choke Coil")) return "WQ";
    platform::stopProgram("GetSeriesFromCategory: " + category);
}

std::string GetSeriesFromPartnum(const std::string& partnum) {
    const std::string_view head = std::string_view(partnum).substr(0, 2);
    if (head == "KS") return "KSV";
    if (head == "QT" || head == "R(") return "QTA";
    if (head == "JX") return "JX";
    if (head == "WQ" || head == "YZ") return "WQ";
    platform::stopProgram("GetSeriesFromPartnum: " + partnum);
}

std::int16_t CheckFilPartnum(const std::string& partnum, std::int16_t mode, std::int32_t numberField) {
    if (mode < 0 || mode > 5) platform::stopProgram("CheckFilPartnum: mode " + std::to_string(mode));
    try {
        const std::string q = app::normalisePartnum(partnum);
        // An empty number is never a part: an index entry with an empty field must not match it.
        if (q.empty()) return -1;
        for (int i = 0; i < FilterCount; ++i) {
            const FilterIndexRecord& entry = FilterIndex.at(i);
            if (!modeConsiders(entry, mode)) continue;
            const std::string& number = numberField == 0 ? entry.GlobalPartNum : entry.PrevPartNum;
            if (number == q) return static_cast<std::int16_t>(i);
        }
        // The previous view shows a part that has no previous number under its global one.
        if (numberField != 0)
            for (int i = 0; i < FilterCount; ++i) {
                const FilterIndexRecord& entry = FilterIndex.at(i);
                if (modeConsiders(entry, mode) && entry.PrevPartNum.empty() && entry.GlobalPartNum == q)
                    return static_cast<std::int16_t>(i);
            }
        return -1;
    } catch (...) {
        // Reported, and then "not found": a failed search must never pass for a match.
        platform::showErrorBox("Vandor.mdlPublic.CheckFilPartnum", platform::trappedError());
    }
    return -1;
}

std::string simCaptionPrefix(int sim) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", sim + 1);
    return std::string("Simulation No.") + digits;
}

int captionSimNumber(const std::string& caption) {
    constexpr std::string_view prefix = "Simulation No.";
    if (!startsWith(caption, prefix)) return -1;
    int number = 0;
    std::size_t digits = 0;
    for (std::size_t i = prefix.size(); i < caption.size() && caption[i] >= '0' && caption[i] <= '9'; ++i) {
        if (number > 100000) return -1;  // no caption carries such a number
        number = number * 10 + (caption[i] - '0');
        ++digits;
    }
    return digits == 0 ? -1 : number - 1;
}

}  // namespace mdlPublic
