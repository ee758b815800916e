#pragma once
// The transformer window: the computed windings with their wires and turns, a to-scale picture
// of how they fill the core's winding window, the core and ferrite, flux, gap and losses, and
// the transformer's targets and options. Every box and option writes the design at once; Apply
// and OK recompute it. While it is loaded, every recomputation refills it through Form_Load.

#include <QWidget>
#include <array>

#include "DesignWindow.h"
#include "MaterialPanel.h"
#include "TransfoEdit.h"
#include "TransfoFigures.h"

class QAbstractButton;
class QCheckBox;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

class fmTransfo : public QWidget, public DesignWindow {
    Q_OBJECT

public:
    explicit fmTransfo(QWidget* parent = nullptr);

    // Opens the window modeless, made on first use, filled from the design.
    static fmTransfo* ShowTransformer(QWidget* parent = nullptr);

    // Sizes the window to its content, within the available screen.
    void FitToScreen();

    // The last window picture, in twips.
    const zorvic::WindingWindowPicture& WindowPicture() const { return picture_; }

public slots:
    // Fills every control from the design; changes nothing in it.
    void Form_Load();

public:
    void RefreshWithDesign() override { Form_Load(); }

public:
    std::array<QFrame*, 6> picOutBond{};
    std::array<QLabel*, 6> lblOut1{};
    QFrame* picInputBond = nullptr;
    QFrame* picAuxBond = nullptr;
    QLabel* lblInput = nullptr;
    QLabel* lblAux = nullptr;

    QCheckBox* chkLprimary = nullptr;
    QLineEdit* txtLprimary = nullptr;
    QLineEdit* txtLleakage = nullptr;
    QLineEdit* txtCpri = nullptr;

    QCheckBox* chkCore = nullptr;
    QPushButton* cmdEditCore = nullptr;
    MaterialLabels material;

    QCheckBox* chkCoreSize = nullptr;
    QPushButton* cmdEditCoreSize = nullptr;
    QLabel* lblCoreGeometry = nullptr;
    QLabel* lblCoreAe = nullptr;
    QLabel* lblCoreLe = nullptr;
    QLabel* lblCoreLm = nullptr;
    QLabel* lblCoreW = nullptr;
    QLabel* lblCoreVe = nullptr;

    QRadioButton* optPdissCore = nullptr;
    QRadioButton* optTempCore = nullptr;
    QLineEdit* txtPdissCore = nullptr;
    QLineEdit* txtPdissCoreActual = nullptr;
    QLineEdit* txtTempCore = nullptr;
    QLineEdit* txtTempCoreActual = nullptr;

    QRadioButton* optSingleWire = nullptr;
    QRadioButton* optParalleled = nullptr;
    QLineEdit* txtNmax = nullptr;
    QCheckBox* chkFixed = nullptr;

    QGroupBox* fmAWGDetail = nullptr;
    QPushButton* cmdAWGInput = nullptr;
    QPushButton* cmdAWGAux = nullptr;
    std::array<QPushButton*, 6> cmdAWGOut{};
    QLabel* lblDiameter = nullptr;
    QLabel* lblIsoDiameter = nullptr;
    QLabel* lblWindResistDC = nullptr;
    QLabel* lblWindResistAC = nullptr;

    QLabel* lblPowerCore = nullptr;
    QLabel* lblPowerWinding = nullptr;
    QLabel* lblPowerTotal = nullptr;

    QCheckBox* chkForceNpri = nullptr;
    QLineEdit* txtNpri = nullptr;
    QLabel* lblNaux = nullptr;
    std::array<QLabel*, 6> lblNout{};
    QFrame* picTransfoWindow = nullptr;
    QFrame* picNmain = nullptr;
    QFrame* picNaux = nullptr;
    std::array<QFrame*, 6> picNSize{};
    QFrame* LineWindowLimit = nullptr;

    QLineEdit* txtBsatMargin = nullptr;
    QLineEdit* txtWindowFactor = nullptr;
    QLabel* lblContRatio = nullptr;
    QLabel* lblAirGap = nullptr;
    QLabel* lblBmax = nullptr;

    QScrollArea* scrContent = nullptr;  // every frame; the buttons lie below it

    QPushButton* cmdAddOutput = nullptr;
    QPushButton* cmdCore = nullptr;
    QPushButton* cmdApply = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildOutlook();
    QWidget* BuildParameters();
    QWidget* BuildMaterial();
    QWidget* BuildCoreSize();
    QWidget* BuildCriteria();
    QWidget* BuildWireSelection();
    QWidget* BuildDetails();
    QWidget* BuildLosses();
    QWidget* BuildTurns();
    QWidget* BuildUsage();
    void AttachBoxes();
    // A box edits a design value in the unit of its rule; an entry that changes the value marks
    // the design unsaved.
    void AttachBox(QLineEdit* edit, zorvic::TransfoBox box, float& value);
    // A count box stores its entry rounded and then shows the count kept.
    void AttachCount(QLineEdit* edit, zorvic::TransfoBox box, int16_t& count, float& entry);
    void ShowWindings();
    void ShowWindowPicture();
    void ShowCore();
    void ShowDetails();

    void chkFixed_Click();
    void optSingleWire_Click();
    void optParalleled_Click();
    void cmdAWG_Click(int16_t winding);
    void cmdApply_Click();
    void cmdOk_Click();
    void cmdAddOutput_Click();
    void cmdEditCore_Click();
    void cmdEditCoreSize_Click();
    void Winding_Click(int16_t winding);

    float nmaxEntry_ = 0;  // what the count boxes hold while they are checked
    float npriEntry_ = 0;
    zorvic::WindingWindowPicture picture_;
    QHBoxLayout* buttonRow_ = nullptr;
    bool busy_ = false;  // Apply, OK or an editor call is running
};
