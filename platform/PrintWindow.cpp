#include "PrintWindow.h"

#include <QPainter>
#include <QPrinter>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "Printing.h"

namespace platform {

PrintOutcome PrintWidget(QWidget* area, const QString& documentName) {
    PrintOutcome outcome;
    if (!area) return outcome;
    QString pdfPath;
    const std::unique_ptr<QPrinter> printer = CurrentPrinter(documentName, &pdfPath);
    printer->setPageOrientation(area->width() > area->height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(printer.get())) return outcome;
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    const double scale = std::min(page.width() / static_cast<double>(std::max(area->width(), 1)),
                                  page.height() / static_cast<double>(std::max(area->height(), 1)));
    painter.scale(scale, scale);
    area->render(&painter);
    outcome.ok = painter.end();
    if (outcome.ok) outcome.pdfPath = pdfPath;
    return outcome;
}

}  // namespace platform
