#pragma once
// Printing a window as it is on screen: the window is laid out for paper, its client area is
// printed on the current printer (or into a PDF file when the machine has none), and the screen
// layout comes back whether the print succeeded, failed or could not start.

#include <QString>
#include <functional>

class QWidget;

namespace WindowPrint {

// The title line of a printed window: three blanks, the design file and the date.
QString PrintTitle(const QString& designFile, const QString& date);

// Prints `window` between `prepare` and `restore`; false when nothing could be printed. A PDF
// file's path is given to the user by a message.
bool PrintWindow(QWidget* window, const QString& documentName, const std::function<void()>& prepare,
                 const std::function<void()>& restore);

}  // namespace WindowPrint
