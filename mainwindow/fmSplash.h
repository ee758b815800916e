#pragma once
// The start-up window: a picture, and a timer that fires once after a second to bring up the
// main window.

#include <QTimer>
#include <QWidget>

class fmSplash : public QWidget {
    Q_OBJECT

public:
    explicit fmSplash(QWidget* parent = nullptr);
    ~fmSplash() override;

    // The start-up window of the run (created on first use).
    static fmSplash& Instance();
    static bool IsLoaded();
    // Closes and destroys the splash window, so its timer can never fire again.
    static void Unload();

    void Timer1_Timer();

    QTimer Timer1;

protected:
    void paintEvent(QPaintEvent* event) override;
};
