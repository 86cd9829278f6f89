#pragma once
// Set-up that the program's GUI tests share: the shared tables back to their start-up state, a
// throw-away program folder with its settings store, and pictures of forms for a person to look at.

#include <QDir>
#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdlib>
#include <string>

#include "app/shell/mdlPublic.h"
#include "app/shell/string_table.h"
#include "platform/form.h"
#include "platform/settings.h"

namespace apptest {

// Every shared table and counter a test may fill, as the program holds them before Main: tests of
// one executable run in one process and would otherwise see each other's simulations.
inline void resetShared() {
    using namespace mdlPublic;
    FilterIndex = {};
    FilterCount = 0;
    IcIndex = {};
    IcCount = 0;
    Materials = {};
    SimCount = CurrentSim = ChartCount = ChartPicIndex = 0;
    ConfigWindowState = Config2WindowState = 0;
    SimConfigs = {};
    SimConfigs2 = {};
    SimResults = {};
    LastChart = nullptr;
    LastChart2 = nullptr;
}

// Makes <root>/program/data and <root>/settings, points the program folder and the settings store
// at them, and registers the string table, as main() does before Main.
inline void useProgramFolder(const QString& root) {
    QDir(root).mkpath("program/data");
    QDir(root).mkpath("settings");
    mdlPublic::ProgramFolder = (root + "/program").toStdString();
    mdlPublic::PathSep = "/";
    platform::setSettingsFolder((root + "/settings").toStdString());
    app::registerStringTable();
}

// Saves $QUENLIS_TEST_OUT/<name>.png of the form's window; nothing when the variable is unset.
inline void grab(platform::Form& form, const std::string& name) {
    const char* out = std::getenv("QUENLIS_TEST_OUT");
    if (!out) return;
    form.window()->grab().toImage().save(QString::fromStdString(std::string(out) + "/" + name + ".png"));
}

}  // namespace apptest
