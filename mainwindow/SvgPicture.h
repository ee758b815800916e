#pragma once
// A picture box that shows one of the program's drawings, scaled to its own size. The drawings
// are vector pictures, so they stay sharp at every zoom and on every screen.

#include <QSizeF>
#include <QString>
#include <QWidget>

class SvgPicture : public QWidget {
    Q_OBJECT

public:
    // `picture` names a drawing of the program ("Filter1", "Zorvic07"); empty shows none.
    explicit SvgPicture(QWidget* parent, const QString& picture = {});

    void SetPicture(const QString& picture);
    const QString& Picture() const { return picture_; }

    // The size the drawing was designed at, in twips; empty for a name with no drawing.
    static QSizeF DesignSize(const QString& picture);
    static bool Exists(const QString& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString picture_;
};
