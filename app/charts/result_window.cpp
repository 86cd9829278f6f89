#include "app/charts/result_window.h"

#include <utility>
#include <vector>

#include "app/charts/frmChart.h"
#include "app/charts/frmChart2.h"
#include "app/charts/frmWideChart.h"
#include "app/shared/config_form.h"
#include "app/shared/form_registry.h"
#include "app/shared/main_window.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/clipboard.h"
#include "platform/convert.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/printer.h"
#include "platform/strings.h"

ResultWindow::ResultWindow(std::string name, const Kind& kind)
    : ChartWindow(std::move(name), platform::FormKind::MdiChild), kind_(kind) {
    picChart.setName("picChart");
    mnuChartrc.setVisible(false);
    wireEvents();
}

void ResultWindow::wireEvents() {
    app::forwardFileMenu(mnuFileNew, mnuFileExit);
    mnuFilePageSetup.Click = [this] { mnuFilePageSetup_Click(); };
    mnuFilePrint.Click = [this] { mnuFilePrint_Click(); };
    mnuSimConfReview.Click = [this] { mnuSimConfReview_Click(); };
    mnuSimFilconf.Click = [this] { mnuSimFilconf_Click(); };
    mnuChartScaleupIndex.Click = [this](int index) { mnuChartScaleupIndex_Click(index); };
    mnuChartRange.Click = [this] { mnuChartRange_Click(); };
    mnuChartClipboardIndex.Click = [this](int index) { mnuChartClipboardIndex_Click(index); };
    mnuWindowClose.Click = [this] { mnuWindowClose_Click(); };
    mnuChartrcReview.Click = [this] { mnuSimConfReview_Click(); };
    mnuChartrcScaleup.Click = [this] { mnuChartrcScaleup_Click(); };
    mnuChartrcRange.Click = [this] { mnuChartRange_Click(); };
    mnuChartrcClipboard.Click = [this] { mnuChartrcClipboard_Click(); };
    picChart.MouseUp = [this](int index, int button, int shift, float x, float y) {
        picChart_MouseUp(index, button, shift, x, y);
    };
}

// --- Charts --------------------------------------------------------------------------------------

void ResultWindow::redrawCharts(std::int16_t sim) {
    drawChart(0, sim, picChart(0).canvas());
    for (int index = 1; index < kind_.chartCount && isLoaded(); ++index) drawChart(index, sim, picChart(index).canvas());
}

void ResultWindow::ShowScaleup(std::int16_t index, std::int16_t sim) {
    // A fresh zoom window for every zoom, so its picture starts empty.
    frmWideChart& wide = platform::Load<frmWideChart>();
    if (index >= 0 && index < kind_.chartCount)
        drawChart(index, index == 0 ? mdlPublic::CurrentSim : sim, wide.chartCanvas());
    wide.Show(platform::Modal);
}

charts::TargetKind ResultWindow::targetKind(const platform::Canvas& target) {
    if (&target == &platform::Printer) return charts::TargetKind::Printer;
    if (frmWideChart::isZoomPicture(target)) return charts::TargetKind::ZoomPicture;
    for (int i = 0; i < kind_.chartCount; ++i)
        if (&target == &picChart(i).canvas()) return charts::TargetKind::OwnPicture;
    return charts::TargetKind::OtherPicture;
}

void ResultWindow::drawTrapped(const char* procedure, platform::Canvas& target,
                               const std::function<void(const charts::ChartTarget&)>& draw) {
    const charts::TargetKind kind = targetKind(target);
    try {
        draw({target, kind});
    } catch (...) {
        const platform::RuntimeError error = platform::trappedError();
        platform::showErrorBox("Vandor." + Name() + "." + procedure, error);
        // A broken chart in the window itself makes the window useless; a failed zoom or print
        // leaves the window as it was. Unload defers the deletion past the running handlers.
        if (kind == charts::TargetKind::OwnPicture) platform::Unload(*this);
    }
}

// --- Window --------------------------------------------------------------------------------------

std::int16_t ResultWindow::readSimNumber() {
    // Every digit after "Simulation No." counts, so the hundredth simulation reads as 99.
    mdlPublic::CurrentSim = static_cast<std::int16_t>(mdlPublic::windowSimNumber(*this));
    return mdlPublic::CurrentSim;
}

void ResultWindow::placeNewWindow(int secondTop) {
    const int open = mdlPublic::ChartCount;
    if (open == 0) {
        Move(0, 0);
    } else if (open == 1 && secondTop >= 0) {
        Move(0, secondTop);
    } else {
        setLeft(static_cast<int>(platform::Rnd() * 500));
    }
}

void ResultWindow::copyToClipboard(platform::PictureBox& picture) {
    platform::Clipboard::Clear();
    platform::Clipboard::SetData(picture.Picture());
}

