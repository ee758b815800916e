#pragma once
// The Glidebar scroll control: a horizontal scroll bar of two arrow buttons, a thumb and a
// track part on each side of the thumb. Its behaviour lives in GlidebarModel; this widget places
// the elements from the model's twips, forwards the elements' mouse events and runs the model's
// timers on the real clock.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "ControlServerAbi.h"
#include "GlidebarModel.h"

class QPushButton;

namespace glidebar {

class Glidebar : public QWidget, private GlidebarEvents {
    Q_OBJECT

public:
    explicit Glidebar(QWidget* parent);
    ~Glidebar() override;

    // The container's interface.
    void SetRightLabel(const QString& newCaption);
    void SetLeftLabel(const QString& newCaption);
    void SetButtonLabel(const QString& newCaption);
    void SetButtonLeft(int32_t newPosition);
    void UpdateScroll(float x);
    void SetMasked(bool masked) { model_.SetMasked(masked); }
    bool Masked() const { return model_.Masked(); }

    // The container's event sink; null disconnects it.
    void Advise(const ZcEventSink* sink);

    const GlidebarModel& Model() const { return model_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Click() override;
    void Scroll(float x) override;
    void Change(float x) override;
    void PropertyChanged(const char* property) override;

    double Dpi() const;
    double ToTwips(double pixels) const;
    int32_t ScaleWidthTwips() const;
    int32_t ScaleHeightTwips() const;
    // Lets the model's clock catch up with the real one, so its timers fire, then presents it.
    void CatchUp();
    // Places the elements, captions and colours as the model has them, and arms the wake-up for
    // the model's next timer.
    void Present();
    void Place(QWidget* widget, const Element& element) const;

    GlidebarModel model_;
    ZcEventSink sink_{};
    bool advised_ = false;
    QPushButton* cmdLeft_ = nullptr;
    QPushButton* cmdRight_ = nullptr;
    QPushButton* cmdButton_ = nullptr;
    QWidget* picBackLeft_ = nullptr;
    QWidget* picBackRight_ = nullptr;
    QTimer wakeUp_;
    QElapsedTimer clock_;
    int64_t clockSeen_ = 0;
    // The press being held is the second of a double-click on the background or a track part.
    bool secondPressOfDoubleClick_ = false;
    // The element (or the control itself) the last press or double-click hit.
    const QObject* lastPressed_ = nullptr;
};

// How many Glidebar instances live; the library may be unloaded only when none does.
int LiveInstanceCount();
// The instance behind a pointer handed to the container, or null when it names none that lives.
Glidebar* FindInstance(const void* instance);

}  // namespace glidebar
