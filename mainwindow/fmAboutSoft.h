#pragma once
// The about box: the program's version and the support contact.

#include <QDialog>

class QLabel;

class fmAboutSoft : public QDialog {
    Q_OBJECT

public:
    explicit fmAboutSoft(QWidget* parent = nullptr);

    // What the About menu's "This Software" item does: shows the box modal until it is closed.
    static void ShowAbout(QWidget* parent = nullptr);
    // The version line, from the program's own version.
    static QString VersionLine();

    void Form_Load();

    QLabel* lblZorvic;
};
