// The filter-circuit form driven as a user drives it: typing, Enter, clicks and picks, with the
// message boxes recorded.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/config/config_checks.h"
#include "app/shared/chart_window.h"
#include "app/shared/frmTransFigure.h"
#include "app/diffconfig/frmConfig2.h"
#include "config_fixture.h"
#include "platform/msgbox.h"

namespace {

using namespace configtest;
using namespace mdlPublic;

// A result window, known to the form by its kind only.
class FakeChart : public app::ChartWindow {
public:
    FakeChart(const std::string& name, const std::string& caption) : ChartWindow(name, platform::FormKind::MdiChild) {
        setCaption(caption);
    }
    void switchPartnumType(std::int32_t) override {}
};

class Config : public ConfigTest {};

// Width in pixels that a line edit gives its text: the style's contents rectangle less the text
// margins and the edit's own 2-pixel margin on each side.
int textRoom(const QLineEdit& edit) {
    QStyleOptionFrame frame;
    frame.initFrom(&edit);
    frame.rect = edit.rect();
    frame.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, &edit) : 0;
    frame.state |= QStyle::State_Sunken;
    const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &frame, &edit);
    return contents.marginsRemoved(edit.textMargins()).width() - 2 * 2;
}

// The longest part text of the sample catalogue, in either view, as the part box shows it.
std::string longestCataloguePart() {
    const char* out = std::getenv("QUENLIS_OUT_DIR");
    if (!out) throw std::runtime_error("QUENLIS_OUT_DIR unset");
    loadFilterIndex(std::string(out) + "/data/filtere.idx");
    std::string longest;
    for (int i = 0; i < FilterCount; ++i)
        for (int view = 0; view < 2; ++view) {
            const std::string text = partDisplayText(FilterIndex[static_cast<std::size_t>(i)], view);
            if (text.size() > longest.size()) longest = text;
        }
    return longest;
}

TEST_F(Config, NewSimulationDefaults) {
    open(0);
    EXPECT_TRUE(messages().empty());  // the line's impedance is computed once its boxes are filled
    EXPECT_EQ(form_->Caption(), "Simulation No.01");
    EXPECT_EQ(box("txtClockFreq").Text(), "10");
    EXPECT_EQ(box("txtDuty").Text(), "50");
    EXPECT_EQ(box("txtUp").Text(), "2");
    EXPECT_EQ(box("txtDown").Text(), "2");
    EXPECT_EQ(box("txtVoltage").Text(), "5");
    EXPECT_TRUE(option("optConfigTrans", 0).Value());
    EXPECT_EQ(box("txtConfigTrans", 0).Text(), "0.1");
    EXPECT_EQ(box("txtConfigTrans", 1).Text(), "1.6");
    EXPECT_EQ(box("txtConfigTrans", 2).Text(), "100");
    EXPECT_EQ(combo("cboMaterial").Text(), "Epoxy-glass (K=4.6)");
    EXPECT_EQ(label("lblConfigTrans", 5).Caption(), "169.74");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(check(i).Value(), 0);
        EXPECT_FALSE(check(i).Enabled());
        EXPECT_FALSE(option("optSelectIc", i).Value());
        EXPECT_FALSE(option("optSelectCircuit", i).Value());
    }
    EXPECT_EQ(picture(0), "inb");
    EXPECT_EQ(picture(3), "transb");
    EXPECT_EQ(picture(2), "ksvqtar");
    EXPECT_FALSE(ctl<platform::Image>("imgCircuit", 5).Visible());
    // No part chooser in this build: its button and menu item wait for it.
    EXPECT_FALSE(ctl<platform::CommandButton>("cmdSelect").Enabled());
    EXPECT_FALSE(menu("mnuSimFilconf").Enabled());
}

