#include "Printing.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace platform {

namespace {
QString& PrintFolder() {
    static QString folder;
    return folder;
}
}  // namespace

void SetPrintFolder(const QString& folder) { PrintFolder() = folder; }

std::unique_ptr<QPrinter> CurrentPrinter(const QString& documentName, QString* pdfPath) {
    if (pdfPath) pdfPath->clear();
    const QPrinterInfo current = QPrinterInfo::defaultPrinter();
    if (PrintFolder().isEmpty() && !current.isNull()) {
        auto printer = std::make_unique<QPrinter>(current, QPrinter::HighResolution);
        printer->setDocName(documentName);
        return printer;
    }
    QString folder = PrintFolder();
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    const QString path = QDir(folder).filePath(documentName + QStringLiteral(".pdf"));
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setDocName(documentName);
    if (pdfPath) *pdfPath = path;
    return printer;
}

}  // namespace platform
