#include "platform/printer.h"

#include <algorithm>
#include <utility>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "platform/errors.h"
#include "platform/internal.h"
#include "platform/strings.h"

namespace platform {

namespace {

// Resolution of PDF output: that of a common office printer, so pen widths in device pixels look
// as they would on paper.
constexpr int PdfDpi = 600;
// The unprintable border of a typical printer; pages are laid out from the printable area's corner.
constexpr double PdfMarginMm = 6.35;

// A new, empty file named by the present time, made here so that no other print takes the name;
// a name already taken (an earlier print of the same second) gets a running number. Empty when
// the folder cannot be written.
QString reservePdfPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
    for (int i = 1; i < 10000; ++i) {
        const QString name = i == 1 ? "Quenlis-" + stamp + ".pdf" : QString("Quenlis-%1-%2.pdf").arg(stamp).arg(i);
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return file.fileName();
        if (!file.exists()) return {};
    }
    return {};
}

// Centred on the main window as the program's dialogs are, once it has the size it shows with.
class PdfNotice : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        detail::centreOnMain(*this);
    }
};

void showPdfNotice(const std::string& path) {
    // Modeless: the print run must not stop here, and tests never wait on it.
    auto* box = new PdfNotice(QMessageBox::Information, QString::fromStdString(AppTitle()),
                              "No printer is available. The pages were saved as\n" +
                                  QString::fromStdString(path));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

}  // namespace

struct PrinterObject::Device {
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<QPainter> painter;
    std::string pdfOverride;
    std::string chosenPrinter;  // from the setup dialog; empty = the system default
    std::function<bool()> setupHandler;
    std::function<void(const std::string&)> pdfWritten = showPdfNotice;
    int orientation = OrientPortrait;
    int colorMode = ColorModeColor;
    bool pageBreakPending = false;
    int pages = 0;
    int lastPages = 0;
    std::string lastPdf;
    std::string currentPdf;
    bool nameAtStart = false;  // PDF output without a chosen file

    // The printer lives in the application: it goes with QApplication, not at static destruction.
    QPrinter& ensure() {
        if (!printer) {
            printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            qAddPostRoutine([] { Printer.p_->release(); });
            configure();
        }
        return *printer;
    }

    // A document about to start on PDF without a chosen file: its name tells when this print began.
    void nameNewPdf() {
        if (!nameAtStart) return;
        const QString path = reservePdfPath();
        if (path.isEmpty()) raiseError(482, "Printer error: no folder to save the pages in");
        currentPdf = path.toStdString();
        printer->setOutputFileName(path);
    }

    void release() {
        painter.reset();
        printer.reset();
    }

