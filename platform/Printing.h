#pragma once
// The printer the program prints on, without a dialog: the printer the user chose in Printer
// Setup, else the machine's current printer or, when the machine has none, a PDF file whose path
// the caller tells the user.

#include <QString>
#include <memory>

class QPrinter;
class QWidget;

namespace platform {

// A printer for a job named `documentName`. When it is a PDF file, `pdfPath` receives the path
// (a file named after the job in the user's documents folder, or in the folder chosen in the
// printer dialog); otherwise it is cleared.
std::unique_ptr<QPrinter> CurrentPrinter(const QString& documentName, QString* pdfPath);

// The printer dialog, opened on the current printer. What the user chooses there is what every
// later print uses; a cancel changes nothing. False when the user cancelled.
bool ChoosePrinter(QWidget* parent = nullptr);

// Tests send every print to PDF files in `folder`; an empty folder restores the machine's printer.
void SetPrintFolder(const QString& folder);

// Scripted mode: no printer dialog is shown; each call takes the next queued answer, or cancels
// when the queue is empty. Every call is counted.
namespace PrinterDialogScript {
void Enable();
void Disable();
bool Enabled();
// The user chooses a printer of the machine by its name.
void PushPrinter(const QString& printerName);
// The user chooses to print into a PDF file in `folder`.
void PushPdfFolder(const QString& folder);
void PushCancel();
int Shown();
// Forgets the answers, the count and the printer chosen so far.
void Clear();
}  // namespace PrinterDialogScript

}  // namespace platform
