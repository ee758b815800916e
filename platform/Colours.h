#pragma once
// Colours are written &HBBGGRR; &H800000nn names a system colour.

#include <QColor>
#include <cstdint>

namespace platform {

QColor ColourFromBgr(uint32_t value);

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

}  // namespace platform
