#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/settings.h"
#include "platform/errors.h"
#include "error_of.h"

using namespace platform;

TEST(Settings, RoundTripInAFolder) {
    QTemporaryDir dir;
    setSettingsFolder(dir.path().toStdString());
    EXPECT_EQ(GetSetting("vandore", "Settings", "StartDialog", "0"), "0");
    SaveSetting("vandore", "Settings", "StartDialog", "1");
    SaveSetting("vandore", "Settings", "SimType", "2");
    EXPECT_EQ(GetSetting("vandore", "Settings", "StartDialog", "0"), "1");
    EXPECT_EQ(GetSetting("vandore", "Settings", "SimType"), "2");
    EXPECT_EQ(GetSetting("other", "Settings", "SimType", "x"), "x");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(settingsFile("vandore"))));
    EXPECT_TRUE(settingsFile("vandore").rfind(dir.path().toStdString(), 0) == 0);
    EXPECT_EQ(errorOf([] { SaveSetting("vandore", "", "k", "v"); }), 5);

    // Without the seam the store is the user's config folder (a throw-away one in tests).
    setSettingsFolder("");
    const std::string config = qEnvironmentVariable("XDG_CONFIG_HOME").toStdString();
    EXPECT_EQ(settingsFile("vandore"), config + "/vandore/settings.ini");
}
