#include "WidgetJson.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <cstdio>

#include "Colours.h"
#include "Twips.h"

namespace snap {

namespace {

std::string ColourText(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "&H%06X", value);
    return text;
}

// The text a widget shows, or false when it is not one that shows text.
bool ShownText(const QWidget* widget, QString& text) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) text = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) text = button->text();
    else if (const auto* box = qobject_cast<const QLineEdit*>(widget)) text = box->text();
    else if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) text = frame->title();
    else return false;
    return true;
}

}  // namespace

nlohmann::ordered_json TextWidgets(const QWidget* window) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        QString text;
        if (widget->objectName().isEmpty() || !ShownText(widget, text)) continue;
        const platform::TwipRect place = platform::TwipGeometry(widget);
        nlohmann::ordered_json entry;
        entry["name"] = widget->objectName().toStdString();
        entry["container"] = widget->parentWidget() ? widget->parentWidget()->objectName().toStdString() : "";
        entry["text"] = text.toStdString();
        entry["tooltip"] = widget->toolTip().toStdString();
        entry["visible"] = widget->isVisibleTo(window);
        entry["enabled"] = widget->isEnabled();
        entry["left"] = place.Left;
        entry["top"] = place.Top;
        entry["width"] = place.Width;
        entry["height"] = place.Height;
        entry["foreColor"] = ColourText(platform::ForeColor(widget));
        entry["backColor"] = ColourText(platform::BackColor(widget));
        entry["opaque"] = widget->autoFillBackground();
        list.push_back(entry);
    }
    return list;
}

}  // namespace snap
