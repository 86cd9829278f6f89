#pragma once
// Helpers the platform tests share: where pictures and documents go, what a PDF holds, and a
// small picture to hand around.

#include <QDir>
#include <QProcess>
#include <QString>

#include "platform/canvas.h"

namespace platformtest {

// $QUENLIS_TEST_OUT, or the system's temporary folder when unset; made if missing.
inline QString outDir() {
    const QString dir = qEnvironmentVariable("QUENLIS_TEST_OUT", QDir::tempPath());
    QDir().mkpath(dir);
    return dir;
}

// Page count of a PDF as pdfinfo reports it; -1 when it reports none (no file, not a PDF).
inline int pdfPages(const QString& pdf) {
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished();
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    for (const QString& line : out.split('\n'))
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    return -1;
}

// A size x size pixel picture, its top-left quarter red.
inline platform::Picture redSquare(int size) {
    platform::ImageCanvas c(size, size);
    c.Line(0, 0, c.ScaleWidth() / 2, c.ScaleHeight() / 2, platform::RGB(255, 0, 0), platform::LineShape::FilledBox);
    return c.snapshot();
}

}  // namespace platformtest