TEST_F(Config, CaptionsAndPicturesByCircuitType) {
    struct Expect {
        const char *block2, *block5, *box0, *box1, *picture5;
        bool second;
    };
    const Expect expect[3] = {
        {"Filter", "", "Filter", "", "", false},
        {"EMI Filter", "Chip Capacitor", "EMI Filter", "Chip Capacitor", "jxr", true},
        {"EMI Filter(KSV+QTA)", "", "EMI Filter(KSV)", "EMI Filter(QTA)", "qtar", true},
    };
    for (int type = 0; type < 3; ++type) {
        SCOPED_TRACE(type);
        open(type);
        EXPECT_EQ(label("lblCircuit", 2).Caption(), expect[type].block2);
        EXPECT_EQ(label("lblCircuit", 5).Caption(), expect[type].block5);
        EXPECT_EQ(label("lblFilter", 0).Caption(), expect[type].box0);
        EXPECT_EQ(label("lblFilter", 1).Caption(), expect[type].box1);
        EXPECT_EQ(box("txtFilter", 1).Visible(), expect[type].second);
        if (expect[type].second) {
            EXPECT_EQ(picture(5), expect[type].picture5);
        }
        EXPECT_EQ(ctl<platform::Line>("Line2").X2(), type == 0 ? 5000 : 4500);
        EXPECT_EQ(form_->menuByName("mnuWindowClose")->Caption(), "&Close all Chart Windows");
        grab(*form_, "frmConfig_type" + std::to_string(type));
    }
}

// Every text shows whole and every control lies inside its holder, in each variant and entry mode.
TEST_F(Config, NothingIsCutOffOrOutside) {
    const std::string longestPart = longestCataloguePart();
    loadFilterIndex(dataPath("filtere.idx"));
    const auto check = [this, &longestPart](const std::string& state) {
        for (platform::Control* c : form_->controls()) {
            QWidget* w = c->widget();
            if (!w || !w->isVisibleTo(form_->window())) continue;
            SCOPED_TRACE(state + ": " + c->Name() + "(" + std::to_string(c->Index()) + ")");
            if (QWidget* holder = w->parentWidget()) {
                EXPECT_TRUE(holder->rect().contains(w->geometry()))
                    << "outside its holder of width " << holder->width();
            }
            if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty()) {
                // A push button's hint has a minimum width of its own; its text needs only a margin.
                const int needed = qobject_cast<QPushButton*>(w)
                                       ? button->fontMetrics().horizontalAdvance(button->text()) + 8
                                       : button->sizeHint().width();
                EXPECT_LE(needed, button->width()) << button->text().toStdString();
            }
            if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                // What the box must show whole: the longest part text, or 15 characters of a number.
                const bool partBox = c->Name() == "txtFilter";
                for (const std::string& typed : partBox ? std::vector<std::string>{longestPart}
                                                        : std::vector<std::string>{"123456789012345", "1.2345678901234"})
                    EXPECT_LE(edit->fontMetrics().horizontalAdvance(QString::fromStdString(typed)), textRoom(*edit))
                        << typed << " scrolls in a box of width " << edit->width();
            }
            if (auto* text = qobject_cast<QLabel*>(w); text && !text->text().isEmpty() && text->pixmap().isNull()) {
                if (text->wordWrap())
                    EXPECT_LE(text->heightForWidth(text->width()), text->height()) << text->text().toStdString();
                else
                    EXPECT_LE(text->sizeHint().width(), text->width()) << text->text().toStdString();
            }
        }
    };
    for (int type = 0; type < 3; ++type) {
        open(type);
        check("type " + std::to_string(type));
        for (int i = 0; i < 2; ++i) t::click(option("optSelectCircuit", i));
        t::click(option("optConfigTrans", 1));
        check("type " + std::to_string(type) + " by R, L, C and impedance");
        if (type == 2) grab(*form_, "frmConfig_lcr");
    }

    // The longest part of the sample catalogue, confirmed with Enter.
    longestCataloguePart();
    open(0);
    typeEnter(box("txtFilter", 0), longestPart.substr(0, longestPart.find(' ')));
    EXPECT_EQ(box("txtFilter", 0).Text(), longestPart);
    check("after Enter on " + longestPart);
    grab(*form_, "frmConfig_longest_part");
}

