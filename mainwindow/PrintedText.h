#pragma once
// Lines of text printed one under the other, starting a new page when the next line would pass
// the page's bottom margin.

#include <QFont>
#include <QPainter>
#include <QString>

class QPrinter;

class PrintedText {
public:
    PrintedText(QPrinter& printer, const QFont& font);
    // False when the print job could not be started.
    bool Active() const { return painter_.isActive(); }
    void Line(const QString& text);
    int Pages() const { return pages_; }
    // Sends the last page; false when the job failed.
    bool End();

private:
    QPrinter& printer_;
    QPainter painter_;
    double lineHeight_ = 0;
    double y_ = 0;
    int pages_ = 1;
    bool failed_ = false;
};
