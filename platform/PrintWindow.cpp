#include "PrintWindow.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>

namespace platform {

namespace {
bool& PrintersEnabled() {
    static bool enabled = true;
    return enabled;
}

QString& FolderOverride() {
    static QString folder;
    return folder;
}
}  // namespace

void SetPrintersEnabled(bool enabled) { PrintersEnabled() = enabled; }

void SetPrintFolder(const QString& folder) { FolderOverride() = folder; }

QString PrintFolder() {
    if (!FolderOverride().isEmpty()) return FolderOverride();
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) folder = QDir::tempPath();
    return folder;
}

PrintOutcome PrintWidget(QWidget* area, const QString& pdfPath) {
    PrintOutcome outcome;
    if (!area) return outcome;
    QPrinter printer(QPrinter::HighResolution);
    const QPrinterInfo device = PrintersEnabled() ? QPrinterInfo::defaultPrinter() : QPrinterInfo();
    if (device.isNull()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        outcome.pdfPath = pdfPath;
    } else {
        printer.setPrinterName(device.printerName());
    }
    printer.setPageOrientation(area->width() > area->height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer)) {
        outcome.pdfPath.clear();
        return outcome;
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = std::min(page.width() / static_cast<double>(std::max(area->width(), 1)),
                                  page.height() / static_cast<double>(std::max(area->height(), 1)));
    painter.scale(scale, scale);
    area->render(&painter);
    outcome.ok = painter.end();
    return outcome;
}

}  // namespace platform
