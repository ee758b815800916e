#include "MainPageControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Colours.h"
#include "SvgPicture.h"
#include "Twips.h"

const QString MainPageControls::DesignFilter = QStringLiteral("Filter1");
const QString MainPageControls::DesignHost = QStringLiteral("Zorvic00");
const QString MainPageControls::DesignOutputBlock = QStringLiteral("Schema1");

namespace {

// The colour of the frame bars around the schematic.
constexpr uint32_t BarColour = 0x404040;

enum class Holder { Filter, Host, Window };

// A label of the window design: its array element, container, design caption and tooltip.
struct LabelDesign {
    LabelArray array;
    int index;
    Holder holder;
    const char* caption;
    const char* toolTip;
};

// The design captions are typical texts, so that a label is centred on a sensible width the
// first time it is drawn.
const LabelDesign ComponentLabelDesign[] = {
    {LabelArray::lblCap, 1, Holder::Filter, "C1", "EMI Capacitor"},
    {LabelArray::lblCap, 2, Holder::Filter, "C2\r\n15uF", "Input Filtering Capacitor"},
    {LabelArray::lblCap, 3, Holder::Filter, "C3\r\n220pF", "Clamping Capacitor"},
    {LabelArray::lblCap, 4, Holder::Host, "C4\r\n3.3uF", "Zorvic Supply Tank & Decoupling Capacitor"},
    {LabelArray::lblCap, 5, Holder::Host, "C5\r\n2.2nF", "Zorvic RC Oscillator Capacitor"},
    {LabelArray::lblCap, 6, Holder::Host, "C6\r\n470nF", "Zorvic RC Compensation Capacitor"},
    {LabelArray::lblCap, 7, Holder::Filter, "C7\r\n2.2nF-2kV", "Common Mode Capacitor"},
    {LabelArray::lblCap, 8, Holder::Host, "C8 \r\n100nF", "Reference Amplifier Compensation Capacitor"},
    {LabelArray::lblCap, 9, Holder::Host, "C9\r\n15nF", "Clamping Capacitor"},
    {LabelArray::lblRes, 1, Holder::Filter, "R1\r\n470kR", "Dissipating Resistor"},
    {LabelArray::lblRes, 2, Holder::Host, "R2\r\n6.8kR", "Zorvic RC Oscillator Resistor"},
    {LabelArray::lblRes, 3, Holder::Host, "R3\r\n560R", "Zorvic RC Compensation Resistor"},
    {LabelArray::lblRes, 4, Holder::Host, "R4 10R", "Auxiliary Supply Serial Resistor"},
    {LabelArray::lblRes, 5, Holder::Host, "R5\r\n1.0kR", "Sustain Current for Reference Resistor"},
    {LabelArray::lblRes, 6, Holder::Host, "R6\r\n1.0kR", "Opto Gain and Bias Resistor"},
    {LabelArray::lblSil, 0, Holder::Filter, "BR1", "Main Rectifier Bridge"},
    {LabelArray::lblSil, 1, Holder::Filter, "D1\r\nRD060", "Fast Rectifier Diode"},
    {LabelArray::lblSil, 3, Holder::Filter, "D2\r\nSPKA-30", "Clamping Diode"},
    {LabelArray::lblSil, 4, Holder::Host, "D3\r\nRD059", "Auxiliary Supply Rectifier Diode"},
    {LabelArray::lblSil, 5, Holder::Host, "ZorvicF1", "Zorvic Integrated Offline Switcher"},
    {LabelArray::lblSil, 6, Holder::Host, "Opto1", "Opto-Coupler"},
    {LabelArray::lblSil, 7, Holder::Host, "SHR1", "Regulating Reference"},
    {LabelArray::lblVar, 0, Holder::Filter, "L1", "Common Mode Choke"},
    {LabelArray::lblVar, 1, Holder::Host, "T1", "Transformer"},
    {LabelArray::lblVar, 2, Holder::Filter, "F1", "Fuse"},
    {LabelArray::lblVar, 3, Holder::Filter, "Th1", "Inrush Current Limiting Thermistor"},
};

QLabel* NewLabel(QWidget* holder, const QString& name, const QString& caption, const QString& toolTip,
                 Qt::Alignment alignment) {
    auto* label = new QLabel(caption, holder);
    label->setObjectName(name);
    label->setToolTip(toolTip);
    label->setAlignment(alignment);
    label->setTextFormat(Qt::PlainText);
    label->adjustSize();
    return label;
}

QString ElementName(const char* array, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index); }

// A picture box at the design size of the picture it holds.
SvgPicture* NewPicture(QWidget* holder, const QString& name, const QString& picture) {
    auto* box = new SvgPicture(holder, picture);
    box->setObjectName(name);
    const QSizeF size = SvgPicture::DesignSize(picture);
    platform::SetTwipGeometry(box, {0, 0, static_cast<int32_t>(size.width()), static_cast<int32_t>(size.height())});
    return box;
}

