#pragma once
// What the schematic's labels say and where they go, read from the design state: the component
// labels, the labels of an output block, the feedback network's tags and dividers, and the lines
// of the information panel. The window applies these plans with its placement routines; nothing
// here touches a widget.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// The label arrays of the main window.
enum class LabelArray { lblCap, lblRes, lblSil, lblVar, lblPower, lblTerm, lblVoltage, lblDiode, lblCap1, lblCap2, lblSerial, lblZener };

enum class Placing {
    Centred,     // PlaceLabel
    Left,        // PlaceLabelLeft
    Regulation,  // PlaceRegulationLabel
    Hidden,      // not placed, hidden whatever the zoom
};

struct LabelPlan {
    LabelArray array;
    int index;
    Placing placing;
    int32_t x = 0;  // schematic twips in the label's container
    int32_t y = 0;
    QString caption;
    std::optional<uint32_t> foreColor;  // set after placing, so it wins over training and warning
    QString toolTip;                    // empty: the tooltip stays as it is
};

// Which second-cell labels an output type shows (a true member is shown, a false one hidden).
struct SecondCell {
    bool zener;
    bool cap2;
    bool serial;
};

namespace SchematicLabels {

// Line break inside a label.
inline constexpr const char* NL = "\r\n";

// The fixed parts of the converter, in the order they are written.
std::vector<LabelPlan> ComponentLabels();

// The six labels of output `output` (0 the main output); `x0` is the left of the block's labels.
std::vector<LabelPlan> OutputLabels(int output, int32_t x0);
// The second-cell labels by output type; nothing for a type the table does not name.
std::optional<SecondCell> SecondCellLabels(int outputType);

// The output tags and divider labels of the feedback network for `count` (1 to 3) regulated
// outputs. At most `count` outputs get a tag; `tagsUnused` receives the network's tags left over.
std::vector<LabelPlan> TerminatorLabels(int count, std::vector<int>* tagsUnused = nullptr);
// The tag labels that belong to the network for `count` outputs.
std::vector<int> TerminatorTags(int count);
// The divider labels that belong to the network for `count` outputs.
std::vector<int> TerminatorDividers(int count);

// The lines of the two information panels, with the project name line last but one.
std::vector<LabelPlan> PanelLines();

}  // namespace SchematicLabels