TEST_F(Config, LineModesRememberWhatWasTyped) {
    open(0);
    t::type(box("txtConfigTrans", 0), "0.2");
    t::click(option("optConfigTrans", 1));
    EXPECT_EQ(label("lblConfigTrans", 0).Caption(), "Characteristic Impedance[ohm]");
    EXPECT_EQ(label("lblConfigTrans", 1).Caption(), "Dielectric Constant(K)");
    EXPECT_FALSE(combo("cboMaterial").Visible());
    EXPECT_FALSE(label("lblConfigTrans", 3).Visible());
    EXPECT_EQ(box("txtConfigTrans", 0).Text(), "");
    EXPECT_EQ(picture(3), "transr");
    t::type(box("txtConfigTrans", 0), "50");

    t::click(option("optConfigTrans", 0));
    EXPECT_EQ(box("txtConfigTrans", 0).Text(), "0.2");
    EXPECT_EQ(box("txtConfigTrans", 1).Text(), "1.6");
    EXPECT_EQ(label("lblConfigTrans", 0).Caption(), "Width of Line (W)[mm]");
    EXPECT_NE(label("lblConfigTrans", 5).Caption(), "169.74");  // recomputed for W = 0.2
    t::click(option("optConfigTrans", 1));
    EXPECT_EQ(box("txtConfigTrans", 0).Text(), "50");

    t::click(option("optConfigTrans", 2));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(box("txtConfigTrans", k).Text(), "");
        EXPECT_FALSE(box("txtConfigTrans", k).Visible());
    }
    for (int k = 0; k < 6; ++k) EXPECT_FALSE(label("lblConfigTrans", k).Visible());
    EXPECT_EQ(picture(3), "transb");
    t::click(option("optConfigTrans", 0));
    EXPECT_EQ(box("txtConfigTrans", 0).Text(), "0.2");
    t::click(option("optConfigTrans", 1));
    EXPECT_EQ(box("txtConfigTrans", 0).Text(), "50");
    EXPECT_TRUE(messages().empty());
}

TEST_F(Config, LineImpedanceRefusals) {
    open(0);
    t::type(box("txtConfigTrans", 0), "0");
    pickText(combo("cboMaterial"), "BT Epoxy Blends (K=4.1)");
    EXPECT_EQ(messages(), std::vector<std::string>{text(5289)});
    EXPECT_EQ(label("lblConfigTrans", 5).Caption(), "169.74");  // unchanged

    t::clearMessageBoxes();
    t::type(box("txtConfigTrans", 0), "abc");
    EXPECT_TRUE(t::pressKey(box("txtConfigTrans", 0), 13));  // Enter is not consumed
    EXPECT_EQ(messages(), std::vector<std::string>{text(5280)});

    t::clearMessageBoxes();
    t::type(box("txtConfigTrans", 0), "0.1");
    t::pressKey(box("txtConfigTrans", 0), 13);
    EXPECT_TRUE(messages().empty());
    EXPECT_NE(label("lblConfigTrans", 5).Caption(), "169.74");  // the other material
}

