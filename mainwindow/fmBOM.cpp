#include "fmBOM.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLocale>
#include <QPrinter>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "BomLines.h"
#include "Forms.h"
#include "PrintedText.h"
#include "Printing.h"
#include "Screen.h"
#include "Variables.h"
#include "WindowPrint.h"

fmBOM::fmBOM(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmBOM"));
    setWindowTitle(QStringLiteral("BOM List"));
    platform::Forms::Register(this);

    txtBOMList = new QPlainTextEdit(this);
    txtBOMList->setObjectName(QStringLiteral("txtBOMList"));
    txtBOMList->setFont(QFont(QStringLiteral("Arial"), 12));
    txtBOMList->setLineWrapMode(QPlainTextEdit::NoWrap);
    cmdPrint = new QPushButton(QStringLiteral("Print"), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtBOMList);
    auto* row = new QHBoxLayout;
    row->addWidget(Picture1);
    row->addStretch();
    row->addWidget(cmdPrint);
    layout->addLayout(row);
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });

    Form_Load();
    FitToList();
}

void fmBOM::FitToList() {
    // Wide enough for the longest line and tall enough for the whole list, at least
    // ShownLinesLeast lines, as far as the screen allows.
    const QFontMetrics metrics(txtBOMList->font());
    const QStringList lines = text_.split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    // The frame and the document's margin on both sides, and the text cursor's pixel.
    const int edge =
        2 * (txtBOMList->frameWidth() + static_cast<int>(txtBOMList->document()->documentMargin())) + 1;
    const int shown = std::max<int>(ShownLinesLeast, static_cast<int>(lines.size()));
    const QMargins margins = layout()->contentsMargins();
    const QSize wanted(widest + edge + txtBOMList->verticalScrollBar()->sizeHint().width() + margins.left() +
                           margins.right(),
                       shown * metrics.lineSpacing() + edge + layout()->spacing() + cmdPrint->sizeHint().height() +
                           margins.top() + margins.bottom());
    platform::FitToScreen(this, wanted);
}

fmBOM::~fmBOM() = default;

void fmBOM::ShowBOM(QWidget* parent) {
    fmBOM window(parent);
    window.exec();
}

void fmBOM::Form_Load() {
    PrintMode = false;
    text_.clear();
    BuildBOM();
    txtBOMList->setPlainText(text_);
}

void fmBOM::BuildBOM() {
    for (const std::string& line : BomLines::BuildBOM()) AddBOMLine(line);
}

void fmBOM::AddBOMLine(const std::string& line) {
    if (PrintMode) {
        if (printed_) printed_->Line(QLatin1Char(' ') + QString::fromStdString(line));
        return;
    }
    text_ += QStringLiteral("  ") + QString::fromStdString(line) + QLatin1Char('\n');
}

bool fmBOM::cmdPrint_Click() {
    platform::PrintJob job(WindowPrint::PageName(WindowPrint::Page::BomList));
    bool painted = false;
    if (QPrinter* printer = job.Printer()) {
        PrintedText page(*printer, QFont(QStringLiteral("Arial"), 12));
        if (page.Active()) {
            printed_ = &page;
            PrintMode = true;
            AddBOMLine(BomLines::PrintHeading(
                zorvic::Settings.DesignFileName,
                QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString()));
            BuildBOM();
            PrintMode = false;
            printed_ = nullptr;
        }
        painted = page.End();
    }
    // The next print starts again from the beginning, whatever became of this one.
    const platform::PrintOutcome outcome = job.Finish(painted);
    WindowPrint::TellOutcome(outcome, QStringLiteral("The list"), QStringLiteral("Print"), this);
    return outcome.ok;
}
