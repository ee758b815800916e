#include "PrintedText.h"

#include <QFontMetricsF>
#include <QPrinter>

PrintedText::PrintedText(QPrinter& printer, const QFont& font) : printer_(printer) {
    // Margins of about 2 cm; the painter's origin is the top-left corner of the printable area.
    printer_.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    if (!painter_.begin(&printer_)) {
        failed_ = true;
        return;
    }
    painter_.setFont(font);
    lineHeight_ = QFontMetricsF(font, &printer_).lineSpacing();
}

void PrintedText::Line(const QString& text) {
    if (failed_) return;
    const double bottom = painter_.viewport().height();
    if (y_ > 0 && y_ + lineHeight_ > bottom) {
        if (!printer_.newPage()) {
            failed_ = true;
            return;
        }
        ++pages_;
        y_ = 0;
    }
    painter_.drawText(QPointF(0, y_ + QFontMetricsF(painter_.font(), &printer_).ascent()), text);
    y_ += lineHeight_;
}

bool PrintedText::End() {
    if (painter_.isActive() && !painter_.end()) failed_ = true;
    return !failed_;
}
