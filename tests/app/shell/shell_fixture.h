#pragma once
// Shared set-up of the shell's tests: a program folder with its data files, a fresh settings store,
// the string table, and stand-ins for the forms that the shell opens by name.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <string>
#include <vector>

#include "app/app_test_support.h"
#include "app/shared/form_registry.h"
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

// What the shell touches of the filter-circuit form, by name.
class FakeConfig : public platform::Form {
public:
    explicit FakeConfig(const std::string& name = "frmConfig") : Form(name, platform::FormKind::MdiChild) {
        imgCircuit.setName("imgCircuit");
        lblCircuit.setName("lblCircuit");
        lblFilter.setName("lblFilter");
        txtFilter.setName("txtFilter");
        Line2.setName("Line2");
        txtFilter.Change = [this](int index) { changes.push_back(index); };
    }
    platform::ControlArray<platform::Image> imgCircuit{*this, 6};
    platform::ControlArray<platform::Label> lblCircuit{*this, 6};
    platform::ControlArray<platform::Label> lblFilter{*this, 2};
    platform::ControlArray<platform::TextBox> txtFilter{*this, 2};
    platform::Line Line2{*this, 0, 0, 100, 0};
    std::vector<int> changes;
};

class FakeConfig2 : public platform::Form {
public:
    FakeConfig2() : Form("frmConfig2", platform::FormKind::MdiChild) { txtFilter.setName("txtFilter"); }
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

inline void registerFakeConfigForms() {
    app::registerFormLoader("frmConfig", []() -> platform::Form& { return platform::defaultForm<FakeConfig>(); });
    app::registerFormLoader("frmConfig2", []() -> platform::Form& { return platform::defaultForm<FakeConfig2>(); });
}

}  // namespace shelltest
