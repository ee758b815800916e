#include "NumericBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "EntryValidation.h"

namespace {

class LineEditBox : public zorvic::EntryBox {
public:
    explicit LineEditBox(QLineEdit* edit) : edit_(edit) {}
    std::string Text() const override { return edit_->text().toStdString(); }
    void SetText(const std::string& text) override { edit_->setText(QString::fromStdString(text)); }
    // Only a refused entry sends the focus back to the box.
    void SetFocus() override {
        refused = true;
        edit_->setFocus(Qt::OtherFocusReason);
    }

    bool refused = false;

private:
    QLineEdit* edit_;
};

}  // namespace

NumericBox::NumericBox(QLineEdit* edit, float min, float max, std::string unit, std::string pattern, float* value,
                       QAbstractButton* cancel, zorvic::BoxScale scale)
    : QObject(edit),
      edit_(edit),
      cancel_(cancel),
      min_(min),
      max_(max),
      unit_(std::move(unit)),
      pattern_(std::move(pattern)),
      value_(value),
      scale_(scale) {
    edit->installEventFilter(this);
}

void NumericBox::SetLimits(float min, float max) {
    min_ = min;
    max_ = max;
}

void NumericBox::SetUnit(std::string unit, std::string pattern) {
    unit_ = std::move(unit);
    pattern_ = std::move(pattern);
}

void NumericBox::Validate() {
    if (!edit_ || !value_) return;
    if (BeforeValidate) BeforeValidate();
    LineEditBox box(edit_);
    const float before = scale_.Shown(*value_);
    float shown = before;
    zorvic::ValidateEntry(box, min_, max_, unit_, shown, pattern_);
    if (shown != before) *value_ = scale_.Stored(shown);
    refused_ = box.refused;
    if (AfterValidate) AfterValidate();
}

bool NumericBox::FocusEntryRefused() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return false;
    for (const NumericBox* box : focus->findChildren<NumericBox*>(Qt::FindDirectChildrenOnly))
        if (box->refused_) return true;
    return false;
}

bool NumericBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        refused_ = false;
        auto* key = static_cast<QKeyEvent*>(event);
        // Editing and moving keys keep their meaning; printable keys go through the filter.
        if (key->text().isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
            key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Return ||
            key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape || (key->modifiers() & Qt::ControlModifier))
            return false;
        int16_t code = static_cast<int16_t>(key->text().at(0).unicode());
        zorvic::FilterNumericKey(code, min_ < 0);
        if (code == 0) return true;
        if (code != key->text().at(0).unicode()) {
            edit_->insert(QString(QChar(code)));
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::FocusOut) {
        // Only leaving the box counts. A window switch or an opening dialog (the "Range Error"
        // box itself) takes the focus away for a while and gives it back to the box; checking
        // then would check the same text again from inside the first message.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
        refused_ = false;
        // A text the user has not touched holds the stored value already (perhaps rounded for
        // display): checking it would store the rounded text.
        if (!edit_->isModified()) return false;
        // Leaving for Cancel abandons the edit: no check, no message.
        if (cancel_ && QApplication::focusWidget() == cancel_) {
            if (AfterLeaveForCancel) AfterLeaveForCancel();
            return false;
        }
        Validate();
    }
    return false;
}
