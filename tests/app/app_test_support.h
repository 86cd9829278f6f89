#pragma once
// Set-up that the program's GUI tests share: the shared tables back to their start-up state, a
// throw-away program folder with its settings store, the build's engine and sample catalogue, ways
// to reach controls and menus as a user does, and pictures of forms for a person to look at.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/charts/result_window.h"
#include "app/shared/mdlPublic.h"
#include "app/shared/form_registry.h"
#include "app/shared/string_table.h"
#include "app/shell/program_forms.h"
#include "platform/binding.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/menu.h"
#include "platform/types.h"
#include "platform/settings.h"
#include "platform/strings.h"
#include "support/testing.h"

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

// Writes the text as it stands, no line-end translation.
inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The build's output folder: the engine library and the sample catalogue in data/.
inline std::filesystem::path builtOutput() {
    const char* out = std::getenv("QUENLIS_OUT_DIR");
    if (!out) throw std::runtime_error("QUENLIS_OUT_DIR unset");
    return out;
}

// useProgramFolder with a copy of the sample catalogue, so a test may damage it, the build's
// engine library, and every form the shell opens by name; the shared tables start afresh.
inline void useSampleProgram(const QString& root) {
    const std::filesystem::path out = builtOutput();
    useProgramFolder(root);
    const std::filesystem::path data = std::filesystem::path(mdlPublic::ProgramFolder) / "data";
    for (const auto& entry : std::filesystem::directory_iterator(out / "data"))
        std::filesystem::copy_file(entry.path(), data / entry.path().filename(),
                                   std::filesystem::copy_options::overwrite_existing);
    platform::setEngineFolder(out.string());
    app::registerProgramForms();
    resetShared();
}

// The sample catalogue read in place (no copy) with its part index loaded.
inline void useSampleCatalogue() {
    mdlPublic::ProgramFolder = builtOutput().string();
    mdlPublic::PathSep = "/";
    mdlPublic::loadFilterIndex(mdlPublic::dataPath("filtere.idx"));
}

// The item reached by captions from a top-level menu of the form, "&" included; null when none.
inline platform::MenuItem* findMenuItem(platform::Form& form, std::initializer_list<std::string> path) {
    const std::vector<platform::MenuItem*>* items = &form.menus();
    platform::MenuItem* found = nullptr;
    for (const std::string& caption : path) {
        found = nullptr;
        for (platform::MenuItem* item : *items)
            if (item->Caption() == caption) found = item;
        if (!found) return nullptr;
        items = &found->items();
    }
    return found;
}

inline platform::MenuItem& menuItem(platform::Form& form, std::initializer_list<std::string> path) {
    platform::MenuItem* found = findMenuItem(form, path);
    if (!found) {
        std::string names;
        for (const std::string& caption : path) names += (names.empty() ? "" : " > ") + caption;
        throw std::runtime_error("no menu item " + names);
    }
    return *found;
}

// The control of that name and index and kind.
template <class C>
C& control(platform::Form& form, const std::string& name, int index = -1) {
    auto* c = dynamic_cast<C*>(form.controlByName(name, index));
    if (!c) throw std::runtime_error("no control " + name + "(" + std::to_string(index) + ")");
    return *c;
}

// Picks a list item by its text, as the user would.
inline void pickText(platform::ComboBox& list, const std::string& text) {
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i) == text) return platform::testing::pick(list, i);
    throw std::runtime_error("no item " + text);
}

inline bool sameImage(const platform::Picture& a, const platform::Picture& b) {
    return !a.isNull() && !b.isNull() &&
           a.image().convertToFormat(QImage::Format_RGB32) == b.image().convertToFormat(QImage::Format_RGB32);
}

// $QUENLIS_TEST_OUT/<name>, or <name> in the working folder when the variable is unset.
inline std::string outputFile(const std::string& name) {
    const char* dir = std::getenv("QUENLIS_TEST_OUT");
    return (std::filesystem::path(dir ? dir : ".") / name).string();
}

inline void typeEnter(platform::TextBox& box, const std::string& text) {
    platform::testing::type(box, text);
    platform::testing::pressKey(box, 13);
}

// The forms of that name in the forms collection, in their order there.
inline std::vector<platform::Form*> formsNamed(const std::string& name) {
    std::vector<platform::Form*> out;
    const platform::FormsCollection forms = platform::Forms();
    for (int i = 0; i < forms.Count(); ++i)
        if (forms(i).Name() == name) out.push_back(&forms(i));
    return out;
}

// The texts of the message boxes shown so far.
inline std::vector<std::string> messages() {
    std::vector<std::string> out;
    for (const auto& m : platform::testing::messageBoxes()) out.push_back(m.text);
    return out;
}

// The message boxes shown so far, "title: text" each.
inline std::vector<std::string> titledMessages() {
    std::vector<std::string> out;
    for (const auto& m : platform::testing::messageBoxes()) out.push_back(m.title + ": " + m.text);
    return out;
}

// A string of the string table by its id.
inline std::string text(int id) { return platform::LoadResString(id); }

// The default locale for a scope, as a user's system would set it.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) : saved_(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

// Saves $QUENLIS_TEST_OUT/<name>.png of the form's window; nothing when the variable is unset.
inline void grab(platform::Form& form, const std::string& name) {
    const char* out = std::getenv("QUENLIS_TEST_OUT");
    if (!out) return;
    form.window()->grab().toImage().save(QString::fromStdString(std::string(out) + "/" + name + ".png"));
}

// The program on a throw-away folder with the sample catalogue and the built engine; what a test
// leaves open or shared is cleared after it.
class SampleProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        outDir_ = builtOutput();
        useSampleProgram(folder_.path());
        platform::testing::clearMessageBoxes();
    }
    void TearDown() override {
        platform::testing::setModalDriver({});
        platform::testing::discardAllForms();
        resetShared();
    }

    // Starts the program and picks the circuit type in the start dialog; the configuration form
    // (frmConfig, or frmConfig2 for the differential pair) it opens.
    static platform::Form& startProgram(int simType) {
        platform::testing::setModalDriver([simType](platform::Form& f) {
            if (f.Name() != "frmStart") return;
            platform::testing::click(control<platform::OptionButton>(f, "optSimType", simType));
            platform::testing::click(control<platform::CommandButton>(f, "cmdOk"));
        });
        mdlPublic::Main();
        platform::testing::setModalDriver({});
        platform::Form* form = platform::Forms().byName(simType == 3 ? "frmConfig2" : "frmConfig");
        if (!form) throw std::runtime_error("the configuration form did not open");
        return *form;
    }

    std::filesystem::path outDir_;
    QTemporaryDir folder_;
};

}  // namespace apptest
