#pragma once
// One chart box of the curve window: it paints the chart its window works out on every paint,
// and reports clicks and double-clicks.

#include <QWidget>
#include <functional>

#include "CurvePlot.h"

class QPainter;

class CurveChartBox : public QWidget {
    Q_OBJECT

public:
    // plot works out the chart for the box's present size; it runs on every paint.
    CurveChartBox(QWidget* parent, std::function<ChartPlot()> plot);

signals:
    void Clicked();
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::function<ChartPlot()> plot_;
};

// Paints a chart's lines and texts, given in twips, on a painter already scaled to twips.
void PaintChartPlot(QPainter& painter, const ChartPlot& plot, int32_t width, int32_t height);
