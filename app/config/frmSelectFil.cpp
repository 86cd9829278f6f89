#include "app/config/frmSelectFil.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>
#include <utility>
#include <vector>

#include "app/config/config_checks.h"
#include "app/config/frmConfig.h"
#include "app/config/part_chart.h"
#include "app/shared/config_form.h"
#include "app/shared/form_tools.h"
#include "app/shared/form_registry.h"
#include "app/shared/mdlPublic.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/msgbox.h"
#include "platform/screen.h"
#include "platform/strings.h"

using namespace mdlPublic;

namespace {

constexpr const char* QtaCapacitor = "Chip TESSOR (QTA :Capacitor type)";
constexpr int errNoObject = 91;

// Designed sizes, twips; [0] with one part panel, [1] with two.
constexpr int PanelTop[2] = {120, 3600};
constexpr int ButtonsTop[2] = {3100, 6600};
constexpr int DialogHeight[2] = {3950, 7425};
constexpr int ChartWidth = 5535;
constexpr int ChartHeight = 3375;
// The chart's single-line border takes a pixel each side; the chart's scale spans what it encloses.
constexpr int ChartBorder = 2 * platform::TwipsPerPixel;
constexpr int PanelWidth = 6495;
constexpr int ChartLeft = PanelWidth + 225;
constexpr int DialogWidth = ChartLeft + ChartWidth + 240;

enum Text : int {
    txtCaption = 5300,
    txtPrimary = 5301,
    txtSecondary = 5302,
    txtTertiary = 5303,
    txtOk = 5305,
    txtSimulation = 5306,
    txtCancel = 5307,
    txtGlobalNumber = 5308,
    txtPreviousNumber = 5309,
    msgNotSelected = 5310,
    txtSelectSecondary = 5311,
    txtSelectTertiary = 5312,
    txtSelectPrimary = 5313,
    txtSelectPartNumber = 5314,
    txtNoClassification = 5322,
};

int simType() {
    const std::string type = GetAppSetting("SimType");
    return type == "1" ? 1 : type == "2" ? 2 : type == "3" ? 3 : 0;
}

const std::string& numberOf(const FilterIndexRecord& e, int view) { return view == 0 ? e.GlobalPartNum : e.PrevPartNum; }

// Whether an entry belongs in a slot's classification lists under a circuit type. In type 0 a
// choke is listed nowhere but under "(No Classification)", and is not found in a part box: no
// filter circuit can take it.
bool listable(const FilterIndexRecord& e, int type, int slot) {
    switch (type) {
    case CircuitOnePart: return e.PartType >= 0 && e.PartType <= 2;
    case CircuitBeadCapacitor: return e.PartType == (slot == 0 ? 0 : 2);
    case CircuitBeadFilter: return slot == 0 ? e.PartType == 0 : e.PartType == 1 && e.Primary == QtaCapacitor;
    case CircuitDifferential: return e.PartType == 3;
    default: return false;
    }
}

bool listableUnclassified(const FilterIndexRecord& e, int type, int slot) { return type == CircuitOnePart || listable(e, type, slot); }

void addUnique(std::vector<std::string>& texts, const std::string& text) {
    if (std::find(texts.begin(), texts.end(), text) == texts.end()) texts.push_back(text);
}

// A level with nothing to offer still shows one empty entry.
void fillList(platform::ComboBox& list, const std::vector<std::string>& texts) {
    list.Clear();
    if (texts.empty()) list.AddItem("");
    for (const std::string& text : texts) list.AddItem(text);
}

// The number a tertiary text begins with ("2.2 pF"), read with "." as the data files write it
// whatever the user's locale; a text that does not begin with a number and a blank sorts last.
float leadingNumber(const std::string& text) {
    constexpr float Last = std::numeric_limits<float>::infinity();
    const std::size_t blank = text.find(' ');
    if (blank == std::string::npos || blank == 0) return Last;
    float value = 0;
    const char* end = text.data() + blank;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end ? value : Last;
}

// Selects text in a list when the list holds it; clears the selection otherwise.
void selectIfListed(platform::ComboBox& list, const std::string& text) {
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i) == text) return list.setListIndex(i);
    list.setListIndex(-1);
}

using app::refuse;

