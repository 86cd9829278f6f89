#pragma once
// What the result windows of both circuit families share: the simulation number in the caption,
// placement at load, the menus with the handlers that act alike, the chart pictures with their
// zoom, clipboard copy and error trap, and the bookkeeping of an unload. A window adds its own
// charts, the configuration form it belongs to and what only it has.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/drawing/chart_primitives.h"
#include "app/shared/chart_window.h"
#include "app/shared/window_menus.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/menu.h"
#include "platform/picturebox.h"

namespace platform {
class Canvas;
}

class ResultWindow : public app::ChartWindow {
public:
    // What tells one family's window from the other's.
    struct Kind {
        int chartCount;          // pictures picChart(0 .. chartCount - 1)
        bool cycleItems;         // "Change the Voltage-Waveform Cycle time" in both menus
        int normalWidth;         // size of a normal window
        int normalHeight;
        const char* configForm;  // the configuration form of the family
        const char* rangeDialog;
        const int* zoomCaptionIds;       // chartCount string ids each
        const int* clipboardCaptionIds;
    };

    ResultWindow(std::string name, const Kind& kind);

    // Clears the clipboard and puts the picture's image on it.
    static void copyToClipboard(platform::PictureBox& picture);

    platform::PictureBox& chartPicture(int index) { return picChart(index); }
    // Test seam: a menu item by its name, the item arrays as "mnuChartScaleupIndex(i)"; the
    // program reaches none by name.
    platform::MenuItem* menuByName(const std::string& name);
    // Redraws every chart of simulation sim into this window's pictures; a chart that failed has
    // closed the window, and the later ones are not drawn then.
    void redrawCharts(std::int16_t sim);
    // Zooms chart index of simulation sim into a fresh frmWideChart, shown modally.
    void ShowScaleup(std::int16_t index, std::int16_t sim);

protected:
    // Draws chart index (its picture's index) of simulation sim on a target.
    virtual void drawChart(int index, std::int16_t sim, platform::Canvas& target) = 0;

    // The 0-based simulation number of this window's caption, also stored into CurrentSim.
    // A caption without a number there is a type mismatch (13), a number past 100 a subscript error.
    std::int16_t readSimNumber();

    // Places a new window by the number of result windows already open: the first at (0, 0); the
    // second below it at secondTop when secondTop >= 0; every other one at a pseudo-random left
    // between 0 and 500 twips, its top as the platform placed it.
    void placeNewWindow(int secondTop);

    // Releases result kinds 0 and 1 of the caption's simulation and counts the window out; a
    // configuration form looks at the count when it is activated.
    void countOut();

    // Menu captions and which items are reachable; the view checks from the setting.
    void setMenuCaptions();
    void showViewChecks();
    // The family's configuration form while the user has it open; nullptr when none is.
    platform::Form* openConfigForm() const;
    // Select Filter is enabled only while it can act on the family's configuration form.
    void enableSelectFilter();
    void FixFormSize();
    void showDialog(const std::string& name);

    // Runs a Draw procedure on a target. A failure shows the error box; it closes this window only
    // when the chart was being drawn into the window's own picture.
    void drawTrapped(const char* procedure, platform::Canvas& target,
                     const std::function<void(const charts::ChartTarget&)>& draw);

    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;

    // Menu and picture events alike in both windows.
    void mnuFilePageSetup_Click();
    void mnuFilePrint_Click();
    void mnuSimConfReview_Click();
    void mnuSimFilconf_Click();
    void mnuChartScaleupIndex_Click(int index);
    void mnuChartRange_Click();
    void mnuChartClipboardIndex_Click(int index);
    void mnuWindowClose_Click();
    void mnuChartrcScaleup_Click();
    void mnuChartrcClipboard_Click();
    void picChart_MouseUp(int index, int button, int shift, float x, float y);
    // Shows the simulation's settings in its configuration form.
    virtual void reviewSettings() = 0;

    const Kind kind_;
    platform::ControlArray<platform::PictureBox> picChart;

private:
    void wireEvents();
    charts::TargetKind targetKind(const platform::Canvas& target);

    bool fixingSize_ = false;

    // An item only the windows with cycleItems have.
    std::unique_ptr<platform::MenuItem> cycleItem(platform::MenuItem& parent) {
        return kind_.cycleItems ? std::make_unique<platform::MenuItem>(parent, "Change the &Voltage-Waveform Cycle time")
                                : nullptr;
    }

protected:
    platform::MenuItem mnuFile{*this, "&File"};
    platform::MenuItem mnuFileNew{mnuFile, "&New Simulation"};
    platform::MenuItem mnuFileBar1{mnuFile, "-"};
    platform::MenuItem mnuFilePageSetup{mnuFile, "P&rint Setup..."};
    platform::MenuItem mnuFilePrint{mnuFile, "&Print..."};
    platform::MenuItem mnuFileBar2{mnuFile, "-"};
    platform::MenuItem mnuFileExit{mnuFile, "E&xit"};
    app::ViewMenu view{*this};
    platform::MenuItem mnuSim{*this, "&Simulation"};
    platform::MenuItem mnuSimConfReview{mnuSim, "&See Configuration"};
    platform::MenuItem mnuSimFilconf{mnuSim, "Select &Filter..."};
    platform::MenuItem mnuChart{*this, "&Chart"};
    platform::MenuItem mnuChartScaleup{mnuChart, "&Zoom in"};
    platform::MenuArray mnuChartScaleupIndex{mnuChartScaleup, kind_.chartCount};
    platform::MenuItem mnuChartRange{mnuChart, "&Expand/Contract"};
    std::unique_ptr<platform::MenuItem> mnuChartCycle = cycleItem(mnuChart);
    platform::MenuItem mnudChartBar2{mnuChart, "-"};
    platform::MenuItem mnuChartClipboard{mnuChart, "&Copy to Clipboard"};
    platform::MenuArray mnuChartClipboardIndex{mnuChartClipboard, kind_.chartCount};
    app::OptionMenu option{*this};
    platform::MenuItem mnuWindow{*this, "&Window"};
    platform::MenuItem mnuWindowClose{mnuWindow, "&Close all Chart Windows"};
    app::HelpMenu help{*this};
    // The pop-up menu of a right click on a chart; never in the menu bar.
    platform::MenuItem mnuChartrc{*this, "Chart"};
    platform::MenuItem mnuChartrcReview{mnuChartrc, "&See Configuration"};
    platform::MenuItem mnuChartrcBar1{mnuChartrc, "-"};
    platform::MenuItem mnuChartrcScaleup{mnuChartrc, "&Zoom in..."};
    platform::MenuItem mnuChartrcRange{mnuChartrc, "&Expand/Contract"};
    std::unique_ptr<platform::MenuItem> mnuChartrcCycle = cycleItem(mnuChartrc);
    platform::MenuItem mnuChartrcBar2{mnuChartrc, "-"};
    platform::MenuItem mnuChartrcClipboard{mnuChartrc, "&Copy to Clipboard"};
};

class frmChart;
class frmChart2;

namespace mdlPublic {
// The result windows of each family created last; the print run draws through them. A result
// window clears its entry when it is destroyed, so these never dangle.
inline frmChart* LastChart = nullptr;
inline frmChart2* LastChart2 = nullptr;
}  // namespace mdlPublic

namespace app {
// Registers how a simulation opens its result window, "frmChart" or "frmChart2"; each opening
// loads a new one and makes it the family's LastChart.
void registerResultWindows();
}  // namespace app
