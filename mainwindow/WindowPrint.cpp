#include "WindowPrint.h"

#include <QWidget>

#include "FileManagement.h"
#include "MessageBox.h"
#include "PrintWindow.h"
#include "Variables.h"

namespace WindowPrint {

QString PageName(Page page) {
    // What each page shows, after the design's name.
    const char* shows = page == Page::Design ? "Design" : page == Page::Waveform ? "Waveform" : "BOM List";
    return QString::fromStdString(zorvic::DesignName(zorvic::Settings.DesignFileName)) + QStringLiteral(" - ") +
           QLatin1String(shows);
}

QString PrintTitle(const QString& designFile, const QString& date) {
    return QStringLiteral("   ") + designFile + QStringLiteral("    Date : ") + date;
}

void TellOutcome(const platform::PrintOutcome& outcome, const QString& printed, const QString& title,
                 QWidget* parent) {
    QString text;
    if (outcome.ok && !outcome.pdfPath.isEmpty())
        text = printed + QStringLiteral(" was printed to the file ") + outcome.pdfPath;
    else if (!outcome.ok && !outcome.pdfPath.isEmpty())
        text = printed + QStringLiteral(" could not be printed to the file ") + outcome.pdfPath +
               QStringLiteral(" : ") + outcome.reason;
    else if (!outcome.ok && !outcome.printerName.isEmpty())
        text = printed + QStringLiteral(" could not be printed on the printer ") + outcome.printerName +
               QStringLiteral(" : ") + outcome.reason;
    if (!text.isEmpty()) platform::ShowMessage(text, platform::Buttons::OK, title, parent);
}

bool PrintWindow(QWidget* window, Page page, const QString& printed, const QString& title,
                 const std::function<void()>& prepare, const std::function<void()>& restore) {
    prepare();
    const platform::PrintOutcome outcome = platform::PrintWidget(window, PageName(page));
    // The screen layout comes back however the print went, before anything is said.
    restore();
    TellOutcome(outcome, printed, title, window);
    return outcome.ok;
}

}  // namespace WindowPrint
