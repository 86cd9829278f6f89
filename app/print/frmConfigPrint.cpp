#include "app/print/frmConfigPrint.h"

#include <string>

#include "app/charts/result_window.h"
#include "app/print/frmPrinting.h"
#include "app/print/print_page.h"
#include "app/shared/button_placement.h"
#include "app/shared/mdlPublic.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/printer.h"
#include "platform/screen.h"
#include "platform/strings.h"

namespace {

// What the run changes on the printer and puts back at its end, whatever happened.
struct PrinterState {
    double fontSize;
    std::string fontName;
    int drawWidth;
    int orientation;

    static PrinterState of(const platform::PrinterObject& printer) {
        return {printer.FontSize(), printer.FontName(), printer.DrawWidth(), printer.Orientation()};
    }
    void restore(platform::PrinterObject& printer) const {
        printer.setFontSize(fontSize);
        printer.setFontName(fontName);
        printer.setDrawWidth(drawWidth);
        printer.setOrientation(orientation);
    }
};

// The open result window showing simulation n; the first one when several do.
ResultWindow* resultWindowOf(std::int16_t n) {
    const platform::FormsCollection forms = platform::Forms();
    for (int i = 0; i < forms.Count(); ++i)
        if (auto* window = dynamic_cast<ResultWindow*>(&forms(i)))
            if (mdlPublic::captionSimNumber(window->Caption()) == n) return window;
    return nullptr;
}

}  // namespace

frmConfigPrint::frmConfigPrint() : Form("frmConfigPrint") {
    // The comment box shows both of its lines in the platform's font, the buttons below it.
    setClientSize(11025, 3270);
    txtComment.setName("txtComment");
    txtComment.Move(120, 1830, 10815, 675);
    // The page prints two comment lines: the box holds no more, so what it shows is what prints.
    txtComment.setMaxLines(2);
    fraConfigPrint.setName("fraConfigPrint");
    fraConfigPrint.Move(120, 120, 5535, 1125);
    optConfigPrint.setName("optConfigPrint");
    // Below the frame's caption and its top line, as in the other dialogs' frames.
    for (int i = 0; i < 2; ++i) optConfigPrint.add(i, fraConfigPrint).Move(120, 390 + 360 * i, 5295, 255);
    optConfigPrint(0).setValue(true);
    lblComment.setName("lblComment");
    lblComment.Move(120, 1470, 10815, 255);
    app::placeOkButton(cmdOk, 4200, 2730, 1335);
    app::placeCancelButton(cmdCancel, 5640, 2730, 1335);
    cmdOk.Click = [this] { cmdOk_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmConfigPrint::Form_Load() {
    using platform::LoadResString;
    setCaption(LoadResString(5800));
    lblComment.setCaption(LoadResString(5801));
    fraConfigPrint.setCaption(LoadResString(5802));
    optConfigPrint(0).setCaption(LoadResString(5803));
    optConfigPrint(1).setCaption(LoadResString(5804));
    cmdOk.setCaption(LoadResString(5810));
    cmdCancel.setCaption(LoadResString(5811));
    platform::centreOnMain(*this);
}

void frmConfigPrint::cmdCancel_Click() { platform::Unload(*this); }

void frmConfigPrint::cmdOk_Click() {
    platform::PrinterObject& printer = platform::Printer;
    const PrinterState saved = PrinterState::of(printer);
    frmPrinting* notice = nullptr;
    // Puts the printer and the windows back as they were before the run; a failed run comes here
    // too, so a half-printed job never leaves the printer in landscape or the notice on screen.
    const auto finish = [&] {
        saved.restore(printer);
        if (notice) platform::Unload(*notice);
        platform::Unload(*this);
    };
    try {
        printer.setScaleMode(platform::ScaleTwips);
        printer.setDrawStyle(platform::StyleSolid);
        const std::string comment = txtComment.Text();
        Hide();
        notice = &platform::Load<frmPrinting>();
        notice->Show(platform::Modeless, this);
        // No events are handled until the run ends: paint the notice now.
        notice->Refresh();
        printer.setFontSize(9);
        printer.setFontName(platform::LoadResString(5820));
        printer.setOrientation(platform::OrientLandscape);
        printPages(comment, optConfigPrint(1).Value());
        printer.EndDoc();
    } catch (...) {
        const platform::RuntimeError error = platform::trappedError();
        // The pages already drawn still go out (to the printer or the PDF file); the job ends here.
        try {
            if (printer.documentOpen()) printer.EndDoc();
        } catch (...) {
        }
        finish();
        platform::showErrorBox("Vandor.frmConfigPrint.cmdOk_Click", error);
        return;
    }
    finish();
}

std::vector<frmConfigPrint::Page> frmConfigPrint::chosenPages() const {
    if (optConfigPrint(0).Value()) return {{resultWindowOf(mdlPublic::CurrentSim), mdlPublic::CurrentSim}};
    // Every result window of either kind in the order they were created: other windows (the
    // configuration form, the zoom or line figure, these dialogs) are no pages.
    std::vector<Page> pages;
    const platform::FormsCollection forms = platform::Forms();
    for (int i = 0; i < forms.Count(); ++i) {
        auto* window = dynamic_cast<ResultWindow*>(&forms(i));
        if (!window) continue;
        const int n = mdlPublic::captionSimNumber(window->Caption());
        if (n < 0) platform::raiseError(platform::errTypeMismatch, "No simulation number in the caption \"" + window->Caption() + "\"");
        pages.emplace_back(window, static_cast<std::int16_t>(n));
    }
    return pages;
}

void frmConfigPrint::printPages(const std::string& comment, bool pageBreaks) {
    for (const auto& [window, n] : chosenPages()) {
        try {
            printing::printSimulationPage(platform::Printer, window, comment, n);
        } catch (const platform::RuntimeError& e) {
            // Say which page failed; the number stays the run-time's.
            const std::string page = mdlPublic::simCaptionPrefix(n);
            if (e.description().starts_with(page)) throw;
            throw platform::RuntimeError(e.number(), page + ": " + e.description());
        }
        if (pageBreaks) platform::Printer.NewPage();
    }
}
