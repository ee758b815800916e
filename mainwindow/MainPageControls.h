#pragma once
// The controls of the main window as its design holds them: the schematic's pictures, label
// arrays, command buttons, bars and panels, with their names, containers, tooltips and design
// sizes. The drawing routines of MainPage place and fill them.

#include <QString>
#include <array>

#include "SchematicLabels.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class SvgPicture;

struct MainPageControls {
    QWidget* picSchematic = nullptr;  // the window's client area, which holds the schematic

    SvgPicture* InputFilter = nullptr;
    SvgPicture* ZorvicHost = nullptr;
    std::array<SvgPicture*, 6> Output{};      // elements 1 to 5
    std::array<SvgPicture*, 4> Terminator{};  // elements 1 to 3, inside ZorvicHost
    SvgPicture* Transfo = nullptr;
    SvgPicture* picWarning = nullptr;
    QLabel* lblWarning = nullptr;
    SvgPicture* picHide = nullptr;
    SvgPicture* TWlogo = nullptr;
    QLabel* lblTitle = nullptr;
    QWidget* lblLeftBar = nullptr;
    QWidget* lblRightBar = nullptr;
    QWidget* lblBottomBar = nullptr;
    QGroupBox* fmPower = nullptr;
    QGroupBox* fmLosses = nullptr;
    QLineEdit* txtProject = nullptr;

    std::array<QLabel*, 10> lblCap{};
    std::array<QLabel*, 16> lblRes{};
    std::array<QLabel*, 8> lblSil{};
    std::array<QLabel*, 4> lblVar{};
    std::array<QLabel*, 11> lblPower{};
    std::array<QLabel*, 8> lblTerm{};
    std::array<QLabel*, 6> lblVoltage{};
    std::array<QLabel*, 6> lblDiode{};
    std::array<QLabel*, 6> lblCap1{};
    std::array<QLabel*, 6> lblCap2{};
    std::array<QLabel*, 6> lblSerial{};
    std::array<QLabel*, 6> lblZener{};

    QPushButton* cmdInputEdit = nullptr;
    QPushButton* cmdZorvic = nullptr;
    QPushButton* cmdTransformer = nullptr;
    std::array<QPushButton*, 6> cmdOutputEdit{};

    // Creates every control inside `canvas`, at its design size.
    void BuildControls(QWidget* canvas);

    // An element of a label array; nullptr for an element the design does not hold.
    QLabel* Label(LabelArray array, int index) const;

    // The picture the window design holds in a picture box (its size is the box's design size).
    static const QString DesignFilter;
    static const QString DesignHost;
    static const QString DesignOutputBlock;
    // The stored width of the project name box, twips.
    static constexpr int ProjectBoxWidth = 3000;
};
