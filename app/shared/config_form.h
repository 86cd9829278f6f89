#pragma once
// The two configuration forms (filter circuits and differential pair): ConfigForm is what the
// shared procedures, the part chooser and the result windows ask of either; ConfigFormBase holds
// what the two share: their menu bar and its forwarding to the main window, the part-number view,
// hiding instead of unloading, the start of a simulation through the run that registers with the
// form, the error trap of their procedures, the refusal message, the check of the line boxes their
// impedance needs and the line figure their Figure button shows.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "app/shared/form_tools.h"
#include "app/shared/window_menus.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/menu.h"

class ConfigForm : public platform::Form {
public:
    // True when the form can be simulated; otherwise one message has been shown.
    virtual bool CheckConfig() = 0;
    // Runs simulation s through the registered run (nothing when none is registered).
    virtual void StartSimulation(std::int16_t s) = 0;
    virtual void mnuSimFilconf_Click() = 0;
    virtual void mnuWindowClose_Click() = 0;
    // Shows the settings of simulation s, as stored, in the form.
    virtual void LoadConfig(std::int16_t s) = 0;
    // Readies the diagram for circuit type t before the form is shown; review leaves the part
    // pictures to the LoadConfig that follows.
    virtual void prepareFor(std::int32_t t, bool review) = 0;
    // The part boxes in use (the first `partSlots()` of them), and part box `slot`.
    virtual int partSlots() const = 0;
    virtual platform::TextBox& partBox(int slot) = 0;
    // Shows the part just written into box `slot`, of series `series`, in the diagram, with the
    // measuring points it allows.
    virtual void showChosenPart(int slot, const std::string& series) = 0;
    // Unloads the result windows and the helper windows (preview, line figure), also for result
    // windows whose configuration form is not open.
    static void closeChartWindows();

protected:
    explicit ConfigForm(std::string name) : Form(std::move(name), platform::FormKind::MdiChild) {}
    // Unloads every loaded window of kind K, the last loaded first; the first form loaded is the
    // main window and never one.
    template <class K>
    static void unloadForms() {
        for (int i = platform::Forms().Count() - 1; i >= 1; --i) {
            const platform::FormsCollection forms = platform::Forms();
            if (i >= forms.Count()) continue;  // an unloaded window may have taken others with it
            if (auto* form = dynamic_cast<K*>(&forms(i))) platform::Unload(*form);
        }
    }
};

class ConfigFormBase : public ConfigForm {
public:
    // Test seam: a menu item by its name, for tests that drive the menus; nullptr for an unknown
    // name. The program reaches none by name.
    platform::MenuItem* menuByName(const std::string& name);

    platform::MenuItem mnuFile{*this, "&File"};
    platform::MenuItem mnuFileNew{mnuFile, "&New Simulation"};
    platform::MenuItem mnuFileBar1{mnuFile, "-"};
    platform::MenuItem mnuFileExit{mnuFile, "E&xit"};
    app::ViewMenu view{*this};
    platform::MenuItem mnuSim{*this, "&Simulation"};
    platform::MenuItem mnuSimFilconf{mnuSim, "Select &Filter..."};
    platform::MenuItem mnuSimStart{mnuSim, "&Start Simulation"};
    app::OptionMenu option{*this};
    platform::MenuItem mnuWindow{*this, "&Window"};
    platform::MenuItem mnuWindowClose{mnuWindow, "&Close all Chart Windows"};
    app::HelpMenu help{*this};

protected:
    // lineFigure: the imlMain key of the line-model picture that the Figure button shows.
    ConfigFormBase(std::string name, std::string lineFigure);

    // The part-number view ticked as the settings hold it, and Close all enabled while result
    // windows are open.
    void Form_Activate() override;
    // The form is hidden, never unloaded: its inputs stay for the next simulation.
    void Form_QueryUnload(int& cancel, int unloadMode) override;

    // Event procedures.
    void cmdFigure_Click();
    void cmdSimulation_Click();
    void mnuSimStart_Click();

    // Menu captions from the string table; the forms differ in the caption of Close all only.
    void setMenuCaptions(int windowCloseCaption);
    void wireMenus();
    // At load: the part chooser's button and menu item when the chooser is part of the build, and
    // Close all while result windows are open.
    void enableAtLoad(platform::Control& selectButton);
    // Runs procedure `procedure` of this form, reporting its run-time errors with the error box.
    template <class Body>
    void trapped(const char* procedure, Body&& body) {
        app::trapped(*this, procedure, std::forward<Body>(body));
    }
    // Runs a completeness check that repaints its pieces and answers whether they are complete;
    // a failure is trapped and answers false.
    template <class Check>
    bool trappedCheck(const char* procedure, Check&& check) {
        bool ok = false;
        trapped(procedure, [&ok, &check] { ok = check(); });
        return ok;
    }
    // Whether line boxes 0 .. count - 1 each hold a number above 0 (as the line's impedance needs);
    // otherwise refuses with `message`.
    static bool linePositive(const platform::ControlArray<platform::TextBox>& boxes, int count, int message);
    virtual bool hasRunner() const = 0;

private:
    const std::string lineFigure_;
    // Checks, then runs the next simulation; true when a run was started.
    bool startNextSimulation();
};

// The run of each form's circuit family lives in its own unit and registers here when the program
// registers its forms (registerProgramForms); a test registers its own run, or none, and Start
// Simulation then runs the checks only.
template <class Self>
class ConfigFormOf : public ConfigFormBase {
public:
    using SimulationRunner = std::function<void(Self&, std::int16_t simulation)>;
    static void setSimulationRunner(SimulationRunner runner) { registered() = std::move(runner); }

    void StartSimulation(std::int16_t s) override {
        if (registered()) registered()(static_cast<Self&>(*this), s);
    }

protected:
    using ConfigFormBase::ConfigFormBase;
    bool hasRunner() const override { return static_cast<bool>(registered()); }

private:
    static SimulationRunner& registered() {
        static SimulationRunner runner;
        return runner;
    }
};
