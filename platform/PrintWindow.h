#pragma once
// Prints a window's client area as it shows on the screen, controls included, on the program's
// current printer (Printing.h): the machine's printer or, when it has none, a PDF file whose
// path the caller tells the user.

#include <QString>

#include "Printing.h"

class QWidget;

namespace platform {

// One page named `documentName`, the area scaled to fit it.
PrintOutcome PrintWidget(QWidget* area, const QString& documentName);

}  // namespace platform
