#pragma once
// Driving an editor as the user does: typing into a box and leaving it, picking a list entry,
// clicking with the mouse, dragging a slider; acting inside a modal dialog; and the fixture of
// an editor shown modeless on the default design.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "ComputeDesign.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "Slider.h"
#include "Variables.h"

namespace driving {

// The default design computed, with nothing to save and no message shown yet: what a window
// opens on.
inline void ComputeDefaultDesign() {
    zorvic::ResetDesignState();
    zorvic::SetLocaleDecimalSeparator('.');
    zorvic::ApplyDesignDefaults();
    zorvic::ComputeDesign();
    zorvic::Settings.DesignSaved = true;
    platform::MessageScript::Clear();
}

// A click moves the focus to the widget first, as a real click does. It lands near the left
// edge, where an option button has its mark whatever the layout's width.
inline void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(std::min(8, widget->width() / 2), widget->height() / 2));
}

// What dragging a slider does: a move through the slider's own action.
inline void Drag(platform::Slider* slider, int position) { slider->setSliderPosition(position); }

// Replaces the box's text by typing, then leaves it with Tab or by clicking `to`.
inline void TypeAndLeave(QLineEdit* box, const QString& text, QWidget* to = nullptr) {
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClicks(box, text);
    if (to)
        Click(to);
    else
        QTest::keyClick(box, Qt::Key_Tab);
}

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

// An editor filled from the default design by `Load` (its copy-in call) and shown.
template <typename Editor, void (*Load)(Editor&)>
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override { Open('.'); }
    void TearDown() override { zorvic::SetLocaleDecimalSeparator('.'); }
    // The default design under the locale's decimal separator.
    virtual void Open(char separator) {
        zorvic::ResetDesignState();
        zorvic::SetLocaleDecimalSeparator(separator);
        zorvic::ApplyDesignDefaults();
        platform::MessageScript::Clear();
    }
    void Show() {
        Load(editor);
        editor.show();
        QApplication::setActiveWindow(&editor);
    }
    // "title: text" of the last message box; empty when none was shown.
    static QString LastMessage() {
        const auto& shown = platform::MessageScript::Shown();
        return shown.empty() ? QString() : shown.back().title + ": " + shown.back().text;
    }
    Editor editor;
};

}  // namespace driving
