#include "WindowPrint.h"

#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QWidget>

#include "MessageBox.h"
#include "Printing.h"

namespace WindowPrint {

QString PrintTitle(const QString& designFile, const QString& date) {
    return QStringLiteral("   ") + designFile + QStringLiteral("    Date : ") + date;
}

bool PrintWindow(QWidget* window, const QString& documentName, const std::function<void()>& prepare,
                 const std::function<void()>& restore) {
    QString pdfPath;
    std::unique_ptr<QPrinter> printer = platform::CurrentPrinter(documentName, &pdfPath);
    prepare();
    bool printed = false;
    {
        QPainter painter;
        if (painter.begin(printer.get())) {
            // The window's client area as it is drawn, as a window print is, scaled to fit the
            // page and keeping its proportions.
            const QPixmap picture = window->grab();
            const QRect page = painter.viewport();
            const double scale = std::min(static_cast<double>(page.width()) / std::max(1, picture.width()),
                                          static_cast<double>(page.height()) / std::max(1, picture.height()));
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawPixmap(QRectF(0, 0, picture.width() * scale, picture.height() * scale), picture, picture.rect());
            printed = painter.end();
        }
    }
    // The screen layout comes back however the print went.
    restore();
    if (printed && !pdfPath.isEmpty())
        platform::ShowMessage(QStringLiteral("There is no printer: the window was saved as ") + pdfPath,
                              platform::Buttons::OK, QStringLiteral("Print"), window);
    return printed;
}

}  // namespace WindowPrint
