#pragma once
// The design summary window: every main input and result of the design as caption lines, in
// frames and one tab per output. Modeless and read-only; the main window's refresh runs its
// Form_Load after every design change while it is loaded.

#include <QWidget>

#include "DesignWindow.h"

class QGroupBox;
class QLabel;
class QTabWidget;

class fmSummary : public QWidget, public DesignWindow {
    Q_OBJECT

public:
    explicit fmSummary(QWidget* parent = nullptr);
    ~fmSummary() override;

    // What the main window's "All Datas" button does: loads the window if it is not, shows it
    // modeless when it is hidden, and in every case gives it the focus.
    static fmSummary& ShowSummary();
    // The loaded window, or nullptr.
    static fmSummary* Loaded();

public slots:
    // Writes every caption from the design state.
    void Form_Load();

public:
    void RefreshWithDesign() override { Form_Load(); }

private:
    QLabel* AddLabel(QWidget* frame, const QString& name);

    QGroupBox* fmACInput;
    QGroupBox* fmDCinput;
    QTabWidget* SSTab1;
};
