#pragma once
// Shared set-up of the shell's tests: a program folder with its data files, a fresh settings store,
// the string table, and stand-ins for the forms that the shell opens by name.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/app_test_support.h"
#include "app/shared/chart_window.h"
#include "app/shared/config_form.h"
#include "app/shared/form_registry.h"
#include "app/shared/main_window.h"
#include "app/shared/mdlPublic.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/settings.h"
#include "support/testing.h"

namespace shelltest {

using apptest::writeFile;

// n lines of filtere.idx, line k holding record k.
inline std::string filterLines(int n) {
    std::string text;
    for (int k = 1; k <= n; ++k)
        text += std::to_string(k) + ",0,\"Chip Ferrite Bead (KSV series)\",\"S\",\"T\",\"100MHz\",\"KSV" +
                std::to_string(k) + "\",\"OLD" + std::to_string(k) + "\"\r\n";
    return text;
}

inline std::string icLines(int n) {
    std::string text;
    for (int k = 1; k <= n; ++k) text += std::to_string(k % 2) + ",\"CMOS\",\"IC" + std::to_string(k) + "\",3.3\r\n";
    return text;
}

// Geometry read back from a shown window includes its frame, which the window system adds after a
// size was set: compare within a few pixels.
constexpr int kFrameTolerance = 6 * 15;

using apptest::grab;

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        apptest::useProgramFolder(folder_.path());
        writeData(filterLines(3), icLines(2));
        apptest::resetShared();
        platform::testing::clearMessageBoxes();
        platform::testing::setModalDriver({});
    }
    void TearDown() override {
        platform::testing::setModalDriver({});
        platform::testing::discardAllForms();
        for (const char* name : {"frmConfig", "frmConfig2", "frmSelectFil"}) app::unregisterFormLoader(name);
        apptest::resetShared();
    }

    std::string dataFile(const std::string& name) const { return mdlPublic::ProgramFolder + "/data/" + name; }

    void writeData(const std::string& filters, const std::string& ics) const {
        writeFile(dataFile("filtere.idx"), filters);
        writeFile(dataFile("ic.idx"), ics);
    }

    static void setSetting(const std::string& key, const std::string& value) {
        platform::SaveSetting("vandore", "Settings", key, value);
    }
    static std::string setting(const std::string& key) {
        return platform::GetSetting("vandore", "Settings", key, "<unset>");
    }

    static const std::vector<platform::testing::MessageBoxCall>& boxes() { return platform::testing::messageBoxes(); }

private:
    QTemporaryDir folder_;
};

// A configuration form as the shell asks of one; it records what it is readied for.
class FakeConfigBase : public ConfigForm {
public:
    using ConfigForm::ConfigForm;
    bool CheckConfig() override { return false; }
    void StartSimulation(std::int16_t) override {}
    void mnuSimFilconf_Click() override {}
    void mnuWindowClose_Click() override {}
    void LoadConfig(std::int16_t) override {}
    void prepareFor(std::int32_t t, bool review) override { prepared.emplace_back(t, review); }
    void showChosenPart(int, const std::string&) override {}

    std::vector<std::pair<int, bool>> prepared;  // (circuit type, review) of each prepareFor
};

// The filter-circuit form's stand-in, which draws its diagram as that form readies it (the main
// window's pictures show it) and counts the changes of its part boxes.
class FakeConfig : public FakeConfigBase {
public:
    explicit FakeConfig(const std::string& name = "frmConfig") : FakeConfigBase(name) {
        txtFilter.Change = [this](int index) { changes.push_back(index); };
    }
    void prepareFor(std::int32_t t, bool review) override {
        FakeConfigBase::prepareFor(t, review);
        if (!review) {
            show(2, "ksvqtar");
            if (t != 0) show(5, t == 1 ? "jxr" : "qtar");
        }
        Line2.setX2(t == 0 ? 5000 : 4500);
        for (platform::Control* c : std::initializer_list<platform::Control*>{&imgCircuit(5), &lblCircuit(5), &lblFilter(1), &txtFilter(1)})
            c->setVisible(t != 0);
    }
    int partSlots() const override { return txtFilter(1).Visible() ? 2 : 1; }
    platform::TextBox& partBox(int slot) override { return txtFilter(slot); }

    platform::ControlArray<platform::Image> imgCircuit{*this, 6};
    platform::ControlArray<platform::Label> lblCircuit{*this, 6};
    platform::ControlArray<platform::Label> lblFilter{*this, 2};
    platform::ControlArray<platform::TextBox> txtFilter{*this, 2};
    platform::Line Line2{*this, 0, 0, 100, 0};
    std::vector<int> changes;

private:
    void show(int index, const std::string& key) { imgCircuit(index).setPicture(key, app::mainWindow().imlMain.picture(key)); }
};

class FakeConfig2 : public FakeConfigBase {
public:
    FakeConfig2() : FakeConfigBase("frmConfig2") {}
    int partSlots() const override { return 1; }
    platform::TextBox& partBox(int slot) override { return txtFilter(slot); }
    platform::ControlArray<platform::TextBox> txtFilter{*this, 1};
};

// Any other form: a result window or a dialog, known by name and caption only.
class NamedForm : public platform::Form {
public:
    NamedForm(const std::string& name, const std::string& caption, std::vector<std::string>* unloads = nullptr)
        : Form(name, platform::FormKind::MdiChild), unloads_(unloads) {
        setCaption(caption);
    }

protected:
    void Form_Unload(int&) override {
        if (unloads_) unloads_->push_back(Caption());
    }

private:
    std::vector<std::string>* unloads_;
};

// A result window whose part-number switch the shell drives: "frmChart2" switches the differential
// pair's record, any other name the filter circuits'.
class NamedChart : public app::ChartWindow {
public:
    NamedChart(const std::string& name, const std::string& caption) : ChartWindow(name, platform::FormKind::MdiChild) {
        setCaption(caption);
    }
    void switchPartnumType(std::int32_t t) override { Name() == "frmChart2" ? switchDiffRecord(t) : switchFilterRecord(t); }
};

inline void registerFakeConfigForms() {
    app::registerFormLoader("frmConfig", []() -> platform::Form& { return platform::defaultForm<FakeConfig>(); });
    app::registerFormLoader("frmConfig2", []() -> platform::Form& { return platform::defaultForm<FakeConfig2>(); });
}

}  // namespace shelltest