TEST_F(Config, IcListsAndVoltage) {
    open(0);
    auto& driverFamilies = combo("cboSelectIcPrimary", 0);
    ASSERT_EQ(driverFamilies.ListCount(), 2);
    EXPECT_EQ(driverFamilies.List(0), "CMOS");
    EXPECT_EQ(driverFamilies.List(1), "TTL");

    t::click(option("optSelectIc", 1));
    EXPECT_EQ(picture(4), "icr");
    pickText(combo("cboSelectIcPrimary", 1), "TTL");
    auto& names = combo("cboSelectIc", 1);
    ASSERT_EQ(names.ListCount(), 2);
    EXPECT_EQ(names.List(0), "74LS04");
    EXPECT_EQ(names.List(1), "74S04");
    EXPECT_EQ(picture(4), "icr");
    pickText(names, "74LS04");
    EXPECT_EQ(picture(4), "icb");
    EXPECT_EQ(box("txtVoltage").Text(), "4.5");

    // Driver by R, L, C: the receiver's IC still sets the voltage.
    t::click(option("optSelectCircuit", 0));
    EXPECT_TRUE(box("txtR", 0).Visible());
    EXPECT_FALSE(combo("cboSelectIc", 0).Visible());
    EXPECT_EQ(picture(1), "icr");
    EXPECT_EQ(box("txtVoltage").Text(), "4.5");
    t::type(box("txtR", 0), "10");
    t::type(box("txtL", 0), "1");
    EXPECT_EQ(picture(1), "icr");
    t::type(box("txtC", 0), "2");
    EXPECT_EQ(picture(1), "icb");

    // The driver's IC wins over the receiver's.
    t::click(option("optSelectIc", 0));
    pickText(combo("cboSelectIcPrimary", 0), "CMOS");
    pickText(combo("cboSelectIc", 0), "74AC04");
    EXPECT_EQ(box("txtVoltage").Text(), "3.3");

    t::click(option("optSelectCircuit", 0));
    t::click(option("optSelectCircuit", 1));
    EXPECT_EQ(box("txtVoltage").Text(), "5");
    EXPECT_TRUE(box("txtR", 2).Visible());
    EXPECT_EQ(box("txtR", 0).Text(), "10");  // hidden values stay
}

TEST_F(Config, PartNumbersConfirmedWithEnter) {
    open(0);
    const std::string redPart = picture(2);
    typeEnter(box("txtFilter", 0), "KSV99");
    EXPECT_EQ(messages(), std::vector<std::string>{text(5282)});
    EXPECT_EQ(box("txtFilter", 0).Text(), "KSV99");
    EXPECT_EQ(picture(2), redPart);
    EXPECT_FALSE(check(0).Enabled());

    // A capacitor allows point B only; no complaint about unticking A on the way.
    t::clearMessageBoxes();
    typeEnter(box("txtFilter", 0), "jx3");
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(box("txtFilter", 0).Text(), "JX3");
    EXPECT_EQ(picture(2), "jxb");
    EXPECT_EQ(check(0).Value(), 0);
    EXPECT_FALSE(check(0).Enabled());
    EXPECT_EQ(check(1).Value(), 1);
    EXPECT_FALSE(check(1).Enabled());

    // A bead then enables both and keeps B only, since one point is ticked.
    typeEnter(box("txtFilter", 0), "KSV1");
    EXPECT_EQ(box("txtFilter", 0).Text(), "KSV1 (100MHz)");
    EXPECT_EQ(picture(2), "ksvb");
    EXPECT_TRUE(check(0).Enabled());
    EXPECT_TRUE(check(1).Enabled());
    EXPECT_EQ(check(0).Value(), 0);
    EXPECT_EQ(check(1).Value(), 1);

    typeEnter(box("txtFilter", 0), "QTA2");
    EXPECT_EQ(box("txtFilter", 0).Text(), "QTA2");
    EXPECT_EQ(picture(2), "qtab");

    // A choke coil is no part of a filter circuit.
    t::clearMessageBoxes();
    typeEnter(box("txtFilter", 0), "WQ4");
    EXPECT_EQ(messages(), std::vector<std::string>{text(5282)});
    EXPECT_EQ(picture(2), "qtab");

    // The previous numbering finds and shows previous numbers.
    setSetting("PartnumType", "1");
    t::clearMessageBoxes();
    typeEnter(box("txtFilter", 0), "oldksv6");
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(box("txtFilter", 0).Text(), "OLDKSV6 (600MHz)");
}

