#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/strings.h"
#include "platform/errors.h"

using namespace platform;

TEST(StringTable, LoadsRegisteredTextsAndRefusesUnknownIds) {
    registerStrings({{5000, "&File"}, {5820, "Arial"}});
    EXPECT_EQ(LoadResString(5820), "Arial");
    registerStrings({{5820, "Helvetica"}});
    EXPECT_EQ(LoadResString(5820), "Helvetica");
    EXPECT_EQ(LoadResString(5000), "&File");
    try {
        LoadResString(7099);
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 326);
        EXPECT_NE(e.description().find("7099"), std::string::npos);
    }
    EXPECT_EQ(AppTitle(), "vandore");
    EXPECT_EQ(std::to_string(AppMajor()) + "." + std::to_string(AppMinor()) + "." + std::to_string(AppRevision()),
              "1.0.0");
}
