#include "CurveChartBox.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "Colours.h"
#include "Twips.h"

CurveChartBox::CurveChartBox(QWidget* parent, std::function<ChartPlot()> plot)
    : QWidget(parent), plot_(std::move(plot)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CurveChartBox::paintEvent(QPaintEvent*) {
    const ChartPlot plot = plot_();
    QPainter painter(this);
    const double scale = platform::PixelsPerTwip();
    painter.scale(scale, scale);
    PaintChartPlot(painter, plot, platform::TwipWidth(this), platform::TwipHeight(this));
}

void CurveChartBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit Clicked();
}

void CurveChartBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

void PaintChartPlot(QPainter& painter, const ChartPlot& plot, int32_t width, int32_t height) {
    painter.fillRect(QRect(0, 0, width + 30, height + 30), platform::ColourFromBgr(plot.Background));
    uint32_t current = 0xFFFFFFFF;
    auto lines = [&](const std::vector<PlotLine>& all) {
        for (const PlotLine& l : all) {
            if (l.Colour != current) {
                current = l.Colour;
                painter.setPen(QPen(platform::ColourFromBgr(current), 0));
            }
            painter.drawLine(l.X1, l.Y1, l.X2, l.Y2);
        }
    };
    lines(plot.Grid);
    painter.setRenderHint(QPainter::Antialiasing);
    lines(plot.Traces);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QFont font = painter.font();
    font.setPixelSize(150);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (const PlotText& t : plot.Texts) {
        if (t.Text.empty()) continue;
        painter.setPen(platform::ColourFromBgr(t.Colour));
        const QString text = QString::fromStdString(t.Text);
        const int x = t.AlignRight ? t.X - metrics.horizontalAdvance(text) : t.X;
        painter.drawText(x, t.Y + metrics.ascent(), text);
    }
}
