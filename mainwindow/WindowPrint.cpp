#include "WindowPrint.h"

#include <QWidget>

#include "MessageBox.h"
#include "PrintWindow.h"

namespace WindowPrint {

QString PrintTitle(const QString& designFile, const QString& date) {
    return QStringLiteral("   ") + designFile + QStringLiteral("    Date : ") + date;
}

bool PrintWindow(QWidget* window, const QString& documentName, const std::function<void()>& prepare,
                 const std::function<void()>& restore) {
    prepare();
    const platform::PrintOutcome printed = platform::PrintWidget(window, documentName);
    // The screen layout comes back however the print went.
    restore();
    if (printed.ok && !printed.pdfPath.isEmpty())
        platform::ShowMessage(QStringLiteral("The window was printed to the file ") + printed.pdfPath,
                              platform::Buttons::OK, QStringLiteral("Print"), window);
    return printed.ok;
}

}  // namespace WindowPrint
