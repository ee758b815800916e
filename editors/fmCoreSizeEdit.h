#pragma once
// The core geometry window: a geometry of the program's own table, filtered by family, or one of
// the user's custom cores, which are entered, deleted, saved and loaded here. The list shown is
// the design's list of candidate cores; picking a geometry fixes it, picking a family frees it.

#include <QDialog>

#include "Components.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class fmCoreSizeEdit : public QDialog {
    Q_OBJECT

public:
    explicit fmCoreSizeEdit(QWidget* parent = nullptr);

    // Puts EditBuffer (or, with fromCurrent, the working core) into the custom list; true when
    // the list took it.
    bool AddToCustomList(bool fromCurrent);
    // Fills lstGeometry and the design's candidate cores from SourceCores.
    void Update_List();

    zorvic::CoreGeometry EditBuffer;

    QRadioButton* optInternal = nullptr;
    QRadioButton* optCustom = nullptr;
    QComboBox* lstType = nullptr;
    QComboBox* lstGeometry = nullptr;
    QLineEdit* txtGeometry = nullptr;
    QLineEdit* txtAe = nullptr;
    QLineEdit* txtLe = nullptr;
    QLineEdit* txtLm = nullptr;
    QLineEdit* txtW = nullptr;
    QLineEdit* txtVe = nullptr;
    QPushButton* cmdEnter = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdLoad = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdOk = nullptr;

    // Where the custom list was last loaded from or saved to; the project keeps its own name.
    static std::string CustomListPath;

private:
    void ShowGeometry();
    void FillGeometryLists();
    void optCore_Click();
    void lstType_Click(int entry);
    void lstGeometry_Click(int entry);
    void cmdEnter_Click();
    void cmdDelete_Click();
    void cmdLoad_Click();
    void cmdSave_Click();
    void cmdOk_Click();
    // The working core becomes custom entry 0, unless the list is empty.
    void FirstCustomCore();
    void BackToInternal();
    // The transformer window's "Fixed" box and the design's flag together.
    static void FixGeometry(bool fixed);

    std::vector<zorvic::CoreGeometry> SourceCores;
};
