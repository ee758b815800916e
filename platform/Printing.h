#pragma once
// The printer the program prints on, without a dialog: the machine's current printer or, when
// the machine has none, a PDF file whose path the caller tells the user.

#include <QString>
#include <memory>

class QPrinter;

namespace platform {

// A printer for a job named `documentName`. When it is a PDF file, `pdfPath` receives the path
// (a file named after the job in the user's documents folder); otherwise it is cleared.
std::unique_ptr<QPrinter> CurrentPrinter(const QString& documentName, QString* pdfPath);

// Tests send every print to PDF files in `folder`; an empty folder restores the machine's printer.
void SetPrintFolder(const QString& folder);

}  // namespace platform
