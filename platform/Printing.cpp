#include "Printing.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <deque>
#include <optional>

namespace platform {

namespace {

// What the printer dialog gave: a printer of the machine, or a folder for PDF files.
struct PrinterChoice {
    QString printerName;
    QString pdfFolder;
    std::optional<QPageSize> pageSize;
};

struct PrintState {
    QString testFolder;
    std::optional<PrinterChoice> chosen;
    bool scripted = false;
    std::deque<std::optional<PrinterChoice>> answers;  // nothing: a cancel
    int shown = 0;
};

PrintState& State() {
    static PrintState state;
    return state;
}

std::unique_ptr<QPrinter> PdfPrinter(const QString& folder, const QString& documentName, QString* pdfPath) {
    const QString path = QDir(folder).filePath(documentName + QStringLiteral(".pdf"));
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    if (pdfPath) *pdfPath = path;
    return printer;
}

std::unique_ptr<QPrinter> MachinePrinter(const QString& documentName, QString* pdfPath) {
    const PrintState& state = State();
    if (!state.testFolder.isEmpty()) return PdfPrinter(state.testFolder, documentName, pdfPath);
    if (state.chosen && !state.chosen->pdfFolder.isEmpty())
        return PdfPrinter(state.chosen->pdfFolder, documentName, pdfPath);
    QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    // A chosen printer that has gone since is replaced by the current one.
    if (state.chosen && !state.chosen->printerName.isEmpty()) {
        const QPrinterInfo chosen = QPrinterInfo::printerInfo(state.chosen->printerName);
        if (!chosen.isNull()) printer = chosen;
    }
    if (!printer.isNull()) return std::make_unique<QPrinter>(printer, QPrinter::HighResolution);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return PdfPrinter(folder, documentName, pdfPath);
}

// The answer of the real dialog, read from the printer it was opened on.
PrinterChoice ChoiceOf(const QPrinter& printer) {
    PrinterChoice choice;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString file = printer.outputFileName();
        choice.pdfFolder = file.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                          : QFileInfo(file).absolutePath();
    } else {
        choice.printerName = printer.printerName();
    }
    choice.pageSize = printer.pageLayout().pageSize();
    return choice;
}

}  // namespace

void SetPrintFolder(const QString& folder) { State().testFolder = folder; }

std::unique_ptr<QPrinter> CurrentPrinter(const QString& documentName, QString* pdfPath) {
    if (pdfPath) pdfPath->clear();
    std::unique_ptr<QPrinter> printer = MachinePrinter(documentName, pdfPath);
    const PrintState& state = State();
    if (state.chosen && state.chosen->pageSize && state.chosen->pageSize->isValid())
        printer->setPageSize(*state.chosen->pageSize);
    printer->setDocName(documentName);
    return printer;
}

bool ChoosePrinter(QWidget* parent) {
    PrintState& state = State();
    ++state.shown;
    std::optional<PrinterChoice> answer;
    if (state.scripted) {
        if (!state.answers.empty()) {
            answer = state.answers.front();
            state.answers.pop_front();
        }
    } else {
        const std::unique_ptr<QPrinter> printer = CurrentPrinter(QStringLiteral("Zorvic"), nullptr);
        QPrintDialog dialog(printer.get(), parent);
        if (dialog.exec() == QDialog::Accepted) answer = ChoiceOf(*printer);
    }
    if (!answer) return false;
    state.chosen = *answer;
    return true;
}

namespace PrinterDialogScript {
void Enable() { State().scripted = true; }
void Disable() {
    State().scripted = false;
    State().answers.clear();
}
bool Enabled() { return State().scripted; }
void PushPrinter(const QString& printerName) { State().answers.push_back(PrinterChoice{printerName, {}, {}}); }
void PushPdfFolder(const QString& folder) { State().answers.push_back(PrinterChoice{{}, folder, {}}); }
void PushCancel() { State().answers.push_back(std::nullopt); }
int Shown() { return State().shown; }
void Clear() {
    State().answers.clear();
    State().shown = 0;
    State().chosen.reset();
}
}  // namespace PrinterDialogScript

}  // namespace platform
