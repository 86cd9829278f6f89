#pragma once
// The printer: one global drawing target the forms print on, page by page.
//
// A document starts with the first drawing on it and ends with EndDoc. When the system has no
// printer (and always when a test sets an output file) the pages go to a PDF file and the user is
// told where it is. Without a printer that file is new for each document, in the Documents folder
// (else the home folder), named by the time the document starts: "Quenlis-yyyyMMdd-hhmmss.pdf",
// with "-2", "-3"... when that name is taken; an existing file is never overwritten.

#include <functional>
#include <memory>
#include <string>

#include "platform/canvas.h"

namespace platform {

enum PrinterOrientation : int { OrientPortrait = 1, OrientLandscape = 2 };
enum PrinterColorMode : int { ColorModeMonochrome = 1, ColorModeColor = 2 };

class PrinterObject : public Canvas {
public:
    PrinterObject();
    ~PrinterObject() override;

    int Orientation() const;
    void setOrientation(int orientation);  // 1 or 2, else error 380
    int ColorMode() const;
    void setColorMode(int mode);  // 1 or 2, else error 380
    std::string DeviceName() const;

    // Ends the current page; the next page begins only when something is drawn on it, so a new
    // page directly before EndDoc adds no blank page.
    void NewPage();
    // Ends the document and sends it to the printer (or closes the PDF file). Nothing to do when
    // nothing was drawn.
    void EndDoc();

    // The print-setup dialog; false when the user cancelled. The choice made there is what the
    // next document prints on.
    bool ShowSetup();

    // --- Seams.
    // Non-empty: every document goes to this PDF file, whether a printer exists or not.
    void setPdfOutput(const std::string& path);
    // Answers the print-setup dialog instead of showing it.
    void setSetupHandler(std::function<bool()> handler);
    // Told the path of each PDF file written; by default a notice window names it.
    void setPdfWrittenHandler(std::function<void(const std::string& path)> handler);

    // Pages of the last finished document (0 when EndDoc found nothing drawn) and its PDF file
    // (empty when it went to a printer).
    int lastDocumentPages() const;
    std::string lastPdfPath() const;
    bool documentOpen() const;

protected:
    QPainter* painter() override;
    int widthPx() const override;
    int heightPx() const override;
    double dpi() const override;

private:
    struct Device;
    std::unique_ptr<Device> p_;
};

// The printer the forms draw on ("Printer" in their code); identity tells it from a picture.
extern PrinterObject Printer;

}  // namespace platform