TEST_F(Config, SecondPartShowsItsNumberOnly) {
    open(1);
    typeEnter(box("txtFilter", 1), "JX3");
    EXPECT_EQ(box("txtFilter", 1).Text(), "JX3");
    EXPECT_EQ(picture(5), "jxb");
    EXPECT_EQ(check(0).Value(), 1);
    EXPECT_EQ(check(1).Value(), 1);
    typeEnter(box("txtFilter", 1), "QTA2");  // not a capacitor
    EXPECT_EQ(messages(), std::vector<std::string>{text(5282)});

    open(2);
    t::clearMessageBoxes();
    typeEnter(box("txtFilter", 1), "QTB5");  // a filter, but not of the capacitor type
    EXPECT_EQ(messages(), std::vector<std::string>{text(5282)});
    typeEnter(box("txtFilter", 1), "QTA2");
    EXPECT_EQ(picture(5), "qtab");
    typeEnter(box("txtFilter", 0), "KSV1");
    EXPECT_EQ(box("txtFilter", 0).Text(), "KSV1 (100MHz)");
}

TEST_F(Config, AtLeastOneMeasuringPointStaysTicked) {
    open(0);
    typeEnter(box("txtFilter", 0), "KSV1");
    ASSERT_EQ(check(0).Value(), 1);
    t::click(check(1));
    EXPECT_TRUE(messages().empty());
    t::click(check(0));
    EXPECT_EQ(messages(), std::vector<std::string>{text(5297)});
    EXPECT_EQ(check(0).Value(), 1);
    EXPECT_EQ(check(1).Value(), 0);
}

TEST_F(Config, ResetClearsThePartsOnly) {
    open(1);
    completeForm(1);
    t::click(check(1));
    t::click(ctl<platform::CommandButton>("cmdReset"));
    EXPECT_TRUE(messages().empty());  // unticking from code never complains
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(box("txtFilter", i).Text(), "");
        EXPECT_EQ(check(i).Value(), 0);
        EXPECT_FALSE(check(i).Enabled());
    }
    EXPECT_EQ(picture(2), "ksvqtar");
    EXPECT_EQ(picture(5), "jxr");
    EXPECT_EQ(combo("cboSelectIc", 0).Text(), "74HC04");
    EXPECT_EQ(box("txtClockFreq").Text(), "10");
}

TEST_F(Config, LogoDoubleClickFillsTheDefaults) {
    open(0);
    t::type(box("txtClockFreq"), "33");
    t::type(box("txtConfigTrans", 0), "0.3");
    ctl<platform::PictureBox>("picLogo").userDblClick();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(box("txtClockFreq").Text(), "10");
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(option("optSelectIc", i).Value());
        EXPECT_EQ(combo("cboSelectIcPrimary", i).Text(), "CMOS");
        EXPECT_EQ(combo("cboSelectIc", i).Text(), "74HC04");
    }
    EXPECT_EQ(box("txtConfigTrans", 0).Text(), "0.1");
    EXPECT_EQ(label("lblConfigTrans", 5).Caption(), "169.74");
    EXPECT_EQ(picture(1), "icb");
    EXPECT_EQ(picture(4), "icb");

    // From another line mode: the switch back shows the remembered width's impedance first, and the
    // defaults' own must replace it.
    t::type(box("txtConfigTrans", 0), "0.3");
    t::click(option("optConfigTrans", 1));
    ctl<platform::PictureBox>("picLogo").userDblClick();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(box("txtConfigTrans", 0).Text(), "0.1");
    EXPECT_EQ(label("lblConfigTrans", 5).Caption(), "169.74");
}

TEST_F(Config, CloseAllChartWindowsClosesResultWindowsOnly) {
    ChartCount = 2;
    SimCount = 99;  // the form's caption "Simulation No.100" is longer than 16 characters
    open(0);
    EXPECT_EQ(form_->Caption(), "Simulation No.100");
    platform::Load<FakeChart>("frmChart", "Simulation No.01-KSV1-Input Signal Frequency=10[MHz]");
    platform::Load<FakeChart>("frmChart2", "Simulation No.02-WQ4-Input Signal Frequency=10[MHz]");
    t::click(menu("mnuWindowClose"));
    t::flushUnloaded();
    EXPECT_EQ(platform::Forms().byName("frmChart"), nullptr);
    EXPECT_EQ(platform::Forms().byName("frmChart2"), nullptr);
    EXPECT_NE(platform::loadedForm<frmConfig>(), nullptr);
    EXPECT_NE(platform::loadedForm<frmMain>(), nullptr);
    EXPECT_FALSE(menu("mnuWindowClose").Enabled());
}