    // Chooses the output for the next document: the override file, the chosen or default
    // printer, or a new PDF file when there is no printer at all.
    void configure() {
        QPrinter& p = *printer;
        currentPdf.clear();
        nameAtStart = false;
        if (pdfOverride.empty() && !QPrinterInfo::availablePrinters().isEmpty()) {
            p.setOutputFormat(QPrinter::NativeFormat);
            p.setPrinterName(chosenPrinter.empty() ? QPrinterInfo::defaultPrinter().printerName()
                                                   : QString::fromStdString(chosenPrinter));
        } else {
            p.setOutputFormat(QPrinter::PdfFormat);
            // Without a printer the file is named when the document starts (nameNewPdf).
            nameAtStart = pdfOverride.empty();
            if (!nameAtStart) {
                currentPdf = pdfOverride;
                p.setOutputFileName(QString::fromStdString(currentPdf));
            }
            p.setResolution(PdfDpi);
            p.setPageMargins(QMarginsF(PdfMarginMm, PdfMarginMm, PdfMarginMm, PdfMarginMm),
                             QPageLayout::Millimeter);
        }
        p.setPageOrientation(orientation == OrientLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        p.setColorMode(colorMode == ColorModeColor ? QPrinter::Color : QPrinter::GrayScale);
    }
};

PrinterObject Printer;

PrinterObject::PrinterObject() : p_(std::make_unique<Device>()) {}
PrinterObject::~PrinterObject() = default;

int PrinterObject::Orientation() const { return p_->orientation; }

void PrinterObject::setOrientation(int orientation) {
    if (orientation != OrientPortrait && orientation != OrientLandscape) raiseError(errInvalidPropertyValue);
    p_->orientation = orientation;
    // Takes effect from the next page begun.
    p_->ensure().setPageOrientation(orientation == OrientLandscape ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait);
    deviceResized();
}

int PrinterObject::ColorMode() const { return p_->colorMode; }

void PrinterObject::setColorMode(int mode) {
    if (mode != ColorModeMonochrome && mode != ColorModeColor) raiseError(errInvalidPropertyValue);
    p_->colorMode = mode;
    p_->ensure().setColorMode(mode == ColorModeColor ? QPrinter::Color : QPrinter::GrayScale);
}

std::string PrinterObject::DeviceName() const {
    QPrinter& p = p_->ensure();
    if (p.outputFormat() == QPrinter::PdfFormat) return "PDF";
    return p.printerName().toStdString();
}

QPainter* PrinterObject::painter() {
    if (!p_->painter) {
        QPrinter& p = p_->ensure();
        p_->nameNewPdf();
        p_->painter = std::make_unique<QPainter>();
        if (!p_->painter->begin(&p)) {
            p_->painter.reset();
            if (p_->nameAtStart) QFile::remove(QString::fromStdString(p_->currentPdf));
            raiseError(482, "Printer error");
        }
        p_->pages = 1;
        p_->pageBreakPending = false;
        // The last document's list stays readable until the next one starts.
        clearDisplayList();
        deviceResized();
    } else if (p_->pageBreakPending) {
        p_->pageBreakPending = false;
        if (!p_->printer->newPage()) raiseError(482, "Printer error");
        ++p_->pages;
        deviceResized();
    }
    return p_->painter.get();
}

void PrinterObject::NewPage() {
    if (!p_->painter) {
        // A page break before anything was drawn still ends an (empty) first page.
        painter();
    }
    p_->pageBreakPending = true;
    DrawnPrimitive prim;
    prim.kind = PrimitiveKind::NewPage;
    record(std::move(prim));
}

void PrinterObject::EndDoc() {
    p_->pageBreakPending = false;
    if (!p_->painter) {
        p_->lastPages = 0;
        p_->lastPdf.clear();
        return;
    }
    p_->painter->end();
    p_->painter.reset();
    p_->lastPages = p_->pages;
    p_->pages = 0;
    p_->lastPdf = p_->currentPdf;
    p_->configure();
    deviceResized();
    if (!p_->lastPdf.empty() && p_->pdfWritten) p_->pdfWritten(p_->lastPdf);
}

bool PrinterObject::documentOpen() const { return p_->painter != nullptr; }
int PrinterObject::lastDocumentPages() const { return p_->lastPages; }
std::string PrinterObject::lastPdfPath() const { return p_->lastPdf; }

bool PrinterObject::ShowSetup() {
    QPrinter& p = p_->ensure();
    bool accepted = false;
    if (p_->setupHandler) {
        accepted = p_->setupHandler();
    } else {
        QPrintDialog dialog(&p);
        dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (accepted && p.outputFormat() == QPrinter::NativeFormat) {
        p_->chosenPrinter = p.printerName().toStdString();
        p_->colorMode = p.colorMode() == QPrinter::Color ? ColorModeColor : ColorModeMonochrome;
        p_->orientation = p.pageLayout().orientation() == QPageLayout::Landscape ? OrientLandscape : OrientPortrait;
    }
    if (!p_->painter) {
        p_->configure();
        deviceResized();
    }
    return accepted;
}

void PrinterObject::setPdfOutput(const std::string& path) {
    p_->pdfOverride = path;
    if (!p_->painter) {
        p_->ensure();
        p_->configure();
        deviceResized();
    }
}

void PrinterObject::setSetupHandler(std::function<bool()> handler) { p_->setupHandler = std::move(handler); }

void PrinterObject::setPdfWrittenHandler(std::function<void(const std::string&)> handler) {
    p_->pdfWritten = std::move(handler);
}

int PrinterObject::widthPx() const {
    QPrinter& p = p_->ensure();
    return std::max(1, p.width());
}

int PrinterObject::heightPx() const {
    QPrinter& p = p_->ensure();
    return std::max(1, p.height());
}

double PrinterObject::dpi() const { return p_->ensure().resolution(); }

}  // namespace platform