void ResultWindow::countOut() {
    const int n = mdlPublic::captionSimNumber(Caption());
    if (n >= 0 && n < mdlPublic::MaxSims) {
        for (int kind = 0; kind < 2; ++kind) {
            // Swapping with empty vectors gives the memory back, not only the contents.
            mdlPublic::SimResultRecord released;
            std::swap(mdlPublic::SimResults[static_cast<std::size_t>(kind)][static_cast<std::size_t>(n)], released);
        }
    }
    --mdlPublic::ChartCount;
}

void ResultWindow::FixFormSize() {
    // A normal window keeps its design size; setting it runs Form_Resize again.
    if (WindowState() != platform::StateNormal || fixingSize_) return;
    fixingSize_ = true;
    setWidth(kind_.normalWidth);
    setHeight(kind_.normalHeight);
    fixingSize_ = false;
}

void ResultWindow::setMenuCaptions() {
    struct Caption {
        platform::MenuItem& item;
        int id;
    };
    const Caption captions[] = {
        {mnuFile, 5000},          {mnuFileNew, 5061},        {mnuFilePageSetup, 5008}, {mnuFilePrint, 5010},
        {mnuFileExit, 5012},      {mnuSim, 5060},            {mnuSimConfReview, 5065}, {mnuSimFilconf, 5062},
        {mnuChart, 5064},         {mnuChartScaleup, 5066},   {mnuChartRange, 5067},    {mnuChartClipboard, 5068},
        {mnuWindow, 5018},        {mnuWindowClose, 5086},    {mnuChartrcReview, 5065}, {mnuChartrcScaleup, 5076},
        {mnuChartrcRange, 5067},  {mnuChartrcClipboard, 5068},
    };
    for (const Caption& c : captions) c.item.setCaption(platform::LoadResString(c.id));
    view.setCaptions();
    option.setCaptions();
    help.setCaptions();
    for (platform::MenuItem* cycle : {mnuChartCycle.get(), mnuChartrcCycle.get()})
        if (cycle) cycle->setCaption(platform::LoadResString(5072));
    for (int i = 0; i < kind_.chartCount; ++i) {
        mnuChartScaleupIndex(i).setCaption(platform::LoadResString(kind_.zoomCaptionIds[i]));
        mnuChartClipboardIndex(i).setCaption(platform::LoadResString(kind_.clipboardCaptionIds[i]));
    }
    // A dialog a test leaves unregistered stays unreachable rather than failing.
    const bool rangeDialog = app::formAvailable(kind_.rangeDialog);
    mnuChartRange.setEnabled(rangeDialog);
    mnuChartrcRange.setEnabled(rangeDialog);
    mnuFilePrint.setEnabled(app::formAvailable("frmConfigPrint"));
    enableSelectFilter();
    mnuWindowClose.setEnabled(app::formAvailable(kind_.configForm));
}

// A form that is closing has hidden itself before this window is activated: it no longer counts.
platform::Form* ResultWindow::openConfigForm() const {
    platform::Form* own = platform::Forms().byName(kind_.configForm);
    return own && own->Visible() ? own : nullptr;
}

// Select Filter writes the part into the family's open configuration form, where the user sees it
// and may start the run. With no such form open (closed, or the other family's open instead) there
// is nothing to write into, so it is disabled; each activation of the window looks again.
void ResultWindow::enableSelectFilter() {
    mnuSimFilconf.setEnabled(openConfigForm() && app::formAvailable("frmSelectFil"));
}

void ResultWindow::showViewChecks() { view.tick(mdlPublic::partnumType()); }

void ResultWindow::showDialog(const std::string& name) {
    if (platform::Form* dialog = app::defaultFormByName(name)) dialog->Show(platform::Modal);
}

platform::MenuItem* ResultWindow::menuByName(const std::string& name) {
    const std::pair<platform::MenuItem*, const char*> items[] = {
        {&mnuFileNew, "mnuFileNew"},         {&mnuFilePageSetup, "mnuFilePageSetup"},
        {&mnuFilePrint, "mnuFilePrint"},     {&mnuFileExit, "mnuFileExit"},
        {&view.mnuViewCurrent, "mnuViewCurrent"}, {&view.mnuViewOld, "mnuViewOld"},
        {&mnuSimConfReview, "mnuSimConfReview"}, {&mnuSimFilconf, "mnuSimFilconf"},
        {&mnuChartScaleup, "mnuChartScaleup"}, {&mnuChartRange, "mnuChartRange"},
        {mnuChartCycle.get(), "mnuChartCycle"}, {&mnuChartClipboard, "mnuChartClipboard"},
        {&option.mnuOptConf, "mnuOptConf"},  {&mnuWindowClose, "mnuWindowClose"},
        {&help.mnuHelpContents, "mnuHelpContents"}, {&help.mnuHelpAbout, "mnuHelpAbout"},
        {&mnuChartrc, "mnuChartrc"},         {&mnuChartrcReview, "mnuChartrcReview"},
        {&mnuChartrcScaleup, "mnuChartrcScaleup"}, {&mnuChartrcRange, "mnuChartrcRange"},
        {mnuChartrcCycle.get(), "mnuChartrcCycle"}, {&mnuChartrcClipboard, "mnuChartrcClipboard"},
    };
    for (const auto& [item, itemName] : items)
        if (name == itemName) return item;
    for (platform::MenuArray* array : {&mnuChartScaleupIndex, &mnuChartClipboardIndex}) {
        const std::string prefix = array == &mnuChartScaleupIndex ? "mnuChartScaleupIndex(" : "mnuChartClipboardIndex(";
        if (name.size() != prefix.size() + 2 || name.rfind(prefix, 0) != 0 || name.back() != ')') continue;
        const int index = name[prefix.size()] - '0';
        if (index >= 0 && index < array->count()) return &(*array)(index);
    }
    return nullptr;
}

