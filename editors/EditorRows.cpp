#include "EditorRows.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Slider.h"

namespace {

QLabel* NamedLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty()) label->setObjectName(name);
    return label;
}

}  // namespace

SliderRowLayout SliderRowOf(BoxRowLayout box, QString sliderName, const zorvic::BoxRule& rule, QString lowName,
                            QString highName) {
    return {std::move(box),
            std::move(sliderName),
            rule.slider.Last,
            std::move(lowName),
            QString::fromStdString(zorvic::SliderLowText(rule)),
            std::move(highName),
            QString::fromStdString(zorvic::SliderHighText(rule))};
}

BoxRow AddBoxRow(QGridLayout* grid, int row, const BoxRowLayout& layout) {
    QWidget* parent = grid->parentWidget();
    BoxRow r;
    r.caption = NamedLabel(parent, layout.captionName, layout.caption);
    r.box = new QLineEdit(parent);
    r.box->setObjectName(layout.boxName);
    r.box->setAlignment(Qt::AlignRight);
    r.box->setMaximumWidth(r.box->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    r.unit = NamedLabel(parent, QString(), layout.unit);
    r.caption->setBuddy(r.box);
    grid->addWidget(r.caption, row, 0);
    grid->addWidget(r.box, row, 1);
    grid->addWidget(r.unit, row, 2);
    return r;
}

SliderRow AddSliderRow(QGridLayout* grid, int row, const SliderRowLayout& layout) {
    QWidget* parent = grid->parentWidget();
    SliderRow r;
    static_cast<BoxRow&>(r) = AddBoxRow(grid, row, layout.box);
    r.low = NamedLabel(parent, layout.lowName, layout.low);
    r.slider = new platform::Slider(layout.lastPosition, parent);
    r.slider->setObjectName(layout.sliderName);
    r.slider->setMinimumWidth(r.slider->fontMetrics().horizontalAdvance(QString(28, QLatin1Char('0'))));
    r.high = NamedLabel(parent, layout.highName, layout.high);
    grid->addWidget(r.low, row, 3, Qt::AlignRight);
    grid->addWidget(r.slider, row, 4);
    grid->addWidget(r.high, row, 5);
    return r;
}

QPushButton* EditorButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}
