// The printer's document and page handling, and its settings.
#include "platform/printer.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform_test_support.h"

using namespace platform;
using platformtest::outDir;
using platformtest::pdfPages;

TEST(PrinterPage, PagesCountOnlyWhenDrawnOn) {
    const QString pdf = outDir() + "/printer_pages.pdf";
    Printer.setPdfWrittenHandler([](const std::string&) {});
    Printer.setPdfOutput(pdf.toStdString());
    Printer.setScaleMode(ScaleTwips);

    Printer.EndDoc();  // nothing drawn: no document
    EXPECT_EQ(Printer.lastDocumentPages(), 0);

    for (int page = 0; page < 2; ++page) {
        Printer.setCurrentX(1000);
        Printer.setCurrentY(1000);
        Printer.Print("Simulation No.0" + std::to_string(page + 1));
        Printer.NewPage();
    }
    EXPECT_TRUE(Printer.documentOpen());
    Printer.EndDoc();
    EXPECT_FALSE(Printer.documentOpen());
    EXPECT_EQ(Printer.lastDocumentPages(), 2);
    EXPECT_EQ(pdfPages(pdf), 2);
    // The document's drawing stays readable until the next document starts.
    int texts = 0, breaks = 0;
    for (const auto& p : Printer.displayList()) {
        texts += p.kind == PrimitiveKind::Text;
        breaks += p.kind == PrimitiveKind::NewPage;
    }
    EXPECT_EQ(texts, 2);
    EXPECT_EQ(breaks, 2);
    Printer.Line(0, 0, 100, 100);
    EXPECT_EQ(Printer.displayList().size(), 1u);
    Printer.EndDoc();
}

TEST(PrinterPage, SettingsAndSetupSeam) {
    Printer.setPdfOutput((outDir() + "/printer_setup.pdf").toStdString());
    EXPECT_EQ(Printer.ColorMode(), ColorModeColor);
    Printer.setColorMode(ColorModeMonochrome);
    EXPECT_EQ(Printer.ColorMode(), ColorModeMonochrome);
    Printer.setColorMode(ColorModeColor);
    Printer.setOrientation(OrientPortrait);
    EXPECT_LT(Printer.deviceWidthPx(), Printer.deviceHeightPx());
    EXPECT_THROW(Printer.setOrientation(3), RuntimeError);

    Printer.setSetupHandler([] { return false; });
    EXPECT_FALSE(Printer.ShowSetup());
    Printer.setSetupHandler([] { return true; });
    EXPECT_TRUE(Printer.ShowSetup());
    EXPECT_EQ(Printer.DeviceName(), "PDF");
}
