#include "PrintWindow.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QWidget>
#include <algorithm>

#include "Printing.h"

namespace platform {

namespace {
constexpr double PrintDotsPerInch = 300;
}  // namespace

PrintOutcome PrintWidget(QWidget* area, const QString& documentName) {
    if (!area) return {};
    PrintJob job(documentName);
    QPrinter* printer = job.Printer();
    if (!printer) return job.Finish(false);
    printer->setPageOrientation(area->width() > area->height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(printer)) return job.Finish(false);
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    const double scale = std::min(page.width() / static_cast<double>(std::max(area->width(), 1)),
                                  page.height() / static_cast<double>(std::max(area->height(), 1)));
    // The area is drawn as the screen shows it, children cut at their edges, into a picture of
    // about 300 dots per inch on the page: a printer would otherwise get one picture at its own
    // resolution, many times the size and no sharper on paper.
    const double sharpness = std::max(1.0, scale * PrintDotsPerInch / std::max(printer->resolution(), 1));
    QImage picture(area->size() * sharpness, QImage::Format_RGB32);
    picture.setDevicePixelRatio(sharpness);
    picture.fill(Qt::white);
    area->render(&picture);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Kept exact: lines and text would blur in a photograph's compression.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(area->size())), picture);
    return job.Finish(painter.end());
}

}  // namespace platform
