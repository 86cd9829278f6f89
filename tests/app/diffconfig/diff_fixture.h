#pragma once
// Shared set-up of the differential form's tests: the sample catalogue and the engine library of
// the build, a fresh settings store, the main window, and the form opened the way the shell opens it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/app_test_support.h"
#include "app/diffconfig/frmConfig2.h"
#include "app/shared/form_registry.h"
#include "app/shell/frmMain.h"
#include "app/shared/mdlPublic.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/strings.h"
#include "support/testing.h"

namespace difftest {

namespace t = platform::testing;
namespace fs = std::filesystem;
using apptest::messages;
using apptest::pickText;
using apptest::text;
using apptest::typeEnter;

// A choke of the sample catalogue, by its global and previous numbers and its note.
inline const char* kChoke = "WQ2012S900";
inline const char* kChokePrevious = "YZ2012-900";
inline const char* kChokeShown = "WQ2012S900 (90 ohm, USB2.0 HS)";

class DiffTest : public apptest::SampleProgramTest {
protected:
    void SetUp() override {
        t::discardAllForms();
        SampleProgramTest::SetUp();
        mdlPublic::loadFilterIndex(mdlPublic::dataPath("filtere.idx"));
        mdlPublic::fillMaterials();
        // Only the checks: the run is tested with its own unit.
        frmConfig2::setSimulationRunner({});
        t::setModalDriver({});
        frmMain::instance();
        t::clearMessageBoxes();
    }
    void TearDown() override {
        frmConfig2::setSimulationRunner({});
        SampleProgramTest::TearDown();
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

    frmConfig2* form_ = nullptr;
};

}  // namespace difftest