QPushButton* NewButton(QWidget* holder, const QString& name, const QString& caption, const QString& toolTip = {}) {
    auto* button = new QPushButton(caption, holder);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::TabFocus);
    // Captions are set in the narrow buttons of a drawn schematic.
    QFont font = button->font();
    font.setStretch(QFont::Condensed);
    button->setFont(font);
    return button;
}

QWidget* NewBar(QWidget* holder, const QString& name) {
    auto* bar = new QWidget(holder);
    bar->setObjectName(name);
    bar->setAutoFillBackground(true);
    platform::SetBackColor(bar, BarColour);
    // The frame is drawn on paper only.
    bar->hide();
    return bar;
}

}  // namespace

void MainPageControls::BuildControls(QWidget* canvas) {
    picSchematic = canvas;
    // Labels of the schematic are written small, as on a printed diagram.
    QFont font = canvas->font();
    font.setPointSize(8);
    canvas->setFont(font);

    // Stacking order, bottom to top: the pictures, the output blocks, the transformer that
    // overlaps them, the panels, the frame, the warning and the cover.
    InputFilter = NewPicture(canvas, QStringLiteral("InputFilter"), DesignFilter);
    ZorvicHost = NewPicture(canvas, QStringLiteral("ZorvicHost"), DesignHost);
    for (int k = 1; k <= 3; ++k)
        Terminator[static_cast<std::size_t>(k)] =
            NewPicture(ZorvicHost, ElementName("Terminator", k), QStringLiteral("Terminator%1").arg(k));
    for (int i = 1; i <= 5; ++i)
        Output[static_cast<std::size_t>(i)] = NewPicture(canvas, ElementName("Output", i), DesignOutputBlock);
    Transfo = NewPicture(canvas, QStringLiteral("Transfo"), QStringLiteral("Transfo"));
    // The transformer is the core drawn over the windings of the pictures beside it: only its
    // lines cover them.
    Transfo->setAutoFillBackground(false);

    fmPower = new QGroupBox(QStringLiteral("Quick Circuit Datas"), InputFilter);
    fmPower->setObjectName(QStringLiteral("fmPower"));
    fmLosses = new QGroupBox(QStringLiteral("Losses"), canvas);
    fmLosses->setObjectName(QStringLiteral("fmLosses"));
    for (QGroupBox* frame : {fmPower, fmLosses}) {
        frame->setAutoFillBackground(true);
        platform::SetBackColor(frame, platform::ButtonFace);
    }
    TWlogo = NewPicture(InputFilter, QStringLiteral("TWlogo"), QStringLiteral("Logo"));

    txtProject = new QLineEdit(canvas);
    txtProject->setObjectName(QStringLiteral("txtProject"));
    txtProject->setToolTip(QStringLiteral("User Project Name"));
    platform::SetTwipGeometry(txtProject, {0, 0, ProjectBoxWidth, 300});

    for (const LabelDesign& design : ComponentLabelDesign) {
        QWidget* holder = design.holder == Holder::Filter ? static_cast<QWidget*>(InputFilter) : ZorvicHost;
        const char* arrayName = design.array == LabelArray::lblCap   ? "lblCap"
                                : design.array == LabelArray::lblRes ? "lblRes"
                                : design.array == LabelArray::lblSil ? "lblSil"
                                                                     : "lblVar";
        QLabel* label = NewLabel(holder, ElementName(arrayName, design.index), QString::fromLatin1(design.caption),
                                 QString::fromLatin1(design.toolTip), Qt::AlignHCenter);
        const auto k = static_cast<std::size_t>(design.index);
        switch (design.array) {
        case LabelArray::lblCap: lblCap[k] = label; break;
        case LabelArray::lblRes: lblRes[k] = label; break;
        case LabelArray::lblSil: lblSil[k] = label; break;
        default: lblVar[k] = label; break;
        }
    }

    // The feedback networks: tags of the regulated outputs and the divider bridge.
    for (int count = 1; count <= 3; ++count) {
        SvgPicture* network = Terminator[static_cast<std::size_t>(count)];
        for (int tag : SchematicLabels::TerminatorTags(count))
            lblTerm[static_cast<std::size_t>(tag)] = NewLabel(network, ElementName("lblTerm", tag), QStringLiteral("Out1"),
                                                              QStringLiteral("Regulated Output"), Qt::AlignHCenter);
        const std::vector<int> dividers = SchematicLabels::TerminatorDividers(count);
        for (std::size_t d = 0; d < dividers.size(); ++d) {
            const int k = dividers[d];
            lblRes[static_cast<std::size_t>(k)] =
                NewLabel(network, ElementName("lblRes", k), QStringLiteral("R%1\r\n10kR").arg(d + 7),
                         d == 0 ? QStringLiteral("Reference Dividor Bridge Resistor")
                                : QStringLiteral("Output Dividor Bridge Resistor"),
                         Qt::AlignHCenter);
        }
    }

    // Output blocks: the main output's labels lie in the chip picture.
    for (int i = 0; i <= 5; ++i) {
        const auto k = static_cast<std::size_t>(i);
        QWidget* block = i == 0 ? static_cast<QWidget*>(ZorvicHost) : Output[k];
        lblVoltage[k] = NewLabel(block, ElementName("lblVoltage", i), QStringLiteral(" 5.00V-1.0A"), {}, Qt::AlignHCenter);
        lblDiode[k] = NewLabel(block, ElementName("lblDiode", i), QStringLiteral("D%1   RDKA30").arg(i * 10 + 11), {},
                               Qt::AlignHCenter);
        lblCap1[k] = NewLabel(block, ElementName("lblCap1", i), QStringLiteral("C%1\r\n1.2mF").arg(i * 10 + 11), {},
                              Qt::AlignHCenter);
        lblSerial[k] = NewLabel(block, ElementName("lblSerial", i), QStringLiteral("L%1  4.7uH").arg(i * 10 + 11), {},
                                Qt::AlignHCenter);
        lblCap2[k] = NewLabel(block, ElementName("lblCap2", i), QStringLiteral("C%1\r\n220uF").arg(i * 10 + 12), {},
                              Qt::AlignHCenter);
        lblZener[k] = NewLabel(block, ElementName("lblZener", i), QStringLiteral("Z%1\r\n5.1V").arg(i * 10 + 11), {},
                               Qt::AlignHCenter);
        cmdOutputEdit[k] = NewButton(block, ElementName("cmdOutputEdit", i),
                                     i == 0 ? QStringLiteral("OUT") : QStringLiteral("Out%1").arg(i));
    }

    // The information panel: elements 3 to 7, 9 and 10 in "Quick Circuit Datas", the others in
    // "Losses".
    static const char* const lineDesign[] = {
        "Output           : ", "Zorvic at ",        "Clamper         : ", "Efficiency : ",
        "Output Power : ",     "Ipeak Primary : ",  "Primary Inductance: ", "Continuous Mode : ",
        "Transformer   : ",    "Project Name : ",   "Duty Cycle at Vmin : "};
    for (int k = 0; k <= 10; ++k) {
        const bool losses = k <= 2 || k == 8;
        lblPower[static_cast<std::size_t>(k)] =
            NewLabel(losses ? static_cast<QWidget*>(fmLosses) : fmPower, ElementName("lblPower", k),
                     QString::fromUtf8(lineDesign[k]), {}, Qt::AlignLeft);
    }
    lblPower[10]->setToolTip(
        QStringLiteral("If Duty Cylce is Higher than 50% in Continuous Mode, Slope Compensation is Required"));

    cmdInputEdit = NewButton(InputFilter, QStringLiteral("cmdInputEdit"), QStringLiteral("Input"),
                             QStringLiteral("Edition of AC Line Parameters"));
    cmdTransformer = NewButton(InputFilter, QStringLiteral("cmdTransformer"), QStringLiteral("Transformer"));
    cmdZorvic = NewButton(ZorvicHost, QStringLiteral("cmdZorvic"), QStringLiteral("Zorvic"),
                          QStringLiteral("Zorvic Parameters Edition"));

    lblTitle = NewLabel(canvas, QStringLiteral("lblTitle"), {}, {}, Qt::AlignHCenter);
    lblLeftBar = NewBar(canvas, QStringLiteral("lblLeftBar"));
    lblRightBar = NewBar(canvas, QStringLiteral("lblRightBar"));
    lblBottomBar = NewBar(canvas, QStringLiteral("lblBottomBar"));

    picWarning = NewPicture(canvas, QStringLiteral("picWarning"), QStringLiteral("Warning"));
    lblWarning = NewLabel(picWarning, QStringLiteral("lblWarning"), QStringLiteral("Power Too High for the Selected Zorvic"),
                          {}, Qt::AlignCenter);
    // Right of the warning sign that the picture draws on its left.
    QFont warningFont = lblWarning->font();
    warningFont.setPointSize(10);
    warningFont.setBold(true);
    lblWarning->setFont(warningFont);
    lblWarning->setWordWrap(true);
    platform::SetTwipGeometry(lblWarning, {1200, 0, 3450, 1200});
    picWarning->hide();
    picHide = NewPicture(canvas, QStringLiteral("picHide"), QStringLiteral("Cover"));
    picHide->hide();
}

QLabel* MainPageControls::Label(LabelArray array, int index) const {
    auto pick = [index](const auto& elements) -> QLabel* {
        if (index < 0 || static_cast<std::size_t>(index) >= elements.size()) return nullptr;
        return elements[static_cast<std::size_t>(index)];
    };
    switch (array) {
    case LabelArray::lblCap: return pick(lblCap);
    case LabelArray::lblRes: return pick(lblRes);
    case LabelArray::lblSil: return pick(lblSil);
    case LabelArray::lblVar: return pick(lblVar);
    case LabelArray::lblPower: return pick(lblPower);
    case LabelArray::lblTerm: return pick(lblTerm);
    case LabelArray::lblVoltage: return pick(lblVoltage);
    case LabelArray::lblDiode: return pick(lblDiode);
    case LabelArray::lblCap1: return pick(lblCap1);
    case LabelArray::lblCap2: return pick(lblCap2);
    case LabelArray::lblSerial: return pick(lblSerial);
    case LabelArray::lblZener: return pick(lblZener);
    }
    return nullptr;
}
