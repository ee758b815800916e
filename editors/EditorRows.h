#pragma once
// What the parameter editors are built of: rows of a caption, a numeric text box and its
// unit, for most values with a slider between two end labels; and their command buttons.

#include <QString>

#include "BoxRules.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace platform {
class Slider;
}

struct BoxRowLayout {
    QString captionName;  // object name of the caption label; empty when the Parts give none
    QString caption;
    QString boxName;
    QString unit;
};

struct BoxRow {
    QLabel* caption = nullptr;
    QLineEdit* box = nullptr;
    QLabel* unit = nullptr;
};

struct SliderRowLayout {
    BoxRowLayout box;
    QString sliderName;
    int lastPosition = 0;
    QString lowName;  // object names of the end labels; empty when the Parts give none
    QString low;
    QString highName;
    QString high;
};

struct SliderRow : BoxRow {
    QLabel* low = nullptr;
    platform::Slider* slider = nullptr;
    QLabel* high = nullptr;
};

// The slider part of a row as the box's rule gives it: the last position and the end captions.
SliderRowLayout SliderRowOf(BoxRowLayout box, QString sliderName, const zorvic::BoxRule& rule, QString lowName = {},
                            QString highName = {});

// Caption, box and unit in columns 0 to 2 of `row`.
BoxRow AddBoxRow(QGridLayout* grid, int row, const BoxRowLayout& layout);
// The same, then the low end label, the slider and the high end label in columns 3 to 5.
SliderRow AddSliderRow(QGridLayout* grid, int row, const SliderRowLayout& layout);

// A command button that Enter in a box never presses: a box is checked only when it is left.
QPushButton* EditorButton(QWidget* parent, const QString& name, const QString& caption);
