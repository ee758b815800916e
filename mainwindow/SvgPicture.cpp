#include "SvgPicture.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <QPointer>
#include <QSvgRenderer>

namespace {

// One parsed drawing per name for the whole run: redraws only paint, they never parse again.
// The renderers belong to the application object, so none outlives it.
QSvgRenderer* Renderer(const QString& picture) {
    static QHash<QString, QPointer<QSvgRenderer>> cache;
    if (picture.isEmpty()) return nullptr;
    QPointer<QSvgRenderer>& slot = cache[picture];
    if (!slot) {
        slot = new QSvgRenderer(QStringLiteral(":/pictures/%1.svg").arg(picture), QCoreApplication::instance());
        slot->setAspectRatioMode(Qt::IgnoreAspectRatio);
    }
    return slot->isValid() ? slot.data() : nullptr;
}

}  // namespace

SvgPicture::SvgPicture(QWidget* parent, const QString& picture) : QWidget(parent), picture_(picture) {
    setAutoFillBackground(true);
}

void SvgPicture::SetPicture(const QString& picture) {
    if (picture == picture_) return;
    picture_ = picture;
    update();
}

QSizeF SvgPicture::DesignSize(const QString& picture) {
    const QSvgRenderer* renderer = Renderer(picture);
    return renderer ? renderer->viewBoxF().size() : QSizeF();
}

bool SvgPicture::Exists(const QString& picture) { return Renderer(picture) != nullptr; }

void SvgPicture::paintEvent(QPaintEvent*) {
    QSvgRenderer* renderer = Renderer(picture_);
    if (!renderer) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer->render(&painter, QRectF(rect()));
}
