#pragma once
// Colours are written &HBBGGRR; &H800000nn names a system colour.

#include <QColor>
#include <cstdint>

class QWidget;

namespace platform {

QColor ColourFromBgr(uint32_t value);
// The &HBBGGRR value of a plain colour.
uint32_t BgrFromColour(const QColor& colour);

// The system colours a window uses (index nn of &H800000nn).
enum SystemColour : uint32_t {
    ButtonFace = 0x8000000F,
    WindowText = 0x80000008,
    WindowBackground = 0x80000005,
    ButtonText = 0x80000012,
    InfoText = 0x80000017,
    InfoBackground = 0x80000018,
    ControlText = 0x80000007,
};

// Black or white, whichever reads better on the plain colour `back` (&HBBGGRR).
uint32_t ContrastingText(uint32_t back);

// A control's text and back colours, as &HBBGGRR values or system colours. The value is kept
// with the control, so it reads back as it was set (a system colour stays &H800000nn).
void SetForeColor(QWidget* control, uint32_t value);
void SetBackColor(QWidget* control, uint32_t value);
uint32_t ForeColor(const QWidget* control);
uint32_t BackColor(const QWidget* control);

}  // namespace platform