TEST_F(Config, StartingASimulation) {
    open(0);
    completeForm(0);
    // Without a simulation run only the checks run.
    t::click(ctl<platform::CommandButton>("cmdSimulation"));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(SimCount, 0);

    std::vector<int> runs;
    frmConfig::setSimulationRunner([&runs](frmConfig& f, std::int16_t s) {
        runs.push_back(s);
        f.SaveConfig(s);
    });
    ASSERT_FALSE(menu("mnuWindowClose").Enabled());
    t::click(menu("mnuSimStart"));
    EXPECT_EQ(runs, std::vector<int>{0});
    EXPECT_EQ(SimCount, 1);
    EXPECT_FALSE(menu("mnuWindowClose").Enabled());
    t::click(ctl<platform::CommandButton>("cmdSimulation"));
    EXPECT_EQ(runs, (std::vector<int>{0, 1}));
    EXPECT_TRUE(menu("mnuWindowClose").Enabled());
    EXPECT_EQ(SimConfigs[1].PartNum[0], "KSV1");

    // A refused start runs nothing and uses no number.
    t::type(box("txtDuty"), "");
    t::click(ctl<platform::CommandButton>("cmdSimulation"));
    EXPECT_EQ(messages(), std::vector<std::string>{text(5281)});
    EXPECT_EQ(SimCount, 2);
}

TEST_F(Config, WindowStateIsRemembered) {
    ConfigWindowState = 2;
    frmConfig& f = open(0);
    EXPECT_EQ(f.WindowState(), 2);
    f.setWindowState(0);
    EXPECT_EQ(ConfigWindowState, 0);
    f.setWindowState(1);  // as a started simulation does
    EXPECT_EQ(ConfigWindowState, 0);
    open(0);
    EXPECT_EQ(form_->WindowState(), 0);
}

TEST_F(Config, OpensWithTheFocusInTheFirstPartBox) {
    for (const std::int16_t state : {2, 0}) {
        ConfigWindowState = state;
        open(0);
        QApplication::processEvents();
        QWidget* box = ctl<platform::TextBox>("txtFilter", 0).widget();
        EXPECT_EQ(box->window()->focusWidget(), box) << state;
    }
}

TEST_F(Config, ViewMenusFollowThePartNumberSetting) {
    open(0);
    typeEnter(box("txtFilter", 0), "KSV1");
    t::click(menu("mnuViewOld"));
    EXPECT_EQ(box("txtFilter", 0).Text(), "OLDKSV1 (100MHz)");
    EXPECT_TRUE(menu("mnuViewOld").Checked());
    EXPECT_FALSE(menu("mnuViewCurrent").Checked());
    t::click(menu("mnuViewCurrent"));
    EXPECT_EQ(box("txtFilter", 0).Text(), "KSV1 (100MHz)");
    EXPECT_TRUE(menu("mnuViewCurrent").Checked());
    // The second box, hidden in type 0, is not the form's part: it is left as it is.
    box("txtFilter", 1).setText("KSV1");
    t::click(menu("mnuViewOld"));
    EXPECT_EQ(box("txtFilter", 1).Text(), "KSV1");
}

