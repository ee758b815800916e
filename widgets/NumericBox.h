#pragma once
// Attaches the numeric-entry rules to a text box: every key goes through FilterNumericKey, and
// leaving the box runs ValidateEntry with the box's limits, unit and pattern, unless the focus
// moves to the window's Cancel button. Every numeric box of the editors uses it.
//
// Only a text the user has edited is checked: leaving a box that was merely passed through
// stores nothing, so tabbing through a window never rounds or changes a value.

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

#include "BoxRules.h"

class QAbstractButton;
class QLineEdit;

class NumericBox : public QObject {
    Q_OBJECT

public:
    // `value` is the design value the box edits, in base units; it must outlive the box. A box
    // whose minimum is below zero takes the minus sign. A box without a value only filters keys:
    // its owner reads the number when it needs it. The limits, unit and pattern are those of the
    // shown value, `scale` turns the stored value into it; the stored value changes only with an
    // entry that changes the shown value, so it is never rounded through the box's unit.
    NumericBox(QLineEdit* edit, float min, float max, std::string unit, std::string pattern, float* value,
               QAbstractButton* cancel = nullptr, zorvic::BoxScale scale = {});

    void SetLimits(float min, float max);
    // The unit text, which ValidateEntry switches between "mA" and "A".
    const std::string& Unit() const { return unit_; }
    // A box whose unit the window shows elsewhere (a current box's "A" or "mA" label) takes it
    // with its pattern before each check.
    void SetUnit(std::string unit, std::string pattern);
    // Runs the leave-the-box validation now (also run when the user leaves an edited box).
    void Validate();
    // Called before each validation, e.g. to take the design value in the box's unit.
    std::function<void()> BeforeValidate;
    // Called after each validation, e.g. to relabel a unit.
    std::function<void()> AfterValidate;
    // Called when the user leaves an edited box for Cancel, which skips the validation.
    std::function<void()> AfterLeaveForCancel;

    // True while the focus sits in a box that has just refused an entry and sent the focus back
    // to itself: the click that took the focus away (Done, Apply) must not act on the old value
    // as if the entry had been accepted.
    static bool FocusEntryRefused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLineEdit> edit_;
    QPointer<QAbstractButton> cancel_;
    float min_;
    float max_;
    std::string unit_;
    std::string pattern_;
    float* value_;
    zorvic::BoxScale scale_;
    bool refused_ = false;
};
