#pragma once
// Driving an editor as the user does: typing into a box and leaving it, picking a list entry,
// clicking with the mouse, dragging a slider; and acting inside a modal dialog.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "Slider.h"

namespace driving {

// Replaces the box's text by typing, then leaves it with Tab.
inline void TypeAndLeave(QLineEdit* box, const QString& text) {
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

// A click moves the focus to the widget first, as a real click does. It lands near the left
// edge, where an option button has its mark whatever the layout's width.
inline void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(std::min(8, widget->width() / 2), widget->height() / 2));
}

inline void Drag(platform::Slider* slider, int position) { slider->setSliderPosition(position); }

// Picks an entry as choosing it from the list does.
inline void Pick(QComboBox* list, int entry) {
    list->setCurrentIndex(entry);
    emit list->activated(entry);
}

// Runs `act` on the modal dialog of type Dialog once it is up (given up after `tries` turns of
// the event loop, so a dialog that never opens cannot hang the test).
template <typename Dialog>
void WhenModal(std::function<void(Dialog*)> act, int tries = 200) {
    QTimer::singleShot(0, [act = std::move(act), tries] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            // Offscreen, a new window is not activated by itself; focus moves only in the
            // active window.
            QApplication::setActiveWindow(dialog);
            act(dialog);
        }
        else if (tries > 0)
            WhenModal<Dialog>(act, tries - 1);
    });
}

}  // namespace driving
