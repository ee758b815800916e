#include "Colours.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace platform {

namespace {

// The classic system colour indexes, mapped onto the desktop palette's roles.
QColor SystemColourFromIndex(uint32_t index) {
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 0x00: return palette.color(QPalette::Dark);            // scroll bar
    case 0x01: return palette.color(QPalette::Window);          // desktop
    case 0x02: return palette.color(QPalette::Highlight);       // active title bar
    case 0x03: return palette.color(QPalette::Mid);             // inactive title bar
    case 0x04: return palette.color(QPalette::Window);          // menu bar
    case 0x05: return palette.color(QPalette::Base);            // window background
    case 0x06: return palette.color(QPalette::Shadow);          // window frame
    case 0x07: return palette.color(QPalette::WindowText);      // menu text
    case 0x08: return palette.color(QPalette::Text);            // window text
    case 0x09: return palette.color(QPalette::HighlightedText); // active title text
    case 0x0A: return palette.color(QPalette::Window);          // active border
    case 0x0B: return palette.color(QPalette::Window);          // inactive border
    case 0x0C: return palette.color(QPalette::Mid);             // application workspace
    case 0x0D: return palette.color(QPalette::Highlight);
    case 0x0E: return palette.color(QPalette::HighlightedText);
    case 0x0F: return palette.color(QPalette::Button);          // button face
    case 0x10: return palette.color(QPalette::Dark);            // button shadow
    case 0x11: return palette.color(QPalette::Disabled, QPalette::Text);
    case 0x12: return palette.color(QPalette::ButtonText);
    case 0x13: return palette.color(QPalette::Disabled, QPalette::WindowText);
    case 0x14: return palette.color(QPalette::Light);           // button highlight
    case 0x15: return palette.color(QPalette::Shadow);          // 3D dark shadow
    case 0x16: return palette.color(QPalette::Midlight);        // 3D light
    case 0x17: return palette.color(QPalette::ToolTipText);
    case 0x18: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Window);
    }
}

}  // namespace

QColor ColourFromBgr(uint32_t value) {
    if ((value & 0xFF000000u) == 0x80000000u) return SystemColourFromIndex(value & 0xFFu);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

uint32_t BgrFromColour(const QColor& colour) {
    return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
           static_cast<uint32_t>(colour.blue()) << 16;
}

namespace {

const char* const ForeColorProperty = "ForeColor";
const char* const BackColorProperty = "BackColor";

uint32_t StoredColour(const QWidget* control, const char* property, QPalette::ColorRole role) {
    const QVariant stored = control->property(property);
    if (stored.isValid()) return stored.toUInt();
    return BgrFromColour(control->palette().color(role));
}

}  // namespace

void SetForeColor(QWidget* control, uint32_t value) {
    const QColor colour = ColourFromBgr(value);
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    control->setPalette(palette);
    control->setProperty(ForeColorProperty, value);
}

void SetBackColor(QWidget* control, uint32_t value) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, ColourFromBgr(value));
    // A text box fills with its base colour, a button with its button colour.
    if (qobject_cast<QLineEdit*>(control)) palette.setColor(QPalette::Base, ColourFromBgr(value));
    if (qobject_cast<QAbstractButton*>(control)) palette.setColor(QPalette::Button, ColourFromBgr(value));
    control->setPalette(palette);
    control->setProperty(BackColorProperty, value);
}

uint32_t ForeColor(const QWidget* control) { return StoredColour(control, ForeColorProperty, QPalette::WindowText); }
uint32_t BackColor(const QWidget* control) { return StoredColour(control, BackColorProperty, QPalette::Window); }

uint32_t ContrastingText(uint32_t back) {
    // Relative luminance with the sRGB weights, on the plain 0..255 values.
    const double r = back & 0xFF;
    const double g = (back >> 8) & 0xFF;
    const double b = (back >> 16) & 0xFF;
    return 0.2126 * r + 0.7152 * g + 0.0722 * b < 128 ? 0xFFFFFF : 0;
}

}  // namespace platform
