#include "fmSplash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "Forms.h"
#include "MainPage.h"
#include "Twips.h"
#include "Variables.h"

namespace {
fmSplash* splash = nullptr;
}  // namespace

fmSplash::fmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("fmSplash"));
    platform::Forms::Register(this);
    if (!splash) splash = this;
    setFixedSize(platform::TwipsToPixels(7200), platform::TwipsToPixels(4200));
    // In the middle of the screen, as a start-up picture is; the messages of the start-up come
    // up centred over it.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Timer1.setInterval(1000);
    Timer1.setSingleShot(false);
    connect(&Timer1, &QTimer::timeout, this, &fmSplash::Timer1_Timer);
    Timer1.start();
}

fmSplash::~fmSplash() {
    if (splash == this) splash = nullptr;
}

fmSplash& fmSplash::Instance() {
    if (!splash) splash = new fmSplash;
    return *splash;
}

bool fmSplash::IsLoaded() { return splash != nullptr; }

void fmSplash::Unload() {
    if (!splash) return;
    fmSplash* window = splash;
    splash = nullptr;
    window->Timer1.stop();
    window->hide();
    window->deleteLater();
}

void fmSplash::Timer1_Timer() {
    // The main window's set-up can take longer than a tick (a message about the command-line
    // file waits for the user, the computation lets timer events through): a second tick
    // would show the main window before its design is loaded and computed.
    Timer1.stop();
    zorvic::Settings.SplashDone = true;
    // The first reference creates the main window, whose set-up unloads this window and
    // shows itself; showing it again here finds it already shown.
    MainPage& page = TheMainPage();
    if (!page.isVisible()) page.showMaximized();
}

void fmSplash::paintEvent(QPaintEvent*) {
    // The picture picZorvicStart: a flyback transformer between a switch and a rectifier.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    QLinearGradient background(r.topLeft(), r.bottomRight());
    background.setColorAt(0, QColor(0x1E, 0x3A, 0x5F));
    background.setColorAt(1, QColor(0x0B, 0x17, 0x26));
    p.fillRect(r, background);

    const double w = r.width();
    const double h = r.height();
    QPen wire(QColor(0xF2, 0xB1, 0x34), h * 0.012);
    p.setPen(wire);
    p.setBrush(Qt::NoBrush);
    // Primary and secondary coils of the transformer, dots marking the flyback polarity.
    const double coilX1 = w * 0.42;
    const double coilX2 = w * 0.58;
    const double top = h * 0.18;
    const double turn = h * 0.07;
    for (int i = 0; i < 4; ++i) {
        p.drawArc(QRectF(coilX1 - turn, top + i * turn, turn, turn), 90 * 16, 180 * 16);
        p.drawArc(QRectF(coilX2, top + i * turn, turn, turn), 90 * 16, -180 * 16);
    }
    p.drawLine(QPointF(w * 0.49, top), QPointF(w * 0.49, top + 4 * turn));
    p.drawLine(QPointF(w * 0.51, top), QPointF(w * 0.51, top + 4 * turn));
    p.setBrush(QColor(0xF2, 0xB1, 0x34));
    p.drawEllipse(QPointF(coilX1 - turn * 1.2, top), h * 0.012, h * 0.012);
    p.drawEllipse(QPointF(coilX2 + turn * 1.2, top + 4 * turn), h * 0.012, h * 0.012);
    p.setBrush(Qt::NoBrush);
    // Leads: input to the primary, the switch below it, the rectifier and output capacitor.
    p.drawLine(QPointF(w * 0.12, top), QPointF(coilX1 - turn / 2, top));
    p.drawLine(QPointF(coilX1 - turn / 2, top + 4 * turn), QPointF(coilX1 - turn / 2, h * 0.62));
    p.drawRect(QRectF(coilX1 - turn * 1.1, h * 0.55, turn * 1.2, h * 0.12));
    p.drawLine(QPointF(coilX2 + turn / 2, top), QPointF(w * 0.72, top));
    QPainterPath diode;
    diode.moveTo(w * 0.72, top - h * 0.04);
    diode.lineTo(w * 0.77, top);
    diode.lineTo(w * 0.72, top + h * 0.04);
    diode.closeSubpath();
    p.drawPath(diode);
    p.drawLine(QPointF(w * 0.77, top - h * 0.04), QPointF(w * 0.77, top + h * 0.04));
    p.drawLine(QPointF(w * 0.77, top), QPointF(w * 0.88, top));
    p.drawLine(QPointF(w * 0.85, top), QPointF(w * 0.85, top + h * 0.1));
    p.drawLine(QPointF(w * 0.82, top + h * 0.1), QPointF(w * 0.88, top + h * 0.1));
    p.drawLine(QPointF(w * 0.82, top + h * 0.13), QPointF(w * 0.88, top + h * 0.13));

    p.setPen(Qt::white);
    QFont title = font();
    title.setPixelSize(static_cast<int>(h * 0.1));
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(0, h * 0.66, w, h * 0.14), Qt::AlignCenter, QStringLiteral("Zorvic"));
    QFont subtitle = font();
    subtitle.setPixelSize(static_cast<int>(h * 0.045));
    p.setFont(subtitle);
    p.drawText(QRectF(0, h * 0.8, w, h * 0.08), Qt::AlignCenter,
               QStringLiteral("Flyback Converter Design Help"));
}
