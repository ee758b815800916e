#pragma once
// Attaches the numeric-entry rules to a text box: every key goes through FilterNumericKey, and
// leaving the box runs ValidateEntry with the box's limits, unit and pattern, unless the focus
// moves to the window's Cancel button. Every numeric box of the editors uses it.

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

class QAbstractButton;
class QLineEdit;

class NumericBox : public QObject {
    Q_OBJECT

public:
    // `value` is the design value the box edits, in base units; it must outlive the box.
    NumericBox(QLineEdit* edit, float min, float max, std::string unit, std::string pattern, float* value,
               QAbstractButton* cancel = nullptr);

    void SetLimits(float min, float max);
    // The unit text, which ValidateEntry switches between "mA" and "A".
    const std::string& Unit() const { return unit_; }
    // Runs the leave-the-box validation now (also run on focus loss).
    void Validate();
    // Called after each validation, e.g. to relabel a unit.
    std::function<void()> AfterValidate;

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
};
