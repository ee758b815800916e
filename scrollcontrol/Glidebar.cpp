#include "Glidebar.h"

#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <vector>

#include "Colours.h"
#include "Twips.h"

namespace glidebar {

namespace {

std::vector<Glidebar*>& LiveInstances() {
    static std::vector<Glidebar*> live;
    return live;
}

QPushButton* MakeButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    // The elements never take the keyboard focus from the container's window.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QWidget* MakeTrackPart(QWidget* parent, const char* name) {
    auto* part = new QWidget(parent);
    part->setObjectName(name);
    part->setAutoFillBackground(true);
    return part;
}

void Paint(QWidget* part, uint32_t colour) {
    const QColor wanted = platform::ColourFromBgr(colour);
    if (part->palette().color(QPalette::Window) == wanted) return;
    QPalette palette = part->palette();
    palette.setColor(QPalette::Window, wanted);
    part->setPalette(palette);
}

}  // namespace

int LiveInstanceCount() { return static_cast<int>(LiveInstances().size()); }

Glidebar* FindInstance(const void* instance) {
    for (Glidebar* live : LiveInstances()) {
        if (static_cast<const void*>(static_cast<const QWidget*>(live)) == instance) return live;
    }
    return nullptr;
}

// The model starts with no width: a new widget's size is Qt's default, not the container's, and
// the container's first placement brings the control alive with its thumb centred and its page
// the thumb's width at that size.
Glidebar::Glidebar(QWidget* parent) : QWidget(parent), model_(0, 0) {
    setObjectName("Glidebar");
    // Stacked in creation order: a thumb moved off its track by the container stays in sight.
    picBackLeft_ = MakeTrackPart(this, "picBackLeft");
    picBackRight_ = MakeTrackPart(this, "picBackRight");
    cmdLeft_ = MakeButton(this, "cmdLeft");
    cmdRight_ = MakeButton(this, "cmdRight");
    cmdButton_ = MakeButton(this, "cmdButton");
    // The thumb resets the track colours on every move, held button or not.
    cmdButton_->setMouseTracking(true);
    for (QWidget* element : {static_cast<QWidget*>(cmdLeft_), static_cast<QWidget*>(cmdRight_),
                             static_cast<QWidget*>(cmdButton_), picBackLeft_, picBackRight_}) {
        element->installEventFilter(this);
    }
    wakeUp_.setSingleShot(true);
    wakeUp_.setTimerType(Qt::PreciseTimer);
    connect(&wakeUp_, &QTimer::timeout, this, [this] { CatchUp(); });
    clock_.start();
    model_.SetEvents(this);
    LiveInstances().push_back(this);
    Present();
}

Glidebar::~Glidebar() {
    auto& live = LiveInstances();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    advised_ = false;
    model_.SetEvents(nullptr);
    // The elements are deleted after this body, with the model gone; no late event of theirs may
    // reach it.
    for (QObject* element : {static_cast<QObject*>(cmdLeft_), static_cast<QObject*>(cmdRight_),
                             static_cast<QObject*>(cmdButton_), static_cast<QObject*>(picBackLeft_),
                             static_cast<QObject*>(picBackRight_)}) {
        element->removeEventFilter(this);
    }
}

void Glidebar::Advise(const ZcEventSink* sink) {
    advised_ = sink != nullptr;
    sink_ = sink ? *sink : ZcEventSink{};
}

void Glidebar::Click() {
    if (advised_ && sink_.Event) sink_.Event(sink_.context, "Click", 0.0);
}

void Glidebar::Scroll(float x) {
    if (advised_ && sink_.Event) sink_.Event(sink_.context, "Scroll", x);
}

void Glidebar::Change(float x) {
    if (advised_ && sink_.Event) sink_.Event(sink_.context, "Change", x);
}

void Glidebar::PropertyChanged(const char* property) {
    if (advised_ && sink_.PropertyChanged) sink_.PropertyChanged(sink_.context, property);
}

double Glidebar::Dpi() const {
    const int dpi = logicalDpiX();
    return dpi > 0 ? dpi : 96.0;
}

double Glidebar::ToTwips(double pixels) const { return platform::PixelsToTwips(pixels, Dpi()); }

int32_t Glidebar::ScaleWidthTwips() const { return static_cast<int32_t>(std::nearbyint(ToTwips(width()))); }

int32_t Glidebar::ScaleHeightTwips() const { return static_cast<int32_t>(std::nearbyint(ToTwips(height()))); }

void Glidebar::SetRightLabel(const QString& newCaption) {
    model_.SetRightLabel(newCaption.toStdString());
    Present();
}

void Glidebar::SetLeftLabel(const QString& newCaption) {
    model_.SetLeftLabel(newCaption.toStdString());
    Present();
}

void Glidebar::SetButtonLabel(const QString& newCaption) {
    model_.SetButtonLabel(newCaption.toStdString());
    Present();
}

void Glidebar::SetButtonLeft(int32_t newPosition) {
    model_.SetButtonLeft(newPosition);
    Present();
}

void Glidebar::UpdateScroll(float x) {
    model_.UpdateScroll(x);
    Present();
}

void Glidebar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    model_.UserControl_Resize(ScaleWidthTwips(), ScaleHeightTwips());
    Present();
}

