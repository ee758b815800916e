#include "Printing.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <deque>
#include <optional>

namespace platform {

namespace {

// What the printer dialog gave: a printer of the machine, or PDF files in a folder, the first of
// them under the name the user typed.
struct PrinterChoice {
    QString printerName;
    QString pdfFolder;
    QString pdfFile;  // for the next print only
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

// Where a job goes: a printer of the machine, or a PDF file named `stem` in `folder`.
struct Destination {
    QPrinterInfo printer;
    QString folder;
    QString stem;
    bool pdf() const { return printer.isNull(); }
};

QString DocumentsFolder() {
    const PrintState& state = State();
    if (!state.testFolder.isEmpty()) return state.testFolder;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

// A chosen PDF file name without its ".pdf": the free-name rule adds it back.
QString Stem(const QString& fileName) {
    return fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? fileName.chopped(4) : fileName;
}

// `takeChosenFile`: the job uses up the file name typed in the dialog.
Destination DestinationOf(const QString& documentName, bool takeChosenFile) {
    PrintState& state = State();
    if (state.chosen && !state.chosen->pdfFile.isEmpty()) {
        const QFileInfo file(state.chosen->pdfFile);
        if (takeChosenFile) state.chosen->pdfFile.clear();
        return {{}, file.absolutePath(), Stem(file.fileName())};
    }
    if (state.chosen && !state.chosen->pdfFolder.isEmpty()) return {{}, state.chosen->pdfFolder, documentName};
    if (state.testFolder.isEmpty()) {
        // A chosen printer that has gone since is replaced by the current one.
        if (state.chosen && !state.chosen->printerName.isEmpty()) {
            const QPrinterInfo chosen = QPrinterInfo::printerInfo(state.chosen->printerName);
            if (!chosen.isNull()) return {chosen, {}, {}};
        }
        const QPrinterInfo current = QPrinterInfo::defaultPrinter();
        if (!current.isNull()) return {current, {}, {}};
    }
    return {{}, DocumentsFolder(), documentName};
}

QString NumberedName(const QString& folder, const QString& stem, int n) {
    return QDir(folder).filePath(n == 1 ? stem + QStringLiteral(".pdf")
                                        : QStringLiteral("%1 (%2).pdf").arg(stem).arg(n));
}

bool Held(const QString& path) {
    const QFileInfo file(path);
    return file.exists() || file.isSymLink();
}

constexpr int MaxNumberedName = 9999;

// The first name of "stem.pdf", "stem (2).pdf", ... that no file holds yet.
QString FreeName(const QString& folder, const QString& stem) {
    int n = 1;
    while (n < MaxNumberedName && Held(NumberedName(folder, stem, n))) ++n;
    return NumberedName(folder, stem, n);
}

// Creates the first free file of `stem` in `folder`, and the folder when it is missing. False,
// with the path tried and the reason, when no file can be created there.
bool CreateFreeFile(const QString& folder, const QString& stem, QString& path, QString& reason) {
    // A folder that cannot be made shows in the file's own error below.
    QDir().mkpath(folder);
    for (int n = 1; n <= MaxNumberedName; ++n) {
        path = NumberedName(folder, stem, n);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return true;
        if (!Held(path)) {
            reason = file.errorString();
            return false;
        }
    }
    reason = QStringLiteral("every numbered name is taken");
    return false;
}

// The answer of the real dialog, read from the printer it was opened on. A proposed file name
// that the user left as it was only chooses the folder.
PrinterChoice ChoiceOf(const QPrinter& printer, const QString& proposedFile) {
    PrinterChoice choice;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString file = printer.outputFileName();
        if (file.isEmpty()) {
            choice.pdfFolder = DocumentsFolder();
        } else {
            choice.pdfFolder = QFileInfo(file).absolutePath();
            if (QFileInfo(file).absoluteFilePath() != QFileInfo(proposedFile).absoluteFilePath()) choice.pdfFile = file;
        }
    } else {
        choice.printerName = printer.printerName();
    }
    choice.pageSize = printer.pageLayout().pageSize();
    return choice;
}

void UseChosenPageSize(QPrinter& printer) {
    const PrintState& state = State();
    if (state.chosen && state.chosen->pageSize && state.chosen->pageSize->isValid())
        printer.setPageSize(*state.chosen->pageSize);
}

// The dialog's confirm button reads "Print" wherever it is shown; Printer Setup only chooses.
void NameDialogFor(QPrintDialog& dialog, PrinterDialogUse use) {
    if (use != PrinterDialogUse::Setup) return;
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
}

}  // namespace

void SetPrintFolder(const QString& folder) { State().testFolder = folder; }

PrintJob::PrintJob(const QString& documentName) {
    const Destination where = DestinationOf(documentName, true);
    if (where.pdf()) {
        if (!CreateFreeFile(where.folder, where.stem, outcome_.pdfPath, outcome_.reason)) return;
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(outcome_.pdfPath);
    } else {
        outcome_.printerName = where.printer.printerName();
        printer_ = std::make_unique<QPrinter>(where.printer, QPrinter::HighResolution);
    }
    UseChosenPageSize(*printer_);
    printer_->setDocName(documentName);
}

PrintJob::~PrintJob() {
    if (!finished_ && !outcome_.pdfPath.isEmpty() && printer_) QFile::remove(outcome_.pdfPath);
}

PrintOutcome PrintJob::Finish(bool painted) {
    if (finished_) return outcome_;
    finished_ = true;
    if (!printer_) return outcome_;
    if (!painted) outcome_.reason = QStringLiteral("the page could not be drawn");
    else if (!outcome_.pdfPath.isEmpty() && QFileInfo(outcome_.pdfPath).size() <= 0)
        outcome_.reason = QStringLiteral("nothing was written into the file");
    outcome_.ok = outcome_.reason.isEmpty();
    if (!outcome_.ok && !outcome_.pdfPath.isEmpty()) QFile::remove(outcome_.pdfPath);
    return outcome_;
}

bool ChoosePrinter(QWidget* parent, PrinterDialogUse use, const QString& proposedName) {
    PrintState& state = State();
    ++state.shown;
    std::optional<PrinterChoice> answer;
    if (state.scripted) {
        if (!state.answers.empty()) {
            answer = state.answers.front();
            state.answers.pop_front();
        }
    } else {
        // A file typed earlier and not printed yet stays chosen when it is proposed again.
        const bool typedEarlier = state.chosen && !state.chosen->pdfFile.isEmpty();
        const Destination where = DestinationOf(proposedName, false);
        std::unique_ptr<QPrinter> printer;
        QString proposedFile;
        if (where.pdf()) {
            printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            proposedFile = FreeName(where.folder, where.stem);
            printer->setOutputFileName(proposedFile);
        } else {
            printer = std::make_unique<QPrinter>(where.printer, QPrinter::HighResolution);
        }
        UseChosenPageSize(*printer);
        QPrintDialog dialog(printer.get(), parent);
        NameDialogFor(dialog, use);
        if (dialog.exec() == QDialog::Accepted) answer = ChoiceOf(*printer, typedEarlier ? QString() : proposedFile);
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
void PushPrinter(const QString& printerName) { State().answers.push_back(PrinterChoice{printerName, {}, {}, {}}); }
void PushPdfFolder(const QString& folder) { State().answers.push_back(PrinterChoice{{}, folder, {}, {}}); }
void PushPdfFile(const QString& path) {
    State().answers.push_back(PrinterChoice{{}, QFileInfo(path).absolutePath(), path, {}});
}
void PushCancel() { State().answers.push_back(std::nullopt); }
int Shown() { return State().shown; }
void Clear() {
    State().answers.clear();
    State().shown = 0;
    State().chosen.reset();
}
}  // namespace PrinterDialogScript

}  // namespace platform