// The open configuration form. A hidden one is closed as far as the user knows: the choice, and a
// run, would go into settings nobody can see.
ConfigForm* openConfigForm() {
    for (ConfigForm* form : app::openForms<ConfigForm>())
        if (form->Visible()) return form;
    return nullptr;
}

// The configuration form's default instance, loaded if need be.
ConfigForm& configForm(const std::string& name) {
    if (auto* form = dynamic_cast<ConfigForm*>(app::defaultFormByName(name))) return *form;
    platform::raiseError(errNoObject, "Object variable or With block variable not set");
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------------

frmSelectFil::frmSelectFil() : PartChooser("frmSelectFil") {
    for (int slot = 0; slot < 2; ++slot) {
        platform::Frame& panel = fraFil.add(slot, *this);
        lblPrimary.add(slot, panel);
        cboPrimary.add(slot, panel);
        lblSecondary.add(slot, panel);
        cboSecondary.add(slot, panel);
        lblTertiary.add(slot, panel);
        cboTertiary.add(slot, panel);
        platform::Frame& numbers = fraPartNumber.add(slot, panel);
        for (int k = 2 * slot; k <= 2 * slot + 1; ++k) {
            lblPartNumber.add(k, numbers);
            cboPartNumber.add(k, numbers);
        }
        picChart.add(slot, *this, ChartWidth, ChartHeight).setBorderStyle(1);
    }
    nameControls();
    layoutControls();
    for (int slot = 0; slot < 2; ++slot) {
        cboSecondary(slot).setEnabled(false);
        cboTertiary(slot).setEnabled(false);
        enablePartLists(slot, false);
    }
    cmdOk.setDefault(true);
    cmdCancel.setCancel(true);
    wireEvents();
}

void frmSelectFil::nameControls() {
    fraFil.setName("fraFil");
    lblPrimary.setName("lblPrimary");
    cboPrimary.setName("cboPrimary");
    lblSecondary.setName("lblSecondary");
    cboSecondary.setName("cboSecondary");
    lblTertiary.setName("lblTertiary");
    cboTertiary.setName("cboTertiary");
    fraPartNumber.setName("fraPartNumber");
    lblPartNumber.setName("lblPartNumber");
    cboPartNumber.setName("cboPartNumber");
    picChart.setName("picChart");
    cmdOk.setName("cmdOk");
    cmdSimulation.setName("cmdSimulation");
    cmdCancel.setName("cmdCancel");
}

void frmSelectFil::layoutControls() {
    // The labels take the width the platform's font needs for "Previous Part Number".
    constexpr int LabelLeft = 120, LabelWidth = 2160, LabelDrop = 60, ListWidth = 3855;
    for (int slot = 0; slot < 2; ++slot) {
        fraFil(slot).Move(120, PanelTop[slot], PanelWidth, 2895);
        const std::pair<platform::Label*, platform::ComboBox*> rows[] = {
            {&lblPrimary(slot), &cboPrimary(slot)},
            {&lblSecondary(slot), &cboSecondary(slot)},
            {&lblTertiary(slot), &cboTertiary(slot)},
        };
        for (int r = 0; r < 3; ++r) {
            const int top = 240 + 480 * r;
            rows[r].first->Move(LabelLeft, top + LabelDrop, LabelWidth, 255);
            rows[r].second->Move(2400, top, ListWidth, 315);
        }
        fraPartNumber(slot).Move(120, 1560, PanelWidth - 240, 1215);
        for (int k = 0; k < 2; ++k) {
            const int top = 240 + 480 * k;
            lblPartNumber(2 * slot + k).Move(LabelLeft, top + LabelDrop, LabelWidth, 255);
            cboPartNumber(2 * slot + k).Move(2280, top, ListWidth, 315);
        }
        picChart(slot).Move(ChartLeft, PanelTop[slot], ChartWidth, ChartHeight);
        config::setPartChartScale(picChart(slot).canvas(), ChartWidth - ChartBorder, ChartHeight - ChartBorder);
    }
    cmdOk.Move(120, ButtonsTop[0], 1935, 375);
    cmdSimulation.Move(2160, ButtonsTop[0], 1935, 375);
    cmdCancel.Move(4200, ButtonsTop[0], 1935, 375);
}

void frmSelectFil::arrange() {
    // A form that was never arranged for its type may still show a second part box the type lacks:
    // the panels shown decide.
    const int panels = fraFil(1).Visible() ? 1 : 0;
    for (platform::CommandButton* button : {&cmdOk, &cmdSimulation, &cmdCancel}) button->setTop(ButtonsTop[panels]);
    setHeight(DialogHeight[panels]);
}

// A screen narrower than the dialog takes the width it lacks from the charts, drawn narrower in their
// own scale; the lists keep their width.
void frmSelectFil::fitScreenWidth() {
    const int lack = platform::outerFrame(*this).width - platform::workArea(*this).width;
    const int width = ChartWidth - std::clamp(lack, 0, ChartWidth / 3);
    for (int slot = 0; slot < 2; ++slot) {
        picChart(slot).Move(ChartLeft, PanelTop[slot], width, ChartHeight);
        config::setPartChartScale(picChart(slot).canvas(), ChartWidth - ChartBorder, ChartHeight - ChartBorder);
    }
    setWidth(DialogWidth - (ChartWidth - width));
}

void frmSelectFil::wireEvents() {
    cboPrimary.Click = [this](int slot) { cboPrimary_Click(slot); };
    cboSecondary.Click = [this](int slot) { cboSecondary_Click(slot); };
    cboTertiary.Click = [this](int slot) { cboTertiary_Click(slot); };
    cboPartNumber.Click = [this](int index) { cboPartNumber_Click(index); };
    cmdOk.Click = [this] { cmdOk_Click(); };
    cmdSimulation.Click = [this] { cmdSimulation_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmSelectFil::Form_Load() {
    const auto text = [](int id) { return platform::LoadResString(id); };
    const int type = simType();
    setCaption(text(txtCaption));
    static const char* const panels[4][2] = {
        {"Filter", ""},
        {"EMI Filter", "Chip Capacitor"},
        {"EMI Filter(KSV)", "EMI Filter(QTA)"},
        {"EMI Filer", ""},
    };
    for (int slot = 0; slot < 2; ++slot) {
        fraFil(slot).setCaption(panels[type][slot]);
        lblPrimary(slot).setCaption(text(txtPrimary));
        lblSecondary(slot).setCaption(text(txtSecondary));
        lblTertiary(slot).setCaption(text(txtTertiary));
        lblPartNumber(2 * slot).setCaption(text(txtGlobalNumber));
        lblPartNumber(2 * slot + 1).setCaption(text(txtPreviousNumber));
    }
    cmdOk.setCaption(text(txtOk));
    cmdSimulation.setCaption(text(txtSimulation));
    cmdCancel.setCaption(text(txtCancel));

    // Placed for the layout the opener will give it; a second panel out of use is not shown.
    const bool twoParts = hasSecondPart(type);
    fraFil(1).setVisible(twoParts);
    picChart(1).setVisible(twoParts);
    setWidth(DialogWidth);
    setHeight(DialogHeight[twoParts ? 1 : 0]);
    fitScreenWidth();
    platform::centreOnMain(*this);

    InitSelectLists(0, configForm(type == CircuitDifferential ? "frmConfig2" : "frmConfig"));
    if (twoParts) InitSelectLists(1, configForm("frmConfig"));
}

// ---- Lists --------------------------------------------------------------------------------------

void frmSelectFil::InitSelectLists(int slot, ConfigForm& config) {
    const std::string text = config.partBox(slot).Text();
    if (text.empty()) {
        SetPrimaryList(slot);
        prompt(slot, txtSelectPrimary, 900);
        return;
    }
    cboPrimary(slot).Clear();
    cboSecondary(slot).Clear();
    cboTertiary(slot).Clear();
    clearPartLists(slot);

    // The box shows the number, then a blank and the note in brackets.
    const std::string partnum = text.substr(0, text.find(' '));
    const int type = simType();
    const int view = partnumType();
    // Found as the form finds a typed number: by previous number, a part that has none is shown
    // under its global one.
    int found = -1;
    const auto locate = [&](auto matches) {
        for (int i = 0; i < FilterCount && found < 0; ++i) {
            const FilterIndexRecord& e = FilterIndex[static_cast<std::size_t>(i)];
            if (matches(e) && listable(e, type, slot)) found = i;
        }
    };
    if (!partnum.empty()) {
        locate([&](const FilterIndexRecord& e) { return numberOf(e, view) == partnum; });
        if (found < 0 && view == 1)
            locate([&](const FilterIndexRecord& e) { return e.PrevPartNum.empty() && e.GlobalPartNum == partnum; });
    }
    SetPrimaryList(slot);
    if (found < 0) {
        cboPrimary(slot).setListIndex(0);
        return;
    }
    const FilterIndexRecord e = FilterIndex[static_cast<std::size_t>(found)];
    SetSecondaryList(e.Primary, slot);
    SetTertiaryList(e.Primary, e.Secondary, slot);
    SetPartNumberList(e.Primary, e.Secondary, e.Tertiary, slot);
    // Each choice runs its click procedure as the user's would: lists, chart and twin list follow.
    cboPrimary(slot).setText(e.Primary);
    cboSecondary(slot).setText(e.Secondary);
    cboTertiary(slot).setText(e.Tertiary);
    if (numberOf(e, view).empty())
        selectIfListed(cboPartNumber(2 * slot), partDisplayText(e, 0));
    else
        selectIfListed(cboPartNumber(2 * slot + view), partDisplayText(e, view));
    cboPrimary(slot).setEnabled(true);
    cboSecondary(slot).setEnabled(true);
    cboTertiary(slot).setEnabled(true);
    enablePartLists(slot, true);
}

void frmSelectFil::SetPrimaryList(int slot) {
    const int type = simType();
    std::vector<std::string> texts;
    for (int i = 0; i < FilterCount; ++i) {
        const FilterIndexRecord& e = FilterIndex[static_cast<std::size_t>(i)];
        if (listable(e, type, slot)) addUnique(texts, e.Primary);
    }
    fillList(cboPrimary(slot), texts);
    cboPrimary(slot).AddItem(platform::LoadResString(txtNoClassification));
}

void frmSelectFil::SetSecondaryList(const std::string& primary, int slot) {
    // In type 0 the category alone selects: every filter circuit part is offered.
    const int type = simType();
    std::vector<std::string> texts;
    for (int i = 0; i < FilterCount; ++i) {
        const FilterIndexRecord& e = FilterIndex[static_cast<std::size_t>(i)];
        if ((type == CircuitOnePart || listable(e, type, slot)) && e.Primary == primary) addUnique(texts, e.Secondary);
    }
    fillList(cboSecondary(slot), texts);
}

void frmSelectFil::SetTertiaryList(const std::string& primary, const std::string& secondary, int slot) {
    const int type = simType();
    std::vector<std::string> texts;
    for (int i = 0; i < FilterCount; ++i) {
        const FilterIndexRecord& e = FilterIndex[static_cast<std::size_t>(i)];
        if ((type == CircuitOnePart || listable(e, type, slot)) && e.Primary == primary && e.Secondary == secondary)
            addUnique(texts, e.Tertiary);
    }
    // By the value each caption begins with ("2.2 pF" before "10 pF"); equal values keep their order.
    std::stable_sort(texts.begin(), texts.end(),
                     [](const std::string& a, const std::string& b) { return leadingNumber(a) < leadingNumber(b); });
    fillList(cboTertiary(slot), texts);
}

void frmSelectFil::SetPartNumberList(const std::string& primary, const std::string& secondary,
                                     const std::string& tertiary, int slot) {
    clearPartLists(slot);
    for (int i = 0; i < FilterCount; ++i) {
        const FilterIndexRecord& e = FilterIndex[static_cast<std::size_t>(i)];
        if (e.Primary == primary && e.Secondary == secondary && e.Tertiary == tertiary) addPartNumbers(slot, i);
    }
}

void frmSelectFil::addPartNumbers(int slot, int filterIndex) {
    const FilterIndexRecord& e = FilterIndex[static_cast<std::size_t>(filterIndex)];
    cboPartNumber(2 * slot).AddItem(partDisplayText(e, 0));
    if (!e.PrevPartNum.empty()) cboPartNumber(2 * slot + 1).AddItem(partDisplayText(e, 1));
}

void frmSelectFil::clearPartLists(int slot) {
    cboPartNumber(2 * slot).Clear();
    cboPartNumber(2 * slot + 1).Clear();
}

void frmSelectFil::enablePartLists(int slot, bool on) {
    cboPartNumber(2 * slot).setEnabled(on);
    cboPartNumber(2 * slot + 1).setEnabled(on);
}

void frmSelectFil::prompt(int slot, int textId, double y) {
    platform::Canvas& canvas = picChart(slot).canvas();
    canvas.setForeColor(GetColor("red"));
    PrintAt(canvas, 20, static_cast<float>(y), platform::LoadResString(textId), 0);
    canvas.setForeColor(GetColor("black"));
}

// ---- List clicks --------------------------------------------------------------------------------

void frmSelectFil::cboPrimary_Click(int slot) {
    const std::string category = cboPrimary(slot).Text();
    if (category.empty()) return;
    cboSecondary(slot).Clear();
    cboSecondary(slot).setEnabled(false);
    cboTertiary(slot).Clear();
    cboTertiary(slot).setEnabled(false);
    clearPartLists(slot);
    enablePartLists(slot, false);
    picChart(slot).canvas().Cls();
    lblTertiary(slot).setCaption(platform::LoadResString(txtTertiary));

    if (category != platform::LoadResString(txtNoClassification)) {
        prompt(slot, txtSelectSecondary, 730);
        SetSecondaryList(category, slot);
        cboSecondary(slot).setEnabled(true);
        return;
    }
    const int type = simType();
    for (int i = 0; i < FilterCount; ++i)
        if (listableUnclassified(FilterIndex[static_cast<std::size_t>(i)], type, slot)) addPartNumbers(slot, i);
    enablePartLists(slot, true);
    prompt(slot, txtSelectPartNumber, 340);
}

void frmSelectFil::cboSecondary_Click(int slot) {
    const std::string secondary = cboSecondary(slot).Text();
    if (secondary.empty()) return;
    cboTertiary(slot).Clear();
    clearPartLists(slot);
    picChart(slot).canvas().Cls();

    const std::string primary = cboPrimary(slot).Text();
    if (GetSeriesFromCategory(primary) == "QTA") {
        static const std::pair<const char*, int> captions[] = {
            {"Chip TESSOR (QTA :Capacitor type)", 5320},     {"Chip TESSOR (QTB :LC combined T type)", 5320},
            {"Chip TESSOR (QTC :LC combined pi type)", 5321}, {"Chip TESSOR (QTD :RC combined T type)", 5323},
            {"Chip TESSOR (QTE :LC combined pi type)", 5321},
        };
        for (const auto& [category, id] : captions)
            if (primary == category) lblTertiary(slot).setCaption(platform::LoadResString(id));
        // A filter category shows its whole secondary group until a tertiary narrows it.
        DrawFreqChart(slot);
    } else {
        prompt(slot, txtSelectTertiary, 560);
    }
    SetTertiaryList(primary, secondary, slot);
    cboTertiary(slot).setEnabled(true);
    enablePartLists(slot, false);
}

void frmSelectFil::cboTertiary_Click(int slot) {
    const std::string tertiary = cboTertiary(slot).Text();
    if (tertiary.empty()) return;
    clearPartLists(slot);
    SetPartNumberList(cboPrimary(slot).Text(), cboSecondary(slot).Text(), tertiary, slot);
    DrawFreqChart(slot);
    enablePartLists(slot, true);
}

void frmSelectFil::cboPartNumber_Click(int index) {
    if (settingTwin_) return;
    const std::string chosen = cboPartNumber(index).Text();
    if (chosen.empty()) return;
    const int view = index % 2;
    const FilterIndexRecord* entry = nullptr;
    for (int i = 0; i < FilterCount && !entry; ++i) {
        const FilterIndexRecord& e = FilterIndex[static_cast<std::size_t>(i)];
        if (!numberOf(e, view).empty() && partDisplayText(e, view) == chosen) entry = &e;
    }
    if (!entry) return;
    const app::FlagScope guard(settingTwin_);
    platform::ComboBox& twin = cboPartNumber(view == 0 ? index + 1 : index - 1);
    const int otherView = 1 - view;
    if (numberOf(*entry, otherView).empty())
        twin.setListIndex(-1);
    else
        selectIfListed(twin, partDisplayText(*entry, otherView));
}

// ---- Part chart ---------------------------------------------------------------------------------

void frmSelectFil::DrawFreqChart(int slot) {
    app::trapped(*this, "DrawFreqChart", [this, slot] {
        const std::string primary = cboPrimary(slot).Text();
        const std::vector<std::int16_t> group =
            config::partChartGroup(primary, cboSecondary(slot).Text(), cboTertiary(slot).Text());
        config::drawPartChart(picChart(slot).canvas(), GetSeriesFromCategory(primary), group, partnumType() == 1);
        // The lists follow the chart's order, so a colour of the legend finds its entry.
        clearPartLists(slot);
        for (const std::int16_t recNo : group)
            for (int i = 0; i < FilterCount; ++i)
                if (FilterIndex[static_cast<std::size_t>(i)].RecNo == recNo) {
                    addPartNumbers(slot, i);
                    break;
                }
    });
}

// ---- Handing the choice over --------------------------------------------------------------------

bool frmSelectFil::CheckPartSelected(int slot) {
    // A choice in the previous list always selects its twin in the global list.
    if (!cboPartNumber(2 * slot).Text().empty()) return true;
    platform::Beep();
    platform::MsgBox(platform::LoadResString(msgNotSelected), platform::MsgBoxCritical);
    return false;
}

const FilterIndexRecord* frmSelectFil::chosenPart(int slot) const {
    const std::string chosen = cboPartNumber(2 * slot).Text();
    for (int i = 0; i < FilterCount && !chosen.empty(); ++i) {
        const FilterIndexRecord& e = FilterIndex[static_cast<std::size_t>(i)];
        if (partDisplayText(e, 0) == chosen) return &e;
    }
    return nullptr;
}

std::string frmSelectFil::chosenText(int slot) const {
    // As the part box shows the part in the current view (a part without a previous number under
    // its global one), rather than the previous list's empty selection.
    const FilterIndexRecord* part = chosenPart(slot);
    return part ? partDisplayText(*part, partnumType()) : std::string();
}

bool frmSelectFil::SetFilToConfig(ConfigForm& config) {
    const int type = simType();
    const int view = partnumType();
    // What the part box would receive, checked by the form's own rule for that box: a choke,
    // which "(No Classification)" lists, suits no filter circuit.
    const auto acceptable = [&](int slot) {
        if (!CheckPartSelected(slot)) return false;
        return config::findPart(chosenText(slot), type, slot, view) >= 0 || refuse(config::msgUnknownPart);
    };
    if (!acceptable(0)) return false;
    platform::TextBox& first = config.partBox(0);
    first.setText(chosenText(0));
    const bool twoParts = hasSecondPart(type);
    if (twoParts) {
        if (!acceptable(1)) {
            first.setText("");
            return false;
        }
        config.partBox(1).setText(chosenText(1));
    }
    config.showChosenPart(0, GetSeriesFromPartnum(cboPartNumber(0).Text()));
    if (twoParts) config.showChosenPart(1, GetSeriesFromPartnum(cboPartNumber(2).Text()));
    return true;
}

bool frmSelectFil::SetFilToConfig2(ConfigForm& config) {
    if (!CheckPartSelected(0)) return false;
    config.partBox(0).setText(chosenText(0));
    config.showChosenPart(0, "WQ");
    return true;
}

ConfigForm* frmSelectFil::transferChoice() {
    ConfigForm* config = openConfigForm();
    if (!config) platform::raiseError(errNoObject, "Object variable or With block variable not set");
    const bool written = dynamic_cast<frmConfig*>(config) ? SetFilToConfig(*config) : SetFilToConfig2(*config);
    return written ? config : nullptr;
}

// ---- Buttons ------------------------------------------------------------------------------------

void frmSelectFil::cmdOk_Click() {
    bool close = false;
    app::trapped(*this, "cmdOk_Click", [this, &close] { close = transferChoice() != nullptr; });
    if (close) platform::Unload(*this);
}

void frmSelectFil::cmdSimulation_Click() {
    bool close = false;
    app::trapped(*this, "cmdSimulation_Click", [this, &close] {
        ConfigForm* form = transferChoice();
        if (!form) return;
        close = true;
        Hide();
        // A failed run uses up its number; the refused 101st start does not count on.
        if (!form->CheckConfig()) return;
        form->StartSimulation(SimCount);
        if (SimCount < MaxSims) ++SimCount;
    });
    // Closed whatever the checks said: they have shown their own message.
    if (close) platform::Unload(*this);
}

void frmSelectFil::cmdCancel_Click() { platform::Unload(*this); }
