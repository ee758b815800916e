#pragma once
// The editors' slider: whole positions from 0 to a settable last position, a small step of 1
// and a large step of 5. Moved is raised only when the user moves it (dragging, keys, a click
// on the track, the wheel); placing it from code never raises it.

#include <QSlider>

namespace platform {

class Slider : public QSlider {
    Q_OBJECT

public:
    explicit Slider(int lastPosition, QWidget* parent = nullptr);

    // Code places the slider only through these; a position beyond the ends shows at the end.
    void SetPosition(int position);
    void SetLastPosition(int lastPosition);

    // QSlider's own setters would raise Moved.
    void setValue(int) = delete;
    void setMaximum(int) = delete;
    void setRange(int, int) = delete;

signals:
    void Moved(int position);

private:
    bool placing_ = false;
};

}  // namespace platform
