#pragma once
// Prints a window's client area as it shows on the screen, controls included: on the machine's
// default printer, or, when it has none, into a PDF file whose path the caller tells the user.

#include <QString>

class QWidget;

namespace platform {

struct [[nodiscard]] PrintOutcome {
    bool ok = false;
    QString pdfPath;  // set when the page went to a PDF file
};

// pdfPath is where the page goes when there is no printer (or printers are turned off).
PrintOutcome PrintWidget(QWidget* area, const QString& pdfPath);

// The folder the program puts PDF files of printed windows in: the user's documents, or the
// folder SetPrintFolder named (tests use it so that the user's folder is never written).
QString PrintFolder();
void SetPrintFolder(const QString& folder);

// Tests turn printers off, so that nothing ever reaches paper.
void SetPrintersEnabled(bool enabled);

}  // namespace platform
