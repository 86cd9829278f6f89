// The printer's document and page handling, and its settings.
#include <string>
#include <vector>

#include "platform/printer.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QThread>

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

// Without a printer every document goes to a file of its own, named by the time it starts; a
// name already taken, even by a print of the same second, is never written over.
TEST(PrinterPage, PdfWithoutPrinterIsNamedWhenItStartsAndNeverOverwrites) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    std::vector<QString> written;
    Printer.setPdfWrittenHandler([&](const std::string& path) { written.push_back(QString::fromStdString(path)); });
    Printer.setPdfOutput("");
    const auto print = [] {
        Printer.setScaleMode(ScaleTwips);
        Printer.Line(0, 0, 1000, 1000);
        Printer.EndDoc();
    };
    print();
    ASSERT_EQ(written.size(), 1u);
    QThread::msleep(1100);  // the next prints start seconds after the first one ended
    const qint64 start = QDateTime::currentSecsSinceEpoch();
    QFile taken(QFileInfo(written[0]).absolutePath() + "/Quenlis-" +
                QDateTime::fromSecsSinceEpoch(start).toString("yyyyMMdd-hhmmss") + ".pdf");
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly) && taken.write("an earlier print") > 0);
    taken.close();
    print();
    print();
    const qint64 end = QDateTime::currentSecsSinceEpoch();

    ASSERT_EQ(written.size(), 3u);
    for (const QString& path : {written[1], written[2]}) {
        const QRegularExpressionMatch m =
            QRegularExpression(R"(^Quenlis-(\d{8}-\d{6})(-\d+)?\.pdf$)").match(QFileInfo(path).fileName());
        ASSERT_TRUE(m.hasMatch()) << path.toStdString();
        const qint64 stamp = QDateTime::fromString(m.captured(1), "yyyyMMdd-hhmmss").toSecsSinceEpoch();
        EXPECT_TRUE(start <= stamp && stamp <= end) << path.toStdString() << " is not named by when it started";
        EXPECT_EQ(pdfPages(path), 1);
    }
    EXPECT_NE(written[1], written[2]);
    ASSERT_TRUE(taken.open(QIODevice::ReadOnly));
    EXPECT_EQ(taken.readAll(), "an earlier print");
}
