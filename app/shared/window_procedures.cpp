// The shared procedures of mdlPublic that manage windows: the configuration forms, the part-number
// view of every open window, the part chooser's layout, text output and the top-most flag.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/shared/form_procedures.h"
#include "app/shared/form_registry.h"
#include "app/shared/main_window.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/form.h"
#include "platform/msgbox.h"
#include "platform/strings.h"

namespace mdlPublic {
namespace {

// Controls of forms that the shared procedures reach by name.
using app::controlOf;

void setPicture(platform::Form& form, int index, const std::string& key) {
    controlOf<platform::Image>(form, "imgCircuit", index).setPicture(key, app::mainWindow().imlMain.picture(key));
}

void notAvailable(const std::string& what) {
    platform::MsgBox(what + " is not available yet.", platform::MsgBoxOkOnly);
}

// The loaded forms with exactly this name (the prefix patterns of the original would also take
// frmConfigApp, frmConfigRange and frmConfigPrint for configuration forms).
std::vector<platform::Form*> formsNamed(std::initializer_list<const char*> names) {
    std::vector<platform::Form*> found;
    const platform::FormsCollection forms = platform::Forms();
    for (int i = 0; i < forms.Count(); ++i)
        for (const char* name : names)
            if (forms(i).Name() == name) found.push_back(&forms(i));
    return found;
}

void showFilterConfigForm(platform::Form& form, std::int32_t simType, bool review) {
    if (!review) {
        setPicture(form, 2, "ksvqtar");
        if (simType == 1) setPicture(form, 5, "jxr");
        if (simType == 2) setPicture(form, 5, "qtar");
    }
    controlOf<platform::Line>(form, "Line2").setX2(simType == 0 ? 5000 : 4500);
    const bool secondPart = simType != 0;
    controlOf<platform::Image>(form, "imgCircuit", 5).setVisible(secondPart);
    controlOf<platform::Label>(form, "lblCircuit", 5).setVisible(secondPart);
    controlOf<platform::Label>(form, "lblFilter", 1).setVisible(secondPart);
    controlOf<platform::TextBox>(form, "txtFilter", 1).setVisible(secondPart);
    form.Show();
    form.setWindowState(ConfigWindowState);
    // The form opens with the focus in its first part box.
    controlOf<platform::TextBox>(form, "txtFilter", 0).SetFocus();
}

const std::string& oldNumber(const FilterIndexRecord& e, std::int32_t t) { return t != 0 ? e.GlobalPartNum : e.PrevPartNum; }
const std::string& newNumber(const FilterIndexRecord& e, std::int32_t t) { return t != 0 ? e.PrevPartNum : e.GlobalPartNum; }

// The number of the part in the other view, with its note for beads and chokes; the text as it was
// when the index does not hold it. A part with no number in the other view keeps the one it has:
// blanking it would lose the part for good, as an empty box is never found again.
void rewritePartBox(platform::TextBox& box, std::int32_t t) {
    if (box.Text().empty()) return;
    const std::int16_t i = CheckFilPartnum(box.Text(), 0, t == 0 ? 1 : 0);
    if (i == -1) return;
    const FilterIndexRecord& entry = FilterIndex[i];
    std::string text = newNumber(entry, t);
    if (text.empty()) return;
    if (entry.PartType == 0 || entry.PartType == 3) text += " (" + entry.PartNote + ")";
    box.setText(text);
}

// The first entry whose old number is the part number gives its new number. An empty part number
// is no part: an entry without a number in the old view must not fill it in; and an entry without
// a number in the new view leaves the record's number, so the simulation never loses its part.
void switchFirstMatch(std::string& partNum, std::int32_t t) {
    if (partNum.empty()) return;
    for (int i = 0; i < FilterCount; ++i)
        if (oldNumber(FilterIndex[i], t) == partNum) {
            if (!newNumber(FilterIndex[i], t).empty()) partNum = newNumber(FilterIndex[i], t);
            return;
        }
}

int chartSimNumber(const platform::Form& chart) {
    const int n = captionSimNumber(chart.Caption());
    if (n < 0) platform::raiseError(platform::errTypeMismatch);
    if (n >= MaxSims) platform::raiseError(platform::errSubscript);
    return n;
}

void rewriteFilterChart(platform::Form& chart, std::int32_t t) {
    const int n = chartSimNumber(chart);
    SimConfigRecord& r = SimConfigs[n];
    switchFirstMatch(r.PartNum[0], t);
    std::string parts;
    switch (r.SimType) {
    case 0: parts = r.PartNum[0]; break;
    case 1:
    case 2:
        switchFirstMatch(r.PartNum[1], t);
        parts = r.PartNum[0] + "+" + r.PartNum[1];
        break;
    default: platform::stopProgram("SetPartnumType: SimType " + std::to_string(r.SimType));
    }
    chart.setCaption(chartCaption(n, parts, r.ClockFreq));
}

void rewriteDiffChart(platform::Form& chart, std::int32_t t) {
    const int n = chartSimNumber(chart);
    SimConfig2Record& r = SimConfigs2[n];
    // Every entry in turn, going on with the replaced number; an entry with no number in the new
    // view replaces nothing (see switchFirstMatch).
    if (!r.PartNum.empty())
        for (int i = 0; i < FilterCount; ++i)
            if (oldNumber(FilterIndex[i], t) == r.PartNum && !newNumber(FilterIndex[i], t).empty())
                r.PartNum = newNumber(FilterIndex[i], t);
    chart.setCaption(chartCaption(n, r.PartNum, r.ClockFreq));
}

}  // namespace

std::string chartCaption(int sim, const std::string& parts, const std::string& clockFreq) {
    return simCaptionPrefix(sim) + "-" + parts + "-" + platform::LoadResString(5625) + clockFreq + "[MHz]";
}

void ShowConfigForm(std::int32_t simType, bool review) {
    if (simType < 0 || simType > 3) platform::stopProgram("ShowConfigForm: type " + std::to_string(simType));
    for (platform::Form* form : formsNamed({"frmConfig", "frmConfig2"})) platform::Unload(*form);
    const char* name = simType == 3 ? "frmConfig2" : "frmConfig";
    platform::Form* form = app::defaultFormByName(name);
    if (!form) {
        notAvailable("This circuit type");
        return;
    }
    if (simType < 3) {
        showFilterConfigForm(*form, simType, review);
    } else {
        form->Show();
        form->setWindowState(Config2WindowState);
        controlOf<platform::TextBox>(*form, "txtFilter", 0).SetFocus();
    }
}

void SetPartnumType(std::int32_t t) {
    saveAppSetting("PartnumType", std::to_string(t));
    for (platform::Form* form : formsNamed({"frmConfig", "frmConfig2"})) {
        rewritePartBox(controlOf<platform::TextBox>(*form, "txtFilter", 0), t);
        if (form->Name() == "frmConfig") {
            auto& second = controlOf<platform::TextBox>(*form, "txtFilter", 1);
            if (second.Visible()) rewritePartBox(second, t);
        }
    }
    for (platform::Form* chart : formsNamed({"frmChart", "frmChart2"})) {
        if (chart->Name() == "frmChart")
            rewriteFilterChart(*chart, t);
        else
            rewriteDiffChart(*chart, t);
    }
    if (auto* main = platform::loadedForm<app::MainWindow>()) main->showPartnumType(t);
}

void ArrangeSelectFil(std::int32_t layout) {
    if (layout != 0 && layout != 1) platform::stopProgram("ArrangeSelectFil: layout " + std::to_string(layout));
    platform::Form* chooser = app::defaultFormByName("frmSelectFil");
    if (!chooser) {
        notAvailable("The part chooser");
        return;
    }
    // Sized for the part panels the chooser shows, which follow the circuit type: a form that was
    // never arranged for its type may still show a second part box the type lacks.
    if (const platform::Control* second = chooser->controlByName("fraFil", 1)) layout = second->Visible() ? 1 : 0;
    const int buttonsTop = layout == 0 ? 3100 : 6600;
    for (const char* button : {"cmdOk", "cmdSimulation", "cmdCancel"})
        controlOf<platform::CommandButton>(*chooser, button).setTop(buttonsTop);
    chooser->setHeight(layout == 0 ? 3950 : 7425);
    chooser->Show(platform::Modal);
}

void PrintAt(platform::Canvas& target, float x, float y, const std::string& text, double size) {
    target.setCurrentX(x);
    target.setCurrentY(y);
    if (size == 0) {
        target.Print(text);
        return;
    }
    const double kept = target.FontSize();
    target.setFontSize(size);
    target.Print(text);
    target.setFontSize(kept);
}

std::int32_t SetTopMost(platform::Form& form, std::int16_t flag) {
    if (flag != 0 && flag != 1) return 0;
    form.setTopMost(flag == 1);
    form.Show();
    return 1;
}

}  // namespace mdlPublic
