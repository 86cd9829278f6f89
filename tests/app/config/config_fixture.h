#pragma once
// Shared set-up of the filter-circuit form's tests: a small catalogue and IC table, a fresh settings
// store, the main window, and the form opened the way the shell opens it.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/app_test_support.h"
#include "app/config/frmConfig.h"
#include "app/shared/form_registry.h"
#include "app/shell/frmMain.h"
#include "app/shared/mdlPublic.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/settings.h"
#include "platform/strings.h"
#include "support/testing.h"

namespace configtest {

namespace t = platform::testing;
using apptest::grab;
using apptest::messages;
using apptest::pickText;
using apptest::text;
using apptest::typeEnter;

// Beads carry a note; a capacitor-type filter, another filter, a capacitor and a choke coil.
inline const char* kParts =
    "1,0,\"Chip Ferrite Bead (KSV series)\",\"S\",\"T\",\"100MHz\",\"KSV1\",\"OLDKSV1\"\r\n"
    "2,1,\"Chip TESSOR (QTA :Capacitor type)\",\"S\",\"T\",\"\",\"QTA2\",\"OLDQTA2\"\r\n"
    "3,2,\"Chip Capacitor (JX series)\",\"S\",\"T\",\"\",\"JX3\",\"OLDJX3\"\r\n"
    "4,3,\"Chip Common Mode Choke Coil\",\"S\",\"T\",\"90ohm\",\"WQ4\",\"YZ4\"\r\n"
    "5,1,\"Chip TESSOR (QTB :Other type)\",\"S\",\"T\",\"\",\"QTB5\",\"OLDQTB5\"\r\n"
    "6,0,\"Chip Ferrite Bead (KSV series)\",\"S\",\"T\",\"600MHz\",\"KSV6\",\"OLDKSV6\"\r\n";

// Drivers CMOS, TTL, CMOS, then the receivers.
inline const char* kIcs =
    "0,\"CMOS\",\"74HC04\",5\r\n"
    "0,\"TTL\",\"74LS04\",5\r\n"
    "0,\"CMOS\",\"74AC04\",3.3\r\n"
    "1,\"CMOS\",\"74HC04\",5\r\n"
    "1,\"TTL\",\"74LS04\",4.5\r\n"
    "1,\"TTL\",\"74S04\",5\r\n";

class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        apptest::useProgramFolder(folder_.path());
        write("filtere.idx", kParts);
        write("ic.idx", kIcs);
        apptest::resetShared();
        mdlPublic::loadFilterIndex(mdlPublic::dataPath("filtere.idx"));
        mdlPublic::loadIcIndex(mdlPublic::dataPath("ic.idx"));
        mdlPublic::fillMaterials();
        app::registerFormLoader("frmConfig", []() -> platform::Form& { return platform::defaultForm<frmConfig>(); });
        t::setModalDriver({});
        frmMain::instance();
        t::clearMessageBoxes();
    }
    void TearDown() override {
        frmConfig::setSimulationRunner({});
        t::setModalDriver({});
        t::discardAllForms();
        app::unregisterFormLoader("frmConfig");
        apptest::resetShared();
    }

    void write(const std::string& name, const std::string& text) const { apptest::writeFile(mdlPublic::dataPath(name), text); }

    static void setSetting(const std::string& key, const std::string& value) {
        platform::SaveSetting("vandore", "Settings", key, value);
    }

    // Opens the form for a new simulation of the circuit type, as File > New Simulation does.
    frmConfig& open(int simType, bool review = false) {
        setSetting("SimType", std::to_string(simType));
        if (!review) mdlPublic::CurrentSim = mdlPublic::SimCount;
        mdlPublic::ShowConfigForm(simType, review);
        form_ = platform::loadedForm<frmConfig>();
        EXPECT_NE(form_, nullptr);
        return *form_;
    }

    template <class C>
    C& ctl(const std::string& name, int index = -1) const {
        auto* c = dynamic_cast<C*>(form_->controlByName(name, index));
        if (!c) throw std::runtime_error("no control " + name + "(" + std::to_string(index) + ")");
        return *c;
    }
    platform::TextBox& box(const std::string& name, int index = -1) const { return ctl<platform::TextBox>(name, index); }
    platform::ComboBox& combo(const std::string& name, int index = -1) const { return ctl<platform::ComboBox>(name, index); }
    platform::OptionButton& option(const std::string& name, int index) const { return ctl<platform::OptionButton>(name, index); }
    platform::CheckBox& check(int index) const { return ctl<platform::CheckBox>("chkMeasure", index); }
    platform::Label& label(const std::string& name, int index = -1) const { return ctl<platform::Label>(name, index); }
    std::string picture(int index) const { return ctl<platform::Image>("imgCircuit", index).PictureKey(); }
    platform::MenuItem& menu(const std::string& name) const { return *form_->menuByName(name); }

    // Both ICs from the list, and the part(s) confirmed: a form that CheckConfig accepts.
    void completeForm(int simType) const {
        for (int i = 0; i < 2; ++i) {
            t::click(option("optSelectIc", i));
            pickText(combo("cboSelectIcPrimary", i), "CMOS");
            pickText(combo("cboSelectIc", i), "74HC04");
        }
        typeEnter(box("txtFilter", 0), "ksv1");
        if (simType == 1) typeEnter(box("txtFilter", 1), "JX3");
        if (simType == 2) typeEnter(box("txtFilter", 1), "QTA2");
        t::clearMessageBoxes();
    }


    frmConfig* form_ = nullptr;

private:
    QTemporaryDir folder_;
};

}  // namespace configtest