TEST_F(Config, LineFigureIsOneTopMostWindow) {
    open(0);
    auto& figureButton = ctl<platform::CommandButton>("cmdFigure");
    t::click(figureButton);
    t::click(figureButton);
    int figures = 0;
    for (int i = 0; i < platform::Forms().Count(); ++i) figures += platform::Forms()(i).Name() == "frmTransFigure";
    EXPECT_EQ(figures, 1);
    frmTransFigure* figure = platform::loadedForm<frmTransFigure>();
    ASSERT_NE(figure, nullptr);
    EXPECT_EQ(figure->Caption(), "View Transmission Line Figure");
    EXPECT_EQ(figure->figureKey(), "trans");
    EXPECT_TRUE(figure->Visible());
    EXPECT_TRUE(figure->window()->windowFlags() & Qt::WindowStaysOnTopHint);
    grab(*figure, "frmTransFigure");

    // The configuration form goes on taking input meanwhile.
    t::type(box("txtDuty"), "40");
    EXPECT_EQ(box("txtDuty").Text(), "40");

    t::click(*dynamic_cast<platform::CommandButton*>(figure->controlByName("cmdOk")));
    t::flushUnloaded();
    EXPECT_EQ(platform::loadedForm<frmTransFigure>(), nullptr);
}

// Where a widget is on the desktop.
QRect onDesk(const QWidget& w) { return w.isWindow() ? w.frameGeometry() : QRect(w.mapToGlobal(QPoint(0, 0)), w.size()); }

