#pragma once
// The printer the program prints on, without a dialog: the printer the user chose in Printer
// Setup, else the machine's current printer or, when the machine has none, a PDF file in the
// user's documents folder, whose path the caller tells the user. A PDF file never replaces
// another: it takes the first free name of "name.pdf", "name (2).pdf", ..., and its folder is
// made when it is missing.

#include <QString>
#include <memory>

class QPrinter;
class QWidget;

namespace platform {

// How a print job ended.
struct [[nodiscard]] PrintOutcome {
    bool ok = false;
    QString pdfPath;      // the PDF file the page went to, or was to go to; empty on a printer
    QString printerName;  // the printer of the machine the page went to, or was to go to
    QString reason;       // why the page could not be made; empty when it was
};

// One print job named `documentName` (also the name of its PDF file, without ".pdf") on the
// current printer. A PDF file is created at once under its free name, so no other print takes it.
class PrintJob {
public:
    explicit PrintJob(const QString& documentName);
    // A PDF file of a job that was not finished is removed.
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Null when the PDF file could not be created (Finish tells why).
    QPrinter* Printer() const { return printer_.get(); }
    // Ends the job; `painted` tells whether every page was drawn and the painter ended well. A
    // PDF file counts only when it holds what was drawn; otherwise it is removed.
    PrintOutcome Finish(bool painted);

private:
    std::unique_ptr<QPrinter> printer_;
    PrintOutcome outcome_;
    bool finished_ = false;
};

// What the printer dialog is shown for; its confirm button says it.
enum class PrinterDialogUse { Setup, Print };

// The printer dialog, opened on the current printer; when that is a PDF file, the dialog proposes
// the free file name for `proposedName`. What the user chooses there is what every later print
// uses: a printer of the machine, or a PDF file, whose name the next print takes (later ones go to
// its folder under their own names). A cancel changes nothing. False when the user cancelled.
bool ChoosePrinter(QWidget* parent, PrinterDialogUse use, const QString& proposedName);

// Tests: the machine has no printer and its documents folder is `folder`; an empty folder
// restores the machine as it is.
void SetPrintFolder(const QString& folder);

// Scripted mode: no printer dialog is shown; each call takes the next queued answer, or cancels
// when the queue is empty. Every call is counted.
namespace PrinterDialogScript {
void Enable();
void Disable();
bool Enabled();
// The user chooses a printer of the machine by its name.
void PushPrinter(const QString& printerName);
// The user chooses to print into PDF files in `folder`.
void PushPdfFolder(const QString& folder);
// The user types the PDF file `path` for the next print.
void PushPdfFile(const QString& path);
void PushCancel();
int Shown();
// Forgets the answers, the count and the printer chosen so far.
void Clear();
}  // namespace PrinterDialogScript

}  // namespace platform
