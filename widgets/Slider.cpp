#include "Slider.h"

namespace platform {

namespace {

// Sets a flag for the time of a call, so a value change inside it is known to come from code.
class Placing {
public:
    explicit Placing(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~Placing() { flag_ = before_; }
    Placing(const Placing&) = delete;
    Placing& operator=(const Placing&) = delete;

private:
    bool& flag_;
    bool before_;
};

}  // namespace

Slider::Slider(int lastPosition, QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    QSlider::setRange(0, lastPosition);
    setSingleStep(1);
    setPageStep(5);
    setTickPosition(QSlider::TicksBelow);
    connect(this, &QSlider::valueChanged, this, [this](int position) {
        if (!placing_) emit Moved(position);
    });
}

void Slider::SetPosition(int position) {
    Placing placing(placing_);
    QSlider::setValue(position);
}

void Slider::SetLastPosition(int lastPosition) {
    Placing placing(placing_);
    QSlider::setMaximum(lastPosition);
}

}  // namespace platform