// On a desktop of 1600 x 1000 pixels, small beside the form's 1044 pixels in its own size, the line
// figure opens wholly on it and over none of the form's inputs, maximized or not.
TEST_F(Config, LineFigureOpensBesideTheFormOnTheDesktop) {
    const QRect desktop(0, 0, 1600, 1000);
    t::setWorkArea(0, 0, desktop.width() * 15, desktop.height() * 15);
    frmMain& desk = frmMain::instance();
    desk.Move(0, 0, desktop.width() * 15, desktop.height() * 15);
    desk.Show();
    for (const std::int16_t state : {2, 0}) {
        ConfigWindowState = state;
        open(0);
        t::click(ctl<platform::CommandButton>("cmdFigure"));
        frmTransFigure* figure = platform::loadedForm<frmTransFigure>();
        ASSERT_NE(figure, nullptr);
        const QRect place = onDesk(*figure->window());
        EXPECT_TRUE(desktop.contains(place)) << "state " << state << ": " << place.x() << "," << place.y();
        if (state == 0) {
            EXPECT_FALSE(place.intersects(onDesk(*form_->window()->parentWidget())));  // its MDI frame
        }
        for (platform::Control* c : form_->controls()) {
            if (c->widget()->isVisible()) {
                EXPECT_FALSE(place.intersects(onDesk(*c->widget()))) << "state " << state << " covers " << c->Name();
            }
        }

        QImage picture(desktop.size(), QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QPainter painter(&picture);
        painter.drawImage(onDesk(*desk.window()).topLeft(), desk.window()->grab().toImage());
        painter.drawImage(place.topLeft(), figure->window()->grab().toImage());
        painter.end();
        if (const char* out = std::getenv("QUENLIS_TEST_OUT"))
            picture.save(QString("%1/frmConfig_line_figure_state%2.png").arg(out).arg(state));
        t::click(*dynamic_cast<platform::CommandButton*>(figure->controlByName("cmdOk")));
    }
    t::setWorkArea(0, 0, 0, 0);
}

// Tab walks the form as it reads, group after group, in every circuit type (the form still opens
// with the focus in the first part box: OpensWithTheFocusInTheFirstPartBox).
TEST_F(Config, TabFollowsTheReadingOrder) {
    struct Group {
        const char* name;
        std::vector<std::string> controls;
        std::vector<int> indexes;  // empty: any
    };
    const std::vector<std::string> ic = {"optSelectIc", "optSelectCircuit", "cboSelectIcPrimary", "cboSelectIc",
                                         "txtR", "txtL", "txtC"};
    const std::vector<Group> groups = {
        {"signal", {"txtClockFreq", "txtDuty", "txtUp", "txtDown", "txtVoltage"}, {}},
        {"driver", ic, {0}},
        {"receiver", ic, {1, 2}},
        {"line", {"optConfigTrans", "cmdFigure", "txtConfigTrans", "cboMaterial"}, {}},
        {"part", {"txtFilter", "cmdSelect", "cmdReset", "chkMeasure"}, {}},
        {"buttons", {"cmdSimulation"}, {}},
    };
    const auto groupOf = [&](const platform::Control& c) -> std::string {
        for (const Group& g : groups)
            if (std::find(g.controls.begin(), g.controls.end(), c.Name()) != g.controls.end() &&
                (g.indexes.empty() || std::find(g.indexes.begin(), g.indexes.end(), c.Index()) != g.indexes.end()))
                return g.name;
        return "other " + c.Name();
    };
    for (const int type : {0, 2}) {
        open(type);
        std::vector<std::string> order;
        QWidget* start = form_->window();
        for (QWidget* w = start->nextInFocusChain(); w != start; w = w->nextInFocusChain())
            for (platform::Control* c : form_->controls())
                if (c->widget() == w && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
                    if (order.empty() || order.back() != groupOf(*c)) order.push_back(groupOf(*c));
        EXPECT_EQ(order, (std::vector<std::string>{"signal", "driver", "receiver", "line", "part", "buttons"}))
            << "type " << type;
    }
}

// At the keyboard alone: Down and Enter in File > New's start dialog open the next circuit type; from the
// part box, Tab reaches every control a user can change once, in reading order, and comes back.
TEST_F(Config, ArrowsChooseTheCircuitTypeAndTabReadsItsForm) {
    app::registerFormLoader("frmConfig2", []() -> platform::Form& { return platform::defaultForm<frmConfig2>(); });
    const std::string tail = " cmdReset chkMeasure(0) chkMeasure(1) cmdSimulation txtClockFreq txtDuty txtUp txtDown txtVoltage ",
                      line = " optConfigTrans(0) cmdFigure txtConfigTrans(0) txtConfigTrans(1) txtConfigTrans(2) cboMaterial",
                      ics = "optSelectIc(0) cboSelectIcPrimary(0) cboSelectIc(0) optSelectIc(1) cboSelectIcPrimary(1) cboSelectIc(1)";
    for (const auto& [type, walk] : std::map<int, std::string>{{0, "txtFilter(0)" + tail + ics + line},
             {1, "txtFilter(0) txtFilter(1)" + tail + "optSelectCircuit(0) txtR(0) txtL(0) txtC(0) optSelectCircuit(1) txtL(1) "
                 "txtR(1) txtC(1) txtR(2)" + line}, {2, "txtFilter(0) txtFilter(1)" + tail + ics + line},
             {3, "txtFilter(0) cmdReset optConfigTrans(0) txtConfigTrans(0) cmdFigure txtConfigTrans(1) txtConfigTrans(2) "
                 "txtConfigTrans(3) cboMaterial cmdSimulation cboDcc cboDccClock txtRiseTime(0) txtRiseTime(1) "
                 "txtFallTime(0) txtFallTime(1) txtScue cmdWave"}}) {
        t::setModalDriver([&](platform::Form& start) {  // the type chosen last is ticked
            auto& ticked = apptest::control<platform::OptionButton>(start, "optSimType", std::max(type - 1, 0));
            if (type > 0) t::sendKey(ticked, t::Key::Down);
            if (type == 1) grab(start, "start_dialog_after_down");
            t::sendKey(ticked, t::Key::Enter);
        });
        frmMain::instance().mnuFileNew_Click();
        platform::Form* const opened = platform::Forms().byName(type == 3 ? "frmConfig2" : "frmConfig");
        ASSERT_NE(opened, nullptr) << "type " << type;
        platform::Form& form = *opened;
        typeEnter(apptest::control<platform::TextBox>(form, "txtFilter", 0), type == 3 ? "WQ4" : "KSV1");
        for (int i = 0; i < 2 && type == 1; ++i) t::click(apptest::control<platform::OptionButton>(form, "optSelectCircuit", i));
        std::string seen;
        for (const std::string& stop : t::tabStops(form, [&](int n) { if (type == 0 && n < 5) grab(form, "tab_walk_" + std::to_string(n)); }))
            seen += (seen.empty() ? "" : " ") + stop;
        EXPECT_EQ(seen, walk) << "type " << type;
    }
}

}  // namespace
