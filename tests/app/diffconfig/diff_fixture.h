#pragma once
// Shared set-up of the differential form's tests: the sample catalogue and the engine library of
// the build, a fresh settings store, the main window, and the form opened the way the shell opens it.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app_test_support.h"
#include "app/diffconfig/frmConfig2.h"
#include "app/shell/form_registry.h"
#include "app/shell/frmMain.h"
#include "app/shell/mdlPublic.h"
#include "platform/binding.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/strings.h"
#include "platform/testing.h"

namespace difftest {

namespace t = platform::testing;
namespace fs = std::filesystem;

// A choke of the sample catalogue, by its global and previous numbers and its note.
inline const char* kChoke = "WQ2012S900";
inline const char* kChokePrevious = "YZ2012-900";
inline const char* kChokeShown = "WQ2012S900 (90 ohm, USB2.0 HS)";

class DiffTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        t::discardAllForms();
        const char* out = std::getenv("QUENLIS_OUT_DIR");
        ASSERT_NE(out, nullptr);
        outDir_ = out;
        apptest::useProgramFolder(folder_.path());
        const fs::path data = fs::path(mdlPublic::ProgramFolder) / "data";
        for (const auto& entry : fs::directory_iterator(outDir_ / "data"))
            fs::copy_file(entry.path(), data / entry.path().filename(), fs::copy_options::overwrite_existing);
        apptest::resetShared();
        mdlPublic::loadFilterIndex(mdlPublic::dataPath("filtere.idx"));
        mdlPublic::fillMaterials();
        platform::setEngineFolder(outDir_.string());
        app::registerProgramForms();
        // Only the checks: the run is tested with its own unit.
        frmConfig2::setSimulationRunner({});
        t::setModalDriver({});
        frmMain::instance();
        t::clearMessageBoxes();
    }
    void TearDown() override {
        frmConfig2::setSimulationRunner({});
        t::setModalDriver({});
        t::discardAllForms();
        apptest::resetShared();
    }

    // Opens the form for a new simulation, as File > New Simulation does for the differential pair.
    frmConfig2& open() {
        mdlPublic::saveAppSetting("SimType", "3");
        mdlPublic::CurrentSim = mdlPublic::SimCount;
        mdlPublic::ShowConfigForm(3, false);
        form_ = platform::loadedForm<frmConfig2>();
        EXPECT_NE(form_, nullptr);
        return *form_;
    }

    std::string picture(int index) const { return form_->imgCircuit(index).PictureKey(); }
    platform::Label& lineLabel(int index) const { return form_->lblConfigTrans(index); }
    platform::TextBox& lineBox(int index) const { return form_->txtConfigTrans(index); }

    void pickText(platform::ComboBox& list, const std::string& text) const {
        for (int i = 0; i < list.ListCount(); ++i)
            if (list.List(i) == text) return t::pick(list, i);
        FAIL() << "no item " << text;
    }
    void typeEnter(platform::TextBox& box, const std::string& text) const {
        t::type(box, text);
        t::pressKey(box, 13);
    }
    static std::vector<std::string> messages() {
        std::vector<std::string> out;
        for (const auto& m : t::messageBoxes()) out.push_back(m.text);
        return out;
    }
    static std::string text(int id) { return platform::LoadResString(id); }

    frmConfig2* form_ = nullptr;
    fs::path outDir_;

private:
    QTemporaryDir folder_;
};

}  // namespace difftest
