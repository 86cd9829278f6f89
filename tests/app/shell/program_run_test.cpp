// The built program started as a user would: under a virtual X server, with the catalogue beside
// it and a fresh settings folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        QDir(home_.path()).mkpath("config/vandore");
        const char* out = std::getenv("QUENLIS_OUT_DIR");
        ASSERT_NE(out, nullptr);
        program_ = std::string(out) + "/vandore";
        ASSERT_TRUE(QFile::exists(QString::fromStdString(program_)));
        ASSERT_TRUE(QFile::exists(QString::fromStdString(std::string(out) + "/data/filtere.idx")));
    }

    // The program's visible windows a moment after start-up, as it reports them.
    std::string run(const std::string& grabName) {
        const std::string home = home_.path().toStdString();
        const char* testOut = std::getenv("QUENLIS_TEST_OUT");
        const std::string grab = testOut ? std::string(testOut) + "/" + grabName + ".png" : "";
        const std::string command = "xvfb-run -a -s '-screen 0 1280x1024x24' env -u QT_QPA_PLATFORM HOME='" + home +
                                    "' XDG_CONFIG_HOME='" + home + "/config' XDG_RUNTIME_DIR='" + home +
                                    "' QUENLIS_WINDOW_REPORT=2000 QUENLIS_WINDOW_GRAB='" + grab + "' '" + program_ +
                                    "' 2>/dev/null";
        std::string output;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[512];
            while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
            EXPECT_EQ(pclose(pipe), 0);
        }
        return output;
    }

    void writeSettings(const std::string& text) {
        std::ofstream(home_.path().toStdString() + "/config/vandore/settings.ini") << text;
    }

private:
    QTemporaryDir home_;
    std::string program_;
};

TEST_F(ProgramRun, FirstStartShowsTheMainWindowAndTheStartDialog) {
    const std::string windows = run("vandore_first_start");
    EXPECT_NE(windows.find("window: Quenlis\n"), std::string::npos) << windows;
    EXPECT_NE(windows.find("window: Select a new simulation circuit\n"), std::string::npos) << windows;
}

TEST_F(ProgramRun, StartDialogSwitchedOffOpensNoStartDialog) {
    writeSettings("[Settings]\nStartDialog=1\nSimType=0\n");
    const std::string windows = run("vandore_no_start_dialog");
    // The configuration form opens at once, maximized, so the main window names it.
    EXPECT_NE(windows.find("window: Quenlis - [Simulation No.01]\n"), std::string::npos) << windows;
    EXPECT_EQ(windows.find("Select a new simulation circuit"), std::string::npos) << windows;
}

}  // namespace