// Accepting the press makes the release come here, for a click on the background.
void Glidebar::mousePressEvent(QMouseEvent* event) {
    secondPressOfDoubleClick_ = false;
    lastPressed_ = this;
    event->accept();
}

void Glidebar::mouseDoubleClickEvent(QMouseEvent* event) {
    secondPressOfDoubleClick_ = lastPressed_ == this;
    lastPressed_ = this;
    event->accept();
}

void Glidebar::mouseReleaseEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint()) && !secondPressOfDoubleClick_) model_.Clicked();
}

// The elements' mouse events are all taken here and none goes on to the element or the control
// behind it: each press and release is one event of the control, and the buttons are only drawn
// pressed.
bool Glidebar::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool isElement = watched == cmdLeft_ || watched == cmdRight_ || watched == cmdButton_ ||
                         watched == picBackLeft_ || watched == picBackRight_;
    if (!isElement || (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
                     type != QEvent::MouseButtonRelease && type != QEvent::MouseMove)) {
        return QWidget::eventFilter(watched, event);
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* element = static_cast<QWidget*>(watched);
    const double x = ToTwips(mouse->position().x());
    const bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    const bool up = type == QEvent::MouseButtonRelease;
    const bool releasedOver = up && element->rect().contains(mouse->position().toPoint());
    // Qt pairs two presses into a double-click by place and time, whatever element the first
    // one hit; it is one only when both hit the same element, else it is a press.
    const bool doubleClick = type == QEvent::MouseButtonDblClick && lastPressed_ == watched;
    // The background and the track parts take a double-click as a click and a double-click, so the
    // second release is no second Click; the buttons know no double-click and count each click.
    if (down) {
        secondPressOfDoubleClick_ = doubleClick && (watched == picBackLeft_ || watched == picBackRight_);
        lastPressed_ = watched;
    }
    CatchUp();
    if (auto* button = qobject_cast<QPushButton*>(element); button && (down || up)) button->setDown(down);
    if (watched == cmdLeft_ || watched == cmdRight_) {
        // A button has no double-click of its own: the second press steps again.
        const bool left = watched == cmdLeft_;
        if (down) left ? model_.cmdLeft_MouseDown() : model_.cmdRight_MouseDown();
        if (up) left ? model_.cmdLeft_MouseUp() : model_.cmdRight_MouseUp();
    } else if (watched == cmdButton_) {
        if (down) model_.cmdButton_MouseDown(x);
        if (type == QEvent::MouseMove) model_.cmdButton_MouseMove(x);
        if (up) model_.cmdButton_MouseUp();
    } else if (watched == picBackLeft_) {
        if (down && !doubleClick) model_.picBackLeft_MouseDown(x);
        if (doubleClick) model_.picBackLeft_DblClick();
        if (up) model_.picBackLeft_MouseUp();
    } else {
        if (down && !doubleClick) model_.picBackRight_MouseDown(x);
        if (doubleClick) model_.picBackRight_DblClick();
        if (up) model_.picBackRight_MouseUp();
    }
    if (releasedOver && !secondPressOfDoubleClick_) model_.Clicked();
    Present();
    return true;
}

// Ticks missed while the thread was busy (a slow container, a stalled machine) are dropped, as
// window timer messages are: firing them all at once would jump the thumb, and a container
// slower than a tick would never catch up. The clock is read before the model runs, so that a
// catch-up nested in a container's handler is not counted twice.
void Glidebar::CatchUp() {
    const int64_t elapsed = clock_.elapsed();
    const int64_t passed = elapsed - clockSeen_;
    clockSeen_ = elapsed;
    model_.AdvanceTimeCoalesced(passed);
    Present();
}

void Glidebar::Place(QWidget* widget, const Element& element) const {
    const double dpi = Dpi();
    const int x0 = platform::TwipsToPixels(element.left, dpi);
    const int x1 = platform::TwipsToPixels(static_cast<double>(element.left) + element.width, dpi);
    const int y0 = platform::TwipsToPixels(element.top, dpi);
    const int y1 = platform::TwipsToPixels(static_cast<double>(element.top) + element.height, dpi);
    widget->setGeometry(x0, y0, x1 - x0, y1 - y0);
}

void Glidebar::Present() {
    Place(cmdLeft_, model_.cmdLeft());
    Place(cmdRight_, model_.cmdRight());
    Place(cmdButton_, model_.cmdButton());
    Place(picBackLeft_, model_.picBackLeft());
    Place(picBackRight_, model_.picBackRight());
    cmdLeft_->setText(QString::fromStdString(model_.LeftLabel()));
    cmdRight_->setText(QString::fromStdString(model_.RightLabel()));
    cmdButton_->setText(QString::fromStdString(model_.ButtonLabel()));
    Paint(picBackLeft_, model_.picBackLeftColour());
    Paint(picBackRight_, model_.picBackRightColour());
    const int64_t next = model_.NextTimerIn();
    if (next < 0) {
        wakeUp_.stop();
    } else {
        // The model's clock stands where it was last caught up; a container's call may come later.
        const int64_t due = next - (clock_.elapsed() - clockSeen_);
        wakeUp_.start(static_cast<int>(std::clamp<int64_t>(due, 0, 1 << 30)));
    }
}

}  // namespace glidebar
