#pragma once
// Printing a window as it is on screen: the window is laid out for paper, its client area is
// printed on the current printer (or into a PDF file when the machine has none), and the screen
// layout comes back whether the print succeeded, failed or could not start. Every print says
// where its PDF file went, or why its page could not be made.

#include <QString>
#include <functional>

#include "Printing.h"

class QWidget;

namespace WindowPrint {

// The pages the program prints.
enum class Page { Design, Waveform, BomList };

// The name of a printed page, in the printer's queue and as its PDF file: the design's name and
// what the page shows ("Default - Design").
QString PageName(Page page);

// The title line of a printed window: three blanks, the design file and the date.
QString PrintTitle(const QString& designFile, const QString& date);

// Tells the user the path of a page printed into a PDF file, or what could not be printed
// where, and why; a page printed on a printer of the machine needs no word. `printed` names
// what was printed ("The window").
void TellOutcome(const platform::PrintOutcome& outcome, const QString& printed, const QString& title,
                 QWidget* parent);

// Prints `window` between `prepare` and `restore`, then tells the outcome; false when nothing
// could be printed.
bool PrintWindow(QWidget* window, Page page, const QString& printed, const QString& title,
                 const std::function<void()>& prepare, const std::function<void()>& restore);

}  // namespace WindowPrint
