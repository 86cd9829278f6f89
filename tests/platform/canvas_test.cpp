// One chart-like scene drawn on the three kinds of target: a raster, a recording and a PDF page.
#include "platform/canvas.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/errors.h"
#include "platform_test_support.h"
#include "platform/printer.h"

using namespace platform;
using platformtest::outDir;
using platformtest::pdfPages;

namespace {

constexpr Color Red = RGB(255, 0, 0);
constexpr Color Grid = RGB(127, 127, 127);
constexpr Color Blue = RGB(0, 0, 255);

// A 1000 x 1000 chart space, y upward, over whatever the target's current scale maps to.
void setChartScale(Canvas& c) {
    c.setScaleLeft(0);
    c.setScaleTop(1000);
    c.setScaleWidth(1000);
    c.setScaleHeight(-1000);
}

// Grid lines, a filled box, texts and a thick curve, in chart units.
void drawScene(Canvas& c) {
    c.setForeColor(RGB(0, 0, 0));
    for (int i = 0; i <= 4; ++i) {
        const double y = 100 + i * 200;
        if (i == 0 || i == 4)
            c.Line(100, y, 900, y);
        else
            c.Line(100, y, 900, y, Grid);
    }
    c.Line(100, 100, 300, 400, Red, LineShape::FilledBox);
    c.Line(500, 500, 800, 800, Blue, LineShape::Box);
    c.setCurrentX(120);
    c.setCurrentY(980);
    c.Print("Voltage-Waveform");
    c.setCurrentX(20);
    c.setCurrentY(60);
    c.Print("[dB" + std::string("\xC2\xB5") + "V]");
    c.setDrawWidth(3);
    for (int i = 0; i < 40; ++i) {
        const auto f = [](int k) { return 600 + 150 * std::sin(k * 0.15); };
        c.Line(100 + i * 20, f(i), 100 + (i + 1) * 20, f(i + 1), Blue);
    }
    c.setDrawWidth(1);
}

bool near(QRgb pixel, Color c, int tolerance = 40) {
    return std::abs(qRed(pixel) - redOf(c)) <= tolerance && std::abs(qGreen(pixel) - greenOf(c)) <= tolerance &&
           std::abs(qBlue(pixel) - blueOf(c)) <= tolerance;
}

int countKind(const Canvas& c, PrimitiveKind kind) {
    int n = 0;
    for (const auto& p : c.displayList()) n += p.kind == kind;
    return n;
}

QImage renderPdf(const QString& pdf, const QString& stem) {
    QProcess::execute("pdftoppm", {"-r", "72", "-png", "-singlefile", pdf, stem});
    return QImage(stem + ".png");
}

}  // namespace

