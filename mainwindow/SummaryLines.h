#pragma once
// The captions of the design summary window, read from the design state. The window writes them
// into its labels; nothing here touches a widget.

#include <QString>
#include <vector>

struct SummaryLine {
    QString label;  // object name of the label, "lblVoltage(2)" for an element of an array
    QString caption;
};

namespace SummaryLines {

// Number of output tabs of the window.
inline constexpr int OutputTabs = 6;

// The input, chip and regulation lines.
std::vector<SummaryLine> InputLines();
// The lines of output tab `k`. A tab beyond the active outputs gets its labels blanked, so it never
// shows an output that was deleted.
std::vector<SummaryLine> OutputLines(int k);
// The lines of the "Total" tab.
std::vector<SummaryLine> TotalLines();

// Every line of the window, in the order it writes them.
std::vector<SummaryLine> AllLines();

}  // namespace SummaryLines
