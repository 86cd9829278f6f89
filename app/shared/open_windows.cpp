// The shared procedures of mdlPublic that manage windows: the configuration forms, the part-number
// view of every open window, the part chooser's layout, text output and the top-most flag. They
// reach the forms through ConfigForm, PartChooser and ChartWindow, which each form implements with
// its own controls.
#include <cstdint>
#include <string>

#include "app/shared/chart_window.h"
#include "app/shared/config_form.h"
#include "app/shared/form_tools.h"
#include "app/shared/form_registry.h"
#include "app/shared/main_window.h"
#include "app/shared/mdlPublic.h"
#include "app/shared/part_chooser.h"
#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/form.h"
#include "platform/strings.h"

namespace mdlPublic {
namespace {

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
    if (!newNumber(entry, t).empty()) box.setText(partDisplayText(entry, t));
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

void rewriteFilterChart(platform::Form& chart, std::int32_t t) {
    const int n = windowSimNumber(chart);
    SimConfigRecord& r = SimConfigs[n];
    switchFirstMatch(r.PartNum[0], t);
    std::string parts;
    switch (r.SimType) {
    case CircuitOnePart: parts = r.PartNum[0]; break;
    case CircuitBeadCapacitor:
    case CircuitBeadFilter:
        switchFirstMatch(r.PartNum[1], t);
        parts = r.PartNum[0] + "+" + r.PartNum[1];
        break;
    default: platform::stopProgram("SetPartnumType: SimType " + std::to_string(r.SimType));
    }
    chart.setCaption(chartCaption(n, parts, r.ClockFreq));
}

void rewriteDiffChart(platform::Form& chart, std::int32_t t) {
    const int n = windowSimNumber(chart);
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

std::string partDisplayText(const FilterIndexRecord& part, int partnumType) {
    std::string text = partnumType == 1 && !part.PrevPartNum.empty() ? part.PrevPartNum : part.GlobalPartNum;
    if (part.PartType == 0 || part.PartType == 3) text += " (" + part.PartNote + ")";
    return text;
}

int windowSimNumber(const platform::Form& window) {
    const int n = captionSimNumber(window.Caption());
    if (n < 0) platform::raiseError(platform::errTypeMismatch);
    if (n >= MaxSims) platform::raiseError(platform::errSubscript);
    return n;
}

std::string chartCaption(int sim, const std::string& parts, const std::string& clockFreq) {
    return simCaptionPrefix(sim) + "-" + parts + "-" + platform::LoadResString(5625) + clockFreq + "[MHz]";
}

void ShowConfigForm(std::int32_t simType, bool review) {
    if (simType < CircuitOnePart || simType > CircuitDifferential) platform::stopProgram("ShowConfigForm: type " + std::to_string(simType));
    for (ConfigForm* form : app::openForms<ConfigForm>()) platform::Unload(*form);
    auto* form = dynamic_cast<ConfigForm*>(app::defaultFormByName(simType == CircuitDifferential ? "frmConfig2" : "frmConfig"));
    if (!form) return;  // only a test leaves a form unregistered
    form->prepareFor(simType, review);
    form->Show();
    form->setWindowState(simType == CircuitDifferential ? Config2WindowState : ConfigWindowState);
    // The form opens with the focus in its first part box.
    form->partBox(0).SetFocus();
}

void SetPartnumType(std::int32_t t) {
    saveAppSetting("PartnumType", std::to_string(t));
    for (ConfigForm* form : app::openForms<ConfigForm>())
        for (int slot = 0; slot < form->partSlots(); ++slot) rewritePartBox(form->partBox(slot), t);
    for (app::ChartWindow* chart : app::openForms<app::ChartWindow>()) chart->switchPartnumType(t);
    if (auto* main = platform::loadedForm<app::MainWindow>()) main->showPartnumType(t);
}

void ArrangeSelectFil(std::int32_t layout) {
    if (layout != 0 && layout != 1) platform::stopProgram("ArrangeSelectFil: layout " + std::to_string(layout));
    auto* chooser = dynamic_cast<app::PartChooser*>(app::defaultFormByName("frmSelectFil"));
    if (!chooser) return;  // only a test leaves the chooser unregistered
    chooser->arrange();
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

void app::ChartWindow::switchFilterRecord(std::int32_t t) { mdlPublic::rewriteFilterChart(*this, t); }
void app::ChartWindow::switchDiffRecord(std::int32_t t) { mdlPublic::rewriteDiffChart(*this, t); }