// --- Form events ---------------------------------------------------------------------------------

void ResultWindow::Form_Activate() {
    showViewChecks();
    enableSelectFilter();
}

void ResultWindow::Form_Resize() { FixFormSize(); }

void ResultWindow::Form_QueryUnload(int&, int) {
    try {
        Hide();
    } catch (...) {
        platform::showErrorBox("Vandor." + Name() + ".Form_QueryUnload", platform::trappedError());
    }
}

void ResultWindow::Form_Unload(int&) { countOut(); }

// --- Menus ---------------------------------------------------------------------------------------

void ResultWindow::mnuFilePageSetup_Click() {
    try {
        CommonDialog& dialog = app::mainWindow().dlgCommonDialog;
        // No selection, no page range, copies kept by the driver, no print-to-file box.
        dialog.Flags = 0x14000C;
        // The choice becomes the printer every later print run uses.
        dialog.PrinterDefault = true;
        dialog.ShowPrinter();
    } catch (...) {
        platform::showErrorBox("Vandor." + Name() + ".mnuFilePageSetup_Click", platform::trappedError());
    }
}

void ResultWindow::mnuFilePrint_Click() {
    readSimNumber();
    showDialog("frmConfigPrint");
}

void ResultWindow::mnuSimConfReview_Click() { reviewSettings(); }

void ResultWindow::mnuSimFilconf_Click() {
    readSimNumber();
    if (auto* config = dynamic_cast<ConfigForm*>(openConfigForm())) config->mnuSimFilconf_Click();
}

void ResultWindow::mnuChartScaleupIndex_Click(int index) {
    ShowScaleup(static_cast<std::int16_t>(index), readSimNumber());
}

void ResultWindow::mnuChartRange_Click() {
    readSimNumber();
    showDialog(kind_.rangeDialog);
}

void ResultWindow::mnuChartClipboardIndex_Click(int index) { copyToClipboard(picChart(index)); }

void ResultWindow::mnuWindowClose_Click() {
    // Through the loaded configuration form (one at most), which disables its own item; none is
    // loaded for this.
    const std::vector<ConfigForm*> configs = app::openForms<ConfigForm>();
    if (configs.empty())
        ConfigForm::closeChartWindows();
    else
        configs.front()->mnuWindowClose_Click();
}

void ResultWindow::mnuChartrcScaleup_Click() {
    if (mdlPublic::ChartPicIndex < 0 || mdlPublic::ChartPicIndex >= kind_.chartCount)
        platform::stopProgram(Name() + ".mnuChartrcScaleup_Click: ChartPicIndex " + std::to_string(mdlPublic::ChartPicIndex));
    ShowScaleup(mdlPublic::ChartPicIndex, mdlPublic::CurrentSim);
}

void ResultWindow::mnuChartrcClipboard_Click() { copyToClipboard(picChart(mdlPublic::ChartPicIndex)); }

void ResultWindow::picChart_MouseUp(int index, int button, int, float, float) {
    if (button != platform::PictureBox::RightButton) return;
    readSimNumber();
    mdlPublic::ChartPicIndex = static_cast<std::int16_t>(index);
    picChart(index).SetFocus();
    PopupMenu(mnuChartrc);
}

namespace app {
namespace {

// Opens one more window of kind W and keeps it as the last one; `last` stays empty while it loads.
template <class W>
WindowOpener lastWindowOpener(W*& last) {
    return [&last]() -> platform::Form& {
        last = nullptr;
        W& window = platform::Load<W>();
        last = &window;
        return window;
    };
}

}  // namespace

void registerResultWindows() {
    registerWindowOpener("frmChart", lastWindowOpener(mdlPublic::LastChart));
    registerWindowOpener("frmChart2", lastWindowOpener(mdlPublic::LastChart2));
}

}  // namespace app
