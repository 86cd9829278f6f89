#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/help.h"

using namespace platform;

TEST(HelpViewer, ShowsTheFileOrSaysItIsMissing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("vandore.html");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><h1>Contents</h1><p>How to start a simulation.</p></body></html>");
    file.close();

    showHelp(path.toStdString());
    EXPECT_TRUE(helpVisible());
    EXPECT_NE(helpText().find("How to start a simulation."), std::string::npos);

    const std::string missing = dir.filePath("nothing.hlp").toStdString();
    showHelp(missing);
    EXPECT_TRUE(helpVisible());
    EXPECT_NE(helpText().find("could not be opened"), std::string::npos);
    EXPECT_NE(helpText().find(missing), std::string::npos);
    closeHelp();
}
