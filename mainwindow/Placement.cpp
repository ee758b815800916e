#include "Placement.h"

#include <QFont>
#include <QFontMetrics>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <QLabel>
#include <QPushButton>
#include <QVariant>

#include "Colours.h"
#include "NumberText.h"
#include "SchematicLayout.h"
#include "Twips.h"
#include "Variables.h"

using zorvic::CLng;
using zorvic::Settings;

namespace {

constexpr uint32_t Red = 0x0000FF;
constexpr uint32_t Blue = 0xFF0000;
constexpr uint32_t LabelBack = 0xFFC0C0;
constexpr uint32_t WarningBack = 0x8080FF;
constexpr uint32_t White = 0xFFFFFF;
const char* const TagProperty = "Tag";

bool LabelsShown(float zoom) { return zoom > Settings.LabelZoomMin; }

// Writes the caption and fits the label to it (the labels size themselves to their text).
void SetCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    label->adjustSize();
}

// Centres on the width of the new caption, so that a label whose text grew or shrank sits on its
// symbol at once rather than at the next drawing.
void PlaceCentred(QLabel* label, int32_t x, int32_t y, float zoom, const QString& caption) {
    SetCaption(label, caption);
    const auto width = static_cast<float>(platform::TwipWidth(label));
    const int32_t left = CLng(static_cast<float>(x) * zoom - width / 2);
    const int32_t top = CLng(static_cast<float>(y) * zoom);
    platform::SetTwipGeometry(label, {left, top, platform::TwipWidth(label), platform::TwipHeight(label)});
    platform::SetForeColor(label, TrainingColour());
}

}  // namespace

uint32_t TrainingColour() { return Settings.TrainingMode == 1 ? Blue : platform::ButtonText; }

QString LabelTag(const QWidget* label) { return label->property(TagProperty).toString(); }
void SetLabelTag(QWidget* label, const QString& tag) { label->setProperty(TagProperty, tag); }

void PlaceLabel(QLabel* label, int32_t x, int32_t y, float zoom, const QString& caption) {
    PlaceCentred(label, x, y, zoom, caption);
    label->setAutoFillBackground(false);
    platform::SetBackColor(label, LabelBack);
    if (LabelTag(label) == QLatin1String("Warning")) platform::SetForeColor(label, Red);
    label->setVisible(LabelsShown(zoom));
}

void PlaceLabelLeft(QLabel* label, int32_t x, int32_t y, float zoom, const QString& caption) {
    const int32_t left = CLng(static_cast<float>(x) * zoom);
    const int32_t top = CLng(static_cast<float>(y) * zoom);
    SetCaption(label, caption);
    platform::SetTwipGeometry(label, {left, top, platform::TwipWidth(label), platform::TwipHeight(label)});
    platform::SetForeColor(label, TrainingColour());
    const bool warning = LabelTag(label) == QLatin1String("Warning");
    label->setAutoFillBackground(warning);
    platform::SetBackColor(label, warning ? WarningBack : White);
    label->setVisible(LabelsShown(zoom));
}

void PlaceRegulationLabel(QLabel* label, int32_t x, int32_t y, float zoom, const QString& caption) {
    PlaceCentred(label, x, y, zoom, caption);
    label->setVisible(LabelsShown(zoom) && zorvic::OperatingPoint.SecondaryRegulation);
}

void PlaceButton(QPushButton* button, float zoom, int32_t width, int32_t height, int32_t x, int32_t y,
                 int32_t yOffset) {
    QFont font = button->font();
    int32_t h = height;
    int32_t w = width;
    // A zoom that cannot be compared (not a number) takes the small button too.
    if (zoom >= Settings.LabelZoomMin) {
        font.setPointSize(8);
        font.setBold(true);
    } else {
        font.setPointSize(6);
        font.setBold(false);
        h = CLng(height * 0.6);
        w = CLng(width * 0.8);
    }
    button->setFont(font);
    // A caption wider than the button's drawing widens the button about its centre.
    const QStyle* style = button->style();
    const int frame = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                      2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button) + 2;
    const int caption = QFontMetrics(font).horizontalAdvance(button->text()) + frame;
    w = std::max(w, static_cast<int32_t>(std::ceil(platform::PixelsToTwips(caption))));
    const int32_t top = CLng(static_cast<float>(y) * zoom - static_cast<float>(h) / 2 + static_cast<float>(yOffset));
    int32_t left = CLng(static_cast<float>(x) * zoom - static_cast<float>(w) / 2);
    // A button is cut at its picture's edge: one that would run past it moves back inside.
    if (const QWidget* picture = button->parentWidget()) {
        const int32_t room = platform::TwipWidth(picture);
        if (left + w > room) left = std::max(0, room - w);
    }
    platform::SetTwipGeometry(button, {left, top, w, h});
    button->setVisible(zoom > Settings.ButtonZoomMin);
}

void PlaceControl(QWidget* control, int32_t top, int32_t left, int32_t width, int32_t height, float zoom) {
    platform::SetTwipGeometry(control, SchematicLayout::PlaceControl(top, left, static_cast<float>(width),
                                                                     static_cast<float>(height), zoom));
}