TEST(CanvasScale, TwipsByDefaultAndUserScaleMapsYUpward) {
    ImageCanvas c(400, 300);
    EXPECT_EQ(c.ScaleMode(), ScaleTwips);
    EXPECT_DOUBLE_EQ(c.ScaleWidth(), 400 * TwipsPerPixel);
    setChartScale(c);
    EXPECT_EQ(c.ScaleMode(), ScaleUser);
    EXPECT_EQ(c.toDeviceX(0), 0);
    EXPECT_EQ(c.toDeviceX(1000), 400);
    EXPECT_EQ(c.toDeviceY(1000), 0);
    EXPECT_EQ(c.toDeviceY(0), 300);
    EXPECT_DOUBLE_EQ(c.toUserX(200), 500);
    EXPECT_DOUBLE_EQ(c.toUserY(75), 750);
    c.setScaleMode(ScaleTwips);
    EXPECT_DOUBLE_EQ(c.ScaleTop(), 0);
    EXPECT_DOUBLE_EQ(c.ScaleHeight(), 300 * TwipsPerPixel);

    // Resizing keeps a user scale and the drawing; a zero size keeps one pixel.
    setChartScale(c);
    c.Line(0, 0, 1000, 1000, RGB(255, 0, 0), LineShape::FilledBox);
    c.resize(800, 0);
    EXPECT_EQ(c.deviceHeightPx(), 1);
    EXPECT_DOUBLE_EQ(c.ScaleWidth(), 1000);
    EXPECT_EQ(c.image().pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(c.image().pixel(500, 0), qRgb(255, 255, 255));
}

TEST(CanvasScale, BadValuesAreRuntimeErrors) {
    RecordingCanvas c(100, 100);
    auto number = [](auto f) {
        try {
            f();
        } catch (const RuntimeError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(number([&] { c.setScaleWidth(0); }), 380);
    EXPECT_EQ(number([&] { c.setDrawWidth(0); }), 380);
    EXPECT_EQ(number([&] { c.setDrawStyle(7); }), 380);
    EXPECT_EQ(number([&] { c.setFontSize(0); }), 380);
    EXPECT_EQ(number([&] { c.Line(0, 0, std::nan(""), 0); }), 6);
    // Far-out coordinates are clamped, not undefined.
    c.Line(0, 0, 1e300, -1e300);
    EXPECT_GT(c.displayList().back().dx2, 1000000);
    EXPECT_LT(c.displayList().back().dy2, -1000000);
}

TEST(CanvasText, SizeIndependentOfScaleAndSignedByIt) {
    RecordingCanvas c(400, 300);
    const double wTwips = c.TextWidth("Frequency[MHz]");
    const double hTwips = c.TextHeight("Frequency[MHz]");
    EXPECT_GT(wTwips, 0);
    setChartScale(c);
    const double w = c.TextWidth("Frequency[MHz]");
    const double h = c.TextHeight("Frequency[MHz]");
    // Same device extent: twips per pixel 15, chart units per pixel 2.5 across and -3.33 down.
    EXPECT_NEAR(w, wTwips / 15 * 2.5, 1e-6);
    EXPECT_NEAR(h, -hTwips / 15 * (1000.0 / 300), 1e-6);
    EXPECT_LT(h, 0);

    c.setFontSize(16);
    EXPECT_GT(c.TextWidth("+"), 0);
    EXPECT_GT(c.TextWidth("Frequency[MHz]"), w);
}

TEST(CanvasText, PrintMovesTheCurrentPoint) {
    RecordingCanvas c(400, 300);
    setChartScale(c);
    c.setCurrentX(200);
    c.setCurrentY(900);
    const double h = c.TextHeight("A");
    c.Print("A", false);
    EXPECT_NEAR(c.CurrentX(), 200 + c.TextWidth("A"), 1e-9);
    EXPECT_DOUBLE_EQ(c.CurrentY(), 900);
    c.Print("B");
    EXPECT_DOUBLE_EQ(c.CurrentX(), 0);  // back to ScaleLeft
    EXPECT_NEAR(c.CurrentY(), 900 + h, 1e-9);  // one text line lower (h is negative)
    const auto& text = c.displayList().back();
    EXPECT_EQ(text.kind, PrimitiveKind::Text);
    EXPECT_EQ(text.text, "B");
    // Top-left at the point where it was printed.
    EXPECT_EQ(text.dx1, c.toDeviceX(200 + c.TextWidth("A")));
    EXPECT_EQ(text.dy1, c.toDeviceY(900));
}

TEST(CanvasScene, ImageCanvasShowsTheBoxAndRecordsIt) {
    ImageCanvas c(400, 300);
    int repaints = 0;
    c.onChanged = [&] { ++repaints; };
    setChartScale(c);
    c.Cls();
    drawScene(c);
    EXPECT_GT(repaints, 0);

    const Picture pic = c.snapshot();
    ASSERT_FALSE(pic.isNull());
    ASSERT_TRUE(pic.image().save(outDir() + "/canvas_scene.png"));
    const QImage& img = pic.image();
    // Filled box (100,100)-(300,400) lands on x 40..120, y 180..270.
    EXPECT_TRUE(near(img.pixel(80, 225), Red, 0));
    EXPECT_TRUE(near(img.pixel(42, 182), Red, 0));
    EXPECT_TRUE(near(img.pixel(35, 225), RGB(255, 255, 255), 0));
    EXPECT_TRUE(near(img.pixel(80, 176), RGB(255, 255, 255), 0));
    // An inner grid line at y = 300 (device 210) in grid grey, outside the box.
    EXPECT_TRUE(near(img.pixel(200, 210), Grid, 0));
    // The outline box stays hollow.
    EXPECT_TRUE(near(img.pixel(200, 90), Blue, 0));
    EXPECT_TRUE(near(img.pixel(260, 105), RGB(255, 255, 255), 0));

    // Later drawing leaves the snapshot alone.
    c.Line(0, 0, 1000, 1000, Red, LineShape::FilledBox);
    EXPECT_TRUE(near(pic.image().pixel(35, 225), RGB(255, 255, 255), 0));
    EXPECT_TRUE(near(c.image().pixel(35, 225), Red, 0));
}

TEST(CanvasScene, RecordingHoldsTheExpectedPrimitives) {
    RecordingCanvas c(400, 300);
    setChartScale(c);
    c.Cls();
    drawScene(c);
    const auto& list = c.displayList();
    EXPECT_EQ(list.front().kind, PrimitiveKind::Clear);
    EXPECT_EQ(countKind(c, PrimitiveKind::Line), 5 + 40);
    EXPECT_EQ(countKind(c, PrimitiveKind::FilledBox), 1);
    EXPECT_EQ(countKind(c, PrimitiveKind::Box), 1);
    EXPECT_EQ(countKind(c, PrimitiveKind::Text), 2);

    const auto box = std::find_if(list.begin(), list.end(),
                                  [](const auto& p) { return p.kind == PrimitiveKind::FilledBox; });
    EXPECT_EQ(box->color, Red);
    EXPECT_EQ(box->x1, 100);
    EXPECT_EQ(box->y2, 400);
    EXPECT_EQ(box->dx1, 40);
    EXPECT_EQ(box->dy1, 270);
    EXPECT_EQ(box->dx2, 120);
    EXPECT_EQ(box->dy2, 180);

    // Border lines take the fore colour, inner ones the colour given.
    EXPECT_EQ(list[1].color, RGB(0, 0, 0));
    EXPECT_EQ(list[2].color, Grid);
    const auto curve = std::find_if(list.begin(), list.end(), [](const auto& p) { return p.width == 3; });
    ASSERT_NE(curve, list.end());
    EXPECT_EQ(curve->color, Blue);
    EXPECT_EQ(c.DrawWidth(), 1);
    // The micro sign survives as one character.
    EXPECT_EQ(list[std::size_t(list.size() - 41)].text, "[dB\xC2\xB5V]");

    c.Cls();
    EXPECT_EQ(c.displayList().size(), 1u);
}

TEST(CanvasScene, PaintPictureAtNaturalSize) {
    ImageCanvas source(20, 10);
    source.Line(0, 0, source.ScaleWidth(), source.ScaleHeight(), Red, LineShape::FilledBox);
    ImageCanvas c(100, 100);
    c.PaintPicture(source.snapshot(), 30 * TwipsPerPixel, 40 * TwipsPerPixel);
    const auto& p = c.displayList().back();
    EXPECT_EQ(p.kind, PrimitiveKind::Picture);
    EXPECT_EQ(p.dx2 - p.dx1, 20);
    EXPECT_EQ(p.dy2 - p.dy1, 10);
    EXPECT_TRUE(near(c.image().pixel(30, 40), Red, 0));
    EXPECT_TRUE(near(c.image().pixel(49, 49), Red, 0));
    EXPECT_TRUE(near(c.image().pixel(50, 50), RGB(255, 255, 255), 0));

    // On the printer the same picture covers the same inches.
    RecordingCanvas paper(4000, 4000, 600);
    paper.PaintPicture(source.snapshot(), 0, 0);
    EXPECT_EQ(paper.displayList().back().dx2, 125);
}

// The page composer's way: a twips page, a chart frame scaled to 1000 x 1000 upward inside it.
TEST(PrinterPage, SceneOnAPdfPageShowsTheBoxWhereExpected) {
    const QString pdf = outDir() + "/canvas_scene.pdf";
    QFile::remove(pdf);
    std::string told;
    Printer.setPdfWrittenHandler([&](const std::string& path) { told = path; });
    Printer.setPdfOutput(pdf.toStdString());
    Printer.setScaleMode(ScaleTwips);
    Printer.setOrientation(OrientLandscape);
    EXPECT_GT(Printer.ScaleWidth(), Printer.ScaleHeight());

    Printer.setDrawWidth(3);
    Printer.Line(500, 500, 14700, 10800, RGB(0, 0, 0), LineShape::Box);
    Printer.setDrawWidth(1);
    // Frame (600, 4750)-(5200, 9300) as 0..1000 both ways.
    const double w = Printer.ScaleWidth(), h = Printer.ScaleHeight(), l = Printer.ScaleLeft(), t = Printer.ScaleTop();
    Printer.setScaleWidth(w * 1000 / 4600);
    Printer.setScaleLeft(-600.0 * 1000 / 4600);
    Printer.setScaleHeight(-h * 1000 / 4550);
    Printer.setScaleTop(9300.0 * 1000 / 4550);
    drawScene(Printer);
    Printer.setScaleWidth(w);
    Printer.setScaleHeight(h);
    Printer.setScaleLeft(l);
    Printer.setScaleTop(t);
    Printer.setScaleMode(ScaleTwips);

    EXPECT_EQ(countKind(Printer, PrimitiveKind::FilledBox), 1);
    Printer.NewPage();
    Printer.EndDoc();
    EXPECT_EQ(told, pdf.toStdString());
    EXPECT_EQ(Printer.lastDocumentPages(), 1);
    EXPECT_EQ(pdfPages(pdf), 1);

    // At 72 dpi a twip is 1/20 pixel; the page starts 0.25 inch (360 twips) in.
    // Box x 1060..1980, y 7480..8845 twips -> pixels 71..117, 392..460.
    const QImage page = renderPdf(pdf, outDir() + "/canvas_scene_pdf");
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height());
    EXPECT_TRUE(near(page.pixel(94, 426), Red));
    EXPECT_TRUE(near(page.pixel(74, 395), Red));
    EXPECT_TRUE(near(page.pixel(114, 457), Red));
    EXPECT_TRUE(near(page.pixel(66, 426), RGB(255, 255, 255)));
    EXPECT_TRUE(near(page.pixel(94, 386), RGB(255, 255, 255)));
}
